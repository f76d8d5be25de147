#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace zelkora {

// The time capture dialog "frmTimeCapture" without its window: the proposed hours and minutes,
// the checks of the user's entry and the result handed to the check-out window.

// The dialog's result: the accepted minutes after check-in, 0 when it was cancelled. Kept until
// the next dialog sets it.
qint16 CapturedMinutes();
void SetCapturedMinutes(qint16 minutes);

// The texts of the dialog.
inline constexpr char kTimeCaptureInstructions[] =
    "Your total \"In Time\" has been calculated and is shown below.  Please verify that this is "
    "the correct time, adjusting if necessary.";
inline constexpr char kDataErrorText[] = "Please verify that both hours and minutes are valid "
                                         "numbers.";
inline constexpr char kDataErrorTitle[] = "Data Error";
inline constexpr char kInvalidMinutesText[] = "Please enter a valid number of minutes.";
inline constexpr char kFutureText[] = "You can not check out in the future.  Please correct your "
                                      "entry.";
inline constexpr char kBeforeCheckInText[] = "You can not check out prior to your check-in time.  "
                                             "Please correct your entry.";

// What the Ok button finds in the entry.
enum class TimeEntryVerdict {
    Accepted,      // within 0..Elapsed
    NotNumbers,    // a field is no 16-bit number
    Overflow,      // hours x 60 + minutes leaves the 16-bit range
    InTheFuture,   // more than Elapsed
    BeforeCheckIn, // negative
};

struct TimeEntryCheck {
    TimeEntryVerdict verdict = TimeEntryVerdict::Accepted;
    qint16 total = 0; // the minutes, when they could be worked out
};

class TimeCapture {
public:
    // Stores `totalMinutes` as Elapsed and proposes it: hours 0 below 60, else the whole part of
    // total / 60; minutes total modulo 60; both as plain decimal numbers.
    void InitForm(qint16 totalMinutes);

    qint16 elapsed() const { return m_elapsed; }
    const QString& hoursText() const { return m_hours; }
    const QString& minutesText() const { return m_minutes; }

    // Checks an entry: an empty (or blank) field counts as 0, hours are converted before
    // minutes, the total is worked out in 16-bit arithmetic.
    TimeEntryCheck check(const QString& hours, const QString& minutes) const;

    // The Ok button: checks the entry and shows the message of a refused one ("Data Error",
    // the invalid minutes, or the future and before-check-in messages with OK and Cancel, code
    // 65). Returns the minutes to close the dialog with, setting CapturedMinutes (0 after
    // Cancel in a range message), or nullopt to keep the dialog open for correction.
    std::optional<qint16> Ok(const QString& hours, const QString& minutes) const;

    // Cancel and the close box: CapturedMinutes becomes 0.
    static qint16 Cancel();

private:
    qint16 m_elapsed = 0;
    QString m_hours = QStringLiteral("0");
    QString m_minutes = QStringLiteral("0");
};

} // namespace zelkora
