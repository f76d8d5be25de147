// Renders the first page of each summary report, over a made-up day of visits at a station of
// its own, for the documentation: zelkora-summary-samples <folder> writes
// report-label-summary.pdf/.png and report-checkout-summary.pdf/.png there.
#include "checkin/printing/reportprint.h"
#include "db/accessdatabase.h"
#include "db/parameter.h"
#include "db/schema.h"
#include "support/pdftext.h"
#include "reports/summary/summaryreport.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>

using namespace zelkora;

namespace {

struct Sample {
    const char* name;
    const char* badge;
    int type;
    int arrival; // minutes after 07:30
    int minutes; // -1: still in; 0: a one-step visit
    const char* info1;
    const char* info2;
};

const Sample kSamples[] = {
    {"Margaret Holloway", "Visitor", 0, 2, 95, "Hartwell Logistics", "Meeting with J. Ortiz"},
    {"Daniel Okafor", "Contractor", 1, 9, 240, "Brightline Electrical", "Panel upgrade, B wing"},
    {"Priya Raman", "Vendor", 2, 21, 35, "Copper Leaf Catering", "Cafeteria delivery"},
    {"Tomas Lindqvist", "Delivery", 4, 33, 0, "Northern Freight", ""},
    {"Grace Whitaker", "Interview", 5, 47, 70, "Finance Analyst", "Panel: M. Chen"},
    {"Samuel Adeyemi", "Employee", 3, 52, -1, "Forgot badge", ""},
    {"Elena Marchetti", "Guest", 6, 64, 125, "Board visit", "Conference room 3"},
    {"Kenji Watanabe", "Visitor", 0, 78, -1, "Sato Engineering", "Site survey"},
    {"Olivia Brennan", "Contractor", 1, 85, 180, "Apex HVAC", "Roof units"},
    {"Marcus Feld", "Delivery", 4, 96, 0, "Parcelway", ""},
    {"Hannah Kowalski", "Visitor", 0, 110, 55, "City Inspection Office", "Fire safety review"},
    {"Rafael Duarte", "Vendor", 2, 123, -1, "Office Supply Co.", "Toner restock"},
    {"Aisha Rahman", "Interview", 5, 139, 60, "Lab Technician", "Panel: R. Patel"},
    {"George Pappas", "Visitor", 0, 150, 15, "", ""},
    {"Lucy Tran", "Guest", 6, 162, -1, "Alumni tour", "Main hall"},
};

bool fill() {
    const QDateTime start(QDate(2026, 3, 4), QTime(7, 30));
    for (const Sample& s : kSamples) {
        const QDateTime in = start.addSecs(60 * s.arrival + 20);
        QVariant out;
        if (s.minutes >= 0)
            out = db::DateText(s.minutes == 0 ? in.addSecs(25) : in.addSecs(60 * s.minutes));
        const StationError e = db::RunSQL(
            QStringLiteral("INSERT INTO Labels (TypeID, BadgeName, Name, LogInTime, LogOutTime, "
                           "Field1, Field2, Field9, Field10) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {s.type, QString::fromUtf8(s.badge), QString::fromUtf8(s.name), db::DateText(in), out,
             QString::fromUtf8(s.info1), QString::fromUtf8(s.info2), QString::fromUtf8(s.info1),
             QString::fromUtf8(s.info2)});
        if (e.isError()) {
            std::fprintf(stderr, "insert: %s\n", qPrintable(e.description));
            return false;
        }
    }
    return true;
}

bool write(printing::Report& report, const QString& folder, const QString& base) {
    const QString pdf = folder + QLatin1Char('/') + base + QStringLiteral(".pdf");
    const StationError e = printing::SaveReportAsPdf(report, {}, pdf, base);
    if (e.isError()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(base), qPrintable(e.description));
        return false;
    }
    test::PdfPageToPng(pdf, folder + QLatin1Char('/') + base + QStringLiteral(".png"), 110);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QTemporaryDir temporary;
    const QString station = temporary.path() + QStringLiteral("/station/");
    QDir().mkpath(station);
    qputenv("ZELKORA_HOME", QFile::encodeName(station));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(temporary.path() + QStringLiteral("/config")));
    QString why;
    if (!db::CreateDeliveredDatabase(station, nullptr, &why) || !fill()) {
        std::fprintf(stderr, "database: %s\n", qPrintable(why));
        return 1;
    }
    QDir().mkpath(folder);

    rptLabelSummary label(
        QStringLiteral("Northwind Academy"),
        QStringLiteral("Start Date: 3/4/2026\r\nEnd Date: 3/4/2026\r\nOrder By: Check In Time"),
        {QStringLiteral("SELECT * FROM qLabelSummaryReport WHERE LogInTime >= ? AND LogInTime < ? "
                        "ORDER BY LogInTime"),
         {QStringLiteral("2026-03-04 00:00:00"), QStringLiteral("2026-03-05 00:00:00")}});
    rptCheckoutSummary checkout(
        QStringLiteral("Northwind Academy"),
        QStringLiteral("Dates: 3/3/2026 11:05:00 AM - 3/5/2026 11:05:00 AM\r\nSort By: Date"),
        {QStringLiteral("SELECT Labels.ID, Labels.BadgeName AS [Badge Name], Labels.Name, "
                        "Labels.LogInTime AS [Check In], Labels.Field9 AS [Info1], "
                        "Labels.Field10 AS [Info2] FROM Labels WHERE Labels.LogOutTime IS NULL "
                        "ORDER BY Labels.LogInTime;"),
         {}});
    const bool ok = write(label, folder, QStringLiteral("report-label-summary")) &&
                    write(checkout, folder, QStringLiteral("report-checkout-summary"));
    db::ReleaseConnection();
    return ok ? 0 : 1;
}
