// Storing, rewriting and loading documents against real journals: every test runs on SQLite
// (the embedded journal file) and on PostgreSQL (a throw-away cluster).

#include "app/document/documentstore.h"

#include "documenttestsupport.h"
#include "platform/codec.h"
#include "platform/prompt.h"
#include "storage/journaltestsupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace fakvo;
using namespace fakvo::test;

namespace {

class DocumentStoreTest : public ::testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(db.Ok()) << db.Failure().toStdString();
        config.dataFolder = db.Folder();
        config.STARTRECHNUNGSNUMMER = 1;
        config.STARTDOCNUMMER = 1;
        context.config = &config;
        context.database = db.Settings();
        context.profileIndex = 2;
        context.keptPaymentMethod = 3;
    }

    // The given header columns of row `id`, as the database returns them.
    QStringList Columns(const QString& columns, int id) const
    {
        const QList<QStringList> rows =
            db.Rows(QStringLiteral("SELECT %1 FROM protadr WHERE ID=%2").arg(columns).arg(id));
        return rows.isEmpty() ? QStringList() : rows.first();
    }

    int HeaderRows() const
    {
        return db.Value(QStringLiteral("SELECT COUNT(*) FROM protadr")).toInt();
    }

    StoreOutcome StoreNew(Document document) { return SaveNewDocument(document, context); }

    Prompts prompts{kAnswerNo};
    TestJournalDatabase db{GetParam()};
    Configuration config;
    StoreContext context;
};

INSTANTIATE_TEST_SUITE_P(Backends, DocumentStoreTest,
                         ::testing::Values(Backend::Sqlite, Backend::PostgreSql),
                         [](const auto& info) { return BackendName(info.param); });

// Numbers compare as numbers (the databases write decimals differently), texts as texts.
void ExpectSameValues(const QStringList& actual, const QStringList& expected,
                      const std::string& what)
{
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        bool actualNumber = false, expectedNumber = false;
        const double a = actual[i].toDouble(&actualNumber);
        const double e = expected[i].toDouble(&expectedNumber);
        if (actualNumber && expectedNumber)
            EXPECT_DOUBLE_EQ(a, e) << what << ", value " << i;
        else
            EXPECT_EQ(actual[i], expected[i]) << what << ", value " << i;
    }
}

TEST_P(DocumentStoreTest, NewInvoiceStoresTodayTheNextNumberAndItsRecipient)
{
    Document invoice = SampleInvoice();
    invoice.date = 20100105;   // typed into the date field: a new document is stored today
    invoice.finalAmount = 999; // a stale amount is never stored: the rows count
    const StoreOutcome outcome = SaveNewDocument(invoice, context);

    ASSERT_TRUE(outcome.stored) << prompts.messages.join(u'|').toStdString();
    EXPECT_GT(outcome.rowId, 0);
    EXPECT_EQ(outcome.number, 202400001);
    EXPECT_EQ(invoice.id, outcome.rowId);
    EXPECT_EQ(invoice.number, 202400001);
    EXPECT_EQ(invoice.date, 20240315);
    EXPECT_EQ(invoice.time, 102030);
    EXPECT_TRUE(outcome.refusal.isEmpty());
    EXPECT_TRUE(outcome.statusText.isEmpty());
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(u'|').toStdString();
    EXPECT_EQ(prompts.log,
              QStringList{QStringLiteral("Rechnung an 'Muster GmbH' wurde gespeichert")});

    ExpectSameValues(
        Columns(
            QStringLiteral("DOCTYPE, DOCNR, DOCDATUM, DOCZEIT, NAME1, NAME3, STRASSE, PLZ, ORT, "
                           "LAND, KUNDENNR, KONFIGNR, BEZAHLTU, ZAHLUNGZ, EBETRAG, SEBETRAG, "
                           "BEZAM, VERSAND, AMERKUNG, BEARBEITER, TELEFON, TITEL, VORNAME, "
                           "ZUNAME, PERSANREDE, SELDATUM, VAR1, VAR5, NUM1, NUM2, ZEICHEN1, "
                           "AUSGABE"),
            outcome.rowId),
        {QStringLiteral("0"),
         QStringLiteral("202400001"),
         QStringLiteral("20240315"),
         QStringLiteral("102030"),
         QStringLiteral("Muster GmbH"),
         QStringLiteral("Frau Dr. Anna Muster"),
         QStringLiteral("Hauptstraße 1"),
         QStringLiteral("1010"),
         QStringLiteral("Wien"),
         QStringLiteral("43"),
         QStringLiteral("1004"),
         QStringLiteral("2"),
         QStringLiteral("1"),
         QStringLiteral("14"),
         QStringLiteral("120"),
         QStringLiteral("0"),
         QStringLiteral("0"),
         QStringLiteral("1"),
         QString(),
         QStringLiteral("Huber"),
         QStringLiteral("01 234567"),
         QStringLiteral("Dr."),
         QStringLiteral("Anna"),
         QStringLiteral("Muster"),
         QStringLiteral("Sehr geehrte Frau Dr. Muster!"),
         QStringLiteral("20240101"),
         QStringLiteral("v1"),
         QStringLiteral("v5"),
         QStringLiteral("2"),
         QStringLiteral("0"),
         QStringLiteral("20.00"),
         QStringLiteral("0")},
        "invoice");
    const QList<QStringList> lines =
        db.Rows(QStringLiteral("SELECT ADRID, KURZBEZ, BEZEICH, MENGE, PREIS, MWST FROM protpr"));
    ASSERT_EQ(lines.size(), 1);
    ExpectSameValues(lines.first(),
                     {QString::number(outcome.rowId), QStringLiteral("P1"),
                      QStringLiteral("Beratung"), QStringLiteral("1"), QStringLiteral("100"),
                      QStringLiteral("20")},
                     "line");
}

