#include "db/accessdatabase.h"

#include "app/core/message.h"
#include "app/core/stationfolder.h"
#include "db/connection.h"
#include "db/sqldialect.h"
#include "db/statement.h"
#include "settings/settingsstore.h"

namespace zelkora::db {

namespace {

// The stored action queries: named, positional, parameterised statements of the layer.
struct ActionQuery {
    const char* name;
    const char* sql;
    int parameterCount;
    bool returnsId;
};

constexpr ActionQuery kActionQueries[] = {
    {"qAddLabel",
     "INSERT INTO Labels (TypeID, BadgeName, Name, LogInTime, Field1, Field2, Fiedl3, Field4, "
     "Field5, Field6, Field7, Field8, Field9, Field10) "
     "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING ID",
     14, true},
    {"qLogOut", "UPDATE Labels SET LogOutTime = ? WHERE ID = ?", 2, false},
};

const ActionQuery* findActionQuery(const QString& name) {
    for (const ActionQuery& query : kActionQueries) {
        if (name.compare(QLatin1String(query.name), Qt::CaseInsensitive) == 0)
            return &query;
    }
    return nullptr;
}

// Binds `values` (as BindableValue makes them) to a statement.
bool bindValues(Statement& statement, const QVariantList& values, StationError* error) {
    if (values.isEmpty())
        return statement.bind(values, error);
    QVariantList bound;
    bound.reserve(values.size());
    for (const QVariant& value : values)
        bound.append(BindableValue(value));
    return statement.bind(bound, error);
}

// Copies the rows of a statement whose first step gave `step` into `rows`.
bool readRows(Statement& statement, Statement::Step step, RecordSet* rows, StationError* error) {
    rows->clear();
    rows->setFieldNames(statement.fieldNames());
    const int columns = statement.columnCount();
    QVariantList row;
    row.reserve(columns);
    while (step == Statement::Step::Row) {
        row.clear();
        for (int i = 0; i < columns; ++i)
            row.append(statement.value(i));
        rows->appendRow(row);
        step = statement.step(error);
    }
    return step != Statement::Step::Failed;
}

// Runs a prepared statement with its values on the thread's connection. Rows, when wanted,
// go to `rows` (and the field origins to `origins`); a statement with RETURNING hands its first
// value to `outcome->returnedId`.
bool execute(ThreadConnection* connection, const QString& sql, const QVariantList& values,
             StationError* error, RecordSet* rows = nullptr, QList<ColumnOrigin>* origins = nullptr,
             ExecResult* outcome = nullptr, bool returnsId = false) {
    ThreadConnection::Lease lease = connection->prepare(sql, error);
    if (!lease)
        return false;
    Statement& statement = lease.statement();
    if (!bindValues(statement, values, error)) {
        lease.discard();
        return false;
    }
    Statement::Step step = statement.step(error);
    if (step == Statement::Step::Failed) {
        lease.discard();
        return false;
    }
    if (rows) {
        if (origins)
            *origins = statement.origins();
        if (!readRows(statement, step, rows, error)) {
            lease.discard();
            return false;
        }
    }
    if (outcome) {
        outcome->returnedId = QVariant();
        if (returnsId && step == Statement::Step::Row) {
            outcome->returnedId = statement.value(0);
            // Run the statement to its end, so that it commits here.
            while ((step = statement.step(error)) == Statement::Step::Row) {
            }
            if (step == Statement::Step::Failed) {
                lease.discard();
                return false;
            }
        }
        outcome->rowsAffected = returnsId ? 1 : statement.changes();
    }
    return true;
}

// Binds a stored query's parameter descriptions by position, after the null rule.
bool bindParameters(const Parameters& parameters, QVariantList* values, StationError* error) {
    values->clear();
    values->reserve(parameters.size());
    for (const Parameter& parameter : parameters) {
        QVariant bound;
        if (!BindableParameter(parameter, &bound, error))
            return false;
        *values << bound;
    }
    return true;
}

// The select behind a table, view or stored select query opened by name.
bool namedSelect(const QString& name, const Parameters& parameters, QString* sql,
                 StationError* error) {
    if (findActionQuery(name)) {
        *error = LayerError(kErrDataLayer,
                            QStringLiteral("%1 is an action query; it returns no rows.").arg(name));
        return false;
    }
    if (!parameters.isEmpty()) {
        *error = LayerError(kErrDataLayer, QStringLiteral("%1 takes no parameters; %2 were given.")
                                               .arg(name)
                                               .arg(parameters.size()));
        return false;
    }
    *sql = QStringLiteral("SELECT * FROM ") + SqlDialect::quoted(name);
    return true;
}

StationError selectInto(const QString& routine, const QString& text, const QString& sql,
                        const QVariantList& values, RecordSet* result,
                        QList<ColumnOrigin>* origins) {
    StationError error;
    ThreadConnection* connection = ThreadConnection::acquire(&error);
    if (!connection || !execute(connection, sql, values, &error, result, origins)) {
        result->clear();
        return Raised(error, routine, text);
    }
    return {};
}

bool sameValue(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a == b;
}

} // namespace

QString GetDatabasePath() {
    return GetAppPath() + QLatin1String(kDatabaseFileName);
}

QString GetProviderName() {
    return Dialect().driverName();
}

QString GetDatabasePassword() {
    return QStringLiteral("tovrake");
}

StationError RunSPReturnRS(const QString& name, const Parameters& parameters, RecordSet* result) {
    const QString routine = QStringLiteral("RunSPReturnRS");
    QString sql;
    StationError error;
    if (!namedSelect(name, parameters, &sql, &error)) {
        result->clear();
        return Raised(error, routine, name);
    }
    return selectInto(routine, name, sql, {}, result, nullptr);
}

StationError RunSQLReturnRS(const QString& sql, RecordSet* result, const QVariantList& values) {
    return selectInto(QStringLiteral("RunSQLReturnRS"), sql, sql, values, result, nullptr);
}

StationError RunSPReturnRWRS(const QString& name, const Parameters& parameters,
                             UpdatableRecordSet* result) {
    const QString routine = QStringLiteral("RunSPReturnRWRS");
    QString sql;
    StationError error;
    if (!namedSelect(name, parameters, &sql, &error)) {
        result->clear();
        return Raised(error, routine, name);
    }
    QList<ColumnOrigin> origins;
    error = selectInto(routine, name, sql, {}, result, &origins);
    result->setSource(sql, origins);
    result->snapshot();
    return error;
}

StationError RunSQLReturnRWRS(const QString& sql, UpdatableRecordSet* result,
                              const QVariantList& values) {
    QList<ColumnOrigin> origins;
    const StationError error =
        selectInto(QStringLiteral("RunSQLReturnRWRS"), sql, sql, values, result, &origins);
    result->setSource(sql, origins);
    result->snapshot();
    return error;
}

StationError RunSP(const QString& name, const Parameters& parameters, ExecResult* outcome) {
    const QString routine = QStringLiteral("RunSP");
    const ActionQuery* query = findActionQuery(name);
    StationError error;
    if (!query) {
        error = LayerError(kErrNoTable,
                           QStringLiteral("The database has no stored query '%1'.").arg(name));
        return Raised(error, routine, name);
    }
    if (parameters.size() != query->parameterCount) {
        error = LayerError(kErrDataLayer, QStringLiteral("%1 takes %2 parameters; %3 were given.")
                                              .arg(name)
                                              .arg(query->parameterCount)
                                              .arg(parameters.size()));
        return Raised(error, routine, name);
    }
    QVariantList values;
    if (!bindParameters(parameters, &values, &error))
        return Raised(error, routine, name);
    ExecResult local;
    ThreadConnection* connection = ThreadConnection::acquire(&error);
    if (!connection || !execute(connection, QLatin1String(query->sql), values, &error, nullptr,
                                nullptr, outcome ? outcome : &local, query->returnsId))
        return Raised(error, routine, name);
    return {};
}

StationError RunSQL(const QString& sql, const QVariantList& values, ExecResult* outcome) {
    StationError error;
    ExecResult local;
    ThreadConnection* connection = ThreadConnection::acquire(&error);
    if (!connection ||
        !execute(connection, sql, values, &error, nullptr, nullptr, outcome ? outcome : &local))
        return Raised(error, QStringLiteral("RunSQL"), sql);
    return {};
}

StationError RunSQLForEach(const QString& sql, const QVariantList& values, int sliceRows,
                           const SliceHandler& handler) {
    const QString routine = QStringLiteral("RunSQLForEach");
    StationError error;
    ThreadConnection* connection = ThreadConnection::acquire(&error);
    if (!connection)
        return Raised(error, routine, sql);
    // A statement of its own: a long read must not hold a cached statement another call needs.
    std::unique_ptr<Statement> statement =
        Statement::prepare(connection->handle(), sql, false, &error);
    if (!statement || !bindValues(*statement, values, &error))
        return Raised(error, routine, sql);

    const int perSlice = sliceRows > 0 ? sliceRows : 500;
    Statement::Step step = statement->step(&error);
    const QStringList names = statement->fieldNames();
    const int columns = statement->columnCount();
    RecordSet slice;
    slice.setFieldNames(names);
    QVariantList row;
    row.reserve(columns);
    while (step == Statement::Step::Row) {
        row.clear();
        for (int i = 0; i < columns; ++i)
            row.append(statement->value(i));
        slice.appendRow(row);
        if (slice.rowCount() >= perSlice) {
            if (!handler(slice))
                return {}; // cancelled: the statement is released on return
            slice.setFieldNames(names);
        }
        step = statement->step(&error);
    }
    if (!slice.isEmpty())
        handler(slice); // the rows read before the end, or before a failure
    if (step == Statement::Step::Failed)
        return Raised(error, routine, sql);
    return {};
}

StationError ModifyQuery(const QString& name, const QString& sql) {
    const QString routine = QStringLiteral("ModifyQuery");
    if (findActionQuery(name)) {
        return Raised(LayerError(kErrItemNotFound,
                                 QStringLiteral("%1 is an action query of the data layer; only "
                                                "views can be changed.")
                                     .arg(name)),
                      routine, name);
    }
    QString select = sql.trimmed();
    while (select.endsWith(QLatin1Char(';')))
        select = select.chopped(1).trimmed();

    StationError error;
    ThreadConnection* connection = ThreadConnection::acquire(&error);
    if (!connection)
        return Raised(error, routine, name);
    RecordSet found;
    if (!execute(connection, Dialect().viewExistsQuery(), {name}, &error, &found))
        return Raised(error, routine, name);
    if (found.isEmpty()) {
        return Raised(LayerError(kErrItemNotFound,
                                 QStringLiteral("Item not found in this collection: the database "
                                                "has no query '%1'.")
                                     .arg(name)),
                      routine, name);
    }
    const QString viewName = found.value(0, 0).toString();
    if (!connection->begin(&error))
        return Raised(error, routine, name);
    for (const QString& statement : Dialect().replaceView(viewName, select)) {
        if (!execute(connection, statement, {}, &error)) {
            connection->rollback();
            return Raised(error, routine, name);
        }
    }
    if (!connection->commit(&error))
        return Raised(error, routine, name);
    return {};
}

StationError RunInTransaction(const std::function<StationError()>& body) {
    const QString routine = QStringLiteral("RunInTransaction");
    StationError error;
    ThreadConnection* connection = ThreadConnection::acquire(&error);
    if (!connection || !connection->begin(&error))
        return Raised(error, routine, Dialect().beginWrite());
    const StationError failure = body();
    if (failure.isError()) {
        connection->rollback();
        return failure;
    }
    if (!connection->commit(&error))
        return Raised(error, routine, QStringLiteral("COMMIT"));
    return {};
}

DBSettingResult GetDBSetting(const QString& description, const QVariant& fallback) {
    RecordSet rows;
    const StationError error =
        RunSQLReturnRS(QStringLiteral("SELECT \"Value\" FROM Settings WHERE Description = ? "
                                      "ORDER BY SettingID LIMIT 1"),
                       &rows, {description});
    if (!error.isError()) {
        if (rows.isEmpty())
            return {fallback, DbOutcome::Ok};
        const QVariant value = rows.value(0, 0);
        return {value.isNull() ? QVariant() : QVariant(value.toString()), DbOutcome::Ok};
    }
    if (error.number == kErrNoTable)
        return {QStringLiteral("0"), DbOutcome::Ok};
    if (error.number == kErrCannotOpen)
        return {{}, ShowDatabaseNotFound()};
    ShowMessage(QStringLiteral("An error occured. \nError : %1\nDescription : %2")
                    .arg(error.number)
                    .arg(error.description),
                MsgOk, {}, true);
    return {{}, DbOutcome::MustQuit};
}

DbOutcome ShowDatabaseNotFound() {
    ShowMessage(QStringLiteral("An error occured when trying to locate the Dravik database file. "
                               "This program will close.\nRestart the program to reset the path "
                               "to the database."),
                MsgCritical, {}, true);
    SaveSetting(QStringLiteral("AppPath"), GetAppPath()); // nothing reads it back
    return DbOutcome::MustQuit;
}

QVariant NullToZero(const QVariant& value) {
    return value.isNull() ? QVariant(0) : value;
}

void ReleaseConnection() {
    ThreadConnection::releaseCurrent();
}

// ---- UpdatableRecordSet: the write-back needs the connection, so it lives here.

StationError UpdatableRecordSet::UpdateBatch() {
    const QString routine = QStringLiteral("UpdateBatch");
    struct Change {
        int row;
        QList<int> fields;
    };
    QList<Change> changes;
    for (int r = 0; r < rowCount(); ++r) {
        Change change{r, {}};
        for (int f = 0; f < fieldCount(); ++f) {
            if (!sameValue(value(r, f), m_original.value(r, f)))
                change.fields << f;
        }
        if (!change.fields.isEmpty())
            changes << change;
    }
    if (changes.isEmpty())
        return {};

    StationError error;
    ThreadConnection* connection = ThreadConnection::acquire(&error);
    if (!connection)
        return Raised(error, routine, m_sql);

    // Each changed field names its table and column; a row is found by its table's key.
    struct Target {
        QString table;
        QString key;
        int keyField = -1;
    };
    QHash<QString, Target> targets;
    auto targetOf = [&](const QString& table, StationError* why) -> const Target* {
        auto it = targets.find(table);
        if (it == targets.end()) {
            Target target{table, Dialect().primaryKey(connection->database(), table), -1};
            for (int f = 0; f < fieldCount() && !target.key.isEmpty(); ++f) {
                const ColumnOrigin& origin = m_origins.value(f);
                if (origin.table == table &&
                    origin.column.compare(target.key, Qt::CaseInsensitive) == 0)
                    target.keyField = f;
            }
            it = targets.insert(table, target);
        }
        if (it->keyField < 0) {
            *why = LayerError(kErrDataLayer,
                              QStringLiteral("The rows cannot be written back: the key of %1 is "
                                             "not among the fields read.")
                                  .arg(table));
            return nullptr;
        }
        return &*it;
    };

    error = RunInTransaction([&]() -> StationError {
        StationError why;
        for (const Change& change : std::as_const(changes)) {
            QHash<QString, QList<int>> byTable;
            for (int f : change.fields) {
                const ColumnOrigin origin = m_origins.value(f);
                if (origin.table.isEmpty() || origin.column.isEmpty()) {
                    return LayerError(kErrDataLayer,
                                      QStringLiteral("The field %1 is computed; it cannot be "
                                                     "written back.")
                                          .arg(fieldName(f)));
                }
                byTable[origin.table] << f;
            }
            for (auto it = byTable.cbegin(); it != byTable.cend(); ++it) {
                const Target* target = targetOf(it.key(), &why);
                if (!target)
                    return why;
                QStringList sets;
                QStringList checks{SqlDialect::quoted(target->key) + QStringLiteral(" = ?")};
                QVariantList values;
                QVariantList originals{m_original.value(change.row, target->keyField)};
                for (int f : it.value()) {
                    const QString column = SqlDialect::quoted(m_origins.value(f).column);
                    sets << column + QStringLiteral(" = ?");
                    values << value(change.row, f);
                    checks << Dialect().nullSafeEquals(column, QStringLiteral("?"));
                    originals << m_original.value(change.row, f);
                }
                const QString sql = QStringLiteral("UPDATE ") + SqlDialect::quoted(target->table) +
                                    QStringLiteral(" SET ") + sets.join(QStringLiteral(", ")) +
                                    QStringLiteral(" WHERE ") +
                                    checks.join(QStringLiteral(" AND "));
                ExecResult done;
                if (!execute(connection, sql, values + originals, &why, nullptr, nullptr, &done))
                    return why;
                if (done.rowsAffected != 1) {
                    return LayerError(kErrWriteConflict,
                                      QStringLiteral("Row cannot be located for updating. Some "
                                                     "values may have been changed since it was "
                                                     "last read."));
                }
            }
        }
        return {};
    });
    if (error.isError()) {
        if (!error.source.contains(QLatin1String(kModuleName)))
            error = Raised(error, routine, m_sql);
        return error;
    }
    snapshot();
    return {};
}

} // namespace zelkora::db
