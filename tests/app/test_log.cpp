#include "app/core/log.h"
#include "support/fixedclock.h"
#include "support/testenv.h"

#include <QFile>

namespace zelkora {
namespace {

// A debug window stand-in that records what the log hands it.
class RecordingSink final : public DebugListSink {
public:
    void showWindow() override {
        ++shown;
        visible = true;
    }
    bool isWindowVisible() const override { return visible; }
    void insertAtTop(const QString& line) override { lines.prepend(line); }

    int shown = 0;
    bool visible = false;
    QStringList lines;
};

class LogTest : public test::StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        ResetLog();
        DebugListSink::install(&sink);
    }
    void TearDown() override {
        DebugListSink::install(nullptr);
        ResetLog();
        StationTest::TearDown();
    }
    void touch(const QString& name) { writeFile(stationDir() + name, "earlier run\r\n"); }
    QByteArray logFile() const { return readFile(stationDir() + QStringLiteral("orvdebug.txt")); }

    test::FixedClock clock{QDateTime(QDate(2010, 12, 3), QTime(9, 5, 7))};
    RecordingSink sink;
};

TEST_F(LogTest, ModesFollowTheMarkerFiles) {
    struct Case {
        bool logFile, windowMarker;
        LogMode mode;
        bool windowShown;
    };
    const Case cases[] = {
        {false, false, LogMode::Off, false},
        {false, true, LogMode::Window, true},
        {true, false, LogMode::File, false},
        {true, true, LogMode::WindowAndFile, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        QFile::remove(stationDir() + QStringLiteral("orvdebug.txt"));
        QFile::remove(stationDir() + QStringLiteral("orvdebugwindow.txt"));
        sink = RecordingSink{};
        ResetLog();
        if (c.logFile)
            touch(QStringLiteral("orvdebug.txt"));
        if (c.windowMarker)
            touch(QStringLiteral("orvdebugwindow.txt"));

        ASSERT_TRUE(StartLog());
        EXPECT_EQ(CurrentLogMode(), c.mode);
        EXPECT_EQ(sink.shown, c.windowShown ? 1 : 0);
        // A log file is never created unless its own marker was there, and never keeps old lines.
        EXPECT_EQ(QFile::exists(stationDir() + QStringLiteral("orvdebug.txt")), c.logFile);
        if (c.logFile) {
            EXPECT_EQ(logFile(), QByteArray("\"Log Started 12/3/2010 9:05:07 AM\"\r\n"));
        }
    }
}

TEST_F(LogTest, LinesAreOneQuotedFieldEach) {
    touch(QStringLiteral("orvdebug.txt"));
    ASSERT_TRUE(StartLog());
    WriteLog(QStringLiteral("About to InitButtons"));
    WriteLog(QStringLiteral("say \"hi\", then go"));
    WriteLog(QStringLiteral("two\r\nlines\nhere"));
    WriteLog(QStringLiteral("Grüße, Zoë"));
    EXPECT_EQ(logFile(), QByteArray("\"Log Started 12/3/2010 9:05:07 AM\"\r\n"
                                    "\"About to InitButtons,12/3/2010 9:05:07 AM\"\r\n"
                                    "\"say \"hi\", then go,12/3/2010 9:05:07 AM\"\r\n"
                                    "\"two lines here,12/3/2010 9:05:07 AM\"\r\n"
                                    "\"Gr\xc3\xbc\xc3\x9f"
                                    "e, Zo\xc3\xab,12/3/2010 9:05:07 AM\"\r\n"));
}

TEST_F(LogTest, WindowListsNewestFirstAndDropsLinesOnceClosed) {
    touch(QStringLiteral("orvdebug.txt"));
    touch(QStringLiteral("orvdebugwindow.txt"));
    ASSERT_TRUE(StartLog());
    WriteLog(QStringLiteral("first"));
    clock.advanceSeconds(3600 * 4);
    WriteLog(QStringLiteral("second"));
    EXPECT_EQ(sink.lines, QStringList({QStringLiteral("second,12/3/2010 1:05:07 PM"),
                                       QStringLiteral("first,12/3/2010 9:05:07 AM")}));

    sink.visible = false; // the user closed the window
    WriteLog(QStringLiteral("third"));
    EXPECT_EQ(sink.lines.size(), 2);
    EXPECT_TRUE(logFile().endsWith("\"third,12/3/2010 1:05:07 PM\"\r\n"));
}

TEST_F(LogTest, NothingHappensBeforeStartLogOrWhenOff) {
    EXPECT_TRUE(WriteLog(QStringLiteral("too early")));
    ASSERT_TRUE(StartLog());
    EXPECT_TRUE(WriteLog(QStringLiteral("off")));
    EXPECT_TRUE(sink.lines.isEmpty());
    EXPECT_FALSE(QFile::exists(stationDir() + QStringLiteral("orvdebug.txt")));
}

TEST_F(LogTest, WriteFailureReachesTheCaller) {
    touch(QStringLiteral("orvdebug.txt"));
    ASSERT_TRUE(StartLog());
    // The log file turns into a folder: every append must fail and say so.
    ASSERT_TRUE(QFile::remove(stationDir() + QStringLiteral("orvdebug.txt")));
    ASSERT_TRUE(QDir().mkdir(stationDir() + QStringLiteral("orvdebug.txt")));
    QString error;
    EXPECT_FALSE(WriteLog(QStringLiteral("lost"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("orvdebug.txt")));
}

} // namespace
} // namespace zelkora