TEST_P(DocumentStoreTest, EachTypeStoresItsOwnPaymentShippingAndAmounts)
{
    struct Case
    {
        const char* name;
        Document document;
        QStringList expected; // DOCTYPE, BEZAHLTU, VERSAND, AMERKUNG, EBETRAG, SEBETRAG,
                              // BEZAM, GUELTIG, SKONTO, ZAHLUNGZ, RABATT
    };
    auto with = [](DocumentType type, auto change) {
        Document d = SampleOfType(type);
        change(d);
        return d;
    };
    auto values = [](std::initializer_list<const char*> texts) {
        QStringList list;
        for (const char* text : texts)
            list << QString::fromUtf8(text);
        return list;
    };
    const Case cases[] = {
        {"cash invoice is paid today",
         with(DocumentType::Invoice, [](Document& d) { d.conditions.paymentMethod = 2; }),
         values({"0", "2", "1", "", "120", "0", "20240315", "0", "0", "14", "0"})},
        {"2 % cash discount stores the full amount and the amount after cash discount",
         with(DocumentType::Invoice,
              [](Document& d) {
                  d.conditions.cashDiscount = QStringLiteral("2,0");
                  d.lines.first()[ProductColumn::VatRate] = QStringLiteral("0");
              }),
         values({"0", "1", "1", "", "100.00", "98.00", "0", "0", "2", "14", "0"})},
        {"discount is stored with its decimals, a term above 730 days as 0",
         with(DocumentType::Invoice,
              [](Document& d) {
                  d.conditions.discount = QStringLiteral("2,5");
                  d.conditions.paymentTerm = 731;
              }),
         values({"0", "1", "1", "", "117", "0", "0", "0", "0", "0", "2.5"})},
        {"code 77 stands for the kept payment method",
         with(DocumentType::Offer,
              [](Document& d) {
                  d.conditions.paymentMethod = 77;
                  d.conditions.validity = 30;
              }),
         values({"6", "3", "1", "", "120", "0", "0", "30", "0", "14", "0"})},
        {"an invoice keeps no validity",
         with(DocumentType::Invoice, [](Document& d) { d.conditions.validity = 30; }),
         values({"0", "1", "1", "", "120", "0", "0", "0", "0", "14", "0"})},
        {"manual reminder stores minus its level and its invoice date",
         with(DocumentType::ManualReminder,
              [](Document& d) {
                  d.conditions.reminderLevel = 1;
                  d.conditions.cashDiscount = QStringLiteral("3");
                  d.conditions.paymentTerm = 20240105;
              }),
         values({"15", "1", "1", "", "120", "0", "0", "0", "-1", "20240105", "0"})},
        {"letter with payment 3",
         with(DocumentType::Letter, [](Document& d) { d.conditions.paymentMethod = 3; }),
         values({"8", "7703", "1", "Ihr Auftrag", "0", "0", "0", "0", "0", "0", "0"})},
        {"SMS", SampleOfType(DocumentType::Sms),
         values({"4", "2299", "4", "", "0", "0", "0", "0", "0", "0", "0"})},
        {"e-mail", SampleOfType(DocumentType::EMail),
         values({"5", "1188", "3", "Ihr Auftrag", "0", "0", "0", "0", "0", "0", "0"})},
        {"receipt", SampleOfType(DocumentType::Receipt),
         values({"13", "2", "1", "", "50", "0", "0", "0", "0", "0", "0"})},
    };
    for (const Case& c : cases) {
        const StoreOutcome outcome = StoreNew(c.document);
        ASSERT_TRUE(outcome.stored) << c.name;
        ExpectSameValues(Columns(QStringLiteral("DOCTYPE, BEZAHLTU, VERSAND, AMERKUNG, EBETRAG, "
                                                "SEBETRAG, BEZAM, GUELTIG, SKONTO, ZAHLUNGZ, "
                                                "RABATT"),
                                 outcome.rowId),
                         c.expected, c.name);
    }
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(u'|').toStdString();
}

