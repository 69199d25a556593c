#include "journaltestsupport.h"

#include "platform/odbc.h"
#include "platform/prompt.h"
#include "storage/journalfile.h"
#include "support/log.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fakvo::test {

namespace {

const QString kPgBin = QStringLiteral("/usr/lib/postgresql/15/bin/");

QString SchemaFile(Backend backend)
{
    return JournalSchemaFile(QStringLiteral(FAKVO_STARTDAT), backend == Backend::PostgreSql
                                                                 ? SqlDialect::PostgreSql
                                                                 : SqlDialect::Sqlite);
}

// Runs a PostgreSQL program, as the postgres user when we are root (the server refuses to
// run as root). Bounded in time.
bool RunPg(const QString& program, const QStringList& arguments, QString* failure)
{
    QProcess process;
    if (geteuid() == 0) {
        process.setProgram(QStringLiteral("runuser"));
        process.setArguments(QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                         QStringLiteral("--"), kPgBin + program} +
                             arguments);
    } else {
        process.setProgram(kPgBin + program);
        process.setArguments(arguments);
    }
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start();
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished(5000);
        *failure = program + QStringLiteral(" did not finish");
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        *failure =
            program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(process.readAll());
        return false;
    }
    return true;
}

int FreePort()
{
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        return 0;
    return server.serverPort();
}

// Stops the cluster when the test program ends.
class PgClusterEnvironment : public ::testing::Environment
{
public:
    void TearDown() override { PgCluster::Instance().Stop(); }
};

[[maybe_unused]] ::testing::Environment* const kPgEnvironment =
    ::testing::AddGlobalTestEnvironment(new PgClusterEnvironment);

} // namespace

std::string BackendName(Backend backend)
{
    return backend == Backend::Sqlite ? "SQLite" : "PostgreSQL";
}

QDateTime TestNow()
{
    return QDateTime(QDate(2024, 3, 15), QTime(10, 20, 30));
}

// ---- PgCluster ----

PgCluster& PgCluster::Instance()
{
    static PgCluster cluster;
    return cluster;
}

