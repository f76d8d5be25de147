// Times the summary reports over a large visit history: the report-start event and the first
// preview page of rptLabelSummary and rptCheckoutSummary over N visits (default 100,000), laid
// out as the preview lays them out (300 dpi Letter), then pages further in and a page back.
// The first page should be ready in well under a second whatever N is.
//
//   bench_reports [--visits N] [--reps N] [--keep DIR]
#include "benchsupport.h"
#include "checkin/printing/reportprint.h"
#include "db/accessdatabase.h"
#include "db/schema.h"
#include "reports/summary/summaryreport.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>
#include <sqlite3.h>
#include <string>
#include <vector>

using namespace zelkora;
using namespace zelkora::bench;

namespace {

using Clock = SteadyClock;

const char* const kTitles[] = {"Visitor",  "Contractor", "Vendor", "Employee",
                               "Delivery", "Interview",  "Guest"};

// A year of visits ending now, in one transaction on a connection of its own; one in fifty is
// still open and one in ten a one-step visit.
void fillDatabase(const std::string& path, int visits, std::time_t now) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        fail("fill open");
    exec(db, "BEGIN IMMEDIATE");
    sqlite3_stmt* visit = nullptr;
    if (sqlite3_prepare_v2(db,
                           "INSERT INTO Labels (TypeID, BadgeName, Name, LogInTime, LogOutTime, "
                           "Field1, Field2, Field9, Field10) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                           -1, &visit, nullptr) != SQLITE_OK)
        fail("fill prepare", QString::fromUtf8(sqlite3_errmsg(db)));
    std::mt19937 random(7);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> minutes(5, 480);
    const std::time_t year = 365L * 24 * 3600;
    for (int i = 0; i < visits; ++i) {
        const std::time_t in =
            now - year + static_cast<std::time_t>(static_cast<double>(year) * i / visits);
        const int type = static_cast<int>(random() % 7);
        const int kind = percent(random);
        const bool answers = kind < 40;
        std::string out;
        if (kind >= 2)
            out = dateText(kind < 12 ? in + 20 : in + 60L * minutes(random));
        sqlite3_bind_int(visit, 1, type);
        bindText(visit, 2, kTitles[type]);
        bindText(visit, 3, "Visitor " + std::to_string(i));
        bindText(visit, 4, dateText(in));
        bindText(visit, 5, out);
        bindText(visit, 6, answers ? "Acme Corp" : "");
        bindText(visit, 7, answers ? "Meeting room 4" : "");
        bindText(visit, 8, answers ? "Acme Corp" : "");
        bindText(visit, 9, answers ? "Meeting room 4" : "");
        if (sqlite3_step(visit) != SQLITE_DONE)
            fail("fill visit", QString::fromUtf8(sqlite3_errmsg(db)));
        sqlite3_reset(visit);
    }
    sqlite3_finalize(visit);
    exec(db, "COMMIT");
    sqlite3_close(db);
}

// The page device of the preview: the report's page at 300 dpi.
QImage pageDevice(const printing::Report& report) {
    const int dpi = printing::kDefaultResolution;
    const QRect pixels = report.pageLayout().fullRectPixels(dpi);
    QImage image(pixels.size(), QImage::Format_RGB32);
    const int dpm = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    return image;
}

double paintMs(SummaryReport& report, QImage& device, int page) {
    const Clock::time_point start = Clock::now();
    device.fill(Qt::white);
    QPainter painter(&device);
    // As the preview does: the printable area's origin at the page margins.
    const QRect paint = report.pageLayout().paintRectPixels(printing::kDefaultResolution);
    painter.translate(paint.topLeft());
    StationError error;
    if (!report.paintPage(page, painter, &error)) {
        check(error, "paintPage");
        fail("no page", QString::number(page));
    }
    return msSince(start);
}

void run(const char* name, SummaryReport& report, int reps) {
    std::vector<double> first, startOnly, middle, back, last;
    QImage device = pageDevice(report);
    int pages = 0;
    for (int r = 0; r < reps; ++r) {
        const Clock::time_point begin = Clock::now();
        check(report.start(device), "start");
        startOnly.push_back(msSince(begin));
        paintMs(report, device, 0);
        first.push_back(msSince(begin));
        pages = report.pageCount().value_or(0);
        middle.push_back(paintMs(report, device, pages / 2));
        back.push_back(paintMs(report, device, pages / 2 - 1));
        last.push_back(paintMs(report, device, pages - 1));
    }
    std::printf("%-20s %8lld rows %6d pages: start %7.1f ms, first page ready %7.1f ms; "
                "page %d %6.1f ms, the page before %6.1f ms, last page %6.1f ms\n",
                name, static_cast<long long>(report.rowCount()), pages, median(startOnly),
                median(first), pages / 2 + 1, median(middle), median(back), median(last));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption visitsOption(QStringLiteral("visits"),
                                          QStringLiteral("Visits in the database."),
                                          QStringLiteral("N"), QStringLiteral("100000"));
    const QCommandLineOption repsOption(QStringLiteral("reps"), QStringLiteral("Repetitions."),
                                        QStringLiteral("N"), QStringLiteral("5"));
    const QCommandLineOption keepOption(QStringLiteral("keep"),
                                        QStringLiteral("Build the station in DIR and keep it."),
                                        QStringLiteral("DIR"));
    parser.addOptions({visitsOption, repsOption, keepOption});
    parser.process(app);
    const int visits = std::max(1, parser.value(visitsOption).toInt());
    const int reps = std::max(1, parser.value(repsOption).toInt());

    QTemporaryDir temporary;
    const QString root = parser.isSet(keepOption) ? parser.value(keepOption) : temporary.path();
    const QString station = root + QStringLiteral("/station/");
    if (!QDir().mkpath(station) || !QDir().mkpath(root + QStringLiteral("/config")))
        fail("cannot create", root);
    qputenv("ZELKORA_HOME", QFile::encodeName(station));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + QStringLiteral("/config")));
    QString why;
    if (!db::CreateDeliveredDatabase(station, nullptr, &why))
        fail("CreateDeliveredDatabase", why);
    db::ReleaseConnection();

