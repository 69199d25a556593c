// The address and product stores on the sample tables of a new data folder, on SQLite and on a
// throw-away PostgreSQL cluster: searches with umlauts and apostrophes, the customer-number
// lookup, saving the recipient block and a product line, the record editor, refused searches,
// missing configured columns and the CSV export read back by iconv and Python's csv module.

#include "platform/prompt.h"
#include "storage/addressexport.h"
#include "storage/addressstore.h"
#include "storage/productstore.h"
#include "storage/statementcheck.h"

#include "storetestsupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

#include <gtest/gtest.h>

using namespace fakvo;
using namespace fakvo::test;

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

class StoresTest : public ::testing::TestWithParam<Backend>
{
protected:
    void SetUp() override { ASSERT_TRUE(stores.Ok()) << stores.Failure().toStdString(); }

    AddressStore Addresses() { return AddressStore(*stores.database, stores.config); }
    ProductStore Products() { return ProductStore(*stores.database, stores.config); }
    // Answers every question with Yes from now on, keeping the capture of messages.
    void AnswerYes()
    {
        SetPromptHandler({[this](const QString& text, PromptMode mode) {
                              answered << text;
                              return mode == PromptMode::Question ? kAnswerYes : kAnswerOk;
                          },
                          {}});
    }
    int Count(const char* table) const
    {
        return stores.db.Value(QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(table))
            .toInt();
    }

    SampleStores stores{GetParam()};
    QStringList answered;
};

TEST_P(StoresTest, SampleCustomerFoundByNumberAndMappedField)
{
    AddressStore store = Addresses();
    const AddressSearch found = store.LookupCustomer(1);
    ASSERT_TRUE(found.outcome.ok);
    EXPECT_EQ(found.statement, S("SELECT * FROM Kunden where ID=1 ORDER BY SUCHBEGRIFF"));
    ASSERT_EQ(found.records.size(), 1);
    const AddressRecord& r = found.records.first();
    EXPECT_EQ(r.id, S("1"));
    EXPECT_EQ(r.customerNumber, S("1"));
    EXPECT_EQ(r.attention, S("Herr Ing. Johann Müller"));
    EXPECT_EQ(r.name, S("Müller Bau GmbH"));
    EXPECT_EQ(r.title, S("Ing."));
    EXPECT_EQ(r.firstName, S("Johann"));
    EXPECT_EQ(r.lastName, S("Müller"));
    EXPECT_EQ(r.street, S("Hauptstraße 12"));
    EXPECT_EQ(r.postalCode, S("4020"));
    EXPECT_EQ(r.town, S("Linz"));
    EXPECT_EQ(r.country, S("43"));
    EXPECT_EQ(r.vatId, S("ATU12345678"));
    EXPECT_EQ(r.email, S("office@mueller-bau.at"));
    EXPECT_EQ(r.phone, S("+43 732 771234"));
    EXPECT_EQ(r.info, S("Stammkunde seit 2015"));
    EXPECT_EQ(r.salutationColumns[1], S("Herr"));
    EXPECT_EQ(r.personalSalutation, S("Sehr geehrte Damen und Herren!"));
    EXPECT_EQ(found.StatusText(), S("1 Einträge gefunden"));
    EXPECT_TRUE(stores.captured.LogEntries().contains(S("Suche nach(SQL): ") + found.statement));

    // A customer number typed as text, and a German postal code with its leading zero.
    const AddressSearch dresden = store.LookupCustomer(S("9"));
    ASSERT_EQ(dresden.records.size(), 1);
    EXPECT_EQ(dresden.records.first().postalCode, S("01067"));
    EXPECT_EQ(dresden.records.first().attention, S("Herr Lukas Hofmann"));

    // Every address, sorted by the search name.
    const AddressSearch all = store.SearchAllAddresses();
    ASSERT_EQ(all.records.size(), 12);
    EXPECT_EQ(all.records.first().lastName, S("Bärtschi"));
    EXPECT_TRUE(stores.captured.Messages().isEmpty());
}

