#include "db/dbtestsupport.h"
#include "reports/criteria/reportexport.h"
#include "util/clock.h"

#include <QDir>
#include <QFile>

namespace zelkora {
namespace {

using reports::ExportReport;

TEST(GeneralDateWriterTest, WritesWhatGeneralDateWrites) {
    const reports::GeneralDateWriter writer;
    QStringList stored;
    for (int hour = 0; hour < 24; ++hour)
        stored << QStringLiteral("2024-03-04 %1:05:07").arg(hour, 2, 10, QLatin1Char('0'));
    stored << QStringLiteral("1999-12-31 23:59:59") << QStringLiteral("2010-12-03 09:05:07")
           << QStringLiteral("2024-10-10 12:00:00");
    for (const QString& text : stored) {
        SCOPED_TRACE(text.toStdString());
        QString out = QStringLiteral(">");
        writer.append(text, out);
        EXPECT_EQ(out, QLatin1Char('>') + generalDate(db::DateFromStored(text)));
    }
    QString out;
    writer.append(QStringLiteral("2010-12-03 09:05:07"), out);
    EXPECT_EQ(out, QStringLiteral("12/3/2010 9:05:07 AM"));
    // What is no stored date is written as it is.
    out.clear();
    writer.append(QStringLiteral("soon"), out);
    EXPECT_EQ(out, QStringLiteral("soon"));
}

TEST(GeneralDateWriterTest, FollowsOtherLocalesFormats) {
    struct Case {
        const char* locale;
        const char* date;
        const char* time;
    };
    const Case cases[] = {
        {"C", "d MMM yyyy", "HH:mm:ss"},         {"de_DE", "dd.MM.yyyy", "HH:mm:ss"},
        {"fr_FR", "dddd d MMMM yyyy", "H'h'mm"}, {"en_GB", "ddd dd/MM/yy", "h:mm:ss ap"},
        {"en_US", "yyyy-MM-dd 'at'", "hh:mm A"},
    };
    const QStringList stored = {QStringLiteral("2024-03-04 00:05:07"),
                                QStringLiteral("2024-12-29 12:30:00"),
                                QStringLiteral("2023-07-16 23:59:59")};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        const QLocale locale(QLatin1String(c.locale));
        const reports::GeneralDateWriter writer(locale, QLatin1String(c.date),
                                                QLatin1String(c.time));
        for (const QString& text : stored) {
            const QDateTime when = db::DateFromStored(text);
            QString out;
            writer.append(text, out);
            EXPECT_EQ(out, locale.toString(when.date(), QLatin1String(c.date)) + QLatin1Char(' ') +
                               locale.toString(when.time(), QLatin1String(c.time)));
        }
    }
}

class ReportExportTest : public test::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        folder = root() + QStringLiteral("/export");
        ASSERT_TRUE(QDir().mkpath(folder));
    }

    qlonglong visit(const QString& badge, const QString& name, const char* in, const char* out,
                    const QVariantList& fields = {}) {
        db::ExecResult result;
        StationError e =
            db::RunSP(QStringLiteral("qAddLabel"),
                      addLabelParameters(0, badge, name, QString::fromLatin1(in), fields), &result);
        EXPECT_FALSE(e.isError()) << e;
        const qlonglong id = result.returnedId.toLongLong();
        if (out) {
            EXPECT_FALSE(
                db::RunSP(QStringLiteral("qLogOut"), logOutParameters(QString::fromLatin1(out), id))
                    .isError());
        }
        return id;
    }
    // Many short visits in one transaction.
    void manyVisits(int count) {
        ASSERT_TRUE(rawExec(QStringLiteral("BEGIN")));
        for (int i = 0; i < count; ++i)
            rawExec(QStringLiteral("INSERT INTO Labels (TypeID, BadgeName, Name, LogInTime, "
                                   "LogOutTime) VALUES (0, 'Visitor', 'Visitor %1', "
                                   "'2024-03-04 10:00:00', '2024-03-04 11:00:00')")
                        .arg(i));
        ASSERT_TRUE(rawExec(QStringLiteral("COMMIT")));
        closeRaw();
    }
    static reports::ReportQuery allVisits() {
        reports::ReportCriteria criteria;
        criteria.startDate = QStringLiteral("3/1/2024");
        criteria.endDate = QStringLiteral("3/31/2024");
        return reports::BuildReportQuery(criteria, reports::ExportColumns());
    }
    QStringList folderEntries() const {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QString folder;
};

