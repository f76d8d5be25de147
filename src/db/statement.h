#pragma once

#include "db/recordset.h"
#include "util/error.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace zelkora::db {

// One prepared statement of the connection, run on SQLite's own interface. The layer's calls are
// small (a look-up, an insert), so the work around the engine counts: values are bound and read
// without Qt SQL's per-call bookkeeping, and the field names are kept with the statement. It
// binds and reads values exactly as Qt's SQLite driver does.
class Statement {
public:
    // Prepares the one statement `sql` on `db`; `persistent` for statements kept for reuse. A
    // text with a second statement after the first fails.
    static std::unique_ptr<Statement> prepare(sqlite3* db, const QString& sql, bool persistent,
                                              StationError* error);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Binds `values` by position; their number must match the placeholders.
    bool bind(const QVariantList& values, StationError* error);

    enum class Step { Row, Done, Failed };
    // Runs the statement to its next row; Failed sets `error`.
    Step step(StationError* error);
    // Ends the run (a read, a transaction's hold on the file) so the statement can run again.
    void reset();

    int columnCount() const;
    // The names of the result fields, read once per compilation of the statement (a changed view
    // makes the engine compile it again).
    const QStringList& fieldNames();
    // The value of a field of the current row: qlonglong, double, QString, QByteArray or null.
    QVariant value(int column) const;
    // The table and column each field was read from.
    QList<ColumnOrigin> origins() const;
    // Rows the last insert, update or delete on the connection changed.
    int changes() const;

private:
    explicit Statement(sqlite3_stmt* statement);
    StationError lastError(int code) const;

    sqlite3_stmt* m_statement = nullptr;
    QList<QByteArray> m_texts; // the bound texts and bytes, alive until the next bind
    QStringList m_names;
    int m_namesCompiled = -1; // the engine's re-preparation count m_names belong to
};

} // namespace zelkora::db
