// The journal store against real databases: every test runs on SQLite (the embedded journal
// file) and on PostgreSQL (a throw-away cluster reached through a DSN).

#include "storage/journal.h"

#include "journaltestsupport.h"
#include "platform/prompt.h"

#include <gtest/gtest.h>

using namespace fakvo;
using namespace fakvo::test;

namespace {

class JournalTest : public ::testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(db.Ok()) << db.Failure().toStdString();
        Reopen(db.Settings(captured.SqlLog()));
    }

    // A database layer and journal on changed settings.
    void Reopen(const DatabaseSettings& settings)
    {
        journal.reset();
        database = std::make_unique<Database>(settings);
        journal = std::make_unique<Journal>(*database, journalSettings);
    }

    static JournalEntry Invoice(const QString& name = QStringLiteral("Muster GmbH"))
    {
        JournalEntry entry;
        entry.type = 0;
        entry.name1 = name;
        entry.street = QStringLiteral("Hauptstraße 1");
        entry.postalCode = QStringLiteral("1010");
        entry.town = QStringLiteral("Wien");
        entry.country = 43;
        entry.paymentMethod = 1;
        entry.paymentTerm = 14;
        entry.amount = 120.0;
        entry.time = 102030;
        entry.linesPerRow = 2;
        entry.vatTotal = 20.0;
        return entry;
    }

    static JournalEntry OfType(int type)
    {
        JournalEntry entry = Invoice();
        entry.type = type;
        return entry;
    }

    static QList<JournalLineTexts> OneLine()
    {
        return {{QStringLiteral("1"), QStringLiteral("P1"), QStringLiteral("Beratung"),
                 QStringLiteral("20"), QStringLiteral("100"), QStringLiteral("100"), QString()}};
    }

    StoreResult Store(const JournalEntry& entry, const QList<JournalLineTexts>& lines = OneLine(),
                      bool rewrite = false)
    {
        return journal->StoreDocument(entry, lines, rewrite);
    }

    // The statements that reached the database and begin with `start`.
    QStringList StatementsStartingWith(const QString& start) const
    {
        QStringList matching;
        for (const QString& statement : captured.Statements())
            if (statement.startsWith(start))
                matching << statement;
        return matching;
    }

    double Number(const QString& query) const { return db.Value(query).toDouble(); }

    Captured captured;
    TestJournalDatabase db{GetParam()};
    JournalSettings journalSettings{1, 1, 3};
    std::unique_ptr<Database> database;
    std::unique_ptr<Journal> journal;
};

INSTANTIATE_TEST_SUITE_P(Backends, JournalTest,
                         ::testing::Values(Backend::Sqlite, Backend::PostgreSql),
                         [](const auto& info) { return BackendName(info.param); });

TEST_P(JournalTest, NumbersRestartEachYearAndOffersIgnoreInvoiceNumbers)
{
    // An empty journal: the first numbers of 2024 in both ranges.
    EXPECT_EQ(journal->NextNumber(0), 202400001);
    EXPECT_EQ(journal->NextNumber(6), 82400001);

    // Last year's numbers only: both ranges start again.
    ASSERT_TRUE(
        db.Exec(QStringLiteral("INSERT INTO protadr (DOCTYPE, DOCNR) values (0, 202300117)")));
    ASSERT_TRUE(
        db.Exec(QStringLiteral("INSERT INTO protadr (DOCTYPE, DOCNR) values (6, 82300044)")));
    EXPECT_EQ(journal->NextNumber(0), 202400001);
    EXPECT_EQ(journal->NextNumber(6), 82400001);

    // Invoices of this year do not move the offer range, which only looks below half of this
    // year's first invoice number.
    const StoreResult invoice = Store(Invoice());
    EXPECT_EQ(invoice.number, 202400001);
    const StoreResult offer = Store(OfType(6));
    EXPECT_EQ(offer.number, 82400001);
    EXPECT_EQ(Store(OfType(9)).number, 82400002); // all other types share one sequence
    EXPECT_EQ(Store(Invoice()).number, 202400002);
    EXPECT_EQ(journal->LastAssignedNumber(), 202400002);

    EXPECT_EQ(journal->HighestNumber(6), 82400002);
    EXPECT_TRUE(StatementsStartingWith(QStringLiteral("SELECT DOCNR FROM protadr WHERE DOCNR < "
                                                      "101200000 ORDER BY DOCNR DESC LIMIT 2"))
                    .size() >= 1);
    EXPECT_TRUE(captured.Messages().isEmpty()) << captured.Messages().join(u'|').toStdString();
}

