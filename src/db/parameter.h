#pragma once

#include "util/error.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

namespace zelkora::db {

// The platform database type codes a parameter description carries.
enum ParamType : int {
    ParamInteger = 3,     // 32-bit integer, size 4
    ParamVarChar = 200,   // variable-length text, size = most characters
    ParamTimeStamp = 135, // date and time, size 8
    ParamTime = 134,      // date and time of "@LogOutTime", size 8
};

// One stored-query parameter: name (with the leading "@"), type code, size and value. Parameters
// are matched to the stored query by position; the name only serves messages.
struct Parameter {
    QString name;
    int type = ParamVarChar;
    int size = 0;
    QVariant value;
};
using Parameters = QList<Parameter>;

// The null rule: an empty text and a negative number become null; any other value is unchanged.
QVariant ApplyNullRule(const QVariant& value);

// Turns a parameter into the value bound to the statement: the null rule, then the type code
// (3 a whole number, 200 text of at most `size` characters, 135/134 a date stored as text).
// A value that does not fit fails with an error naming the parameter.
bool BindableParameter(const Parameter& parameter, QVariant* bound, StationError* error);

// A value as it is bound to SQL: dates and date-times become stored date text, booleans 0/1,
// nulls a plain null; everything else unchanged.
QVariant BindableValue(const QVariant& value);

// The stored form of a date and time: local time as "YYYY-MM-DD HH:MM:SS".
QString DateText(const QDateTime& when);
// A stored date text (or a date value) read back as local time; invalid when it is none.
QDateTime DateFromStored(const QVariant& stored);

// A text for "LIKE ? ESCAPE '\'" that matches `text` literally, so that "%", "_" and "\" in a
// name are no wildcards; `contains` wraps it in "%" on both sides.
QString LikePattern(const QString& text, bool contains = true);

// Characters as the database counts them: Unicode code points, not UTF-16 units.
qsizetype CharacterCount(const QString& text);

} // namespace zelkora::db
