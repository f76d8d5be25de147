#include "checkout/checkoutlist.h"
#include "checkout/checkoutlistmodel.h"
#include "checkouttest.h"
#include "settings/settingsstore.h"
#include "support/scriptedprompter.h"

#include <QAbstractItemModelTester>

namespace zelkora {
namespace {

using test::CheckoutTest;

QList<qint32> idsOf(const CheckoutListModel& model) {
    QList<qint32> ids;
    for (int row = 0; row < model.rowCount(); ++row)
        ids << model.value(row, kCheckoutId).toInt();
    return ids;
}

void fetchAll(CheckoutListModel& model) {
    while (model.canFetchMore())
        model.fetchMore();
}

QList<qint32> listed(const CheckoutQuery& query) {
    CheckoutListModel model;
    const StationError error = model.setQuery(query);
    EXPECT_FALSE(error.isError()) << error;
    fetchAll(model);
    return idsOf(model);
}

CheckoutQuery currentQuery(const CheckoutSort& sort = DefaultCheckoutSort()) {
    QList<int> types;
    EXPECT_FALSE(LoadCheckoutTypeList(&types).isError());
    return CheckoutQuery(CheckoutPeriodAt(CheckoutTest::now(), LogoutDays()), types, sort);
}

TEST_F(CheckoutTest, ListsOpenVisitsOfThePeriodAndOfTypesWithoutOneStep) {
    oneStepTypes({2});
    const QDateTime n = now();
    const qint32 tooEarly = visit(0, n.addSecs(-25 * 3600));
    const qint32 dayAgo = visit(6, n.addDays(-1));
    const qint32 recent = visit(0, n.addSecs(-23 * 3600));
    const qint32 ahead = visit(0, n.addSecs(23 * 3600));
    visit(0, n.addSecs(25 * 3600));       // beyond To
    close(visit(0, n.addSecs(-3600)), n); // closed visits never show
    visit(1, n.addSecs(-3600));           // label 2 checks in and out in one step

    struct Case {
        const char* logoutDays; // nullptr: the setting is absent
        QList<qint32> expected;
    };
    const Case cases[] = {
        {nullptr, {dayAgo, recent, ahead}},
        {"2", {tooEarly, dayAgo, recent, ahead}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.logoutDays ? c.logoutDays : "absent");
        if (c.logoutDays) {
            ASSERT_TRUE(SaveSetting(QStringLiteral("LogoutDays"), QLatin1String(c.logoutDays)));
        }
        EXPECT_EQ(listed(currentQuery()), c.expected);
    }
    EXPECT_EQ(CheckoutPeriodAt(n, 1).from, n.addDays(-1));
    EXPECT_EQ(CheckoutPeriodAt(n, 1).to, n.addDays(1));
}

TEST_F(CheckoutTest, AllSevenOneStepGiveAnEmptyListNotAnError) {
    oneStepTypes({1, 2, 3, 4, 5, 6, 7});
    visit(0, now().addSecs(-60));
    QList<int> types{99};
    ASSERT_FALSE(LoadCheckoutTypeList(&types).isError());
    EXPECT_TRUE(types.isEmpty());
    CheckoutListModel model;
    const StationError error = model.setQuery(currentQuery());
    EXPECT_FALSE(error.isError()) << error;
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 6);
    // The print-out reads the same query: it must run and name its columns.
    db::RecordSet rows;
    ASSERT_FALSE(db::RunSQLReturnRS(model.query().sql(), &rows, model.query().values()).isError());
    EXPECT_EQ(rows.fieldNames(), (QStringList{QStringLiteral("ID"), QStringLiteral("Badge Name"),
                                              QStringLiteral("Name"), QStringLiteral("Check In"),
                                              QStringLiteral("Info1"), QStringLiteral("Info2")}));
}

TEST_F(CheckoutTest, TenSortOrders) {
    const QDateTime n = now();
    const qint32 v1 = visit(0, n.addSecs(-3 * 3600), QStringLiteral("carol"), QStringLiteral("x"),
                            QStringLiteral("m"), QStringLiteral("B"));
    const qint32 v2 = visit(0, n.addSecs(-1 * 3600), QStringLiteral("Alice"), QStringLiteral("z"),
                            QVariant(), QStringLiteral("C"));
    const qint32 v3 = visit(0, n.addSecs(-2 * 3600), QStringLiteral("bob"), QStringLiteral("y"),
                            QStringLiteral("Z"), QStringLiteral("A"));
    close(visit(0, n.addSecs(-1800), QStringLiteral("Aaron"), QStringLiteral("a"),
                QStringLiteral("a"), QStringLiteral("A")),
          n);

    struct Case {
        const char* choice;
        const char* column;
        bool descending;
        QList<qint32> expected;
    };
    const Case cases[] = {
        {"Date", "Labels.LogInTime", false, {v1, v3, v2}},
        {"Badge Name", "Labels.BadgeName", false, {v3, v1, v2}},
        {"Name", "Labels.Name", false, {v2, v3, v1}},
        {"Info 1", "Labels.Field9", false, {v1, v3, v2}},
        {"Info 2", "Labels.Field10", false, {v2, v1, v3}},
        {"Date Descending", "Labels.LogInTime", true, {v2, v3, v1}},
        {"Badge Name Descending", "Labels.BadgeName", true, {v2, v1, v3}},
        {"Name Descending", "Labels.Name", true, {v1, v3, v2}},
        {"Info 1 Descending", "Labels.Field9", true, {v2, v3, v1}},
        {"Info 2 Descending", "Labels.Field10", true, {v3, v1, v2}},
    };
    ASSERT_EQ(CheckoutSortChoices().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.choice);
        const CheckoutSort& sort = CheckoutSortChoices().at(static_cast<qsizetype>(i));
        EXPECT_EQ(sort.choice, QLatin1String(c.choice)); // list order
        EXPECT_EQ(sort.column, QLatin1String(c.column));
        EXPECT_EQ(sort.descending, c.descending);
        ASSERT_TRUE(CheckoutSortFor(sort.choice));
        EXPECT_EQ(listed(currentQuery(sort)), c.expected);
    }
    EXPECT_FALSE(CheckoutSortFor(QStringLiteral("Shoe Size")));
}

