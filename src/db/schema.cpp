#include "db/schema.h"

#include "app/core/log.h"
#include "db/sqldialect.h"
#include "settings/settingsstore.h"
#include "settings/vraxsettings.h"
#include "util/clock.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace zelkora::db {

namespace {

QAtomicInt g_provisionSerial = 0;

void removeDatabaseFiles(const QString& path) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
}

// Builds the delivered schema into a new file at `path`.
bool buildDatabase(const QString& path, QString* error) {
    const QString name =
        QStringLiteral("zelkora-provision-%1").arg(g_provisionSerial.fetchAndAddRelaxed(1));
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(Dialect().driverName(), name);
        StationError failure;
        if (!Dialect().createNew(db, path, BusyTimeout(), &failure)) {
            *error = failure.description;
        } else {
            QSqlQuery query(db);
            ok = query.exec(Dialect().beginWrite());
            const QStringList statements = Dialect().deliveredSchema();
            for (const QString& statement : statements) {
                if (!ok)
                    break;
                ok = query.exec(statement);
            }
            ok = ok && query.exec(QStringLiteral("COMMIT"));
            if (!ok) {
                *error = QStringLiteral("The database %1 cannot be built: %2")
                             .arg(path, Dialect().translate(query.lastError()).description);
                query.exec(QStringLiteral("ROLLBACK"));
            }
            query = QSqlQuery();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

VersionCheck failed(const StationError& error) {
    return {DbOutcome::Failed, error};
}

StationError ownError(long number, const QString& description, const QString& text) {
    return Raised(LayerError(number, description), QStringLiteral("CheckDatabaseVersion"), text);
}

// The one-time conversion of the legacy label types into the settings.
StationError convertLabelTypes() {
    StationError error =
        ModifyQuery(QStringLiteral("qLabelSummaryReport"), Dialect().labelSummaryReportSelect());
    if (error.isError())
        return error;

    cVRAXSettings settings;
    error = settings.LoadValues();
    if (error.isError())
        return error;

    UpdatableRecordSet buttons;
    error = RunSPReturnRWRS(QStringLiteral("qButtons"), {}, &buttons);
    if (error.isError())
        return error;
    const int field = buttons.indexOf(QStringLiteral("LabelTypes.Description"));
    // Rows after the seventh have no button; they are read and ignored.
    for (int row = 0; row < buttons.rowCount() && row < cVRAXSettings::kLabelTypeCount; ++row)
        settings.setLabelTitle(row + 1, buttons.value(row, field).toString());

    for (int n = 1; n <= 6; ++n)
        settings.setLabelDescription(n, GetSetting(QStringLiteral("Description%1").arg(n)));
    settings.setLabelDescription(7, GetSetting(QStringLiteral("DescriptionOther")));

    error = settings.SaveValues();
    if (error.isError())
        return error;

    QString why;
    if (!SaveSetting(QStringLiteral("Conversion1Date"), generalDate(Clock::current().now()), &why))
        return ownError(kErrDataLayer, why, QStringLiteral("Conversion1Date"));
    return {};
}

} // namespace

bool CreateDeliveredDatabase(const QString& stationPath, QStringList* created, QString* error) {
    QString folder = stationPath;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    const QString target = folder + QLatin1String(kDatabaseFileName);
    if (QFileInfo::exists(target))
        return true; // a database already there may hold visits: never replace it

    const QString building =
        folder + QStringLiteral(".") + QLatin1String(kDatabaseFileName) + QStringLiteral(".new");
    removeDatabaseFiles(building); // the remains of an interrupted provisioning
    QString why;
    if (!buildDatabase(building, &why)) {
        removeDatabaseFiles(building);
        if (error)
            *error = why;
        return false;
    }
    if (!QFile::rename(building, target)) {
        removeDatabaseFiles(building);
        if (error)
            *error = QStringLiteral("The database %1 cannot be created.").arg(target);
        return false;
    }
    if (created)
        created->append(target);
    return true;
}

VersionCheck CheckDatabaseVersion() {
    if (GetSetting(QStringLiteral("Conversion1Date")).isEmpty()) {
        const StationError error = convertLabelTypes();
        // A missing database is told the same way whichever step meets it first.
        if (error.number == kErrCannotOpen)
            return {ShowDatabaseNotFound(), error};
        if (error.isError())
            return failed(error);
    }

    WriteLog(QStringLiteral("DBRequiredVer=") + QString::number(kRequiredDatabaseVersion));
    const DBSettingResult setting =
        GetDBSetting(QStringLiteral("DBVersion"), QStringLiteral("0.5"));
    if (setting.outcome != DbOutcome::Ok)
        return {setting.outcome, {}};
    const QVariant stored = NullToZero(setting.value);
    bool isNumber = false;
    double version = stored.typeId() == QMetaType::QString
                         ? stored.toString().trimmed().toDouble(&isNumber)
                         : stored.toDouble(&isNumber);
    if (!isNumber) {
        return failed(ownError(kErrTypeMismatch,
                               QStringLiteral("The database version \"%1\" in table Settings is "
                                              "not a number.")
                                   .arg(stored.toString()),
                               QStringLiteral("DBVersion")));
    }
    WriteLog(QStringLiteral("DBVer=") + QString::number(version));

    if (version >= kRequiredDatabaseVersion)
        return {}; // no downgrade exists

    // All steps in one transaction, so that a crash never leaves a version in between.
    const StationError error = RunInTransaction([&]() -> StationError {
        if (version == 0) {
            StationError step = RunSQL(Dialect().createSettingsTable());
            if (!step.isError())
                step = RunSQL(Dialect().createPredefinedListTable());
            for (const QString& index : Dialect().upgradeIndexes()) {
                if (!step.isError())
                    step = RunSQL(index);
            }
            if (step.isError())
                return step;
            version = 0.5;
        }
        if (version < kRequiredDatabaseVersion) {
            const StationError step = RunSQL(
                QStringLiteral("INSERT INTO Settings (Description, \"Value\") VALUES (?, ?)"),
                {QStringLiteral("DBVersion"), QStringLiteral("1")});
            if (step.isError())
                return step;
            version = kRequiredDatabaseVersion;
        }
        return {};
    });
    if (error.isError())
        return failed(error);
    return {};
}

} // namespace zelkora::db
