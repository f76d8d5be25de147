#pragma once

#include "db/accessdatabase.h"
#include "util/error.h"

#include <QString>
#include <QStringList>

namespace zelkora::db {

// The required schema version.
inline constexpr double kRequiredDatabaseVersion = 1;

// Provisioning step of the station folder: creates the delivered database "orvsecuritybe.mdb"
// (tables Labels and LabelTypes with its seven default titles, the stored queries, their
// indexes; mode 0600, WAL journal) if the folder has none. The file is built under another name
// and renamed when complete, so an interrupted provisioning never leaves half a database; an
// existing database is kept as it is.
bool CreateDeliveredDatabase(const QString& stationPath, QStringList* created, QString* error);

struct VersionCheck {
    DbOutcome outcome = DbOutcome::Ok;
    StationError error; // set when outcome is Failed
};

// Start-up step: the one-time label-type conversion (guarded by the setting "Conversion1Date"),
// then the schema upgrade to version 1, logging "DBRequiredVer=1" and "DBVer=<found version>".
// The upgrade runs in one transaction. MustQuit means GetDBSetting showed its message; Failed
// carries the error for start-up to report before it ends.
VersionCheck CheckDatabaseVersion();

} // namespace zelkora::db
