#include "app/core/log.h"
#include "app/core/message.h"
#include "support/fixedclock.h"
#include "support/scriptedprompter.h"
#include "support/testenv.h"

namespace zelkora {
namespace {

class MessageTest : public test::StationTest {
protected:
    void TearDown() override {
        ResetLog();
        StationTest::TearDown();
    }
};

TEST_F(MessageTest, ShowsThroughThePrompterWithTheProgramTitleByDefault) {
    test::ScriptedPrompter prompter;
    prompter.messageAnswers = {AnswerNo};
    EXPECT_EQ(ShowMessage(QStringLiteral("Delete it?"), MsgYesNo | MsgQuestion), AnswerNo);
    EXPECT_EQ(
        ShowMessage(QStringLiteral("Careful"), MsgExclamation, QStringLiteral("OrvSecurity"), true),
        AnswerOk);
    ASSERT_EQ(prompter.messages.size(), 2);
    EXPECT_EQ(prompter.messages[0].title, QStringLiteral("Zelkora"));
    EXPECT_EQ(prompter.messages[0].code, 36);
    EXPECT_FALSE(prompter.messages[0].owned);
    EXPECT_EQ(prompter.messages[1].title, QStringLiteral("OrvSecurity"));
    EXPECT_TRUE(prompter.messages[1].owned);
}

TEST_F(MessageTest, WithoutAPrompterTheDefaultButtonAnswersAndTheMessageIsLogged) {
    writeFile(stationDir() + QStringLiteral("orvdebug.txt"), {});
    test::FixedClock clock(QDateTime(QDate(2010, 12, 3), QTime(9, 5, 7)));
    ASSERT_TRUE(StartLog());

    struct Case {
        int code, answer;
    };
    const Case cases[] = {{0, AnswerOk},           {16, AnswerOk},         {36, AnswerYes},
                          {51, AnswerYes},         {65, AnswerOk},         {4 | 256, AnswerNo},
                          {3 | 512, AnswerCancel}, {1 | 256, AnswerCancel}};
    for (const Case& c : cases)
        EXPECT_EQ(ShowMessage(QStringLiteral("Nobody here"), c.code), c.answer) << c.code;

    const QByteArray log = readFile(stationDir() + QStringLiteral("orvdebug.txt"));
    EXPECT_TRUE(log.contains("\"About to MsgBox...,12/3/2010 9:05:07 AM\"\r\n"));
    EXPECT_TRUE(log.contains("Zelkora: Nobody here"));
}

} // namespace
} // namespace zelkora