TEST_P(StoresTest, SampleProductFoundByNumberAndTakenWithTiers)
{
    ProductStore store = Products();
    ProductQuery query;
    query.number = S("1004");
    const ProductSearch found = store.SearchProducts(query);
    ASSERT_TRUE(found.outcome.ok);
    EXPECT_EQ(found.statement, S("SELECT * FROM Artikel WHERE ARTNR =1004 ORDER BY ARTNR"));
    ASSERT_EQ(found.records.size(), 1);
    const ProductRecord& p = found.records.first();
    EXPECT_EQ(p.number, S("1004"));
    EXPECT_EQ(p.description, S("Kopierpapier A4, 500 Blatt"));
    EXPECT_EQ(p.unit, S("Pkg."));
    EXPECT_EQ(p.tiers, S("10=5.50;50=4.90"));
    EXPECT_EQ(p.price.toDouble(), 5.9);
    EXPECT_EQ(p.vatRate.toDouble(), 20);
    EXPECT_TRUE(
        stores.captured.LogEntries().contains(S("Produktsuche nach: '1004', ''. Gefunden: 1")));

    const ProductLine line = TakeProduct(p, stores.config);
    EXPECT_EQ(line[ProductColumn::Quantity], S("1 Pkg."));
    EXPECT_EQ(line[ProductColumn::ProductNumber], S("1004"));
    EXPECT_EQ(line[ProductColumn::UnitPrice], S("5.90"));
    EXPECT_EQ(line[ProductColumn::PriceTiers], S("1=5.90;10=5.50;50=4.90"));

    // A product without VAT rate takes the standard rate; one without unit the quantity 1.
    query.number = S("1013");
    const ProductSearch fee = store.SearchProducts(query);
    ASSERT_EQ(fee.records.size(), 1);
    const ProductLine feeLine = TakeProduct(fee.records.first(), stores.config);
    EXPECT_EQ(feeLine[ProductColumn::VatRate], S("20"));
    EXPECT_EQ(feeLine[ProductColumn::Quantity], S("1"));
    EXPECT_EQ(feeLine[ProductColumn::UnitPrice], S("3.50"));

    // A description pattern; every product in number order.
    ProductQuery pattern;
    pattern.description = S("%Kaffee%");
    const ProductSearch coffee = store.SearchProducts(pattern);
    ASSERT_EQ(coffee.records.size(), 1);
    EXPECT_EQ(coffee.records.first().number, S("1006"));
    const ProductSearch all = store.SearchProducts({});
    ASSERT_EQ(all.records.size(), 14);
    EXPECT_EQ(all.records.first().number, S("1001"));
    EXPECT_EQ(all.StatusText(), S("14 Einträge gefunden."));

    // The highest product number, shown by its id.
    const std::optional<ProductSearch> last = store.ShowLastProductNumber();
    ASSERT_TRUE(last);
    ASSERT_EQ(last->records.size(), 1);
    EXPECT_EQ(last->records.first().number, S("1014"));
    EXPECT_EQ(last->statement, S("SELECT * FROM Artikel WHERE ID=14"));
    EXPECT_TRUE(stores.captured.Messages().isEmpty());
}

TEST_P(StoresTest, UmlautSearchFindsMueller)
{
    const AddressSearch found = Addresses().SearchAddresses(QString(), S("Mü"));
    ASSERT_TRUE(found.outcome.ok);
    EXPECT_EQ(found.statement,
              S("SELECT * FROM Kunden where SUCHBEGRIFF LIKE '%Mü%' ORDER BY SUCHBEGRIFF"));
    // Müller Bau in Linz, and the customer in München.
    ASSERT_EQ(found.records.size(), 2);
    EXPECT_EQ(found.records[0].attention, S("Herr Jürgen Groß"));
    EXPECT_EQ(found.records[1].name, S("Müller Bau GmbH"));
    EXPECT_EQ(found.StatusText(), S("2 Einträge gefunden"));
}

