#include "checkin/printing/reportprint.h"
#include "db/dbtestsupport.h"
#include "support/pdftext.h"
#include "reports/summary/summaryreport.h"
#include "support/fixedclock.h"
#include "util/clock.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <optional>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace zelkora::test {

namespace {

const QString kLabelQuery =
    QStringLiteral("SELECT * FROM qLabelSummaryReport WHERE LogInTime >= ? ORDER BY ID;");
// The check-out window's query, with its dates bound.
const QString kCheckoutQuery = QStringLiteral(
    "SELECT Labels.ID,  Labels.BadgeName AS [Badge Name],  Labels.Name, Labels.LogInTime AS "
    "[Check In] ,Labels.Field9 as [Info1] ,Labels.Field10 as [Info2]  FROM Labels WHERE "
    "(((Labels.LogInTime)>=? And (Labels.LogInTime)<=?) AND ((Labels.LogOutTime) Is Null)) AND "
    "(Labels.TypeID IN (0,1,2) ) ORDER BY Labels.LogInTime;");

struct Visit {
    QString name;
    QString logIn;  // stored text
    QString logOut; // empty: still in
    QString field1 = {};
    QString field2 = {};
};

class SummaryReportTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        m_clock.emplace(at("2026-03-05 09:30:00"));
    }
    void TearDown() override {
        m_clock.reset();
        DatabaseTest::TearDown();
    }

    void addVisits(const QList<Visit>& visits) {
        QSqlQuery insert(raw());
        ASSERT_TRUE(insert.prepare(QStringLiteral(
            "INSERT INTO Labels (TypeID, BadgeName, Name, LogInTime, LogOutTime, Field1, Field2, "
            "Field9, Field10) VALUES (0, 'Visitor', ?, ?, ?, ?, ?, ?, ?)")));
        for (const Visit& v : visits) {
            insert.bindValue(0, v.name);
            insert.bindValue(1, v.logIn);
            insert.bindValue(2, v.logOut.isEmpty() ? QVariant() : QVariant(v.logOut));
            insert.bindValue(3, v.field1);
            insert.bindValue(4, v.field2);
            insert.bindValue(5, v.field1);
            insert.bindValue(6, v.field2);
            ASSERT_TRUE(insert.exec()) << insert.lastError().text().toStdString();
        }
    }
    // `count` visits of 10 minutes, one a minute from 08:00 on 4 March 2026.
    void addManyVisits(int count, bool open = false) {
        QList<Visit> visits;
        const QDateTime first = at("2026-03-04 08:00:00");
        for (int i = 0; i < count; ++i) {
            const QDateTime in = first.addSecs(60 * i);
            visits.append({QStringLiteral("Person %1").arg(i + 1, 3, 10, QLatin1Char('0')),
                           db::DateText(in), open ? QString() : db::DateText(in.addSecs(600))});
        }
        addVisits(visits);
    }

    static SummaryQuery labelQuery() {
        return {kLabelQuery, {QStringLiteral("2026-01-01 00:00:00")}};
    }
    static SummaryQuery checkoutQuery() {
        return {kCheckoutQuery,
                {QStringLiteral("2026-03-01 00:00:00"), QStringLiteral("2026-03-06 09:30:00")}};
    }

    // Saves `report` as a PDF in the station folder and reads its words back.
    QList<PdfWord> render(printing::Report& report, int* pages = nullptr) {
        const QString pdf = stationDir() + QStringLiteral("report.pdf");
        const StationError error =
            printing::SaveReportAsPdf(report, printing::PrinterSettings{}, pdf, QString());
        EXPECT_FALSE(error.isError()) << error;
        return PdfWords(pdf, pages);
    }

    // The line of the first word `text` on `page`, from that word on.
    static QString lineWith(const QList<PdfWord>& words, const QString& text, int page = 0) {
        const PdfWord* word = FindWord(words, text, page);
        return word ? LineFrom(words, *word) : QStringLiteral("<no %1>").arg(text);
    }
    // The whole line of the first word `text` on `page`.
    static QString wholeLine(const QList<PdfWord>& words, const QString& text, int page = 0) {
        const PdfWord* word = FindWord(words, text, page);
        return word ? LineOf(words, *word) : QStringLiteral("<no %1>").arg(text);
    }

    std::optional<FixedClock> m_clock;
};

} // namespace

