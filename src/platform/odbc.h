#pragma once
// A small RAII layer over the unixODBC C API: an environment, a connection opened from a
// connection string without any prompt, statements run directly, forward-only result sets and
// the driver's diagnostics as text. Text crosses the API as UTF-8 in narrow (SQL_C_CHAR)
// calls; both drivers Faktavo uses hand UTF-8 through unchanged.
//
// A result set must be closed or destroyed before its connection; a connection and its result
// sets belong to one thread at a time.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

namespace fakvo::odbc {

// True for the numeric SQL types: 2 to 8 (numeric, decimal, integer, small integer, float,
// real, double) and -7 to -5 (bit, tiny integer, big integer).
bool IsNumericSqlType(int sqlType);
// True for the whole-number types among them: integer, small integer, bit, tiny and big integer.
bool IsIntegerSqlType(int sqlType);

// Name, SQL type and precision of a result column. Wide character types are reported as
// their narrow twins (the layer reads every text as UTF-8), so a text column looks the same
// through every driver.
struct FieldInfo
{
    QString name;
    int sqlType = 0;
    long long precision = 0;
};

// The diagnostics of the last failed call: SQL state of the first record and the messages of
// all records, each followed by a line break.
struct Diagnostics
{
    QString state;
    QString text;
};

class Environment;

// A forward-only result set, positioned on its first row when opened. Each row is read whole
// when the cursor reaches it, so fields may be asked for in any order and more than once.
class ResultSet
{
public:
    ResultSet();
    ~ResultSet();
    ResultSet(ResultSet&& other) noexcept;
    ResultSet& operator=(ResultSet&& other) noexcept;
    ResultSet(const ResultSet&) = delete;
    ResultSet& operator=(const ResultSet&) = delete;

    bool IsOpen() const;
    int FieldCount() const;
    FieldInfo Info(int field) const;
    // The value as text; empty for NULL and for a field outside the row.
    QString Text(int field) const;
    bool IsNull(int field) const;
    // The value typed by its SQL type: long long for whole numbers, double for the other
    // numeric types, QString otherwise; an invalid QVariant for NULL.
    QVariant Value(int field) const;
    // Moves to the next row; false at the end or on a failure (see Error()).
    bool MoveNext();
    bool AtEnd() const;
    void Close();
    // Empty unless reading a row failed.
    const Diagnostics& Error() const;

private:
    friend class Connection;
    bool FetchRow();

    void* m_statement = nullptr;
    std::vector<FieldInfo> m_fields;
    std::vector<QByteArray> m_values;
    std::vector<bool> m_nulls;
    bool m_atEnd = true;
    Diagnostics m_error;
};

// One connection to a data source.
class Connection
{
public:
    Connection();
    ~Connection();
    Connection(Connection&& other) noexcept;
    Connection& operator=(Connection&& other) noexcept;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // SQLDriverConnect with SQL_DRIVER_NOPROMPT. False with LastError() on failure.
    bool Open(const QString& connectionString);
    void Close();
    bool IsOpen() const;

    // Runs a statement that returns no rows; `rowsAffected` (optional) receives the number of
    // rows an INSERT, UPDATE or DELETE changed.
    bool Execute(const QString& statement, long long* rowsAffected = nullptr);
    // Runs a query; the result is not open when it failed (see LastError()).
    ResultSet Query(const QString& statement);

    // The product name the driver reports (SQL_DBMS_NAME), e.g. "SQLite" or "PostgreSQL".
    QString DbmsName() const;

    // Transactions: autocommit off starts one; EndTransaction commits or rolls back and the
    // connection stays in manual mode until SetAutoCommit(true).
    bool SetAutoCommit(bool on);
    bool EndTransaction(bool commit);

    // The catalog's tables of type 'TABLE', in the driver's order.
    bool ListTables(QStringList* names);

    const Diagnostics& LastError() const;

private:
    bool Fail(short handleType, void* handle);

    std::shared_ptr<Environment> m_environment;
    void* m_connection = nullptr;
    bool m_open = false;
    Diagnostics m_error;
};

// The data source names the driver manager knows (system and user), in its order. `status` is
// the text of the last enumeration step: "No more DSNs to enumerate" after a complete list,
// otherwise one of "SQLAllocHandle failed", "SQLSetEnvAttr failed to set ODBC version",
// "Invalid Handle", "SQL_ERROR: <state>:<message>", "Unknown ERROR".
struct DataSourceList
{
    QStringList names;
    QString status;
    bool complete = false;
};
DataSourceList ListDataSources();

} // namespace fakvo::odbc
