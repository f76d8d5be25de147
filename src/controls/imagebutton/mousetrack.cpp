#include "controls/imagebutton/mousetrack.h"

#include "controls/common/eventcodes.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QTimer>

namespace zelkora::controls {

namespace {

// The mouse may wander this many pixels (the side of a square around where it came to rest)
// and still count as resting, so a shaking hand still gets its hover.
constexpr int hoverRectangle = 4;

constexpr Qt::MouseButtons heldButtons = Qt::LeftButton | Qt::RightButton | Qt::MiddleButton;

class QtHoverTimer : public HoverTimer {
public:
    QtHoverTimer() {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            if (onTimeout)
                onTimeout();
        });
    }
    void start(int milliseconds) override { m_timer.start(milliseconds); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

// Qt delivers enter and leave on every platform it runs on, so the toolkit's own tracking is
// always available; the capture emulation is only used when a host forces it.
int chooseMethod() {
    return cMouseTrack::methodSystem;
}

bool isHookedByCapture(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        return true;
    default:
        return false;
    }
}

// The notification methods see the mouse messages too, for the rest timing.
bool isHookedByNotification(QEvent::Type type) {
    return type == QEvent::Enter || type == QEvent::Leave || isHookedByCapture(type);
}

} // namespace

cMouseTrack::cMouseTrack(QObject* parent)
    : QObject(parent)
    , m_hoverTime(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay)) {
    setHoverTimer(std::make_unique<QtHoverTimer>());
}

cMouseTrack::~cMouseTrack() {
    DetachMouseTracking();
}

void cMouseTrack::setHoverTime(int milliseconds) {
    m_hoverTime = qMax(0, milliseconds);
}

void cMouseTrack::setHoverTimer(std::unique_ptr<HoverTimer> timer) {
    if (!timer)
        return;
    const bool wasRunning = m_timer && m_timer->isActive();
    if (m_timer)
        m_timer->stop();
    m_timer = std::move(timer);
    m_timer->onTimeout = [this] { onHoverTimeout(); };
    if (wasRunning)
        m_timer->start(m_hoverTime);
}

void cMouseTrack::AttachMouseTracking(QWidget* window, int forcedMethod) {
    DetachMouseTracking();
    m_method = forcedMethod == automaticMethod ? chooseMethod() : forcedMethod;
    m_window = window;
    if (!m_window)
        return;
    // Qt hands button-less moves only to widgets that ask for them; both the rest timing and
    // the capture emulation need them.
    m_hadMouseTracking = m_window->hasMouseTracking();
    m_window->setMouseTracking(true);
    m_window->installEventFilter(this);
    if (m_method == methodCapture) {
        m_parent = m_window->parentWidget();
        if (m_parent)
            m_parent->installEventFilter(this);
    }
}

bool cMouseTrack::StartMouseTracking() {
    if (m_tracking)
        return true;
    if (!m_window) {
        m_lastError = {5, QStringLiteral("Invalid procedure call or argument")};
        return false;
    }
    m_tracking = true;
    if (m_method == methodCapture) {
        m_window->grabMouse();
    } else {
        m_leaveArmed = true;
        if (!m_restedHere)
            startRest();
    }
    return true;
}

void cMouseTrack::DetachMouseTracking() {
    if (m_timer)
        m_timer->stop();
    if (m_window) {
        if (m_method == methodCapture)
            releaseCapture();
        m_window->removeEventFilter(this);
        m_window->setMouseTracking(m_hadMouseTracking);
    }
    if (m_parent)
        m_parent->removeEventFilter(this);
    m_window = nullptr;
    m_parent = nullptr;
    m_tracking = false;
    m_leaveArmed = false;
    m_leavePending = false;
    m_restedHere = false;
    m_buttons = {};
}

