#include "db/connection.h"

#include "db/accessdatabase.h"
#include "db/dberror.h"
#include "db/sqldialect.h"

#include <QAtomicInt>
#include <QFile>
#include <QSqlError>
#include <sys/stat.h>

namespace zelkora::db {

namespace {

QAtomicInt g_busyTimeout = 5000;
QAtomicInt g_connectionSerial = 0;
// Statements kept per connection; report queries vary, so the cache is bounded.
constexpr int kMaxCachedStatements = 128;

thread_local std::unique_ptr<ThreadConnection> t_connection;

bool fileIdentity(const QString& path, quint64* device, quint64* inode) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    *device = static_cast<quint64>(info.st_dev);
    *inode = static_cast<quint64>(info.st_ino);
    return true;
}

} // namespace

ThreadConnection::ThreadConnection()
    : m_name(QStringLiteral("zelkora-db-%1").arg(g_connectionSerial.fetchAndAddRelaxed(1))) {}

ThreadConnection::~ThreadConnection() {
    close();
}

ThreadConnection* ThreadConnection::acquire(StationError* error) {
    const QString path = GetDatabasePath();
    if (!t_connection)
        t_connection = std::make_unique<ThreadConnection>();
    ThreadConnection* connection = t_connection.get();
    quint64 device = 0;
    quint64 inode = 0;
    const bool exists = fileIdentity(path, &device, &inode);
    if (connection->m_db.isOpen() && exists && path == connection->m_path &&
        device == connection->m_device && inode == connection->m_inode)
        return connection;
    if (connection->m_depth > 0) {
        // The file went away in the middle of a transaction: never switch files under it.
        *error = StationError{kErrCannotOpen,
                              QStringLiteral("The database file %1 was replaced while in use.")
                                  .arg(connection->m_path),
                              Dialect().engineName()};
        return nullptr;
    }
    connection->close();
    if (!connection->open(path, error))
        return nullptr;
    return connection;
}

void ThreadConnection::releaseCurrent() {
    if (t_connection && t_connection->m_depth == 0)
        t_connection.reset();
}

bool ThreadConnection::open(const QString& path, StationError* error) {
    m_db = QSqlDatabase::addDatabase(Dialect().driverName(), m_name);
    if (!Dialect().openExisting(m_db, path, g_busyTimeout.loadRelaxed(), error)) {
        close();
        return false;
    }
    m_path = path;
    fileIdentity(path, &m_device, &m_inode);
    return true;
}

void ThreadConnection::close() {
    m_cache.clear();
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    m_path.clear();
    m_device = m_inode = 0;
    m_depth = 0;
}

ThreadConnection::Lease::Lease(Lease&& other) noexcept
    : m_query(other.m_query)
    , m_inUse(std::move(other.m_inUse))
    , m_own(std::move(other.m_own))
    , m_owner(other.m_owner)
    , m_key(std::move(other.m_key))
    , m_discard(other.m_discard) {
    other.m_query = nullptr;
    other.m_owner = nullptr;
}

ThreadConnection::Lease::~Lease() {
    if (m_query)
        m_query->finish(); // ends the statement's read, so checkpoints and writers go on
    if (m_inUse)
        *m_inUse = false;
    if (m_discard && m_owner && !m_own)
        m_owner->m_cache.remove(m_key);
}

ThreadConnection::Lease ThreadConnection::prepare(const QString& sql, StationError* error) {
    Lease lease;
    lease.m_owner = this;
    lease.m_key = sql;
    auto found = m_cache.constFind(sql);
    if (found != m_cache.constEnd() && !*found.value()->inUse) {
        lease.m_query = &found.value()->query;
        lease.m_inUse = found.value()->inUse;
        *lease.m_inUse = true;
        return lease;
    }
    auto query = std::make_unique<QSqlQuery>(m_db);
    query->setForwardOnly(true); // rows are copied out once; no driver-side cache
    if (!query->prepare(sql)) {
        *error = Dialect().translate(query->lastError());
        lease.m_owner = nullptr;
        return lease;
    }
    if (found != m_cache.constEnd()) { // the cached one is busy in an outer call
        lease.m_own = std::move(query);
        lease.m_query = lease.m_own.get();
        return lease;
    }
    if (m_cache.size() >= kMaxCachedStatements) {
        for (auto it = m_cache.begin(); it != m_cache.end();) {
            if (*it.value()->inUse)
                ++it;
            else
                it = m_cache.erase(it);
        }
    }
    auto cached = std::make_shared<Cached>();
    cached->query = std::move(*query);
    m_cache.insert(sql, cached);
    lease.m_query = &cached->query;
    lease.m_inUse = cached->inUse;
    *lease.m_inUse = true;
    return lease;
}

bool ThreadConnection::execute(const QString& sql, StationError* error) {
    Lease lease = prepare(sql, error);
    if (!lease)
        return false;
    if (!lease.query().exec()) {
        *error = Dialect().translate(lease.query().lastError());
        lease.discard();
        return false;
    }
    return true;
}

bool ThreadConnection::begin(StationError* error) {
    const QString sql =
        m_depth == 0 ? Dialect().beginWrite() : QStringLiteral("SAVEPOINT zelkora_%1").arg(m_depth);
    if (!execute(sql, error))
        return false;
    ++m_depth;
    return true;
}

bool ThreadConnection::commit(StationError* error) {
    if (m_depth == 0)
        return true;
    const QString sql = m_depth == 1 ? QStringLiteral("COMMIT")
                                     : QStringLiteral("RELEASE zelkora_%1").arg(m_depth - 1);
    if (!execute(sql, error)) {
        rollback();
        return false;
    }
    --m_depth;
    return true;
}

void ThreadConnection::rollback() {
    if (m_depth == 0)
        return;
    StationError ignored;
    if (m_depth == 1) {
        execute(QStringLiteral("ROLLBACK"), &ignored);
    } else {
        const QString name = QStringLiteral("zelkora_%1").arg(m_depth - 1);
        execute(QStringLiteral("ROLLBACK TO ") + name, &ignored);
        execute(QStringLiteral("RELEASE ") + name, &ignored);
    }
    --m_depth;
}

void ThreadConnection::setBusyTimeout(int milliseconds) {
    if (m_db.isOpen())
        Dialect().setBusyTimeout(m_db, milliseconds);
}

void SetBusyTimeout(int milliseconds) {
    g_busyTimeout.storeRelaxed(milliseconds);
    if (t_connection)
        t_connection->setBusyTimeout(milliseconds);
}

int BusyTimeout() {
    return g_busyTimeout.loadRelaxed();
}

} // namespace zelkora::db
