#include "app/startup.h"

#include "app/core/log.h"
#include "app/core/message.h"
#include "app/core/programstate.h"
#include "app/core/singleinstance.h"
#include "app/core/stationfolder.h"
#include "app/gui/debugwindow.h"
#include "checkout/autologout.h"
#include "db/schema.h"

#include <QDir>
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

    std::printf("Zelkora: station folder %s is ready, its database is current and the diagnostic "
                "log is started.\n",
                qPrintable(QDir::toNativeSeparators(GetAppPath())));
    std::fflush(stdout);

    DebugListSink::install(nullptr);
    return 0;
}

} // namespace zelkora
