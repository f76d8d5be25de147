#include "tristeltest.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QSignalSpy>
#include <QTest>
#include <vector>

using namespace zelkora::controls;
using namespace zelkora::controls::test;

namespace {

const QPoint inside(20, 10);
const QPoint outside(120, 70);

// A shown button with three distinct pictures, its tracker on a fake rest timer.
class HoverButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.resize(200, 100);
        button = new HoverButton(&host);
        button->setGeometry(10, 10, 48, 24);
        button->setImageOut(out);
        button->setImageOver(over);
        button->setImageDown(down);
        timer = installFakeTimer(*button->tracker());
        host.show();
        picBack = button->findChild<QWidget*>(QStringLiteral("picBack"));
        ASSERT_NE(picBack, nullptr);
        log = std::make_unique<EventLog>(*button);
    }

    QString shown() const {
        const qint64 key = button->shownPicture().cacheKey();
        if (button->shownPicture().isNull())
            return QStringLiteral("none");
        if (key == out.cacheKey())
            return QStringLiteral("Out");
        if (key == over.cacheKey())
            return QStringLiteral("Over");
        if (key == down.cacheKey())
            return QStringLiteral("Down");
        return QStringLiteral("other");
    }

    QWidget host;
    HoverButton* button = nullptr;
    QWidget* picBack = nullptr;
    FakeHoverTimer* timer = nullptr;
    std::unique_ptr<EventLog> log;
    QPixmap out = solidPicture(Qt::darkBlue);
    QPixmap over = solidPicture(Qt::cyan);
    QPixmap down = solidPicture(Qt::darkRed);
};

TEST_F(HoverButtonTest, ClickRaisesDownUpClickAndLeavesOverShown) {
    sendMove(picBack, inside);
    sendPress(picBack, inside);
    sendRelease(picBack, inside);
    EXPECT_EQ(log->take(),
              events({"MouseOver", "MouseDown(1,0,20,10)", "MouseUp(1,0,20,10)", "Click"}));
    EXPECT_EQ(shown(), QStringLiteral("Over"));
    EXPECT_EQ(button->state(), HoverButton::ButtonState::Over);
    EXPECT_TRUE(button->tracker()->Tracking());
}

TEST_F(HoverButtonTest, MouseOverOnceUntilALeaveEndsTheTracking) {
    sendEnter(picBack, inside);
    sendMove(picBack, inside);
    sendMove(picBack, inside + QPoint(10, 3));
    sendMove(picBack, inside + QPoint(-10, 5));
    EXPECT_EQ(log->take(), events({"MouseOver"}));

    sendLeave(picBack);
    EXPECT_EQ(log->take(), events({"MouseOut"}));
    EXPECT_EQ(shown(), QStringLiteral("Out"));
    EXPECT_FALSE(button->tracker()->Tracking());

    // Coming back re-arms the tracking.
    sendEnter(picBack, inside);
    sendMove(picBack, inside);
    EXPECT_EQ(log->take(), events({"MouseOver"}));
    EXPECT_EQ(shown(), QStringLiteral("Over"));
}

TEST_F(HoverButtonTest, HoverIsReportedOncePerRestAndTheLeaveStillComes) {
    sendMove(picBack, inside);
    ASSERT_TRUE(timer->running);
    timer->fire();
    EXPECT_EQ(log->take(), events({"MouseOver", "MouseHover"}));
    // The hover re-arms the tracking at once, but the same rest is not reported again.
    EXPECT_TRUE(button->tracker()->Tracking());
    EXPECT_FALSE(timer->running);
    sendMove(picBack, inside + QPoint(1, 1)); // a tremble is no new rest
    EXPECT_FALSE(timer->running);

    sendMove(picBack, inside + QPoint(12, 0));
    ASSERT_TRUE(timer->running);
    timer->fire();
    EXPECT_EQ(log->take(), events({"MouseHover"}));
    EXPECT_EQ(shown(), QStringLiteral("Over"));

    sendLeave(picBack);
    EXPECT_EQ(log->take(), events({"MouseOut"}));
    EXPECT_FALSE(timer->running);
}

TEST_F(HoverButtonTest, MovingRestartsTheRestTimer) {
    sendMove(picBack, inside);
    const int starts = timer->starts;
    sendMove(picBack, inside + QPoint(5, 0));
    EXPECT_EQ(timer->starts, starts + 1);
    EXPECT_TRUE(timer->running);
    EXPECT_EQ(timer->interval, button->tracker()->hoverTime());
}

