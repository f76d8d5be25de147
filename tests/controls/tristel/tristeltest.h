#pragma once

#include "controls/imagebutton/hoverbutton.h"
#include "controls/imagebutton/mousetrack.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

namespace zelkora::controls::test {

// A rest timer the test fires by hand.
class FakeHoverTimer : public HoverTimer {
public:
    void start(int milliseconds) override {
        running = true;
        interval = milliseconds;
        ++starts;
    }
    void stop() override { running = false; }
    bool isActive() const override { return running; }
    // Elapses the running shot, as the real timer would after its interval.
    void fire() {
        ASSERT_TRUE(running) << "the hover timer is not running";
        running = false;
        onTimeout();
    }

    bool running = false;
    int interval = -1;
    int starts = 0;
};

// Installs a fake timer into `tracker` and returns it (the tracker owns it).
inline FakeHoverTimer* installFakeTimer(cMouseTrack& tracker) {
    auto timer = std::make_unique<FakeHoverTimer>();
    FakeHoverTimer* raw = timer.get();
    tracker.setHoverTimer(std::move(timer));
    return raw;
}

// Mouse input as Qt delivers it to a widget, through the application (so event filters run).
inline void sendMove(QWidget* widget, QPoint at, Qt::MouseButtons held = Qt::NoButton,
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(QEvent::MouseMove, QPointF(at), QPointF(widget->mapToGlobal(at)),
                      Qt::NoButton, held, modifiers);
    QApplication::sendEvent(widget, &event);
}

inline void sendPress(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                      QEvent::Type type = QEvent::MouseButtonPress) {
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, button,
                      modifiers);
    QApplication::sendEvent(widget, &event);
}

inline void sendDoubleClick(QWidget* widget, QPoint at) {
    sendPress(widget, at, Qt::LeftButton, Qt::NoModifier, QEvent::MouseButtonDblClick);
}

inline void sendRelease(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(QEvent::MouseButtonRelease, QPointF(at), QPointF(widget->mapToGlobal(at)),
                      button, Qt::NoButton, modifiers);
    QApplication::sendEvent(widget, &event);
}

inline void sendEnter(QWidget* widget, QPoint at) {
    const QPointF local(at);
    QEnterEvent event(local, local, QPointF(widget->mapToGlobal(at)));
    QApplication::sendEvent(widget, &event);
}

inline void sendLeave(QWidget* widget) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

// A solid picture; distinct colours tell the three states apart on screen and in a grab.
inline QPixmap solidPicture(const QColor& colour, QSize size = {48, 24}) {
    QPixmap picture(size);
    picture.fill(colour);
    return picture;
}

// The button's events as text, in the order they were raised.
class EventLog {
public:
    explicit EventLog(HoverButton& button) {
        QObject::connect(&button, &HoverButton::Click, &button, [this] { add("Click"); });
        QObject::connect(&button, &HoverButton::DblClick, &button, [this] { add("DblClick"); });
        QObject::connect(&button, &HoverButton::MouseOver, &button, [this] { add("MouseOver"); });
        QObject::connect(&button, &HoverButton::MouseOut, &button, [this] { add("MouseOut"); });
        QObject::connect(&button, &HoverButton::MouseHover, &button, [this] { add("MouseHover"); });
        QObject::connect(
            &button, &HoverButton::MouseDown, &button,
            [this](qint16 b, qint16 s, float x, float y) { add("MouseDown", b, s, x, y); });
        QObject::connect(
            &button, &HoverButton::MouseUp, &button,
            [this](qint16 b, qint16 s, float x, float y) { add("MouseUp", b, s, x, y); });
    }

    QStringList take() {
        QStringList result = m_events;
        m_events.clear();
        return result;
    }

private:
    void add(const char* name) { m_events.append(QString::fromLatin1(name)); }
    void add(const char* name, qint16 button, qint16 shift, float x, float y) {
        m_events.append(QStringLiteral("%1(%2,%3,%4,%5)")
                            .arg(QString::fromLatin1(name))
                            .arg(button)
                            .arg(shift)
                            .arg(double(x))
                            .arg(double(y)));
    }

    QStringList m_events;
};

inline QStringList events(std::initializer_list<const char*> names) {
    QStringList result;
    for (const char* name : names)
        result.append(QString::fromLatin1(name));
    return result;
}

} // namespace zelkora::controls::test

// Lets GoogleTest print Qt strings in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out) {
    *out << '[' << list.join(QStringLiteral(", ")).toStdString() << ']';
}
QT_END_NAMESPACE
