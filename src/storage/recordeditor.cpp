#include "storage/recordeditor.h"

#include "config/configuration.h"
#include "platform/odbc.h"
#include "platform/prompt.h"
#include "storage/columnmapping.h"
#include "support/log.h"

namespace fakvo {

namespace {

// ODBC 3 drivers report dates, times and timestamps as 91 to 93; the editor's rules and names
// speak of the classic codes 9 to 11.
int ClassicSqlType(int sqlType)
{
    return sqlType >= 91 && sqlType <= 93 ? sqlType - 82 : sqlType;
}

struct TypeName
{
    int type;
    const char* name;
};

constexpr TypeName kTypeNames[] = {
    {-11, "Guid"},     {-7, "Bit"},    {-6, "TinyInt"},     {-5, "BigInt"}, {-4, "LongVarBinary"},
    {-3, "VarBinary"}, {-2, "Binary"}, {-1, "LongVarChar"}, {0, "Unbek."},  {1, "Char"},
    {2, "Numeric"},    {3, "Decimal"}, {4, "Integer"},      {5, "SamlInt"}, {6, "Float"},
    {7, "Real"},       {8, "Double"},  {9, "DateTime"},     {10, "Time"},   {11, "TimeStamp"},
    {12, "VarChar"},
};

// A value for a numeric column as it may stand unquoted: trimmed, a decimal comma as a point;
// empty is 0. No value when the text is no number.
std::optional<QString> NumericValue(const QString& value)
{
    QString number = value.trimmed();
    if (number.isEmpty())
        return QStringLiteral("0");
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    if (!IsSqlNumber(number))
        return std::nullopt;
    return number;
}

} // namespace

int SqlTypeOfText(const QString& typeText)
{
    return typeText.section(QLatin1Char(' '), 0, 0).toInt();
}

int SizeOfTypeText(const QString& typeText)
{
    return typeText.section(QLatin1Char(' '), 1, 1).toInt();
}

QString SqlTypeName(const QString& typeText)
{
    const int type = ClassicSqlType(SqlTypeOfText(typeText));
    for (const TypeName& entry : kTypeNames)
        if (entry.type == type)
            return QString::fromLatin1(entry.name);
    return typeText;
}

QString RecordFieldLabel(const QString& name, const QString& typeText, bool autoColumn)
{
    QString label = name + QStringLiteral(" [") + SqlTypeName(typeText) + QLatin1Char(':') +
                    QString::number(SizeOfTypeText(typeText));
    if (autoColumn)
        label += QStringLiteral(" [AUTOWERT");
    return label + QLatin1Char(']');
}

bool IsAutoColumn(const QString& column, const QStringList& autoColumns)
{
    for (const QString& entry : autoColumns)
        if (!column.isEmpty() && entry.startsWith(column, Qt::CaseInsensitive))
            return true;
    return false;
}

QString StoredFieldValue(const QString& gridValue)
{
    QString value = gridValue;
    value.replace(QStringLiteral("\\n"), QStringLiteral("\r\n"));
    return value;
}

RecordStatement BuildRecordStatement(const RecordStatementInput& in)
{
    RecordStatement result;
    const bool idIsAuto = in.autoColumns.contains(in.idColumn, Qt::CaseInsensitive);
    QString idText;
    for (int i = 0; i < in.names.size(); ++i)
        if (in.names[i].compare(in.idColumn, Qt::CaseInsensitive) == 0)
            idText = in.values.value(i).trimmed();

    QStringList columns;
    QStringList values;
    QStringList pairs;
    for (int i = 0; i < in.names.size(); ++i) {
        const QString& name = in.names[i];
        if (IsAutoColumn(name, in.autoColumns))
            continue;
        const QString column = in.brackets ? QLatin1Char('[') + name + QLatin1Char(']') : name;
        const int type = ClassicSqlType(SqlTypeOfText(in.types.value(i)));
        const QString value = in.values.value(i);
        QString literal;
        if (!in.update && type == kSqlTimestampType) {
            literal = QStringLiteral("'1900-01-01 00:00:00'");
        } else if (!in.update && !idIsAuto && !in.idColumn.isEmpty() &&
                   name.startsWith(in.idColumn, Qt::CaseInsensitive)) {
            literal = QString::number(in.highestId + 1);
        } else if (in.update && type == kSqlTimestampType && value.trimmed().isEmpty()) {
            continue;
        } else if (odbc::IsNumericSqlType(type)) {
            const std::optional<QString> number = NumericValue(value);
            if (!number) {
                result.failure =
                    QStringLiteral("Der Wert '%1' im Feld '%2' ist keine Zahl!").arg(value, name);
                return result;
            }
            literal = *number;
        } else {
            literal = Quote(value);
        }
        columns << column;
        values << literal;
        pairs << column + QLatin1Char('=') + literal;
    }

    if (in.update) {
        bool whole = false;
        result.idValue = idText.toLongLong(&whole);
        if (!whole) {
            result.failure = QStringLiteral("Der Datensatz hat keine gültige Nummer im Feld '%1'!")
                                 .arg(in.idColumn);
            result.idValue = 0;
            return result;
        }
        result.statement = QStringLiteral("UPDATE ") + in.table + QStringLiteral(" SET ") +
                           QLatin1Char(' ') + pairs.join(QStringLiteral(", ")) +
                           QStringLiteral(" where ") + in.idColumn + QLatin1Char('=') +
                           QString::number(result.idValue);
    } else {
        result.statement = QStringLiteral("INSERT INTO ") + in.table + QLatin1Char(' ') +
                           QLatin1Char('(') + columns.join(QStringLiteral(", ")) +
                           QLatin1Char(')') + QStringLiteral(" values ") + QLatin1Char('(') +
                           values.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    return result;
}

RecordTable RecordTableOf(const Configuration& config, TableSet set)
{
    if (set == TableSet::Products)
        return {set, FirstMappingColumn(config.ODBCPRID)};
    return {TableSet::Addresses, FirstMappingColumn(config.ODBCID)};
}

RecordEditor::RecordEditor(Database& database, RecordTable table)
    : m_database(database), m_table(std::move(table))
{
}

QString RecordEditor::ColumnName(const QString& name) const
{
    return m_database.Of(m_table.set).topDialect ? QLatin1Char('[') + name + QLatin1Char(']')
                                                 : name;
}

RecordFields RecordEditor::Read(long long id)
{
    RecordFields fields;
    const ColumnList columns = m_database.ColumnsOf(m_table.set, Table());
    if (!columns.ok)
        return fields;
    fields.names = columns.names;
    fields.types = columns.types;
    const std::optional<QStringList> values = ReadRecordById(id);
    for (int i = 0; i < fields.names.size(); ++i)
        fields.values << (values ? values->value(i) : QString());
    fields.ok = true;
    return fields;
}

std::optional<QStringList> RecordEditor::ReadRecordById(long long id)
{
    Connection connection = m_database.Open(m_table.set);
    if (!connection.IsOpen())
        return std::nullopt;
    ResultSet rows = m_database.Query(connection, QStringLiteral("SELECT * FROM ") + Table() +
                                                      QStringLiteral(" where ") + m_table.idColumn +
                                                      QLatin1Char('=') + QString::number(id));
    if (rows.AtEnd())
        return std::nullopt;
    QStringList values;
    for (int i = 0; i < rows.FieldCount(); ++i)
        values << rows.FieldText(i);
    return values;
}

long long RecordEditor::HighestId(Connection& connection)
{
    const RowLimit limit = m_database.Limit(m_table.set, 1);
    ResultSet rows = m_database.Query(
        connection, QStringLiteral("SELECT ") + limit.top + m_table.idColumn +
                        QStringLiteral(" FROM ") + Table() + QStringLiteral(" ORDER BY ") +
                        m_table.idColumn + QStringLiteral(" DESC") + limit.tail);
    return rows.AtEnd() ? 0 : rows.FieldText(0).trimmed().toLongLong();
}

long long RecordEditor::WriteRecord(bool update, const QStringList& names, const QStringList& types,
                                    const QStringList& values)
{
    Connection connection = m_database.Open(m_table.set);
    if (!connection.IsOpen())
        return 0;

    // Whether the database takes changes: an update of no row is refused by a read-only
    // database or a user without the right to change the table.
    const QString idColumn = ColumnName(m_table.idColumn);
    const QString probe = QStringLiteral("UPDATE ") + Table() + QStringLiteral(" SET ") + idColumn +
                          QLatin1Char('=') + idColumn + QStringLiteral(" WHERE 1=0");
    if (!m_database.Execute(connection, probe, OnError::Quiet)) {
        Log(0, connection.ErrorText() + QStringLiteral("SQL-Anweisung:") + probe);
        m_database.Close(connection);
        ReportOutcome(QStringLiteral("Das Bearbeiten dieser Datenbank ist nicht möglich!"));
        return 0;
    }

    RecordStatementInput input;
    input.table = Table();
    input.idColumn = m_table.idColumn;
    input.brackets = m_database.Of(m_table.set).topDialect;
    input.update = update;
    input.names = names;
    input.types = types;
    input.values = values;
    input.autoColumns = AutoColumns();
    if (!update && !input.autoColumns.contains(m_table.idColumn, Qt::CaseInsensitive))
        input.highestId = HighestId(connection);

    const RecordStatement statement = BuildRecordStatement(input);
    if (statement.statement.isEmpty()) {
        ReportOutcome(statement.failure);
        return 0;
    }
    if (!m_database.Execute(connection, statement.statement))
        return 0;
    return update ? statement.idValue : HighestId(connection);
}

long long RecordEditor::InsertNewRecord(const QStringList& names, const QStringList& values,
                                        TableOutcome& outcome)
{
    const ColumnList table = m_database.ColumnsOf(m_table.set, Table());
    if (!table.ok) {
        outcome = TableOutcome::Failed(QString());
        return 0;
    }
    const ColumnTypes types = TypesOfColumns(table, names);
    if (!types.outcome.ok) {
        outcome = types.outcome;
        return 0;
    }
    const long long id = WriteRecord(false, names, types.types, values);
    if (id == 0)
        outcome = TableOutcome::Failed(QString());
    return id;
}

bool RecordEditor::DeleteRecordById(long long id)
{
    Connection connection = m_database.Open(m_table.set);
    if (!connection.IsOpen())
        return false;
    long long deleted = 0;
    return m_database.Execute(connection,
                              QStringLiteral("DELETE FROM ") + Table() + QStringLiteral(" where ") +
                                  m_table.idColumn + QLatin1Char('=') + QString::number(id),
                              OnError::Report, &deleted) &&
           deleted > 0;
}

} // namespace fakvo
