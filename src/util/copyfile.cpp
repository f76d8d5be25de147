#include "util/copyfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zelkora {

namespace {

// "*" any run of characters, "?" one character, everything else literally (brackets too, as on
// the platform this listing mimics); letter case ignored.
bool matchesPlain(const QString& name, const QString& pattern) {
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starAt = -1;
    qsizetype resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern.at(p) == QLatin1Char('*')) {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size() &&
                   (pattern.at(p) == QLatin1Char('?') ||
                    pattern.at(p).toCaseFolded() == name.at(n).toCaseFolded())) {
            ++p;
            ++n;
        } else if (starAt >= 0) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern.at(p) == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

void ensureTrailingSlash(QString& folder) {
    if (!folder.endsWith(QLatin1Char('/')))
        folder.append(QLatin1Char('/'));
}

// Copies through a temporary file in the target folder, keeping the source's permissions and
// modification time, as a file copy on the desktop would.
bool copyOneFile(const QString& from, const QString& to) {
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    constexpr qint64 chunk = 64 * 1024;
    while (!in.atEnd()) {
        const QByteArray buffer = in.read(chunk);
        // An unfinished save file is discarded on destruction; the old target stays.
        if (in.error() != QFileDevice::NoError || out.write(buffer) != buffer.size())
            return false;
    }
    if (!out.flush())
        return false;
    const QDateTime modified = QFileInfo(in).lastModified();
    if (modified.isValid())
        out.setFileTime(modified, QFileDevice::FileModificationTime);
    if (!out.commit())
        return false;
    // Set on the result: the save file's own permissions would not reach it. The "user" bits
    // describe the current user's access (root may write anything), not the file's mode, and
    // would widen the owner's bits, so they are left out.
    QFile::setPermissions(to, in.permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser |
                                                   QFileDevice::ExeUser));
    return true;
}

} // namespace

bool matchesFilePattern(const QString& name, const QString& pattern) {
    if (matchesPlain(name, pattern))
        return true;
    if (pattern.endsWith(QLatin1String(".*")))
        return matchesPlain(name, pattern.chopped(2));
    if (pattern.endsWith(QLatin1Char('.')))
        return !name.contains(QLatin1Char('.')) && matchesPlain(name, pattern.chopped(1));
    return false;
}

int CopyFiles(QString& source, QString& target, const QString& pattern, CopyFilesReport* report) {
    CopyFilesReport local;
    CopyFilesReport& result = report ? *report : local;
    result = {};
    // An empty folder would turn into the file system root; nobody means that.
    if (source.isEmpty() || target.isEmpty())
        return 0;

    ensureTrailingSlash(source);
    ensureTrailingSlash(target);
    QDir().mkpath(target);
    result.targetExists = QFileInfo(target).isDir();

    const QDir folder(source);
    if (!folder.exists())
        return 0;
    const QStringList names = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System,
                                               QDir::Name | QDir::IgnoreCase);
    int matched = 0;
    for (const QString& name : names) {
        if (!matchesFilePattern(name, pattern))
            continue;
        ++matched;
        const QString from = source + name;
        // Folders, ".", "..", pipes and devices are listed and counted but never copied; reading
        // a pipe would block.
        if (!QFileInfo(from).isFile())
            continue;
        if (copyOneFile(from, target + name))
            ++result.copied;
        else
            result.failed.append(name);
    }
    return matched;
}

} // namespace zelkora
