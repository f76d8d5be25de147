#include "app/startup.h"

#include "app/core/log.h"
#include "app/core/message.h"
#include "app/core/programstate.h"
#include "app/core/singleinstance.h"
#include "app/core/stationfolder.h"
#include "app/gui/debugwindow.h"
#include "app/gui/mainwindow.h"
#include "app/gui/qtsoundplayer.h"
#include "app/gui/splashwindow.h"
#include "app/gui/welcomewindow.h"
#include "cards/cardswipe.h"
#include "cards/cardswipefilter.h"
#include "checkin/badgeprinting.h"
#include "checkin/label/labelfonts.h"
#include "checkin/labeldatawindow.h"
#include "checkout/autologout.h"
#include "checkout/logoutwindow.h"
#include "db/schema.h"
#include "reports/criteria/reportswindow.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <cstdio>
#include <memory>

namespace zelkora {

namespace {

// How start-up reports a database error it cannot go on from.
void showDatabaseError(const StationError& error) {
    WriteLog(QStringLiteral("Start-up database error ") + QString::number(error.number) +
             QStringLiteral(": ") + error.description + QStringLiteral(" ") + error.source);
    ShowMessage(QStringLiteral("An error occured. \nError : ") + QString::number(error.number) +
                    QStringLiteral("\nDescription : ") + error.description,
                MsgOk | MsgCritical);
}

// The windows the home screen can open; each joins the registry as it is built.
void registerWindows(WindowRegistry& registry) {
    registry.registerWindow(StationWindow::LabelData, [](QWidget* owner, int labelIndex) {
        return OpenLabelData(labelIndex, owner);
    });
    registry.registerWindow(StationWindow::CheckOut,
                            [](QWidget* owner, int) { return OpenLogOut(owner); });
    registry.registerWindow(StationWindow::Reports,
                            [](QWidget* owner, int) { return OpenReports(owner); });
}

// Steps 8 to 10: the home screen, shown only when its load passed the rights test, and the card
// reader feeding it. Returns when the station closes.
int runHomeScreen(std::unique_ptr<SplashWindow> splash) {
    QtSoundPlayer sound;
    SoundPlayer::install(&sound);

    InstallCheckInPrinting();
    WindowRegistry registry;
    registerWindows(registry);
    MainWindowDependencies dependencies;
    dependencies.opener = &registry;
    MainWindow window(std::move(dependencies));
    window.Load();
    if (splash)
        splash->close();
    if (!window.bFormCanBeShown()) {
        // Never shown, so its close asks no password and the process ends with it.
        window.close();
        SoundPlayer::install(nullptr);
        return 1;
    }

    CardSwipeFilter* swipe =
        CardSwipeFilter::install(&window, [&window](int i) { return window.buttonTitle(i); });
    QObject::connect(swipe, &CardSwipeFilter::cardSwiped, &window,
                     [&window](const CardSwipeResult& result) {
                         if (result.outcome == CardSwipeResult::Outcome::DatabaseError) {
                             ShowCardSwipeError(result.error);
                             return;
                         }
                         ShowWelcome(&window);
                         ForgetCardHolder();
                     });

    window.show();
    const int code = QApplication::exec();
    SoundPlayer::install(nullptr);
    return code;
}

} // namespace

int Main(bool interactive) {
    SingleInstance instance(GetAppPath());
    if (!instance.acquire()) {
        ShowMessage(QStringLiteral("The application is already running"), MsgExclamation,
                    QStringLiteral("OrvSecurity"));
        return 1;
    }

    programState().webCamAvailable = true;

    QString error;
    if (ProvisionStationFolder(&error, db::CreateDeliveredDatabase) == ProvisionResult::Failed) {
        ShowMessage(error, MsgCritical);
        return 1;
    }

    // The fonts the station's designs name, mapped once to the installed look-alikes.
    label::InstallLabelFontSubstitutes();
    if (QFont::substitutes(QStringLiteral("MS Sans Serif")).isEmpty())
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"),
                                  QStringLiteral("Liberation Sans"));

    std::unique_ptr<SplashWindow> splash;
    if (interactive) {
        splash = std::make_unique<SplashWindow>();
        splash->show();
        splash->repaint();
        QApplication::processEvents();
    }

    std::unique_ptr<DebugWindow> debugWindow;
    if (interactive) {
        debugWindow = std::make_unique<DebugWindow>();
        DebugListSink::install(debugWindow.get());
    }
    if (!StartLog(&error))
        ShowMessage(error, MsgExclamation);

    const db::VersionCheck version = db::CheckDatabaseVersion();
    if (version.outcome == db::DbOutcome::MustQuit)
        return 1;
    if (version.outcome == db::DbOutcome::Failed) {
        showDatabaseError(version.error);
        return 1;
    }

    if (const StationError logout = RunAutoLogout(); logout.isError()) {
        showDatabaseError(logout);
        return 1;
    }

    int code = 0;
    if (interactive) {
        code = runHomeScreen(std::move(splash));
    } else {
        // Without a display the station prepares its folder and database, and says so.
        std::printf("Zelkora: station folder %s is ready and its database is current; no display, "
                    "so no home screen.\n",
                    qPrintable(QDir::toNativeSeparators(GetAppPath())));
        std::fflush(stdout);
    }
    DebugListSink::install(nullptr);
    return code;
}

} // namespace zelkora