TEST(SummaryFormats, DatesAndTotals) {
    struct DateCase {
        const char* stored;
        const char* dateTime;
        const char* time;
    };
    for (const DateCase& c : std::vector<DateCase>{
             {"2026-03-04 14:05:00", "03/04/26 02:05 PM", "02:05 PM"},
             {"2026-12-31 00:07:59", "12/31/26 12:07 AM", "12:07 AM"},
             {"2026-07-01 12:00:00", "07/01/26 12:00 PM", "12:00 PM"},
         }) {
        EXPECT_EQ(SummaryDateTimeText(QString::fromLatin1(c.stored)), QLatin1String(c.dateTime));
        EXPECT_EQ(SummaryTimeText(QString::fromLatin1(c.stored)), QLatin1String(c.time));
    }
    EXPECT_EQ(SummaryDateTimeText(QVariant()), QString());
    EXPECT_EQ(SummaryTimeText(QVariant()), QString());

    struct TotalCase {
        qint64 minutes;
        const char* text;
    };
    for (const TotalCase& c : std::vector<TotalCase>{{0, "0 minutes"},
                                                     {45, "45 minutes"},
                                                     {59, "59 minutes"},
                                                     {60, "1 hours 0 minutes"},
                                                     {135, "2 hours 15 minutes"},
                                                     {100000, "1666 hours 40 minutes"}})
        EXPECT_EQ(rptLabelSummary::FormatTotal(c.minutes), QLatin1String(c.text)) << c.minutes;
}

TEST_F(SummaryReportTest, LabelSummaryRowsAsDesigned) {
    addVisits({
        {QStringLiteral("Ann Long"), QStringLiteral("2026-03-04 14:05:00"),
         QStringLiteral("2026-03-04 15:40:00"), QStringLiteral("Acme"), QStringLiteral("Room 4")},
        {QStringLiteral("Bob OneStep"), QStringLiteral("2026-03-04 16:00:10"),
         QStringLiteral("2026-03-04 16:00:50")},
        {QStringLiteral("Cy Open"), QStringLiteral("2026-03-05 08:00:00"), QString()},
    });
    rptLabelSummary report(QStringLiteral("Northwind Works"), QString(), labelQuery());
    const QList<PdfWord> words = render(report);

    // The title, and the criteria at its right.
    EXPECT_EQ(lineWith(words, QStringLiteral("Security")),
              QStringLiteral("Security Summary Report Report Parameters: None"));
    EXPECT_EQ(lineWith(words, QStringLiteral("Northwind")), QStringLiteral("Northwind Works"));
    EXPECT_EQ(report.parameterValues(), QStringLiteral("None"));
    EXPECT_EQ(wholeLine(words, QStringLiteral("ID")),
              QStringLiteral("ID # Name Date Issued Additional Information 1"));
    EXPECT_EQ(wholeLine(words, QStringLiteral("Signed")),
              QStringLiteral("Badge Name Signed Out Elapsed Additional Information 2"));

    // Line 1: ID, name, check-in, answer 1; line 2: badge name, check-out time, minutes, answer 2.
    EXPECT_EQ(wholeLine(words, QStringLiteral("Ann")),
              QStringLiteral("1 Ann Long 03/04/26 02:05 PM Acme"));
    EXPECT_EQ(wholeLine(words, QStringLiteral("95")), QStringLiteral("Visitor 03:40 PM 95 Room 4"));
    // The one-step visit: "Checkout" and no Signed Out time.
    EXPECT_EQ(wholeLine(words, QStringLiteral("Checkout")), QStringLiteral("Visitor Checkout"));
    // The open visit: neither.
    const PdfWord* open = FindWord(words, QStringLiteral("Cy"));
    ASSERT_NE(open, nullptr);
    const PdfWord* badges[3] = {};
    int found = 0;
    for (const PdfWord& w : words) {
        if (w.text == QStringLiteral("Visitor") && found < 3)
            badges[found++] = &w;
    }
    ASSERT_EQ(found, 3);
    EXPECT_EQ(LineOf(words, *badges[2]), QStringLiteral("Visitor"));
    EXPECT_GT(badges[2]->yMin, open->yMin);

    EXPECT_EQ(lineWith(words, QStringLiteral("Total:")),
              QStringLiteral("Total: 1 hours 35 minutes"));
    EXPECT_EQ(lineWith(words, QStringLiteral("Page")),
              QStringLiteral("Page 1 Report Date: ") + generalDate(at("2026-03-05 09:30:00")));
}

