#include "tristeltest.h"

#include <QSignalSpy>
#include <vector>

using namespace zelkora::controls;
using namespace zelkora::controls::test;

namespace {

// A tracker on a plain shown widget, as a host other than HoverButton would use it.
class MouseTrackTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent.resize(200, 100);
        window = new QWidget(&parent);
        window->setGeometry(10, 10, 50, 30);
        timer = installFakeTimer(tracker);
        parent.show();
    }

    QWidget parent;
    QWidget* window = nullptr;
    cMouseTrack tracker;
    FakeHoverTimer* timer = nullptr;
};

TEST_F(MouseTrackTest, MethodFollowsTheForcedValue) {
    struct Case {
        int forced;
        int method;
    };
    const std::vector<Case> cases = {{-1, 0}, {0, 0}, {1, 1}, {2, 2}, {7, 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.forced);
        tracker.AttachMouseTracking(window, c.forced);
        EXPECT_EQ(tracker.Method(), c.method);
        EXPECT_EQ(tracker.window(), window);
    }
}

TEST_F(MouseTrackTest, StartWithoutAWindowFailsWithTheTrackersSource) {
    EXPECT_FALSE(tracker.StartMouseTracking());
    EXPECT_FALSE(tracker.Tracking());
    EXPECT_EQ(tracker.lastError().number, 5);
    EXPECT_STREQ(cMouseTrack::errorSource, "libtristel.cMouseTrack");
}

TEST_F(MouseTrackTest, HoverReportsButtonsShiftAndPosition) {
    tracker.AttachMouseTracking(window);
    QSignalSpy hovers(&tracker, &cMouseTrack::MouseHover);
    sendMove(window, {7, 9}, Qt::LeftButton | Qt::MiddleButton,
             Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    ASSERT_TRUE(tracker.StartMouseTracking());
    EXPECT_TRUE(tracker.Tracking());
    timer->fire();
    ASSERT_EQ(hovers.count(), 1);
    const QList<QVariant> args = hovers.takeFirst();
    EXPECT_EQ(args.at(0).toInt(), 5); // left + middle
    EXPECT_EQ(args.at(1).toInt(), 3); // shift + control; alt is not reported
    EXPECT_EQ(args.at(2).toFloat(), 7.0f);
    EXPECT_EQ(args.at(3).toFloat(), 9.0f);
    EXPECT_FALSE(tracker.Tracking());
}

TEST_F(MouseTrackTest, NotificationMethodsReportOneLeavePerStart) {
    for (int method : {cMouseTrack::methodSystem, cMouseTrack::methodCommonControls}) {
        SCOPED_TRACE(method);
        tracker.AttachMouseTracking(window, method);
        QSignalSpy leaves(&tracker, &cMouseTrack::MouseLeave);
        sendLeave(window); // not started: nothing to report
        EXPECT_EQ(leaves.count(), 0);
        sendMove(window, {5, 5});
        tracker.StartMouseTracking();
        sendLeave(window);
        sendLeave(window);
        EXPECT_EQ(leaves.count(), 1);
        EXPECT_FALSE(tracker.Tracking());
        EXPECT_FALSE(timer->running);
    }
}

TEST_F(MouseTrackTest, NoHoverWhileDraggedOutsideWithAButtonHeld) {
    tracker.AttachMouseTracking(window);
    QSignalSpy hovers(&tracker, &cMouseTrack::MouseHover);
    sendMove(window, {5, 5});
    tracker.StartMouseTracking();
    sendPress(window, {5, 5});
    sendLeave(window);
    sendMove(window, {90, 50}, Qt::LeftButton);
    if (timer->running)
        timer->fire();
    EXPECT_EQ(hovers.count(), 0);
}

TEST_F(MouseTrackTest, DetachUnhooksAndRestoresTheWidget) {
    ASSERT_FALSE(window->hasMouseTracking());
    tracker.AttachMouseTracking(window);
    EXPECT_TRUE(window->hasMouseTracking());
    sendMove(window, {5, 5});
    tracker.StartMouseTracking();
    tracker.DetachMouseTracking();
    EXPECT_FALSE(window->hasMouseTracking());
    EXPECT_FALSE(tracker.Tracking());
    EXPECT_EQ(tracker.window(), nullptr);

    QSignalSpy leaves(&tracker, &cMouseTrack::MouseLeave);
    sendLeave(window);
    EXPECT_EQ(leaves.count(), 0);
}

TEST_F(MouseTrackTest, CaptureEndsWhenTheParentIsActivatedOrDeactivated) {
    tracker.AttachMouseTracking(window, cMouseTrack::methodCapture);
    QSignalSpy leaves(&tracker, &cMouseTrack::MouseLeave);
    sendMove(window, {5, 5});
    ASSERT_TRUE(tracker.StartMouseTracking());
    EXPECT_EQ(QWidget::mouseGrabber(), window);

    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&parent, &deactivate);
    EXPECT_EQ(leaves.count(), 1);
    EXPECT_FALSE(tracker.Tracking());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    // Not tracking: nothing more to end.
    QApplication::sendEvent(&parent, &deactivate);
    EXPECT_EQ(leaves.count(), 1);
}

TEST_F(MouseTrackTest, DestroyingTheTrackerReleasesTheCapture) {
    {
        cMouseTrack capture;
        capture.AttachMouseTracking(window, cMouseTrack::methodCapture);
        sendMove(window, {5, 5});
        capture.StartMouseTracking();
        ASSERT_EQ(QWidget::mouseGrabber(), window);
    }
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_FALSE(window->hasMouseTracking());
}

TEST_F(MouseTrackTest, HoverTimeIsSettable) {
    tracker.AttachMouseTracking(window);
    EXPECT_GT(tracker.hoverTime(), 0);
    tracker.setHoverTime(250);
    sendMove(window, {5, 5});
    tracker.StartMouseTracking();
    EXPECT_EQ(timer->interval, 250);
}

} // namespace
