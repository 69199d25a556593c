// The embedded journal file made from the shipped schema.

#include "storage/journalfile.h"

#include "journaltestsupport.h"
#include "platform/odbc.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace fakvo;
using namespace fakvo::test;

namespace {

const QString kSchema = JournalSchemaFile(QStringLiteral(FAKVO_STARTDAT), SqlDialect::Sqlite);

TEST(JournalFile, SchemaStatementsSplitAndComments)
{
    EXPECT_EQ(
        SchemaStatements(QStringLiteral("-- Kopf; mit Strichpunkt\nCREATE TABLE a (x INTEGER); "
                                        "\n\nCREATE INDEX i ON a (x); -- Ende\n;")),
        (QStringList{QStringLiteral("CREATE TABLE a (x INTEGER)"),
                     QStringLiteral("CREATE INDEX i ON a (x)")}));
    const QString postgres = JournalSchemaFile(QStringLiteral(FAKVO_STARTDAT) + QLatin1Char('/'),
                                               SqlDialect::PostgreSql);
    EXPECT_TRUE(postgres.endsWith(QStringLiteral("startdat/Schema/journal-postgresql.sql")));
    EXPECT_TRUE(QFile::exists(postgres));
}

TEST(JournalFile, CreatedOnceWithTablesIndexesAndAssignedIds)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Fakvo.db"));
    ASSERT_TRUE(CreateJournalFile(kSchema, file).ok);
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".neu")));

    odbc::Connection connection;
    ASSERT_TRUE(connection.Open(QStringLiteral("DRIVER=SQLite3;Database=") + file));
    ASSERT_TRUE(
        connection.Execute(QStringLiteral("INSERT INTO protadr (DOCTYPE, DOCNR) values (0, 5)")));
    ASSERT_TRUE(
        connection.Execute(QStringLiteral("INSERT INTO protadr (DOCTYPE, DOCNR) values (0, 6)")));
    EXPECT_FALSE(
        connection.Execute(QStringLiteral("INSERT INTO protadr (DOCTYPE, DOCNR) values (6, 5)")));
    ASSERT_TRUE(connection.Execute(QStringLiteral("INSERT INTO protpr (ADRID) values (2)")));
    odbc::ResultSet ids =
        connection.Query(QStringLiteral("SELECT ID, DOCNR FROM protadr ORDER BY ID"));
    ASSERT_FALSE(ids.AtEnd());
    EXPECT_EQ(ids.Text(0), QStringLiteral("1"));
    ids.MoveNext();
    EXPECT_EQ(ids.Text(0), QStringLiteral("2"));
    ids.Close();
    odbc::ResultSet indexes = connection.Query(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type='index' ORDER BY name"));
    QStringList names;
    for (; !indexes.AtEnd(); indexes.MoveNext())
        names << indexes.Text(0);
    EXPECT_EQ(names,
              (QStringList{QStringLiteral("protadr_docnr"), QStringLiteral("protpr_adrid")}));
    indexes.Close();
    connection.Close();

    // An existing journal is left as it is.
    ASSERT_TRUE(CreateJournalFile(kSchema, file).ok);
    ASSERT_TRUE(connection.Open(QStringLiteral("DRIVER=SQLite3;Database=") + file));
    EXPECT_EQ(connection.Query(QStringLiteral("SELECT COUNT(*) FROM protadr")).Text(0),
              QStringLiteral("2"));
}

TEST(JournalFile, FailureLeavesNoFileBehind)
{
    Captured captured;
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Fakvo.db"));

    const SchemaResult missing =
        CreateJournalFile(folder.filePath(QStringLiteral("fehlt.sql")), file);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.failure,
              QStringLiteral("Fehler:Die Datei '%1' kann nicht ertellt werden!").arg(file));

    const QString broken = folder.filePath(QStringLiteral("kaputt.sql"));
    QFile schema(broken);
    ASSERT_TRUE(schema.open(QIODevice::WriteOnly));
    schema.write("CREATE TABLE protadr (ID INTEGER);\nCREATE TABLE kaputt (;\n");
    schema.close();
    EXPECT_FALSE(CreateJournalFile(broken, file).ok);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".neu")));
    ASSERT_EQ(captured.LogEntries().size(), 2);
    EXPECT_TRUE(
        captured.LogEntries()[1].endsWith(QStringLiteral("SQL-Anweisung:CREATE TABLE kaputt (")));

    // A folder that cannot take the file.
    EXPECT_FALSE(CreateJournalFile(kSchema, folder.filePath(QStringLiteral("fehlt/Fakvo.db"))).ok);
}

} // namespace