TEST_F(SummaryReportTest, TotalsOfTheGroupFooter) {
    struct Case {
        QList<int> minutes; // -1: an open visit
        const char* total;
    };
    const std::vector<Case> cases{
        {{45}, "Total: 45 minutes"},
        {{20, 40, -1}, "Total: 1 hours 0 minutes"},
        {{95, 0, 40, -1}, "Total: 2 hours 15 minutes"},
        {{-1}, "Total: 0 minutes"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(rawExec(QStringLiteral("DELETE FROM Labels")));
        QList<Visit> visits;
        const QDateTime in = at("2026-03-04 10:00:00");
        for (int m : c.minutes)
            visits.append({QStringLiteral("Someone"), db::DateText(in),
                           m < 0 ? QString() : db::DateText(in.addSecs(60 * m))});
        addVisits(visits);
        rptLabelSummary report(QStringLiteral("Northwind"), QStringLiteral("x"), labelQuery());
        EXPECT_EQ(lineWith(render(report), QStringLiteral("Total:")), QLatin1String(c.total));
    }
}

TEST_F(SummaryReportTest, PagesFollowTheRowsAndTheFooterEndsTheLastOne) {
    const int perPage = SummaryReport::kRowsPerPage;
    struct Case {
        int rows;
        int pages;
        bool totalAlone; // the group footer on a page of its own
    };
    for (const Case& c : std::vector<Case>{{perPage - 1, 1, false},
                                           {perPage, 2, true},
                                           {perPage + 1, 2, false},
                                           {3 * perPage + 5, 4, false}}) {
        SCOPED_TRACE(c.rows);
        ASSERT_TRUE(rawExec(QStringLiteral("DELETE FROM Labels")));
        addManyVisits(c.rows);
        rptLabelSummary report(QStringLiteral("Northwind"), QString(), labelQuery());
        int pages = 0;
        const QList<PdfWord> words = render(report, &pages);
        EXPECT_EQ(pages, c.pages);
        EXPECT_EQ(report.pageCount(), c.pages);
        EXPECT_EQ(report.rowCount(), c.rows);
        for (int page = 0; page < pages; ++page) {
            EXPECT_EQ(lineWith(words, QStringLiteral("Page"), page).section(QLatin1Char(' '), 0, 1),
                      QStringLiteral("Page %1").arg(page + 1));
            EXPECT_TRUE(FindWord(words, QStringLiteral("Security"), page)) << page;
            const bool last = page == pages - 1;
            EXPECT_EQ(FindWord(words, QStringLiteral("Total:"), page) != nullptr, last) << page;
        }
        // Every row once, in the query's order, the first of page 2 after the last of page 1.
        int seen = 0;
        for (const PdfWord& w : words) {
            if (w.text == QStringLiteral("Person")) {
                ++seen;
                const QString line = LineFrom(words, w);
                EXPECT_TRUE(
                    line.startsWith(QStringLiteral("Person %1").arg(seen, 3, 10, QLatin1Char('0'))))
                    << line.toStdString();
                EXPECT_EQ(w.page, (seen - 1) / perPage);
            }
        }
        EXPECT_EQ(seen, c.rows);
        const PdfWord* total = FindWord(words, QStringLiteral("Total:"), pages - 1);
        ASSERT_NE(total, nullptr);
        EXPECT_EQ(LineOf(words, *total),
                  QStringLiteral("Total: ") + rptLabelSummary::FormatTotal(10 * c.rows));
        const bool alone = !PageText(words, pages - 1).contains(QStringLiteral("Person"));
        EXPECT_EQ(alone, c.totalAlone);
    }
}

TEST_F(SummaryReportTest, PagesPaintTheSameInAnyOrder) {
    addManyVisits(12 * SummaryReport::kRowsPerPage);
    rptLabelSummary report(
        QStringLiteral("Northwind"), QString(),
        {QStringLiteral("SELECT * FROM qLabelSummaryReport ORDER BY Name DESC"), {}});
    QImage page(850, 1100, QImage::Format_RGB32);
    page.setDotsPerMeterX(3937); // 100 dpi
    page.setDotsPerMeterY(3937);
    ASSERT_FALSE(report.start(page).isError());
    ASSERT_EQ(report.pageCount(), 13);
    const auto paint = [&](int index) {
        page.fill(Qt::white);
        QPainter painter(&page);
        StationError error;
        EXPECT_TRUE(report.paintPage(index, painter, &error)) << index;
        EXPECT_FALSE(error.isError()) << error;
        return page.copy();
    };
    const QImage eleventh = paint(11);
    const QImage first = paint(0);
    const QImage last = paint(12);
    EXPECT_EQ(paint(11), eleventh);
    EXPECT_EQ(paint(0), first);
    EXPECT_EQ(paint(12), last);
    EXPECT_NE(first, eleventh);
    QPainter painter(&page);
    StationError error;
    EXPECT_FALSE(report.paintPage(13, painter, &error));
    EXPECT_FALSE(error.isError());
}

TEST_F(SummaryReportTest, EmptyResultPrintsAnEmptySummary) {
    for (const bool checkout : {false, true}) {
        SCOPED_TRACE(checkout);
        std::unique_ptr<SummaryReport> report;
        if (checkout)
            report = std::make_unique<rptCheckoutSummary>(QStringLiteral("Northwind"), QString(),
                                                          checkoutQuery());
        else
            report = std::make_unique<rptLabelSummary>(QStringLiteral("Northwind"), QString(),
                                                       labelQuery());
        int pages = 0;
        const QList<PdfWord> words = render(*report, &pages);
        EXPECT_EQ(pages, 1);
        EXPECT_EQ(lineWith(words, QStringLiteral("Parameters:")),
                  QStringLiteral("Parameters: None"));
        EXPECT_TRUE(FindWord(words, QStringLiteral("Additional")));
        EXPECT_EQ(FindWord(words, QStringLiteral("Visitor")), nullptr);
        EXPECT_EQ(lineWith(words, QStringLiteral("Page")).section(QLatin1Char(' '), 0, 1),
                  QStringLiteral("Page 1"));
        if (checkout)
            EXPECT_EQ(FindWord(words, QStringLiteral("Total:")), nullptr);
        else
            EXPECT_EQ(lineWith(words, QStringLiteral("Total:")),
                      QStringLiteral("Total: 0 minutes"));
    }
}

TEST_F(SummaryReportTest, CheckoutSummaryBindsTheCheckOutColumns) {
    addVisits({
        {QStringLiteral("Ann Long"), QStringLiteral("2026-03-04 14:05:00"), QString(),
         QStringLiteral("Acme"), QStringLiteral("Room 4")},
        {QStringLiteral("Gone Already"), QStringLiteral("2026-03-04 15:00:00"),
         QStringLiteral("2026-03-04 15:30:00")},
    });
    rptCheckoutSummary report(
        QStringLiteral("Northwind Works"),
        QStringLiteral("Dates: 3/1/2026 - 3/6/2026 9:30:00 AM\r\nSort By: Date"), checkoutQuery());
    const QList<PdfWord> words = render(report);
    EXPECT_EQ(
        lineWith(words, QStringLiteral("Checkout")),
        QStringLiteral("Checkout Report Report Parameters: Dates: 3/1/2026 - 3/6/2026 9:30:00 AM"));
    // The second line of the criteria under the first.
    EXPECT_EQ(wholeLine(words, QStringLiteral("Sort")), QStringLiteral("Sort By: Date"));
    EXPECT_NEAR(FindWord(words, QStringLiteral("Sort"))->xMin,
                FindWord(words, QStringLiteral("Dates:"))->xMin, 1);
    EXPECT_EQ(FindWord(words, QStringLiteral("Signed")), nullptr);
    EXPECT_EQ(FindWord(words, QStringLiteral("Elapsed")), nullptr);
    EXPECT_EQ(FindWord(words, QStringLiteral("Total:")), nullptr);
    EXPECT_EQ(wholeLine(words, QStringLiteral("Ann")),
              QStringLiteral("1 Ann Long 03/04/26 02:05 PM Acme"));
    EXPECT_EQ(wholeLine(words, QStringLiteral("Room")), QStringLiteral("Visitor Room 4"));
    EXPECT_EQ(FindWord(words, QStringLiteral("Gone")), nullptr);
}

TEST_F(SummaryReportTest, QueryErrorsAndCancellingReachTheCaller) {
    addManyVisits(3 * SummaryReport::kRowsPerPage);
    const QString pdf = stationDir() + QStringLiteral("failed.pdf");
    {
        // The label summary's columns are not the check-out query's.
        rptLabelSummary report(QStringLiteral("Northwind"), QString(),
                               {QStringLiteral("SELECT ID, Name, LogInTime FROM Labels"), {}});
        const StationError e =
            printing::SaveReportAsPdf(report, printing::PrinterSettings{}, pdf, QString());
        EXPECT_TRUE(e.isError());
        EXPECT_FALSE(QFile::exists(pdf));
    }
    {
        rptCheckoutSummary report(QStringLiteral("Northwind"), QString(),
                                  {QStringLiteral("SELECT * FROM NoSuchTable"), {}});
        EXPECT_TRUE(printing::SaveReportAsPdf(report, printing::PrinterSettings{}, pdf, QString())
                        .isError());
    }
    {
        rptLabelSummary report(QStringLiteral("Northwind"), QString(), labelQuery());
        QList<int> seen;
        report.setProgressHandler([&](int page, int pages) {
            EXPECT_EQ(pages, 4);
            seen << page;
            return page < 2;
        });
        const StationError e =
            printing::SaveReportAsPdf(report, printing::PrinterSettings{}, pdf, QString());
        EXPECT_EQ(e.number, SummaryReport::kErrCancelled);
        EXPECT_EQ(seen, (QList<int>{0, 1, 2}));
        EXPECT_FALSE(QFile::exists(pdf));
    }
}

} // namespace zelkora::test
