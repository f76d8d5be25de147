#include "util/clock.h"

#include <QLocale>
#include <QRegularExpression>

namespace zelkora {

namespace {

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

const SystemClock systemClock;
const Clock* installedClock = nullptr;

QString fourDigitYear(QString format) {
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

QString withoutTimeZone(QString format) {
    static const QRegularExpression zone(QStringLiteral("\\s*t+"));
    return format.remove(zone).trimmed();
}

} // namespace

const Clock& Clock::current() {
    return installedClock ? *installedClock : systemClock;
}

void Clock::install(const Clock* clock) {
    installedClock = clock;
}

QString generalDate(const QDateTime& when) {
    const QLocale locale = QLocale::system();
    const QString date = fourDigitYear(locale.dateFormat(QLocale::ShortFormat));
    const QString time = withoutTimeZone(locale.timeFormat(QLocale::LongFormat));
    return locale.toString(when.date(), date) + QLatin1Char(' ') +
           locale.toString(when.time(), time);
}

} // namespace zelkora