TEST_F(HoverButtonTest, LeaveWhileHeldWaitsForTheReleaseOutside) {
    sendMove(picBack, inside);
    sendPress(picBack, inside);
    log->take();

    // Dragging out with the button held keeps the button pressed.
    sendLeave(picBack);
    sendMove(picBack, outside, Qt::LeftButton);
    EXPECT_TRUE(log->take().isEmpty());
    EXPECT_EQ(shown(), QStringLiteral("Down"));
    EXPECT_EQ(button->state(), HoverButton::ButtonState::Down);

    sendRelease(picBack, outside);
    EXPECT_EQ(log->take(), events({"MouseUp(1,0,120,70)", "MouseOut"}));
    EXPECT_EQ(shown(), QStringLiteral("Out"));
    EXPECT_EQ(button->state(), HoverButton::ButtonState::Out);
    EXPECT_FALSE(button->tracker()->Tracking());

    // The leave Qt delivers after the release is not a second one.
    sendLeave(picBack);
    EXPECT_TRUE(log->take().isEmpty());
}

TEST_F(HoverButtonTest, DragOutAndBackInStillClicks) {
    sendMove(picBack, inside);
    sendPress(picBack, inside);
    sendLeave(picBack);
    sendMove(picBack, outside, Qt::LeftButton);
    sendEnter(picBack, inside);
    sendMove(picBack, inside, Qt::LeftButton);
    sendRelease(picBack, inside);
    EXPECT_EQ(log->take(),
              events({"MouseOver", "MouseDown(1,0,20,10)", "MouseUp(1,0,20,10)", "Click"}));
    EXPECT_EQ(shown(), QStringLiteral("Over"));
}

TEST_F(HoverButtonTest, CaptureMethodLeavesOnlyAfterTheReleaseOutside) {
    button->tracker()->AttachMouseTracking(picBack, cMouseTrack::methodCapture);
    ASSERT_EQ(button->tracker()->Method(), cMouseTrack::methodCapture);

    sendMove(picBack, inside);
    EXPECT_EQ(QWidget::mouseGrabber(), picBack);
    sendMove(picBack, inside + QPoint(5, 5)); // still inside: no leave
    EXPECT_EQ(log->take(), events({"MouseOver"}));

    sendPress(picBack, inside);
    sendMove(picBack, outside, Qt::LeftButton);
    EXPECT_EQ(log->take(), events({"MouseDown(1,0,20,10)"}));
    EXPECT_EQ(QWidget::mouseGrabber(), picBack);

    sendRelease(picBack, outside);
    EXPECT_EQ(log->take(), events({"MouseUp(1,0,120,70)", "MouseOut"}));
    EXPECT_EQ(shown(), QStringLiteral("Out"));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(HoverButtonTest, CaptureMethodClickKeepsTrackingAndMoveOutLeaves) {
    button->tracker()->AttachMouseTracking(picBack, cMouseTrack::methodCapture);
    sendMove(picBack, inside);
    sendPress(picBack, inside);
    sendRelease(picBack, inside);
    EXPECT_EQ(log->take(),
              events({"MouseOver", "MouseDown(1,0,20,10)", "MouseUp(1,0,20,10)", "Click"}));
    EXPECT_TRUE(button->tracker()->Tracking());
    EXPECT_EQ(QWidget::mouseGrabber(), picBack);

    sendMove(picBack, outside);
    EXPECT_EQ(log->take(), events({"MouseOut"}));
    EXPECT_FALSE(button->tracker()->Tracking());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(HoverButtonTest, DoubleClickReportsDblClickInPlaceOfTheSecondDown) {
    sendMove(picBack, inside);
    sendPress(picBack, inside);
    sendRelease(picBack, inside);
    sendDoubleClick(picBack, inside);
    EXPECT_EQ(shown(), QStringLiteral("Down"));
    sendRelease(picBack, inside);
    EXPECT_EQ(log->take(), events({"MouseOver", "MouseDown(1,0,20,10)", "MouseUp(1,0,20,10)",
                                   "Click", "DblClick", "MouseUp(1,0,20,10)"}));
}

TEST_F(HoverButtonTest, ButtonAndShiftCodes) {
    struct Case {
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {Qt::LeftButton, Qt::NoModifier, "MouseDown(1,0,20,10)"},
        {Qt::RightButton, Qt::ShiftModifier, "MouseDown(2,1,20,10)"},
        {Qt::MiddleButton, Qt::ControlModifier | Qt::AltModifier, "MouseDown(4,6,20,10)"},
        {Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier,
         "MouseDown(1,7,20,10)"},
    };
    sendMove(picBack, inside);
    log->take();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        sendPress(picBack, inside, c.button, c.modifiers);
        EXPECT_EQ(log->take(), events({c.expected}));
        sendRelease(picBack, inside, c.button, c.modifiers);
        log->take();
    }
}

TEST_F(HoverButtonTest, OnlyALeftReleaseOnTheButtonClicks) {
    sendMove(picBack, inside);
    sendPress(picBack, inside, Qt::RightButton);
    sendRelease(picBack, inside, Qt::RightButton);
    EXPECT_EQ(log->take(), events({"MouseOver", "MouseDown(2,0,20,10)", "MouseUp(2,0,20,10)"}));

    // A release that is not over the button (the mouse is held by the button) is no click.
    sendPress(picBack, inside);
    sendRelease(picBack, QPoint(60, 10));
    EXPECT_FALSE(log->take().contains(QStringLiteral("Click")));
}

TEST_F(HoverButtonTest, AssigningImageOutShowsItAtOnce) {
    sendMove(picBack, inside);
    ASSERT_EQ(shown(), QStringLiteral("Over"));
    const QPixmap other = solidPicture(Qt::yellow);
    button->setImageOut(other);
    EXPECT_EQ(button->shownPicture().cacheKey(), other.cacheKey());
}

TEST_F(HoverButtonTest, DesignModeIgnoresTheMouse) {
    button->setDesignMode(true);
    sendMove(picBack, inside);
    sendPress(picBack, inside);
    sendRelease(picBack, inside);
    EXPECT_TRUE(log->take().isEmpty());
    EXPECT_EQ(shown(), QStringLiteral("Out"));
    EXPECT_FALSE(button->tracker()->Tracking());
}

TEST_F(HoverButtonTest, SpaceAndEnterPressTheFocusedButton) {
    EXPECT_EQ(button->focusPolicy(), Qt::StrongFocus);
    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_EQ(shown(), QStringLiteral("Down"));
    EXPECT_EQ(button->state(), HoverButton::ButtonState::Down);
    EXPECT_TRUE(log->take().isEmpty());
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_EQ(log->take(), events({"Click"}));
    EXPECT_EQ(shown(), QStringLiteral("Out"));

    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Enter);
    EXPECT_EQ(log->take(), events({"Click", "Click"}));

    // With the mouse resting on it, the button returns to its over picture.
    sendMove(picBack, inside);
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(log->take(), events({"MouseOver", "Click"}));
    EXPECT_EQ(shown(), QStringLiteral("Over"));
}

