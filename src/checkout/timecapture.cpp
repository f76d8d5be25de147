#include "checkout/timecapture.h"

#include "app/core/message.h"
#include "settings/vraxsettings.h"
#include "util/prompter.h"

#include <limits>

namespace zelkora {

namespace {

qint16 captured = 0;

bool fits16(int value) {
    return value >= std::numeric_limits<qint16>::min() &&
           value <= std::numeric_limits<qint16>::max();
}

} // namespace

qint16 CapturedMinutes() {
    return captured;
}

void SetCapturedMinutes(qint16 minutes) {
    captured = minutes;
}

void TimeCapture::InitForm(qint16 totalMinutes) {
    m_elapsed = totalMinutes;
    const int hours = totalMinutes < 60 ? 0 : totalMinutes / 60;
    m_hours = QString::number(hours);
    m_minutes = QString::number(totalMinutes % 60);
}

TimeEntryCheck TimeCapture::check(const QString& hours, const QString& minutes) const {
    qint16 h = 0;
    qint16 m = 0;
    for (const auto& [text, target] : {std::pair{&hours, &h}, std::pair{&minutes, &m}}) {
        if (text->trimmed().isEmpty())
            continue;
        // The settings' number reading is the same conversion: trimmed, halves to even, 16 bits.
        const std::optional<qint16> number = settingcodec::parseNumber(*text);
        if (!number)
            return {TimeEntryVerdict::NotNumbers, 0};
        *target = *number;
    }
    // 16-bit arithmetic: the product overflows before the sum can bring it back into range.
    const int product = h * 60;
    const int total = product + m;
    if (!fits16(product) || !fits16(total))
        return {TimeEntryVerdict::Overflow, 0};
    const auto minutesTotal = static_cast<qint16>(total);
    if (m_elapsed < minutesTotal)
        return {TimeEntryVerdict::InTheFuture, minutesTotal};
    if (minutesTotal < 0)
        return {TimeEntryVerdict::BeforeCheckIn, minutesTotal};
    return {TimeEntryVerdict::Accepted, minutesTotal};
}

std::optional<qint16> TimeCapture::Ok(const QString& hours, const QString& minutes) const {
    const TimeEntryCheck result = check(hours, minutes);
    switch (result.verdict) {
    case TimeEntryVerdict::NotNumbers:
        ShowMessage(QLatin1String(kDataErrorText), MsgOk | MsgCritical,
                    QLatin1String(kDataErrorTitle), true);
        return std::nullopt;
    case TimeEntryVerdict::Overflow:
        ShowMessage(QLatin1String(kInvalidMinutesText), MsgOk | MsgCritical, {}, true);
        return std::nullopt;
    case TimeEntryVerdict::InTheFuture:
    case TimeEntryVerdict::BeforeCheckIn: {
        const char* text =
            result.verdict == TimeEntryVerdict::InTheFuture ? kFutureText : kBeforeCheckInText;
        if (ShowMessage(QLatin1String(text), MsgOkCancel | MsgInformation, {}, true) ==
            AnswerCancel)
            return Cancel();
        return std::nullopt;
    }
    case TimeEntryVerdict::Accepted:
        break;
    }
    SetCapturedMinutes(result.total);
    return result.total;
}

qint16 TimeCapture::Cancel() {
    SetCapturedMinutes(0);
    return 0;
}

} // namespace zelkora
