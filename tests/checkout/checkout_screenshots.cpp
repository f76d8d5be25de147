// Renders the check-out window with a few open visits and the time capture dialog to
// checkout.png and timecapture.png in the folder given, in a throwaway station and settings
// folder.
#include "checkout/logoutwindow.h"
#include "checkout/timecapturewindow.h"
#include "db/accessdatabase.h"
#include "db/schema.h"
#include "settings/vraxsettings.h"
#include "util/clock.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>

using namespace zelkora;

namespace {

bool addVisit(int typeId, const QString& badge, const QString& name, const QDateTime& logIn,
              const QString& info1, const QString& info2) {
    db::Parameters p{{QStringLiteral("@TypeID"), db::ParamInteger, 4, typeId},
                     {QStringLiteral("@BadgeName"), db::ParamVarChar, 50, badge},
                     {QStringLiteral("@Name"), db::ParamVarChar, 50, name},
                     {QStringLiteral("@LogInTime"), db::ParamTimeStamp, 8, logIn}};
    for (int i = 1; i <= 10; ++i) {
        const QString value = i == 9 ? info1 : i == 10 ? info2 : QString();
        p.append({QStringLiteral("@Field%1").arg(i), db::ParamVarChar, 50, value});
    }
    return !db::RunSP(QStringLiteral("qAddLabel"), p).isError();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "usage: checkout_screenshots <folder>\n";
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    QTemporaryDir home;
    const QString station = home.path() + QStringLiteral("/station/");
    qputenv("ZELKORA_HOME", station.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    QDir().mkpath(station);
    QStringList created;
    QString error;
    if (!db::CreateDeliveredDatabase(station, &created, &error))
        return 1;

    cVRAXSettings s;
    if (s.LoadValues().isError())
        return 1;
    s.setLabel2IncludeCheckinAndCheckout(true);
    if (s.SaveValues().isError())
        return 1;

    const QDateTime now = Clock::current().now();
    const struct {
        int type;
        const char* badge;
        const char* name;
        int minutesAgo;
        const char* info1;
        const char* info2;
    } visits[] = {
        {0, "VISITOR", "Alex Morgan", 185, "Dr. Patel", "Northwind Electric"},
        {0, "VISITOR", "Jamie Lee", 95, "Front office", ""},
        {2, "VOLUNTEER", "Sam O'Connor", 62, "Library", "Room 12"},
        {3, "SUBSTITUTE", "Priya Raman", 41, "Grade 4", ""},
        {0, "VISITOR", "Chris Delgado", 12, "Nurse", "Parent"},
        {4, "VENDOR", "Blue Ridge HVAC", 5, "Boiler room", "WO-20417"},
    };
    for (const auto& v : visits) {
        if (!addVisit(v.type, QLatin1String(v.badge), QLatin1String(v.name),
                      now.addSecs(-60 * v.minutesAgo), QLatin1String(v.info1),
                      QLatin1String(v.info2)))
            return 1;
    }

    LogOutServices services;
    services.captureTime = [](QWidget*, qint16) { return qint16{0}; };
    services.print = [](QWidget*, const CheckoutPrintJob&) { return StationError{}; };
    LogOutWindow window(nullptr, services);
    window.load();
    window.show();
    QApplication::processEvents();
    const bool list = window.grab().save(out + QStringLiteral("checkout.png"));

    TimeCaptureWindow capture;
    capture.InitForm(95);
    capture.show();
    QApplication::processEvents();
    const bool dialog = capture.grab().save(out + QStringLiteral("timecapture.png"));
    db::ReleaseConnection();
    return list && dialog ? 0 : 1;
}
