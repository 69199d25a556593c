// Upgrades of journal and product tables made for earlier versions, on SQLite and PostgreSQL.

#include "storage/journal.h"
#include "storage/schemaupgrade.h"

#include "journaltestsupport.h"

#include <gtest/gtest.h>

using namespace fakvo;
using namespace fakvo::test;

namespace {

QString Extension(const QString& dataSource, const char* table, const char* column, int length)
{
    return QStringLiteral("Die Datenbank '%1' und Tabelle '%2' wird um ein Zeichenfeld mit dem "
                          "Namen '%3' und der Zeichenlänge von %4 Zeichen erweitert!")
        .arg(dataSource, QLatin1String(table), QLatin1String(column), QString::number(length));
}

class SchemaUpgradeTest : public ::testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(db.Ok()) << db.Failure().toStdString();
        settings = db.Settings(captured.SqlLog());
    }

    // Replaces a journal table by an old one with the given columns.
    void OldTable(const char* table, const QString& columns)
    {
        ASSERT_TRUE(db.Exec(QStringLiteral("DROP TABLE ") + QLatin1String(table)));
        ASSERT_TRUE(db.Exec(QStringLiteral("CREATE TABLE ") + QLatin1String(table) +
                            QStringLiteral(" (") + columns + QLatin1Char(')')));
    }

    QStringList Alters() const
    {
        QStringList alters;
        for (const QString& statement : captured.Statements())
            if (statement.startsWith(QStringLiteral("ALTER TABLE")))
                alters << statement;
        return alters;
    }

    QString Text(int length) const
    {
        return (GetParam() == Backend::PostgreSql ? QStringLiteral("VARCHAR(%1)")
                                                  : QStringLiteral("TEXT(%1)"))
            .arg(length);
    }

    Captured captured;
    TestJournalDatabase db{GetParam()};
    DatabaseSettings settings;
};

INSTANTIATE_TEST_SUITE_P(Backends, SchemaUpgradeTest,
                         ::testing::Values(Backend::Sqlite, Backend::PostgreSql),
                         [](const auto& info) { return BackendName(info.param); });

TEST_P(SchemaUpgradeTest, OldHeaderTableGetsBothColumnGroups)
{
    OldTable("protadr",
             QStringLiteral("ID INTEGER, DOCTYPE INTEGER, DOCNR INTEGER, NAME1 VARCHAR(50)"));
    Database database(settings);
    ColumnList columns;
    UpgradeHeaderTable(database, columns);

    const QString ds = db.DataSource();
    EXPECT_EQ(captured.Messages(), (QStringList{Extension(ds, "protadr", "PERSANREDE", 100),
                                                Extension(ds, "protadr", "VAR1", 30)}));
    EXPECT_EQ(Alters(),
              (QStringList{QStringLiteral("ALTER TABLE protadr ADD COLUMN SELDATUM INTEGER "),
                           QStringLiteral("ALTER TABLE protadr ADD COLUMN TELEFON ") + Text(25),
                           QStringLiteral("ALTER TABLE protadr ADD COLUMN PERSANREDE ") + Text(100),
                           QStringLiteral("ALTER TABLE protadr ADD COLUMN TITEL ") + Text(20),
                           QStringLiteral("ALTER TABLE protadr ADD COLUMN VORNAME ") + Text(40),
                           QStringLiteral("ALTER TABLE protadr ADD COLUMN ZUNAME ") + Text(40),
                           QStringLiteral("ALTER TABLE protadr ADD COLUMN KOPIEVER INTEGER "),
                           QStringLiteral("ALTER TABLE protadr ADD COLUMN VAR1 ") + Text(30),
                           QStringLiteral("ALTER TABLE protadr ADD COLUMN VAR2 ") + Text(30),
                           QStringLiteral("ALTER TABLE protadr ADD COLUMN VAR3 ") + Text(30),
                           QStringLiteral("ALTER TABLE protadr ADD COLUMN VAR4 ") + Text(30),
                           QStringLiteral("ALTER TABLE protadr ADD COLUMN VAR5 ") + Text(30)}));
    EXPECT_TRUE(captured.FailedStatements().isEmpty());
    EXPECT_EQ(columns.names.size(), 4 + 12);
    EXPECT_EQ(columns.names.last(), QStringLiteral("VAR5"));
    EXPECT_EQ(columns.types.mid(4),
              (QStringList{
                  QStringLiteral("004 010"), QStringLiteral("012 25"), QStringLiteral("012 100"),
                  QStringLiteral("012 20"), QStringLiteral("012 40"), QStringLiteral("012 40"),
                  QStringLiteral("004 010"), QStringLiteral("012 30"), QStringLiteral("012 30"),
                  QStringLiteral("012 30"), QStringLiteral("012 30"), QStringLiteral("012 30")}));

    // The columns exist now: the table takes a value in each.
    EXPECT_TRUE(db.Exec(QStringLiteral("UPDATE protadr SET PERSANREDE='x', VAR5='y', SELDATUM=1")));

    // A second reader finds nothing to do.
    captured.Clear();
    ColumnList again;
    UpgradeHeaderTable(database, again);
    EXPECT_TRUE(captured.Messages().isEmpty());
    EXPECT_TRUE(Alters().isEmpty());
}

