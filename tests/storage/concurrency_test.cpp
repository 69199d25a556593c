// Two workstations storing invoices into one journal at the same moment: every invoice gets
// its own number, the numbers have no gaps, and every line sits under its own header.

#include "storage/journal.h"

#include "journaltestsupport.h"

#include <QSet>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace fakvo;
using namespace fakvo::test;

namespace {

class JournalConcurrencyTest : public ::testing::TestWithParam<Backend>
{
protected:
    Captured captured;
    TestJournalDatabase db{GetParam()};
};

INSTANTIATE_TEST_SUITE_P(Backends, JournalConcurrencyTest,
                         ::testing::Values(Backend::Sqlite, Backend::PostgreSql),
                         [](const auto& info) { return BackendName(info.param); });

TEST_P(JournalConcurrencyTest, TwoWorkstationsStoreSixHundredInvoices)
{
    ASSERT_TRUE(db.Ok()) << db.Failure().toStdString();
    constexpr int kPerWorkstation = 300;
    std::atomic<int> failures{0};
    std::atomic<bool> go{false};

    // Each workstation has its own database layer and journal, as two programs would.
    const auto workstation = [&](int station) {
        Database database(db.Settings(captured.SqlLog()));
        Journal journal(database, JournalSettings{1, 1, 3});
        while (!go.load())
            std::this_thread::yield();
        for (int i = 0; i < kPerWorkstation; ++i) {
            const QString tag = QStringLiteral("W%1-%2").arg(station).arg(i);
            JournalEntry entry;
            entry.name1 = tag;
            entry.amount = 10 + i;
            const QList<JournalLineTexts> lines{
                {QStringLiteral("1"), tag, QStringLiteral("erste"), QStringLiteral("20"),
                 QStringLiteral("5"), QStringLiteral("5"), QString()},
                {QStringLiteral("2 Stk."), tag, QStringLiteral("zweite"), QStringLiteral("20"),
                 QStringLiteral("2,5"), QStringLiteral("5"), QString()}};
            if (journal.StoreDocument(entry, lines).rowId <= 0)
                ++failures;
        }
    };
    std::thread first(workstation, 1);
    std::thread second(workstation, 2);
    go = true;
    first.join();
    second.join();

    EXPECT_EQ(failures.load(), 0);
    // Numbers another workstation took first and that were drawn again.
    RecordProperty("collisions", static_cast<int>(captured.FailedStatements().size()));
    EXPECT_TRUE(captured.Messages().isEmpty()) << captured.Messages().join(u'|').toStdString();

    const QList<QStringList> headers =
        db.Rows(QStringLiteral("SELECT ID, DOCNR, NAME1 FROM protadr ORDER BY DOCNR"));
    ASSERT_EQ(headers.size(), 2 * kPerWorkstation);
    QSet<QString> names;
    for (int i = 0; i < headers.size(); ++i) {
        EXPECT_EQ(headers[i][1].toLongLong(), 202400001 + i) << "gap or duplicate at " << i;
        names.insert(headers[i][2]);
    }
    EXPECT_EQ(names.size(), 2 * kPerWorkstation);

    // Every line belongs to the header that carries the same tag, two per header.
    const QList<QStringList> lines = db.Rows(QStringLiteral(
        "SELECT a.NAME1, p.KURZBEZ FROM protpr p LEFT JOIN protadr a ON a.ID = p.ADRID"));
    EXPECT_EQ(lines.size(), 4 * kPerWorkstation);
    for (const QStringList& line : lines)
        EXPECT_EQ(line[0], line[1]);
}

} // namespace
