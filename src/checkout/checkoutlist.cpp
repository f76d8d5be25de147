#include "checkout/checkoutlist.h"

#include "app/core/log.h"
#include "app/core/message.h"
#include "db/accessdatabase.h"
#include "db/parameter.h"
#include "settings/settingsstore.h"
#include "settings/vraxsettings.h"
#include "util/clock.h"
#include "util/prompter.h"

#include <limits>

namespace zelkora {

namespace {

CheckoutSort sortOf(const char* choice, const char* column, CheckoutField field, bool descending) {
    return {QLatin1String(choice), QLatin1String(column), field, descending};
}

// Wall-clock arithmetic, as the database's own date arithmetic does it: no daylight-saving
// jumps between two local times.
QDateTime wallClock(const QDateTime& local) {
    return QDateTime(local.date(), local.time(), Qt::UTC);
}

QString placeholders(qsizetype count) {
    QStringList marks;
    for (qsizetype i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QLatin1Char(','));
}

} // namespace

const QList<CheckoutSort>& CheckoutSortChoices() {
    static const QList<CheckoutSort> choices{
        sortOf("Date", "Labels.LogInTime", kCheckoutCheckIn, false),
        sortOf("Badge Name", "Labels.BadgeName", kCheckoutBadgeName, false),
        sortOf("Name", "Labels.Name", kCheckoutName, false),
        sortOf("Info 1", "Labels.Field9", kCheckoutInfo1, false),
        sortOf("Info 2", "Labels.Field10", kCheckoutInfo2, false),
        sortOf("Date Descending", "Labels.LogInTime", kCheckoutCheckIn, true),
        sortOf("Badge Name Descending", "Labels.BadgeName", kCheckoutBadgeName, true),
        sortOf("Name Descending", "Labels.Name", kCheckoutName, true),
        sortOf("Info 1 Descending", "Labels.Field9", kCheckoutInfo1, true),
        sortOf("Info 2 Descending", "Labels.Field10", kCheckoutInfo2, true),
    };
    return choices;
}

std::optional<CheckoutSort> CheckoutSortFor(const QString& choice) {
    for (const CheckoutSort& sort : CheckoutSortChoices()) {
        if (sort.choice == choice)
            return sort;
    }
    return std::nullopt;
}

const CheckoutSort& DefaultCheckoutSort() {
    return CheckoutSortChoices().front();
}

qint16 LogoutDays() {
    const QString stored = GetSetting(QStringLiteral("LogoutDays"), QStringLiteral("1"));
    if (const std::optional<qint16> days = settingcodec::parseNumber(stored))
        return *days;
    WriteLog(QStringLiteral("LogoutDays \"") + stored + QStringLiteral("\" is no number; 1 used."));
    return 1;
}

CheckoutPeriod CheckoutPeriodAt(const QDateTime& now, qint16 logoutDays) {
    return {now.addDays(-logoutDays), now.addDays(1)};
}

QList<int> CheckoutTypeList(const cVRAXSettings& settings) {
    QList<int> types;
    for (int label = 1; label <= cVRAXSettings::kLabelTypeCount; ++label) {
        if (!settings.LabelIncludeCheckinAndCheckout(label))
            types << label - 1;
    }
    return types;
}

StationError LoadCheckoutTypeList(QList<int>* types) {
    cVRAXSettings settings;
    if (StationError e = settings.LoadValues(); e.isError())
        return e;
    *types = CheckoutTypeList(settings);
    return {};
}

CheckoutQuery::CheckoutQuery(const CheckoutPeriod& period, const QList<int>& typeIds,
                             const CheckoutSort& sort)
    : m_period(period)
    , m_types(typeIds)
    , m_sort(sort) {}

QString CheckoutQuery::selectAndWhere() const {
    // When every label type checks in and out in one step there is nothing to list; the query
    // stays valid and returns no rows.
    const QString types = m_types.isEmpty() ? QStringLiteral("1 = 0")
                                            : QStringLiteral("Labels.TypeID IN (") +
                                                  placeholders(m_types.size()) + QLatin1Char(')');
    return QStringLiteral("SELECT Labels.ID AS \"ID\", Labels.BadgeName AS \"Badge Name\", "
                          "Labels.Name AS \"Name\", Labels.LogInTime AS \"Check In\", "
                          "Labels.Field9 AS \"Info1\", Labels.Field10 AS \"Info2\" "
                          "FROM Labels WHERE Labels.LogInTime >= ? AND Labels.LogInTime <= ? "
                          "AND Labels.LogOutTime IS NULL AND ") +
           types;
}

QString CheckoutQuery::orderBy() const {
    const QString direction = m_sort.descending ? QStringLiteral(" DESC") : QString();
    return QStringLiteral(" ORDER BY ") + m_sort.column + direction + QStringLiteral(", Labels.ID");
}

QString CheckoutQuery::sql() const {
    return selectAndWhere() + orderBy();
}

QVariantList CheckoutQuery::values() const {
    QVariantList values{db::DateText(m_period.from), db::DateText(m_period.to)};
    for (int type : m_types)
        values << type;
    return values;
}

QString CheckoutQuery::pageSql(const std::optional<CheckoutKey>& after, int limit) const {
    Q_UNUSED(limit);
    QString where;
    if (after) {
        // The order is the sort column, nulls first ascending and last descending, then ID.
        const QString& c = m_sort.column;
        if (after->sortValue.isNull()) {
            where = m_sort.descending
                        ? QStringLiteral(" AND (%1 IS NULL AND Labels.ID > ?)").arg(c)
                        : QStringLiteral(" AND ((%1 IS NULL AND Labels.ID > ?) OR %1 IS NOT NULL)")
                              .arg(c);
        } else {
            const QChar beyond = m_sort.descending ? QLatin1Char('<') : QLatin1Char('>');
            where =
                QStringLiteral(" AND (%1 %2 ? OR (%1 = ? AND Labels.ID > ?)%3)")
                    .arg(c, beyond,
                         m_sort.descending ? QStringLiteral(" OR %1 IS NULL").arg(c) : QString());
        }
    }
    return selectAndWhere() + where + orderBy() + QStringLiteral(" LIMIT ?");
}

QVariantList CheckoutQuery::pageValues(const std::optional<CheckoutKey>& after, int limit) const {
    QVariantList values = this->values();
    if (after) {
        if (!after->sortValue.isNull())
            values << after->sortValue << after->sortValue;
        values << after->id;
    }
    values << limit;
    return values;
}

qint64 MinuteBoundaries(const QDateTime& checkIn, const QDateTime& now) {
    const auto toMinute = [](const QDateTime& t) {
        const QTime time = t.time();
        return wallClock(QDateTime(t.date(), QTime(time.hour(), time.minute())));
    };
    return toMinute(checkIn).secsTo(toMinute(now)) / 60;
}

std::optional<qint16> ElapsedMinutes(const QDateTime& checkIn, const QDateTime& now) {
    const qint64 minutes = MinuteBoundaries(checkIn, now);
    if (minutes < std::numeric_limits<qint16>::min() ||
        minutes > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(minutes);
}

QDateTime EffectiveTime(const QDateTime& checkIn, int minutes) {
    const QDateTime wall = wallClock(checkIn).addSecs(qint64{minutes} * 60);
    return QDateTime(wall.date(), wall.time());
}

QString CheckOutConfirmationText(const QDateTime& effective) {
    return QStringLiteral("Are you sure you want to Check Out effective ") +
           generalDate(effective) + QStringLiteral("?");
}

QString ElapsedTooLongText() {
    return QStringLiteral("This visit was checked in more than 32767 minutes (22 days 18 hours) "
                          "ago, too long for its time to be confirmed here.  It cannot be "
                          "checked out in this window.");
}

QString AlreadyCheckedOutText() {
    return QStringLiteral("This visit has already been checked out.  The list will be refreshed.");
}

QString CheckoutErrorText(const StationError& error) {
    return QStringLiteral("An error occured. \nError : ") + QString::number(error.number) +
           QStringLiteral("\nDescription : ") + error.description;
}

QString CheckoutParameterText(const CheckoutPeriod& period, const QString& sortChoice) {
    return QStringLiteral("Dates: ") + generalDate(period.from) + QStringLiteral(" - ") +
           generalDate(period.to) + QStringLiteral("\r\nSort By: ") + sortChoice;
}

StationError CheckOutVisit(qint32 id, const QDateTime& effective, bool* alreadyClosed) {
    *alreadyClosed = false;
    return db::RunInTransaction([&]() -> StationError {
        db::RecordSet open;
        if (StationError e = db::RunSQLReturnRS(
                QStringLiteral("SELECT LogOutTime FROM Labels WHERE ID = ?"), &open, {id});
            e.isError())
            return e;
        if (open.isEmpty() || !open.value(0, 0).isNull()) {
            *alreadyClosed = true;
            return {};
        }
        return db::RunSP(QStringLiteral("qLogOut"),
                         {{QStringLiteral("@LogOutTime"), db::ParamTime, 8, effective},
                          {QStringLiteral("@ID"), db::ParamInteger, 4, id}});
    });
}

CheckOutOutcome RunCheckOut(const QVariant& id, const QVariant& checkIn,
                            const CaptureTimeFunction& captureTime) {
    const QDateTime in = db::DateFromStored(checkIn);
    bool idOk = false;
    const qlonglong visit = id.toLongLong(&idOk);
    if (!in.isValid() || !idOk || visit < std::numeric_limits<qint32>::min() ||
        visit > std::numeric_limits<qint32>::max()) {
        ShowMessage(CheckoutErrorText({13, QStringLiteral("Type mismatch"), {}}),
                    MsgOk | MsgCritical, {}, true);
        return CheckOutOutcome::Stayed;
    }
    const std::optional<qint16> elapsed = ElapsedMinutes(in, Clock::current().now());
    if (!elapsed) {
        ShowMessage(ElapsedTooLongText(), MsgOk | MsgExclamation, {}, true);
        return CheckOutOutcome::Stayed;
    }
    const qint16 captured = captureTime ? captureTime(*elapsed) : qint16{0};
    if (captured == 0)
        return CheckOutOutcome::Stayed;

    const QDateTime effective = EffectiveTime(in, captured);
    if (ShowMessage(CheckOutConfirmationText(effective), MsgYesNo | MsgQuestion,
                    QStringLiteral("Confirmation Required"), true) != AnswerYes)
        return CheckOutOutcome::Stayed;

    WriteLog(QStringLiteral("About to log out."));
    bool alreadyClosed = false;
    if (StationError e = CheckOutVisit(static_cast<qint32>(visit), effective, &alreadyClosed);
        e.isError()) {
        WriteLog(QStringLiteral("Check out failed: ") + e.description);
        ShowMessage(CheckoutErrorText(e), MsgOk | MsgCritical, {}, true);
        return CheckOutOutcome::Stayed;
    }
    if (alreadyClosed) {
        ShowMessage(AlreadyCheckedOutText(), MsgOk | MsgInformation, {}, true);
        return CheckOutOutcome::AlreadyClosed;
    }
    return CheckOutOutcome::CheckedOut;
}

} // namespace zelkora