TEST_F(HoverButtonTest, LosingFocusCancelsASpacePress) {
    QWidget other(&host);
    other.setFocusPolicy(Qt::StrongFocus);
    host.activateWindow();
    button->setFocus();
    QTest::keyPress(button, Qt::Key_Space);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(button, &focusOut);
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_TRUE(log->take().isEmpty());
    EXPECT_EQ(shown(), QStringLiteral("Out"));
}

TEST_F(HoverButtonTest, AccessibleAsAPushButtonWithAPressAction) {
    button->setToolTip(QStringLiteral("Check in"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Button);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Check in"));
    button->setAccessibleName(QStringLiteral("Check in visitor"));
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Check in visitor"));
    EXPECT_EQ(accessible->childCount(), 0);
    EXPECT_TRUE(accessible->state().focusable);

    QAccessibleActionInterface* actions = accessible->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(log->take(), events({"Click"}));

    sendMove(picBack, inside);
    sendPress(picBack, inside);
    EXPECT_TRUE(accessible->state().pressed);
    sendRelease(picBack, inside);
    EXPECT_FALSE(accessible->state().pressed);

    button->setEnabled(false);
    EXPECT_FALSE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
}

TEST_F(HoverButtonTest, MousePointerSetsThePointerOfPicBack) {
    button->setMousePointer(HoverButton::Hourglass);
    EXPECT_EQ(picBack->cursor().shape(), Qt::WaitCursor);
    button->setMousePointer(HoverButton::SizeWE);
    EXPECT_EQ(picBack->cursor().shape(), Qt::SizeHorCursor);

    // Custom needs a MouseIcon; without one the default pointer shows.
    button->setMousePointer(HoverButton::Custom);
    EXPECT_FALSE(picBack->testAttribute(Qt::WA_SetCursor));
    button->setMouseIcon(solidPicture(Qt::black, {16, 16}));
    EXPECT_EQ(picBack->cursor().shape(), Qt::BitmapCursor);

    button->setMousePointer(HoverButton::Default);
    EXPECT_FALSE(picBack->testAttribute(Qt::WA_SetCursor));
}

TEST_F(HoverButtonTest, ResizingKeepsPicBackFillingTheButton) {
    button->resize(90, 40);
    EXPECT_EQ(picBack->geometry(), QRect(0, 0, 90, 40));
}

// Which picture shows after a sequence of input, for buttons that lack some pictures.
TEST(HoverButtonPictures, PictureShownPerState) {
    enum Step { MoveIn, Press, Release, ReleaseOutside, Leave, Hover };
    struct Case {
        const char* name;
        bool hasOut, hasOver, hasDown;
        std::vector<Step> steps;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"created", true, true, true, {}, "Out"},
        {"mouse over", true, true, true, {MoveIn}, "Over"},
        {"held down", true, true, true, {MoveIn, Press}, "Down"},
        {"released", true, true, true, {MoveIn, Press, Release}, "Over"},
        {"left", true, true, true, {MoveIn, Leave}, "Out"},
        {"rested", true, true, true, {MoveIn, Hover}, "Over"},
        {"released outside", true, true, true, {MoveIn, Press, ReleaseOutside}, "Out"},
        {"no over picture keeps out", true, false, true, {MoveIn}, "Out"},
        {"no over picture: released shows out, not down",
         true,
         false,
         true,
         {MoveIn, Press, Release},
         "Out"},
        {"no down picture keeps over", true, true, false, {MoveIn, Press}, "Over"},
        {"only out", true, false, false, {MoveIn, Press, Release}, "Out"},
        {"no out picture: blank again after leave", false, true, true, {MoveIn, Leave}, "none"},
        {"no pictures", false, false, false, {MoveIn, Press}, "none"},
    };
    const QPixmap out = solidPicture(Qt::darkBlue);
    const QPixmap over = solidPicture(Qt::cyan);
    const QPixmap down = solidPicture(Qt::darkRed);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget host;
        host.resize(200, 100);
        auto* button = new HoverButton(&host);
        button->setGeometry(10, 10, 48, 24);
        if (c.hasOut)
            button->setImageOut(out);
        if (c.hasOver)
            button->setImageOver(over);
        if (c.hasDown)
            button->setImageDown(down);
        FakeHoverTimer* timer = installFakeTimer(*button->tracker());
        host.show();
        auto* picBack = button->findChild<QWidget*>(QStringLiteral("picBack"));
        int mouseOvers = 0;
        QObject::connect(button, &HoverButton::MouseOver, button, [&] { ++mouseOvers; });
        for (Step step : c.steps) {
            switch (step) {
            case MoveIn:
                sendMove(picBack, inside);
                break;
            case Press:
                sendPress(picBack, inside);
                break;
            case Release:
                sendRelease(picBack, inside);
                break;
            case ReleaseOutside:
                sendLeave(picBack);
                sendRelease(picBack, outside);
                break;
            case Leave:
                sendLeave(picBack);
                break;
            case Hover:
                timer->fire();
                break;
            }
        }
        const QPixmap shown = button->shownPicture();
        const char* actual = shown.isNull()                        ? "none"
                             : shown.cacheKey() == out.cacheKey()  ? "Out"
                             : shown.cacheKey() == over.cacheKey() ? "Over"
                             : shown.cacheKey() == down.cacheKey() ? "Down"
                                                                   : "other";
        EXPECT_STREQ(actual, c.expected);
        // The over event comes whether or not there is a picture for it.
        if (!c.steps.empty()) {
            EXPECT_EQ(mouseOvers, 1);
        }
    }
}

} // namespace

namespace {

// The same click through Qt's own input path (window-system events), not hand-made events.
TEST(HoverButtonInput, ClickThroughQtInput) {
    QWidget host;
    host.resize(200, 100);
    auto* button = new HoverButton(&host);
    button->setGeometry(10, 10, 48, 24);
    installFakeTimer(*button->tracker());
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    EventLog log(*button);
    auto* picBack = button->findChild<QWidget*>(QStringLiteral("picBack"));
    QTest::mouseMove(picBack, QPoint(20, 10));
    QTest::mouseClick(picBack, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
    EXPECT_EQ(log.take(),
              events({"MouseOver", "MouseDown(1,0,20,10)", "MouseUp(1,0,20,10)", "Click"}));
    EXPECT_TRUE(button->hasFocus());
}

} // namespace
