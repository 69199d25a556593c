// The text variables: every variable of the table with its value for a document and for an
// address row, the two fixed variables, and the replacement rules (plain-text matching,
// blank runs, variables a source does not replace, renamed free fields).

#include "app/model/document.h"
#include "config/configuration.h"
#include "texts/placeholders.h"

#include <gtest/gtest.h>

#include <functional>

using namespace fakvo;

namespace {

Document SampleLetter()
{
    Document d;
    d.type = DocumentType::Letter;
    d.number = 81000012;
    Recipient& r = d.recipient;
    r.attention = QStringLiteral("Frau Dr. Zaduz");
    r.name = QStringLiteral("Davad GmbH");
    r.name2 = QStringLiteral("Einkauf");
    r.street = QStringLiteral("Hauptstraße 5");
    r.postalCode = QStringLiteral("5020");
    r.town = QStringLiteral("Salzburg");
    r.country = 49;
    r.title = QStringLiteral("Dr.");
    r.firstName = QStringLiteral("Eva");
    r.lastName = QStringLiteral("Zaduz");
    r.phone = QStringLiteral("+43(662)123456");
    r.mobile = QStringLiteral("+43(664)987654");
    r.email = QStringLiteral("eva@davad.at");
    r.personalSalutation = QStringLiteral("Sehr geehrte Frau Dr. Zaduz!");
    r.selectionDate = 20100305;
    r.customerNumber = 11042;
    r.freeFields = {QStringLiteral("KST 7"), QStringLiteral("F2"), QStringLiteral("F3"),
                    QStringLiteral("F4"), QStringLiteral("F5")};
    d.conditions.reference = QStringLiteral("Ihre Anfrage");
    d.conditions.customerVatId = QStringLiteral("ATU12345678");
    d.finalAmount = 50.0;
    return d;
}

AddressValues SampleRow()
{
    AddressValues a;
    a.id = 1010;
    a.attention = QStringLiteral("Herr");
    a.name = QStringLiteral("Berger KG");
    a.street = QStringLiteral("Ring 1");
    a.postalCode = QStringLiteral("1010");
    a.town = QStringLiteral("Wien");
    a.country = QStringLiteral("D");
    a.title = QStringLiteral("Mag.");
    a.firstName = QStringLiteral("Max");
    a.lastName = QStringLiteral("Berger");
    a.optional = QStringLiteral("Stammkunde");
    a.vatId = QStringLiteral("ATU999");
    a.freeFields = {QStringLiteral("R1"), QStringLiteral("R2"), QStringLiteral("R3"),
                    QStringLiteral("R4"), QStringLiteral("R5")};
    a.personalSalutation = QStringLiteral("Hallo Max!");
    return a;
}

enum class Source
{
    Document,
    AddressRow,
    NoRowRead
};

struct Inputs
{
    Document document = SampleLetter();
    AddressValues row = SampleRow();
    Configuration config;
    QString receiptAmount;
};

struct Case
{
    const char* what;
    Source source;
    std::function<void(Inputs&)> setup;
    QStringView text;
    QStringView expected;
    int lastCount;
};

void Nothing(Inputs&) {}

} // namespace

