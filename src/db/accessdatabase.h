#pragma once

#include "db/dberror.h"
#include "db/parameter.h"
#include "db/recordset.h"
#include "util/error.h"

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>

namespace zelkora::db {

// The one way into the station's database (module AccessDatabase).
//
// Every routine is self-contained: one statement in auto-commit mode, or one transaction. The
// calling thread's connection and its prepared statements stay open between calls (see
// connection.h). SQL never carries user text: values travel as bound parameters, "?" in the
// text, in order. A failure is returned with the engine's number and description and a source
// naming "DAL--Database", the routine, its statement, the computer and the program version.

// The database file name in the station folder.
inline constexpr char kDatabaseFileName[] = "orvsecuritybe.mdb";

// The station folder followed by "orvsecuritybe.mdb".
QString GetDatabasePath();
// The name of the database driver the layer opens the file with.
QString GetProviderName();
// The database password; the SQLite file is protected by its permissions instead.
QString GetDatabasePassword();

// What a statement that returns no rows did.
struct ExecResult {
    int rowsAffected = 0;
    // The ID an insert handed back from the same statement (qAddLabel); null otherwise.
    QVariant returnedId;
};

// A table, view or stored select query by name, with its parameters: a detached read-only copy.
[[nodiscard]] StationError RunSPReturnRS(const QString& name, const Parameters& parameters,
                                         RecordSet* result);
// SQL text with its bound values: a detached read-only copy.
[[nodiscard]] StationError RunSQLReturnRS(const QString& sql, RecordSet* result,
                                          const QVariantList& values = {});
// As RunSPReturnRS, but the rows can be changed and written back (UpdatableRecordSet).
[[nodiscard]] StationError RunSPReturnRWRS(const QString& name, const Parameters& parameters,
                                           UpdatableRecordSet* result);
// As RunSQLReturnRS, but the rows can be changed and written back (UpdatableRecordSet).
[[nodiscard]] StationError RunSQLReturnRWRS(const QString& sql, UpdatableRecordSet* result,
                                            const QVariantList& values = {});
// Runs a stored action query (qAddLabel, qLogOut) with its parameters, by position, after the
// null rule; an insert hands back its new row's ID in `outcome`.
[[nodiscard]] StationError RunSP(const QString& name, const Parameters& parameters,
                                 ExecResult* outcome = nullptr);
// Runs one SQL statement that returns no rows.
[[nodiscard]] StationError RunSQL(const QString& sql, const QVariantList& values = {},
                                  ExecResult* outcome = nullptr);

// Receives the rows of a forward-only read, `sliceRows` at a time; returns false to stop.
using SliceHandler = std::function<bool(const RecordSet& slice)>;
// Reads a select forward-only and hands its rows to `handler` in slices, for lists, reports
// and exports over many rows; the statement is released when the rows end, when the handler
// stops, and on failure. Only one slice is in memory at a time.
[[nodiscard]] StationError RunSQLForEach(const QString& sql, const QVariantList& values,
                                         int sliceRows, const SliceHandler& handler);

// Replaces the definition of the view `name` with the select `sql` (one transaction).
[[nodiscard]] StationError ModifyQuery(const QString& name, const QString& sql);

// Runs `body` in one transaction: committed when it returns no error, else rolled back. Layer
// calls inside it share the transaction; nested calls become savepoints.
[[nodiscard]] StationError RunInTransaction(const std::function<StationError()>& body);

// What a caller must do after GetDBSetting or CheckDatabaseVersion.
enum class DbOutcome {
    Ok,       // go on
    Failed,   // an error to report; start-up ends
    MustQuit, // the message is shown; the process must end now
};

struct DBSettingResult {
    QVariant value;
    DbOutcome outcome = DbOutcome::Ok;
};

// The `Value` of the first `Settings` row with that description (letter case ignored), else
// `fallback`; "0" when the table does not exist. A database that cannot be opened shows the
// message about locating the database file, writes "AppPath" and asks to quit; any other error
// shows its number and description and asks to quit.
DBSettingResult GetDBSetting(const QString& description, const QVariant& fallback);

// The end of a database that cannot be opened: shows "An error occured when trying to locate the
// Dravik database file. ..." (critical, owned), writes the station folder into the setting
// "AppPath" and returns MustQuit.
DbOutcome ShowDatabaseNotFound();

// 0 for a null value, else the value.
QVariant NullToZero(const QVariant& value);

// Milliseconds a statement waits for another program's lock before it fails (default 5000);
// applies to the calling thread's open connection and to every connection opened later.
void SetBusyTimeout(int milliseconds);
int BusyTimeout();

// Closes the calling thread's connection (its prepared statements with it); the next call opens
// it again. For the end of a thread's work, for tests, and before copying the database file.
void ReleaseConnection();

} // namespace zelkora::db
