#include "db/statement.h"

#include "db/dberror.h"
#include "db/sqlitedialect.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <sqlite3.h>

namespace zelkora::db {

namespace {

// Null as Qt's SQLite driver takes it: no value, or a null text, bytes, date or time.
bool isNullValue(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return true;
    switch (value.typeId()) {
    case QMetaType::QString:
        return static_cast<const QString*>(value.constData())->isNull();
    case QMetaType::QByteArray:
        return static_cast<const QByteArray*>(value.constData())->isNull();
    case QMetaType::QDateTime:
        return static_cast<const QDateTime*>(value.constData())->isNull();
    case QMetaType::QDate:
        return static_cast<const QDate*>(value.constData())->isNull();
    case QMetaType::QTime:
        return static_cast<const QTime*>(value.constData())->isNull();
    default:
        return false;
    }
}

QString errorText(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

} // namespace

Statement::Statement(sqlite3_stmt* statement)
    : m_statement(statement) {}

Statement::~Statement() {
    sqlite3_finalize(m_statement);
}

std::unique_ptr<Statement> Statement::prepare(sqlite3* db, const QString& sql, bool persistent,
                                              StationError* error) {
    if (!db) {
        *error = SqliteError(SQLITE_MISUSE, QStringLiteral("The database is not open."));
        return nullptr;
    }
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    const int rc =
        sqlite3_prepare_v3(db, text.constData(), static_cast<int>(text.size()),
                           persistent ? SQLITE_PREPARE_PERSISTENT : 0, &statement, &tail);
    if (rc != SQLITE_OK) {
        *error = SqliteError(rc, errorText(db));
        sqlite3_finalize(statement);
        return nullptr;
    }
    if (!statement) {
        *error = SqliteError(SQLITE_MISUSE, QStringLiteral("The statement is empty."));
        return nullptr;
    }
    if (tail && !QByteArray(tail).trimmed().isEmpty()) {
        sqlite3_finalize(statement);
        *error = SqliteError(SQLITE_MISUSE,
                             QStringLiteral("Unable to execute multiple statements at a time"));
        return nullptr;
    }
    return std::unique_ptr<Statement>(new Statement(statement));
}

bool Statement::bind(const QVariantList& values, StationError* error) {
    const int count = sqlite3_bind_parameter_count(m_statement);
    if (count != values.size()) {
        *error = SqliteError(SQLITE_OK, QStringLiteral("Parameter count mismatch"));
        return false;
    }
    m_texts.clear();
    m_texts.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QVariant& value = values.at(i);
        const int index = i + 1;
        int rc = SQLITE_OK;
        if (isNullValue(value)) {
            rc = sqlite3_bind_null(m_statement, index);
        } else {
            switch (value.typeId()) {
            case QMetaType::QByteArray:
                m_texts.append(value.toByteArray());
                rc = sqlite3_bind_blob(m_statement, index, m_texts.last().constData(),
                                       static_cast<int>(m_texts.last().size()), SQLITE_STATIC);
                break;
            case QMetaType::Int:
            case QMetaType::Bool:
                rc = sqlite3_bind_int(m_statement, index, value.toInt());
                break;
            case QMetaType::Double:
                rc = sqlite3_bind_double(m_statement, index, value.toDouble());
                break;
            case QMetaType::UInt:
            case QMetaType::LongLong:
                rc = sqlite3_bind_int64(m_statement, index, value.toLongLong());
                break;
            default: {
                // Texts, and everything else as its text, as the Qt driver binds them.
                QString textValue;
                if (value.typeId() == QMetaType::QDateTime)
                    textValue = value.toDateTime().toString(Qt::ISODateWithMs);
                else if (value.typeId() == QMetaType::QTime)
                    textValue = value.toTime().toString(QStringLiteral("hh:mm:ss.zzz"));
                else
                    textValue = value.toString();
                m_texts.append(textValue.toUtf8());
                rc = sqlite3_bind_text(m_statement, index, m_texts.last().constData(),
                                       static_cast<int>(m_texts.last().size()), SQLITE_STATIC);
                break;
            }
            }
        }
        if (rc != SQLITE_OK) {
            *error = lastError(rc);
            return false;
        }
    }
    return true;
}

Statement::Step Statement::step(StationError* error) {
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return Step::Row;
    if (rc == SQLITE_DONE)
        return Step::Done;
    if (rc == SQLITE_ERROR) {
        // The generic code: the reset tells the specific one.
        const int specific = sqlite3_reset(m_statement);
        *error = lastError(specific);
    } else {
        *error = lastError(rc);
        sqlite3_reset(m_statement);
    }
    return Step::Failed;
}

void Statement::reset() {
    sqlite3_reset(m_statement);
}

int Statement::columnCount() const {
    return sqlite3_column_count(m_statement);
}

const QStringList& Statement::fieldNames() {
    const int compiled = sqlite3_stmt_status(m_statement, SQLITE_STMTSTATUS_REPREPARE, 0);
    if (compiled != m_namesCompiled) {
        m_names.clear();
        const int count = columnCount();
        m_names.reserve(count);
        for (int i = 0; i < count; ++i) {
            const char* name = sqlite3_column_name(m_statement, i);
            // The Qt driver drops double quotes from field names; so do we.
            m_names.append(QString::fromUtf8(name ? name : "").remove(QLatin1Char('"')));
        }
        m_namesCompiled = compiled;
    }
    return m_names;
}

QVariant Statement::value(int column) const {
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(m_statement, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_statement, column));
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_BLOB: {
        const void* bytes = sqlite3_column_blob(m_statement, column);
        return QVariant(
            QByteArray(static_cast<const char*>(bytes), sqlite3_column_bytes(m_statement, column)));
    }
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(m_statement, column)));
    }
    }
}

QList<ColumnOrigin> Statement::origins() const {
    QList<ColumnOrigin> origins;
    const int count = columnCount();
    origins.reserve(count);
    for (int i = 0; i < count; ++i) {
        const char* table = sqlite3_column_table_name(m_statement, i);
        const char* column = sqlite3_column_origin_name(m_statement, i);
        origins.append({table ? QString::fromUtf8(table) : QString(),
                        column ? QString::fromUtf8(column) : QString()});
    }
    return origins;
}

int Statement::changes() const {
    return sqlite3_changes(sqlite3_db_handle(m_statement));
}

StationError Statement::lastError(int code) const {
    return SqliteError(code, errorText(sqlite3_db_handle(m_statement)));
}

} // namespace zelkora::db
