#include "checkout/timecapture.h"
#include "support/scriptedprompter.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

TEST(TimeCaptureTest, InitFormSplitsTheMinutes) {
    struct Case {
        qint16 total;
        const char* hours;
        const char* minutes;
    };
    const Case cases[] = {
        {125, "2", "5"},
        {59, "0", "59"},
        {0, "0", "0"},
        {60, "1", "0"},
        {32767, "546", "7"},
        // A check-in after now (the list reaches a day ahead): nothing can be accepted.
        {-30, "0", "-30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.total);
        TimeCapture capture;
        capture.InitForm(c.total);
        EXPECT_EQ(capture.elapsed(), c.total);
        EXPECT_EQ(capture.hoursText(), QLatin1String(c.hours));
        EXPECT_EQ(capture.minutesText(), QLatin1String(c.minutes));
    }
}

TEST(TimeCaptureTest, OkChecksTheEntry) {
    struct Case {
        const char* name;
        qint16 elapsed;
        const char* hours;
        const char* minutes;
        QList<int> answers;           // the message boxes' buttons, in order
        std::optional<qint16> result; // nullopt: the dialog stays open
        const char* message;          // the message shown, or nullptr
        int code;
        const char* title;
    };
    const Case cases[] = {
        {"as proposed", 125, "2", "5", {}, 125, nullptr, 0, ""},
        {"empty hours count as 0", 125, "", "30", {}, 30, nullptr, 0, ""},
        {"blank hours count as 0", 125, "   ", "30", {}, 30, nullptr, 0, ""},
        {"blanks around numbers", 125, " 1 ", " 5 ", {}, 65, nullptr, 0, ""},
        {"zero is accepted", 125, "0", "0", {}, 0, nullptr, 0, ""},
        {"halves to even: 2.5", 125, "0", "2.5", {}, 2, nullptr, 0, ""},
        {"halves to even: 3.5", 125, "0", "3.5", {}, 4, nullptr, 0, ""},
        {"fraction of an hour", 125, "1.5", "0", {}, 120, nullptr, 0, ""},
        {"letters in minutes",
         125,
         "0",
         "abc",
         {},
         std::nullopt,
         kDataErrorText,
         16,
         kDataErrorTitle},
        {"letters in hours", 125, "x", "5", {}, std::nullopt, kDataErrorText, 16, kDataErrorTitle},
        {"beyond 16 bits",
         125,
         "40000",
         "0",
         {},
         std::nullopt,
         kDataErrorText,
         16,
         kDataErrorTitle},
        {"600 hours overflow", 125, "600", "0", {}, std::nullopt, kInvalidMinutesText, 16, ""},
        {"overflow in the product",
         32767,
         "600",
         "-30000",
         {},
         std::nullopt,
         kInvalidMinutesText,
         16,
         ""},
        {"overflow in the sum", 32767, "546", "8", {}, std::nullopt, kInvalidMinutesText, 16, ""},
        {"future, OK corrects", 125, "1", "70", {AnswerOk}, std::nullopt, kFutureText, 65, ""},
        {"future, Cancel gives 0", 125, "1", "70", {AnswerCancel}, 0, kFutureText, 65, ""},
        {"before check-in, OK",
         125,
         "0",
         "-5",
         {AnswerOk},
         std::nullopt,
         kBeforeCheckInText,
         65,
         ""},
        {"before check-in, Cancel", 125, "0", "-5", {AnswerCancel}, 0, kBeforeCheckInText, 65, ""},
        {"the whole of Elapsed", 32767, "546", "7", {}, 32767, nullptr, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::ScriptedPrompter prompter;
        prompter.messageAnswers = c.answers;
        SetCapturedMinutes(77);
        TimeCapture capture;
        capture.InitForm(c.elapsed);
        const std::optional<qint16> result =
            capture.Ok(QLatin1String(c.hours), QLatin1String(c.minutes));
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(CapturedMinutes(), c.result ? *c.result : 77); // unchanged while open
        if (!c.message) {
            EXPECT_TRUE(prompter.messages.isEmpty());
            continue;
        }
        ASSERT_EQ(prompter.messages.size(), 1);
        EXPECT_EQ(prompter.messages[0].text, QLatin1String(c.message));
        EXPECT_EQ(prompter.messages[0].code, c.code);
        EXPECT_EQ(prompter.messages[0].title,
                  *c.title ? QLatin1String(c.title) : QLatin1String("Zelkora"));
        EXPECT_TRUE(prompter.messages[0].owned);
    }
}

TEST(TimeCaptureTest, CancelGivesZero) {
    SetCapturedMinutes(12);
    EXPECT_EQ(TimeCapture::Cancel(), 0);
    EXPECT_EQ(CapturedMinutes(), 0);
}

} // namespace
} // namespace zelkora