    const std::time_t now = std::time(nullptr);
    const Clock::time_point filling = Clock::now();
    fillDatabase(QFile::encodeName(db::GetDatabasePath()).toStdString(), visits, now);
    std::printf("database: %d visits over a year, built in %.1f s; %d repetitions, medians\n\n",
                visits, msSince(filling) / 1000, reps);

    // The report window's query: every visit of the year, by check-in time.
    rptLabelSummary label(
        QStringLiteral("Northwind Academy"), QStringLiteral("Start Date: a year ago"),
        {QStringLiteral("SELECT * FROM qLabelSummaryReport WHERE LogInTime >= ? AND LogInTime <= ? "
                        "ORDER BY LogInTime"),
         {QString::fromStdString(dateText(now - 366L * 24 * 3600)),
          QString::fromStdString(dateText(now + 60))}});
    run("rptLabelSummary", label, reps);

    // The same by name descending: the order the index does not give.
    rptLabelSummary byName(
        QStringLiteral("Northwind Academy"), QStringLiteral("Order By: Name"),
        {QStringLiteral("SELECT * FROM qLabelSummaryReport ORDER BY Name DESC"), {}});
    run("  ordered by name", byName, reps);

    // The check-out window's query over the whole year (its open visits).
    rptCheckoutSummary checkout(
        QStringLiteral("Northwind Academy"), QStringLiteral("Dates: a year\r\nSort By: Date"),
        {QStringLiteral("SELECT Labels.ID,  Labels.BadgeName AS [Badge Name],  Labels.Name, "
                        "Labels.LogInTime AS [Check In] ,Labels.Field9 as [Info1] ,"
                        "Labels.Field10 as [Info2]  FROM Labels WHERE (((Labels.LogInTime)>=? And "
                        "(Labels.LogInTime)<=?) AND ((Labels.LogOutTime) Is Null)) AND "
                        "(Labels.TypeID IN (0,1,2,3,4,5,6) ) ORDER BY Labels.LogInTime;"),
         {QString::fromStdString(dateText(now - 366L * 24 * 3600)),
          QString::fromStdString(dateText(now + 24 * 3600))}});
    run("rptCheckoutSummary", checkout, reps);

    db::ReleaseConnection();
    return 0;
}
