#pragma once
// The database layer every storing subsystem uses: four table sets (addresses, products,
// journal headers, journal lines), each with its own data source, login, table, row-limit
// dialect and auto columns; connection strings; statements run with one error path (the
// database's text, "SQL-Anweisung:" and the statement, to the application log, the SQL log and
// a message); column information; the catalog lists of the settings pages; quoting and row
// limits. The layer keeps no connection between operations: every operation opens its own.
//
// The differences between the databases (SQLite, PostgreSQL, an Access file) stay in here.

#include "platform/odbc.h"

#include <QDateTime>
#include "config/tableset.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace fakvo {


// The connection settings of one table set.
struct TableSetSettings
{
    QString dataSource;      // DSN name, or '!' and a database file path
    QString user;            // empty: no UID part
    QString password;        // plain text; empty: no PWD part
    QString table;           // table name
    bool topDialect = false; // true: "SELECT TOP n ...", false: "... LIMIT n"
    QStringList autoColumns; // columns the database fills itself ("ID", "ADR_TIMESTAMP", ...)
};

// Receives every statement for the SQL log: mode 0 before execution (emptyLine adds the extra
// line break), 1 after a failure, 2 and above the result marker mode - 2.
using SqlLogFunction = std::function<void(const QString& statement, int mode, bool emptyLine)>;
// "Now" for timestamps, today's date and the current year.
using ClockFunction = std::function<QDateTime()>;

struct DatabaseSettings
{
    TableSetSettings addresses;
    TableSetSettings products;
    TableSetSettings journalHeaders;
    TableSetSettings journalLines;

    // Server mode: the two journal table sets use the current client's journal file in
    // clientFolder (ending in '/'), whatever their data source says.
    bool serverMode = false;
    QString clientFolder;
    // A relative path after '!' is taken relative to this folder (ending in '/').
    QString dataFolder;

    SqlLogFunction sqlLog;
    ClockFunction clock; // empty: the system clock

    const TableSetSettings& Of(TableSet set) const;
    TableSetSettings& Of(TableSet set);
};

// The embedded journal file of a data folder, and of each letter-service client folder.
inline constexpr char kJournalFileName[] = "Fakvo.db";
inline constexpr char kClientJournalFileName[] = "client.db";

// How long a statement waits for another workstation's write on a shared SQLite file.
inline constexpr int kSqliteBusyTimeoutMs = 10000;

enum class SqlDialect
{
    Sqlite,
    PostgreSql,
    Other
};

// The column names of a table in table order and their type texts ("%03d %03d" of SQL type
// and precision, e.g. "012 030" for a text of 30, "004 010" for an integer). Names are kept as
// the driver reports them (PostgreSQL folds them to lower case), so every lookup ignores case.
struct ColumnList
{
    QStringList names;
    QStringList types;
    bool ok = false;

    // Index of the first name that begins with `name`, or -1.
    int IndexStartingWith(const QString& name) const;
    // True when a name contains `name` anywhere.
    bool HasColumnContaining(const QString& name) const;
    void Append(const QString& name, const QString& type);
};

// The two pieces of a row limit: `top` goes right after "SELECT ", `tail` at the very end.
struct RowLimit
{
    QString top;
    QString tail;
};

// "%03d %03d" of SQL type and precision.
QString ColumnTypeText(int sqlType, long long precision);

// A text value as an SQL literal: in single quotes, every single quote doubled.
QString Quote(const QString& text);
// True for a plain decimal number as it may stand unquoted in a statement: an optional '-',
// digits, optionally a point and digits.
bool IsSqlNumber(const QString& text);
// True for a text literal made by Quote.
bool IsQuotedLiteral(const QString& text);
// True for a bare column or table name: letters, digits and '_', not beginning with a digit.
bool IsSqlName(const QString& text);
// True for a table name as the configuration may give it: parts joined by '.', each a bare
// name, a name in square brackets or one in double quotes ("dbo.[Kunden 2024]").
bool IsSqlTableName(const QString& text);

// One open connection of a table set. Move-only; closes itself when destroyed.
class Connection
{
public:
    Connection() = default;
    bool IsOpen() const { return m_odbc.IsOpen(); }
    TableSet Set() const { return m_set; }
    SqlDialect Dialect() const { return m_dialect; }
    // The database's text of the last failed call on this connection.
    QString ErrorText() const { return m_odbc.LastError().text; }

