// Times the report window's reads on one station database of many visits: a report over one
// month (its first 100 rows, all its rows, the count the progress needs) and the export of every
// visit to "Orv_Security.txt", against the sqlite3 shell's own tab-separated export of the same
// rows in the same run.
//
//   bench_export [--visits N] [--reps N] [--keep DIR]
#include "benchsupport.h"
#include "db/accessdatabase.h"
#include "db/schema.h"
#include "reports/criteria/reportcriteria.h"
#include "reports/criteria/reportexport.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <sqlite3.h>
#include <string>
#include <vector>

using namespace zelkora;
using namespace zelkora::bench;

namespace {

using Clock = SteadyClock;

std::string dateText(const QDateTime& when) {
    return db::DateText(when).toStdString();
}

// A year of visits ending at `now`, in one transaction: about 1 % still open, a fifth with the
// two additional answers, names of both kinds the station sees (cards and typed names).
void fillDatabase(const std::string& path, int visits, const QDateTime& now) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        fail("fill open");
    exec(db, "BEGIN IMMEDIATE");
    const char* const titles[] = {"Visitor",  "Contractor", "Vendor", "Employee",
                                  "Delivery", "Interview",  "Guest"};
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO Labels (TypeID, BadgeName, Name, LogInTime, LogOutTime, "
                       "Field1, Field2, Field9, Field10) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                       -1, &insert, nullptr);
    std::mt19937 random(42);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> minutes(10, 600);
    const QDateTime start = now.addDays(-365);
    const qint64 span = start.secsTo(now);
    for (int i = 0; i < visits; ++i) {
        const QDateTime in = start.addSecs(span * i / visits + random() % 60);
        const int type = static_cast<int>(random() % 7);
        const bool answers = percent(random) < 20;
        const bool open = percent(random) < 1;
        sqlite3_bind_int(insert, 1, type);
        bindText(insert, 2, titles[type]);
        bindText(insert, 3,
                 percent(random) < 30 ? "First" + std::to_string(random() % 10000) + " Last" +
                                            std::to_string(random() % 10000)
                                      : "Visitor " + std::to_string(i));
        bindText(insert, 4, dateText(in));
        bindText(insert, 5, open ? std::string() : dateText(in.addSecs(60L * minutes(random))));
        bindText(insert, 6, answers ? "Acme Corp" : "");
        bindText(insert, 7, answers ? "Meeting room 4" : "");
        bindText(insert, 8, answers ? "Acme Corp" : "");
        bindText(insert, 9, answers ? "Meeting room 4" : "");
        if (sqlite3_step(insert) != SQLITE_DONE)
            fail("fill", QString::fromUtf8(sqlite3_errmsg(db)));
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    exec(db, "COMMIT");
    sqlite3_close(db);
}

reports::ReportCriteria byDates(const QDate& from, const QDate& to) {
    reports::ReportCriteria criteria;
    criteria.startDate = reports::ReportDateText(from);
    criteria.endDate = reports::ReportDateText(to);
    return criteria;
}

// The select with its bound values written in, for the shell.
QString literalSql(const reports::ReportQuery& query) {
    QString sql = query.sql;
    for (const QVariant& value : query.values) {
        const qsizetype at = sql.indexOf(QLatin1Char('?'));
        sql.replace(at, 1,
                    QLatin1Char('\'') +
                        value.toString().replace(QLatin1String("'"), QLatin1String("''")) +
                        QLatin1Char('\''));
    }
    return sql;
}

qint64 lineCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail("cannot read", path);
    qint64 lines = 0;
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(1 << 20);
        lines += chunk.count('\n');
    }
    return lines;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times the report reads and the export against the sqlite3 shell."));
    parser.addHelpOption();
    const QCommandLineOption visitsOption(QStringLiteral("visits"),
                                          QStringLiteral("Visits in the database."),
                                          QStringLiteral("N"), QStringLiteral("1000000"));
    const QCommandLineOption repsOption(QStringLiteral("reps"),
                                        QStringLiteral("Repetitions of each export (default 3)."),
                                        QStringLiteral("N"), QStringLiteral("3"));
    const QCommandLineOption keepOption(QStringLiteral("keep"),
                                        QStringLiteral("Build the station in DIR and keep it."),
                                        QStringLiteral("DIR"));
    parser.addOptions({visitsOption, repsOption, keepOption});
    parser.process(app);
    const int visits = std::max(1, parser.value(visitsOption).toInt());
    const int reps = std::max(1, parser.value(repsOption).toInt());

    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (shell.isEmpty())
        fail("the sqlite3 shell is not installed (Debian package sqlite3)");

