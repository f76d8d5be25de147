#pragma once

#include "util/error.h"

#include <QString>
#include <QTime>
#include <QVariantList>
#include <optional>

namespace zelkora {

// One label type's rule for closing visits nobody checked out.
struct AutoLogoutRule {
    enum class Kind {
        Absolute, // at a clock time of the check-in day
        Relative, // a number of minutes after check-in
    };
    int typeId = 0; // the TypeID of the visits it closes (label number - 1)
    Kind kind = Kind::Absolute;
    QTime clockTime; // Absolute
    int minutes = 0; // Relative
};

// The rule of label number 1..7 from its stored type ("0" none, "1" absolute, "2" relative, read
// as a number) and time ("05:00 PM", or "+ 1:30 hr"); nullopt when it closes nothing.
std::optional<AutoLogoutRule> ParseAutoLogoutRule(int labelNumber, const QString& type,
                                                  const QString& time);

// The one statement that applies a rule at the time `now` (stored date text), with its bound
// values in order.
struct AutoLogoutStatement {
    QString sql;
    QVariantList values;
};
AutoLogoutStatement BuildAutoLogoutStatement(const AutoLogoutRule& rule, const QString& now);

// Closes every open visit whose label type's rule is due by the station's clock, with the moment
// the rule closed it as its check-out time. Nothing happens while "Label1AutoLogoutType" is
// empty. An absolute rule closes a visit at the clock time of its check-in day, or of the next
// day when the visit began at or after that time, so no visit is ever closed before it began.
// Stops at the first database error and returns it.
StationError RunAutoLogout();

} // namespace zelkora
