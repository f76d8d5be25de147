#pragma once

#include "util/error.h"

#include <QMetaType>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

namespace zelkora {

// What one card swipe did, for the main window to confirm or report.
struct CardSwipeResult {
    enum class Outcome {
        CheckedIn,     // a new card visit was opened
        CheckedOut,    // the latest open card visit was closed
        InvalidCard,   // no registered card has this number; nothing was written
        DatabaseError, // a statement failed; nothing was written
    };
    Outcome outcome = Outcome::InvalidCard;
    QString cardHolderName; // first name, a blank, last name; empty for an invalid card
    QVariant badgeId;       // ID of the visit opened or closed; null otherwise
    StationError error;     // DatabaseError only
};

// The badge title of label index 0..6: caption line 1 of the main window's button.
using BadgeTitleSource = std::function<QString(int labelIndex)>;

// The stored title of label index 0..6 (setting "Label<index + 1>Title"); empty outside 0..6.
QString LabelTitleFromSettings(int labelIndex);

// Checks the holder of card `cardText` in (no open card visit: qAddLabel with the card number in
// Field4) or out (qLogOut of the open card visit with the latest check-in only), at the clock's
// current time. The card text only ever travels as a bound value. Sets the program-wide card
// holder name (empty unless checked in or out) and, on success, the card check-in flag.
CardSwipeResult ProcessCardSwipe(const QString& cardText,
                                 const BadgeTitleSource& badgeTitle = LabelTitleFromSettings);

// After the welcome window has closed: the card holder name is emptied.
void ForgetCardHolder();

// The message for a swipe that failed on the database.
QString CardSwipeErrorText(const StationError& error);
// Shows CardSwipeErrorText through the common message routine, owned by the active window.
void ShowCardSwipeError(const StationError& error);

// The card buffer of the main window: a keyboard-wedge card reader types the card number and
// Enter. Every character typed since the last swipe belongs to the next card number; there is no
// length limit and no time-out.
class CardSwipe {
public:
    explicit CardSwipe(BadgeTitleSource badgeTitle = LabelTitleFromSettings);

    struct KeyResult {
        bool swallowed = false;               // the key must not reach any control
        std::optional<CardSwipeResult> swipe; // set when the key completed a swipe
    };

    // Decides one key press on the main window: a typed character joins the buffer and is
    // swallowed; Enter with a full buffer runs the swipe and is swallowed; Enter with an empty
    // buffer, keys that type no character (arrows, Tab, Escape, Backspace) and shortcuts with
    // Ctrl, Alt or Meta go on to the focused control.
    KeyResult keyPressed(int key, Qt::KeyboardModifiers modifiers, const QString& text);

    // Runs the swipe on the buffer and empties it, whatever the outcome.
    CardSwipeResult ProcessCardSwipe();

    const QString& buffer() const { return m_buffer; }
    void clear() { m_buffer.clear(); }

private:
    BadgeTitleSource m_badgeTitle;
    QString m_buffer;
};

} // namespace zelkora

Q_DECLARE_METATYPE(zelkora::CardSwipeResult)
