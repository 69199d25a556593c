#include "odbc.h"

#include <sql.h>
#include <sqlext.h>

#include <mutex>
#include <utility>

namespace fakvo::odbc {

// The process's one ODBC environment (version 3); connections keep it alive.
class Environment
{
public:
    Environment()
    {
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_handle))) {
            m_handle = SQL_NULL_HENV;
            m_failure = QStringLiteral("SQLAllocHandle failed");
            return;
        }
        if (!SQL_SUCCEEDED(SQLSetEnvAttr(m_handle, SQL_ATTR_ODBC_VERSION,
                                         reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0))) {
            m_failure = QStringLiteral("SQLSetEnvAttr failed to set ODBC version");
            SQLFreeHandle(SQL_HANDLE_ENV, m_handle);
            m_handle = SQL_NULL_HENV;
        }
    }
    ~Environment()
    {
        if (m_handle != SQL_NULL_HENV)
            SQLFreeHandle(SQL_HANDLE_ENV, m_handle);
    }
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

    static std::shared_ptr<Environment> Shared()
    {
        static std::mutex mutex;
        static std::shared_ptr<Environment> shared;
        std::lock_guard lock(mutex);
        if (!shared || shared->m_handle == SQL_NULL_HENV)
            shared = std::make_shared<Environment>();
        return shared;
    }

    SQLHENV Handle() const { return m_handle; }
    const QString& Failure() const { return m_failure; }

private:
    SQLHENV m_handle = SQL_NULL_HENV;
    QString m_failure;
};

namespace {

Diagnostics ReadDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle)
{
    Diagnostics result;
    for (SQLSMALLINT record = 1; record <= 20; ++record) {
        SQLCHAR state[6] = {};
        SQLINTEGER nativeError = 0;
        SQLCHAR message[1024] = {};
        SQLSMALLINT length = 0;
        const SQLRETURN rc = SQLGetDiagRec(handleType, handle, record, state, &nativeError, message,
                                           sizeof message, &length);
        if (!SQL_SUCCEEDED(rc))
            break;
        if (result.state.isEmpty())
            result.state = QString::fromLatin1(reinterpret_cast<const char*>(state));
        result.text += QString::fromUtf8(reinterpret_cast<const char*>(message));
        result.text += QLatin1Char('\n');
    }
    if (result.text.isEmpty())
        result.text = QStringLiteral("Unbekannter ODBC-Fehler\n");
    return result;
}

// Normalises the wide character types to the narrow ones.
int NarrowSqlType(int sqlType)
{
    switch (sqlType) {
    case SQL_WCHAR:
        return SQL_CHAR;
    case SQL_WVARCHAR:
        return SQL_VARCHAR;
    case SQL_WLONGVARCHAR:
        return SQL_LONGVARCHAR;
    default:
        return sqlType;
    }
}

} // namespace

bool IsNumericSqlType(int sqlType)
{
    return (sqlType >= 2 && sqlType <= 8) || (sqlType >= -7 && sqlType <= -5);
}

bool IsIntegerSqlType(int sqlType)
{
    return sqlType == SQL_INTEGER || sqlType == SQL_SMALLINT || sqlType == SQL_BIT ||
           sqlType == SQL_TINYINT || sqlType == SQL_BIGINT;
}

// ---- ResultSet ----

ResultSet::ResultSet() = default;

ResultSet::~ResultSet()
{
    Close();
}

ResultSet::ResultSet(ResultSet&& other) noexcept
    : m_statement(std::exchange(other.m_statement, nullptr)), m_fields(std::move(other.m_fields)),
      m_values(std::move(other.m_values)), m_nulls(std::move(other.m_nulls)),
      m_atEnd(std::exchange(other.m_atEnd, true)), m_error(std::move(other.m_error))
{
}

ResultSet& ResultSet::operator=(ResultSet&& other) noexcept
{
    if (this != &other) {
        Close();
        m_statement = std::exchange(other.m_statement, nullptr);
        m_fields = std::move(other.m_fields);
        m_values = std::move(other.m_values);
        m_nulls = std::move(other.m_nulls);
        m_atEnd = std::exchange(other.m_atEnd, true);
        m_error = std::move(other.m_error);
    }
    return *this;
}

bool ResultSet::IsOpen() const
{
    return m_statement != nullptr;
}

int ResultSet::FieldCount() const
{
    return static_cast<int>(m_fields.size());
}

FieldInfo ResultSet::Info(int field) const
{
    if (field < 0 || field >= FieldCount())
        return {};
    return m_fields[static_cast<size_t>(field)];
}

