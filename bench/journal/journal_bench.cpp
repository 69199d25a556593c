// The journal on the embedded SQLite file: storing one invoice with ten lines, drawing the next
// number from a small and from a large journal, reading one entry with its lines. Each is set
// against a baseline in the same run: the bare insert or select through the ODBC layer, and for
// the numbers the small journal, so the printed ratios show what the journal adds and that the
// DOCNR index keeps drawing a number independent of the journal's size.

#include "platform/odbc.h"
#include "platform/prompt.h"
#include "storage/journal.h"
#include "storage/journalfile.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

using namespace fakvo;

namespace {

QDateTime BenchNow()
{
    return QDateTime(QDate(2024, 6, 3), QTime(9, 0, 0));
}

// A journal file in a temporary folder, filled with `entries` header rows (half invoices, half
// other documents, numbers over several years) in one statement.
class BenchJournal
{
public:
    explicit BenchJournal(int entries)
    {
        const QString schema =
            JournalSchemaFile(QStringLiteral(FAKVO_STARTDAT), SqlDialect::Sqlite);
        m_ok = m_folder.isValid() &&
               CreateJournalFile(schema, m_folder.filePath(QLatin1String(kJournalFileName))).ok;
        if (m_ok && entries > 0)
            m_ok = Raw(QStringLiteral(
                           "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE "
                           "i < %1) INSERT INTO protadr (DOCTYPE, DOCNR, DOCDATUM, NAME1, EBETRAG) "
                           "SELECT CASE i %% 2 WHEN 0 THEN 0 ELSE 6 END, CASE i %% 2 WHEN 0 THEN "
                           "(2020 + (i / 2) / 90000) * 100000 + (i / 2) %% 90000 + 1 ELSE "
                           "(820 + (i / 2) / 90000) * 100000 + (i / 2) %% 90000 + 1 END, "
                           "20200101, 'Kunde ' || i, 100 FROM n")
                           .arg(entries - 1)
                           .replace(QStringLiteral("%%"), QStringLiteral("%")));
        DatabaseSettings settings;
        settings.dataFolder = m_folder.path() + QLatin1Char('/');
        const TableSetSettings journal{QStringLiteral("!") + QLatin1String(kJournalFileName),
                                       QString(),
                                       QString(),
                                       QStringLiteral("protadr"),
                                       false,
                                       {QStringLiteral("ID")}};
        settings.journalHeaders = journal;
        settings.journalLines = journal;
        settings.journalLines.table = QStringLiteral("protpr");
        settings.clock = BenchNow;
        database = std::make_unique<Database>(settings);
        store = std::make_unique<Journal>(*database, JournalSettings{1, 1, 1});
    }

    bool Ok() const { return m_ok; }
    QString ConnectionString() const
    {
        return QStringLiteral("DRIVER=SQLite3;Database=") +
               m_folder.filePath(QLatin1String(kJournalFileName));
    }
    bool Raw(const QString& statement) const
    {
        odbc::Connection connection;
        return connection.Open(ConnectionString()) && connection.Execute(statement);
    }

