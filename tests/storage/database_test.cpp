// The database layer: connection strings, row limits, values in statements, the error path,
// column information and the catalog lists.

#include "storage/database.h"
#include "storage/journal.h"
#include "storage/journalfile.h"

#include "journaltestsupport.h"

#include <QFile>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace fakvo;
using namespace fakvo::test;

namespace {

TEST(ConnectionString, FromDataSourceLoginAndMode)
{
    DatabaseSettings settings;
    settings.dataFolder = QStringLiteral("/daten/");
    settings.addresses = {QStringLiteral("Kunden"),
                          QStringLiteral("u"),
                          QString(),
                          QStringLiteral("ADRESSEN"),
                          false,
                          {}};
    settings.products = {QStringLiteral("!C:\\Daten\\client.mdb"),
                         QStringLiteral("u"),
                         QString(),
                         QString(),
                         false,
                         {}};
    settings.journalHeaders = {QStringLiteral("!Fakvo.db"), QString(), QString(),
                               QStringLiteral("protadr"),   false,     {}};
    settings.journalLines = {QStringLiteral("!/srv/journal.sqlite"),
                             QStringLiteral("anna"),
                             QStringLiteral("geh;eim}"),
                             QStringLiteral("protpr"),
                             false,
                             {}};
    const Database database(settings);

    EXPECT_EQ(database.BuildConnectionString(TableSet::Addresses),
              QStringLiteral("DSN=Kunden;UID=u"));
    EXPECT_EQ(database.BuildConnectionString(TableSet::Products),
              QStringLiteral("DRIVER=Microsoft Access Driver (*.mdb);DBQ=C:\\Daten\\client.mdb;"
                             "FIL=MS Access for Microsoft Access;UID=u"));
    // Any other file is the embedded SQLite journal; a relative path lies in the data folder.
    EXPECT_EQ(database.BuildConnectionString(TableSet::JournalHeaders),
              QStringLiteral("DRIVER=SQLite3;Database=/daten/Fakvo.db"));
    // A value with ';' or a brace cannot add attributes of its own.
    EXPECT_EQ(
        database.BuildConnectionString(TableSet::JournalLines),
        QStringLiteral("DRIVER=SQLite3;Database=/srv/journal.sqlite;UID=anna;PWD={geh;eim}}}"));
    // Values under test in the settings pages replace the configured ones.
    EXPECT_EQ(database.BuildConnectionString(TableSet::Addresses, QStringLiteral("Test"), QString(),
                                             QStringLiteral("pw")),
              QStringLiteral("DSN=Test;PWD=pw"));
    EXPECT_FALSE(database.SameDataSource(TableSet::JournalHeaders, TableSet::JournalLines));

    // Server mode: both journal sets use the client's journal, the others keep theirs.
    settings.serverMode = true;
    settings.clientFolder = QStringLiteral("/daten/Server/Kunden/00000017/");
    const Database server(settings);
    const QString client =
        QStringLiteral("DRIVER=SQLite3;Database=/daten/Server/Kunden/00000017/client.db");
    EXPECT_EQ(server.BuildConnectionString(TableSet::JournalHeaders), client);
    EXPECT_EQ(server.BuildConnectionString(TableSet::JournalLines), client);
    EXPECT_TRUE(server.SameDataSource(TableSet::JournalHeaders, TableSet::JournalLines));
    EXPECT_EQ(server.BuildConnectionString(TableSet::Addresses),
              QStringLiteral("DSN=Kunden;UID=u"));
}

TEST(StatementPieces, LimitsQuotesAndNumbers)
{
    DatabaseSettings settings;
    settings.addresses.topDialect = false;
    settings.products.topDialect = true;
    const Database database(settings);
    const RowLimit limit = database.Limit(TableSet::Addresses, 1);
    const RowLimit top = database.Limit(TableSet::Products, 1);
    EXPECT_EQ(QStringLiteral("SELECT ") + limit.top + QStringLiteral("* FROM ADRESSEN") +
                  limit.tail,
              QStringLiteral("SELECT * FROM ADRESSEN LIMIT 1"));
    EXPECT_EQ(QStringLiteral("SELECT ") + top.top + QStringLiteral("* FROM ADRESSEN") + top.tail,
              QStringLiteral("SELECT TOP 1 * FROM ADRESSEN"));

    EXPECT_EQ(Quote(QStringLiteral("D'Angelo")), QStringLiteral("'D''Angelo'"));
    EXPECT_EQ(Quote(QString()), QStringLiteral("''"));
    EXPECT_EQ(Quote(QStringLiteral("''")), QStringLiteral("''''''"));
    EXPECT_EQ(ColumnTypeText(12, 30), QStringLiteral("012 030"));
    EXPECT_EQ(ColumnTypeText(4, 10), QStringLiteral("004 010"));
    for (int type : {2, 3, 4, 5, 6, 7, 8, -5, -6, -7})
        EXPECT_TRUE(odbc::IsNumericSqlType(type)) << type;
    for (int type : {1, 9, 11, 12, -1, -4, -8, -9})
        EXPECT_FALSE(odbc::IsNumericSqlType(type)) << type;

    for (const char* number : {"0", "-12", "3.50", "202400001"})
        EXPECT_TRUE(IsSqlNumber(QLatin1String(number))) << number;
    for (const char* text : {"", "-", "1.", ".5", "1e5", "1,5", "1 OR 1=1", "0x10", " 1"})
        EXPECT_FALSE(IsSqlNumber(QLatin1String(text))) << text;
    for (const char* literal : {"''", "'a'", "'O''Brien'", "''''"})
        EXPECT_TRUE(IsQuotedLiteral(QLatin1String(literal))) << literal;
    for (const char* text : {"'", "a", "'a", "'a'b'", "'a' OR 'b'", "'it's'"})
        EXPECT_FALSE(IsQuotedLiteral(QLatin1String(text))) << text;
    for (const char* table : {"protadr", "dbo.protadr", "[Kunden 2024]", "dbo.\"Alte Daten\""})
        EXPECT_TRUE(IsSqlTableName(QLatin1String(table))) << table;
    for (const char* table : {"", "protadr; DROP TABLE protpr", "protadr p", "[a]]", "[a'b]", "a.",
                              ".a", "[]", "[a]b", "protadr--"})
        EXPECT_FALSE(IsSqlTableName(QLatin1String(table))) << table;
    EXPECT_TRUE(IsSqlName(QStringLiteral("ADR_TIMESTAMP")));
    EXPECT_FALSE(IsSqlName(QStringLiteral("1ID")));
    EXPECT_FALSE(IsSqlName(QStringLiteral("ID=1")));
}

class DatabaseTest : public ::testing::TestWithParam<Backend>
{
protected:
    void SetUp() override { ASSERT_TRUE(db.Ok()) << db.Failure().toStdString(); }

