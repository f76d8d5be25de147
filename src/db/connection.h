#pragma once

#include "util/error.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <memory>

namespace zelkora::db {

// The data layer's connection of the calling thread. It stays open between calls (opening a
// file costs far more than a look-up on an open one) together with the prepared statements,
// one per statement text, and is reopened when the station's database path changes or the file
// at that path is no longer the one it opened. Every call is still self-contained: statements
// run in auto-commit mode or inside one transaction, and each statement is reset when its call
// ends, so another program can use the file between calls.
class ThreadConnection {
public:
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

    // A statement prepared from `sql` for one use, reset when the lease ends. Statements are
    // cached per text; a text already in use (a nested call) gets a fresh one.
    class Lease {
    public:
        Lease() = default;
        Lease(Lease&& other) noexcept;
        Lease& operator=(Lease&&) = delete;
        ~Lease();
        QSqlQuery& query() { return *m_query; }
        explicit operator bool() const { return m_query != nullptr; }
        // Drops the statement from the cache when the lease ends, e.g. after a failure that may
        // have left bound values behind.
        void discard() { m_discard = true; }

    private:
        friend class ThreadConnection;
        QSqlQuery* m_query = nullptr;
        std::shared_ptr<bool> m_inUse;
        std::unique_ptr<QSqlQuery> m_own;
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

    struct Cached {
        QSqlQuery query;
        std::shared_ptr<bool> inUse = std::make_shared<bool>(false);
    };
    QString m_name;
    QString m_path;
    quint64 m_device = 0;
    quint64 m_inode = 0;
    QSqlDatabase m_db;
    QHash<QString, std::shared_ptr<Cached>> m_cache;
    int m_depth = 0;
};

} // namespace zelkora::db
