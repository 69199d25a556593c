#pragma once
// The user's own address and product tables have no fixed layout: configuration keys map each
// logical field to one or more columns ("FIRMA,ZUSATZ"). These helpers split a mapping, join
// the values of its columns, and match the configured columns against the columns of a result,
// ending in the outcome that tells the caller to end the application when the table lacks a
// configured column (every later statement on it would fail).

#include "storage/database.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace fakvo {

// What an address or product operation tells its caller besides its data.
struct TableOutcome
{
    bool ok = true;
    // A configured column that the table lacks: the message has been shown and logged, and
    // the caller ends the application in order.
    bool endProgram = false;
    QString message; // the German text shown, when not ok

    static TableOutcome Failed(const QString& message) { return {false, false, message}; }
    static TableOutcome EndProgram(const QString& message) { return {false, true, message}; }
};

// Shows and logs a message; returns the failure (or, with endProgram, the end-program) outcome.
TableOutcome ReportOutcome(const QString& message, bool endProgram = false);

// "Ungültiges Feld '%s' aus Konfiguration!": an entry of the configured column list that no
// result column begins with.
QString InvalidFieldMessage(const QString& column);
// "Definiertes Feld aus Konfigurationsdatei '%s' wurde in Datenbank nicht gefunden!": a
// configured column that the table's column list lacks.
QString UndefinedFieldMessage(const QString& column);

// The column names of a mapping: split at ',', each trimmed, empty names dropped.
QStringList MappingColumns(const QString& mapping);
// The first of them, or the empty text.
QString FirstMappingColumn(const QString& mapping);

// The value of a logical field: the values of its columns, each trimmed, joined by one blank,
// every double blank collapsed (three passes) and the result trimmed.
QString JoinColumnValues(const QStringList& values);

// The mappings of one table matched against the columns of a result.
struct ResolvedMappings
{
    // Per mapping, the result columns its values come from, in the mapping's order.
    QList<QList<int>> fields;
    // The result columns any mapping uses, each once.
    QList<int> usedFields;
    TableOutcome outcome;

    // The texts of the current row's used fields, indexed by result column (others empty):
    // each field is read once, however many mappings name it.
    QStringList ReadRow(const ResultSet& row) const;
    // The joined value of mapping `index` from the texts of ReadRow.
    QString Value(const QStringList& rowTexts, int index) const;
};

// Matches every entry of `configuredColumns` to the first result column whose name begins with
// it ("Ungültiges Feld ..." when none does), then each column of every mapping to the first
// configured entry that begins with the column's name ("Definiertes Feld ..." when none does).
// Names are compared without regard to case, as PostgreSQL reports them in lower case. Shows
// and logs the message of a failure; the outcome then asks to end the program.
ResolvedMappings ResolveMappings(const QStringList& configuredColumns, const QStringList& mappings,
                                 const QStringList& resultColumns);

// The column names of a result.
QStringList ResultColumnNames(const ResultSet& rows);

// Looks each column up in the table's column list (an entry that begins with the name); the
// type texts of the found columns, or the end-program outcome with "Definiertes Feld ..." for
// the first one the table lacks.
struct ColumnTypes
{
    QStringList types;
    TableOutcome outcome;
};
ColumnTypes TypesOfColumns(const ColumnList& table, const QStringList& columns);

} // namespace fakvo