TEST_P(DocumentStoreTest, RefusalsStoreNothing)
{
    struct Case
    {
        const char* name;
        Document document;
        QString message;
        StoreField focus;
    };
    Document noAmount = SampleOfType(DocumentType::Receipt);
    noAmount.finalAmount = 0.004; // shows as 0.00
    Document noText = SampleOfType(DocumentType::Receipt);
    noText.message = QStringLiteral(" \r\n ");
    Document noRows = SampleInvoice();
    noRows.lines.clear();
    Document reminderNoRows = SampleOfType(DocumentType::Reminder1);
    reminderNoRows.lines.clear();
    const Case cases[] = {
        {"receipt without amount", noAmount,
         QStringLiteral("Bitte geben Sie einen Quittungsbetrag ein!"), StoreField::ReceiptAmount},
        {"receipt without text", noText,
         QStringLiteral("Bitte geben Sie einen Quittungstext (Nachricht) ein!"),
         StoreField::Message},
        {"invoice without rows", noRows,
         QStringLiteral("Es wurden keine Produkte zum Speichern angelegt!"), StoreField::None},
        {"reminder without rows", reminderNoRows,
         QStringLiteral("Es wurden keine Produkte zum Speichern angelegt!"), StoreField::None},
    };
    for (const Case& c : cases) {
        prompts.messages.clear();
        Document document = c.document;
        const StoreOutcome outcome = SaveNewDocument(document, context);
        EXPECT_FALSE(outcome.stored) << c.name;
        EXPECT_EQ(outcome.refusal, c.message) << c.name;
        EXPECT_EQ(outcome.focus, c.focus) << c.name;
        EXPECT_EQ(prompts.messages, QStringList{c.message}) << c.name;
        EXPECT_EQ(document.id, 0) << c.name;
    }
    EXPECT_EQ(HeaderRows(), 0);
    EXPECT_TRUE(prompts.log.isEmpty());
}

TEST_P(DocumentStoreTest, CancelledInvoiceLoadsAsType10AndCannotBeRewritten)
{
    const StoreOutcome stored = StoreNew(SampleInvoice());
    ASSERT_TRUE(stored.stored);
    ASSERT_TRUE(
        db.Exec(QStringLiteral("UPDATE protadr SET STORNO=1 WHERE ID=%1").arg(stored.rowId)));

    std::optional<Document> loaded = LoadDocument(stored.rowId, context);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->type, DocumentType::CancelledInvoice);
    EXPECT_TRUE(loaded->cancelled);

    const QString refusal = QStringLiteral(
        "Eine bestehende Rechnung kann nicht in einen anderen Dokumenttypen umgewandelt werden.!");
    Document changed = *loaded;
    changed.recipient.name = QStringLiteral("Anders AG");
    const StoreOutcome outcome = SaveChangedDocument(changed, loaded->number, context);
    EXPECT_FALSE(outcome.stored);
    EXPECT_EQ(outcome.refusal, refusal);
    EXPECT_EQ(prompts.messages, QStringList{refusal});
    ExpectSameValues(Columns(QStringLiteral("DOCTYPE, DOCNR, NAME1, STORNO"), stored.rowId),
                     {QStringLiteral("0"), QStringLiteral("202400001"),
                      QStringLiteral("Muster GmbH"), QStringLiteral("1")},
                     "unchanged");
}

