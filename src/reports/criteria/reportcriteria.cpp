#include "reports/criteria/reportcriteria.h"

#include "db/parameter.h"
#include "db/sqldialect.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTime>

namespace zelkora::reports {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The years a two-digit year stands for: 1930 to 2029, as the desktop reads them.
constexpr int kTwoDigitYearPivot = 30;

QString shortDateFormat() {
    return QLocale::system().dateFormat(QLocale::ShortFormat);
}

// The order of day, month and year in a numeric date format, e.g. "MDY"; empty when the format
// is not three numeric fields (month names, say).
QString numericFieldOrder(const QString& format) {
    static const QRegularExpression fields(QStringLiteral("(d+|M+|y+)"));
    QString order;
    for (auto it = fields.globalMatch(format); it.hasNext();) {
        const QString field = it.next().captured(1);
        if (field.size() > (field.startsWith(QLatin1Char('y')) ? 4 : 2))
            return {};
        order += field.front().toUpper();
    }
    if (order.size() != 3 || !order.contains(QLatin1Char('D')) ||
        !order.contains(QLatin1Char('M')) || !order.contains(QLatin1Char('Y')))
        return {};
    return order;
}

std::optional<int> yearOf(const QString& digits) {
    const int value = digits.toInt();
    if (digits.size() == 4)
        return value;
    if (digits.size() == 2 || digits.size() == 1)
        return value < kTwoDigitYearPivot ? 2000 + value : 1900 + value;
    return std::nullopt;
}

QString orderClause(const QString& choice) {
    if (choice == QLatin1String(kOrderLogOutDate))
        return QStringLiteral(" ORDER BY LogOutTime,LogInTime,Name");
    if (choice == QLatin1String(kOrderName))
        return QStringLiteral(" ORDER BY Name,LogInTime,LogOutTime");
    return QStringLiteral(" ORDER BY LogInTime,Name");
}

} // namespace

QStringList ReportOrderChoices() {
    return {QString::fromLatin1(kOrderLogInDate), QString::fromLatin1(kOrderLogOutDate),
            QString::fromLatin1(kOrderName)};
}

std::optional<QDate> ReadReportDate(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;

    static const QRegularExpression numeric(
        QStringLiteral("^(\\d{1,4})\\s*[-/.]\\s*(\\d{1,2})\\s*[-/.]\\s*(\\d{1,4})$"));
    if (const auto m = numeric.match(trimmed); m.hasMatch()) {
        QDate date;
        if (m.capturedLength(1) == 4) {
            // "YYYY-MM-DD" in any locale.
            date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        } else {
            const QString order = numericFieldOrder(shortDateFormat());
            if (order.isEmpty() || order.front() == QLatin1Char('Y'))
                return std::nullopt;
            int day = 0;
            int month = 0;
            std::optional<int> year;
            for (int i = 0; i < 3; ++i) {
                const QString part = m.captured(i + 1);
                switch (order.at(i).unicode()) {
                case 'D':
                    day = part.size() <= 2 ? part.toInt() : 0;
                    break;
                case 'M':
                    month = part.size() <= 2 ? part.toInt() : 0;
                    break;
                default:
                    year = yearOf(part);
                    break;
                }
            }
            if (!year)
                return std::nullopt;
            date = QDate(*year, month, day);
        }
        if (date.isValid())
            return date;
        return std::nullopt;
    }

    // A short form with month names, as some locales write it.
    const QLocale locale = QLocale::system();
    for (const QLocale::FormatType type : {QLocale::ShortFormat, QLocale::LongFormat}) {
        const QDate date = locale.toDate(trimmed, type);
        if (date.isValid())
            return date;
    }
    return std::nullopt;
}

QString ReportDateText(const QDate& date) {
    QString format = shortDateFormat();
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return QLocale::system().toString(date, format);
}

QString ValidateCriteria(const ReportCriteria& criteria) {
    if (criteria.byDates) {
        const auto start = ReadReportDate(criteria.startDate);
        if (!start)
            return QStringLiteral("The Start Date is invalid.");
        const auto end = ReadReportDate(criteria.endDate);
        if (!end)
            return QStringLiteral("The End Date is invalid.");
        if (*end < *start)
            return QStringLiteral("The End Date must be after or equal to the Start Date.");
    }
    if (criteria.byName && criteria.name.trimmed().isEmpty())
        return QStringLiteral("Please enter a name to Search By.");
    if (!criteria.byDates && !criteria.byName && !criteria.byType)
        return QStringLiteral("Please select at least one report search criteria.");
    return {};
}

ReportQuery BuildReportQuery(const ReportCriteria& criteria, const QString& columns) {
    ReportQuery query;
    QString where = QStringLiteral(" WHERE 1=1 ");
    if (criteria.byDates) {
        const QDate start = ReadReportDate(criteria.startDate).value_or(QDate());
        const QDate end = ReadReportDate(criteria.endDate).value_or(QDate());
        where += QStringLiteral(" AND LogInTime >= ? AND LogInTime <= ? ");
        query.values << db::DateText(start.startOfDay())
                     << db::DateText(QDateTime(end, QTime(23, 59, 59)));
        query.parameterText += QStringLiteral("Dates: ") + criteria.startDate +
                               QStringLiteral(" - ") + criteria.endDate +
                               QStringLiteral(" 11:59:59 PM") + kCrLf;
    }
    if (criteria.byName) {
        where += QStringLiteral(" AND Name LIKE ?") + db::Dialect().likeEscape() + QLatin1Char(' ');
        query.values << db::LikePattern(criteria.name, true);
        query.parameterText += QStringLiteral("Name: Contains ") + criteria.name + kCrLf;
    }
    if (criteria.byType) {
        // Letter case ignored, as the titles were compared when they were typed.
        where += QStringLiteral(" AND UPPER(BadgeName)=UPPER(?)");
        query.values << criteria.type;
        query.parameterText += QStringLiteral("Type: ") + criteria.type + kCrLf;
    }
    const QString choice = ReportOrderChoices().contains(criteria.orderBy)
                               ? criteria.orderBy
                               : QString::fromLatin1(kOrderLogInDate);
    query.parameterText += QStringLiteral("Sort By: ") + choice + kCrLf;

    const QString from = QStringLiteral(" FROM qLabelSummaryReport") + where;
    query.sql = QStringLiteral("SELECT ") + columns + from + orderClause(choice);
    query.countSql = QStringLiteral("SELECT COUNT(*)") + from;
    return query;
}

} // namespace zelkora::reports
