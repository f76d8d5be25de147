#include "app/core/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace zelkora {

namespace {
QString lockFileFor(const QString& stationPath) {
    const QByteArray hash =
        QCryptographicHash::hash(QDir::cleanPath(stationPath).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/zelkora-") + QString::fromLatin1(hash) +
           QStringLiteral(".lock");
}
} // namespace

SingleInstance::SingleInstance(const QString& stationPath)
    : m_lock(std::make_unique<QLockFile>(lockFileFor(stationPath))) {
    // Never stale by age: a live copy keeps its lock however long it runs.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire() {
    return m_lock->isLocked() || m_lock->tryLock(0);
}

QString SingleInstance::lockPath() const {
    return m_lock->fileName();
}

} // namespace zelkora
