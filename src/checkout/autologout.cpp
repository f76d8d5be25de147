#include "checkout/autologout.h"

#include "app/core/log.h"
#include "db/accessdatabase.h"
#include "db/parameter.h"
#include "db/sqldialect.h"
#include "settings/settingsstore.h"
#include "util/clock.h"

#include <QLocale>
#include <cmath>

namespace zelkora {

namespace {

// The leading number of a text, as the settings dialog's values are read: blanks skipped, the
// digits up to the first other character, 0 when there are none.
double leadingNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    qsizetype end = 0;
    bool point = false;
    if (end < trimmed.size() && (trimmed.at(end) == u'-' || trimmed.at(end) == u'+'))
        ++end;
    while (end < trimmed.size() &&
           (trimmed.at(end).isDigit() || (trimmed.at(end) == u'.' && !point))) {
        point = point || trimmed.at(end) == u'.';
        ++end;
    }
    bool ok = false;
    const double value = trimmed.left(end).toDouble(&ok);
    return ok ? value : 0.0;
}

// Whole numbers round halves to even.
int nearestWhole(double value) {
    return static_cast<int>(std::nearbyint(value));
}

std::optional<QTime> clockTimeOf(const QString& text) {
    const QLocale c = QLocale::c();
    for (const char* format : {"h:mm AP", "h:mm:ss AP", "H:mm", "H:mm:ss"}) {
        const QTime time = c.toTime(text.trimmed(), QString::fromLatin1(format));
        if (time.isValid())
            return time;
    }
    return std::nullopt;
}

// "+ H:MM min" or "+ H:MM hr": the five characters after "+ ", hours before the ":", up to two
// digits of minutes after it.
std::optional<int> relativeMinutes(const QString& time) {
    const QString part = time.mid(2, 5);
    const qsizetype colon = part.indexOf(u':');
    if (colon < 0)
        return std::nullopt;
    const int hours = nearestWhole(leadingNumber(part.left(colon)));
    const int minutes = nearestWhole(leadingNumber(part.mid(colon + 1, 2)));
    return hours * 60 + minutes;
}

QString labelKey(int labelNumber, const char* field) {
    return QStringLiteral("Label") + QString::number(labelNumber) + QLatin1String(field);
}

} // namespace

AutoLogoutStatement BuildAutoLogoutStatement(const AutoLogoutRule& rule, const QString& now) {
    const db::SqlDialect& sql = db::Dialect();
    QString closeAt;
    QVariantList closeAtValues;
    if (rule.kind == AutoLogoutRule::Kind::Relative) {
        closeAt = sql.addMinutes(QStringLiteral("LogInTime"), QStringLiteral("?"));
        closeAtValues = {rule.minutes};
    } else {
        const QString sameDay = sql.dayAtTime(QStringLiteral("LogInTime"), QStringLiteral("?"));
        closeAt = QStringLiteral("CASE WHEN LogInTime < ") + sameDay + QStringLiteral(" THEN ") +
                  sameDay + QStringLiteral(" ELSE ") +
                  sql.addMinutes(sameDay, QStringLiteral("1440")) + QStringLiteral(" END");
        const QString clock = rule.clockTime.toString(QStringLiteral("HH:mm:ss"));
        closeAtValues = {clock, clock, clock};
    }
    return {QStringLiteral("UPDATE Labels SET LogOutTime = ") + closeAt +
                QStringLiteral(" WHERE LogOutTime IS NULL AND TypeID = ? AND ") + closeAt +
                QStringLiteral(" < ?"),
            closeAtValues + QVariantList{rule.typeId} + closeAtValues + QVariantList{now}};
}

std::optional<AutoLogoutRule> ParseAutoLogoutRule(int labelNumber, const QString& type,
                                                  const QString& time) {
    AutoLogoutRule rule;
    rule.typeId = labelNumber - 1;
    switch (nearestWhole(leadingNumber(type))) {
    case 1:
        if (const auto clock = clockTimeOf(time)) {
            rule.kind = AutoLogoutRule::Kind::Absolute;
            rule.clockTime = *clock;
            return rule;
        }
        return std::nullopt;
    case 2:
        if (const auto minutes = relativeMinutes(time)) {
            rule.kind = AutoLogoutRule::Kind::Relative;
            rule.minutes = *minutes;
            return rule;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

StationError RunAutoLogout() {
    // One read of the store for all fourteen keys.
    const QHash<QString, QString> settings =
        SettingsStore(QString::fromLatin1(kProgramTitle))
            .readSection(QString::fromLatin1(kSettingsSection));
    if (settings.value(labelKey(1, "AutoLogoutType")).isEmpty())
        return {};
    const QString now = db::DateText(Clock::current().now());
    for (int label = 1; label <= 7; ++label) {
        const QString type = settings.value(labelKey(label, "AutoLogoutType"));
        const QString time = settings.value(labelKey(label, "AutoLogoutTime"));
        const std::optional<AutoLogoutRule> rule = ParseAutoLogoutRule(label, type, time);
        if (!rule) {
            if (nearestWhole(leadingNumber(type)) == 1)
                WriteLog(QStringLiteral("RunAutoLogout: unreadable time \"") + time +
                         QStringLiteral("\" for label type ") + QString::number(label));
            continue;
        }
        const AutoLogoutStatement update = BuildAutoLogoutStatement(*rule, now);
        if (StationError error = db::RunSQL(update.sql, update.values); error.isError())
            return error;
    }
    return {};
}

} // namespace zelkora
