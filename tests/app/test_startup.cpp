#include "app/core/log.h"
#include "app/core/singleinstance.h"
#include "app/core/stationfolder.h"
#include "app/startup.h"
#include "support/scriptedprompter.h"
#include "support/testenv.h"

#include <QFileInfo>

namespace zelkora {
namespace {

class StartupTest : public test::StationTest {
protected:
    void TearDown() override {
        ResetLog();
        StationTest::TearDown();
    }
};

TEST_F(StartupTest, FirstStartProvisionsAndStartsTheLog) {
    test::ScriptedPrompter prompter;
    EXPECT_EQ(Main(false), 0);
    EXPECT_TRUE(QFileInfo::exists(stationDir() + QLatin1String(kProvisionedMarker)));
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(StartupTest, SecondCopyIsRefusedWithoutWritingALogLine) {
    ASSERT_EQ(Main(false), 0);
    writeFile(stationDir() + QStringLiteral("orvdebug.txt"), "\"first copy's line\"\r\n");
    SingleInstance running(stationDir());
    ASSERT_TRUE(running.acquire());

    test::ScriptedPrompter prompter;
    EXPECT_NE(Main(false), 0);
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages[0].text, QStringLiteral("The application is already running"));
    EXPECT_EQ(prompter.messages[0].title, QStringLiteral("OrvSecurity"));
    EXPECT_EQ(prompter.messages[0].code, 48);
    EXPECT_EQ(readFile(stationDir() + QStringLiteral("orvdebug.txt")),
              QByteArray("\"first copy's line\"\r\n"));
    EXPECT_TRUE(running.acquire());
}

TEST_F(StartupTest, StationFolderThatCannotBeMadeEndsWithAMessageNamingIt) {
    writeFile(root() + QStringLiteral("/blocker"), "x");
    qputenv("ZELKORA_HOME", (root() + QStringLiteral("/blocker/station")).toLocal8Bit());
    test::ScriptedPrompter prompter;
    EXPECT_NE(Main(false), 0);
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].text.contains(root() + QStringLiteral("/blocker/station")));
    EXPECT_EQ(prompter.messages[0].code, 16);
}

} // namespace
} // namespace zelkora
