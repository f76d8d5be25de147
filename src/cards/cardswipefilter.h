#pragma once

#include "cards/cardswipe.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace zelkora {

// Previews every key press typed while the main window or one of its controls has the focus and
// feeds it to the card buffer, swallowing what the buffer takes. Key presses of other windows
// (the modal windows over the main window among them) are left alone. Installed on the
// application, because an event filter on a window sees none of its controls' keys.
class CardSwipeFilter final : public QObject {
    Q_OBJECT
public:
    // Watches `window`, which also owns the filter.
    explicit CardSwipeFilter(QWidget* window, BadgeTitleSource badgeTitle = LabelTitleFromSettings);

    // Creates the filter for `window` and installs it on the application.
    static CardSwipeFilter* install(QWidget* window,
                                    BadgeTitleSource badgeTitle = LabelTitleFromSettings);

    CardSwipe& cardSwipe() { return m_cardSwipe; }

    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    // A swipe has been processed and the card buffer is empty again. Handlers may open modal
    // windows: the filter touches nothing of itself after emitting.
    void cardSwiped(const zelkora::CardSwipeResult& result);

private:
    QPointer<QWidget> m_window;
    CardSwipe m_cardSwipe;
};

} // namespace zelkora
