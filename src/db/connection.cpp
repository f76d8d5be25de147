#include "db/connection.h"

#include "db/accessdatabase.h"
#include "db/dberror.h"
#include "db/sqldialect.h"
#include "db/sqlitedialect.h"

#include <QAtomicInt>
#include <QFile>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#include <utility>

namespace zelkora::db {

namespace {

QAtomicInt g_busyTimeout = 5000;
QAtomicInt g_connectionSerial = 0;
// Statements kept per connection; report queries vary, so the cache is bounded.
constexpr int kMaxCachedStatements = 128;

thread_local std::unique_ptr<ThreadConnection> t_connection;

bool fileIdentity(const QByteArray& localPath, quint64* device, quint64* inode) {
    struct stat info {};
    if (::stat(localPath.constData(), &info) != 0)
        return false;
    *device = static_cast<quint64>(info.st_dev);
    *inode = static_cast<quint64>(info.st_ino);
    return true;
}

constexpr qint64 kFullCheckMs = 1000;

qint64 monotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<qint64>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

} // namespace

FolderWatch::~FolderWatch() {
    if (m_fd >= 0)
        ::close(m_fd);
}

FolderWatch& FolderWatch::current() {
    thread_local FolderWatch watch;
    return watch;
}

void FolderWatch::watch(const QByteArray& localPath) {
    const qsizetype slash = localPath.lastIndexOf('/');
    const QByteArray folder =
        slash < 0 ? QByteArray(".") : localPath.left(qMax<qsizetype>(slash, 1));
    if (m_fd < 0)
        m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd >= 0 && (folder != m_folder || m_watch < 0)) {
        if (m_watch >= 0)
            ::inotify_rm_watch(m_fd, m_watch);
        constexpr uint32_t kChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                      IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
        m_watch = ::inotify_add_watch(m_fd, folder.constData(), kChanges);
        m_folder = folder;
    }
    drain();
    m_checkedAt = 0;
}

bool FolderWatch::drain() {
    bool reported = false;
    alignas(inotify_event) char events[4096];
    while (m_fd >= 0 && ::read(m_fd, events, sizeof events) > 0)
        reported = true; // what happened matters not: the full check tells
    return reported;
}

bool FolderWatch::quiet() {
    if (m_fd < 0 || m_watch < 0)
        return false;
    const bool reported = drain();
    return !reported && monotonicMs() - m_checkedAt < kFullCheckMs;
}

void FolderWatch::checked() {
    m_checkedAt = monotonicMs();
}

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
    // A database restored or replaced under the station must be noticed before the next
    // statement; the folder watch spares the full check (a stat costs as much as a small
    // look-up) while nothing happened in the folder.
    const bool samePath = connection->m_db.isOpen() && path == connection->m_path;
    if (samePath && FolderWatch::current().quiet())
        return connection;
    quint64 device = 0;
    quint64 inode = 0;
    if (samePath && fileIdentity(connection->m_localPath, &device, &inode) &&
        device == connection->m_device && inode == connection->m_inode) {
        FolderWatch::current().checked();
        return connection;
    }
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
    m_handle = SqliteHandle(m_db);
    m_path = path;
    m_localPath = QFile::encodeName(path);
    // The watch first, then the identity, so that no change falls between the two.
    FolderWatch& watch = FolderWatch::current();
    watch.watch(m_localPath);
    fileIdentity(m_localPath, &m_device, &m_inode);
    watch.checked();
    return true;
}

void ThreadConnection::close() {
    m_cache.clear(); // statements first: the engine closes no connection that still has any
    m_handle = nullptr;
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    m_path.clear();
    m_localPath.clear();
    m_device = m_inode = 0;
    m_depth = 0;
}

ThreadConnection::Lease::Lease(Lease&& other) noexcept
    : m_statement(std::exchange(other.m_statement, nullptr))
    , m_cached(std::move(other.m_cached))
    , m_own(std::move(other.m_own))
    , m_owner(std::exchange(other.m_owner, nullptr))
    , m_key(std::move(other.m_key))
    , m_discard(other.m_discard) {}

ThreadConnection::Lease::~Lease() {
    if (m_statement)
        m_statement->reset(); // ends the statement's read, so checkpoints and writers go on
    if (m_cached) {
        m_cached->inUse = false;
        if (m_discard && m_owner)
            m_owner->m_cache.remove(m_key);
    }
}

ThreadConnection::Lease ThreadConnection::prepare(const QString& sql, StationError* error) {
    Lease lease;
    auto found = m_cache.constFind(sql);
    if (found != m_cache.constEnd() && !found.value()->inUse) {
        lease.m_owner = this;
        lease.m_key = sql;
        lease.m_cached = found.value();
        lease.m_cached->inUse = true;
        lease.m_statement = lease.m_cached->statement.get();
        return lease;
    }
    const bool busy = found != m_cache.constEnd(); // held by an outer call
    std::unique_ptr<Statement> statement = Statement::prepare(m_handle, sql, !busy, error);
    if (!statement)
        return lease;
    if (busy) {
        lease.m_own = std::move(statement);
        lease.m_statement = lease.m_own.get();
        return lease;
    }
    if (m_cache.size() >= kMaxCachedStatements) {
        for (auto it = m_cache.begin(); it != m_cache.end();) {
            if (it.value()->inUse)
                ++it;
            else
                it = m_cache.erase(it);
        }
    }
    auto cached = std::make_shared<Cached>();
    cached->statement = std::move(statement);
    cached->inUse = true;
    m_cache.insert(sql, cached);
    lease.m_owner = this;
    lease.m_key = sql;
    lease.m_cached = std::move(cached);
    lease.m_statement = lease.m_cached->statement.get();
    return lease;
}

bool ThreadConnection::execute(const QString& sql, StationError* error) {
    Lease lease = prepare(sql, error);
    if (!lease)
        return false;
    Statement& statement = lease.statement();
    if (!statement.bind({}, error) || statement.step(error) == Statement::Step::Failed) {
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
