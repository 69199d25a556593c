// The rules of the address and product stores that need no database: the record writer's
// statements, the search statements, the single-statement check, attention lines, column
// mappings, taking a product into the pending line, and the CSV export's text.

#include "config/configuration.h"
#include "storage/addressexport.h"
#include "storage/addressstore.h"
#include "storage/productstore.h"
#include "storage/recordeditor.h"
#include "storage/statementcheck.h"

#include "storetestsupport.h"

#include "app/model/tiers.h"

#include <gtest/gtest.h>

using namespace fakvo;
using namespace fakvo::test;

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

QStringList L(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list << S(text);
    return list;
}

// ---- Record writer ----

struct WriterCase
{
    const char* name;
    bool update;
    bool brackets;
    QStringList names, types, values, autoColumns;
    long long highestId;
    const char* statement; // empty: refused
    const char* failure;
};

TEST(RecordWriter, StatementsByDialectTypeAndAutoColumns)
{
    const QStringList names = L({"ID", "NAME1", "PLZ", "UMSATZ", "GEAENDERT"});
    // Integer id, text, text, decimal, timestamp (ODBC 2 code 11).
    const QStringList types = L({"004 010", "012 100", "012 010", "003 012", "011 019"});
    const WriterCase cases[] = {
        {"update with brackets: quotes doubled, empty number 0, empty timestamp left out", true,
         true, names, types, L({"5", "O'Brien & Söhne", "1010", "", " "}), L({"ID"}), 0,
         "UPDATE ADRESSEN SET  [NAME1]='O''Brien & Söhne', [PLZ]='1010', [UMSATZ]=0 where ID=5",
         ""},
        {"update bare with a timestamp value and a decimal comma", true, false, names, types,
         L({"7", "Müller", "", "19,90", "2024-03-15 10:20:30"}), L({"ID"}), 0,
         "UPDATE ADRESSEN SET  NAME1='Müller', PLZ='', UMSATZ=19.90, "
         "GEAENDERT='2024-03-15 10:20:30' where ID=7",
         ""},
        {"insert with automatic id: the id is left out, the timestamp gets its fixed value", false,
         false, names, types, L({"", "Gruber", "9020", "-3.5", "egal"}), L({"ID"}), 0,
         "INSERT INTO ADRESSEN (NAME1, PLZ, UMSATZ, GEAENDERT) values ('Gruber', '9020', -3.5, "
         "'1900-01-01 00:00:00')",
         ""},
        {"insert with a non-automatic id: highest id plus one", false, true, names, types,
         L({"", "Gruber", "9020", "1", ""}), L({}), 41,
         "INSERT INTO ADRESSEN ([ID], [NAME1], [PLZ], [UMSATZ], [GEAENDERT]) values (42, "
         "'Gruber', '9020', 1, '1900-01-01 00:00:00')",
         ""},
        {"an auto entry beginning with the column's name leaves the column out", false, false,
         L({"ID", "ADR", "NAME1"}), L({"004 010", "012 010", "012 010"}), L({"", "x", "y"}),
         L({"ID", "ADR_TIMESTAMP"}), 0, "INSERT INTO ADRESSEN (NAME1) values ('y')", ""},
        {"ODBC 3 timestamp code 93 counts as a timestamp", true, false, L({"ID", "STAMP"}),
         L({"004 010", "093 019"}), L({"3", ""}), L({"ID"}), 0, "UPDATE ADRESSEN SET   where ID=3",
         ""},
        {"a numeric column refuses a value that is no number", true, false, names, types,
         L({"5", "x", "", "1; DELETE FROM ADRESSEN", ""}), L({"ID"}), 0, "",
         "Der Wert '1; DELETE FROM ADRESSEN' im Feld 'UMSATZ' ist keine Zahl!"},
        {"an update whose id is no whole number is refused", true, false, names, types,
         L({"5 OR 1=1", "x", "", "", ""}), L({"ID"}), 0, "",
         "Der Datensatz hat keine gültige Nummer im Feld 'ID'!"},
    };
    for (const WriterCase& c : cases) {
        SCOPED_TRACE(c.name);
        RecordStatementInput input;
        input.table = QStringLiteral("ADRESSEN");
        input.idColumn = QStringLiteral("ID");
        input.brackets = c.brackets;
        input.update = c.update;
        input.names = c.names;
        input.types = c.types;
        input.values = c.values;
        input.autoColumns = c.autoColumns;
        input.highestId = c.highestId;
        const RecordStatement statement = BuildRecordStatement(input);
        EXPECT_EQ(statement.statement, S(c.statement));
        EXPECT_EQ(statement.failure, S(c.failure));
    }
}