QString ResultSet::Text(int field) const
{
    if (m_atEnd || field < 0 || field >= FieldCount())
        return {};
    return QString::fromUtf8(m_values[static_cast<size_t>(field)]);
}

bool ResultSet::IsNull(int field) const
{
    if (m_atEnd || field < 0 || field >= FieldCount())
        return true;
    return m_nulls[static_cast<size_t>(field)];
}

QVariant ResultSet::Value(int field) const
{
    if (IsNull(field))
        return {};
    const int type = m_fields[static_cast<size_t>(field)].sqlType;
    const QByteArray& bytes = m_values[static_cast<size_t>(field)];
    if (IsIntegerSqlType(type)) {
        bool ok = false;
        const long long value = bytes.trimmed().toLongLong(&ok);
        if (ok)
            return value;
        return static_cast<long long>(bytes.trimmed().toDouble());
    }
    if (IsNumericSqlType(type))
        return bytes.trimmed().toDouble();
    return QString::fromUtf8(bytes);
}

bool ResultSet::MoveNext()
{
    if (!m_statement || m_atEnd)
        return false;
    return FetchRow();
}

bool ResultSet::AtEnd() const
{
    return m_atEnd;
}

void ResultSet::Close()
{
    if (m_statement) {
        SQLFreeHandle(SQL_HANDLE_STMT, m_statement);
        m_statement = nullptr;
    }
    m_atEnd = true;
}

const Diagnostics& ResultSet::Error() const
{
    return m_error;
}

bool ResultSet::FetchRow()
{
    const SQLRETURN fetched = SQLFetch(m_statement);
    if (fetched == SQL_NO_DATA) {
        m_atEnd = true;
        return false;
    }
    if (!SQL_SUCCEEDED(fetched)) {
        m_error = ReadDiagnostics(SQL_HANDLE_STMT, m_statement);
        m_atEnd = true;
        return false;
    }
    const size_t count = m_fields.size();
    m_values.assign(count, QByteArray());
    m_nulls.assign(count, false);
    for (size_t i = 0; i < count; ++i) {
        QByteArray& value = m_values[i];
        char buffer[4096];
        for (;;) {
            SQLLEN indicator = 0;
            const SQLRETURN rc = SQLGetData(m_statement, static_cast<SQLUSMALLINT>(i + 1),
                                            SQL_C_CHAR, buffer, sizeof buffer, &indicator);
            if (rc == SQL_NO_DATA)
                break;
            if (!SQL_SUCCEEDED(rc)) {
                m_error = ReadDiagnostics(SQL_HANDLE_STMT, m_statement);
                m_atEnd = true;
                return false;
            }
            if (indicator == SQL_NULL_DATA) {
                m_nulls[i] = true;
                break;
            }
            const bool truncated = indicator == SQL_NO_TOTAL ||
                                   indicator >= static_cast<SQLLEN>(sizeof buffer) ||
                                   (rc == SQL_SUCCESS_WITH_INFO && indicator < 0);
            if (truncated) {
                value.append(buffer, static_cast<qsizetype>(sizeof buffer - 1));
                continue;
            }
            value.append(buffer, static_cast<qsizetype>(indicator));
            break;
        }
    }
    m_atEnd = false;
    return true;
}

// ---- Connection ----

Connection::Connection() = default;

Connection::~Connection()
{
    Close();
}

Connection::Connection(Connection&& other) noexcept
    : m_environment(std::move(other.m_environment)),
      m_connection(std::exchange(other.m_connection, nullptr)),
      m_open(std::exchange(other.m_open, false)), m_error(std::move(other.m_error))
{
}

Connection& Connection::operator=(Connection&& other) noexcept
{
    if (this != &other) {
        Close();
        m_environment = std::move(other.m_environment);
        m_connection = std::exchange(other.m_connection, nullptr);
        m_open = std::exchange(other.m_open, false);
        m_error = std::move(other.m_error);
    }
    return *this;
}

bool Connection::Fail(short handleType, void* handle)
{
    m_error = ReadDiagnostics(handleType, handle);
    return false;
}

