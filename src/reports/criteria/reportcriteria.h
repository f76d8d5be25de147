#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

namespace zelkora::reports {

// The caption of every validation message of the report window.
inline constexpr char kValidationTitle[] = "Validation Error";

// The choices of "Order By:", in list order.
inline constexpr char kOrderLogInDate[] = "Log In Date";
inline constexpr char kOrderLogOutDate[] = "Log Out Date";
inline constexpr char kOrderName[] = "Name";
QStringList ReportOrderChoices();

// What the report window's controls hold when View or Export is pressed.
struct ReportCriteria {
    bool byDates = true;
    QString startDate; // as typed
    QString endDate;   // as typed
    bool byName = false;
    QString name; // part of a name, as typed
    bool byType = false;
    QString type; // the text of the type list
    QString orderBy = QString::fromLatin1(kOrderLogInDate);
};

// A date text read the way the user types it: the system's short date form (month/day/year in
// US English, with a two- or four-digit year; two digits mean 1930 to 2029) or "YYYY-MM-DD".
// nullopt when the text is no date.
std::optional<QDate> ReadReportDate(const QString& text);

// A date in the system's short date form with a four-digit year, as the date boxes show it.
QString ReportDateText(const QDate& date);

// The first validation failure of `criteria` as the message to show (with kValidationTitle),
// or an empty text when the criteria are valid: the dates when By Date is ticked, the name when
// By Name is ticked, then at least one criterion.
QString ValidateCriteria(const ReportCriteria& criteria);

// The select of a report and its bound values.
struct ReportQuery {
    QString sql;         // ordered select on qLabelSummaryReport
    QString countSql;    // the number of its rows, same values
    QVariantList values; // the dates, the LIKE pattern of the name, the type, in that order
    // One line per criterion, each ending in CR LF: dates, name, type, sort.
    QString parameterText;
};

// Builds the report select of valid criteria. Every typed text is a bound value, so names and
// titles with apostrophes, "%" or "_" are matched literally; the name matches anywhere in the
// visitor's name and the type compares the badge title stored with each visit, letter case
// ignored for both. The dates cover the start day from midnight to 23:59:59 of the end day.
// `columns` is the select list ("*" for every column of the view).
ReportQuery BuildReportQuery(const ReportCriteria& criteria,
                             const QString& columns = QStringLiteral("*"));

} // namespace zelkora::reports
