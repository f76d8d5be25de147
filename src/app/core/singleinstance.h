#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace zelkora {

// One running copy per user and station folder: a lock file in the per-user runtime folder,
// named after the station folder's path. The lock is held for the object's lifetime; a lock
// left by a crashed copy is taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString& stationPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process now holds the lock; false when another copy runs.
    bool acquire();

    QString lockPath() const;

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace zelkora