    Captured captured;
    TestJournalDatabase db{GetParam()};
};

INSTANTIATE_TEST_SUITE_P(Backends, DatabaseTest,
                         ::testing::Values(Backend::Sqlite, Backend::PostgreSql),
                         [](const auto& info) { return BackendName(info.param); });

TEST_P(DatabaseTest, ColumnsCatalogAndTypedFields)
{
    QList<std::tuple<QString, int, bool>> sqlLog;
    DatabaseSettings settings = db.Settings([&](const QString& statement, int mode, bool empty) {
        sqlLog.append({statement, mode, empty});
    });
    Database database(settings);

    const ColumnList columns = database.ColumnsOf(TableSet::JournalLines, QStringLiteral("protpr"));
    ASSERT_TRUE(columns.ok);
    ASSERT_EQ(columns.names.size(), 10);
    EXPECT_EQ(columns.names[1].toUpper(), QStringLiteral("ADRID"));
    EXPECT_EQ(columns.types[1], QStringLiteral("004 010"));
    EXPECT_EQ(columns.types[8], QStringLiteral("012 020")); // MEINHEIT
    EXPECT_EQ(columns.IndexStartingWith(QStringLiteral("STAFF")), 9);
    EXPECT_TRUE(columns.HasColumnContaining(QStringLiteral("TIMESTAMP")));
    EXPECT_EQ(columns.IndexStartingWith(QStringLiteral("RABATT")), -1);
    // Statement logged before execution with the empty line, then the result marker: empty.
    ASSERT_EQ(sqlLog.size(), 2);
    EXPECT_EQ(sqlLog[0], std::make_tuple(QStringLiteral("SELECT * FROM protpr LIMIT 1"), 0, true));
    EXPECT_EQ(std::get<1>(sqlLog[1]), 2);

    const TableList tables = database.ListTables(TableSet::JournalHeaders);
    ASSERT_TRUE(tables.ok) << tables.failure.toStdString();
    QStringList names;
    for (const QString& name : tables.names)
        names << name.toLower();
    names.sort();
    // The journal's two tables and the sample address and product tables.
    EXPECT_EQ(names, (QStringList{QStringLiteral("artikel"), QStringLiteral("kunden"),
                                  QStringLiteral("protadr"), QStringLiteral("protpr")}));

    // A result row read in any order, typed by the column's SQL type; UTF-8 unchanged.
    ASSERT_TRUE(db.Exec(QStringLiteral("INSERT INTO protadr (DOCTYPE, DOCNR, NAME1, RABATT) values "
                                       "(6, 82400001, 'Grüße € ß', 2.5)")));
    Connection connection = database.Open(TableSet::JournalHeaders);
    ASSERT_TRUE(connection.IsOpen());
    ResultSet rows = database.Query(
        connection, QStringLiteral("SELECT NAME1, DOCNR, RABATT, NAME2 FROM protadr"));
    EXPECT_EQ(std::get<1>(sqlLog.last()), 3); // a first row exists
    ASSERT_FALSE(rows.AtEnd());
    ASSERT_EQ(rows.FieldCount(), 4);
    EXPECT_EQ(rows.FieldValue(1), QVariant(82400001LL));
    EXPECT_EQ(rows.FieldValue(2).toDouble(), 2.5);
    EXPECT_EQ(rows.FieldValue(0), QVariant(QStringLiteral("Grüße € ß")));
    EXPECT_EQ(rows.FieldText(0), QStringLiteral("Grüße € ß"));
    EXPECT_FALSE(rows.FieldValue(3).isValid()); // NULL
    EXPECT_EQ(rows.FieldInfo(1).sqlType, 4);
    EXPECT_FALSE(rows.MoveNext());
    EXPECT_TRUE(rows.AtEnd());
    EXPECT_TRUE(captured.Messages().isEmpty());
}

TEST_P(DatabaseTest, FailingStatementIsShownLoggedAndGoesOnEmpty)
{
    QList<std::pair<QString, int>> sqlLog;
    Database database(db.Settings([&](const QString& statement, int mode, bool) {
        sqlLog.append({statement, mode});
    }));
    Connection connection = database.Open(TableSet::JournalHeaders);
    ASSERT_TRUE(connection.IsOpen());

    const QString statement = QStringLiteral("UPDATE protadr SET NICHTDA=1 WHERE ID=1");
    EXPECT_FALSE(database.Execute(connection, statement));
    ASSERT_EQ(captured.Messages().size(), 1);
    const QString message = captured.Messages().first();
    EXPECT_TRUE(message.endsWith(QStringLiteral("\nSQL-Anweisung:") + statement))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("nichtda"), Qt::CaseInsensitive));
    EXPECT_EQ(captured.LogEntries(), captured.Messages());
    EXPECT_EQ(sqlLog, (QList<std::pair<QString, int>>{{statement, 0}, {statement, 1}}));

    // A failing query yields an empty result; the connection stays usable.
    ResultSet rows = database.Query(connection, QStringLiteral("SELECT NICHTDA FROM protadr"));
    EXPECT_TRUE(rows.AtEnd());
    EXPECT_EQ(rows.FieldCount(), 0);
    EXPECT_EQ(captured.Messages().size(), 2);
    EXPECT_TRUE(database.Execute(connection, QStringLiteral("DELETE from protadr where ID=1")));

    // Quiet: only the SQL log hears of it.
    EXPECT_FALSE(database.Execute(connection, statement, OnError::Quiet));
    EXPECT_EQ(captured.Messages().size(), 2);
    EXPECT_EQ(sqlLog.last(), std::make_pair(statement, 1));
}