TEST_P(DocumentStoreTest, RewriteTurnsAnOfferIntoTheNextInvoiceAndKeepsOtherNumbers)
{
    ASSERT_EQ(StoreNew(SampleInvoice()).number, 202400001);
    const StoreOutcome offer = StoreNew(SampleOfType(DocumentType::Offer));
    ASSERT_EQ(offer.number, 82400001);
    const StoreOutcome estimate = StoreNew(SampleOfType(DocumentType::CostEstimate));
    ASSERT_EQ(estimate.number, 82400002);

    // An offer loaded, the type changed to invoice, F4: the next invoice number, same entry.
    std::optional<Document> loaded = LoadDocument(offer.rowId, context);
    ASSERT_TRUE(loaded.has_value());
    Document document = *loaded;
    document.type = DocumentType::Invoice;
    const StoreOutcome turned = SaveChangedDocument(document, 82400001, context);
    ASSERT_TRUE(turned.stored) << prompts.messages.join(u'|').toStdString();
    EXPECT_EQ(turned.rowId, offer.rowId);
    EXPECT_EQ(turned.number, 202400002);
    EXPECT_EQ(document.number, 202400002);
    EXPECT_EQ(document.type, DocumentType::Invoice);
    EXPECT_EQ(HeaderRows(), 3);
    ExpectSameValues(Columns(QStringLiteral("DOCTYPE, DOCNR"), offer.rowId),
                     {QStringLiteral("0"), QStringLiteral("202400002")}, "now an invoice");
    EXPECT_EQ(
        db.Value(QStringLiteral("SELECT COUNT(*) FROM protpr WHERE ADRID=%1").arg(offer.rowId))
            .toInt(),
        1); // the rows were replaced, not added

    // The new invoice cannot go back to being an offer.
    document.type = DocumentType::Offer;
    const StoreOutcome back = SaveChangedDocument(document, 202400002, context);
    EXPECT_FALSE(back.stored);
    EXPECT_EQ(back.refusal, QStringLiteral("Eine bestehende Rechnung kann nicht in einen anderen "
                                           "Dokumenttypen umgewandelt werden.!"));

    // Without the shown number the entry's own one counts: the invoice keeps its number.
    std::optional<Document> invoice = LoadDocument(turned.rowId, context);
    ASSERT_TRUE(invoice.has_value());
    EXPECT_EQ(SaveChangedDocument(*invoice, 0, context).number, 202400002);

    // A cost estimate that becomes an order confirmation keeps its number.
    std::optional<Document> other = LoadDocument(estimate.rowId, context);
    ASSERT_TRUE(other.has_value());
    other->type = DocumentType::OrderConfirmation;
    const StoreOutcome kept = SaveChangedDocument(*other, 82400002, context);
    ASSERT_TRUE(kept.stored);
    EXPECT_EQ(kept.number, 82400002);
    ExpectSameValues(Columns(QStringLiteral("DOCTYPE, DOCNR"), estimate.rowId),
                     {QStringLiteral("11"), QStringLiteral("82400002")}, "order confirmation");
}

TEST_P(DocumentStoreTest, RewriteKeepsItsDateRecordedPaymentAndRemark)
{
    const StoreOutcome stored = StoreNew(SampleInvoice());
    ASSERT_TRUE(stored.stored);
    // Recorded in the status dialog after storing.
    ASSERT_TRUE(db.Exec(QStringLiteral("UPDATE protadr SET BEZAM=20240320, AMERKUNG='bezahlt "
                                       "per Überweisung', AUSGABE=2 WHERE ID=%1")
                            .arg(stored.rowId)));

    std::optional<Document> loaded = LoadDocument(stored.rowId, context);
    ASSERT_TRUE(loaded.has_value());
    Document document = *loaded;
    document.date = 20240310;
    document.lines.first()[ProductColumn::UnitPrice] = QStringLiteral("200");
    const StoreOutcome outcome = SaveChangedDocument(document, stored.number, context);
    ASSERT_TRUE(outcome.stored) << prompts.messages.join(u'|').toStdString();

    ExpectSameValues(
        Columns(QStringLiteral("DOCNR, DOCDATUM, EBETRAG, BEZAM, AMERKUNG, AUSGABE"), stored.rowId),
        {QStringLiteral("202400001"), QStringLiteral("20240310"), QStringLiteral("240"),
         QStringLiteral("20240320"), QStringLiteral("bezahlt per Überweisung"),
         QStringLiteral("2")},
        "rewritten");
    const QList<QStringList> lines = db.Rows(QStringLiteral("SELECT PREIS FROM protpr"));
    ASSERT_EQ(lines.size(), 1);
    EXPECT_DOUBLE_EQ(lines.first().first().toDouble(), 200.0);
    // The editor now shows the entry as read back.
    EXPECT_EQ(document.lines.first()[ProductColumn::LineTotal], QStringLiteral("200.00"));
    EXPECT_EQ(document.paidOn, 20240320);
}

