#pragma once
// The journal's schema and the embedded journal file. The start data carries one schema file
// per database dialect (Schema/journal-sqlite.sql, Schema/journal-postgresql.sql); a new data
// folder's SQLite journal is made from the first, a shared PostgreSQL journal from the second.

#include "storage/database.h"

#include <QString>
#include <QStringList>

namespace fakvo {

// The schema file of a dialect in the start data folder.
QString JournalSchemaFile(const QString& startData, SqlDialect dialect);

// The statements of a schema text: split at ';', "--" comments and blank lines dropped.
QStringList SchemaStatements(const QString& schemaText);

struct SchemaResult
{
    bool ok = false;
    QString failure; // the message for the user, when not ok
};

// Runs every statement of the schema file on the database behind `connectionString`, in one
// transaction.
SchemaResult ApplySchema(const QString& connectionString, const QString& schemaFile);

// Creates the SQLite journal `databaseFile` from the schema file unless the file exists. The
// file is built under a temporary name and renamed when complete, so an interrupted start
// never leaves a half-made journal. On failure the message is
// "Fehler:Die Datei '<file>' kann nicht ertellt werden!" and the database's text is logged.
SchemaResult CreateJournalFile(const QString& schemaFile, const QString& databaseFile);

} // namespace fakvo
