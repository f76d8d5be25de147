#include "cards/cardswipefilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace zelkora {

CardSwipeFilter::CardSwipeFilter(QWidget* window, BadgeTitleSource badgeTitle)
    : QObject(window)
    , m_window(window)
    , m_cardSwipe(std::move(badgeTitle)) {}

CardSwipeFilter* CardSwipeFilter::install(QWidget* window, BadgeTitleSource badgeTitle) {
    auto* filter = new CardSwipeFilter(window, std::move(badgeTitle));
    QCoreApplication::instance()->installEventFilter(filter);
    return filter;
}

bool CardSwipeFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() || !m_window)
        return false;
    // window() is the widget's own top-level window: a dialog over the main window is its own.
    if (static_cast<QWidget*>(watched)->window() != m_window)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    CardSwipe::KeyResult outcome =
        m_cardSwipe.keyPressed(key->key(), key->modifiers(), key->text());
    if (outcome.swipe)
        Q_EMIT cardSwiped(*outcome.swipe);
    return outcome.swallowed;
}

} // namespace zelkora