TEST_F(CheckoutTest, PagesFollowEachOtherInEveryOrderWithoutSkippingRows) {
    // More rows than a page, with repeated and missing sort values, so pages must continue
    // within runs of equal values.
    const QStringList infos{QString(), QStringLiteral("a"), QStringLiteral("B"),
                            QStringLiteral("c")};
    ASSERT_FALSE(db::RunInTransaction([&]() -> StationError {
                     for (int i = 0; i < 2 * CheckoutListModel::kPageRows + 50; ++i)
                         visit(0, now().addSecs(-60 * (i % 37)), QStringLiteral("N%1").arg(i % 5),
                               infos.at(i % 4), infos.at((i / 3) % 4));
                     return {};
                 }).isError());

    for (const CheckoutSort& sort : CheckoutSortChoices()) {
        SCOPED_TRACE(sort.choice.toStdString());
        const CheckoutQuery query = currentQuery(sort);
        db::RecordSet whole;
        ASSERT_FALSE(db::RunSQLReturnRS(query.sql(), &whole, query.values()).isError());
        QList<qint32> expected;
        for (int r = 0; r < whole.rowCount(); ++r)
            expected << whole.value(r, 0).toInt();

        CheckoutListModel model;
        ASSERT_FALSE(model.setQuery(query).isError());
        EXPECT_EQ(model.rowCount(), CheckoutListModel::kPageRows); // the first screenful only
        EXPECT_TRUE(model.canFetchMore());
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        fetchAll(model);
        EXPECT_EQ(idsOf(model), expected);
    }
}

TEST_F(CheckoutTest, AVisitClosedBetweenPagesIsNeitherRepeatedNorCostsAnotherRow) {
    ASSERT_FALSE(db::RunInTransaction([&]() -> StationError {
                     for (int i = 0; i < CheckoutListModel::kPageRows + 20; ++i)
                         visit(0, now().addSecs(-i * 60));
                     return {};
                 }).isError());
    CheckoutListModel model;
    ASSERT_FALSE(model.setQuery(currentQuery()).isError());
    const QList<qint32> before = idsOf(model);
    // Another station checks out a visit already shown and one not read yet.
    close(before.at(3), now());
    const QList<qint32> whole = listed(currentQuery());
    const qint32 unread = whole.at(whole.size() - 5);
    close(unread, now());
    fetchAll(model);
    QList<qint32> expected = before;
    for (qint32 id : whole) {
        if (!before.contains(id) && id != unread)
            expected << id;
    }
    EXPECT_EQ(idsOf(model), expected);
}