TEST_F(ReportExportTest, WritesTheFileByteForByte) {
    visit(QStringLiteral("Visitor"), QStringLiteral("Ann Smith"), "2024-03-04 09:05:07",
          "2024-03-04 10:00:00", {QStringLiteral("Acme, Inc."), QString()});
    // Still in: no check-out time, no minutes.
    visit(QStringLiteral("Visitor's Guest"), QStringLiteral("Pat O'Neil"), "2024-03-04 13:30:00",
          nullptr, {QString(), QStringLiteral("Room 4")});
    // A tab or line break in an answer would split the visit's line.
    visit(QStringLiteral("Vendor"), QStringLiteral("Zoë Ünal"), "2024-03-05 23:59:00",
          "2024-03-06 00:01:00", {QStringLiteral("two\tparts"), QStringLiteral("line\r\nbreak")});
    visit(QStringLiteral("Visitor"), QStringLiteral("Too Late"), "2024-04-01 00:00:00", nullptr);

    qint64 total = -1;
    ASSERT_FALSE(reports::CountReportRows(allVisits(), &total).isError());
    EXPECT_EQ(total, 3);
    const reports::ExportOutcome outcome = ExportReport(allVisits(), folder, total);
    ASSERT_FALSE(outcome.error.isError()) << outcome.error;
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_EQ(outcome.rows, 3);
    EXPECT_EQ(outcome.path, folder + QStringLiteral("/Orv_Security.txt"));

    const QByteArray expected =
        "ID\tLabel Name\tName\tCheck In Time\tCheck Out Time\tMinutes\tAdditional Info 1\t"
        "Additional Info 2\r\n"
        "1\tVisitor\tAnn Smith\t3/4/2024 9:05:07 AM\t3/4/2024 10:00:00 AM\t55\tAcme, Inc.\t\r\n"
        "2\tVisitor's Guest\tPat O'Neil\t3/4/2024 1:30:00 PM\t\t\t\tRoom 4\r\n"
        "3\tVendor\tZo\xc3\xab \xc3\x9cnal\t3/5/2024 11:59:00 PM\t3/6/2024 12:01:00 AM\t2\t"
        "two parts\tline  break\r\n"
        "\r\n";
    EXPECT_EQ(readFile(outcome.path), expected);
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("Orv_Security.txt")});
}

TEST_F(ReportExportTest, NoRowsGiveTheHeaderAndTheLastLineEnd) {
    const reports::ExportOutcome outcome = ExportReport(allVisits(), folder + QLatin1Char('/'));
    ASSERT_FALSE(outcome.error.isError()) << outcome.error;
    EXPECT_EQ(outcome.path, folder + QStringLiteral("/Orv_Security.txt"));
    EXPECT_EQ(readFile(outcome.path), reports::ExportHeaderLine() + "\r\n");
}

TEST_F(ReportExportTest, CancelledExportLeavesNoFile) {
    manyVisits(2500);
    QList<qint64> seen;
    const reports::ExportOutcome outcome =
        ExportReport(allVisits(), folder, 2500, [&](qint64 rows, qint64 total) {
            seen << rows;
            EXPECT_EQ(total, 2500);
            return rows < 2000;
        });
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_FALSE(outcome.error.isError());
    EXPECT_EQ(seen, (QList<qint64>{1000, 2000}));
    EXPECT_TRUE(folderEntries().isEmpty());

    // An earlier export stays as it was.
    writeFile(folder + QStringLiteral("/Orv_Security.txt"), "earlier");
    const reports::ExportOutcome again =
        ExportReport(allVisits(), folder, -1, [](qint64, qint64) { return false; });
    EXPECT_TRUE(again.cancelled);
    EXPECT_EQ(readFile(folder + QStringLiteral("/Orv_Security.txt")), QByteArray("earlier"));
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("Orv_Security.txt")});

    // Cancelling on the last slice still writes nothing.
    const reports::ExportOutcome last =
        ExportReport(allVisits(), folder, -1, [](qint64 rows, qint64) { return rows < 2500; });
    EXPECT_TRUE(last.cancelled);
    EXPECT_EQ(readFile(folder + QStringLiteral("/Orv_Security.txt")), QByteArray("earlier"));
}

TEST_F(ReportExportTest, FailuresLeaveNoFile) {
    manyVisits(1500);
    // A folder that does not exist.
    const reports::ExportOutcome missing =
        ExportReport(allVisits(), folder + QStringLiteral("/nowhere"));
    EXPECT_EQ(missing.error.number, 75);
    EXPECT_TRUE(missing.error.description.contains(QLatin1String("Orv_Security.txt")));

    // A statement that fails after the header was written.
    reports::ReportQuery broken = allVisits();
    broken.sql.replace(QLatin1String("Field2"), QLatin1String("NoSuchField"));
    const reports::ExportOutcome failed = ExportReport(broken, folder);
    EXPECT_TRUE(failed.error.isError());
    EXPECT_FALSE(failed.cancelled);
    EXPECT_TRUE(folderEntries().isEmpty());
}

} // namespace
} // namespace zelkora