TEST_P(JournalTest, StartValueZeroGivesNumberEndingInZeros)
{
    journalSettings = {0, 0, 3};
    Reopen(db.Settings());
    EXPECT_EQ(Store(Invoice()).number, 202400000);
    EXPECT_EQ(Store(OfType(6)).number, 82400000);
    EXPECT_EQ(Store(Invoice()).number, 202400001);
}

TEST_P(JournalTest, HeaderRowCarriesEveryValueFormat)
{
    JournalEntry entry = Invoice(QStringLiteral("D'Angelo Müßig-Öztürk €"));
    entry.name2 = QStringLiteral("z. H. O'Brien");
    entry.remark = QStringLiteral("Backslash \\ und {fn now()} bleiben Text; DROP TABLE protpr");
    entry.discountPercent = 2.5;
    entry.cashDiscountPercent = 3;
    entry.amount = 97.0;
    entry.cashDiscount = 3.0;
    entry.customerNumber = 1004;
    entry.vars = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                  QStringLiteral("d"), QStringLiteral("e")};
    entry.vatTotal = 16.166;
    const StoreResult stored = Store(entry);
    ASSERT_GT(stored.rowId, 0);

    // The statement as written: quotes doubled, decimals with their places, the date of today
    // and the timestamp by the clock, AUSGABE 0 on insert.
    const QStringList inserts = StatementsStartingWith(QStringLiteral("INSERT INTO protadr"));
    ASSERT_EQ(inserts.size(), 1);
    const QString& insert = inserts.first();
    EXPECT_TRUE(insert.startsWith(QStringLiteral(
        "INSERT INTO protadr (DOCTYPE, DOCNR, DOCDATUM, NAME1, NAME2, NAME3, STRASSE, LAND, "
        "KONFIGNR, PLZ, ORT, UID, KUNDENNR, RABATT, SKONTO, BEZAHLTU, ZAHLUNGZ, EBETRAG, "
        "SEBETRAG, BEZAM, AMERKUNG, VERSAND, REFERENZ, BEARBEITER, EMAIL, HANDY, FAX, DOCZEIT, "
        "GUELTIG, TELEFON, TITEL, VORNAME, ZUNAME, PERSANREDE, SELDATUM, VAR1, VAR2, VAR3, VAR4, "
        "VAR5, NUM1, NUM2, ZEICHEN1, ADR_TIMESTAMP, AUSGABE) values (0, 202400001, 20240315, "
        "'D''Angelo Müßig-Öztürk €', 'z. H. O''Brien', '', 'Hauptstraße 1', 43, 0, '1010', "
        "'Wien', '', 1004, 2.5000, 3.00, 1, 14, 100.00, 97.00, 0, ")))
        << insert.toStdString();
    EXPECT_TRUE(insert.endsWith(
        QStringLiteral("'a', 'b', 'c', 'd', 'e', 2, 0, '16.17', '15.03.2024 10:20:30', 0)")))
        << insert.toStdString();

    const auto record = journal->ReadEntry(stored.rowId, 0);
    ASSERT_TRUE(record.has_value());
    const JournalEntry& read = record->header;
    EXPECT_EQ(read.rowId, stored.rowId);
    EXPECT_EQ(read.number, 202400001);
    EXPECT_EQ(read.date, 20240315);
    EXPECT_EQ(read.name1, entry.name1);
    EXPECT_EQ(read.name2, entry.name2);
    EXPECT_EQ(read.remark, entry.remark);
    EXPECT_EQ(read.street, entry.street);
    EXPECT_DOUBLE_EQ(read.discountPercent, 2.5);
    EXPECT_DOUBLE_EQ(read.amount, 100.0);
    EXPECT_DOUBLE_EQ(read.cashDiscount, 97.0);
    EXPECT_EQ(read.customerNumber, 1004);
    EXPECT_EQ(read.vars[4], QStringLiteral("e"));
    EXPECT_EQ(read.vatTotalText, QStringLiteral("16.17"));
    EXPECT_EQ(read.delivered, 0);
    EXPECT_EQ(db.Value(QStringLiteral("SELECT ADR_TIMESTAMP FROM protadr")),
              QStringLiteral("15.03.2024 10:20:30"));
    EXPECT_EQ(db.Rows(QStringLiteral("SELECT ID FROM protpr")).size(), 1); // nothing dropped
}

