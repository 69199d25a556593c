#include "database.h"

#include "platform/prompt.h"
#include "support/log.h"

#include <QDir>

#include <utility>

namespace fakvo {

const TableSetSettings& DatabaseSettings::Of(TableSet set) const
{
    switch (set) {
    case TableSet::Addresses:
        return addresses;
    case TableSet::Products:
        return products;
    case TableSet::JournalHeaders:
        return journalHeaders;
    case TableSet::JournalLines:
        break;
    }
    return journalLines;
}

TableSetSettings& DatabaseSettings::Of(TableSet set)
{
    return const_cast<TableSetSettings&>(std::as_const(*this).Of(set));
}

// ---- Column lists and values ----

int ColumnList::IndexStartingWith(const QString& name) const
{
    for (int i = 0; i < names.size(); ++i)
        if (names[i].startsWith(name, Qt::CaseInsensitive))
            return i;
    return -1;
}

bool ColumnList::HasColumnContaining(const QString& name) const
{
    for (const QString& column : names)
        if (column.contains(name, Qt::CaseInsensitive))
            return true;
    return false;
}

void ColumnList::Append(const QString& name, const QString& type)
{
    names.append(name);
    types.append(type);
}

QString ColumnTypeText(int sqlType, long long precision)
{
    return QString::asprintf("%03d %03lld", sqlType, precision);
}

QString Quote(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

bool IsSqlNumber(const QString& text)
{
    qsizetype i = 0;
    if (i < text.size() && text[i] == QLatin1Char('-'))
        ++i;
    const qsizetype digitsStart = i;
    while (i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'))
        ++i;
    if (i == digitsStart)
        return false;
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        const qsizetype fractionStart = ++i;
        while (i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'))
            ++i;
        if (i == fractionStart)
            return false;
    }
    return i == text.size();
}

bool IsQuotedLiteral(const QString& text)
{
    if (text.size() < 2 || !text.startsWith(QLatin1Char('\'')) || !text.endsWith(QLatin1Char('\'')))
        return false;
    const QString inner = text.mid(1, text.size() - 2);
    for (qsizetype i = 0; i < inner.size(); ++i) {
        if (inner[i] != QLatin1Char('\''))
            continue;
        if (i + 1 >= inner.size() || inner[i + 1] != QLatin1Char('\''))
            return false;
        ++i;
    }
    return true;
}

bool IsSqlName(const QString& text)
{
    if (text.isEmpty() || text[0].isDigit())
        return false;
    for (const QChar c : text) {
        const bool ok = (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                        (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                        (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_');
        if (!ok)
            return false;
    }
    return true;
}

bool IsSqlTableName(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar open = text[i];
        if (open == QLatin1Char('[') || open == QLatin1Char('"')) {
            const QChar close = open == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('"');
            const qsizetype end = text.indexOf(close, i + 1);
            if (end < 0 || end == i + 1)
                return false;
            for (qsizetype j = i + 1; j < end; ++j)
                if (text[j] == QLatin1Char('[') || text[j] == QLatin1Char('"') ||
                    text[j] == QLatin1Char('\'') || text[j] == QLatin1Char(';'))
                    return false;
            i = end + 1;
        } else {
            qsizetype end = text.indexOf(QLatin1Char('.'), i);
            if (end < 0)
                end = text.size();
            if (!IsSqlName(text.mid(i, end - i)))
                return false;
            i = end;
        }
        if (i == text.size())
            return true;
        if (text[i] != QLatin1Char('.') || i + 1 == text.size())
            return false;
        ++i;
    }
    return false;
}

// ---- Connection ----

bool Connection::Begin()
{
    return m_odbc.SetAutoCommit(false);
}

bool Connection::Commit()
{
    const bool ok = m_odbc.EndTransaction(true);
    // A failed commit gives the transaction up; ErrorText() keeps the commit's failure, as the
    // calls after it only set a text when they fail themselves.
    if (!ok)
        m_odbc.EndTransaction(false);
    m_odbc.SetAutoCommit(true);
    return ok;
}

bool Connection::Rollback()
{
    const bool ok = m_odbc.EndTransaction(false);
    m_odbc.SetAutoCommit(true);
    return ok;
}

// ---- Database ----

namespace {

// A connection-string value; one holding a ';' or a brace is enclosed in braces, so no value
// can add attributes of its own.
QString ConnectionValue(const QString& value)
{
    if (!value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('{')) &&
        !value.contains(QLatin1Char('}')))
        return value;
    QString escaped = value;
    escaped.replace(QLatin1Char('}'), QLatin1String("}}"));
    return QLatin1Char('{') + escaped + QLatin1Char('}');
}

QString AccessConnectionString(const QString& path)
{
    return QStringLiteral("DRIVER=Microsoft Access Driver (*.mdb);DBQ=") + ConnectionValue(path) +
           QStringLiteral(";FIL=MS Access for Microsoft Access");
}

QString SqliteConnectionString(const QString& path)
{
    return QStringLiteral("DRIVER=SQLite3;Database=") + ConnectionValue(path);
}

bool IsJournal(TableSet set)
{
    return set == TableSet::JournalHeaders || set == TableSet::JournalLines;
}

} // namespace

Database::Database(DatabaseSettings settings) : m_settings(std::move(settings)) {}

QString Database::BuildConnectionString(TableSet set, const std::optional<QString>& dataSource,
                                        const std::optional<QString>& user,
                                        const std::optional<QString>& password) const
{
    if (m_settings.serverMode && IsJournal(set))
        return SqliteConnectionString(m_settings.clientFolder +
                                      QLatin1String(kClientJournalFileName));

    const TableSetSettings& settings = m_settings.Of(set);
    const QString source = dataSource.value_or(settings.dataSource);
    QString text;
    if (source.startsWith(QLatin1Char('!'))) {
        const QString path = source.mid(1);
        if (path.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive)) {
            text = AccessConnectionString(path);
        } else {
            const bool relative = QDir::isRelativePath(path) && !m_settings.dataFolder.isEmpty();
            text = SqliteConnectionString(relative ? m_settings.dataFolder + path : path);
        }
    } else {
        text = QStringLiteral("DSN=") + ConnectionValue(source);
    }
    const QString uid = user.value_or(settings.user);
    const QString pwd = password.value_or(settings.password);
    if (!uid.isEmpty())
        text += QStringLiteral(";UID=") + ConnectionValue(uid);
    if (!pwd.isEmpty())
        text += QStringLiteral(";PWD=") + ConnectionValue(pwd);
    return text;
}

bool Database::SameDataSource(TableSet a, TableSet b) const
{
    return BuildConnectionString(a) == BuildConnectionString(b);
}

bool Database::OpenWith(Connection& connection, TableSet set, const QString& connectionString) const
{
    connection.m_set = set;
    if (!connection.m_odbc.Open(connectionString))
        return false;
    const QString dbms = connection.m_odbc.DbmsName();
    if (dbms.startsWith(QLatin1String("SQLite"), Qt::CaseInsensitive)) {
        connection.m_dialect = SqlDialect::Sqlite;
        // Several workstations may share one file: wait for another's write instead of
        // failing at once.
        connection.m_odbc.Execute(
            QStringLiteral("PRAGMA busy_timeout=%1").arg(kSqliteBusyTimeoutMs));
    } else if (dbms.startsWith(QLatin1String("PostgreSQL"), Qt::CaseInsensitive)) {
        connection.m_dialect = SqlDialect::PostgreSql;
    } else {
        connection.m_dialect = SqlDialect::Other;
    }
    return true;
}

bool Database::CheckTableName(const QString& table) const
{
    if (IsSqlTableName(table))
        return true;
    const QString text = QStringLiteral("Der Tabellenname '%1' ist ungültig!").arg(table);
    Log(0, text);
    FrageJaNein(text);
    return false;
}

Connection Database::Open(TableSet set)
{
    Connection connection;
    // The tables statements on this connection name: its own, and the journal's line table,
    // which the journal's header connection and the product-table upgrade also change.
    QStringList tables{m_settings.Of(set).table};
    if (set == TableSet::JournalHeaders || set == TableSet::Products)
        tables << m_settings.journalLines.table;
    for (const QString& table : tables)
        if (!table.isEmpty() && !CheckTableName(table))
            return connection;
    if (!OpenWith(connection, set, BuildConnectionString(set))) {
        const QString text = connection.ErrorText();
        Log(0, text);
        FrageJaNein(text);
    }
    return connection;
}

void Database::Close(Connection& connection)
{
    connection.m_odbc.Close();
}

void Database::SqlLog(const QString& statement, int mode, bool emptyLine) const
{
    if (m_settings.sqlLog)
        m_settings.sqlLog(statement, mode, emptyLine);
}

void Database::ReportFailure(const QString& databaseText, const QString& statement) const
{
    const QString message = databaseText + QStringLiteral("SQL-Anweisung:") + statement;
    Log(0, message);
    FrageJaNein(message);
}

bool Database::Execute(Connection& connection, const QString& statement, OnError onError,
                       long long* rowsAffected)
{
    SqlLog(statement, 0, true);
    if (connection.m_odbc.Execute(statement, rowsAffected))
        return true;
    SqlLog(statement, 1, false);
    if (onError == OnError::Report)
        ReportFailure(connection.ErrorText(), statement);
    return false;
}

ResultSet Database::Query(Connection& connection, const QString& statement, OnError onError)
{
    SqlLog(statement, 0, true);
    odbc::ResultSet rows = connection.m_odbc.Query(statement);
    if (!rows.IsOpen()) {
        SqlLog(statement, 1, false);
        if (onError == OnError::Report)
            ReportFailure(connection.ErrorText(), statement);
        return {};
    }
    SqlLog(QString(), rows.AtEnd() ? 2 : 3, false);
    return ResultSet(std::move(rows));
}

RowLimit Database::Limit(TableSet set, int rows) const
{
    if (m_settings.Of(set).topDialect)
        return {QStringLiteral("TOP %1 ").arg(rows), QString()};
    return {QString(), QStringLiteral(" LIMIT %1").arg(rows)};
}

QString Database::TextColumnType(const Connection& connection, int length)
{
    if (connection.Dialect() == SqlDialect::PostgreSql)
        return QStringLiteral("VARCHAR(%1)").arg(length);
    return QStringLiteral("TEXT(%1)").arg(length);
}

ColumnList Database::ColumnsOf(TableSet set, const QString& table)
{
    ColumnList columns;
    if (!CheckTableName(table))
        return columns;
    Connection connection = Open(set);
    if (!connection.IsOpen())
        return columns;
    const RowLimit limit = Limit(set, 1);
    const QString statement =
        QStringLiteral("SELECT ") + limit.top + QStringLiteral("* FROM ") + table + limit.tail;
    ResultSet rows = Query(connection, statement);
    for (int i = 0; i < rows.FieldCount(); ++i) {
        const odbc::FieldInfo info = rows.FieldInfo(i);
        columns.Append(info.name, ColumnTypeText(info.sqlType, info.precision));
    }
    columns.ok = rows.FieldCount() > 0;
    return columns;
}

odbc::DataSourceList Database::ListDataSources()
{
    return odbc::ListDataSources();
}

TableList Database::ListTables(TableSet set, const std::optional<QString>& dataSource,
                               const std::optional<QString>& user,
                               const std::optional<QString>& password) const
{
    TableList list;
    Connection connection;
    if (!OpenWith(connection, set, BuildConnectionString(set, dataSource, user, password))) {
        list.failure = connection.ErrorText();
        return list;
    }
    QStringList names;
    if (!connection.m_odbc.ListTables(&names)) {
        list.failure = connection.ErrorText();
        return list;
    }
    for (const QString& name : names)
        if (name.compare(QLatin1String("sqlite_sequence"), Qt::CaseInsensitive) != 0)
            list.names.append(name);
    list.ok = true;
    return list;
}

QDateTime Database::Now() const
{
    return m_settings.clock ? m_settings.clock() : QDateTime::currentDateTime();
}

bool Database::DatabaseFillsTimestamp(TableSet set) const
{
    for (const QString& entry : m_settings.Of(set).autoColumns)
        if (entry.contains(QLatin1String("TIMESTAMP"), Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace fakvo