TEST_F(CheckoutTest, GridShowsHeadingsAndTheCheckInInGeneralDateForm) {
    const qint32 id = visit(0, QDateTime(QDate(2026, 3, 10), QTime(10, 0, 30)),
                            QStringLiteral("Pat O'Neil"), QStringLiteral("Room 4"));
    CheckoutListModel model;
    ASSERT_FALSE(model.setQuery(currentQuery()).isError());
    ASSERT_EQ(model.rowCount(), 1);
    const QStringList headings{QStringLiteral("ID"),    QStringLiteral("Badge Name"),
                               QStringLiteral("Name"),  QStringLiteral("Check In"),
                               QStringLiteral("Info1"), QStringLiteral("Info2")};
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(model.headerData(c, Qt::Horizontal).toString(), headings.at(c));
    EXPECT_EQ(model.headerData(0, Qt::Vertical).toInt(), 1); // rows counted from 1
    EXPECT_EQ(model.data(model.index(0, kCheckoutId)).toString(), QString::number(id));
    EXPECT_EQ(model.data(model.index(0, kCheckoutName)).toString(), QStringLiteral("Pat O'Neil"));
    EXPECT_EQ(model.data(model.index(0, kCheckoutCheckIn)).toString(),
              QStringLiteral("3/10/2026 10:00:30 AM"));
    EXPECT_EQ(model.data(model.index(0, kCheckoutInfo1)).toString(), QStringLiteral("Room 4"));
    EXPECT_EQ(model.data(model.index(0, kCheckoutInfo2)).toString(), QString());
    EXPECT_EQ(model.value(0, kCheckoutCheckIn), QVariant(QStringLiteral("2026-03-10 10:00:30")));
}

TEST(CheckoutTimesTest, ElapsedCountsMinuteBoundaries) {
    struct Case {
        QTime checkIn;
        QTime now;
        qint64 minutes;
    };
    const Case cases[] = {
        {QTime(10, 0, 30), QTime(11, 35, 10), 95},
        {QTime(10, 0, 59), QTime(10, 1, 0), 1}, // one second, one boundary
        {QTime(10, 0, 0), QTime(10, 0, 59), 0}, // under a minute
        {QTime(11, 35, 50), QTime(11, 35, 10), 0},
        {QTime(11, 36, 0), QTime(11, 35, 10), -1}, // checked in ahead of now
    };
    const QDate day(2026, 3, 10);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.checkIn.toString().toStdString());
        EXPECT_EQ(MinuteBoundaries(QDateTime(day, c.checkIn), QDateTime(day, c.now)), c.minutes);
    }
    const QDateTime in(day, QTime(10, 0, 30));
    EXPECT_EQ(ElapsedMinutes(in, in.addSecs(32767 * 60)), qint16{32767});
    EXPECT_FALSE(ElapsedMinutes(in, in.addSecs(32768 * 60)));
    EXPECT_EQ(EffectiveTime(in, 95), QDateTime(day, QTime(11, 35, 30)));
    EXPECT_EQ(EffectiveTime(in, 24 * 60), QDateTime(day.addDays(1), QTime(10, 0, 30)));
}

TEST(CheckoutTextsTest, ConfirmationAndParameterText) {
    EXPECT_EQ(
        CheckOutConfirmationText(QDateTime(QDate(2026, 3, 10), QTime(11, 35, 30))),
        QStringLiteral("Are you sure you want to Check Out effective 3/10/2026 11:35:30 AM?"));
    const CheckoutPeriod period =
        CheckoutPeriodAt(QDateTime(QDate(2026, 3, 10), QTime(11, 35, 10)), 1);
    EXPECT_EQ(CheckoutParameterText(period, QStringLiteral("Name Descending")),
              QStringLiteral("Dates: 3/9/2026 11:35:10 AM - 3/11/2026 11:35:10 AM\r\n"
                             "Sort By: Name Descending"));
}

class RunCheckOutTest : public CheckoutTest {
protected:
    // Runs a check-out on the first listed visit with `captured` from the time capture.
    CheckOutOutcome checkOut(qint32 id, qint16 captured, QList<qint16>* offered = nullptr) {
        const QVariant checkIn =
            rawColumn(QStringLiteral("SELECT LogInTime FROM Labels WHERE ID = ?"), {id}).value(0);
        return RunCheckOut(id, checkIn, [&](qint16 elapsed) {
            if (offered)
                offered->append(elapsed);
            return captured;
        });
    }
};

