#include "journalfile.h"

#include "platform/odbc.h"
#include "support/log.h"

#include <QFile>
#include <QFileInfo>

namespace fakvo {

QString JournalSchemaFile(const QString& startData, SqlDialect dialect)
{
    QString folder = startData;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + (dialect == SqlDialect::PostgreSql
                         ? QStringLiteral("Schema/journal-postgresql.sql")
                         : QStringLiteral("Schema/journal-sqlite.sql"));
}

QStringList SchemaStatements(const QString& schemaText)
{
    QStringList lines;
    for (const QString& line : schemaText.split(QLatin1Char('\n'))) {
        const qsizetype comment = line.indexOf(QLatin1String("--"));
        lines << (comment < 0 ? line : line.left(comment));
    }
    QStringList statements;
    for (const QString& piece : lines.join(QLatin1Char('\n')).split(QLatin1Char(';'))) {
        const QString statement = piece.trimmed();
        if (!statement.isEmpty())
            statements << statement;
    }
    return statements;
}

SchemaResult ApplySchema(const QString& connectionString, const QString& schemaFile)
{
    QFile file(schemaFile);
    if (!file.open(QIODevice::ReadOnly))
        return {false,
                QStringLiteral("Fehler:Datei '%1' kann nicht geöffnet werden!").arg(schemaFile)};
    const QStringList statements = SchemaStatements(QString::fromUtf8(file.readAll()));

    odbc::Connection connection;
    if (!connection.Open(connectionString))
        return {false, connection.LastError().text};
    connection.SetAutoCommit(false);
    for (const QString& statement : statements) {
        if (!connection.Execute(statement)) {
            const QString failure =
                connection.LastError().text + QStringLiteral("SQL-Anweisung:") + statement;
            connection.EndTransaction(false);
            return {false, failure};
        }
    }
    if (!connection.EndTransaction(true))
        return {false, connection.LastError().text};
    return {true, QString()};
}

SchemaResult CreateJournalFile(const QString& schemaFile, const QString& databaseFile)
{
    if (QFileInfo::exists(databaseFile))
        return {true, QString()};
    const QString message =
        QStringLiteral("Fehler:Die Datei '%1' kann nicht ertellt werden!").arg(databaseFile);
    const QString partial = databaseFile + QStringLiteral(".neu");
    QFile::remove(partial);
    const SchemaResult applied =
        ApplySchema(QStringLiteral("DRIVER=SQLite3;Database=") + partial, schemaFile);
    if (!applied.ok) {
        QFile::remove(partial);
        Log(0, applied.failure);
        return {false, message};
    }
    // Another workstation may have made the file meanwhile; then its file stays.
    if (!QFile::rename(partial, databaseFile)) {
        QFile::remove(partial);
        if (QFileInfo::exists(databaseFile))
            return {true, QString()};
        return {false, message};
    }
    return {true, QString()};
}

} // namespace fakvo
