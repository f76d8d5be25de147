#include "db/sqlitedialect.h"

#include "db/dberror.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace zelkora::db {

namespace {

// The texts of the schema's columns with their lengths; CHECK constraints named
// "<column>_max<length>" let error messages name the column.
QString textColumn(const QString& name, int length, bool notNull = false) {
    return SqlDialect::quoted(name) + QStringLiteral(" varchar(%1) COLLATE NOCASE").arg(length) +
           (notNull ? QStringLiteral(" NOT NULL") : QString()) +
           QStringLiteral(" CONSTRAINT %1 CHECK(length(%2) <= %3)")
               .arg(SqlDialect::quoted(name + QStringLiteral("_max%1").arg(length)),
                    SqlDialect::quoted(name))
               .arg(length);
}

QString dateColumn(const QString& name) {
    return SqlDialect::quoted(name) +
           QStringLiteral(" DATETIME CONSTRAINT %1 CHECK(%2 IS NULL OR %2 IS "
                          "strftime('%Y-%m-%d %H:%M:%S', %2))")
               .arg(SqlDialect::quoted(name + QStringLiteral("_date")), SqlDialect::quoted(name));
}

const QString kCounter = QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT");

QString uriFor(const QString& path) {
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    url.setQuery(QStringLiteral("mode=rw"));
    return url.toString(QUrl::FullyEncoded);
}

StationError openError(long number, const QString& description) {
    return StationError{number, description, QStringLiteral("SQLite")};
}

} // namespace