TEST(RecordWriter, TypeNamesLabelsAndGridValues)
{
    const struct
    {
        const char* type;
        const char* name;
    } names[] = {{"012 255", "VarChar"},   {"004 010", "Integer"},  {"-07 001", "Bit"},
                 {"-11 036", "Guid"},      {"005 005", "SamlInt"},  {"011 019", "TimeStamp"},
                 {"093 019", "TimeStamp"}, {"091 010", "DateTime"}, {"000 000", "Unbek."},
                 {"099 010", "099 010"}};
    for (const auto& n : names)
        EXPECT_EQ(SqlTypeName(S(n.type)), S(n.name)) << n.type;

    EXPECT_EQ(RecordFieldLabel(S("NAME1"), S("012 255"), false), S("NAME1 [VarChar:255]"));
    const QString autoLabel = RecordFieldLabel(S("ID"), S("004 010"), true);
    EXPECT_EQ(autoLabel, S("ID [Integer:10 [AUTOWERT]"));
    EXPECT_TRUE(autoLabel.contains(S("[AUTOWERT]")));

    EXPECT_TRUE(IsAutoColumn(S("adr"), L({"ID", "ADR_TIMESTAMP"})));
    EXPECT_FALSE(IsAutoColumn(S("NAME1"), L({"ID", "ADR_TIMESTAMP"})));
    EXPECT_EQ(StoredFieldValue(S("Zeile 1\\nZeile 2")), S("Zeile 1\r\nZeile 2"));
}

// ---- Searches ----