TEST_P(DocumentStoreTest, RewriteWithoutLoadedEntryIsRefused)
{
    Document document = SampleInvoice();
    const StoreOutcome outcome = SaveChangedDocument(document, 0, context);
    EXPECT_FALSE(outcome.stored);
    EXPECT_EQ(outcome.refusal, QStringLiteral("Keine Dokumentdaten gefunden!"));
    EXPECT_EQ(HeaderRows(), 0);

    // An entry deleted meanwhile: the journal refuses the update, nothing is stored.
    const StoreOutcome stored = StoreNew(SampleInvoice());
    std::optional<Document> loaded = LoadDocument(stored.rowId, context);
    ASSERT_TRUE(loaded.has_value());
    ASSERT_TRUE(db.Exec(QStringLiteral("DELETE FROM protadr")));
    EXPECT_FALSE(SaveChangedDocument(*loaded, stored.number, context).stored);
    EXPECT_EQ(HeaderRows(), 0);
}

TEST_P(DocumentStoreTest, NumbersOfANewYearStartAgain)
{
    ASSERT_TRUE(
        db.Exec(QStringLiteral("INSERT INTO protadr (DOCTYPE, DOCNR) values (0, 201000345)")));
    ASSERT_TRUE(
        db.Exec(QStringLiteral("INSERT INTO protadr (DOCTYPE, DOCNR) values (6, 81000077)")));
    context.clock = [] { return QDateTime(QDate(2011, 1, 2), QTime(9, 0, 0)); };

    EXPECT_EQ(StoreNew(SampleInvoice()).number, 201100001);
    EXPECT_EQ(StoreNew(SampleOfType(DocumentType::Offer)).number, 81100001);
    EXPECT_EQ(StoreNew(SampleInvoice()).number, 201100002);
    EXPECT_EQ(db.Value(QStringLiteral("SELECT DOCDATUM FROM protadr WHERE DOCNR=201100001")),
              QStringLiteral("20110102"));
}

TEST_P(DocumentStoreTest, MessageDocumentsKeepTheirTextInAFile)
{
    Document letter = SampleOfType(DocumentType::Letter);
    letter.message = QStringLiteral("Sehr geehrte Frau Muster,\r\n\r\nGrüße aus Köln: 5 €\r\n");
    const StoreOutcome stored = SaveNewDocument(letter, context);
    ASSERT_TRUE(stored.stored);

    const QString path =
        config.dataFolder +
        QStringLiteral("DocData/%1B.TXT").arg(stored.rowId, 7, 10, QLatin1Char('0'));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    EXPECT_EQ(file.readAll(), QByteArray("Sehr geehrte Frau Muster,\r\n\r\nGr\xFC\xDF"
                                         "e aus K\xF6ln: 5 \x80\r\n"));
    file.close();

    std::optional<Document> loaded = LoadDocument(stored.rowId, context);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->type, DocumentType::Letter);
    EXPECT_EQ(loaded->message,
              QStringLiteral("Sehr geehrte Frau Muster,\r\n\r\nGrüße aus Köln: 5 €"));
    EXPECT_EQ(loaded->subject, QStringLiteral("Ihr Auftrag"));
    EXPECT_EQ(loaded->conditions.paymentMethod, 1); // 7701 back in the conditions

    // A rewrite replaces the file.
    Document changed = *loaded;
    changed.message = QStringLiteral("Neu");
    ASSERT_TRUE(SaveChangedDocument(changed, loaded->number, context).stored);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Neu\r\n"));
    EXPECT_EQ(changed.message, QStringLiteral("Neu"));

    // SMS show their log line in the status line; each type has its own letter.
    Document sms = SampleOfType(DocumentType::Sms);
    const StoreOutcome smsStored = SaveNewDocument(sms, context);
    EXPECT_EQ(smsStored.statusText, QStringLiteral("SMS an 'Muster GmbH' wurde gespeichert"));
    EXPECT_TRUE(QFile::exists(
        config.dataFolder +
        QStringLiteral("DocData/%1S.TXT").arg(smsStored.rowId, 7, 10, QLatin1Char('0'))));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(u'|').toStdString();

    // A text file gone missing is reported when the entry is loaded.
    ASSERT_TRUE(QFile::remove(path));
    std::optional<Document> without = LoadDocument(stored.rowId, context);
    ASSERT_TRUE(without.has_value());
    EXPECT_TRUE(without->message.isEmpty());
    EXPECT_EQ(prompts.messages,
              QStringList{QStringLiteral("Die Datei '%1' kann nicht geöffnet werden!").arg(path)});
}

