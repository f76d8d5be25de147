#include "db/dbtestsupport.h"
#include "reports/criteria/reportcriteria.h"

namespace zelkora {
namespace {

using reports::BuildReportQuery;
using reports::ReportCriteria;
using reports::ValidateCriteria;

TEST(ReportDateTest, ReadsTheShortDateFormAndIsoDates) {
    struct Case {
        const char* text;
        QDate expected; // invalid: no date
    };
    const Case cases[] = {
        {"3/5/2024", QDate(2024, 3, 5)},
        {"03/05/2024", QDate(2024, 3, 5)},
        {" 12/31/2023 ", QDate(2023, 12, 31)},
        {"3/5/24", QDate(2024, 3, 5)},
        {"1/1/29", QDate(2029, 1, 1)},
        {"1/1/30", QDate(1930, 1, 1)},
        {"2024-03-05", QDate(2024, 3, 5)},
        {"2/29/2024", QDate(2024, 2, 29)},
        {"2/29/2023", QDate()},
        {"13/1/2024", QDate()},
        {"3/5", QDate()},
        {"3/5/202", QDate()},
        {"abc", QDate()},
        {"", QDate()},
        {"3/5/2024 10:00", QDate()},
        {"3/5/2024'", QDate()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto date = reports::ReadReportDate(QString::fromLatin1(c.text));
        ASSERT_EQ(date.has_value(), c.expected.isValid());
        if (date) {
            EXPECT_EQ(*date, c.expected);
        }
    }
    EXPECT_EQ(reports::ReportDateText(QDate(2024, 3, 5)), QStringLiteral("3/5/2024"));
    EXPECT_EQ(reports::ReadReportDate(reports::ReportDateText(QDate(1999, 12, 31))),
              QDate(1999, 12, 31));
}

TEST(ReportCriteriaTest, ValidationMessagesInTheirOrder) {
    struct Case {
        const char* what;
        ReportCriteria criteria;
        const char* message; // empty: valid
    };
    const auto c = [](bool dates, const char* start, const char* end, bool byName, const char* name,
                      bool byType) {
        ReportCriteria r;
        r.byDates = dates;
        r.startDate = QString::fromLatin1(start);
        r.endDate = QString::fromLatin1(end);
        r.byName = byName;
        r.name = QString::fromLatin1(name);
        r.byType = byType;
        r.type = QStringLiteral("Visitor");
        return r;
    };
    const Case cases[] = {
        {"defaults", c(true, "3/4/2024", "3/5/2024", false, "", false), ""},
        {"same day", c(true, "3/5/2024", "3/5/2024", false, "", false), ""},
        {"bad start", c(true, "3/45/2024", "3/5/2024", false, "", false),
         "The Start Date is invalid."},
        {"bad start before bad end", c(true, "x", "y", false, "", false),
         "The Start Date is invalid."},
        {"bad end", c(true, "3/4/2024", "", false, "", false), "The End Date is invalid."},
        {"end before start", c(true, "3/5/2024", "3/4/2024", false, "", false),
         "The End Date must be after or equal to the Start Date."},
        {"bad dates ignored when not ticked", c(false, "x", "y", false, "", true), ""},
        {"blank name", c(true, "3/4/2024", "3/5/2024", true, "   ", false),
         "Please enter a name to Search By."},
        {"name alone", c(false, "", "", true, "smi", false), ""},
        {"type alone", c(false, "", "", false, "", true), ""},
        {"nothing ticked", c(false, "", "", false, "smi", false),
         "Please select at least one report search criteria."},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.what);
        EXPECT_EQ(ValidateCriteria(t.criteria), QString::fromLatin1(t.message));
    }
    EXPECT_STREQ(reports::kValidationTitle, "Validation Error");
}

TEST(ReportCriteriaTest, TheSmiExampleBindsEveryText) {
    ReportCriteria criteria;
    criteria.startDate = QStringLiteral("3/4/2024");
    criteria.endDate = QStringLiteral("3/5/2024");
    criteria.byName = true;
    criteria.name = QStringLiteral("smi");
    const reports::ReportQuery query = BuildReportQuery(criteria);
    EXPECT_EQ(query.sql, QStringLiteral("SELECT * FROM qLabelSummaryReport WHERE 1=1  AND "
                                        "LogInTime >= ? AND LogInTime <= ?  AND Name LIKE ? "
                                        "ESCAPE '\\'  ORDER BY LogInTime,Name"));
    EXPECT_EQ(query.values,
              (QVariantList{QStringLiteral("2024-03-04 00:00:00"),
                            QStringLiteral("2024-03-05 23:59:59"), QStringLiteral("%smi%")}));
    EXPECT_EQ(query.parameterText, QStringLiteral("Dates: 3/4/2024 - 3/5/2024 11:59:59 PM\r\n"
                                                  "Name: Contains smi\r\n"
                                                  "Sort By: Log In Date\r\n"));
    EXPECT_FALSE(query.sql.contains(QLatin1String("smi")));
}

TEST(ReportCriteriaTest, TypeAndTheThreeOrders) {
    struct Case {
        const char* choice;
        const char* orderBy;
        const char* line;
    };
    const Case cases[] = {
        {"Log In Date", " ORDER BY LogInTime,Name", "Sort By: Log In Date\r\n"},
        {"Log Out Date", " ORDER BY LogOutTime,LogInTime,Name", "Sort By: Log Out Date\r\n"},
        {"Name", " ORDER BY Name,LogInTime,LogOutTime", "Sort By: Name\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.choice);
        ReportCriteria criteria;
        criteria.byDates = false;
        criteria.byType = true;
        criteria.type = QStringLiteral("Visitor's Guest");
        criteria.orderBy = QString::fromLatin1(c.choice);
        const reports::ReportQuery query = BuildReportQuery(criteria);
        EXPECT_TRUE(query.sql.endsWith(QLatin1String(c.orderBy))) << query.sql.toStdString();
        EXPECT_EQ(query.values, QVariantList{QStringLiteral("Visitor's Guest")});
        EXPECT_EQ(query.parameterText,
                  QStringLiteral("Type: Visitor's Guest\r\n") + QLatin1String(c.line));
        EXPECT_FALSE(query.countSql.contains(QLatin1String("ORDER BY")));
    }
    EXPECT_EQ(reports::ReportOrderChoices(),
              (QStringList{QStringLiteral("Log In Date"), QStringLiteral("Log Out Date"),
                           QStringLiteral("Name")}));
}

// The selects run on a real database: the date bounds, names with quotes and wildcards, the
// type, the order.
class ReportQueryTest : public test::DatabaseTest {
protected:
    qlonglong visit(const QString& badge, const QString& name, const char* in,
                    const char* out = nullptr) {
        db::ExecResult result;
        StationError e =
            db::RunSP(QStringLiteral("qAddLabel"),
                      addLabelParameters(0, badge, name, QString::fromLatin1(in)), &result);
        EXPECT_FALSE(e.isError()) << e;
        const qlonglong id = result.returnedId.toLongLong();
        if (out) {
            e = db::RunSP(QStringLiteral("qLogOut"),
                          logOutParameters(QString::fromLatin1(out), id));
            EXPECT_FALSE(e.isError()) << e;
        }
        return id;
    }
    QList<qlonglong> ids(const ReportCriteria& criteria) {
        const reports::ReportQuery query = BuildReportQuery(criteria);
        db::RecordSet rows;
        const StationError e = db::RunSQLReturnRS(query.sql, &rows, query.values);
        EXPECT_FALSE(e.isError()) << e;
        QList<qlonglong> found;
        for (int r = 0; r < rows.rowCount(); ++r)
            found << rows.value(r, QStringLiteral("ID")).toLongLong();
        db::RecordSet count;
        EXPECT_FALSE(db::RunSQLReturnRS(query.countSql, &count, query.values).isError());
        EXPECT_EQ(count.value(0, 0).toLongLong(), found.size());
        return found;
    }
};

TEST_F(ReportQueryTest, SelectsByDatesNameAndType) {
    const qlonglong before = visit(QStringLiteral("Visitor"), QStringLiteral("Early Bird"),
                                   "2024-03-03 23:59:59", "2024-03-04 00:10:00");
    const qlonglong first = visit(QStringLiteral("Visitor"), QStringLiteral("Ann Smith"),
                                  "2024-03-04 00:00:00", "2024-03-04 08:00:00");
    const qlonglong quote = visit(QStringLiteral("Visitor's Guest"), QStringLiteral("Pat O'Neil"),
                                  "2024-03-04 12:00:00");
    const qlonglong last = visit(QStringLiteral("visitor"), QStringLiteral("Joe SMITHERS"),
                                 "2024-03-05 23:59:59", "2024-03-06 00:30:00");
    const qlonglong after =
        visit(QStringLiteral("Visitor"), QStringLiteral("Late 100%"), "2024-03-06 00:00:00");
    const qlonglong same = visit(QStringLiteral("Vendor"), QStringLiteral("Al Smith"),
                                 "2024-03-04 12:00:00", "2024-03-04 13:00:00");

    ReportCriteria dates;
    dates.startDate = QStringLiteral("3/4/2024");
    dates.endDate = QStringLiteral("3/5/2024");
    // Same check-in time: ordered by name.
    EXPECT_EQ(ids(dates), (QList<qlonglong>{first, same, quote, last}));

    ReportCriteria name = dates;
    name.byName = true;
    name.name = QStringLiteral("smi");
    EXPECT_EQ(ids(name), (QList<qlonglong>{first, same, last}));
    name.name = QStringLiteral("O'Neil");
    EXPECT_EQ(ids(name), QList<qlonglong>{quote});
    name.byDates = false;
    name.name = QStringLiteral("0%");
    EXPECT_EQ(ids(name), QList<qlonglong>{after});
    name.name = QStringLiteral("_");
    EXPECT_TRUE(ids(name).isEmpty());

    ReportCriteria type;
    type.byDates = false;
    type.byType = true;
    type.type = QStringLiteral("Visitor's Guest");
    EXPECT_EQ(ids(type), QList<qlonglong>{quote});
    type.type = QStringLiteral("Visitor");
    type.orderBy = QStringLiteral("Log Out Date");
    // Open visits (no check-out time) first, as an ascending sort puts nulls.
    EXPECT_EQ(ids(type), (QList<qlonglong>{after, before, first, last}));
    type.orderBy = QStringLiteral("Name");
    EXPECT_EQ(ids(type), (QList<qlonglong>{first, before, last, after}));
}

} // namespace
} // namespace zelkora
