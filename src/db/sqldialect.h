#pragma once

#include "db/recordset.h"
#include "util/error.h"

#include <QList>
#include <QString>
#include <QStringList>

class QSqlDatabase;
class QSqlError;

namespace zelkora::db {

// Everything that differs between database engines: opening a file, translating engine errors,
// the schema's DDL and views, date arithmetic. Callers of the data layer write portable SQL
// (double-quoted identifiers, "?" placeholders) and take engine-specific pieces from here.
class SqlDialect {
public:
    virtual ~SqlDialect() = default;

    // The Qt driver, e.g. "QSQLITE".
    virtual QString driverName() const = 0;
    // The source of the engine's own errors, e.g. "SQLite".
    virtual QString engineName() const = 0;

    // Opens the existing database at `path` for reading and writing; never creates it. A missing
    // or unopenable file, a file that is no database and a read-only one fail with an error
    // naming the file.
    virtual bool openExisting(QSqlDatabase& db, const QString& path, int busyTimeoutMs,
                              StationError* error) const = 0;
    // Creates the database file at `path` (which must not exist), readable by the owner only,
    // and opens it.
    virtual bool createNew(QSqlDatabase& db, const QString& path, int busyTimeoutMs,
                           StationError* error) const = 0;
    // Applies a new busy timeout to an open connection.
    virtual void setBusyTimeout(QSqlDatabase& db, int busyTimeoutMs) const = 0;

    // The number and description of an engine error, with the engine as its source.
    virtual StationError translate(const QSqlError& error) const = 0;

    // The delivered schema: tables Labels and LabelTypes with its default titles, the views
    // qButtons, qGetLastLabelID and qLabelSummaryReport, and their indexes.
    virtual QStringList deliveredSchema() const = 0;
    // The tables the schema upgrade adds, and the indexes that go with them.
    virtual QString createSettingsTable() const = 0;
    virtual QString createPredefinedListTable() const = 0;
    virtual QStringList upgradeIndexes() const = 0;
    // The select qLabelSummaryReport receives in the one-time conversion.
    virtual QString labelSummaryReportSelect() const = 0;

    // Statements that replace view `name` with `select`, run in one transaction.
    virtual QStringList replaceView(const QString& name, const QString& select) const = 0;
    // A select returning a row when a view named by the one parameter exists.
    virtual QString viewExistsQuery() const = 0;

    // Whole minute boundaries between two date expressions; null when either is null.
    virtual QString minutesBetween(const QString& from, const QString& to) const = 0;
    // A date expression plus a number of minutes, as stored date text.
    virtual QString addMinutes(const QString& date, const QString& minutes) const = 0;
    // The day of a date expression at a clock time "HH:MM[:SS]", as stored date text.
    virtual QString dayAtTime(const QString& date, const QString& clockTime) const = 0;
    // What follows "LIKE ?" so that LikePattern's escapes hold.
    virtual QString likeEscape() const = 0;
    // "a equals b, nulls equal".
    virtual QString nullSafeEquals(const QString& a, const QString& b) const = 0;
    // Opens a write transaction that waits for other writers rather than failing later.
    virtual QString beginWrite() const = 0;

    // The key column of `table`, empty when it has none.
    virtual QString primaryKey(const QSqlDatabase& db, const QString& table) const = 0;

    // `name` as a quoted identifier.
    static QString quoted(const QString& name);
};

// The backend in force (SQLite).
const SqlDialect& Dialect();

} // namespace zelkora::db