TEST(Placeholders, TableOfVariablesForDocumentsAndAddressRows)
{
    const Source D = Source::Document;
    const Source A = Source::AddressRow;
    const std::vector<Case> cases = {
        // Every table variable for a document.
        {"attention line", D, Nothing, u"!!NAME3", u"Frau Dr. Zaduz", 1},
        {"name", D, Nothing, u"!!NAME1", u"Davad GmbH", 1},
        {"name 2", D, Nothing, u"!!NAME2", u"Einkauf", 1},
        {"street", D, Nothing, u"!!STRASSE", u"Hauptstraße 5", 1},
        {"town", D, Nothing, u"!!ORT", u"Salzburg", 1},
        {"postal code", D, Nothing, u"!!PLZ", u"5020", 1},
        {"country by dialling code", D, Nothing, u"!!LAND", u"Deutschland", 1},
        {"country 0 has no name", D, [](Inputs& in) { in.document.recipient.country = 0; },
         u"[!!LAND]", u"[]", 1},
        {"title", D, Nothing, u"!!TITEL", u"Dr.", 1},
        {"first name", D, Nothing, u"!!VORNAME", u"Eva", 1},
        {"last name", D, Nothing, u"!!ZUNAME", u"Zaduz", 1},
        {"phone", D, Nothing, u"!!TELEFON", u"+43(662)123456", 1},
        {"mobile", D, Nothing, u"!!HANDY", u"+43(664)987654", 1},
        {"e-mail", D, Nothing, u"!!EMAIL", u"eva@davad.at", 1},
        {"reference", D, Nothing, u"!!OPTIONAL", u"Ihre Anfrage", 1},
        {"selection date", D, Nothing, u"!!SELDATUM", u"5. März 2010", 1},
        {"selection date, numeric format", D, [](Inputs& in) { in.config.DATUMFORMAT = 1; },
         u"!!SELDATUM", u"5. 3. 2010", 1},
        {"VAT id", D, Nothing, u"!!UID", u"ATU12345678", 1},
        {"customer number", D, Nothing, u"!!KUNDENNR", u"11042", 1},
        {"document number", D, Nothing, u"!!DOKUNR", u"81000012", 1},
        {"personal salutation", D, Nothing, u"!!PERSANREDE", u"Sehr geehrte Frau Dr. Zaduz!", 1},
        {"empty salutation gives ANREDELEER", D,
         [](Inputs& in) { in.document.recipient.personalSalutation.clear(); }, u"!!PERSANREDE",
         u"Sehr geehrte Damen und Herren!", 1},
        {"selection month", D, Nothing, u"!!SELMONAT", u"März", 1},
        {"January in Austria", D,
         [](Inputs& in) { in.document.recipient.selectionDate = 20100105; }, u"!!SELMONAT",
         u"Jänner", 1},
        {"January elsewhere", D,
         [](Inputs& in) {
             in.document.recipient.selectionDate = 20100105;
             in.config.EIGENERLAENDERCODE = 49;
         },
         u"!!SELMONAT", u"Januar", 1},
        {"document type", D, Nothing, u"!!DOKUTYPE", u"Brief", 1},
        {"free field 1", D, Nothing, u"!!VAR1", u"KST 7", 1},
        {"free field 2", D, Nothing, u"!!VAR2", u"F2", 1},
        {"free field 3", D, Nothing, u"!!VAR3", u"F3", 1},
        {"free field 4", D, Nothing, u"!!VAR4", u"F4", 1},
        {"free field 5", D, Nothing, u"!!VAR5", u"F5", 1},

        // The fixed variables, replaced before the table and not counted.
        {"currency euro", D, Nothing, u"!!WAEHRUNG!!", u"EURO", 0},
        {"currency francs", D, [](Inputs& in) { in.config.WAEHRUNGIST = 1; }, u"!!WAEHRUNG!!",
         u"CHF", 0},
        {"receipt amount while printing a receipt", D,
         [](Inputs& in) {
             in.config.WAEHRUNGSFORMAT = 0;
             in.receiptAmount = ReceiptAmountText(in.document.finalAmount, in.config);
         },
         u"===!!QUITTUNGSBETRAG!!===", u"===50.00===", 0},
        {"receipt amount outside a receipt", D, Nothing, u"[!!QUITTUNGSBETRAG!!]", u"[]", 0},

        // Replacement rules.
        {"plain-text matching", D, Nothing, u"!!NAME10", u"Davad GmbH0", 1},
        {"every occurrence, counted", D, Nothing, u"!!ZUNAME, !!ZUNAME; !!VORNAME",
         u"Zaduz, Zaduz; Eva", 2},
        {"empty value leaves no double blank", D,
         [](Inputs& in) { in.document.recipient.title.clear(); }, u"Herr  !!TITEL  !!ZUNAME",
         u"Herr Zaduz", 1},
        {"text without variables keeps its blanks", D, Nothing, u"Herr  Zaduz", u"Herr  Zaduz", 0},
        {"renamed free field", D,
         [](Inputs& in) { in.config.VARBEZ1 = QStringLiteral("!!KOSTENSTELLE"); },
         u"!!KOSTENSTELLE / !!VAR1", u"KST 7 / !!VAR1", 1},
        {"empty free-field name matches nothing", D, [](Inputs& in) { in.config.VARBEZ2.clear(); },
         u"ab !!VAR3", u"ab F3", 1},

        // An address row.
        {"row customer number adds the offset", A,
         [](Inputs& in) { in.config.ODBCKUNDENNRADDITION = 10000; }, u"!!KUNDENNR", u"11010", 1},
        {"row optional column", A, Nothing, u"!!OPTIONAL", u"Stammkunde", 1},
        {"row VAT id", A, Nothing, u"!!UID", u"ATU999", 1},
        {"row salutation", A, Nothing, u"!!PERSANREDE", u"Hallo Max!", 1},
        {"row free field", A, Nothing, u"!!VAR5", u"R5", 1},
        {"row country letter D", A, Nothing, u"!!LAND", u"Deutschland", 1},
        {"row country letter A", A, [](Inputs& in) { in.row.country = QStringLiteral("A"); },
         u"!!LAND", u"Austria", 1},
        {"row country letter F", A, [](Inputs& in) { in.row.country = QStringLiteral("F"); },
         u"!!LAND", u"Frankreich", 1},
        {"row country code", A, [](Inputs& in) { in.row.country = QStringLiteral("CH"); },
         u"!!LAND", u"Schweiz", 1},
        {"row country dialling code", A, [](Inputs& in) { in.row.country = QStringLiteral("41"); },
         u"!!LAND", u"Schweiz", 1},
        {"row unknown country", A, [](Inputs& in) { in.row.country = QStringLiteral("X"); },
         u"[!!LAND]", u"[]", 1},
        {"row keeps document-only variables", A, Nothing,
         u"!!SELDATUM !!DOKUNR !!SELMONAT !!DOKUTYPE", u"!!SELDATUM !!DOKUNR !!SELMONAT !!DOKUTYPE",
         0},
        {"row: a document-only variable found last counts 0", A, Nothing, u"!!ZUNAME !!DOKUNR",
         u"Berger !!DOKUNR", 0},
        {"row: a replaced variable found last counts", A, Nothing, u"!!DOKUNR !!VAR1",
         u"!!DOKUNR R1", 1},
        {"no row read replaces nothing", Source::NoRowRead, Nothing, u"!!WAEHRUNG!! !!NAME1",
         u"!!WAEHRUNG!! !!NAME1", 0},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Inputs in;
        c.setup(in);
        const QString text = c.text.toString();
        PlaceholderResult result;
        switch (c.source) {
        case Source::Document:
            result = FillPlaceholders(text, in.document, in.config, in.receiptAmount);
            break;
        case Source::AddressRow:
            result = FillPlaceholders(text, std::optional<AddressValues>(in.row), in.config,
                                      in.receiptAmount);
            break;
        case Source::NoRowRead:
            result = FillPlaceholders(text, std::optional<AddressValues>(), in.config);
            break;
        }
        EXPECT_EQ(result.text, c.expected.toString());
        EXPECT_EQ(result.lastCount, c.lastCount);
    }
}

TEST(Placeholders, ReceiptTemplateFilledForPrinting)
{
    Configuration config;
    config.WAEHRUNGIST = 1;
    config.WAEHRUNGSFORMAT = 0;
    Document receipt = SampleLetter();
    receipt.type = DocumentType::Receipt;
    const PlaceholderResult plain =
        FillPlaceholders(config.QUITTUNGVORLAGE, receipt, config, ReceiptAmountText(50.0, config));
    EXPECT_EQ(plain.text, QStringLiteral("\n\n\n\n\nHiermit bestätigen wir den Barerhalt von CHF: "
                                         "===50.00===."));

    config.WAEHRUNGSFORMAT = 1;
    EXPECT_EQ(ReceiptAmountText(1234567.891, config), QStringLiteral("1.234.567,89"));
    EXPECT_EQ(ReceiptAmountText(-0.004, config), QStringLiteral("0,00"));
}
