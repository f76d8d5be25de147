#pragma once

#include "db/statement.h"
#include "util/error.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <memory>

namespace zelkora::db {

// Tells cheaply whether the database file may have been replaced since the last look: a watch on
// the folder that holds it (a file created, deleted or moved in or out, the folder itself moved
// or deleted), read without waiting. The full check of the file's identity is then needed only
// when the folder reported something, and at least once a second, for what a watch cannot see (a
// folder further up moved away). Without a watch (none allowed, a network file system) every
// look asks for the full check. One per thread, kept for the thread's life: closing a watch
// costs the kernel milliseconds, far more than reopening the database.
class FolderWatch {
public:
    FolderWatch() = default;
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // The calling thread's watch.
    static FolderWatch& current();

    // Watches the folder of `localPath` from now on; earlier reports are dropped.
    void watch(const QByteArray& localPath);
    // True when the folder reported nothing since the last look and the last full check is
    // recent. Reading consumes the folder's reports.
    bool quiet();
    // A full check was just made.
    void checked();

private:
    bool drain();

    int m_fd = -1;
    int m_watch = -1;
    QByteArray m_folder;
    qint64 m_checkedAt = 0; // monotonic milliseconds
};

// The data layer's connection of the calling thread. It stays open between calls (opening a
// file costs far more than a look-up on an open one) together with the prepared statements,
// one per statement text, and is reopened when the station's database path changes or the file
// at that path is no longer the one it opened (noticed before the next statement runs). Every call
// is still self-contained: statements run in auto-commit mode or inside one transaction, and each
// statement is reset when its call ends, so another program can use the file between calls.
class ThreadConnection {
public:
    // A cached statement and whether a call holds it.
    struct Cached {
        std::unique_ptr<Statement> statement;
        bool inUse = false;
    };

    ThreadConnection();
    ~ThreadConnection();
    ThreadConnection(const ThreadConnection&) = delete;
    ThreadConnection& operator=(const ThreadConnection&) = delete;

    // The connection of this thread, open on GetDatabasePath(); nullptr with `error` when the
    // database cannot be opened.
    static ThreadConnection* acquire(StationError* error);
    // Closes this thread's connection, if any.
    static void releaseCurrent();

    QSqlDatabase& database() { return m_db; }
    const QString& path() const { return m_path; }
    // The engine's own connection behind database().
    sqlite3* handle() const { return m_handle; }

    // A statement prepared from `sql` for one use, reset when the lease ends. Statements are
    // cached per text; a text already in use (a nested call) gets a fresh one.
    class Lease {
    public:
        Lease() = default;
        Lease(Lease&& other) noexcept;
        Lease& operator=(Lease&&) = delete;
        ~Lease();
        Statement& statement() { return *m_statement; }
        explicit operator bool() const { return m_statement != nullptr; }
        // Drops the statement from the cache when the lease ends, e.g. after a failure that may
        // have left bound values behind.
        void discard() { m_discard = true; }

    private:
        friend class ThreadConnection;
        Statement* m_statement = nullptr;
        std::shared_ptr<Cached> m_cached;
        std::unique_ptr<Statement> m_own;
        ThreadConnection* m_owner = nullptr;
        QString m_key;
        bool m_discard = false;
    };
    Lease prepare(const QString& sql, StationError* error);

    // Transactions nest: the outermost is a write transaction, inner ones savepoints.
    bool begin(StationError* error);
    bool commit(StationError* error);
    void rollback();
    bool inTransaction() const { return m_depth > 0; }

    void setBusyTimeout(int milliseconds);

private:
    bool open(const QString& path, StationError* error);
    void close();
    bool execute(const QString& sql, StationError* error);

    QString m_name;
    QString m_path;
    QByteArray m_localPath; // m_path as the file system spells it
    sqlite3* m_handle = nullptr;
    quint64 m_device = 0;
    quint64 m_inode = 0;
    QSqlDatabase m_db;
    QHash<QString, std::shared_ptr<Cached>> m_cache;
    int m_depth = 0;
};

} // namespace zelkora::db