TEST_P(StoresTest, ApostropheSearchedSavedAndReadBackUnchanged)
{
    AddressStore store = Addresses();
    const AddressSearch pattern = store.SearchAddresses(S("FIRMA"), S("O'Connor"));
    ASSERT_TRUE(pattern.outcome.ok);
    ASSERT_EQ(pattern.records.size(), 1);
    EXPECT_EQ(pattern.records.first().name, S("O'Connor & Partner Steuerberatung OG"));
    EXPECT_EQ(pattern.records.first().lastName, S("O'Connor"));
    // The exact search takes the literal as the user types it, quotes doubled by the user.
    const AddressSearch exact = store.SearchAddresses(S("ZUNAME"), S("!!'O''Connor'"));
    ASSERT_EQ(exact.records.size(), 1);
    EXPECT_EQ(exact.statement, S("SELECT * FROM Kunden where ZUNAME='O''Connor' ORDER BY "
                                 "SUCHBEGRIFF"));

    Recipient r;
    r.attention = S("Herr Mario D'Angelo");
    r.name = S("D'Angelo Feinkost & Söhne");
    r.name2 = S("Spezialitäten");
    r.street = S("Getreidegasse 9");
    r.postalCode = S("5020");
    r.town = S("Salzburg");
    r.country = 43;
    r.email = S("mario@dangelo.at");
    r.mobile = S("+43 664 9988776");

    // No: nothing is saved.
    SavedRecord saved = store.SaveRecipientAsAddress(r, S("ATU99887766"));
    EXPECT_EQ(saved.id, 0);
    EXPECT_TRUE(saved.outcome.ok);
    EXPECT_EQ(stores.captured.Messages(),
              QStringList{S("Soll dieser Empfängertextblock wirklich gespeichert werden?")});
    EXPECT_EQ(Count("Kunden"), 12);

    AnswerYes();
    saved = store.SaveRecipientAsAddress(r, S("ATU99887766"));
    ASSERT_TRUE(saved.outcome.ok) << saved.outcome.message.toStdString();
    EXPECT_EQ(saved.id, 13);
    EXPECT_EQ(answered,
              QStringList{S("Soll dieser Empfängertextblock wirklich gespeichert werden?")});

    const AddressSearch back = store.LookupCustomer(saved.id);
    ASSERT_EQ(back.records.size(), 1);
    const AddressRecord& a = back.records.first();
    EXPECT_EQ(a.attention, S("Herr Mario D'Angelo"));
    EXPECT_EQ(a.firstName, S("Mario"));
    EXPECT_EQ(a.lastName, S("D'Angelo"));
    EXPECT_EQ(a.name, r.name);
    EXPECT_EQ(a.name2, r.name2);
    EXPECT_EQ(a.street, r.street);
    EXPECT_EQ(a.postalCode, r.postalCode);
    EXPECT_EQ(a.town, r.town);
    EXPECT_EQ(a.country, S("43"));
    EXPECT_EQ(a.vatId, S("ATU99887766"));
    EXPECT_EQ(a.email, r.email);
    EXPECT_EQ(a.mobile, r.mobile);
    EXPECT_EQ(stores.db.Value(S("SELECT FIRMA FROM Kunden WHERE ID=13")), r.name);

    // And the pattern search finds it by its apostrophe.
    const AddressSearch again = store.SearchAddresses(S("ZUNAME"), S("D'Ang"));
    ASSERT_EQ(again.records.size(), 1);
    EXPECT_EQ(again.records.first().id, S("13"));
}

