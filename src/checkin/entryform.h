#pragma once

#include "checkin/labeldatasettings.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace zelkora {

// The texts of the entry window that its rules depend on.
inline constexpr char kNoNameText[] = "Name will not be printed";
inline constexpr char kCaptionCheckInOut[] = "Check In/Out";
inline constexpr char kCaptionCreateBadge[] = "Create Security Badge";

// The longest text the visits' text columns hold; entry fields take no more.
inline constexpr int kTextColumnSize = 50;

// The pieces of a list setting split at CR LF, in order, empty pieces included; an empty text
// has no pieces at all.
QStringList SplitAtCrLf(const QString& text);

// Which control answers a question.
enum class AnswerControl {
    Hidden, // the question is not displayed: label, list and text box all hidden
    List,   // a drop-down list of the configured answers
    Text,   // a free-form text box (no answers configured, or only spaces)
};

struct QuestionPlan {
    QString caption; // the question title, followed by " (printed)" when it is printed
    bool labelShown = false;
    AnswerControl control = AnswerControl::Hidden;
    QStringList items; // the list's answers, untrimmed
};

// How the entry window configures its controls for a label type.
struct EntryFormPlan {
    QStringList names; // the name list, from PreloadList
    QString badgeName; // the title box's text
    bool titleEditable = false;
    bool messageShown = false;
    QString message;
    bool noNameEnabled = false;
    QString nameCaption; // NameLabelPrefix + " Name:"
    std::array<QuestionPlan, 2> questions;
    bool checkOutShown = false;
    QString windowCaption;
};

// The configuration steps of InitLabelData as data.
EntryFormPlan PlanEntryForm(const LabelDataSettings& settings);

// What the user entered, as the commit reads it from the controls.
struct EntryValues {
    QString name;      // the name box's text
    QString badgeName; // the title box's text
    bool noName = false;
    QString quantityText;
    // The visible answer control's text: the text box's for a free-form question, the list's
    // otherwise (empty when nothing was picked or the question is hidden).
    std::array<QString, 2> answers;
    // Whether that control is shown; a hidden one is never required.
    std::array<bool, 2> answerShown{false, false};
};

struct EntryValidation {
    QString message;     // the first rule that failed; empty when all passed
    qint32 quantity = 1; // labels to print: 1, or the quantity of a nameless label
    bool ok() const { return message.isEmpty(); }
};

// The checks of Check In and Check Out, in order: name, title, quantity (nameless labels only),
// required answers 1 and 2.
EntryValidation ValidateEntry(const LabelDataSettings& settings, const EntryValues& entry);

// Text as a 32-bit whole number: blanks around it ignored, the locale's or plain digits with an
// optional fraction, rounded to the nearest whole number with halves to even. Nothing when it is
// not a number or does not fit.
std::optional<qint32> ToWholeNumber(const QString& text);

// Trims blanks (spaces only) at both ends.
QString TrimSpaces(const QString& text);

// When Check In and Check Out may be pressed, from the web-cam and scanner modes and what has
// been captured; both buttons always switch together.
class CheckInButtonGate {
public:
    // The window's load: nothing captured; the buttons wait when either device is required.
    CheckInButtonGate(qint16 webCamMode, qint16 scannerMode);

    bool enabled() const { return m_enabled; }
    bool pictureTaken() const { return m_pictureTaken; }
    bool idScanned() const { return m_idScanned; }

    // A web-cam picture was frozen.
    void pictureFrozen();
    // The live video was started again: the frozen picture is gone.
    void videoRestarted();
    // An ID image arrived from the scanner.
    void idImageArrived();

private:
    qint16 m_webCamMode;
    qint16 m_scannerMode;
    bool m_pictureTaken = false;
    bool m_idScanned = false;
    bool m_enabled = false;
};

} // namespace zelkora
