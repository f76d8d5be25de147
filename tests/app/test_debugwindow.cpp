#include "app/gui/debugwindow.h"
#include "support/fixedclock.h"
#include "support/testenv.h"

#include <QApplication>
#include <QListWidget>

namespace zelkora {
namespace {

class DebugWindowTest : public test::StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        writeFile(stationDir() + QStringLiteral("orvdebug.txt"), {});
        writeFile(stationDir() + QStringLiteral("orvdebugwindow.txt"), {});
        DebugListSink::install(&window);
        ASSERT_TRUE(StartLog());
    }
    void TearDown() override {
        DebugListSink::install(nullptr);
        ResetLog();
        StationTest::TearDown();
    }
    QByteArray logFile() const { return readFile(stationDir() + QStringLiteral("orvdebug.txt")); }

    test::FixedClock clock{QDateTime(QDate(2010, 12, 3), QTime(9, 5, 7))};
    DebugWindow window;
};

TEST_F(DebugWindowTest, ShownAtStartWithNewestLineFirst) {
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Debug Window"));
    EXPECT_EQ(window.objectName(), QStringLiteral("frmDebug"));
    EXPECT_EQ(window.list()->objectName(), QStringLiteral("lstDebug"));
    WriteLog(QStringLiteral("one"));
    WriteLog(QStringLiteral("two"));
    ASSERT_EQ(window.list()->count(), 2);
    EXPECT_EQ(window.list()->item(0)->text(), QStringLiteral("two,12/3/2010 9:05:07 AM"));
}

TEST_F(DebugWindowTest, ListFillsTheWindowInsideItsOffsets) {
    const QPoint offset = window.list()->pos();
    window.resize(500, 300);
    QApplication::processEvents();
    EXPECT_EQ(window.list()->pos(), offset);
    EXPECT_EQ(window.list()->size(), QSize(500 - 2 * offset.x(), 300 - 2 * offset.y()));
}

TEST_F(DebugWindowTest, ClosedByTheUserItStaysClosedWhileTheFileGoesOn) {
    window.close();
    EXPECT_TRUE(logFile().contains("\"frmDebug_QueryUnload = 0,12/3/2010 9:05:07 AM\"\r\n"));

    window.showWindow();
    EXPECT_FALSE(window.isVisible());
    WriteLog(QStringLiteral("after close"));
    EXPECT_EQ(window.list()->count(), 1) << "only the close line reached the list";
    EXPECT_TRUE(logFile().endsWith("\"after close,12/3/2010 9:05:07 AM\"\r\n"));
}

TEST_F(DebugWindowTest, ClosedByTheProgramLogsReasonOne) {
    window.closeByProgram();
    EXPECT_TRUE(logFile().contains("\"frmDebug_QueryUnload = 1,"));
}

} // namespace
} // namespace zelkora