TEST(DatabaseFailures, UnreachableDataSourceAndDataSourceList)
{
    Captured captured;
    QTemporaryDir folder;
    DatabaseSettings settings;
    settings.dataFolder = folder.path() + QLatin1Char('/');
    settings.addresses = {QStringLiteral("GibtEsNicht"), QString(), QString(),
                          QStringLiteral("ADRESSEN"),    false,     {}};
    Database database(settings);

    Connection connection = database.Open(TableSet::Addresses);
    EXPECT_FALSE(connection.IsOpen());
    ASSERT_EQ(captured.Messages().size(), 1);
    EXPECT_FALSE(captured.Messages().first().isEmpty());
    EXPECT_EQ(captured.LogEntries(), captured.Messages());
    EXPECT_FALSE(database.ColumnsOf(TableSet::Addresses, QStringLiteral("ADRESSEN")).ok);

    const TableList tables = database.ListTables(TableSet::Addresses);
    EXPECT_FALSE(tables.ok);
    EXPECT_FALSE(tables.failure.isEmpty());

    // A DSN written by the administrator shows up in the list.
    const QString ini = folder.path() + QStringLiteral("/odbc.ini");
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[FakvoListe]\nDriver=SQLite3\nDatabase=/tmp/x.db\n");
    file.close();
    const QByteArray previous = qgetenv("ODBCINI");
    qputenv("ODBCINI", QFile::encodeName(ini));
    const odbc::DataSourceList list = Database::ListDataSources();
    if (previous.isEmpty())
        qunsetenv("ODBCINI");
    else
        qputenv("ODBCINI", previous);
    EXPECT_TRUE(list.complete);
    EXPECT_EQ(list.status, QStringLiteral("No more DSNs to enumerate"));
    EXPECT_TRUE(list.names.contains(QStringLiteral("FakvoListe")));
}