TEST_P(StoresTest, SearchThatWouldAddAStatementIsRefusedAndRunsNothing)
{
    AddressStore store = Addresses();
    const char* const texts[] = {
        "!!0; DELETE FROM Kunden",
        "!!'x'; DELETE FROM Kunden; ",
        "!!0 OR ID=ID; DROP TABLE Kunden",
        "!!'x'''; DELETE FROM Kunden",
    };
    for (const char* text : texts) {
        stores.captured.Clear();
        const AddressSearch search = store.SearchAddresses(S("ID"), S(text));
        EXPECT_FALSE(search.outcome.ok) << text;
        EXPECT_FALSE(search.outcome.endProgram);
        EXPECT_TRUE(search.records.isEmpty());
        EXPECT_EQ(stores.captured.Messages(), QStringList{SecondStatementMessage()});
        EXPECT_TRUE(stores.captured.Statements().isEmpty()) << text;
    }
    // The customer-number lookup takes typed text too.
    stores.captured.Clear();
    EXPECT_FALSE(store.LookupCustomer(S("1; DELETE FROM Kunden")).outcome.ok);
    EXPECT_TRUE(stores.captured.Statements().isEmpty());

    // So does the product-number search, which compares without quotes.
    stores.captured.Clear();
    ProductQuery query;
    query.number = S("1001; DELETE FROM Artikel");
    EXPECT_FALSE(Products().SearchProducts(query).outcome.ok);
    EXPECT_TRUE(stores.captured.Statements().isEmpty());

    EXPECT_EQ(Count("Kunden"), 12);
    EXPECT_EQ(Count("Artikel"), 14);

    // A ';' inside a literal is a value, and the search runs.
    stores.captured.Clear();
    const AddressSearch literal = store.SearchAddresses(S("FIRMA"), S("!!'Huber; Söhne'"));
    EXPECT_TRUE(literal.outcome.ok);
    EXPECT_TRUE(literal.records.isEmpty());
    EXPECT_EQ(stores.captured.Statements().size(), 1);
    const AddressSearch pattern = store.SearchAddresses(S("FIRMA"), S("a;b"));
    EXPECT_TRUE(pattern.outcome.ok);
    EXPECT_TRUE(stores.captured.Messages().isEmpty());
}

TEST_P(StoresTest, ConfiguredColumnTheTableLacksEndsTheProgram)
{
    // In a search: the column list entry matches no result column.
    ApplyConfigLine(stores.config, S("ODBCNAME2"), S("FEHLT"));
    stores.Rebuild();
    const AddressSearch search = Addresses().LookupCustomer(1);
    EXPECT_TRUE(search.outcome.endProgram);
    EXPECT_TRUE(search.records.isEmpty());
    const QString invalid = S("Ungültiges Feld 'FEHLT' aus Konfiguration!");
    EXPECT_EQ(stores.captured.Messages(), QStringList{invalid});
    EXPECT_TRUE(stores.captured.LogEntries().contains(invalid));

    // Saving the recipient block: the column is looked up in the table's column list.
    stores.captured.Clear();
    AnswerYes();
    Recipient r;
    r.name = S("Neu");
    r.name2 = S("Zusatz");
    const SavedRecord saved = Addresses().SaveRecipientAsAddress(r, QString());
    EXPECT_EQ(saved.id, 0);
    EXPECT_TRUE(saved.outcome.endProgram);
    const QString undefined =
        S("Definiertes Feld aus Konfigurationsdatei 'FEHLT' wurde in Datenbank nicht gefunden!");
    EXPECT_EQ(saved.outcome.message, undefined);
    EXPECT_EQ(answered.last(), undefined);
    EXPECT_EQ(Count("Kunden"), 12);

    // The same for products.
    ApplyConfigLine(stores.config, S("ODBCPRSTAFFEL"), S("RABATT"));
    stores.Rebuild();
    answered.clear();
    const ProductSearch products = Products().SearchProducts({});
    EXPECT_TRUE(products.outcome.endProgram);
    EXPECT_EQ(answered, QStringList{S("Ungültiges Feld 'RABATT' aus Konfiguration!")});
}

