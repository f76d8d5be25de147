#include "support/fixedclock.h"
#include "util/clock.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

struct DateCase {
    QDateTime when;
    const char* expected;
};

// The tests run in US English (LANG=en_US.UTF-8), where the general date form is
// month/day/four-digit year and a twelve-hour time with seconds.
TEST(GeneralDate, UsEnglishForm) {
    const std::vector<DateCase> cases = {
        {QDateTime(QDate(2010, 12, 3), QTime(9, 5, 7)), "12/3/2010 9:05:07 AM"},
        {QDateTime(QDate(2010, 12, 3), QTime(21, 5, 7)), "12/3/2010 9:05:07 PM"},
        {QDateTime(QDate(2011, 1, 15), QTime(0, 0, 0)), "1/15/2011 12:00:00 AM"},
        {QDateTime(QDate(2011, 1, 15), QTime(12, 30, 59)), "1/15/2011 12:30:59 PM"},
        {QDateTime(QDate(1999, 7, 4), QTime(23, 59, 59)), "7/4/1999 11:59:59 PM"},
    };
    for (const DateCase& c : cases)
        EXPECT_EQ(generalDate(c.when), QString::fromLatin1(c.expected)) << c.expected;
}

TEST(Clock, InstalledClockReplacesTheSystemClockForItsLifetime) {
    const QDateTime fixed(QDate(2010, 12, 3), QTime(9, 5, 7));
    {
        test::FixedClock clock(fixed);
        EXPECT_EQ(Clock::current().now(), fixed);
        clock.advanceSeconds(60);
        EXPECT_EQ(Clock::current().now(), fixed.addSecs(60));
    }
    EXPECT_GT(Clock::current().now().date().year(), 2020);
}

} // namespace
} // namespace zelkora