// Several workstations share one SQLite file: a store waits for another's write instead of
// failing at once.
TEST(SqliteSharing, StoreWaitsForAnotherWorkstationsWrite)
{
    Captured captured;
    TestJournalDatabase db(Backend::Sqlite);
    ASSERT_TRUE(db.Ok());
    Database database(db.Settings());
    {
        Connection connection = database.Open(TableSet::JournalHeaders);
        ResultSet timeout = database.Query(connection, QStringLiteral("PRAGMA busy_timeout"));
        EXPECT_EQ(timeout.FieldText(0).toInt(), kSqliteBusyTimeoutMs);
    }

    // Another workstation holds the write lock for a moment.
    odbc::Connection other;
    ASSERT_TRUE(other.Open(QStringLiteral("DRIVER=SQLite3;Database=") + db.Folder() +
                           QLatin1String(kJournalFileName)));
    ASSERT_TRUE(other.SetAutoCommit(false));
    ASSERT_TRUE(other.Execute(QStringLiteral(
        "INSERT INTO protadr (DOCTYPE, DOCNR, NAME1) values (0, 202400001, 'andere')")));
    std::thread release([&other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        other.EndTransaction(true);
    });
    Journal journal(database, JournalSettings{1, 1, 3});
    JournalEntry entry;
    entry.name1 = QStringLiteral("wartet");
    const StoreResult stored = journal.StoreDocument(entry, {});
    release.join();
    EXPECT_GT(stored.rowId, 0);
    EXPECT_EQ(stored.number, 202400002);
    EXPECT_TRUE(captured.Messages().isEmpty()) << captured.Messages().join(u'|').toStdString();
}

} // namespace