TEST_P(SchemaUpgradeTest, OnlyMissingGroupsAreAddedAndNamesMatchAsSubstrings)
{
    // PERSANREDE is present inside a longer name; VAR1 is missing.
    OldTable("protadr", QStringLiteral("ID INTEGER, DOCNR INTEGER, XPERSANREDE2 VARCHAR(100)"));
    Database database(settings);
    ColumnList columns;
    UpgradeHeaderTable(database, columns);
    EXPECT_EQ(captured.Messages(), QStringList{Extension(db.DataSource(), "protadr", "VAR1", 30)});
    EXPECT_EQ(Alters().size(), 6);
    EXPECT_TRUE(Alters().first().endsWith(QStringLiteral("ADD COLUMN KOPIEVER INTEGER ")));

    // The line table without MEINHEIT, read by the journal on first use.
    captured.Clear();
    OldTable("protpr", QStringLiteral("ID INTEGER, ADRID INTEGER, KURZBEZ VARCHAR(30)"));
    Journal journal(database, JournalSettings{});
    EXPECT_EQ(journal.LineColumns().types.last(), QStringLiteral("012 020"));
    EXPECT_EQ(captured.Messages(),
              QStringList{Extension(db.DataSource(), "protpr", "MEINHEIT", 20)});
    EXPECT_EQ(Alters(),
              QStringList{QStringLiteral("ALTER TABLE protpr ADD COLUMN MEINHEIT ") + Text(20)});
    journal.LineColumns();
    EXPECT_EQ(captured.Messages().size(), 1); // checked once per run
}

TEST_P(SchemaUpgradeTest, FailedAlterIsReportedAndTheColumnCountsAsPresent)
{
    // A table that cannot be changed: a view.
    ASSERT_TRUE(
        db.Exec(QStringLiteral("CREATE VIEW altadr AS SELECT ID, DOCNR, NAME1 FROM protadr")));
    settings.journalHeaders.table = QStringLiteral("altadr");
    Database database(settings);
    ColumnList columns;
    UpgradeHeaderTable(database, columns);
    // Two information messages and one error per statement, each with its statement.
    ASSERT_EQ(captured.Messages().size(), 2 + 12);
    EXPECT_TRUE(captured.Messages()[1].endsWith(
        QStringLiteral("SQL-Anweisung:ALTER TABLE altadr ADD COLUMN SELDATUM INTEGER ")));
    EXPECT_EQ(captured.FailedStatements().size(), 12);
    EXPECT_EQ(columns.names.size(), 3 + 12);
}

TEST_P(SchemaUpgradeTest, ProductTableGetsTiersAndTheConfigurationItsColumn)
{
    ASSERT_TRUE(db.Exec(QStringLiteral("CREATE TABLE produkte (ID INTEGER, ARTNR VARCHAR(20))")));
    settings.products = {db.DataSource(), db.User(), QString(), QStringLiteral("produkte"),
                         false,           {}};
    QStringList written;
    const ConfigValueWriter writer = [&](const QString& key, const QString& value) {
        written << key + QLatin1Char('=') + value;
    };
    QList<std::pair<QString, int>> sqlLog;
    const SqlLogFunction capture = captured.SqlLog();
    settings.sqlLog = [&](const QString& statement, int mode, bool empty) {
        sqlLog.append({statement, mode});
        capture(statement, mode, empty);
    };
    Database database(settings);

    // The shipped line table has STAFFEL already: its statement fails and is reported, and
    // the configuration still gets the column.
    EXPECT_TRUE(UpgradeProductTable(database, writer));
    const QString ds = db.DataSource();
    ASSERT_EQ(captured.Messages().size(), 3);
    EXPECT_EQ(captured.Messages()[0], Extension(ds, "produkte", "STAFFEL", 40));
    EXPECT_EQ(captured.Messages()[1], Extension(ds, "protpr", "STAFFEL", 40));
    EXPECT_TRUE(captured.Messages()[2].endsWith(
        QStringLiteral("SQL-Anweisung:ALTER TABLE protpr ADD COLUMN STAFFEL ") + Text(40)));
    EXPECT_EQ(Alters(),
              (QStringList{QStringLiteral("ALTER TABLE produkte ADD COLUMN STAFFEL ") + Text(40),
                           QStringLiteral("ALTER TABLE protpr ADD COLUMN STAFFEL ") + Text(40)}));
    EXPECT_EQ(written, QStringList{QStringLiteral("ODBCPRSTAFFEL=STAFFEL")});
    // The result line of the product-table check carries the number of columns read.
    EXPECT_TRUE(sqlLog.contains(std::make_pair(QString(), 2 + 2)));

    // The next start finds the column and changes nothing.
    captured.Clear();
    written.clear();
    EXPECT_FALSE(UpgradeProductTable(database, writer));
    EXPECT_TRUE(captured.Messages().isEmpty());
    EXPECT_TRUE(written.isEmpty());
    EXPECT_TRUE(Alters().isEmpty());

    // An unreadable product table: reported, no statement, no configuration line.
    settings.products.table = QStringLiteral("fehlt");
    Database missing(settings);
    captured.Clear();
    EXPECT_FALSE(UpgradeProductTable(missing, writer));
    ASSERT_EQ(captured.Messages().size(), 1);
    EXPECT_TRUE(captured.Messages()[0].endsWith(
        QStringLiteral("SQL-Anweisung:SELECT * FROM fehlt LIMIT 1")));
    EXPECT_TRUE(written.isEmpty());

    // No product table configured: no check at all.
    settings.products = {};
    Database none(settings);
    captured.Clear();
    EXPECT_FALSE(UpgradeProductTable(none, writer));
    EXPECT_TRUE(captured.Messages().isEmpty());
}

} // namespace
