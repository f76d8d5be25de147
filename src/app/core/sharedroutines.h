#pragma once

#include "util/error.h"

#include <QString>
#include <QVariant>
#include <optional>

namespace zelkora {

// True when at least one file or folder matches `path`, whose last part may hold "*" and "?".
bool FileExists(const QString& path);

// True when `path` names a folder; false for a file or a path that does not exist.
bool IsFolder(const QString& path);

// Deletes the file, ignoring failure, then logs "Just Killed file " and the path.
void RemoveFile(const QString& path);

// The whole content of a text file (UTF-8, or Latin-1 when not valid UTF-8). A missing file
// fails with error 53, "File not found".
std::optional<QString> ReadTextFile(const QString& path, StationError* error = nullptr);

// Creates or truncates the file and writes the text and CR LF, as UTF-8.
bool WriteTextFile(const QString& path, const QString& text, StationError* error = nullptr);

// The text without \ / : * ? < > | , and the double quotation mark.
QString StripFileNameChars(QString text);

// `value`, or `fallback` when the value is null.
QVariant NullToDefault(const QVariant& value, const QVariant& fallback);

// Check-box values: 0 clear, 1 set.
inline int BoolToCheck(bool flag) {
    return flag ? 1 : 0;
}
inline bool CheckToBool(int check) {
    return check == 1;
}

// True when the web-cam is wanted and the program-wide web-cam availability flag is set.
bool WebCamUsable(bool wanted);

// The platform classification the printer detection asks for. Linux has no Windows version:
// it answers as the NT 6.x family (3).
int GetWindowsVersion();

} // namespace zelkora
