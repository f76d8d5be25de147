#include "db/dberror.h"
#include "db/parameter.h"

#include <gtest/gtest.h>

namespace zelkora::db {
namespace {

TEST(NullRule, EmptyTextsAndNegativeNumbersBecomeNull) {
    struct Case {
        const char* what;
        QVariant in;
        bool becomesNull;
    };
    const std::vector<Case> cases{
        {"empty text", QString(), true},
        {"empty literal", QStringLiteral(""), true},
        {"blank", QStringLiteral(" "), false},
        {"text", QStringLiteral("Ann"), false},
        {"-1", -1, true},
        {"-0.5", -0.5, true},
        {"0", 0, false},
        {"7", qlonglong(7), false},
        {"text -1", QStringLiteral("-1"), false},
        {"date", QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)), false},
        {"bool", false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ApplyNullRule(c.in).isNull(), c.becomesNull) << c.what;
}

TEST(BindableParameter, ChecksEachTypeCode) {
    struct Case {
        Parameter parameter;
        QVariant bound; // expected when it binds
        long error;     // expected number when it fails
    };
    const QDateTime when(QDate(2024, 3, 1), QTime(9, 5, 7));
    const std::vector<Case> cases{
        {{QStringLiteral("@ID"), ParamInteger, 4, 42}, qlonglong(42), 0},
        {{QStringLiteral("@ID"), ParamInteger, 4, QStringLiteral("42")}, qlonglong(42), 0},
        {{QStringLiteral("@ID"), ParamInteger, 4, QStringLiteral("x")}, {}, kErrTypeMismatch},
        {{QStringLiteral("@ID"), ParamInteger, 4, -3}, QVariant(), 0},
        {{QStringLiteral("@Name"), ParamVarChar, 50, QString(50, QLatin1Char('a'))},
         QString(50, QLatin1Char('a')),
         0},
        {{QStringLiteral("@Name"), ParamVarChar, 50, QString(51, QLatin1Char('a'))},
         {},
         kErrValueTooLong},
        {{QStringLiteral("@LogInTime"), ParamTimeStamp, 8, when},
         QStringLiteral("2024-03-01 09:05:07"),
         0},
        {{QStringLiteral("@LogOutTime"), ParamTime, 8, QStringLiteral("2024-03-01 09:05:07")},
         QStringLiteral("2024-03-01 09:05:07"),
         0},
        {{QStringLiteral("@LogOutTime"), ParamTime, 8, QStringLiteral("tomorrow")},
         {},
         kErrTypeMismatch},
    };
    for (const Case& c : cases) {
        QVariant bound;
        StationError error;
        const bool ok = BindableParameter(c.parameter, &bound, &error);
        EXPECT_EQ(ok, c.error == 0) << c.parameter.name.toStdString();
        if (ok) {
            EXPECT_EQ(bound, c.bound) << c.parameter.name.toStdString();
        } else {
            EXPECT_EQ(error.number, c.error);
            EXPECT_TRUE(error.description.contains(c.parameter.name));
        }
    }
}

TEST(LikePattern, EscapesWildcards) {
    EXPECT_EQ(LikePattern(QStringLiteral("50%_a\\b")), QStringLiteral("%50\\%\\_a\\\\b%"));
    EXPECT_EQ(LikePattern(QStringLiteral("x"), false), QStringLiteral("x"));
}

TEST(DateText, RoundTripsLocalTime) {
    const QDateTime when(QDate(2010, 12, 3), QTime(21, 5, 7));
    EXPECT_EQ(DateText(when), QStringLiteral("2010-12-03 21:05:07"));
    EXPECT_EQ(DateFromStored(DateText(when)), when);
    EXPECT_FALSE(DateFromStored(QVariant()).isValid());
}

} // namespace
} // namespace zelkora::db
