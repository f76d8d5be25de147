#include "app/core/log.h"
#include "app/core/singleinstance.h"
#include "app/core/stationfolder.h"
#include "app/startup.h"
#include "db/accessdatabase.h"
#include "db/parameter.h"
#include "settings/settingsstore.h"
#include "support/scriptedprompter.h"
#include "support/testenv.h"

#include <QFile>
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

TEST_F(StartupTest, StartUpBringsTheDatabaseToItsVersionAndClosesOverdueVisits) {
    ASSERT_EQ(Main(false), 0);
    EXPECT_TRUE(QFileInfo::exists(stationDir() + QStringLiteral("orvsecuritybe.mdb")));

    writeFile(stationDir() + QStringLiteral("orvdebug.txt"), {});
    SaveSetting(QStringLiteral("Label1AutoLogoutType"), QStringLiteral("2"));
    SaveSetting(QStringLiteral("Label1AutoLogoutTime"), QStringLiteral("+ 0:30 min"));
    const QString yesterday = db::DateText(QDateTime::currentDateTime().addDays(-1));
    ASSERT_FALSE(db::RunSQL(QStringLiteral("INSERT INTO Labels (TypeID, Name, LogInTime) "
                                           "VALUES (0, 'Ann', ?)"),
                            {yesterday})
                     .isError());
    db::ReleaseConnection();

    ASSERT_EQ(Main(false), 0);
    db::RecordSet open;
    ASSERT_FALSE(
        db::RunSQLReturnRS(QStringLiteral("SELECT ID FROM Labels WHERE LogOutTime IS NULL"), &open)
            .isError());
    EXPECT_EQ(open.rowCount(), 0);
    db::ReleaseConnection();
    const QByteArray log = readFile(stationDir() + QStringLiteral("orvdebug.txt"));
    EXPECT_TRUE(log.contains("\"DBRequiredVer=1,"));
    EXPECT_TRUE(log.contains("\"DBVer=1,"));
}

TEST_F(StartupTest, AProvisionedStationThatLostItsDatabaseIsNeverGivenAnEmptyOne) {
    ASSERT_EQ(Main(false), 0);
    ASSERT_TRUE(QFile::remove(stationDir() + QStringLiteral("orvsecuritybe.mdb")));
    test::ScriptedPrompter prompter;
    EXPECT_NE(Main(false), 0);
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].text.startsWith(
        QStringLiteral("An error occured when trying to locate the Dravik database file.")));
    EXPECT_FALSE(QFileInfo::exists(stationDir() + QStringLiteral("orvsecuritybe.mdb")));
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