    std::unique_ptr<Database> database;
    std::unique_ptr<Journal> store;

private:
    QTemporaryDir m_folder;
    bool m_ok = false;
};

JournalEntry Invoice()
{
    JournalEntry entry;
    entry.name1 = QStringLiteral("Muster GmbH");
    entry.street = QStringLiteral("Hauptstraße 1");
    entry.postalCode = QStringLiteral("1010");
    entry.town = QStringLiteral("Wien");
    entry.amount = 1200;
    entry.linesPerRow = 2;
    return entry;
}

QList<JournalLineTexts> TenLines()
{
    QList<JournalLineTexts> lines;
    for (int i = 1; i <= 10; ++i)
        lines << JournalLineTexts{QStringLiteral("%1 Std.").arg(i),
                                  QStringLiteral("P%1").arg(i),
                                  QStringLiteral("Beratung Teil %1\r\nvor Ort").arg(i),
                                  QStringLiteral("20"),
                                  QStringLiteral("100,00"),
                                  QStringLiteral("%1").arg(100 * i),
                                  QString()};
    return lines;
}

void StoreInvoiceTenLines(benchmark::State& state)
{
    BenchJournal journal(1000);
    if (!journal.Ok())
        return state.SkipWithError("journal not created");
    const JournalEntry entry = Invoice();
    const QList<JournalLineTexts> lines = TenLines();
    for (auto _ : state)
        if (journal.store->StoreDocument(entry, lines).rowId <= 0)
            return state.SkipWithError("store failed");
}
BENCHMARK(StoreInvoiceTenLines)->Unit(benchmark::kMillisecond);

// Baseline of storing: one connection and one bare INSERT of a header row.
void BareInsert(benchmark::State& state)
{
    BenchJournal journal(1000);
    if (!journal.Ok())
        return state.SkipWithError("journal not created");
    long long number = 202400001;
    for (auto _ : state)
        if (!journal.Raw(QStringLiteral("INSERT INTO protadr (DOCTYPE, DOCNR, NAME1) values (0, "
                                        "%1, 'Muster GmbH')")
                             .arg(number++)))
            return state.SkipWithError("insert failed");
}
BENCHMARK(BareInsert)->Unit(benchmark::kMillisecond);

void NextNumber(benchmark::State& state)
{
    BenchJournal journal(static_cast<int>(state.range(0)));
    if (!journal.Ok())
        return state.SkipWithError("journal not created");
    const int type = static_cast<int>(state.range(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(journal.store->NextNumber(type));
}
BENCHMARK(NextNumber)
    ->ArgNames({"entries", "type"})
    ->Args({1000, 0})
    ->Args({200000, 0})
    ->Args({1000, 6})
    ->Args({200000, 6})
    ->Unit(benchmark::kMicrosecond);

void ReadEntryWithLines(benchmark::State& state)
{
    BenchJournal journal(1000);
    const int rowId = journal.Ok() ? journal.store->StoreDocument(Invoice(), TenLines()).rowId : 0;
    if (rowId <= 0)
        return state.SkipWithError("journal not created");
    for (auto _ : state) {
        const auto record = journal.store->ReadEntry(rowId, 0);
        if (!record || record->lines.size() != 10)
            return state.SkipWithError("read failed");
    }
}
BENCHMARK(ReadEntryWithLines)->Unit(benchmark::kMicrosecond);

// Baseline of reading: one connection and one bare SELECT of a header row.
void BareSelect(benchmark::State& state)
{
    BenchJournal journal(1000);
    if (!journal.Ok())
        return state.SkipWithError("journal not created");
    for (auto _ : state) {
        odbc::Connection connection;
        connection.Open(journal.ConnectionString());
        odbc::ResultSet rows =
            connection.Query(QStringLiteral("SELECT ID, NAME1 FROM protadr WHERE ID=500"));
        if (rows.AtEnd())
            return state.SkipWithError("select failed");
    }
}
BENCHMARK(BareSelect)->Unit(benchmark::kMicrosecond);

// Keeps each run's processor time per iteration (the database works in this process, so it
// is steadier than wall time on a busy machine) for the ratios printed at the end.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times[run.benchmark_name()] =
                    run.GetAdjustedRealTime() * benchmark::GetTimeUnitMultiplier(run.time_unit);
    }
    std::map<std::string, double> times;
};

void PrintRatio(const RatioReporter& reporter, const char* what, const std::string& measured,
                const std::string& baseline)
{
    const auto m = reporter.times.find(measured);
    const auto b = reporter.times.find(baseline);
    if (m == reporter.times.end() || b == reporter.times.end() || b->second <= 0)
        return;
    std::printf("%-58s %8.2f\n", what, m->second / b->second);
}

} // namespace

int main(int argc, char** argv)
{
    // No message boxes in a benchmark: a failure shows up as a skipped run.
    SetPromptHandler({[](const QString&, PromptMode) { return kAnswerOk; }, {}});
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nratios\n");
    PrintRatio(reporter, "store invoice with 10 lines / bare insert", "StoreInvoiceTenLines",
               "BareInsert");
    PrintRatio(reporter, "next invoice number, 200000 / 1000 entries",
               "NextNumber/entries:200000/type:0", "NextNumber/entries:1000/type:0");
    PrintRatio(reporter, "next offer number, 200000 / 1000 entries",
               "NextNumber/entries:200000/type:6", "NextNumber/entries:1000/type:6");
    PrintRatio(reporter, "read entry with 10 lines / bare select", "ReadEntryWithLines",
               "BareSelect");
    benchmark::Shutdown();
    return 0;
}
