#pragma once

#include "util/error.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <optional>

namespace zelkora {

class cVRAXSettings;

// The check-out window's list of open visits without its window: the period, the label types
// listed, the ten sort orders, the query with bound values, the elapsed minutes of a visit and
// the check-out itself.

// The fields of the list, in order, as the query names them.
enum CheckoutField {
    kCheckoutId = 0,     // ID
    kCheckoutBadgeName,  // "Badge Name"
    kCheckoutName,       // Name
    kCheckoutCheckIn,    // "Check In"
    kCheckoutInfo1,      // Info1
    kCheckoutInfo2,      // Info2
    kCheckoutFieldCount, // six
};

// One of the ten sort choices of cmbSortBy.
struct CheckoutSort {
    QString choice;                         // the text in the list, e.g. "Info 2 Descending"
    QString column;                         // the ORDER BY column, e.g. "Labels.Field10"
    CheckoutField field = kCheckoutCheckIn; // the list field holding that column
    bool descending = false;
};

// The ten choices in list order: "Date", "Badge Name", "Name", "Info 1", "Info 2", then the
// same five "... Descending".
const QList<CheckoutSort>& CheckoutSortChoices();
// The choice with that text; nullopt for any other text.
std::optional<CheckoutSort> CheckoutSortFor(const QString& choice);
// "Date": check-in time ascending, the order the window opens with.
const CheckoutSort& DefaultCheckoutSort();

// The check-in times the list covers; fixed when the window loads.
struct CheckoutPeriod {
    QDateTime from;
    QDateTime to;
};

// The setting "LogoutDays" as a 16-bit whole number, 1 when absent; a value that is no such
// number counts as 1 too (and is logged) rather than failing the window.
qint16 LogoutDays();
// From = now minus `logoutDays` days at the same time of day, To = now plus one day.
CheckoutPeriod CheckoutPeriodAt(const QDateTime& now, qint16 logoutDays);

// The TypeID values (0..6) of the label types that do not check in and out in one step.
QList<int> CheckoutTypeList(const cVRAXSettings& settings);
// Reads the settings afresh and returns their type list; a settings failure is returned.
[[nodiscard]] StationError LoadCheckoutTypeList(QList<int>* types);

// Where a page of the list ends: the sort column's value and the ID of its last row.
struct CheckoutKey {
    QVariant sortValue;
    QVariant id;
};

// The window's current query: the open visits of the period and label types, in one sort
// order, with every value bound. An empty type list gives a valid query without rows.
class CheckoutQuery {
public:
    CheckoutQuery() = default;
    CheckoutQuery(const CheckoutPeriod& period, const QList<int>& typeIds,
                  const CheckoutSort& sort);

    // The whole list: what the grid shows and the print-out reads.
    QString sql() const;
    QVariantList values() const;

    // At most `limit` rows of the list after the row `after` (from the start when none), in the
    // list's order. Rows are ordered by the sort column and then by ID, so a page starts right
    // after the previous one even when visits were checked out in between.
    QString pageSql(const std::optional<CheckoutKey>& after, int limit) const;
    QVariantList pageValues(const std::optional<CheckoutKey>& after, int limit) const;

    const CheckoutSort& sort() const { return m_sort; }
    const CheckoutPeriod& period() const { return m_period; }
    const QList<int>& typeIds() const { return m_types; }
    bool isNull() const { return m_sort.column.isEmpty(); }

private:
    QString selectAndWhere() const;
    QString orderBy() const;

    CheckoutPeriod m_period;
    QList<int> m_types;
    CheckoutSort m_sort;
};

// The number of minute boundaries between `checkIn` and `now` (whole minutes of the wall
// clock, seconds ignored); negative for a check-in after `now`.
qint64 MinuteBoundaries(const QDateTime& checkIn, const QDateTime& now);
// MinuteBoundaries as the time capture window's 16-bit minutes; nullopt when it does not fit.
std::optional<qint16> ElapsedMinutes(const QDateTime& checkIn, const QDateTime& now);
// The check-out time `minutes` after `checkIn` on the wall clock; the seconds of the check-in
// stay.
QDateTime EffectiveTime(const QDateTime& checkIn, int minutes);

// "Are you sure you want to Check Out effective " + the time in general date form + "?".
QString CheckOutConfirmationText(const QDateTime& effective);
// The message refusing a visit whose minutes since check-in exceed the 16-bit range.
QString ElapsedTooLongText();
// The message of a visit that was checked out elsewhere since the list was read.
QString AlreadyCheckedOutText();
// The message showing a database or report error: its number and description.
QString CheckoutErrorText(const StationError& error);

// The print-out's criteria: "Dates: " From " - " To CR LF "Sort By: " the choice.
QString CheckoutParameterText(const CheckoutPeriod& period, const QString& sortChoice);

// Closes visit `id` at `effective` through qLogOut, in one transaction that first makes sure the
// visit is still open: a visit closed meanwhile (by another station, a card or the automatic
// logout) keeps its check-out time and `alreadyClosed` is set. A failure leaves the visit as it
// was.
[[nodiscard]] StationError CheckOutVisit(qint32 id, const QDateTime& effective,
                                         bool* alreadyClosed);

// Asks the user for the minutes after check-in (the time capture window): 0 means cancelled.
using CaptureTimeFunction = std::function<qint16(qint16 elapsed)>;

// How a check-out on one row ended.
enum class CheckOutOutcome {
    Stayed,        // cancelled, declined, refused or failed: the visit is as it was
    CheckedOut,    // the visit is closed: the window closes
    AlreadyClosed, // the visit was closed elsewhere: the list should be read again
};

// The Check Out button on the row with visit `id` and stored check-in `checkIn`: the elapsed
// minutes until now, the time capture, the confirmation (code 36, "Confirmation Required"),
// "About to log out." and qLogOut. Every refusal and error is shown with a message.
CheckOutOutcome RunCheckOut(const QVariant& id, const QVariant& checkIn,
                            const CaptureTimeFunction& captureTime);

} // namespace zelkora