TEST_P(StoresTest, ProductLineSavedAsProductUnlessItsNumberExists)
{
    ProductStore store = Products();
    ProductLine line;
    line[ProductColumn::Quantity] = S("1");
    line[ProductColumn::ProductNumber] = S("1004");
    line[ProductColumn::Text] = S("Papier");
    line[ProductColumn::VatRate] = S("20");
    line[ProductColumn::UnitPrice] = S("5");

    // The number exists once: refused, and the list shows the last product number.
    SavedProduct saved = store.SaveLineAsProduct(line);
    EXPECT_EQ(saved.id, 0);
    EXPECT_EQ(saved.outcome.message,
              S("Diese Produktnummer existiert bereits! Abbruch!\n\nIn der Produktübersicht "
                "sehen eventuell Sie die zuletzt vergebene Produktnummer."));
    ASSERT_TRUE(saved.shown);
    ASSERT_EQ(saved.shown->records.size(), 1);
    EXPECT_EQ(saved.shown->records.first().number, S("1014"));
    EXPECT_EQ(Count("Artikel"), 14);

    // A new number, a total price ("g") and a unit with a decimal comma.
    AnswerYes();
    line[ProductColumn::Quantity] = S("4 Std.");
    line[ProductColumn::ProductNumber] = S("1015");
    line[ProductColumn::Text] = S("Reparatur \"Express\" für O'Neill");
    line[ProductColumn::VatRate] = S("20,0");
    line[ProductColumn::UnitPrice] = S("g300");
    saved = store.SaveLineAsProduct(line);
    ASSERT_TRUE(saved.outcome.ok) << saved.outcome.message.toStdString();
    EXPECT_EQ(saved.id, 15);
    EXPECT_EQ(answered, QStringList{S("Soll dieses Produkt wirklich gespeichert werden?")});
    ASSERT_TRUE(saved.shown);
    ASSERT_EQ(saved.shown->records.size(), 1);
    const ProductRecord& p = saved.shown->records.first();
    EXPECT_EQ(p.number, S("1015"));
    EXPECT_EQ(p.description, line[ProductColumn::Text]);
    EXPECT_EQ(p.unit, S("Std."));
    EXPECT_EQ(p.price.toDouble(), 75);
    EXPECT_EQ(p.vatRate.toDouble(), 20);

    // A price that is no number is refused before anything is written.
    answered.clear();
    line[ProductColumn::ProductNumber] = S("1016");
    line[ProductColumn::UnitPrice] = S("zwölf");
    saved = store.SaveLineAsProduct(line);
    EXPECT_EQ(saved.id, 0);
    EXPECT_EQ(answered.last(), S("Der Wert 'zwölf' im Feld 'PREIS' ist keine Zahl!"));
    EXPECT_EQ(Count("Artikel"), 15);

    // "Zeige letzte Produktnummer" on an empty table does nothing.
    ASSERT_TRUE(stores.db.Exec(S("DELETE FROM Artikel")));
    EXPECT_FALSE(store.ShowLastProductNumber());
}