TEST_P(JournalTest, CashDiscountAmountsAndPaymentCodes)
{
    struct Case
    {
        int type;
        double amountDue, cashDiscount;
        int paymentMethod;
        double ebetrag, sebetrag;
        int storedPayment;
    };
    const Case cases[] = {
        {0, 97.0, 3.0, 1, 100.0, 97.0, 1},    // invoice with cash discount
        {0, 98.0, 2.0, 7703, 100.0, 98.0, 3}, // payment code above 7699 loses 7700
        {1, 97.0, 3.0, 1, 97.0, 3.0, 1},      // a reminder keeps both amounts
        {12, 50.0, 0.0, 77, 50.0, 0.0, 3},    // 77 is the configured default method
        {6, 120.0, 0.0, 1, 120.0, 0.0, 1},    // no cash discount: unchanged
        {8, 0.0, 0.0, 7703, 0.0, 0.0, 7703},  // a letter keeps 7700 + method
        {4, 0.0, 0.0, 9999, 0.0, 0.0, 2299},  // an SMS
    };
    for (const Case& c : cases) {
        JournalEntry entry = OfType(c.type);
        entry.amount = c.amountDue;
        entry.cashDiscount = c.cashDiscount;
        entry.paymentMethod = c.paymentMethod;
        const StoreResult stored = Store(entry);
        ASSERT_GT(stored.rowId, 0);
        const QString where = QStringLiteral(" FROM protadr WHERE ID=%1").arg(stored.rowId);
        EXPECT_DOUBLE_EQ(Number(QStringLiteral("SELECT EBETRAG") + where), c.ebetrag) << c.type;
        EXPECT_DOUBLE_EQ(Number(QStringLiteral("SELECT SEBETRAG") + where), c.sebetrag) << c.type;
        EXPECT_EQ(db.Value(QStringLiteral("SELECT BEZAHLTU") + where).toInt(), c.storedPayment)
            << c.type;
        // ZEICHEN1 is written for invoices only.
        EXPECT_EQ(db.Value(QStringLiteral("SELECT ZEICHEN1") + where).isEmpty(), c.type != 0);
    }
}

TEST_P(JournalTest, LinesSplitQuantityAndUnitAndLeaveOutEmptyTiers)
{
    const QList<JournalLineTexts> lines{
        {QStringLiteral("2.5 Std."), QStringLiteral("B-1"), QStringLiteral("Beratung"),
         QStringLiteral("20"), QStringLiteral("80,50"), QStringLiteral("201,25"), QString()},
        {QStringLiteral("3"), QStringLiteral("K'2"),
         QStringLiteral("Kabel \"rot\"\r\nzweite Zeile"), QStringLiteral("10,5"),
         QStringLiteral("1.5"), QStringLiteral("4.5"), QStringLiteral("ab 10: 1,20")},
        {QStringLiteral("   "), QString(), QStringLiteral("Text ohne Menge"), QString(), QString(),
         QString(), QStringLiteral("  ")},
        {QStringLiteral("2.5 ") + QString(56, u'x'), QStringLiteral("L"),
         QStringLiteral("lange Menge"), QStringLiteral("20"), QStringLiteral("1"),
         QStringLiteral("1"), QString()},
    };
    const StoreResult stored = Store(Invoice(), lines);
    ASSERT_GT(stored.rowId, 0);

    const QStringList inserts = StatementsStartingWith(QStringLiteral("INSERT INTO protpr"));
    ASSERT_EQ(inserts.size(), 4);
    EXPECT_EQ(inserts[0],
              QStringLiteral("INSERT INTO protpr (ADRID, KURZBEZ, BEZEICH, MENGE, PREIS, MWST, "
                             "PR_TIMESTAMP, MEINHEIT) values  (%1, 'B-1', 'Beratung', 2.5000, "
                             "80.5000, 20.0000, '15.03.2024 10:20:30', 'Std.')")
                  .arg(stored.rowId));
    EXPECT_TRUE(inserts[1].contains(QStringLiteral("MEINHEIT, STAFFEL) values  (")));
    EXPECT_TRUE(inserts[1].endsWith(QStringLiteral(", '', 'ab 10: 1,20')")));
    EXPECT_FALSE(inserts[2].contains(QStringLiteral("STAFFEL"))); // blank tiers: no column
    EXPECT_FALSE(inserts[3].contains(QStringLiteral("STAFFEL")));

    const auto record = journal->ReadEntry(stored.rowId, 0);
    ASSERT_TRUE(record.has_value());
    ASSERT_EQ(record->lines.size(), 4);
    const JournalLine& first = record->lines[0];
    EXPECT_EQ(first.entryId, stored.rowId);
    EXPECT_DOUBLE_EQ(first.quantity, 2.5);
    EXPECT_EQ(first.unit, QStringLiteral("Std."));
    EXPECT_DOUBLE_EQ(first.unitPrice, 80.5);
    EXPECT_DOUBLE_EQ(first.vatRate, 20.0);
    const JournalLine& second = record->lines[1];
    EXPECT_DOUBLE_EQ(second.quantity, 3.0);
    EXPECT_TRUE(second.unit.isEmpty());
    EXPECT_EQ(second.productNumber, QStringLiteral("K'2"));
    // Two text lines per row: the line break stays.
    EXPECT_EQ(second.description, QStringLiteral("Kabel \"rot\"\r\nzweite Zeile"));
    EXPECT_DOUBLE_EQ(second.vatRate, 10.5);
    EXPECT_EQ(second.tiers, QStringLiteral("ab 10: 1,20"));
    EXPECT_DOUBLE_EQ(record->lines[2].quantity, 0.0);
    // A quantity text of 60 characters is read as a number only; its unit stays empty.
    EXPECT_DOUBLE_EQ(record->lines[3].quantity, 2.5);
    EXPECT_TRUE(record->lines[3].unit.isEmpty());
}