TEST(AddressSearchStatement, PatternExactCustomerNumberAndSort)
{
    const struct
    {
        const char* column;
        const char* text;
        const char* sort;
        const char* statement;
    } cases[] = {
        {"NAME1", "davad", "", "SELECT * FROM ADRESSEN where NAME1 LIKE '%davad%'"},
        {"NAME1", "davad", "NAME1",
         "SELECT * FROM ADRESSEN where NAME1 LIKE '%davad%' ORDER BY NAME1"},
        {"NAME1", "!!'davad'", "", "SELECT * FROM ADRESSEN where NAME1='davad'"},
        {"KUNDENNR", "!!1010", "", "SELECT * FROM ADRESSEN where KUNDENNR=1010"},
        {"KUNDENNR", "1010", "", "SELECT * FROM ADRESSEN where KUNDENNR=1010"},
        {"kundennr", "1010", "", "SELECT * FROM ADRESSEN where kundennr=1010"},
        {"PLZ", "!!12", "", "SELECT * FROM ADRESSEN where PLZ=12"},
        {"PLZ", "12", "", "SELECT * FROM ADRESSEN where PLZ LIKE '%12%'"},
        {"", "Mü", "", "SELECT * FROM ADRESSEN where SUCHBEGRIFF LIKE '%Mü%'"},
        {"NAME1", "O'Brien", "", "SELECT * FROM ADRESSEN where NAME1 LIKE '%O''Brien%'"},
        {"ID", "!!0 OR ID=ID ORDER BY ORT", "NAME1",
         "SELECT * FROM ADRESSEN where ID=0 OR ID=ID ORDER BY ORT"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            AddressSearchStatement(S("ADRESSEN"), S(c.column), S(c.text), S("KUNDENNR"), S(c.sort)),
            S(c.statement))
            << c.text;
}

TEST(StatementCheck, OneStatementOnly)
{
    const struct
    {
        const char* statement;
        bool second;
    } cases[] = {
        {"SELECT * FROM K where ID=0 OR ID=ID", false},
        {"SELECT * FROM K where NAME1='davad'", false},
        {"SELECT * FROM K where NAME1='Müller; Söhne'", false},
        {"SELECT * FROM K where NAME1='O''Brien; Söhne'", false},
        {"SELECT * FROM K where ID=1; DELETE FROM K", true},
        {"SELECT * FROM K where NAME1='a';DELETE FROM K", true},
        {"SELECT * FROM K where NAME1='a''';DELETE FROM K", true},
        {"SELECT * FROM K where ID=1;", true},
        // Quoting that other databases read differently: refused once a ';' is present.
        {"SELECT * FROM K where NAME1=$$'$$; DELETE FROM K; --'", true},
        {"SELECT * FROM K where NAME1='\\'; DELETE FROM K; --'", true},
        {"SELECT * FROM K where NAME1=\"a'\"; DELETE FROM K --'", true},
        {"SELECT * FROM K where ID=1 -- ';\nDELETE FROM K", true},
        {"SELECT * FROM K where ID=1 /* '; */ DELETE FROM K", true},
        {"SELECT * FROM K where [x';]=1", true},
        // Without a ';' nothing can follow.
        {"SELECT * FROM K where NAME1=$$a$$ -- x", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AddsSecondStatement(S(c.statement)), c.second) << c.statement;
}

TEST(ProductSearchStatement, NumberDescriptionLastNumberAndId)
{
    Configuration config;
    config.ODBCPRKURZBEZ = S("KURZBEZ");
    config.ODBCPRBEZ = S("BEZ");
    config.ODBCPRID = S("ID");
    const TableSetSettings limit{{}, {}, {}, S("PRODUKTE"), false, {}};
    const TableSetSettings top{{}, {}, {}, S("PRODUKTE"), true, {}};
    const auto statement = [&](const TableSetSettings& set, const char* number,
                               const char* description, long long id, bool last) {
        ProductQuery query;
        query.number = S(number);
        query.description = S(description);
        query.productId = id;
        query.lastNumber = last;
        return ProductSearchStatement(config, set, query);
    };

    config.PRODUKTNREINDEUTIG = 1;
    EXPECT_EQ(statement(limit, "4711", "", 0, false),
              S("SELECT * FROM PRODUKTE WHERE KURZBEZ LIKE '4711'"));
    config.PRODUKTNREINDEUTIG = 0;
    EXPECT_EQ(statement(limit, "4711", "", 0, false),
              S("SELECT * FROM PRODUKTE WHERE KURZBEZ =4711"));
    EXPECT_EQ(statement(limit, "", "%Kaffee's%", 0, false),
              S("SELECT * FROM PRODUKTE WHERE BEZ LIKE '%Kaffee''s%'"));
    config.ODBCPRSORT = S("KURZBEZ");
    EXPECT_EQ(statement(limit, "", "", 0, false), S("SELECT * FROM PRODUKTE ORDER BY KURZBEZ"));
    config.ODBCPRSORT.clear();

    config.ODBCPRBEZ = S("BEZ,BEZ2");
    EXPECT_EQ(statement(limit, "", "%x%", 0, false),
              S("SELECT * FROM PRODUKTE WHERE BEZ LIKE '%x%' OR BEZ2 LIKE '%x%'"));
    // With a number condition the OR group stands in parentheses, so the number applies.
    EXPECT_EQ(statement(limit, "12", "%x%", 0, false),
              S("SELECT * FROM PRODUKTE WHERE KURZBEZ =12 AND (BEZ LIKE '%x%' OR BEZ2 LIKE "
                "'%x%')"));
    config.ODBCPRBEZ = S("BEZ");
    EXPECT_EQ(statement(limit, "12", "%x%", 0, false),
              S("SELECT * FROM PRODUKTE WHERE KURZBEZ =12 AND BEZ LIKE '%x%'"));

    // Last number: the description is not used; LIMIT or TOP by dialect.
    EXPECT_EQ(statement(limit, "", "%x%", 0, true),
              S("SELECT * FROM PRODUKTE ORDER BY KURZBEZ DESC  LIMIT 1 "));
    EXPECT_EQ(statement(top, "", "", 0, true),
              S("SELECT TOP 1 * FROM PRODUKTE ORDER BY KURZBEZ DESC "));
    // A product id replaces the conditions and the sort.
    config.ODBCPRSORT = S("KURZBEZ");
    EXPECT_EQ(statement(limit, "12", "%x%", 17, false), S("SELECT * FROM PRODUKTE WHERE ID=17"));
}

// ---- Attention lines and mappings ----

TEST(AttentionLine, SplitIntoSalutationTitleAndNames)
{
    const struct
    {
        const char* line;
        AttentionParts parts;
    } cases[] = {
        {"Herrn (Dipl.-Ing.) Hans Peter Muster",
         {S("Herrn"), S("Dipl.-Ing."), S("Hans Peter"), S("Muster")}},
        {"Max Muster", {S("Frau"), {}, S("Max"), S("Muster")}},
        {"Frau Mag. Anna Huber", {S("Frau"), {}, S("Mag. Anna"), S("Huber")}},
        {"Herr Mario D'Angelo", {S("Herr"), {}, S("Mario"), S("D'Angelo")}},
        {"Fam.  Bärtschi ", {S("Fam."), {}, {}, S("Bärtschi")}},
        {"Abt. (Einkauf)", {S("Abt."), S("Einkauf"), {}, {}}},
        {"", {S("Frau"), {}, {}, {}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitAttentionLine(S(c.line)), c.parts) << c.line;

    EXPECT_EQ(AttentionFromCode(S("w")), S("Frau"));
    EXPECT_EQ(AttentionFromCode(S("M")), S("Herr"));
    EXPECT_EQ(AttentionFromCode(S("a")), S("Fam."));
    EXPECT_EQ(AttentionFromCode(S("X")), S("X"));
    EXPECT_EQ(AttentionFromCode(S("Wa")), S("Wa"));
}

TEST(ColumnMapping, JoinAndResolve)
{
    EXPECT_EQ(MappingColumns(S(" FIRMA , ZUSATZ,,")), L({"FIRMA", "ZUSATZ"}));
    EXPECT_EQ(JoinColumnValues(L({"Beispiel GmbH ", ""})), S("Beispiel GmbH"));
    EXPECT_EQ(JoinColumnValues(L({"Herr", "", "Max", "Muster"})), S("Herr Max Muster"));
    EXPECT_EQ(JoinColumnValues(L({"a        b", " c "})), S("a b c"));

    Captured captured;
    // Every configured column matches the first result column beginning with it.
    const ResolvedMappings ok = ResolveMappings(
        L({"ID", "FIRMA", "ZUSATZ"}), L({"FIRMA,ZUSATZ", "ID"}), L({"id", "firma_lang", "zusatz"}));
    ASSERT_TRUE(ok.outcome.ok);
    EXPECT_EQ(ok.fields, (QList<QList<int>>{{1, 2}, {0}}));

    const ResolvedMappings invalid =
        ResolveMappings(L({"ID", "FEHLT"}), L({"ID"}), L({"ID", "NAME1"}));
    EXPECT_TRUE(invalid.outcome.endProgram);
    EXPECT_EQ(invalid.outcome.message, S("Ungültiges Feld 'FEHLT' aus Konfiguration!"));

    const ResolvedMappings undefined = ResolveMappings(L({"ID"}), L({"ID", "NAME1"}), L({"ID"}));
    EXPECT_TRUE(undefined.outcome.endProgram);
    const QString message =
        S("Definiertes Feld aus Konfigurationsdatei 'NAME1' wurde in Datenbank nicht gefunden!");
    EXPECT_EQ(undefined.outcome.message, message);
    EXPECT_EQ(captured.Messages(),
              (QStringList{S("Ungültiges Feld 'FEHLT' aus Konfiguration!"), message}));
    EXPECT_EQ(captured.LogEntries(), captured.Messages());
}

TEST(NewAddressRecord, ColumnsAndValuesFromTheRecipientBlock)
{
    Configuration config;
    config.ODBCID = S("ID");
    config.ODBCNAME1 = S("FIRMA,ZUSATZ");
    config.ODBCNAME3 = S("ANREDE,TITEL,VORNAME,ZUNAME");
    config.ODBCTITEL = S("TITEL");
    config.ODBCVORNAME = S("VORNAME");
    config.ODBCZUNAME = S("ZUNAME");
    config.ODBCLAND = S("LAND");
    config.ODBCEMAIL = S("EMAIL");
    Recipient r;
    r.attention = S("Herrn (Dr.) Mario D'Angelo");
    r.name = S("D'Angelo Feinkost");
    r.country = 39;
    r.email = S("mario@example.it");
    NewRecord record = NewAddressRecord(config, r, S("IT123"));
    EXPECT_EQ(record.names,
              L({"ID", "ANREDE", "TITEL", "VORNAME", "ZUNAME", "FIRMA", "LAND", "EMAIL"}));
    EXPECT_EQ(record.values, L({"", "Herrn", "Dr.", "Mario", "D'Angelo", "D'Angelo Feinkost", "39",
                                "mario@example.it"}));

    // One attention column: the whole line without parentheses.
    config.ODBCNAME3 = S("NAME3");
    config.ODBCXUID = S("UID");
    record = NewAddressRecord(config, r, S("IT123"));
    EXPECT_EQ(record.names, L({"ID", "NAME3", "FIRMA", "LAND", "UID", "EMAIL"}));
    EXPECT_EQ(record.values[1], S("Herrn Dr. Mario D'Angelo"));
    EXPECT_EQ(record.values[4], S("IT123"));
}

// ---- Products ----

TEST(TakeProduct, QuantityPriceTiersAndVat)
{
    Configuration config;
    config.EINZELPREISNACHKOMMASTELLEN = 2;
    config.STANDARDMWST = S("20");
    const auto take = [&](const char* unit, const char* price, const char* tiers, const char* vat) {
        ProductRecord record;
        record.unit = S(unit);
        record.price = S(price);
        record.tiers = S(tiers);
        record.vatRate = S(vat);
        record.number = S("4711");
        record.description = S("Beratung");
        return TakeProduct(record, config);
    };
    ProductLine line = take("", "95", "", "");
    EXPECT_EQ(line[ProductColumn::Quantity], S("1"));
    EXPECT_EQ(line[ProductColumn::UnitPrice], S("95.00"));
    EXPECT_EQ(line[ProductColumn::VatRate], S("20"));
    EXPECT_EQ(line[ProductColumn::ProductNumber], S("4711"));
    EXPECT_EQ(line[ProductColumn::Text], S("Beratung"));
    EXPECT_EQ(line[ProductColumn::PriceTiers], QString());

    EXPECT_EQ(take("Std.", "1", "", "10")[ProductColumn::Quantity], S("1 Std."));
    EXPECT_EQ(take("2,5 Std.", "1", "", "10")[ProductColumn::Quantity], S("2.5 2,5 Std."));
    EXPECT_EQ(take("3", "1", "", "10")[ProductColumn::Quantity], S("3 3"));
    EXPECT_EQ(take("Std.", "1", "", "10")[ProductColumn::VatRate], S("10"));

    // Tiers get the unit price as their first entry and come sorted by threshold.
    EXPECT_EQ(take("", "9.9", "10=9,50", "")[ProductColumn::PriceTiers], S("1=9.90;10=9,50"));
    EXPECT_EQ(take("", "9.9", "50=8.90;10=9.50", "")[ProductColumn::PriceTiers],
              S("1=9.90;10=9.50;50=8.90"));
    EXPECT_EQ(take("", "9.9", "1=9;5=8", "")[ProductColumn::PriceTiers], S("1=9;5=8"));

    // A price divisor: 1999 becomes 19.99.
    config.ODBCPRKORRPREIS = 100;
    line = take("", "1999", "10=18", "");
    EXPECT_EQ(line[ProductColumn::UnitPrice], S("19.99"));
    EXPECT_EQ(line[ProductColumn::PriceTiers], S("1=19.99;10=18"));

    EXPECT_EQ(JoinTiers(TierEntries(S(" 100=7 ;; 10=9.5;2=9.9;"))), S("2=9.9;10=9.5;100=7"));
    EXPECT_EQ(JoinTiers(TierEntries(S("1=9.5"))), S("1=9.5;")) << "a single tier applies";
}

TEST(NewProductRecord, UnitsTotalsAndCommas)
{
    Configuration config;
    config.EINZELPREISNACHKOMMASTELLEN = 2;
    config.ODBCPRID = S("ID");
    config.ODBCPRSTUECK = S("EINHEIT");
    config.ODBCPRKURZBEZ = S("ARTNR");
    config.ODBCPRBEZ = S("BEZEICHNUNG");
    config.ODBCPRMWST = S("MWST");
    config.ODBCPRPREIS = S("PREIS");
    ProductLine line;
    line[ProductColumn::Quantity] = S("4 Std.");
    line[ProductColumn::ProductNumber] = S("2001");
    line[ProductColumn::Text] = S("Reparatur");
    line[ProductColumn::VatRate] = S("20,0");
    line[ProductColumn::UnitPrice] = S("g100");
    NewRecord record = NewProductRecord(config, line);
    EXPECT_EQ(record.names, L({"ID", "EINHEIT", "ARTNR", "BEZEICHNUNG", "MWST", "PREIS"}));
    EXPECT_EQ(record.values, L({"", "Std.", "2001", "Reparatur", "20.0", "25.00"}));

    config.ODBCPRSTUECK = S("MENGE,EINHEIT");
    line[ProductColumn::Quantity] = S("2,5 kg");
    line[ProductColumn::UnitPrice] = S("18,50");
    record = NewProductRecord(config, line);
    EXPECT_EQ(record.names, L({"ID", "MENGE", "EINHEIT", "ARTNR", "BEZEICHNUNG", "MWST", "PREIS"}));
    EXPECT_EQ(record.values, L({"", "2.5", "kg", "2001", "Reparatur", "20.0", "18.50"}));
}

// ---- Selection lists and export ----

TEST(SelectionLists, ColumnsWidthsAndRows)
{
    const QList<SelectionColumn> addresses = AddressListColumns({40, 80});
    ASSERT_EQ(addresses.size(), 11);
    EXPECT_EQ(addresses[0].title, S("KuNr"));
    EXPECT_TRUE(addresses[0].rightAligned);
    EXPECT_EQ(addresses[0].width, 40);
    EXPECT_EQ(addresses[1].width, 80);
    EXPECT_EQ(addresses[4].title, S("Straße"));
    EXPECT_EQ(addresses[10].title, S("Info"));
    EXPECT_EQ(addresses[10].width, 100);
    EXPECT_FALSE(addresses[10].rightAligned);

    AddressRecord record;
    record.customerNumber = S("7");
    record.attention = S("Frau Jana Weiß");
    record.info = S("Info");
    const QStringList row = AddressListRow(record);
    ASSERT_EQ(row.size(), 11);
    EXPECT_EQ(row[0], S("7"));
    EXPECT_EQ(row[1], S("Frau Jana Weiß"));
    EXPECT_EQ(row[10], S("Info"));

    const QList<SelectionColumn> products = ProductListColumns({30, 40, 50, 60, 70, 80});
    ASSERT_EQ(products.size(), 6);
    QStringList titles;
    QList<int> widths;
    for (const SelectionColumn& column : products) {
        titles << column.title;
        widths << column.width;
    }
    EXPECT_EQ(titles, L({"Menge", "Prod.Nr.", "E.Preis", "Preisstaffel", "MWSt", "Bezeichnung"}));
    EXPECT_EQ(widths, (QList<int>{30, 40, 50, 100, 60, 70}));
    EXPECT_TRUE(products[0].rightAligned);
    EXPECT_EQ(ProductListColumns({})[5].width, 100);
}

TEST(AddressExport, FieldsQuotedOnlyWhereTheyWouldShiftColumns)
{
    EXPECT_EQ(CsvField(S("Müller Bau GmbH")), S("Müller Bau GmbH"));
    EXPECT_EQ(CsvField(S("O'Connor & Partner")), S("O'Connor & Partner"));
    EXPECT_EQ(CsvField(S("Huber; Söhne")), S("\"Huber; Söhne\""));
    EXPECT_EQ(CsvField(S("Zeile 1\r\nZeile 2")), S("\"Zeile 1\r\nZeile 2\""));
    EXPECT_EQ(CsvField(S("\"Zur Linde\" Gasthof")), S("\"\"\"Zur Linde\"\" Gasthof\""));

    ExportedAddress a;
    a.recipient.name = S("Müller Bau GmbH");
    a.recipient.country = 43;
    a.recipient.customerNumber = 1;
    ExportedAddress b;
    b.recipient.name = S("Schäfer & Söhne GmbH");
    b.recipient.country = 49;
    b.recipient.customerNumber = 6;
    b.recipient.freeFields[4] = S("letztes");
    const QStringList lines = AddressExportText({a, b}, 43).split(S("\r\n"));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], AddressExportHeader());
    EXPECT_EQ(lines[0].count(QLatin1Char(';')), 21);
    EXPECT_EQ(lines[1], S("Müller Bau GmbH;;;;;43;;;;;;;;;;;1;;;;;"));
    EXPECT_EQ(lines[2], S("Schäfer & Söhne GmbH;;;;Deutschland;49;;;;;;;;;;;6;;;;;letztes"));
    EXPECT_EQ(lines[3], QString());
}

} // namespace
