#include "app/core/log.h"
#include "app/core/stationfolder.h"
#include "settings/registry.h"
#include "settings/rightstest.h"
#include "support/fixedclock.h"
#include "support/scriptedprompter.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace zelkora {
namespace {

const QByteArray kKeyLine = "\"failed AttemptRegistryWrite :  .KeyExists false,";
const QByteArray kValueLine = "\"failed AttemptRegistryWrite :  .Value <> timestamp,";

// Each test starts a file log in its own station folder, so the log lines can be checked.
class RightsTest : public test::StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        ResetLog();
        writeFile(stationDir() + QStringLiteral("orvdebug.txt"), "");
        ASSERT_TRUE(StartLog());
    }
    void TearDown() override {
        ResetLog();
        StationTest::TearDown();
    }

    QByteArray log() const { return readFile(LogFilePath()); }
    QString rootFile() const { return machineDir() + QStringLiteral("HKEY_CLASSES_ROOT.json"); }

    static cRegistry launchDate() {
        cRegistry reg;
        reg.setClassKey(HKEY_CLASSES_ROOT);
        reg.setSectionKey(QStringLiteral("BrakkenholSecurity"));
        reg.setValueKey(QStringLiteral("launchdate"));
        return reg;
    }

    static QDateTime storedStamp() {
        cRegistry reg = launchDate();
        return QDateTime::fromString(reg.Value().toString(), Qt::ISODate);
    }

    // Keeps the store readable but makes every further write fail, also for root (see the
    // same helper of the registry tests).
    void freezeStore() {
        const QString folder = root() + QStringLiteral("/frozen/");
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString target = folder + QString(250, QLatin1Char('r'));
        ASSERT_TRUE(QFile::rename(rootFile(), target));
        ASSERT_TRUE(QFile::link(target, rootFile()));
    }

    // Milliseconds on the clock must not make the whole-second stamp differ.
    test::FixedClock clock{QDateTime(QDate(2010, 12, 3), QTime(9, 5, 7, 640))};
    test::ScriptedPrompter prompter;
};

TEST_F(RightsTest, PassesAndLeavesTheStampAsText) {
    EXPECT_TRUE(AttemptRegistryWrite());

    cRegistry reg = launchDate();
    const QVariant value = reg.Value();
    EXPECT_EQ(reg.ValueType(), RegSz);
    EXPECT_EQ(QDateTime::fromString(value.toString(), Qt::ISODate),
              QDateTime(QDate(2010, 12, 3), QTime(9, 5, 7)));
    EXPECT_FALSE(log().contains("failed AttemptRegistryWrite"));
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(RightsTest, OverwritesTheValueOfAnEarlierRun) {
    ASSERT_TRUE(AttemptRegistryWrite());
    clock.advanceSeconds(86400 + 61);
    EXPECT_TRUE(AttemptRegistryWrite());
    EXPECT_EQ(storedStamp(), QDateTime(QDate(2010, 12, 4), QTime(9, 6, 8)));
    EXPECT_FALSE(log().contains("failed AttemptRegistryWrite"));
}

TEST_F(RightsTest, FailsWhenTheKeyCannotBeCreated) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
    };
    const std::vector<Case> cases = {
        {"machine folder is a file",
         [this] {
             const QString blocker = root() + QStringLiteral("/not-a-folder");
             writeFile(blocker, "x");
             qputenv("ZELKORA_MACHINE_DIR", blocker.toLocal8Bit());
         }},
        {"corrupt store", [this] { writeFile(rootFile(), "{broken"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        ASSERT_TRUE(StartLog()); // a fresh log for each case

        EXPECT_FALSE(AttemptRegistryWrite());
        EXPECT_TRUE(log().contains(kKeyLine));
        EXPECT_FALSE(log().contains(kValueLine));
    }
}

TEST_F(RightsTest, FailsWhenTheStampCannotBeWritten) {
    ASSERT_TRUE(AttemptRegistryWrite());
    freezeStore();
    clock.advanceSeconds(60);

    EXPECT_FALSE(AttemptRegistryWrite());
    EXPECT_TRUE(log().contains(kValueLine));
    EXPECT_FALSE(log().contains(kKeyLine));
    // The earlier stamp is still there: nothing was half written.
    EXPECT_EQ(storedStamp(), QDateTime(QDate(2010, 12, 3), QTime(9, 5, 7)));
}

TEST_F(RightsTest, ValueThatIsNoDateFailsTheCheck) {
    // Another program left a text under the name and the store then became unwritable.
    cRegistry reg = launchDate();
    reg.setValueType(RegSz);
    ASSERT_TRUE(reg.setValue(QStringLiteral("not a date")));
    freezeStore();

    EXPECT_FALSE(AttemptRegistryWrite());
    EXPECT_TRUE(log().contains(kValueLine));
}

} // namespace
} // namespace zelkora