bool Connection::Open(const QString& connectionString)
{
    Close();
    m_error = {};
    m_environment = Environment::Shared();
    if (m_environment->Handle() == SQL_NULL_HENV) {
        m_error = {QStringLiteral("HY000"), m_environment->Failure() + QLatin1Char('\n')};
        return false;
    }
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, m_environment->Handle(), &m_connection))) {
        m_connection = nullptr;
        return Fail(SQL_HANDLE_ENV, m_environment->Handle());
    }
    QByteArray text = connectionString.toUtf8();
    SQLCHAR completed[1024];
    SQLSMALLINT completedLength = 0;
    const SQLRETURN rc =
        SQLDriverConnect(m_connection, nullptr, reinterpret_cast<SQLCHAR*>(text.data()),
                         static_cast<SQLSMALLINT>(text.size()), completed, sizeof completed,
                         &completedLength, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        Fail(SQL_HANDLE_DBC, m_connection);
        SQLFreeHandle(SQL_HANDLE_DBC, m_connection);
        m_connection = nullptr;
        return false;
    }
    m_open = true;
    return true;
}

void Connection::Close()
{
    if (m_connection) {
        if (m_open) {
            // A transaction still open at this point is abandoned: roll it back.
            SQLEndTran(SQL_HANDLE_DBC, m_connection, SQL_ROLLBACK);
            SQLDisconnect(m_connection);
        }
        SQLFreeHandle(SQL_HANDLE_DBC, m_connection);
        m_connection = nullptr;
    }
    m_open = false;
    m_environment.reset();
}

bool Connection::IsOpen() const
{
    return m_open;
}

namespace {

// A new statement handle that leaves escape sequences alone: statements are plain SQL, and
// nothing inside them is rewritten by the driver.
SQLHSTMT NewStatement(SQLHDBC connection)
{
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, connection, &statement)))
        return SQL_NULL_HSTMT;
    SQLSetStmtAttr(statement, SQL_ATTR_NOSCAN, reinterpret_cast<SQLPOINTER>(SQL_NOSCAN_ON), 0);
    return statement;
}

SQLRETURN ExecuteDirect(SQLHSTMT statement, const QString& text)
{
    QByteArray bytes = text.toUtf8();
    return SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(bytes.data()),
                         static_cast<SQLINTEGER>(bytes.size()));
}

} // namespace

bool Connection::Execute(const QString& statementText, long long* rowsAffected)
{
    m_error = {};
    if (!m_open) {
        m_error = {QStringLiteral("08003"), QStringLiteral("Keine Verbindung\n")};
        return false;
    }
    SQLHSTMT statement = NewStatement(m_connection);
    if (statement == SQL_NULL_HSTMT)
        return Fail(SQL_HANDLE_DBC, m_connection);
    const SQLRETURN rc = ExecuteDirect(statement, statementText);
    // SQL_NO_DATA: an UPDATE or DELETE that matched no row, which is no failure.
    const bool ok = SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA;
    if (!ok)
        Fail(SQL_HANDLE_STMT, statement);
    if (ok && rowsAffected) {
        SQLLEN count = 0;
        *rowsAffected = SQL_SUCCEEDED(SQLRowCount(statement, &count)) ? count : 0;
    }
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return ok;
}

ResultSet Connection::Query(const QString& statementText)
{
    m_error = {};
    ResultSet result;
    if (!m_open) {
        m_error = {QStringLiteral("08003"), QStringLiteral("Keine Verbindung\n")};
        return result;
    }
    SQLHSTMT statement = NewStatement(m_connection);
    if (statement == SQL_NULL_HSTMT) {
        Fail(SQL_HANDLE_DBC, m_connection);
        return result;
    }
    const SQLRETURN rc = ExecuteDirect(statement, statementText);
    if (!SQL_SUCCEEDED(rc)) {
        Fail(SQL_HANDLE_STMT, statement);
        SQLFreeHandle(SQL_HANDLE_STMT, statement);
        return result;
    }
    SQLSMALLINT columns = 0;
    SQLNumResultCols(statement, &columns);
    for (SQLSMALLINT i = 1; i <= columns; ++i) {
        SQLCHAR name[256] = {};
        SQLSMALLINT nameLength = 0, type = 0, decimals = 0, nullable = 0;
        SQLULEN size = 0;
        SQLDescribeCol(statement, static_cast<SQLUSMALLINT>(i), name, sizeof name, &nameLength,
                       &type, &size, &decimals, &nullable);
        result.m_fields.push_back({QString::fromUtf8(reinterpret_cast<const char*>(name)),
                                   NarrowSqlType(type), static_cast<long long>(size)});
    }
    result.m_statement = statement;
    if (!result.FetchRow() && !result.m_error.text.isEmpty()) {
        m_error = result.m_error;
        result.Close();
    }
    return result;
}

QString Connection::DbmsName() const
{
    if (!m_open)
        return {};
    SQLCHAR name[128] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(m_connection, SQL_DBMS_NAME, name, sizeof name, &length)))
        return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(name));
}