TEST_P(DocumentStoreTest, ReceiptAndManualReminderReferToTheDocumentLoadedLast)
{
    context.lastLoadedDate = 20240301;
    context.lastLoadedNumber = 202400007;
    Document reminder = SampleOfType(DocumentType::ManualReminder);
    reminder.conditions.reminderLevel = 2;
    const StoreOutcome stored = SaveNewDocument(reminder, context);
    ASSERT_TRUE(stored.stored);
    EXPECT_EQ(reminder.conditions.reference, QStringLiteral("Re.: 202400007"));
    EXPECT_EQ(reminder.conditions.cashDiscount, QStringLiteral("-2"));
    ExpectSameValues(
        Columns(QStringLiteral("ZAHLUNGZ, REFERENZ, SKONTO"), stored.rowId),
        {QStringLiteral("20240301"), QStringLiteral("Re.: 202400007"), QStringLiteral("-2")},
        "manual reminder");

    const StoreOutcome receipt = StoreNew(SampleOfType(DocumentType::Receipt));
    ExpectSameValues(Columns(QStringLiteral("ZAHLUNGZ, REFERENZ, SKONTO"), receipt.rowId),
                     {QStringLiteral("0"), QStringLiteral("Re.: 202400007"), QStringLiteral("0")},
                     "receipt");

    // Other types, and a receipt when nothing was loaded, keep the typed reference.
    Document offer = SampleOfType(DocumentType::Offer);
    offer.conditions.reference = QStringLiteral("Ihre Anfrage");
    EXPECT_TRUE(StoreNew(offer).stored);
    context.lastLoadedNumber = 0;
    Document typed = SampleOfType(DocumentType::Receipt);
    typed.conditions.reference = QStringLiteral("Ihre Anfrage");
    const StoreOutcome second = SaveNewDocument(typed, context);
    EXPECT_EQ(db.Rows(QStringLiteral("SELECT REFERENZ FROM protadr WHERE REFERENZ='Ihre Anfrage'"))
                  .size(),
              2);
    EXPECT_TRUE(second.stored);
}

TEST_P(DocumentStoreTest, FaxWarningAndPdfBackup)
{
    Document fax = SampleInvoice();
    fax.conditions.shippingMethod = 5;
    fax.recipient.fax = QStringLiteral(" 1 ");
    EXPECT_EQ(StoreNew(fax).statusText,
              QStringLiteral("Es wurde keine gültige Faxnummer gespeichert!"));
    fax.recipient.fax = QStringLiteral("0662 1234");
    EXPECT_TRUE(StoreNew(fax).statusText.isEmpty());

    // With a backup folder the copy is asked for; without a PDF writer the log says so.
    config.PDFSICHERUNGSPFAD = db.Folder() + QStringLiteral("PdfSich/");
    prompts.log.clear();
    const StoreOutcome unbacked = StoreNew(SampleInvoice());
    EXPECT_EQ(prompts.log,
              (QStringList{QStringLiteral("Rechnung an 'Muster GmbH' wurde gespeichert"),
                           QStringLiteral("PDF-Sicherung ist in dieser Version noch nicht "
                                          "verfügbar")}));
    QList<int> backedUp;
    context.pdfBackup = [&backedUp](const Document& d) { backedUp << d.number; };
    const StoreOutcome backed = StoreNew(SampleInvoice());
    StoreNew(SampleOfType(DocumentType::EMail)); // e-mails get no copy
    EXPECT_EQ(backedUp, QList<int>{backed.number});
    EXPECT_TRUE(unbacked.stored);
}

