// The address search over 50,000 addresses in the embedded SQLite file, set against a bare
// SELECT of the same rows through the same ODBC layer (every field of every row read as text).
// The ratios show what the store adds: the configured column matching, the mapped fields of
// each record and the statement checks. Two searches: every address, and a pattern that
// matches about one address in twenty.

#include "common/ratioreporter.h"
#include "config/configfile.h"
#include "platform/odbc.h"
#include "platform/prompt.h"
#include "storage/addressstore.h"
#include "storage/databasesettings.h"
#include "storage/journalfile.h"
#include "support/log.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace fakvo;

namespace {

constexpr int kAddresses = 50000;

// A new data folder's database and standard.cfg, the sample table grown to 50,000 addresses.
class BenchAddresses
{
public:
    BenchAddresses()
    {
        const QString file = m_folder.filePath(QLatin1String(kJournalFileName));
        m_ok = m_folder.isValid() &&
               CreateJournalFile(
                   JournalSchemaFile(QStringLiteral(FAKVO_STARTDAT), SqlDialect::Sqlite), file)
                   .ok &&
               LoadConfiguration(config, QStringLiteral(FAKVO_STARTDAT "/standard.cfg"));
        config.dataFolder = m_folder.path() + QLatin1Char('/');
        connectionString = QStringLiteral("DRIVER=SQLite3;Database=") + file;
        // Every twentieth address has a name beginning with "Mü".
        m_ok =
            m_ok && Raw(QStringLiteral(
                            "WITH RECURSIVE n(i) AS (SELECT 13 UNION ALL SELECT i + 1 FROM n "
                            "WHERE i < %1) INSERT INTO Kunden (ID, ANREDE, VORNAME, ZUNAME, FIRMA, "
                            "STRASSE, PLZ, ORT, LAND, TELEFON, EMAIL, SUCHBEGRIFF) SELECT i, "
                            "'Herr', 'Max', 'Kunde ' || i, CASE WHEN i % 20 = 0 THEN 'Müller ' "
                            "ELSE 'Firma ' END || i, 'Hauptstraße ' || i, '1010', 'Wien', 43, "
                            "'+43 1 ' || i, 'kunde' || i || '@example.at', CASE WHEN i % 20 = 0 "
                            "THEN 'Müller ' ELSE 'Firma ' END || i FROM n")
                            .arg(kAddresses));
        database = std::make_unique<Database>(DatabaseSettingsFrom(config));
    }

    bool Ok() const { return m_ok; }
    bool Raw(const QString& statement) const
    {
        odbc::Connection connection;
        return connection.Open(connectionString) && connection.Execute(statement);
    }

    Configuration config;
    QString connectionString;
    std::unique_ptr<Database> database;

private:
    QTemporaryDir m_folder;
    bool m_ok = false;
};

BenchAddresses& Addresses()
{
    static BenchAddresses addresses;
    return addresses;
}

// The statements the two searches run, for the baselines.
const QString kAllStatement =
    QStringLiteral("SELECT * FROM Kunden where ID=0 OR ID=ID ORDER BY SUCHBEGRIFF");
const QString kPatternStatement =
    QStringLiteral("SELECT * FROM Kunden where SUCHBEGRIFF LIKE '%Mü%' ORDER BY SUCHBEGRIFF");

void SearchAll(benchmark::State& state)
{
    BenchAddresses& a = Addresses();
    if (!a.Ok())
        return state.SkipWithError("addresses not created");
    AddressStore store(*a.database, a.config);
    for (auto _ : state) {
        const AddressSearch search = store.SearchAllAddresses();
        if (search.records.size() != kAddresses)
            return state.SkipWithError("search failed");
    }
}
BENCHMARK(SearchAll)->Unit(benchmark::kMillisecond);

void SearchPattern(benchmark::State& state)
{
    BenchAddresses& a = Addresses();
    if (!a.Ok())
        return state.SkipWithError("addresses not created");
    AddressStore store(*a.database, a.config);
    for (auto _ : state) {
        const AddressSearch search = store.SearchAddresses(QString(), QStringLiteral("Mü"));
        if (search.records.size() < kAddresses / 20)
            return state.SkipWithError("search failed");
    }
}
BENCHMARK(SearchPattern)->Unit(benchmark::kMillisecond);

// Baseline: one connection, the same statement, every field of every row read as text.
int BareRead(const QString& connectionString, const QString& statement)
{
    odbc::Connection connection;
    if (!connection.Open(connectionString))
        return 0;
    odbc::ResultSet rows = connection.Query(statement);
    int count = 0;
    for (; !rows.AtEnd(); rows.MoveNext(), ++count)
        for (int i = 0; i < rows.FieldCount(); ++i)
            benchmark::DoNotOptimize(rows.Text(i));
    return count;
}

void BareSelectAll(benchmark::State& state)
{
    BenchAddresses& a = Addresses();
    if (!a.Ok())
        return state.SkipWithError("addresses not created");
    for (auto _ : state)
        if (BareRead(a.connectionString, kAllStatement) != kAddresses)
            return state.SkipWithError("select failed");
}
BENCHMARK(BareSelectAll)->Unit(benchmark::kMillisecond);

void BareSelectPattern(benchmark::State& state)
{
    BenchAddresses& a = Addresses();
    if (!a.Ok())
        return state.SkipWithError("addresses not created");
    for (auto _ : state)
        if (BareRead(a.connectionString, kPatternStatement) < kAddresses / 20)
            return state.SkipWithError("select failed");
}
BENCHMARK(BareSelectPattern)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // No message boxes and no log output in a benchmark: a failure shows up as a skipped run.
    SetPromptHandler({[](const QString&, PromptMode) { return kAnswerOk; }, {}});
    SetLogSink([](long long, const QString&) {});
    benchmark::Initialize(&argc, argv);
    fakvo::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("search of 50,000 addresses / bare select", "SearchAll", "BareSelectAll");
    reporter.PrintRatio("pattern search \"Mü\" / bare select", "SearchPattern",
                        "BareSelectPattern");
    benchmark::Shutdown();
    return 0;
}