bool Connection::SetAutoCommit(bool on)
{
    if (!m_open)
        return false;
    const SQLRETURN rc = SQLSetConnectAttr(m_connection, SQL_ATTR_AUTOCOMMIT,
                                           reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(
                                               on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF)),
                                           SQL_IS_UINTEGER);
    return SQL_SUCCEEDED(rc) || Fail(SQL_HANDLE_DBC, m_connection);
}

bool Connection::EndTransaction(bool commit)
{
    if (!m_open)
        return false;
    const SQLRETURN rc =
        SQLEndTran(SQL_HANDLE_DBC, m_connection, commit ? SQL_COMMIT : SQL_ROLLBACK);
    return SQL_SUCCEEDED(rc) || Fail(SQL_HANDLE_DBC, m_connection);
}

bool Connection::ListTables(QStringList* names)
{
    m_error = {};
    names->clear();
    if (!m_open)
        return false;
    SQLHSTMT statement = NewStatement(m_connection);
    if (statement == SQL_NULL_HSTMT)
        return Fail(SQL_HANDLE_DBC, m_connection);
    SQLCHAR tableType[] = "'TABLE'";
    SQLRETURN rc = SQL_STILL_EXECUTING;
    for (int attempt = 0; attempt < 1000 && rc == SQL_STILL_EXECUTING; ++attempt)
        rc = SQLTables(statement, nullptr, 0, nullptr, 0, nullptr, 0, tableType, SQL_NTS);
    if (!SQL_SUCCEEDED(rc)) {
        Fail(SQL_HANDLE_STMT, statement);
        SQLFreeHandle(SQL_HANDLE_STMT, statement);
        return false;
    }
    ResultSet rows;
    SQLSMALLINT columns = 0;
    SQLNumResultCols(statement, &columns);
    rows.m_fields.resize(static_cast<size_t>(columns));
    rows.m_statement = statement;
    for (bool more = rows.FetchRow(); more; more = rows.MoveNext())
        names->append(rows.Text(2)); // TABLE_NAME is the third column of the catalog result
    if (!rows.Error().text.isEmpty()) {
        m_error = rows.Error();
        return false;
    }
    return true;
}

const Diagnostics& Connection::LastError() const
{
    return m_error;
}

// ---- Data sources ----

DataSourceList ListDataSources()
{
    DataSourceList list;
    SQLHENV environment = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment))) {
        list.status = QStringLiteral("SQLAllocHandle failed");
        return list;
    }
    if (!SQL_SUCCEEDED(SQLSetEnvAttr(environment, SQL_ATTR_ODBC_VERSION,
                                     reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0))) {
        list.status = QStringLiteral("SQLSetEnvAttr failed to set ODBC version");
        SQLFreeHandle(SQL_HANDLE_ENV, environment);
        return list;
    }
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    for (int guard = 0; guard < 100000; ++guard) {
        SQLCHAR name[SQL_MAX_DSN_LENGTH + 1] = {};
        SQLCHAR description[512] = {};
        SQLSMALLINT nameLength = 0, descriptionLength = 0;
        const SQLRETURN rc = SQLDataSources(environment, direction, name, sizeof name, &nameLength,
                                            description, sizeof description, &descriptionLength);
        direction = SQL_FETCH_NEXT;
        if (SQL_SUCCEEDED(rc)) {
            list.names.append(QString::fromUtf8(reinterpret_cast<const char*>(name)));
            continue;
        }
        if (rc == SQL_NO_DATA) {
            list.status = QStringLiteral("No more DSNs to enumerate");
            list.complete = true;
        } else if (rc == SQL_INVALID_HANDLE) {
            list.status = QStringLiteral("Invalid Handle");
        } else if (rc == SQL_ERROR) {
            SQLCHAR state[6] = {};
            SQLINTEGER nativeError = 0;
            SQLCHAR message[1024] = {};
            SQLSMALLINT length = 0;
            SQLGetDiagRec(SQL_HANDLE_ENV, environment, 1, state, &nativeError, message,
                          sizeof message, &length);
            list.status = QStringLiteral("SQL_ERROR: %1:%2")
                              .arg(QString::fromLatin1(reinterpret_cast<const char*>(state)),
                                   QString::fromUtf8(reinterpret_cast<const char*>(message)));
        } else {
            list.status = QStringLiteral("Unknown ERROR");
        }
        break;
    }
    SQLFreeHandle(SQL_HANDLE_ENV, environment);
    return list;
}

} // namespace fakvo::odbc