    // Transactions: Begin switches autocommit off, Commit/Rollback end the transaction and
    // switch it on again. A connection closed inside a transaction rolls it back.
    bool Begin();
    bool Commit();
    bool Rollback();

private:
    friend class Database;
    odbc::Connection m_odbc;
    TableSet m_set = TableSet::JournalHeaders;
    SqlDialect m_dialect = SqlDialect::Other;
};

// A forward-only result set positioned on its first row; empty (at its end, no fields) when
// the query failed.
class ResultSet
{
public:
    ResultSet() = default;
    explicit ResultSet(odbc::ResultSet rows) : m_rows(std::move(rows)) {}

    int FieldCount() const { return m_rows.FieldCount(); }
    odbc::FieldInfo FieldInfo(int field) const { return m_rows.Info(field); }
    QString FieldText(int field) const { return m_rows.Text(field); }
    QVariant FieldValue(int field) const { return m_rows.Value(field); }
    bool MoveNext() { return m_rows.MoveNext(); }
    bool AtEnd() const { return m_rows.AtEnd(); }
    void Close() { m_rows.Close(); }

private:
    odbc::ResultSet m_rows;
};

// How a failing statement is reported.
enum class OnError
{
    Report, // message, application log and SQL log
    Quiet   // SQL log only; the caller reports or retries
};

struct TableList
{
    QStringList names;
    bool ok = false;
    QString failure; // the database's text when the connection or the catalog call failed
};

class Database
{
public:
    explicit Database(DatabaseSettings settings);

    const DatabaseSettings& Settings() const { return m_settings; }
    const TableSetSettings& Of(TableSet set) const { return m_settings.Of(set); }

    // The connection string of a table set; the given values replace the configured ones
    // (the settings pages test values before storing them).
    QString BuildConnectionString(TableSet set,
                                  const std::optional<QString>& dataSource = std::nullopt,
                                  const std::optional<QString>& user = std::nullopt,
                                  const std::optional<QString>& password = std::nullopt) const;
    // True when both table sets reach the same database (same connection string).
    bool SameDataSource(TableSet a, TableSet b) const;

    // Opens a connection; a failure is shown and logged with the database's text and the
    // returned connection is not open. A configured table name that is no table name
    // ("Der Tabellenname '%s' ist ungültig!") opens nothing, so no statement is built on it.
    Connection Open(TableSet set);
    void Close(Connection& connection);

    // Runs a statement without result set, passing it through the SQL log first;
    // `rowsAffected` (optional) receives the number of rows it changed.
    bool Execute(Connection& connection, const QString& statement,
                 OnError onError = OnError::Report, long long* rowsAffected = nullptr);
    // Runs a query; a failure is reported and yields an empty result.
    ResultSet Query(Connection& connection, const QString& statement,
                    OnError onError = OnError::Report);

    // Shows and logs "<database text>SQL-Anweisung:<statement>".
    void ReportFailure(const QString& databaseText, const QString& statement) const;

    // The columns of `table` in the table set's database, read from its first row.
    ColumnList ColumnsOf(TableSet set, const QString& table);

    static odbc::DataSourceList ListDataSources();
    // The tables of a data source; sqlite_sequence, SQLite's own table, is left out.
    TableList ListTables(TableSet set, const std::optional<QString>& dataSource = std::nullopt,
                         const std::optional<QString>& user = std::nullopt,
                         const std::optional<QString>& password = std::nullopt) const;

    RowLimit Limit(TableSet set, int rows) const;
    // The column type of a text of `length` characters for ALTER TABLE: "TEXT(n)", on
    // PostgreSQL "VARCHAR(n)".
    static QString TextColumnType(const Connection& connection, int length);

    // Now, by the clock seam.
    QDateTime Now() const;
    // True when an auto-column entry of the table set contains "TIMESTAMP": the database keeps
    // the table's timestamp column, and statements leave it out.
    bool DatabaseFillsTimestamp(TableSet set) const;

private:
    bool OpenWith(Connection& connection, TableSet set, const QString& connectionString) const;
    void SqlLog(const QString& statement, int mode, bool emptyLine) const;
    // Reports a table name that is none ("Der Tabellenname '%s' ist ungültig!").
    bool CheckTableName(const QString& table) const;

    DatabaseSettings m_settings;
};

} // namespace fakvo
