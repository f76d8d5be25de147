#include "db/dberror.h"

#include "util/product.h"

#include <QSysInfo>

namespace zelkora::db {

QString ComposeSource(const QString& ownSource, const QString& routine, const QString& text) {
    return ownSource + QStringLiteral("<br>[") + QLatin1String(kModuleName) +
           QStringLiteral("]  ") + routine + QLatin1Char('(') + text +
           QStringLiteral(", ...) [on ") + QSysInfo::machineHostName() +
           QStringLiteral(" version ") + QLatin1String(kProgramVersion) + QLatin1Char(']');
}

StationError Raised(StationError error, const QString& routine, const QString& text) {
    error.source = ComposeSource(error.source, routine, text);
    return error;
}

StationError LayerError(long number, const QString& description) {
    return StationError{number, description, QLatin1String(kProgramFileName)};
}

} // namespace zelkora::db
