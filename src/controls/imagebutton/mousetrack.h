#pragma once

#include "controls/common/propertybag.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class QTimer;

namespace zelkora::controls {

// The rest timer behind the hover notification. The tracker owns one; a test supplies one it
// fires by hand, so no test waits for real time to pass.
class HoverTimer {
public:
    virtual ~HoverTimer() = default;
    // (Re)starts a single shot that calls the timeout handler after `milliseconds`.
    virtual void start(int milliseconds) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    // Set by the tracker; called once per elapsed shot.
    std::function<void()> onTimeout;
};

// Tells a tracked widget's owner when the mouse rests on the widget (MouseHover) and when it
// leaves (MouseLeave), one notification per StartMouseTracking.
//
// Methods: 0 and 1 take enter, leave and mouse moves from Qt's own event delivery and time
// the rest with the hover timer (Qt has no second notification source, so 1 behaves as 0);
// 2 emulates leave detection by grabbing the mouse, for hosts that need it. The tracker hooks
// the widget with an event filter and reacts after the widget has handled each hooked event,
// so the widget's own mouse handling always comes first (event filters the widget had before
// the attach do not see the hooked events).
class cMouseTrack : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Tracking READ Tracking)
    Q_PROPERTY(int Method READ Method)

public:
    static constexpr int methodSystem = 0;
    static constexpr int methodCommonControls = 1;
    static constexpr int methodCapture = 2;
    static constexpr int automaticMethod = -1;
    // Raised failures name this source.
    static constexpr const char* errorSource = "libtristel.cMouseTrack";

    explicit cMouseTrack(QObject* parent = nullptr);
    ~cMouseTrack() override;

    // Detaches any earlier widget, then hooks `window` (nothing when null). `forcedMethod` -1
    // chooses automatically; any other value is taken as the method number.
    void AttachMouseTracking(QWidget* window, int forcedMethod = automaticMethod);
    // Arms one hover-and-leave notification (method 2: grabs the mouse). Does nothing while
    // tracking. Returns false, with Tracking false and lastError() set, when it cannot.
    bool StartMouseTracking();
    // Unhooks the widget (method 2: releases the grab) and forgets it.
    void DetachMouseTracking();

    // True between a start and the next hover, leave or detach.
    bool Tracking() const { return m_tracking; }
    // The method in use.
    int Method() const { return m_method; }
    QWidget* window() const { return m_window; }

    // The error of the last failed start.
    ControlError lastError() const { return m_lastError; }

    // How long the mouse must rest before MouseHover; defaults to the style's tool-tip delay.
    void setHoverTime(int milliseconds);
    int hoverTime() const { return m_hoverTime; }
    // Replaces the rest timer (tests pass one they fire by hand).
    void setHoverTimer(std::unique_ptr<HoverTimer> timer);

Q_SIGNALS:
    // Button: 1 left, 2 right, 4 middle, summed; Shift: 1 shift, 2 control; x, y in pixels.
    void MouseHover(qint16 Button, qint16 Shift, float x, float y);
    void MouseLeave();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isNotificationMethod() const { return m_method != methodCapture; }
    void windowProc(QEvent* event);
    void captureProc(QEvent* event);
    void noteMouse(const QEvent* event);
    void onHoverTimeout();
    void startRest();
    void raiseLeave();
    void releaseCapture();
    bool isInside(QPoint position) const;

    QPointer<QWidget> m_window;
    QPointer<QWidget> m_parent; // capture method only: its activation ends the tracking
    int m_method = methodSystem;
    bool m_tracking = false;
    bool m_leaveArmed = false;   // notification methods: a leave is reported once per start
    bool m_leavePending = false; // a leave arrived while a button was held
    bool m_restedHere = false;   // a hover fired and the mouse has not moved on since
    bool m_hadMouseTracking = false;
    Qt::MouseButtons m_buttons;
    Qt::KeyboardModifiers m_modifiers;
    QPoint m_position;
    QPoint m_restOrigin;
    int m_hoverTime = 0;
    std::unique_ptr<HoverTimer> m_timer;
    ControlError m_lastError;
};

} // namespace zelkora::controls
