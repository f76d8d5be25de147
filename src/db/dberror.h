#pragma once

#include "util/error.h"

#include <QString>

namespace zelkora::db {

// Error numbers of the data layer. Engine failures keep the engine's own result code (for
// SQLite: 5 busy, 8 read-only, 19 and its extended codes constraints, ...); the cases callers
// tell apart get the numbers the station has always used for them.
inline constexpr long kErrCannotOpen = -2147467259;    // the database file cannot be opened
inline constexpr long kErrNoTable = -2147217865;       // no such table or stored query
inline constexpr long kErrItemNotFound = 3265;         // no view or stored query of that name
inline constexpr long kErrValueTooLong = 3163;         // a text longer than its column
inline constexpr long kErrNotADatabase = 3343;         // the file is not a database
inline constexpr long kErrTypeMismatch = 13;           // a value of the wrong kind
inline constexpr long kErrWriteConflict = -2147217864; // a row changed since it was read
inline constexpr long kErrDataLayer = 3000;            // any other failure without an engine code

// The module name in every data-layer error source.
inline constexpr char kModuleName[] = "DAL--Database";

// The source text of a data-layer error: the error's own source, "<br>", "[DAL--Database]  ",
// the routine text `routine(text, ...)`, " [on <host> version <major.minor.revision>]".
QString ComposeSource(const QString& ownSource, const QString& routine, const QString& text);

// `error` with its source replaced by ComposeSource(error.source, routine, text).
StationError Raised(StationError error, const QString& routine, const QString& text);

// An error of the layer itself (not of the engine), source the program's file name.
StationError LayerError(long number, const QString& description);

} // namespace zelkora::db