TEST_P(StoresTest, RecordEditorChangesAppendsAndDeletes)
{
    RecordEditor editor = Addresses().Editor();
    RecordFields fields = editor.Read(3);
    ASSERT_TRUE(fields.ok);
    ASSERT_EQ(fields.names.size(), 18);
    EXPECT_EQ(fields.names[0].toUpper(), S("ID"));
    EXPECT_EQ(SqlTypeName(fields.types[0]), S("Integer"));
    EXPECT_EQ(SqlTypeName(fields.types[5]), S("VarChar"));
    EXPECT_EQ(fields.values[4], S("O'Connor"));

    // Change: the street, with a line break typed as backslash-n.
    QStringList values = fields.values;
    values[7] = StoredFieldValue(S("Herrengasse 7\\nHoftrakt"));
    AnswerYes();
    EXPECT_EQ(editor.WriteRecord(true, fields.names, fields.types, values), 3);
    EXPECT_EQ(stores.db.Value(S("SELECT STRASSE FROM Kunden WHERE ID=3")),
              S("Herrengasse 7\r\nHoftrakt"));
    EXPECT_EQ(stores.db.Value(S("SELECT ZUNAME FROM Kunden WHERE ID=3")), S("O'Connor"));

    // Append: the automatic id is left to the database.
    values[5] = S("O'Connor Zweigstelle");
    EXPECT_EQ(editor.WriteRecord(false, fields.names, fields.types, values), 13);
    EXPECT_EQ(stores.db.Value(S("SELECT FIRMA FROM Kunden WHERE ID=13")), values[5]);

    // Without ID among the auto columns the writer draws the highest id plus 1.
    stores.config.ODBCAUTO.clear();
    stores.Rebuild();
    RecordEditor manual = Addresses().Editor();
    values[5] = S("Dritte");
    EXPECT_EQ(manual.WriteRecord(false, fields.names, fields.types, values), 14);
    EXPECT_EQ(stores.db.Value(S("SELECT FIRMA FROM Kunden WHERE ID=14")), S("Dritte"));

    // A numeric column with a text refuses the write: nothing changes.
    values[10] = S("Österreich");
    answered.clear();
    EXPECT_EQ(manual.WriteRecord(true, fields.names, fields.types, values), 0);
    EXPECT_EQ(
        answered,
        QStringList{S("Der Wert 'Österreich' im Feld '%1' ist keine Zahl!").arg(fields.names[10])});

    // Delete, and a second delete of the same row fails.
    EXPECT_TRUE(manual.DeleteRecordById(14));
    EXPECT_FALSE(manual.DeleteRecordById(14));
    EXPECT_EQ(Count("Kunden"), 13);

    // A record that is gone reads as empty values.
    fields = manual.Read(14);
    ASSERT_TRUE(fields.ok);
    EXPECT_EQ(fields.values, QStringList(fields.names.size(), QString()));
}

// Runs a program with the given input; its standard output.
QByteArray RunProgram(const QString& program, const QStringList& arguments, const QByteArray& input)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(10000)) {
        ADD_FAILURE() << program.toStdString() << " did not start";
        return {};
    }
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return process.readAllStandardOutput();
}