TEST_P(JournalTest, OneTextLinePerRowDropsLineBreaks)
{
    JournalEntry entry = Invoice();
    entry.linesPerRow = 1;
    const QList<JournalLineTexts> lines{
        {QStringLiteral("1"), QStringLiteral("P"), QStringLiteral("erste\r\nzweite\ndritte"),
         QStringLiteral("20"), QStringLiteral("1"), QStringLiteral("1"), QString()}};
    const StoreResult stored = Store(entry, lines);
    const auto record = journal->ReadEntry(stored.rowId, 0);
    ASSERT_TRUE(record.has_value());
    ASSERT_EQ(record->lines.size(), 1);
    EXPECT_EQ(record->lines[0].description, QStringLiteral("erstezweitedritte"));
}

TEST_P(JournalTest, TimestampColumnsLeftToTheDatabase)
{
    DatabaseSettings settings = db.Settings(captured.SqlLog());
    settings.journalHeaders.autoColumns = {QStringLiteral("ID"), QStringLiteral("ADR_TIMESTAMP")};
    settings.journalLines.autoColumns = {QStringLiteral("ID"), QStringLiteral(" PR_TIMESTAMP")};
    Reopen(settings);
    const StoreResult stored = Store(Invoice());
    ASSERT_GT(stored.rowId, 0);
    ASSERT_TRUE(journal->MarkReminders({stored.rowId}, 1, 20240320));
    for (const QString& statement : captured.Statements())
        EXPECT_FALSE(statement.contains(QStringLiteral("TIMESTAMP"))) << statement.toStdString();
    EXPECT_TRUE(db.Value(QStringLiteral("SELECT ADR_TIMESTAMP FROM protadr")).isEmpty());
    EXPECT_TRUE(db.Value(QStringLiteral("SELECT PR_TIMESTAMP FROM protpr")).isEmpty());
}

TEST_P(JournalTest, RewriteGivesANumberOnlyWhenADocumentBecomesAnInvoice)
{
    ASSERT_EQ(Store(Invoice()).number, 202400001);
    const StoreResult offer = Store(OfType(6));
    ASSERT_EQ(offer.number, 82400001);
    const StoreResult estimate = Store(OfType(9));
    ASSERT_EQ(estimate.number, 82400002);

    // The offer stays an offer: its number is kept.
    JournalEntry changed = OfType(6);
    changed.rowId = offer.rowId;
    changed.number = offer.number;
    changed.name1 = QStringLiteral("Geändert");
    EXPECT_EQ(Store(changed, OneLine(), true).rowId, offer.rowId);
    EXPECT_EQ(db.Value(QStringLiteral("SELECT DOCNR FROM protadr WHERE ID=%1").arg(offer.rowId)),
              QStringLiteral("82400001"));

    // The offer becomes an invoice: the next invoice number.
    changed.type = 0;
    const StoreResult converted = Store(changed, OneLine(), true);
    EXPECT_EQ(converted.rowId, offer.rowId);
    EXPECT_EQ(converted.number, 202400002);
    EXPECT_EQ(journal->LastAssignedNumber(), 202400002);

    // Rewriting that invoice keeps its number.
    changed.number = converted.number;
    changed.name1 = QStringLiteral("Noch einmal");
    EXPECT_EQ(Store(changed, OneLine(), true).number, 202400002);
    EXPECT_EQ(db.Value(QStringLiteral("SELECT DOCNR FROM protadr WHERE ID=%1").arg(offer.rowId)),
              QStringLiteral("202400002"));
    EXPECT_EQ(db.Value(QStringLiteral("SELECT NAME1 FROM protadr WHERE ID=%1").arg(offer.rowId)),
              QStringLiteral("Noch einmal"));
    // The rewrite replaced the lines instead of adding to them; the type did not change the
    // other entries.
    EXPECT_EQ(
        db.Rows(QStringLiteral("SELECT ID FROM protpr WHERE ADRID=%1").arg(offer.rowId)).size(), 1);
    EXPECT_EQ(db.Value(QStringLiteral("SELECT DOCNR FROM protadr WHERE ID=%1").arg(estimate.rowId)),
              QStringLiteral("82400002"));
    EXPECT_EQ(db.Rows(QStringLiteral("SELECT ID FROM protadr")).size(), 3);

    // An entry deleted meanwhile by another workstation is not stored again as lines alone.
    ASSERT_TRUE(journal->DeleteDocument(estimate.rowId, false));
    JournalEntry gone = OfType(9);
    gone.rowId = estimate.rowId;
    gone.number = estimate.number;
    captured.Clear();
    EXPECT_EQ(Store(gone, OneLine(), true).rowId, 0);
    EXPECT_EQ(captured.Messages(), QStringList{QStringLiteral("Keine Dokumentdaten gefunden!")});
    EXPECT_TRUE(db.Rows(QStringLiteral("SELECT ID FROM protpr WHERE ADRID=%1").arg(estimate.rowId))
                    .isEmpty());
}

