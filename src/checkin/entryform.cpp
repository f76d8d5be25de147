#include "checkin/entryform.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace zelkora {

QStringList SplitAtCrLf(const QString& text) {
    if (text.isEmpty())
        return {};
    return text.split(QStringLiteral("\r\n"));
}

QString TrimSpaces(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

namespace {

QuestionPlan planQuestion(const QuestionSettings& q) {
    QuestionPlan plan;
    plan.caption = q.Title;
    if (q.Printed)
        plan.caption += QStringLiteral(" (printed)");
    if (!q.Displayed)
        return plan;
    plan.labelShown = true;
    if (TrimSpaces(q.Answers).isEmpty()) {
        plan.control = AnswerControl::Text;
    } else {
        plan.control = AnswerControl::List;
        plan.items = SplitAtCrLf(q.Answers);
    }
    return plan;
}

} // namespace

EntryFormPlan PlanEntryForm(const LabelDataSettings& s) {
    EntryFormPlan plan;
    plan.names = SplitAtCrLf(s.PreloadList);
    plan.badgeName = s.Title;
    plan.titleEditable = s.Title.isEmpty() || s.AllowTitleChange;
    plan.messageShown = !s.MessageBoard.isEmpty();
    plan.message = s.MessageBoard;
    plan.noNameEnabled = s.AllowNoName;
    plan.nameCaption = s.NameLabelPrefix + QStringLiteral(" Name:");
    plan.questions[0] = planQuestion(s.questions[0]);
    plan.questions[1] = planQuestion(s.questions[1]);
    plan.checkOutShown = s.IncludeCheckinAndCheckout;
    plan.windowCaption =
        QLatin1String(s.IncludeCheckinAndCheckout ? kCaptionCheckInOut : kCaptionCreateBadge);
    return plan;
}

std::optional<qint32> ToWholeNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    double value = QLocale().toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default rounding mode: halves to even
    if (rounded < static_cast<double>(std::numeric_limits<qint32>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return static_cast<qint32>(rounded);
}

EntryValidation ValidateEntry(const LabelDataSettings& s, const EntryValues& entry) {
    EntryValidation result;
    if (entry.name.isEmpty()) {
        result.message = QStringLiteral("You must enter a value in the Name field.");
        return result;
    }
    if (entry.badgeName.isEmpty()) {
        result.message = QStringLiteral("You must enter a value in the Title field.");
        return result;
    }
    if (entry.noName) {
        const std::optional<qint32> quantity = ToWholeNumber(entry.quantityText);
        if (!quantity) {
            result.message = QStringLiteral("You must enter a numeric value in the Qty field.");
            return result;
        }
        if (*quantity < 1) {
            result.message = QStringLiteral("You must enter a positive value in the Qty field.");
            return result;
        }
        result.quantity = *quantity;
    }
    for (std::size_t i = 0; i < 2; ++i) {
        const QuestionSettings& q = s.questions.at(i);
        if (q.Required && entry.answerShown.at(i) && TrimSpaces(entry.answers.at(i)).isEmpty()) {
            result.message = QStringLiteral("You must enter a value for the ") + q.Title +
                             QStringLiteral(" field.");
            return result;
        }
    }
    return result;
}

CheckInButtonGate::CheckInButtonGate(qint16 webCamMode, qint16 scannerMode)
    : m_webCamMode(webCamMode)
    , m_scannerMode(scannerMode)
    , m_enabled(webCamMode != kDeviceRequired && scannerMode != kDeviceRequired) {}

void CheckInButtonGate::pictureFrozen() {
    m_pictureTaken = true;
    if (m_scannerMode != kDeviceRequired || m_idScanned)
        m_enabled = true;
}

void CheckInButtonGate::videoRestarted() {
    m_pictureTaken = false;
    if (m_webCamMode == kDeviceRequired)
        m_enabled = false;
}

void CheckInButtonGate::idImageArrived() {
    m_idScanned = true;
    if (m_webCamMode != kDeviceRequired || m_pictureTaken)
        m_enabled = true;
}

} // namespace zelkora