TEST_P(DocumentStoreTest, LoadingGivesTheEditorItsTexts)
{
    config.EINZELPREISNACHKOMMASTELLEN = 3;
    Document invoice = SampleInvoice();
    invoice.conditions.discount = QStringLiteral("2.125");
    invoice.conditions.cashDiscount = QStringLiteral("3");
    invoice.conditions.gross = true;
    invoice.lines = {
        Line(QStringLiteral("2,5 Std."), QStringLiteral("B1"),
             QStringLiteral("Beratung\r\nvor Ort"), QStringLiteral("20"), QStringLiteral("19.9")),
        Line(QStringLiteral("60"), QString(), QStringLiteral("Schrauben"), QStringLiteral("10.5"),
             QStringLiteral("9.9"), QStringLiteral("10=9.50;50=8.90;")),
    };
    const StoreOutcome stored = StoreNew(invoice);
    ASSERT_TRUE(stored.stored);

    std::optional<Document> loaded = LoadDocument(stored.rowId, context);
    ASSERT_TRUE(loaded.has_value());
    const Document& d = *loaded;
    EXPECT_EQ(d.id, stored.rowId);
    EXPECT_EQ(d.number, 202400001);
    EXPECT_EQ(d.date, 20240315);
    EXPECT_EQ(d.recipient, SampleInvoice().recipient);
    EXPECT_EQ(d.conditions.discount, QStringLiteral("2.13"));
    EXPECT_EQ(d.conditions.cashDiscount, QStringLiteral("3.00"));
    EXPECT_TRUE(d.conditions.gross);
    EXPECT_EQ(d.conditions.paymentTerm, 14);
    EXPECT_EQ(d.conditions.clerk, QStringLiteral("Huber"));
    EXPECT_EQ(d.conditions.linesPerRow, 2);
    ASSERT_EQ(d.lines.size(), 2);
    EXPECT_EQ(d.lines[0].cells, (std::array<QString, 8>{
                                    QString(), QStringLiteral("2.5 Std."), QStringLiteral("B1"),
                                    QStringLiteral("Beratung\r\nvor Ort"), QStringLiteral("20"),
                                    QStringLiteral("19.900"), QStringLiteral("49.75"), QString()}));
    EXPECT_EQ(d.lines[1].cells,
              (std::array<QString, 8>{QString(), QStringLiteral("60"), QString(),
                                      QStringLiteral("Schrauben"), QStringLiteral("10.5"),
                                      QStringLiteral("8.900"), QStringLiteral("534.00"),
                                      QStringLiteral("10=9.50;50=8.90;")}));

    // Reminder rows show their invoice dates; the reminder keeps its 2-decimal amounts.
    Document reminder = SampleOfType(DocumentType::Reminder1);
    reminder.lines = {Line(QStringLiteral("5. Jänner 2010"), QStringLiteral("201000012"),
                           QStringLiteral("Ihre Bestellung"), QString(), QStringLiteral("80.5"))};
    const StoreOutcome reminderStored = StoreNew(reminder);
    ASSERT_TRUE(reminderStored.stored);
    EXPECT_DOUBLE_EQ(
        db.Value(
              QStringLiteral("SELECT MENGE FROM protpr WHERE ADRID=%1").arg(reminderStored.rowId))
            .toDouble(),
        20100105.0);
    std::optional<Document> loadedReminder = LoadDocument(reminderStored.rowId, context);
    ASSERT_TRUE(loadedReminder.has_value());
    ASSERT_EQ(loadedReminder->lines.size(), 1);
    EXPECT_EQ(loadedReminder->lines[0][ProductColumn::Quantity], QStringLiteral("5. Jänner 2010"));
    EXPECT_EQ(loadedReminder->lines[0][ProductColumn::UnitPrice], QStringLiteral("80.50"));

    // Not there, or outside the display period: nothing.
    EXPECT_FALSE(LoadDocument(stored.rowId + 100, context).has_value());
    context.period = DisplayPeriod{20240101, 20240314, false};
    EXPECT_FALSE(LoadDocument(stored.rowId, context).has_value());
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(u'|').toStdString();
}

TEST_P(DocumentStoreTest, StoredHourQuantitiesAreNotConvertedAgainWhenLoaded)
{
    config.STUNDENMINUTENUMWANDLUNGTXT = QStringLiteral("Std.");
    Document invoice = SampleInvoice();
    invoice.lines.first()[ProductColumn::Quantity] = QStringLiteral("1.30 Std.");
    const StoreOutcome stored = SaveNewDocument(invoice, context);
    ASSERT_TRUE(stored.stored);
    EXPECT_EQ(invoice.lines.first()[ProductColumn::Quantity], QStringLiteral("1.50 Std."));

    std::optional<Document> loaded = LoadDocument(stored.rowId, context);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->lines.first()[ProductColumn::Quantity], QStringLiteral("1.5 Std."));
    EXPECT_EQ(loaded->lines.first()[ProductColumn::LineTotal], QStringLiteral("150.00"));
    ASSERT_TRUE(SaveChangedDocument(*loaded, stored.number, context).stored);
    EXPECT_DOUBLE_EQ(db.Value(QStringLiteral("SELECT MENGE FROM protpr")).toDouble(), 1.5);
}