    QTemporaryDir temporary;
    const QString root = parser.isSet(keepOption) ? parser.value(keepOption) : temporary.path();
    const QString station = root + QStringLiteral("/station/");
    const QString out = root + QStringLiteral("/out");
    if (!QDir().mkpath(station) || !QDir().mkpath(root + QStringLiteral("/config")) ||
        !QDir().mkpath(out))
        fail("cannot create", root);
    qputenv("ZELKORA_HOME", QFile::encodeName(station));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + QStringLiteral("/config")));

    QString why;
    if (!db::CreateDeliveredDatabase(station, nullptr, &why))
        fail("CreateDeliveredDatabase", why);
    const db::VersionCheck version = db::CheckDatabaseVersion();
    if (version.outcome != db::DbOutcome::Ok)
        check(version.error, "CheckDatabaseVersion");
    db::ReleaseConnection();

    const QString path = db::GetDatabasePath();
    const QDateTime now = QDateTime::currentDateTime();
    const Clock::time_point filling = Clock::now();
    fillDatabase(QFile::encodeName(path).toStdString(), visits, now);
    std::printf("database: %d visits over a year; built in %.1f s\n", visits,
                msSince(filling) / 1000);

    // ---- a report over one month: the month before last, whole
    const QDate monthStart = QDate(now.date().year(), now.date().month(), 1).addMonths(-2);
    const reports::ReportQuery month =
        reports::BuildReportQuery(byDates(monthStart, monthStart.addMonths(1).addDays(-1)));
    {
        std::vector<double> first;
        std::vector<double> whole;
        std::vector<double> count;
        qint64 rows = 0;
        qint64 counted = 0;
        for (int i = 0; i < 5; ++i) {
            Clock::time_point started = Clock::now();
            check(db::RunSQLForEach(month.sql, month.values, 100,
                                    [](const db::RecordSet&) { return false; }),
                  "first rows");
            first.push_back(msSince(started));

            rows = 0;
            started = Clock::now();
            check(db::RunSQLForEach(month.sql, month.values, 500,
                                    [&rows](const db::RecordSet& slice) {
                                        rows += slice.rowCount();
                                        return true;
                                    }),
                  "month");
            whole.push_back(msSince(started));

            started = Clock::now();
            check(reports::CountReportRows(month, &counted), "count");
            count.push_back(msSince(started));
        }
        if (rows != counted)
            fail("the count and the rows differ");
        std::printf("\nreport over one month (%lld visits), median of 5, ms\n",
                    static_cast<long long>(rows));
        std::printf("  first 100 rows                  %9.1f  %s\n", median(first),
                    median(first) < 50 ? "(under 50 ms)" : "OVER 50 ms");
        std::printf("  every row of the month          %9.1f\n", median(whole));
        std::printf("  count for the progress          %9.1f\n", median(count));
    }

    // ---- the export of every visit, against the shell's own export of the same rows
    const reports::ReportQuery all = reports::BuildReportQuery(
        byDates(now.date().addDays(-400), now.date().addDays(1)), reports::ExportColumns());
    const QString shellSql = literalSql(all);
    const QString shellOut = out + QStringLiteral("/shell.txt");
    std::vector<double> ours;
    std::vector<double> theirs;
    reports::ExportOutcome outcome;
    for (int i = 0; i < reps; ++i) {
        for (int side = 0; side < 2; ++side) {
            const bool oursNow = (side == 0) == (i % 2 == 0);
            const Clock::time_point started = Clock::now();
            if (oursNow) {
                outcome = reports::ExportReport(all, out, -1, [](qint64, qint64) { return true; });
                check(outcome.error, "export");
                ours.push_back(msSince(started));
            } else {
                QProcess process;
                process.setStandardOutputFile(shellOut);
                process.start(shell, {QStringLiteral("-separator"), QStringLiteral("\t"),
                                      QStringLiteral("-header"), path, shellSql});
                if (!process.waitForFinished(-1) || process.exitCode() != 0)
                    fail("sqlite3 shell", QString::fromLocal8Bit(process.readAllStandardError()));
                theirs.push_back(msSince(started));
            }
        }
    }
    const qint64 ourLines = lineCount(outcome.path);
    const qint64 shellLines = lineCount(shellOut);
    // Ours: header, the rows, the trailing empty line. The shell's: header and rows.
    if (ourLines - 2 != outcome.rows || shellLines - 1 != outcome.rows)
        fail("the two exports hold different rows",
             QStringLiteral("%1 / %2 / %3").arg(ourLines).arg(shellLines).arg(outcome.rows));
    const double ratio = median(ours) / median(theirs);
    std::printf("\nexport of every visit (%lld rows, %.1f MB), median of %d, ms\n",
                static_cast<long long>(outcome.rows),
                static_cast<double>(QFileInfo(outcome.path).size()) / 1e6, reps);
    std::printf("  ExportReport (general dates, QSaveFile) %9.1f\n", median(ours));
    std::printf("  sqlite3 -separator TAB -header          %9.1f\n", median(theirs));
    std::printf("  ratio                                   %9.2f  %s\n", ratio,
                ratio <= 2.0 ? "(within 2x)" : "OVER 2x");
    return 0;
}