TEST_F(RunCheckOutTest, ConfirmedTimeIsStoredWithTheCheckInSeconds) {
    struct Case {
        const char* name;
        QTime checkIn;
        qint16 captured;
        QList<int> answers;
        CheckOutOutcome outcome;
        const char* stored; // nullptr: the visit stays open
        int messages;
    };
    const Case cases[] = {
        {"confirmed",
         QTime(10, 0, 30),
         95,
         {AnswerYes},
         CheckOutOutcome::CheckedOut,
         "2026-03-10 11:35:30",
         1},
        {"a corrected time",
         QTime(10, 0, 30),
         60,
         {AnswerYes},
         CheckOutOutcome::CheckedOut,
         "2026-03-10 11:00:30",
         1},
        {"No to the confirmation",
         QTime(10, 0, 30),
         95,
         {AnswerNo},
         CheckOutOutcome::Stayed,
         nullptr,
         1},
        {"time capture cancelled", QTime(10, 0, 30), 0, {}, CheckOutOutcome::Stayed, nullptr, 0},
        // Less than a minute in: Elapsed 0, and the 0 the dialog returns counts as cancelled.
        {"under a minute", QTime(11, 35, 2), 0, {}, CheckOutOutcome::Stayed, nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::ScriptedPrompter prompter;
        prompter.messageAnswers = c.answers;
        const qint32 id = visit(0, QDateTime(QDate(2026, 3, 10), c.checkIn));
        QList<qint16> offered;
        EXPECT_EQ(checkOut(id, c.captured, &offered), c.outcome);
        ASSERT_EQ(offered.size(), 1);
        EXPECT_EQ(offered[0], MinuteBoundaries(QDateTime(QDate(2026, 3, 10), c.checkIn), now()));
        if (c.stored)
            EXPECT_EQ(logOutOf(id).toString(), QLatin1String(c.stored));
        else
            EXPECT_TRUE(logOutOf(id).isNull());
        ASSERT_EQ(prompter.messages.size(), c.messages);
        if (c.messages) {
            EXPECT_EQ(prompter.messages[0].code, 36);
            EXPECT_EQ(prompter.messages[0].title, QStringLiteral("Confirmation Required"));
            EXPECT_TRUE(prompter.messages[0].text.startsWith(
                QStringLiteral("Are you sure you want to Check Out effective 3/10/2026 ")));
        }
    }
}

TEST_F(RunCheckOutTest, RefusalsAndFailuresLeaveTheVisitAsItWas) {
    {
        SCOPED_TRACE("more than 32767 minutes");
        test::ScriptedPrompter prompter;
        const qint32 id = visit(0, now().addDays(-23));
        QList<qint16> offered;
        EXPECT_EQ(checkOut(id, 5, &offered), CheckOutOutcome::Stayed);
        EXPECT_TRUE(offered.isEmpty());
        EXPECT_TRUE(logOutOf(id).isNull());
        ASSERT_EQ(prompter.messages.size(), 1);
        EXPECT_EQ(prompter.messages[0].text, ElapsedTooLongText());
    }
    {
        SCOPED_TRACE("checked out elsewhere meanwhile");
        test::ScriptedPrompter prompter;
        prompter.messageAnswers = {AnswerYes};
        const qint32 id = visit(0, now().addSecs(-3600));
        const QDateTime elsewhere = now().addSecs(-600);
        close(id, elsewhere);
        EXPECT_EQ(checkOut(id, 30), CheckOutOutcome::AlreadyClosed);
        EXPECT_EQ(logOutOf(id), QVariant(db::DateText(elsewhere)));
        ASSERT_EQ(prompter.messages.size(), 2);
        EXPECT_EQ(prompter.messages[1].text, AlreadyCheckedOutText());
    }
    {
        SCOPED_TRACE("the update fails");
        test::ScriptedPrompter prompter;
        prompter.messageAnswers = {AnswerYes};
        const qint32 id = visit(0, now().addSecs(-3600));
        ASSERT_TRUE(rawExec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON Labels BEGIN "
                                           "SELECT RAISE(ABORT, 'disk on fire'); END")));
        closeRaw();
        EXPECT_EQ(checkOut(id, 30), CheckOutOutcome::Stayed);
        EXPECT_TRUE(logOutOf(id).isNull());
        ASSERT_EQ(prompter.messages.size(), 2);
        EXPECT_EQ(prompter.messages[1].code, 16);
        EXPECT_TRUE(prompter.messages[1].text.contains(QStringLiteral("disk on fire")));
    }
}

} // namespace
} // namespace zelkora