TEST_P(DocumentStoreTest, SerialDocumentsOnePerAddress)
{
    const auto question = [](int count) {
        return QStringLiteral("Wollen Sie wirklich für alle %1 selektierten Adressen dieses "
                              "Dokument speichern?")
            .arg(count);
    };
    EXPECT_FALSE(ConfirmSerialDocuments(1));
    EXPECT_FALSE(ConfirmSerialDocuments(2)); // answered No
    prompts.SetAnswer(kAnswerYes);
    EXPECT_TRUE(ConfirmSerialDocuments(3));
    EXPECT_EQ(prompts.questions, (QStringList{question(2), question(3)}));

    // Customers 1001 and 1002 have their own invoice templates, 1003 has none.
    ASSERT_TRUE(QDir().mkpath(TemplateFolder(config)));
    Document rows = SampleInvoice();
    rows.lines = {Line(QStringLiteral("3"), QStringLiteral("K1"), QStringLiteral("Paket 1"),
                       QStringLiteral("20"), QStringLiteral("10"))};
    ASSERT_TRUE(SaveTemplate(CustomerTemplatePath(1001, config), rows));
    rows.lines = {Line(QStringLiteral("1"), QStringLiteral("K2"), QStringLiteral("Paket 2"),
                       QStringLiteral("20"), QStringLiteral("50"))};
    ASSERT_TRUE(SaveTemplate(CustomerTemplatePath(1002, config), rows));
    const QList<int> customers{1001, 1002, 1003};
    const TakeAddress take = [&customers](Document& d, int index) {
        d.recipient.customerNumber = customers[index];
        d.recipient.name = QStringLiteral("Kunde %1").arg(customers[index]);
        return true;
    };
    const auto productsOf = [this](int rowId) {
        return db.Value(QStringLiteral("SELECT KURZBEZ FROM protpr WHERE ADRID=%1").arg(rowId));
    };

    Document empty = SampleInvoice();
    empty.lines.clear();
    prompts.messages.clear();
    const SerialOutcome two = SaveSerialDocuments(empty, 2, take, context);
    ASSERT_EQ(two.stored.size(), 2);
    EXPECT_TRUE(two.refusal.isEmpty());
    EXPECT_EQ(two.stored[0].number, 202400001);
    EXPECT_EQ(two.stored[1].number, 202400002);
    EXPECT_EQ(productsOf(two.stored[0].rowId), QStringLiteral("K1"));
    EXPECT_EQ(productsOf(two.stored[1].rowId), QStringLiteral("K2"));
    ExpectSameValues(Columns(QStringLiteral("NAME1, KUNDENNR, EBETRAG"), two.stored[1].rowId),
                     {QStringLiteral("Kunde 1002"), QStringLiteral("1002"), QStringLiteral("60")},
                     "second customer");
    ASSERT_TRUE(two.last.has_value());
    EXPECT_EQ(two.last->number, 202400002);
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Die Dokumente wurden generiert")});

    // The third customer has no template: storing stops there.
    prompts.messages.clear();
    const SerialOutcome three = SaveSerialDocuments(empty, 3, take, context);
    const QString missing = QStringLiteral("Die Vorlagendatei '%1' konnte nicht gefunden werden!")
                                .arg(CustomerTemplatePath(1003, config));
    EXPECT_EQ(three.stored.size(), 2);
    EXPECT_EQ(three.refusal, missing);
    EXPECT_EQ(prompts.messages,
              (QStringList{missing, QStringLiteral("Die Dokumente wurden generiert")}));
    EXPECT_EQ(HeaderRows(), 4);

    // A document with rows needs no template; one address alone gives no closing message.
    prompts.messages.clear();
    const SerialOutcome one = SaveSerialDocuments(SampleInvoice(), 1, take, context);
    ASSERT_EQ(one.stored.size(), 1);
    EXPECT_EQ(productsOf(one.stored[0].rowId), QStringLiteral("P1"));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

} // namespace