bool PgCluster::Start(QString* failure)
{
    if (m_running)
        return true;
    m_folder = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/fakvo-pg-XXXXXX"));
    if (!m_folder->isValid()) {
        *failure = QStringLiteral("no temporary folder");
        return false;
    }
    const QByteArray folder = QFile::encodeName(m_folder->path());
    if (geteuid() == 0) {
        const passwd* postgres = getpwnam("postgres");
        if (!postgres || chown(folder.constData(), postgres->pw_uid, postgres->pw_gid) != 0) {
            *failure = QStringLiteral("cannot hand the cluster folder to the postgres user");
            return false;
        }
    }
    chmod(folder.constData(), 0755);
    const QString data = m_folder->path() + QStringLiteral("/data");
    if (!RunPg(QStringLiteral("initdb"),
               {QStringLiteral("-N"), QStringLiteral("-D"), data, QStringLiteral("-U"),
                QStringLiteral("postgres"), QStringLiteral("-A"), QStringLiteral("trust"),
                QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--locale=C.UTF-8")},
               failure))
        return false;
    for (int attempt = 0; attempt < 5 && !m_running; ++attempt) {
        m_port = FreePort();
        const QString options = QStringLiteral("-c listen_addresses=127.0.0.1 -p %1 -k %2 "
                                               "-c fsync=off -c synchronous_commit=off "
                                               "-c full_page_writes=off")
                                    .arg(m_port)
                                    .arg(m_folder->path());
        m_running = RunPg(QStringLiteral("pg_ctl"),
                          {QStringLiteral("-D"), data, QStringLiteral("-l"),
                           m_folder->path() + QStringLiteral("/server.log"), QStringLiteral("-w"),
                           QStringLiteral("-t"), QStringLiteral("60"), QStringLiteral("-o"),
                           options, QStringLiteral("start")},
                          failure);
    }
    if (!m_running)
        return false;

    // The DSN the tests reach the journal by, as an administrator would write it.
    const QString ini = m_folder->path() + QStringLiteral("/odbc.ini");
    QFile file(ini);
    if (!file.open(QIODevice::WriteOnly)) {
        *failure = QStringLiteral("cannot write ") + ini;
        return false;
    }
    file.write(QStringLiteral("[%1]\nDriver=PostgreSQL Unicode\nServername=127.0.0.1\n"
                              "Port=%2\nDatabase=%3\nSSLmode=disable\n")
                   .arg(QLatin1String(kPgDsn))
                   .arg(m_port)
                   .arg(QLatin1String(kPgDatabase))
                   .toUtf8());
    file.close();
    setenv("ODBCINI", QFile::encodeName(ini).constData(), 1);
    return true;
}

void PgCluster::Stop()
{
    if (m_running) {
        QString failure;
        RunPg(QStringLiteral("pg_ctl"),
              {QStringLiteral("-D"), m_folder->path() + QStringLiteral("/data"),
               QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("-w"),
               QStringLiteral("stop")},
              &failure);
        m_running = false;
    }
    m_folder.reset();
}

QString PgCluster::ConnectionString(const QString& database) const
{
    return QStringLiteral("DRIVER={PostgreSQL Unicode};Server=127.0.0.1;Port=%1;Database=%2;"
                          "UID=postgres;SSLmode=disable")
        .arg(m_port)
        .arg(database);
}

// ---- Captured ----

Captured::Captured()
{
    SetPromptHandler(
        {[this](const QString& text, PromptMode mode) {
             std::lock_guard lock(m_mutex);
             m_messages << text;
             return mode == PromptMode::Question ? kAnswerNo : kAnswerOk;
         },
         [](const QString&, const QString& proposal) { return std::optional<QString>(proposal); }});
    SetLogSink([this](long long, const QString& text) {
        std::lock_guard lock(m_mutex);
        m_log << text;
    });
}

Captured::~Captured()
{
    SetPromptHandler({});
    SetLogSink({});
}

QStringList Captured::Messages() const
{
    std::lock_guard lock(m_mutex);
    return m_messages;
}

QStringList Captured::LogEntries() const
{
    std::lock_guard lock(m_mutex);
    return m_log;
}

QStringList Captured::Statements() const
{
    std::lock_guard lock(m_mutex);
    return m_statements;
}

QStringList Captured::FailedStatements() const
{
    std::lock_guard lock(m_mutex);
    return m_failed;
}

void Captured::Clear()
{
    std::lock_guard lock(m_mutex);
    m_messages.clear();
    m_log.clear();
    m_statements.clear();
    m_failed.clear();
}

SqlLogFunction Captured::SqlLog()
{
    return [this](const QString& statement, int mode, bool) {
        std::lock_guard lock(m_mutex);
        if (mode == 0)
            m_statements << statement;
        else if (mode == 1)
            m_failed << statement;
    };
}

// ---- TestJournalDatabase ----

TestJournalDatabase::TestJournalDatabase(Backend backend) : m_backend(backend)
{
    if (!m_folder.isValid()) {
        m_failure = QStringLiteral("no temporary folder");
        return;
    }
    if (backend == Backend::Sqlite) {
        const SchemaResult created =
            CreateJournalFile(SchemaFile(backend), Folder() + QLatin1String(kJournalFileName));
        m_ok = created.ok;
        m_failure = created.failure;
        return;
    }
    if (!PgCluster::Instance().Start(&m_failure))
        return;
    odbc::Connection admin;
    if (!admin.Open(PgCluster::Instance().ConnectionString(QStringLiteral("postgres")))) {
        m_failure = admin.LastError().text;
        return;
    }
    if (!admin.Execute(
            QStringLiteral("DROP DATABASE IF EXISTS %1").arg(QLatin1String(kPgDatabase))) ||
        !admin.Execute(QStringLiteral("CREATE DATABASE %1").arg(QLatin1String(kPgDatabase)))) {
        m_failure = admin.LastError().text;
        return;
    }
    admin.Close();
    const SchemaResult applied = ApplySchema(RawConnectionString(), SchemaFile(backend));
    m_ok = applied.ok;
    m_failure = applied.failure;
}

QString TestJournalDatabase::DataSource() const
{
    return m_backend == Backend::Sqlite ? QStringLiteral("!") + QLatin1String(kJournalFileName)
                                        : QLatin1String(kPgDsn);
}

QString TestJournalDatabase::User() const
{
    return m_backend == Backend::Sqlite ? QString() : QStringLiteral("postgres");
}

DatabaseSettings TestJournalDatabase::Settings(const SqlLogFunction& sqlLog) const
{
    DatabaseSettings settings;
    settings.dataFolder = Folder();
    settings.journalHeaders = {
        DataSource(), User(), QString(), QStringLiteral("protadr"), false, {QStringLiteral("ID")}};
    settings.journalLines = {
        DataSource(), User(), QString(), QStringLiteral("protpr"), false, {QStringLiteral("ID")}};
    settings.sqlLog = sqlLog;
    settings.clock = TestNow;
    return settings;
}

QString TestJournalDatabase::RawConnectionString() const
{
    if (m_backend == Backend::Sqlite)
        return QStringLiteral("DRIVER=SQLite3;Database=") + Folder() +
               QLatin1String(kJournalFileName);
    return PgCluster::Instance().ConnectionString(QLatin1String(kPgDatabase));
}

bool TestJournalDatabase::Exec(const QString& statement) const
{
    odbc::Connection connection;
    const bool ok = connection.Open(RawConnectionString()) && connection.Execute(statement);
    if (!ok)
        ADD_FAILURE() << statement.toStdString() << ": "
                      << connection.LastError().text.toStdString();
    return ok;
}

QList<QStringList> TestJournalDatabase::Rows(const QString& query) const
{
    QList<QStringList> rows;
    odbc::Connection connection;
    if (!connection.Open(RawConnectionString())) {
        ADD_FAILURE() << connection.LastError().text.toStdString();
        return rows;
    }
    odbc::ResultSet result = connection.Query(query);
    if (!result.IsOpen()) {
        ADD_FAILURE() << query.toStdString() << ": " << connection.LastError().text.toStdString();
        return rows;
    }
    for (; !result.AtEnd(); result.MoveNext()) {
        QStringList row;
        for (int i = 0; i < result.FieldCount(); ++i)
            row << result.Text(i);
        rows << row;
    }
    return rows;
}

QString TestJournalDatabase::Value(const QString& query) const
{
    const QList<QStringList> rows = Rows(query);
    return rows.isEmpty() || rows.first().isEmpty() ? QString() : rows.first().first();
}

} // namespace fakvo::test
