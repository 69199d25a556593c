#include "schemaupgrade.h"

#include "platform/prompt.h"

namespace fakvo {
namespace {

struct AddedColumn
{
    const char* name;
    int textLength; // 0: INTEGER
    const char* typeText;
};

struct ColumnCheck
{
    const char* trigger;
    int triggerLength;
    std::initializer_list<AddedColumn> columns;
};

const ColumnCheck kPersonalSalutation{"PERSANREDE",
                                      100,
                                      {{"SELDATUM", 0, "004 010"},
                                       {"TELEFON", 25, "012 25"},
                                       {"PERSANREDE", 100, "012 100"},
                                       {"TITEL", 20, "012 20"},
                                       {"VORNAME", 40, "012 40"},
                                       {"ZUNAME", 40, "012 40"}}};
const ColumnCheck kFreeFields{"VAR1",
                              30,
                              {{"KOPIEVER", 0, "004 010"},
                               {"VAR1", 30, "012 30"},
                               {"VAR2", 30, "012 30"},
                               {"VAR3", 30, "012 30"},
                               {"VAR4", 30, "012 30"},
                               {"VAR5", 30, "012 30"}}};
const ColumnCheck kUnit{"MEINHEIT", 20, {{"MEINHEIT", 20, "012 020"}}};
const int kTierLength = 40;

QString ExtensionMessage(const QString& dataSource, const QString& table, const char* column,
                         int length)
{
    return QStringLiteral("Die Datenbank '%1' und Tabelle '%2' wird um ein Zeichenfeld mit dem "
                          "Namen '%3' und der Zeichenlänge von %4 Zeichen erweitert!")
        .arg(dataSource, table, QLatin1String(column), QString::number(length));
}

QString AddColumnClause(const Connection& connection, const AddedColumn& column)
{
    if (column.textLength == 0)
        return QStringLiteral(" ADD COLUMN ") + QLatin1String(column.name) +
               QStringLiteral(" INTEGER ");
    return QStringLiteral(" ADD COLUMN ") + QLatin1String(column.name) + QLatin1Char(' ') +
           Database::TextColumnType(connection, column.textLength);
}

// Reads the table's columns, then runs the checks whose trigger column is missing.
void UpgradeTable(Database& database, TableSet set, std::initializer_list<ColumnCheck> checks,
                  ColumnList& columns)
{
    const TableSetSettings& settings = database.Of(set);
    ColumnList read = database.ColumnsOf(set, settings.table);
    if (!read.ok)
        return;
    columns = read;
    for (const ColumnCheck& check : checks) {
        if (columns.HasColumnContaining(QLatin1String(check.trigger)))
            continue;
        FrageJaNein(ExtensionMessage(settings.dataSource, settings.table, check.trigger,
                                     check.triggerLength));
        Connection connection = database.Open(set);
        for (const AddedColumn& column : check.columns) {
            if (connection.IsOpen())
                database.Execute(connection, QStringLiteral("ALTER TABLE ") + settings.table +
                                                 AddColumnClause(connection, column));
            columns.Append(QLatin1String(column.name), QLatin1String(column.typeText));
        }
    }
}

} // namespace

void UpgradeHeaderTable(Database& database, ColumnList& columns)
{
    UpgradeTable(database, TableSet::JournalHeaders, {kPersonalSalutation, kFreeFields}, columns);
}

void UpgradeLineTable(Database& database, ColumnList& columns)
{
    UpgradeTable(database, TableSet::JournalLines, {kUnit}, columns);
}

bool UpgradeProductTable(Database& database, const ConfigValueWriter& writeConfigValue)
{
    const TableSetSettings& products = database.Of(TableSet::Products);
    if (products.dataSource.isEmpty() || products.table.isEmpty())
        return false;
    Connection connection = database.Open(TableSet::Products);
    if (!connection.IsOpen())
        return false;
    const RowLimit limit = database.Limit(TableSet::Products, 1);
    ResultSet rows =
        database.Query(connection, QStringLiteral("SELECT ") + limit.top +
                                       QStringLiteral("* FROM ") + products.table + limit.tail);
    if (rows.FieldCount() == 0)
        return false;
    ColumnList columns;
    for (int i = 0; i < rows.FieldCount(); ++i)
        columns.Append(rows.FieldInfo(i).name, QString());
    rows.Close();
    if (database.Settings().sqlLog)
        database.Settings().sqlLog(QString(), 2 + columns.names.size(), false);
    if (columns.HasColumnContaining(QStringLiteral("STAFFEL")))
        return false;

    const AddedColumn tiers{"STAFFEL", kTierLength, ""};
    const TableSetSettings& lines = database.Of(TableSet::JournalLines);
    FrageJaNein(ExtensionMessage(products.dataSource, products.table, tiers.name, kTierLength));
    database.Execute(connection, QStringLiteral("ALTER TABLE ") + products.table +
                                     AddColumnClause(connection, tiers));
    FrageJaNein(ExtensionMessage(lines.dataSource, lines.table, tiers.name, kTierLength));
    database.Execute(connection, QStringLiteral("ALTER TABLE ") + lines.table +
                                     AddColumnClause(connection, tiers));
    if (writeConfigValue)
        writeConfigValue(QStringLiteral("ODBCPRSTAFFEL"), QStringLiteral("STAFFEL"));
    return true;
}

} // namespace fakvo
