#include "storage/columnmapping.h"

#include "platform/prompt.h"
#include "support/log.h"

namespace fakvo {

TableOutcome ReportOutcome(const QString& message, bool endProgram)
{
    Log(0, message);
    FrageJaNein(message);
    return endProgram ? TableOutcome::EndProgram(message) : TableOutcome::Failed(message);
}

QString InvalidFieldMessage(const QString& column)
{
    return QStringLiteral("Ungültiges Feld '%1' aus Konfiguration!").arg(column);
}

QString UndefinedFieldMessage(const QString& column)
{
    return QStringLiteral(
               "Definiertes Feld aus Konfigurationsdatei '%1' wurde in Datenbank nicht gefunden!")
        .arg(column);
}

QStringList MappingColumns(const QString& mapping)
{
    QStringList columns;
    for (const QString& piece : mapping.split(QLatin1Char(','))) {
        const QString name = piece.trimmed();
        if (!name.isEmpty())
            columns << name;
    }
    return columns;
}

QString FirstMappingColumn(const QString& mapping)
{
    return MappingColumns(mapping).value(0);
}

QString JoinColumnValues(const QStringList& values)
{
    QString joined;
    if (values.size() == 1) {
        joined = values.first().trimmed();
    } else {
        QStringList trimmed;
        for (const QString& value : values)
            trimmed << value.trimmed();
        joined = trimmed.join(QLatin1Char(' '));
    }
    if (!joined.contains(QLatin1String("  ")))
        return joined.trimmed();
    for (int pass = 0; pass < 3; ++pass)
        joined.replace(QLatin1String("  "), QLatin1String(" "));
    return joined.trimmed();
}

QStringList ResolvedMappings::ReadRow(const ResultSet& row) const
{
    QStringList texts(row.FieldCount());
    for (const int field : usedFields)
        texts[field] = row.FieldText(field);
    return texts;
}

QString ResolvedMappings::Value(const QStringList& rowTexts, int index) const
{
    const QList<int>& columns = fields[index];
    if (columns.isEmpty())
        return QString();
    if (columns.size() == 1)
        return JoinColumnValues({rowTexts.value(columns.first())});
    QStringList values;
    for (const int field : columns)
        values << rowTexts.value(field);
    return JoinColumnValues(values);
}

namespace {

int FirstStartingWith(const QStringList& names, const QString& prefix)
{
    for (int i = 0; i < names.size(); ++i)
        if (names[i].startsWith(prefix, Qt::CaseInsensitive))
            return i;
    return -1;
}

} // namespace

ResolvedMappings ResolveMappings(const QStringList& configuredColumns, const QStringList& mappings,
                                 const QStringList& resultColumns)
{
    ResolvedMappings resolved;
    QList<int> entryFields;
    for (const QString& entry : configuredColumns) {
        const int field = FirstStartingWith(resultColumns, entry);
        if (field < 0) {
            resolved.outcome = ReportOutcome(InvalidFieldMessage(entry), true);
            return resolved;
        }
        entryFields << field;
    }
    for (const QString& mapping : mappings) {
        QList<int> fields;
        for (const QString& column : MappingColumns(mapping)) {
            const int entry = FirstStartingWith(configuredColumns, column);
            if (entry < 0) {
                resolved.fields.clear();
                resolved.outcome = ReportOutcome(UndefinedFieldMessage(column), true);
                return resolved;
            }
            fields << entryFields[entry];
            if (!resolved.usedFields.contains(entryFields[entry]))
                resolved.usedFields << entryFields[entry];
        }
        resolved.fields << fields;
    }
    return resolved;
}

QStringList ResultColumnNames(const ResultSet& rows)
{
    QStringList names;
    for (int i = 0; i < rows.FieldCount(); ++i)
        names << rows.FieldInfo(i).name;
    return names;
}

ColumnTypes TypesOfColumns(const ColumnList& table, const QStringList& columns)
{
    ColumnTypes result;
    for (const QString& column : columns) {
        const int index = table.IndexStartingWith(column);
        if (index < 0) {
            result.types.clear();
            result.outcome = ReportOutcome(UndefinedFieldMessage(column), true);
            return result;
        }
        result.types << table.types[index];
    }
    return result;
}

} // namespace fakvo