sqlite3* SqliteHandle(const QSqlDatabase& db) {
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

QString SqliteDialect::driverName() const {
    return QStringLiteral("QSQLITE");
}

QString SqliteDialect::engineName() const {
    return QStringLiteral("SQLite");
}

bool SqliteDialect::openExisting(QSqlDatabase& db, const QString& path, int busyTimeoutMs,
                                 StationError* error) const {
    const QFileInfo file(path);
    if (!file.exists()) {
        *error = openError(kErrCannotOpen,
                           QStringLiteral("The database file %1 does not exist.").arg(path));
        return false;
    }
    if (file.isFile() && file.size() == 0) {
        // SQLite would take an empty file for an empty database: never the delivered one.
        *error =
            openError(kErrNotADatabase,
                      QStringLiteral("The file %1 is not a database (it is empty).").arg(path));
        return false;
    }
    db.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
    db.setDatabaseName(uriFor(path));
    if (!db.open()) {
        *error = openError(kErrCannotOpen, QStringLiteral("The database file %1 cannot be opened "
                                                          "(%2).")
                                               .arg(path, db.lastError().databaseText()));
        return false;
    }
    if (sqlite3* handle = SqliteHandle(db); handle && sqlite3_db_readonly(handle, "main") == 1) {
        db.close();
        *error = openError(SQLITE_READONLY,
                           QStringLiteral("The database file %1 is read-only; the station needs "
                                          "to write to it.")
                               .arg(path));
        return false;
    }
    return configure(db, path, error);
}

bool SqliteDialect::createNew(QSqlDatabase& db, const QString& path, int busyTimeoutMs,
                              StationError* error) const {
    // Created here, not by SQLite, so that the file is the owner's alone from its first byte;
    // SQLite gives its -wal and -shm files the same mode.
    const QByteArray local = QFile::encodeName(path);
    const int fd = ::open(local.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        *error = openError(kErrCannotOpen, QStringLiteral("The database file %1 cannot be created "
                                                          "(%2).")
                                               .arg(path, QString::fromLocal8Bit(strerror(errno))));
        return false;
    }
    ::close(fd);
    db.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
    db.setDatabaseName(uriFor(path));
    if (!db.open()) {
        *error = openError(kErrCannotOpen, QStringLiteral("The database file %1 cannot be opened "
                                                          "(%2).")
                                               .arg(path, db.lastError().databaseText()));
        return false;
    }
    return configure(db, path, error);
}

bool SqliteDialect::configure(QSqlDatabase& db, const QString& path, StationError* error) const {
    // WAL lets a second program (another station program, an online backup) read while this
    // one writes; FULL makes every commit survive a power cut.
    for (const QString& pragma :
         {QStringLiteral("PRAGMA journal_mode=WAL"), QStringLiteral("PRAGMA synchronous=FULL")}) {
        QSqlQuery query(db);
        if (!query.exec(pragma)) {
            StationError e = translate(query.lastError());
            if (e.number == kErrNotADatabase)
                e.description = QStringLiteral("The file %1 is not a database.").arg(path);
            else
                e.description = QStringLiteral("The database file %1 cannot be used: %2")
                                    .arg(path, e.description);
            query = QSqlQuery();
            db.close();
            *error = e;
            return false;
        }
    }
    return true;
}

void SqliteDialect::setBusyTimeout(QSqlDatabase& db, int busyTimeoutMs) const {
    if (sqlite3* handle = SqliteHandle(db))
        sqlite3_busy_timeout(handle, busyTimeoutMs);
}

StationError SqliteDialect::translate(const QSqlError& error) const {
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    return SqliteError(error.nativeErrorCode().toLong(), text);
}

StationError SqliteError(long code, const QString& text) {
    StationError e{code, text, QStringLiteral("SQLite")};

    static const QRegularExpression noTable(QStringLiteral("^no such table: (.+)$"));
    static const QRegularExpression tooLong(
        QStringLiteral("^CHECK constraint failed: (\\w+)_max(\\d+)$"));
    static const QRegularExpression notDate(
        QStringLiteral("^CHECK constraint failed: (\\w+)_date$"));

    if (const auto m = noTable.match(text); m.hasMatch()) {
        e.number = kErrNoTable;
        e.description =
            QStringLiteral("The database has no table or query '%1'.").arg(m.captured(1));
    } else if (const auto m2 = tooLong.match(text); m2.hasMatch()) {
        e.number = kErrValueTooLong;
        e.description = QStringLiteral("The text for %1 is longer than %2 characters.")
                            .arg(m2.captured(1), m2.captured(2));
    } else if (const auto m3 = notDate.match(text); m3.hasMatch()) {
        e.number = kErrTypeMismatch;
        e.description = QStringLiteral("The value for %1 is not a date and time "
                                       "\"YYYY-MM-DD HH:MM:SS\".")
                            .arg(m3.captured(1));
    } else {
        switch (code & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            e.description =
                QStringLiteral("The database is locked by another program (%1).").arg(text);
            break;
        case SQLITE_READONLY:
            e.description = QStringLiteral("The database file cannot be written (%1).").arg(text);
            break;
        case SQLITE_NOTADB:
            e.number = kErrNotADatabase;
            e.description = QStringLiteral("The database file is not a database (%1).").arg(text);
            break;
        case SQLITE_CANTOPEN:
            e.number = kErrCannotOpen;
            break;
        case SQLITE_OK:
            e.number = kErrDataLayer;
            break;
        default:
            break;
        }
    }
    return e;
}

QStringList SqliteDialect::deliveredSchema() const {
    QStringList labels{QStringLiteral("ID") + kCounter,
                       QStringLiteral("TypeID INTEGER"),
                       textColumn(QStringLiteral("BadgeName"), 50),
                       textColumn(QStringLiteral("Name"), 50),
                       dateColumn(QStringLiteral("LogInTime")),
                       dateColumn(QStringLiteral("LogOutTime"))};
    for (const char* field : {"Field1", "Field2", "Fiedl3", "Field4", "Field5", "Field6", "Field7",
                              "Field8", "Field9", "Field10"})
        labels << textColumn(QLatin1String(field), 50);

    QStringList statements{
        QStringLiteral("CREATE TABLE Labels (") + labels.join(QStringLiteral(", ")) +
            QLatin1Char(')'),
        QStringLiteral("CREATE TABLE LabelTypes (ID") + kCounter + QStringLiteral(", ") +
            textColumn(QStringLiteral("Description"), 50) + QLatin1Char(')'),
        // Reports and the check-out list select by check-in time; the card swipe and the
        // automatic logout look only at open visits.
        QStringLiteral("CREATE INDEX Labels_LogInTime ON Labels (LogInTime)"),
        QStringLiteral("CREATE INDEX Labels_OpenByCard ON Labels (Field4, LogInTime) "
                       "WHERE LogOutTime IS NULL"),
        QStringLiteral("CREATE INDEX Labels_OpenByType ON Labels (TypeID, LogInTime) "
                       "WHERE LogOutTime IS NULL"),
        QStringLiteral("CREATE VIEW qButtons AS SELECT LabelTypes.Description AS "
                       "\"LabelTypes.Description\" FROM LabelTypes ORDER BY LabelTypes.ID"),
        QStringLiteral("CREATE VIEW qGetLastLabelID AS SELECT Labels.ID FROM Labels "
                       "ORDER BY Labels.ID DESC LIMIT 1"),
        QStringLiteral("CREATE VIEW qLabelSummaryReport AS ") + labelSummaryReportSelect(),
    };
    for (const char* title :
         {"Visitor", "Contractor", "Vendor", "Employee", "Delivery", "Interview", "Guest"})
        statements << QStringLiteral("INSERT INTO LabelTypes (Description) VALUES ('%1')")
                          .arg(QLatin1String(title));
    return statements;
}

QString SqliteDialect::createSettingsTable() const {
    return QStringLiteral("CREATE TABLE Settings (SettingID") + kCounter + QStringLiteral(", ") +
           textColumn(QStringLiteral("Description"), 50, true) + QStringLiteral(", ") +
           textColumn(QStringLiteral("Value"), 255) + QLatin1Char(')');
}

QString SqliteDialect::createPredefinedListTable() const {
    return QStringLiteral("CREATE TABLE PredefinedList (PredListID") + kCounter +
           QStringLiteral(", ") + textColumn(QStringLiteral("FirstName"), 30, true) +
           QStringLiteral(", ") + textColumn(QStringLiteral("LastName"), 30, true) +
           QStringLiteral(", LabelTypeID integer, ") + textColumn(QStringLiteral("RFCardID"), 15) +
           QLatin1Char(')');
}

QStringList SqliteDialect::upgradeIndexes() const {
    // The card swipe looks cards up by number.
    return {QStringLiteral("CREATE INDEX IF NOT EXISTS PredefinedList_RFCardID "
                           "ON PredefinedList (RFCardID)")};
}

QString SqliteDialect::labelSummaryReportSelect() const {
    return QStringLiteral("SELECT Labels.ID, Labels.BadgeName, Labels.Name, Labels.LogInTime, "
                          "Labels.LogOutTime, Labels.Field1, Labels.Field2, Labels.Fiedl3, "
                          "Labels.Field4, Labels.Field5, Labels.Field6, Labels.Field7, "
                          "Labels.Field8, Labels.Field9, Labels.Field10, ") +
           minutesBetween(QStringLiteral("Labels.LogInTime"), QStringLiteral("Labels.LogOutTime")) +
           QStringLiteral(" AS Minutes FROM Labels ORDER BY Labels.ID");
}

QStringList SqliteDialect::replaceView(const QString& name, const QString& select) const {
    return {QStringLiteral("DROP VIEW ") + quoted(name),
            QStringLiteral("CREATE VIEW ") + quoted(name) + QStringLiteral(" AS ") + select};
}

QString SqliteDialect::viewExistsQuery() const {
    return QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'view' AND name = ? COLLATE NOCASE");
}

QString SqliteDialect::minutesBetween(const QString& from, const QString& to) const {
    // Both ends cut to the minute, so that the difference counts minute boundaries.
    return QStringLiteral("((CAST(strftime('%s', substr(%2, 1, 16)) AS INTEGER) - "
                          "CAST(strftime('%s', substr(%1, 1, 16)) AS INTEGER)) / 60)")
        .arg(from, to);
}

QString SqliteDialect::addMinutes(const QString& date, const QString& minutes) const {
    return QStringLiteral("strftime('%Y-%m-%d %H:%M:%S', %1, CAST(%2 AS TEXT) || ' minutes')")
        .arg(date, minutes);
}

QString SqliteDialect::dayAtTime(const QString& date, const QString& clockTime) const {
    return QStringLiteral("strftime('%Y-%m-%d %H:%M:%S', date(%1) || ' ' || %2)")
        .arg(date, clockTime);
}

QString SqliteDialect::likeEscape() const {
    return QStringLiteral(" ESCAPE '\\'");
}

QString SqliteDialect::nullSafeEquals(const QString& a, const QString& b) const {
    return a + QStringLiteral(" IS ") + b;
}

QString SqliteDialect::beginWrite() const {
    return QStringLiteral("BEGIN IMMEDIATE");
}

QString SqliteDialect::primaryKey(const QSqlDatabase& db, const QString& table) const {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA table_info(") + quoted(table) + QLatin1Char(')')))
        return {};
    QString key;
    int keys = 0;
    while (query.next()) {
        if (query.value(5).toInt() > 0) {
            key = query.value(1).toString();
            ++keys;
        }
    }
    return keys == 1 ? key : QString();
}

QString SqlDialect::quoted(const QString& name) {
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

const SqlDialect& Dialect() {
    static const SqliteDialect sqlite;
    return sqlite;
}

} // namespace zelkora::db
