#pragma once
// The generic record editor behind the dialog "Datensatz - Bearbeiten-Anfügen-Löschen": it
// reads one row of the address table (table set Addresses) or the product table (Products)
// by its id, writes a changed or a new row with the record writer, and deletes a row. The
// record writer is also what saving the recipient block as an address and saving a product
// line as a product use.
//
// Writer rules: columns whose name an auto-column entry begins with are left out; column names
// are written in square brackets with the TOP dialect ([NAME]) and bare otherwise; a numeric
// column takes its value unquoted, but only a value that is a number (an empty one is 0, a
// decimal comma reads as a point), any other value refuses the write; every other value is
// quoted with its single quotes doubled; a timestamp column (SQL type 11) receives
// '1900-01-01 00:00:00' on insert and is left out of an update while empty; on insert a column
// whose name begins with a non-automatic id column receives the highest id plus 1.

#include "config/tableset.h"
#include "storage/columnmapping.h"
#include "storage/database.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace fakvo {

struct Configuration;

// The SQL type code of a type text "%03d %03d" and its size.
int SqlTypeOfText(const QString& typeText);
int SizeOfTypeText(const QString& typeText);
inline constexpr int kSqlTimestampType = 11;

// The editor's name of an SQL type ("VarChar", "Integer", "TimeStamp" …); for a code outside
// the table the type text itself.
QString SqlTypeName(const QString& typeText);
// The grid label of a column: "NAME [VarChar:255]", an auto column "ID [Integer:10 [AUTOWERT]".
QString RecordFieldLabel(const QString& name, const QString& typeText, bool autoColumn);
// True when an auto-column entry begins with the column's name (ignoring case).
bool IsAutoColumn(const QString& column, const QStringList& autoColumns);

// A grid value as it is stored: a backslash followed by "n" becomes CR LF.
QString StoredFieldValue(const QString& gridValue);

// The statement the record writer builds.
struct RecordStatementInput
{
    QString table;
    QString idColumn;
    bool brackets = false; // the table set's TOP dialect
    bool update = false;
    QStringList names;
    QStringList types; // "%03d %03d" per column
    QStringList values;
    QStringList autoColumns;
    long long highestId = 0; // insert with a non-automatic id: the table's highest id
};

struct RecordStatement
{
    QString statement;     // empty when refused
    QString failure;       // the German refusal
    long long idValue = 0; // an update's id
};

// UPDATE <table> SET  <pairs> where <id>=<id value>, or INSERT INTO <table> (<columns>) values
// (<values>). Refuses a numeric column whose value is no number and an update whose id value
// is no whole number.
RecordStatement BuildRecordStatement(const RecordStatementInput& input);

// One table set with the id column the configuration maps for it (ODBCID or ODBCPRID).
struct RecordTable
{
    TableSet set = TableSet::Addresses;
    QString idColumn;
};
// The table set's record table from the configuration: the first column of ODBCID (addresses)
// or ODBCPRID (products).
RecordTable RecordTableOf(const Configuration& config, TableSet set);

// One row as the editor shows it.
struct RecordFields
{
    QStringList names;
    QStringList types;
    QStringList values; // as read; missing values empty
    bool ok = false;
};

class RecordEditor
{
public:
    RecordEditor(Database& database, RecordTable table);

    TableSet Set() const { return m_table.set; }
    const QString& IdColumn() const { return m_table.idColumn; }
    const QString& Table() const { return m_database.Of(m_table.set).table; }
    const QStringList& AutoColumns() const { return m_database.Of(m_table.set).autoColumns; }

    // The table's columns and type texts, and the values of the row with this id
    // ("SELECT * FROM <table> where <id>=<id>"); values stay empty when no row has the id.
    RecordFields Read(long long id);
    // The values of that row alone, in result order.
    std::optional<QStringList> ReadRecordById(long long id);

    // The record writer. Returns the id of the written row: for an update the row's id, for an
    // insert the highest id of the table after the statement; 0 when nothing was written (a
    // read-only database: "Das Bearbeiten dieser Datenbank ist nicht möglich!", a refused
    // value, a failing statement; each shown and logged).
    long long WriteRecord(bool update, const QStringList& names, const QStringList& types,
                          const QStringList& values);

    // Inserts a new row: the table's column types decide the quoting of each value, then the
    // record writer runs. The new id, 0 with `outcome` saying why when nothing was written (a
    // configured column the table lacks ends the program).
    long long InsertNewRecord(const QStringList& names, const QStringList& values,
                              TableOutcome& outcome);

    // "DELETE FROM <table> where <id>=<id>"; false when it failed or deleted no row.
    bool DeleteRecordById(long long id);

private:
    long long HighestId(Connection& connection);
    QString ColumnName(const QString& name) const;

    Database& m_database;
    RecordTable m_table;
};

} // namespace fakvo