TEST_P(StoresTest, CsvExportReadBackAsWindows1252Csv)
{
    AddressStore store = Addresses();
    // Every address, one of them with a separator, a quote and a line break in its values.
    ASSERT_TRUE(stores.db.Exec(S("UPDATE Kunden SET FIRMA='Huber; Söhne \"Zur Linde\"', "
                                 "ZUSATZ='Familie Huber' WHERE ID=5")));
    const AddressSearch all = store.SearchAllAddresses();
    ASSERT_EQ(all.records.size(), 12);
    QList<ExportedAddress> marked;
    for (const AddressRecord& record : all.records) {
        ExportedAddress address;
        Recipient& r = address.recipient;
        r.customerNumber = record.customerNumber.toInt();
        r.attention = record.attention;
        r.name = record.name;
        r.name2 = record.id == S("5") ? S("Zeile 1\r\nZeile 2") : record.name2;
        r.street = record.street;
        r.postalCode = record.postalCode;
        r.town = record.town;
        r.country = record.country.toInt();
        r.email = record.email;
        r.phone = record.phone;
        r.mobile = record.mobile;
        r.title = record.title;
        r.firstName = record.firstName;
        r.lastName = record.lastName;
        r.personalSalutation = record.personalSalutation;
        address.reference = record.info;
        marked << address;
    }
    const QString path = stores.db.Folder() + S("Adressen.csv");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("alter Inhalt, länger als der neue wird es nicht sein müssen\r\n");
    old.close();

    const ExportResult result = ExportAddresses(path, marked, 43);
    ASSERT_TRUE(result.written) << result.message.toStdString();
    EXPECT_EQ(result.message, S("Die markierten Adressdaten wurden exportiert."));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("NAME1;NAME2;NAME3;STRASSE;LAND;LNR;PLZ;ORT;OPTION;TELEFON;"));
    EXPECT_TRUE(bytes.contains("M\xfcller Bau GmbH;")); // ü in Windows-1252

    const QByteArray utf8 =
        RunProgram(S("iconv"), {S("-f"), S("WINDOWS-1252"), S("-t"), S("UTF-8"), path}, {});
    const QByteArray json =
        RunProgram(S("/usr/bin/python3"),
                   {S("-c"), S("import csv, io, json, sys\n"
                               "text = sys.stdin.buffer.read().decode('utf-8')\n"
                               "rows = list(csv.reader(io.StringIO(text, newline=''),"
                               " delimiter=';'))\n"
                               "print(json.dumps(rows))\n")},
                   utf8);
    const QJsonArray rows = QJsonDocument::fromJson(json).array();
    ASSERT_EQ(rows.size(), 13);
    for (const QJsonValue& row : rows)
        EXPECT_EQ(row.toArray().size(), 22);
    EXPECT_EQ(rows[0].toArray()[16].toString(), S("KUNDENNR"));
    for (int i = 0; i < marked.size(); ++i) {
        const QJsonArray row = rows[i + 1].toArray();
        const Recipient& r = marked[i].recipient;
        SCOPED_TRACE(r.name.toStdString());
        EXPECT_EQ(row[0].toString(), r.name);
        EXPECT_EQ(row[1].toString(), r.name2);
        EXPECT_EQ(row[2].toString(), r.attention);
        EXPECT_EQ(row[3].toString(), r.street);
        EXPECT_EQ(row[4].toString(), r.country == 49   ? S("Deutschland")
                                     : r.country == 41 ? S("Schweiz")
                                                       : QString());
        EXPECT_EQ(row[5].toString(), QString::number(r.country));
        EXPECT_EQ(row[6].toString(), r.postalCode);
        EXPECT_EQ(row[7].toString(), r.town);
        EXPECT_EQ(row[8].toString(), marked[i].reference);
        EXPECT_EQ(row[9].toString(), r.phone);
        EXPECT_EQ(row[13].toString(), r.firstName);
        EXPECT_EQ(row[14].toString(), r.lastName);
        EXPECT_EQ(row[16].toString(), QString::number(r.customerNumber));
    }

    // Nothing marked, or a name too short: refused, the file stays as it is.
    stores.captured.Clear();
    EXPECT_FALSE(ExportAddresses(path, {}, 43).written);
    EXPECT_FALSE(ExportAddresses(stores.db.Folder() + S("a.c"), marked, 43).written);
    EXPECT_EQ(stores.captured.Messages(),
              (QStringList{S("Es wurden keine Adressen selektiert!"),
                           S("Bitte geben Sie mehr als 3 Zeichen ein!")}));
    ASSERT_TRUE(file.seek(0));
    EXPECT_EQ(file.readAll(), bytes);
    EXPECT_FALSE(QFile::exists(stores.db.Folder() + S("a.c")));
}

INSTANTIATE_TEST_SUITE_P(Backends, StoresTest,
                         ::testing::Values(Backend::Sqlite, Backend::PostgreSql),
                         [](const ::testing::TestParamInfo<Backend>& info) {
                             return BackendName(info.param);
                         });

// A PostgreSQL database that takes no changes refuses the record editor before any write.
TEST(StoresReadOnly, DatabaseThatTakesNoChangesRefusesTheEditor)
{
    SampleStores stores(Backend::PostgreSql);
    ASSERT_TRUE(stores.Ok()) << stores.Failure().toStdString();
    ASSERT_TRUE(stores.db.Exec(S("ALTER DATABASE fakvo SET default_transaction_read_only = on")));
    RecordEditor editor = AddressStore(*stores.database, stores.config).Editor();
    const RecordFields fields = editor.Read(1);
    ASSERT_TRUE(fields.ok);
    stores.captured.Clear();
    EXPECT_EQ(editor.WriteRecord(true, fields.names, fields.types, fields.values), 0);
    EXPECT_EQ(stores.captured.Messages(),
              QStringList{S("Das Bearbeiten dieser Datenbank ist nicht möglich!")});
    // The next test's database is made afresh, without this setting.
}

} // namespace