TEST_P(JournalTest, NumberFixedInAdvanceAndDuplicateRefused)
{
    JournalEntry preset = Invoice();
    preset.rowId = -1;
    preset.number = 202400042;
    const StoreResult stored = Store(preset);
    EXPECT_EQ(stored.number, 202400042);
    EXPECT_EQ(journal->LastInsertedId(202400042), stored.rowId);
    EXPECT_EQ(Store(Invoice()).number, 202400043);

    // The same fixed number again: the unique index refuses it, the user is told, and the
    // result names no row.
    captured.Clear();
    const StoreResult duplicate = Store(preset);
    EXPECT_EQ(duplicate.rowId, 0);
    ASSERT_EQ(captured.Messages().size(), 1);
    EXPECT_TRUE(captured.Messages().first().contains(
        QStringLiteral("SQL-Anweisung:INSERT INTO protadr (DOCTYPE, DOCNR")));
    EXPECT_EQ(captured.LogEntries(), captured.Messages());
    EXPECT_EQ(db.Rows(QStringLiteral("SELECT ID FROM protpr")).size(), 2);
}

TEST_P(JournalTest, FailingLineStoresNothingOfTheDocument)
{
    // A line the database refuses, by a rule of the test's own.
    if (GetParam() == Backend::Sqlite)
        ASSERT_TRUE(db.Exec(QStringLiteral(
            "CREATE TRIGGER refuse_boom BEFORE INSERT ON protpr WHEN NEW.KURZBEZ = 'BOOM' "
            "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    else
        ASSERT_TRUE(db.Exec(QStringLiteral(
            "ALTER TABLE protpr ADD CONSTRAINT refuse_boom CHECK (KURZBEZ <> 'BOOM')")));

    QList<JournalLineTexts> lines = OneLine();
    lines << JournalLineTexts{QStringLiteral("1"),
                              QStringLiteral("BOOM"),
                              QStringLiteral("x"),
                              QStringLiteral("20"),
                              QStringLiteral("1"),
                              QStringLiteral("1"),
                              QString()};
    lines << OneLine();
    EXPECT_EQ(Store(Invoice(), lines).rowId, 0);
    ASSERT_EQ(captured.Messages().size(), 1);
    EXPECT_TRUE(captured.Messages().first().contains(
        QStringLiteral("SQL-Anweisung:INSERT INTO protpr (ADRID, KURZBEZ, BEZEICH, MENGE, PREIS, "
                       "MWST, PR_TIMESTAMP, MEINHEIT) values  (")))
        << captured.Messages().first().toStdString();
    EXPECT_TRUE(db.Rows(QStringLiteral("SELECT ID FROM protadr")).isEmpty());
    EXPECT_TRUE(db.Rows(QStringLiteral("SELECT ID FROM protpr")).isEmpty());

    // The number was not used up.
    EXPECT_EQ(Store(Invoice()).number, 202400001);
}

TEST_P(JournalTest, OnlyTheLastInvoiceMayBeDeleted)
{
    ASSERT_TRUE(
        db.Exec(QStringLiteral("INSERT INTO protadr (DOCTYPE, DOCNR) values (0, 202400006)")));
    JournalEntry seventh = Invoice();
    const StoreResult invoice7 = Store(seventh);
    const StoreResult invoice8 = Store(Invoice());
    const StoreResult offer = Store(OfType(6));
    ASSERT_EQ(invoice7.number, 202400007);
    ASSERT_EQ(invoice8.number, 202400008);

    captured.Clear();
    EXPECT_FALSE(journal->DeleteDocumentChecked(invoice7.rowId, 0, invoice7.number));
    EXPECT_EQ(captured.Messages(),
              QStringList{
                  QStringLiteral("Nur die Rechnung mit der letzten Nummer kann gelöscht werden!")});
    EXPECT_EQ(db.Rows(QStringLiteral("SELECT ID FROM protadr")).size(), 4);
    EXPECT_EQ(db.Rows(QStringLiteral("SELECT ID FROM protpr")).size(), 3);

    // Other documents and the last invoice go with their lines.
    EXPECT_TRUE(journal->DeleteDocumentChecked(offer.rowId, 6, offer.number));
    EXPECT_TRUE(journal->DeleteDocumentChecked(invoice8.rowId, 0, invoice8.number));
    EXPECT_EQ(db.Rows(QStringLiteral("SELECT ID FROM protadr")).size(), 2);
    EXPECT_EQ(db.Rows(QStringLiteral("SELECT ADRID FROM protpr")),
              (QList<QStringList>{{QString::number(invoice7.rowId)}}));
    EXPECT_EQ(captured.Messages().size(), 1);

    // Only the lines: the header stays.
    EXPECT_TRUE(journal->DeleteDocument(invoice7.rowId, true));
    EXPECT_TRUE(db.Rows(QStringLiteral("SELECT ID FROM protpr")).isEmpty());
    EXPECT_EQ(db.Rows(QStringLiteral("SELECT ID FROM protadr")).size(), 2);
}

TEST_P(JournalTest, ReadEntryByIdOrNumberWithinThePeriod)
{
    const StoreResult first = Store(Invoice(QStringLiteral("Erste")));
    JournalEntry old = OfType(6);
    old.date = 20231201;
    old.name1 = QStringLiteral("Alt");
    const StoreResult second = Store(old);

    const auto byId = journal->ReadEntry(first.rowId, 0);
    ASSERT_TRUE(byId.has_value());
    EXPECT_EQ(byId->header.name1, QStringLiteral("Erste"));
    const auto byNumber = journal->ReadEntry(0, second.number);
    ASSERT_TRUE(byNumber.has_value());
    EXPECT_EQ(byNumber->header.rowId, second.rowId);
    EXPECT_EQ(byNumber->header.date, 20231201);

    const DisplayPeriod year2024{20240101, 20241231, false};
    EXPECT_TRUE(journal->ReadEntry(first.rowId, 0, year2024).has_value());
    EXPECT_FALSE(journal->ReadEntry(second.rowId, 0, year2024).has_value());
    // By paid date: an open document (BEZAM 0) lies outside any period without 0.
    EXPECT_FALSE(
        journal->ReadEntry(first.rowId, 0, DisplayPeriod{20240101, 20241231, true}).has_value());
    EXPECT_FALSE(journal->ReadEntry(4711, 0).has_value());
    EXPECT_TRUE(
        StatementsStartingWith(QStringLiteral("SELECT ID, DOCTYPE, DOCNR, DOCDATUM, NAME1"))
            .contains(QStringLiteral("SELECT ID, DOCTYPE, DOCNR, DOCDATUM, NAME1, NAME2, "
                                     "NAME3, STRASSE, LAND, PLZ, ORT, KUNDENNR, RABATT, "
                                     "SKONTO, BEZAHLTU, ZAHLUNGZ, EBETRAG, SEBETRAG, BEZAM, "
                                     "VERSAND, AMERKUNG, UID, BEARBEITER, REFERENZ, STORNO, "
                                     "EMAIL, HANDY, DOCZEIT, GUELTIG, MAHNUNG, MAHNDAT, FAX, "
                                     "AUSGABE, TELEFON, TITEL, VORNAME, ZUNAME, PERSANREDE, "
                                     "SELDATUM, VAR1, VAR2, VAR3, VAR4, VAR5, KOPIEVER, NUM1, "
                                     "ZEICHEN1, NUM2, REFERENZ FROM protadr WHERE ID=%1 AND "
                                     "DOCDATUM >= 20240101 AND DOCDATUM <= 20241231 LIMIT 1")
                          .arg(first.rowId)));
    EXPECT_TRUE(captured.Messages().isEmpty());
}

TEST_P(JournalTest, ColumnChangesAndRemindersTakeOnlySafeValues)
{
    const StoreResult a = Store(Invoice());
    const StoreResult b = Store(Invoice());
    ASSERT_TRUE(journal->SetHeaderColumn(QStringLiteral("ID"), QString::number(a.rowId),
                                         QStringLiteral("AUSGABE"), QStringLiteral("3")));
    ASSERT_TRUE(journal->SetHeaderColumn(QStringLiteral("AUSGABE"), QStringLiteral("1"),
                                         QStringLiteral("AUSGABE"), QStringLiteral("1"),
                                         QStringLiteral("<")));
    EXPECT_EQ(StatementsStartingWith(QStringLiteral("UPDATE")).last(),
              QStringLiteral("UPDATE protadr SET AUSGABE=1 WHERE AUSGABE<1"));
    EXPECT_EQ(db.Rows(QStringLiteral("SELECT AUSGABE FROM protadr ORDER BY ID")),
              (QList<QStringList>{{QStringLiteral("3")}, {QStringLiteral("1")}}));
    ASSERT_TRUE(journal->SetHeaderColumn(QStringLiteral("KOPIEVER"), QStringLiteral("20240301"),
                                         QStringLiteral("KOPIEVER"), QStringLiteral("20240315"),
                                         QStringLiteral("= 0 OR KOPIEVER IS NULL OR KOPIEVER <")));
    ASSERT_TRUE(journal->SetHeaderColumn(QStringLiteral("ID"), QString::number(b.rowId),
                                         QStringLiteral("AMERKUNG"),
                                         Quote(QStringLiteral("it's"))));
    EXPECT_EQ(db.Value(QStringLiteral("SELECT AMERKUNG FROM protadr WHERE ID=%1").arg(b.rowId)),
              QStringLiteral("it's"));

    // Nothing that could change the statement's shape gets through.
    const QString id = QString::number(a.rowId);
    struct Refused
    {
        QString keyColumn, keyValue, column, value, comparison;
    };
    const Refused refused[] = {
        {QStringLiteral("ID"), id, QStringLiteral("AUSGABE"),
         QStringLiteral("1; DROP TABLE protpr"), QStringLiteral("=")},
        {QStringLiteral("ID"), QStringLiteral("1 OR 1=1"), QStringLiteral("AUSGABE"),
         QStringLiteral("1"), QStringLiteral("=")},
        {QStringLiteral("ID"), id, QStringLiteral("AMERKUNG"), QStringLiteral("'x' , NAME1='y'"),
         QStringLiteral("=")},
        {QStringLiteral("ID"), id, QStringLiteral("AMERKUNG"), QStringLiteral("'it's'"),
         QStringLiteral("=")},
        {QStringLiteral("ID"), id, QStringLiteral("AUSGABE=0, NAME1"), QStringLiteral("1"),
         QStringLiteral("=")},
        {QStringLiteral("ID"), id, QStringLiteral("AUSGABE"), QStringLiteral("1"),
         QStringLiteral("= 1 OR 1 =")},
        {QStringLiteral("ID"), id, QStringLiteral("AUSGABE"), QStringLiteral("1e5"),
         QStringLiteral("=")},
    };
    captured.Clear();
    for (const Refused& r : refused)
        EXPECT_FALSE(
            journal->SetHeaderColumn(r.keyColumn, r.keyValue, r.column, r.value, r.comparison))
            << r.value.toStdString();
    EXPECT_TRUE(captured.Statements().isEmpty());
    EXPECT_EQ(captured.LogEntries().size(), static_cast<qsizetype>(std::size(refused)));
    EXPECT_EQ(db.Rows(QStringLiteral("SELECT AUSGABE, NAME1 FROM protadr ORDER BY ID")),
              (QList<QStringList>{{QStringLiteral("3"), QStringLiteral("Muster GmbH")},
                                  {QStringLiteral("1"), QStringLiteral("Muster GmbH")}}));
    EXPECT_EQ(db.Rows(QStringLiteral("SELECT ID FROM protpr")).size(), 2);

    ASSERT_TRUE(journal->MarkReminders({a.rowId, b.rowId}, 2, 20240320));
    EXPECT_EQ(StatementsStartingWith(QStringLiteral("UPDATE")).last(),
              QStringLiteral("UPDATE protadr SET ADR_TIMESTAMP='15.03.2024 10:20:30', MAHNUNG=2, "
                             "MAHNDAT=20240320 WHERE ID=%1")
                  .arg(b.rowId));
    EXPECT_EQ(db.Rows(QStringLiteral("SELECT MAHNUNG, MAHNDAT FROM protadr ORDER BY ID")),
              (QList<QStringList>{{QStringLiteral("2"), QStringLiteral("20240320")},
                                  {QStringLiteral("2"), QStringLiteral("20240320")}}));
}

TEST_P(JournalTest, NestedStoreIsRefused)
{
    // A message box shown during a store may let the user start another one: it gets 0.
    StoreResult nested{-1, -1};
    PromptHandler previous = SetPromptHandler({[&](const QString&, PromptMode) {
                                                   nested = Store(Invoice());
                                                   return kAnswerOk;
                                               },
                                               {}});
    JournalEntry preset = Invoice();
    preset.rowId = -1;
    preset.number = 202400001;
    Store(preset);
    const StoreResult failing = Store(preset); // duplicate: its message runs the nested store
    SetPromptHandler(previous);
    EXPECT_EQ(failing.rowId, 0);
    EXPECT_EQ(nested.rowId, 0);
    EXPECT_EQ(db.Rows(QStringLiteral("SELECT ID FROM protadr")).size(), 1);
}

TEST_P(JournalTest, TableNameFromTheSettingsCannotAddStatements)
{
    DatabaseSettings settings = db.Settings(captured.SqlLog());
    settings.journalLines.table = QStringLiteral("protpr; DROP TABLE protadr");
    Reopen(settings);
    EXPECT_EQ(Store(Invoice()).rowId, 0);
    EXPECT_FALSE(journal->DeleteDocument(1, false));
    ASSERT_FALSE(captured.Messages().isEmpty());
    EXPECT_EQ(captured.Messages().first(),
              QStringLiteral("Der Tabellenname 'protpr; DROP TABLE protadr' ist ungültig!"));
    for (const QString& statement : captured.Statements())
        EXPECT_FALSE(statement.contains(QStringLiteral("DROP"))) << statement.toStdString();
    EXPECT_TRUE(db.Rows(QStringLiteral("SELECT ID FROM protadr")).isEmpty());
}

// Headers and lines in two databases: no common transaction, the lines follow the header on
// the line table's own connection, and a failing line does not stop the next one.
TEST(JournalTwoDatabases, LinesGoToTheirOwnDatabase)
{
    Captured captured;
    TestJournalDatabase headers(Backend::Sqlite);
    TestJournalDatabase lines(Backend::Sqlite);
    ASSERT_TRUE(headers.Ok() && lines.Ok());
    ASSERT_TRUE(lines.Exec(QStringLiteral(
        "CREATE TRIGGER refuse_boom BEFORE INSERT ON protpr WHEN NEW.KURZBEZ = 'BOOM' "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    DatabaseSettings settings = headers.Settings(captured.SqlLog());
    settings.journalLines.dataSource =
        QStringLiteral("!") + lines.Folder() + QLatin1String(kJournalFileName);
    Database database(settings);
    Journal journal(database, JournalSettings{1, 1, 3});
    ASSERT_FALSE(database.SameDataSource(TableSet::JournalHeaders, TableSet::JournalLines));

    const auto line = [](const char* product) {
        return JournalLineTexts{QStringLiteral("1"),
                                QLatin1String(product),
                                QStringLiteral("x"),
                                QStringLiteral("20"),
                                QStringLiteral("1"),
                                QStringLiteral("1"),
                                QString()};
    };
    JournalEntry entry;
    entry.name1 = QStringLiteral("Zwei Dateien");
    const StoreResult stored = journal.StoreDocument(entry, {line("A"), line("BOOM"), line("C")});
    ASSERT_GT(stored.rowId, 0);
    EXPECT_EQ(captured.Messages().size(), 1);
    EXPECT_TRUE(headers.Rows(QStringLiteral("SELECT ID FROM protpr")).isEmpty());
    EXPECT_EQ(lines.Rows(QStringLiteral("SELECT KURZBEZ FROM protpr ORDER BY ID")),
              (QList<QStringList>{{QStringLiteral("A")}, {QStringLiteral("C")}}));

    // A rewrite replaces the lines in the line database.
    entry.rowId = stored.rowId;
    entry.number = stored.number;
    EXPECT_EQ(journal.StoreDocument(entry, {line("D")}, true).rowId, stored.rowId);
    EXPECT_EQ(lines.Rows(QStringLiteral("SELECT KURZBEZ FROM protpr")),
              (QList<QStringList>{{QStringLiteral("D")}}));
    const auto record = journal.ReadEntry(stored.rowId, 0);
    ASSERT_TRUE(record.has_value());
    ASSERT_EQ(record->lines.size(), 1);
    EXPECT_EQ(record->lines[0].productNumber, QStringLiteral("D"));
}

} // namespace
