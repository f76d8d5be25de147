#include "checkout/autologout.h"
#include "db/dbtestsupport.h"
#include "settings/settingsstore.h"
#include "support/fixedclock.h"

namespace zelkora {
namespace {

TEST(AutoLogoutRuleTest, ParsesTheDialogsValues) {
    struct Case {
        const char* type;
        const char* time;
        std::optional<AutoLogoutRule::Kind> kind;
        int minutes;
        QTime clock;
    };
    using K = AutoLogoutRule::Kind;
    const Case cases[] = {
        {"2", "+ 0:01 min", K::Relative, 1, {}},
        {"2", "+ 0:30 min", K::Relative, 30, {}},
        {"2", "+ 1:30 hr", K::Relative, 90, {}},
        {"2", "+ 12:00 hr", K::Relative, 720, {}},
        {"2", "+ 130 hr", std::nullopt, 0, {}}, // no ":" in the five characters
        {"1", "05:00 PM", K::Absolute, 0, QTime(17, 0)},
        {"1", "12:00 AM", K::Absolute, 0, QTime(0, 0)},
        {"1.6", "11:45 PM", K::Relative, 45, {}}, // rounds to 2: ":45 P" read as an interval
        {"1.4", "11:45 PM", K::Absolute, 0, QTime(23, 45)},
        {"1", "soon", std::nullopt, 0, {}},
        {"0", "05:00 PM", std::nullopt, 0, {}},
        {"", "05:00 PM", std::nullopt, 0, {}},
        {"x", "+ 1:30 hr", std::nullopt, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " / " + c.time);
        const auto rule =
            ParseAutoLogoutRule(3, QString::fromLatin1(c.type), QString::fromLatin1(c.time));
        ASSERT_EQ(rule.has_value(), c.kind.has_value());
        if (!rule)
            continue;
        EXPECT_EQ(rule->typeId, 2);
        EXPECT_EQ(rule->kind, *c.kind);
        if (rule->kind == K::Relative)
            EXPECT_EQ(rule->minutes, c.minutes);
        else
            EXPECT_EQ(rule->clockTime, c.clock);
    }
}

class AutoLogoutTest : public test::DatabaseTest {
protected:
    // A visit of `typeId` that began at `logIn`; returns its ID.
    qlonglong visit(int typeId, const char* logIn) {
        db::ExecResult result;
        const StationError error =
            db::RunSP(QStringLiteral("qAddLabel"),
                      addLabelParameters(typeId, QStringLiteral("Visitor"),
                                         QStringLiteral("O'Neil"), QString::fromLatin1(logIn)),
                      &result);
        EXPECT_FALSE(error.isError()) << error;
        return result.returnedId.toLongLong();
    }
    QVariant logOutOf(qlonglong id) {
        const QVariantList rows =
            rawColumn(QStringLiteral("SELECT LogOutTime FROM Labels WHERE ID = ?"), {id});
        return rows.value(0);
    }
    void rule(int label, const char* type, const char* time) {
        SaveSetting(QStringLiteral("Label%1AutoLogoutType").arg(label), QString::fromLatin1(type));
        SaveSetting(QStringLiteral("Label%1AutoLogoutTime").arg(label), QString::fromLatin1(time));
    }

