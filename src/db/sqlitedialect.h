#pragma once

#include "db/sqldialect.h"

struct sqlite3;

namespace zelkora::db {

// SQLite through Qt's QSQLITE driver: WAL journal, synchronous=FULL, a busy timeout, dates as
// local-time text, text columns compared without regard to letter case.
// An SQLite result code and message as the layer reports them: the code (extended codes kept),
// the cases callers tell apart under the station's own numbers, SQLite as the source.
StationError SqliteError(long code, const QString& message);

// The SQLite connection behind an open QSQLITE database; nullptr when there is none.
sqlite3* SqliteHandle(const QSqlDatabase& db);

class SqliteDialect final : public SqlDialect {
public:
    QString driverName() const override;
    QString engineName() const override;
    bool openExisting(QSqlDatabase& db, const QString& path, int busyTimeoutMs,
                      StationError* error) const override;
    bool createNew(QSqlDatabase& db, const QString& path, int busyTimeoutMs,
                   StationError* error) const override;
    void setBusyTimeout(QSqlDatabase& db, int busyTimeoutMs) const override;
    StationError translate(const QSqlError& error) const override;
    QStringList deliveredSchema() const override;
    QString createSettingsTable() const override;
    QString createPredefinedListTable() const override;
    QStringList upgradeIndexes() const override;
    QString labelSummaryReportSelect() const override;
    QStringList replaceView(const QString& name, const QString& select) const override;
    QString viewExistsQuery() const override;
    QString minutesBetween(const QString& from, const QString& to) const override;
    QString addMinutes(const QString& date, const QString& minutes) const override;
    QString dayAtTime(const QString& date, const QString& clockTime) const override;
    QString likeEscape() const override;
    QString nullSafeEquals(const QString& a, const QString& b) const override;
    QString beginWrite() const override;
    QString primaryKey(const QSqlDatabase& db, const QString& table) const override;

private:
    bool configure(QSqlDatabase& db, const QString& path, StationError* error) const;
};

} // namespace zelkora::db