bool cMouseTrack::eventFilter(QObject* watched, QEvent* event) {
    if (m_parent && watched == m_parent) {
        const bool activation =
            event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate;
        if (activation && m_tracking) {
            m_tracking = false;
            releaseCapture();
            Q_EMIT MouseLeave();
        }
        return false;
    }
    if (!m_window || watched != m_window)
        return false;
    const bool hooked = isNotificationMethod() ? isHookedByNotification(event->type())
                                               : isHookedByCapture(event->type());
    if (!hooked)
        return false;

    noteMouse(event);
    // The widget handles the event first and the tracker reacts afterwards, so that, for
    // example, a release outside the widget shows its release picture before the leave.
    const QPointer<cMouseTrack> self(this);
    const QPointer<QWidget> window = m_window;
    static_cast<QObject*>(window.data())->event(event);
    if (self && window && self->m_window == window)
        windowProc(event);
    return true;
}

void cMouseTrack::noteMouse(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        m_buttons = mouse->buttons();
        m_modifiers = mouse->modifiers();
        m_position = mouse->position().toPoint();
        break;
    }
    case QEvent::Enter:
        m_position = static_cast<const QEnterEvent*>(event)->position().toPoint();
        break;
    default:
        break;
    }
}

void cMouseTrack::windowProc(QEvent* event) {
    if (!isNotificationMethod()) {
        captureProc(event);
        return;
    }
    switch (event->type()) {
    case QEvent::MouseMove: {
        const QPoint moved = m_position - m_restOrigin;
        if (qAbs(moved.x()) > hoverRectangle / 2 || qAbs(moved.y()) > hoverRectangle / 2) {
            m_restedHere = false;
            if (m_tracking)
                startRest();
            else
                m_restOrigin = m_position;
        }
        break;
    }
    case QEvent::Enter:
        m_leavePending = false;
        break;
    case QEvent::Leave:
        if (!m_leaveArmed)
            break;
        // While a button is held the widget keeps the mouse; the leave counts once it is
        // released outside.
        if (m_buttons & heldButtons)
            m_leavePending = true;
        else
            raiseLeave();
        break;
    case QEvent::MouseButtonRelease:
        if (m_leaveArmed && !(m_buttons & heldButtons) &&
            (m_leavePending || !m_window->rect().contains(m_position)))
            raiseLeave();
        break;
    default:
        break;
    }
}

void cMouseTrack::captureProc(QEvent* event) {
    if (event->type() != QEvent::MouseMove && event->type() != QEvent::MouseButtonRelease)
        return;
    if (!isInside(m_position)) {
        // With a button down the grab continues, so a drag that leaves the widget keeps it
        // pressed until the button comes up.
        if (!(m_buttons & heldButtons)) {
            m_tracking = false;
            releaseCapture();
            Q_EMIT MouseLeave();
        }
    } else if (event->type() == QEvent::MouseButtonRelease) {
        m_tracking = false;
        StartMouseTracking();
    }
}

void cMouseTrack::onHoverTimeout() {
    if (!m_tracking || !isNotificationMethod())
        return;
    // Dragged outside with a button held: no rest on the widget; moving back in rests anew.
    if (m_leavePending || !m_window || !m_window->rect().contains(m_position))
        return;
    m_tracking = false;
    m_restedHere = true;
    // The hover notification reports Shift and Ctrl only, never Alt.
    const qint16 shift = shiftCode(m_modifiers & (Qt::ShiftModifier | Qt::ControlModifier));
    Q_EMIT MouseHover(buttonCode(m_buttons), shift, float(m_position.x()), float(m_position.y()));
}

void cMouseTrack::startRest() {
    m_restOrigin = m_position;
    m_timer->start(m_hoverTime);
}

void cMouseTrack::raiseLeave() {
    m_tracking = false;
    m_leaveArmed = false;
    m_leavePending = false;
    m_restedHere = false;
    m_timer->stop();
    Q_EMIT MouseLeave();
}

void cMouseTrack::releaseCapture() {
    if (m_window && QWidget::mouseGrabber() == m_window)
        m_window->releaseMouse();
}

bool cMouseTrack::isInside(QPoint position) const {
    if (!m_window->rect().contains(position))
        return false;
    return QApplication::widgetAt(m_window->mapToGlobal(position)) == m_window;
}

} // namespace zelkora::controls
