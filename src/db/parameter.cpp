#include "db/parameter.h"

#include "db/dberror.h"

#include <QMetaType>

namespace zelkora::db {

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

bool isNumber(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::SChar:
    case QMetaType::Char:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

bool isText(const QVariant& value) {
    return value.typeId() == QMetaType::QString;
}

StationError typeError(const Parameter& p, const QString& what) {
    return LayerError(kErrTypeMismatch,
                      QStringLiteral("The value of %1 is not %2.").arg(p.name, what));
}

} // namespace

QVariant ApplyNullRule(const QVariant& value) {
    if (isText(value))
        return value.toString().isEmpty() ? QVariant() : value;
    if (isNumber(value))
        return value.toDouble() < 0 ? QVariant() : value;
    return value;
}

bool BindableParameter(const Parameter& parameter, QVariant* bound, StationError* error) {
    const QVariant value = ApplyNullRule(parameter.value);
    if (!value.isValid() || value.isNull()) {
        *bound = QVariant();
        return true;
    }
    switch (parameter.type) {
    case ParamInteger: {
        bool ok = false;
        const qlonglong number = value.toLongLong(&ok);
        if (!ok || number > 2147483647LL || number < -2147483648LL) {
            *error = typeError(parameter, QStringLiteral("a whole number"));
            return false;
        }
        *bound = number;
        return true;
    }
    case ParamVarChar: {
        const QString text = value.toString();
        const qsizetype length = CharacterCount(text);
        if (parameter.size > 0 && length > parameter.size) {
            *error = LayerError(kErrValueTooLong,
                                QStringLiteral("The text for %1 is %2 characters long; at most %3 "
                                               "fit.")
                                    .arg(parameter.name)
                                    .arg(length)
                                    .arg(parameter.size));
            return false;
        }
        *bound = text;
        return true;
    }
    case ParamTimeStamp:
    case ParamTime: {
        const QDateTime when = DateFromStored(value);
        if (!when.isValid()) {
            *error = typeError(parameter, QStringLiteral("a date and time"));
            return false;
        }
        *bound = DateText(when);
        return true;
    }
    default:
        *bound = BindableValue(value);
        return true;
    }
}

QVariant BindableValue(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return QVariant();
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return DateText(value.toDateTime());
    case QMetaType::QDate:
        return DateText(value.toDate().startOfDay());
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    default:
        return value;
    }
}

QString DateText(const QDateTime& when) {
    return when.toLocalTime().toString(kDateFormat);
}

QDateTime DateFromStored(const QVariant& stored) {
    if (!stored.isValid() || stored.isNull())
        return {};
    switch (stored.typeId()) {
    case QMetaType::QDateTime:
        return stored.toDateTime().toLocalTime();
    case QMetaType::QDate:
        return stored.toDate().startOfDay();
    case QMetaType::QString: {
        const QString text = stored.toString().trimmed();
        QDateTime when = QDateTime::fromString(text, kDateFormat);
        if (!when.isValid())
            when = QDateTime::fromString(text, Qt::ISODate).toLocalTime();
        if (!when.isValid()) {
            const QDate day = QDate::fromString(text, Qt::ISODate);
            if (day.isValid())
                when = day.startOfDay();
        }
        return when;
    }
    default:
        return {};
    }
}

QString LikePattern(const QString& text, bool contains) {
    QString escaped;
    escaped.reserve(text.size() + 2);
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return contains ? QLatin1Char('%') + escaped + QLatin1Char('%') : escaped;
}

qsizetype CharacterCount(const QString& text) {
    qsizetype count = 0;
    for (const QChar c : text) {
        if (!c.isLowSurrogate())
            ++count;
    }
    return count;
}

} // namespace zelkora::db
