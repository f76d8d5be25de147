#include "app/core/sharedroutines.h"

#include "app/core/log.h"
#include "app/core/programstate.h"
#include "util/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zelkora {

namespace {
bool hasWildcards(const QString& path) {
    return path.contains(QLatin1Char('*')) || path.contains(QLatin1Char('?'));
}
} // namespace

bool FileExists(const QString& path) {
    if (path.isEmpty())
        return false;
    if (!hasWildcards(path))
        return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
    const QFileInfo info(path);
    const QDir folder = info.dir();
    return !folder
                .entryList({info.fileName()}, QDir::AllEntries | QDir::Hidden | QDir::System |
                                                  QDir::CaseSensitive | QDir::NoDotAndDotDot)
                .isEmpty();
}

bool IsFolder(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

void RemoveFile(const QString& path) {
    QFile::remove(path);
    WriteLog(QStringLiteral("Just Killed file ") + path);
}

std::optional<QString> ReadTextFile(const QString& path, StationError* error) {
    QFile file(path);
    if (!FileExists(path) || !file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = {53, QStringLiteral("File not found"), QStringLiteral("ReadTextFile")};
        return std::nullopt;
    }
    return decodeText(file.readAll());
}

bool WriteTextFile(const QString& path, const QString& text, StationError* error) {
    QFile file(path);
    const QByteArray bytes = text.toUtf8() + "\r\n";
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
        file.write(bytes) == bytes.size() && file.flush())
        return true;
    if (error)
        *error = {75, QStringLiteral("Path/File access error: ") + file.errorString(),
                  QStringLiteral("WriteTextFile")};
    return false;
}

QString StripFileNameChars(QString text) {
    for (const char c : {'\\', '/', ':', '*', '?', '<', '>', '|', ',', '"'})
        text.remove(QLatin1Char(c));
    return text;
}

QVariant NullToDefault(const QVariant& value, const QVariant& fallback) {
    return value.isNull() ? fallback : value;
}

bool WebCamUsable(bool wanted) {
    return wanted && programState().webCamAvailable;
}

int GetWindowsVersion() {
    return 3;
}

} // namespace zelkora
