#pragma once
// Test peers for the database layer and the journal: a throw-away PostgreSQL 15 cluster
// (started on first use in the test process, stopped when the tests end), a fresh journal
// database per test on SQLite or PostgreSQL, and a thread-safe capture of messages, log
// entries and SQL log entries.

#include "storage/database.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <mutex>

namespace fakvo::test {

enum class Backend
{
    Sqlite,
    PostgreSql
};

std::string BackendName(Backend backend);

// The PostgreSQL cluster of this test process. Start is idempotent; the cluster listens on
// 127.0.0.1 and a free port, with a DSN file (ODBCINI) naming the DSN kPgDsn for the database
// kPgDatabase.
class PgCluster
{
public:
    static PgCluster& Instance();
    bool Start(QString* failure);
    void Stop();
    int Port() const { return m_port; }
    // A connection string to one database of the cluster.
    QString ConnectionString(const QString& database) const;

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    int m_port = 0;
    bool m_running = false;
};

inline constexpr char kPgDsn[] = "FakvoJournalTest";
inline constexpr char kPgDatabase[] = "fakvo";

// Every message, log entry and SQL log entry while it lives; safe for several threads.
class Captured
{
public:
    Captured();
    ~Captured();
    Captured(const Captured&) = delete;
    Captured& operator=(const Captured&) = delete;

    QStringList Messages() const;
    QStringList LogEntries() const;
    // Statements passed to the SQL log before execution (mode 0), in order.
    QStringList Statements() const;
    // Statements logged as failed (mode 1).
    QStringList FailedStatements() const;
    void Clear();
    SqlLogFunction SqlLog();

private:
    mutable std::mutex m_mutex;
    QStringList m_messages, m_log, m_statements, m_failed;
};

// A fresh, empty journal (the shipped schema) on one backend.
class TestJournalDatabase
{
public:
    explicit TestJournalDatabase(Backend backend);
    bool Ok() const { return m_ok; }
    const QString& Failure() const { return m_failure; }
    Backend GetBackend() const { return m_backend; }

    // Settings whose two journal table sets point at this database (LIMIT dialect, auto
    // column "ID"), with the given SQL log and a clock fixed at 15.03.2024 10:20:30.
    DatabaseSettings Settings(const SqlLogFunction& sqlLog = {}) const;
    // The data source text of the journal ("!Fakvo.db" or the DSN).
    QString DataSource() const;
    QString User() const;
    // A folder for further files of the test.
    QString Folder() const { return m_folder.path() + QLatin1Char('/'); }

    // Direct access, bypassing the layer under test.
    bool Exec(const QString& statement) const;
    QList<QStringList> Rows(const QString& query) const;
    QString Value(const QString& query) const;

private:
    QString RawConnectionString() const;

    Backend m_backend;
    QTemporaryDir m_folder;
    bool m_ok = false;
    QString m_failure;
};

// The clock the test settings use.
QDateTime TestNow();

} // namespace fakvo::test