    test::FixedClock clock{QDateTime(QDate(2026, 3, 10), QTime(16, 55))};
};

TEST_F(AutoLogoutTest, AbsoluteRuleClosesAtTheClockTimeOfTheCheckInDay) {
    rule(1, "0", "");
    rule(3, "1", "05:00 PM");
    const qlonglong earlierDay = visit(2, "2026-03-09 08:00:00");
    const qlonglong today = visit(2, "2026-03-10 16:50:00");
    const qlonglong otherType = visit(1, "2026-03-09 08:00:00");

    ASSERT_FALSE(RunAutoLogout().isError());
    EXPECT_EQ(logOutOf(earlierDay).toString(), QStringLiteral("2026-03-09 17:00:00"));
    EXPECT_TRUE(logOutOf(today).isNull()) << "5:00 PM has not passed yet";
    EXPECT_TRUE(logOutOf(otherType).isNull());

    clock.set(QDateTime(QDate(2026, 3, 10), QTime(17, 1)));
    ASSERT_FALSE(RunAutoLogout().isError());
    EXPECT_EQ(logOutOf(today).toString(), QStringLiteral("2026-03-10 17:00:00"));
}

TEST_F(AutoLogoutTest, VisitBegunAfterTheClockTimeClosesTheNextDayNeverBeforeItBegan) {
    rule(1, "1", "05:00 PM");
    rule(2, "1", "12:00 AM");
    const qlonglong late = visit(0, "2026-03-09 18:30:00");
    const qlonglong lateToday = visit(0, "2026-03-10 16:55:00");
    const qlonglong midnightRule = visit(1, "2026-03-09 00:00:00");
    const qlonglong midnightRuleToday = visit(1, "2026-03-10 09:00:00");

    clock.set(QDateTime(QDate(2026, 3, 10), QTime(17, 30)));
    ASSERT_FALSE(RunAutoLogout().isError());
    EXPECT_EQ(logOutOf(late).toString(), QStringLiteral("2026-03-10 17:00:00"));
    EXPECT_EQ(logOutOf(lateToday).toString(), QStringLiteral("2026-03-10 17:00:00"));
    EXPECT_EQ(logOutOf(midnightRule).toString(), QStringLiteral("2026-03-10 00:00:00"));
    EXPECT_TRUE(logOutOf(midnightRuleToday).isNull()) << "its midnight is tonight";
    EXPECT_EQ(rawColumn(QStringLiteral("SELECT COUNT(*) FROM Labels WHERE LogOutTime < LogInTime"))
                  .value(0)
                  .toInt(),
              0);
}

TEST_F(AutoLogoutTest, RelativeRuleClosesAtCheckInPlusItsMinutes) {
    rule(1, "2", "+ 1:30 hr");
    const qlonglong old = visit(0, "2026-03-10 15:20:00");
    const qlonglong recent = visit(0, "2026-03-10 15:30:00");
    ASSERT_FALSE(RunAutoLogout().isError());
    EXPECT_EQ(logOutOf(old).toString(), QStringLiteral("2026-03-10 16:50:00"));
    EXPECT_TRUE(logOutOf(recent).isNull()) << "16:55 is not past 17:00";
}

TEST_F(AutoLogoutTest, NoRulesWhileTheFirstTypeIsEmptyAndASecondRunChangesNothing) {
    rule(2, "2", "+ 0:01 min");
    const qlonglong id = visit(1, "2026-03-10 08:00:00");
    ASSERT_FALSE(RunAutoLogout().isError());
    EXPECT_TRUE(logOutOf(id).isNull());

    rule(1, "0", "");
    ASSERT_FALSE(RunAutoLogout().isError());
    EXPECT_EQ(logOutOf(id).toString(), QStringLiteral("2026-03-10 08:01:00"));

    clock.advanceSeconds(3 * 86400);
    const QVariantList before = rawColumn(QStringLiteral("SELECT LogOutTime FROM Labels"));
    ASSERT_FALSE(RunAutoLogout().isError());
    EXPECT_EQ(rawColumn(QStringLiteral("SELECT LogOutTime FROM Labels")), before);
}

TEST_F(AutoLogoutTest, DatabaseErrorReachesTheCaller) {
    rule(1, "2", "+ 0:30 min");
    ASSERT_TRUE(rawExec(QStringLiteral("DROP TABLE Labels")));
    const StationError error = RunAutoLogout();
    EXPECT_TRUE(error.isError());
    EXPECT_TRUE(error.source.contains(QStringLiteral("[DAL--Database]"))) << error;
}

} // namespace
} // namespace zelkora
