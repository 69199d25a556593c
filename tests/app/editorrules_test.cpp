// The recipient block's rules, the conditions line and dialog values, the list columns and
// the printed widths the line breaks are measured against.

#include "app/editor/addresstaking.h"
#include "app/editor/conditionsrules.h"
#include "app/editor/listlayout.h"
#include "app/editor/printwidths.h"
#include "app/editor/recipientrules.h"
#include "app/model/codes.h"
#include "config/configuration.h"

#include <gtest/gtest.h>

using namespace fakvo;

namespace {

TEST(RecipientRules, ThirteenCharactersAreAScannedCodeWithoutItsCheckDigit)
{
    EXPECT_EQ(CustomerLookupText(QStringLiteral("9012345678905")), QStringLiteral("901234567890"));
    EXPECT_EQ(CustomerLookupText(QStringLiteral("1003")), QStringLiteral("1003"));
    EXPECT_EQ(CustomerLookupText(QStringLiteral("90123456789051")),
              QStringLiteral("90123456789051"));

    EXPECT_EQ(CustomerNumberFromText(QStringLiteral(" 1003 ")), 1003);
    EXPECT_EQ(CustomerNumberFromText(QStringLiteral("0000000010035")), 1003);
    EXPECT_EQ(CustomerNumberFromText(QStringLiteral("Herr Huber")), std::nullopt);
    EXPECT_EQ(CustomerNumberFromText(QStringLiteral("0")), std::nullopt);
    EXPECT_EQ(CustomerNumberFromText(QString()), std::nullopt);
    // Twelve digits do not fit a customer number.
    EXPECT_EQ(CustomerNumberFromText(QStringLiteral("9012345678905")), std::nullopt);
}

struct PostalCase
{
    const char* name;
    const char16_t* code;
    int country;
    int ownCountry;
    const char16_t* expectedCode;
    int expectedCountry;
};

class PostalTest : public testing::TestWithParam<PostalCase>
{
};

TEST_P(PostalTest, RewritesTheCodeByCountry)
{
    const PostalCase& c = GetParam();
    const PostalAddress result =
        NormalisePostalAddress(QString::fromUtf16(c.code), c.country, c.ownCountry);
    EXPECT_EQ(result.postalCode, QString::fromUtf16(c.expectedCode));
    EXPECT_EQ(result.country, c.expectedCountry);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, PostalTest,
    testing::Values(PostalCase{"AustrianKeepsFourDigits", u"1010", 43, 43, u"1010", 43},
                    PostalCase{"DutchLosesLetters", u"1234 AB", 31, 43, u"1234", 31},
                    PostalCase{"GermanPaddedToFive", u"1067", 49, 43, u"01067", 49},
                    PostalCase{"GermanFiveDigitsKept", u"80331", 49, 43, u"80331", 49},
                    PostalCase{"ShortCodeGetsFourDigits", u"999", 41, 43, u"0999", 41},
                    PostalCase{"ItalianLeadingZeroAsNumber", u"00100", 39, 43, u"0100", 39},
                    PostalCase{"CountryPrefixIsNoNumber", u"A-1010", 43, 43, u"1010", 43},
                    PostalCase{"GermanPrefix", u"D-1067", 49, 43, u"01067", 49},
                    PostalCase{"BritishCodeKept", u"SW1A 1AA", 44, 43, u"SW1A 1AA", 44},
                    PostalCase{"EmptyCodeStaysEmpty", u"", 43, 43, u"", 43},
                    PostalCase{"NoCountryOwnGermany", u"1067", 0, 49, u"01067", 49},
                    PostalCase{"NoCountryOwnAustria", u"5020", 0, 43, u"5020", 43},
                    PostalCase{"NoCountryOwnSwitzerland", u"8001", 0, 41, u"8001", 41}),
    [](const testing::TestParamInfo<PostalCase>& info) { return info.param.name; });

TEST(RecipientRules, ContactStatusShowsValuesLongerThanThreeCharacters)
{
    Recipient recipient;
    recipient.phone = QStringLiteral("0662 123456");
    recipient.mobile = QStringLiteral("-");
    recipient.email = QStringLiteral("office@huber.at");
    recipient.fax = QStringLiteral("0662 123457");
    EXPECT_EQ(ContactStatusText(recipient),
              QStringLiteral("Telefon: 0662 123456   E-Mail: office@huber.at   Fax: 0662 123457"));
    recipient.phone = QStringLiteral("123");
    recipient.fax.clear();
    recipient.mobile = QStringLiteral("0664 1234");
    EXPECT_EQ(ContactStatusText(recipient),
              QStringLiteral("Handy: 0664 1234   E-Mail: office@huber.at"));
    EXPECT_EQ(ContactStatusText(Recipient{}), QString());
}

TEST(RecipientRules, CountryListIndexByDiallingCode)
{
    const QStringList countries = CountryList();
    EXPECT_EQ(countries.value(CountryListIndex(43)), QStringLiteral("Austria(43)AT"));
    EXPECT_EQ(countries.value(CountryListIndex(49)), QStringLiteral("Deutschland(49)DE"));
    EXPECT_EQ(countries.value(CountryListIndex(9999)), QStringLiteral("Weltzone(9999)WE"));
    EXPECT_EQ(CountryListIndex(0), -1);
    EXPECT_EQ(CountryListIndex(1), -1);
}

TEST(RecipientRules, CountryOfAnAddressTableValue)
{
    EXPECT_EQ(CountryFromAddressText(QStringLiteral("43")), 43);
    EXPECT_EQ(CountryFromAddressText(QStringLiteral(" 49 ")), 49);
    EXPECT_EQ(CountryFromAddressText(QStringLiteral("D")), 49);
    EXPECT_EQ(CountryFromAddressText(QStringLiteral("A")), 43);
    EXPECT_EQ(CountryFromAddressText(QStringLiteral("F")), 33);
    EXPECT_EQ(CountryFromAddressText(QStringLiteral("ch")), 41);
    EXPECT_EQ(CountryFromAddressText(QStringLiteral("Niederlande")), 31);
    EXPECT_EQ(CountryFromAddressText(QStringLiteral("Atlantis")), 0);
    EXPECT_EQ(CountryFromAddressText(QString()), 0);
    EXPECT_EQ(CountryFromAddressText(QStringLiteral("-5")), 0);
}

TEST(AddressTaking, ARowBecomesTheRecipient)
{
    Configuration config;
    config.ODBCKUNDENNRADDITION = 10000;
    AddressRecord row;
    row.id = QStringLiteral("7");
    row.customerNumber = QStringLiteral("1003");
    row.attention = QStringLiteral("Frau Jana Weiß");
    row.name = QStringLiteral("Weiß Elektrotechnik e.K.");
    row.street = QStringLiteral("Friedrichstraße 101");
    row.postalCode = QStringLiteral("10117");
    row.town = QStringLiteral("Berlin");
    row.country = QStringLiteral("49");
    row.vatId = QStringLiteral("DE234567890");
    row.optional = QStringLiteral("Rahmenvertrag 12");
    row.phone = QStringLiteral("-");
    row.email = QStringLiteral("info@weiss-elektro.de");
    row.selectionDate = QStringLiteral("2025-11-03");
    row.freeFields[4] = QStringLiteral("Gold");
    row.personalSalutation = QStringLiteral("Sehr geehrte Frau Weiß");

    const TakenAddress taken = AddressForEditor(row, config);
    EXPECT_EQ(taken.recipient.customerNumber, 11003);
    EXPECT_EQ(taken.recipient.country, 49);
    EXPECT_EQ(taken.recipient.phone, QString()); // three characters or fewer are no number
    EXPECT_EQ(taken.recipient.selectionDate, 20251103);
    EXPECT_EQ(taken.recipient.freeFields[4], QStringLiteral("Gold"));
    EXPECT_EQ(taken.recipient.personalSalutation, QStringLiteral("Sehr geehrte Frau Weiß"));
    EXPECT_EQ(taken.vatId, QStringLiteral("DE234567890"));
    EXPECT_EQ(taken.reference, QStringLiteral("Rahmenvertrag 12"));

    // Taken into a document: the phone typed before stays, the rules fix the postal code.
    Document document;
    document.recipient.phone = QStringLiteral("030 123456");
    TakenAddress dutch = taken;
    dutch.recipient.country = 31;
    dutch.recipient.postalCode = QStringLiteral("1234 AB");
    ApplyTakenAddress(document, dutch, 43);
    EXPECT_EQ(document.recipient.phone, QStringLiteral("030 123456"));
    EXPECT_EQ(document.recipient.postalCode, QStringLiteral("1234"));
    EXPECT_EQ(document.conditions.customerVatId, QStringLiteral("DE234567890"));
    EXPECT_EQ(document.conditions.reference, QStringLiteral("Rahmenvertrag 12"));

    // A number that is no number gives no customer number.
    row.customerNumber = QStringLiteral("K-17");
    EXPECT_EQ(AddressForEditor(row, config).recipient.customerNumber, 0);
    // The values the salutation rules read.
    EXPECT_EQ(AddressValuesOf(row).id, 7);
    EXPECT_EQ(AddressValuesOf(row).vatId, QStringLiteral("DE234567890"));
}

Conditions SampleConditions()
{
    Conditions c;
    c.linesPerRow = 2;
    c.discount = QStringLiteral("10");
    c.cashDiscount = QStringLiteral("2,5");
    c.paymentMethod = 1;
    c.paymentTerm = 14;
    c.customerVatId = QStringLiteral("ATU12345678");
    c.reference = QStringLiteral("Bestellung 4711");
    c.validity = 30;
    c.shippingMethod = 2;
    return c;
}

struct LineCase
{
    const char* name;
    DocumentType type;
    const char16_t* expected;
};

class ConditionsLineTest : public testing::TestWithParam<LineCase>
{
};

TEST_P(ConditionsLineTest, ShowsThePartsOfTheType)
{
    EXPECT_EQ(ConditionsLine(SampleConditions(), GetParam().type, true),
              QString::fromUtf16(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Types, ConditionsLineTest,
    testing::Values(
        LineCase{"Invoice", DocumentType::Invoice,
                 u"Kond.: (Z:2); Rab.: 10.00%; Sko.: 2.50%; Bez.: Geldinst. o; Ziel: 14; UID: "
                 u"ATU12..; Ref: Beste..; Postar"},
        LineCase{"Offer", DocumentType::Offer,
                 u"Kond.: (Z:2); Rab.: 10.00%; Sko.: 2.50%; Bez.: Geldinst. o; Ziel: 14; UID: "
                 u"ATU12..; Ref: Beste..; Gültig: 30; Postar"},
        LineCase{"ManualReminderWithoutCashDiscount", DocumentType::ManualReminder,
                 u"Kond.: (Z:2); Rab.: 10.00%; Bez.: Geldinst. o; Ziel: 14; UID: ATU12..; Ref: "
                 u"Beste..; Postar"},
        LineCase{"Reminder", DocumentType::Reminder2,
                 u"Kond.: (Z:2); Bez.: Geldinst. o; UID: ATU12..; Ref: Beste..; Postar"},
        LineCase{"DeliveryNoteWithoutDots", DocumentType::DeliveryNote,
                 u"Kond.: (Z:2); UID: ATU12; Ref: Beste; Postar"},
        LineCase{"Letter", DocumentType::Letter, u"Kond.: Postar"},
        LineCase{"Sms", DocumentType::Sms, u""}, LineCase{"EMail", DocumentType::EMail, u""},
        LineCase{"Receipt", DocumentType::Receipt, u""}),
    [](const testing::TestParamInfo<LineCase>& info) { return info.param.name; });

TEST(ConditionsRules, ZeroDiscountsAndEmptyIdsAreLeftOut)
{
    Conditions c;
    c.discount = QStringLiteral("0,00");
    c.cashDiscount = QString();
    c.paymentMethod = 2;
    c.shippingMethod = 0;
    EXPECT_EQ(ConditionsLine(c, DocumentType::Invoice, true),
              QStringLiteral("Kond.: (Z:1); Bez.: Bar; Ziel: 0; Persön"));
    EXPECT_EQ(ConditionsLine(c, DocumentType::Invoice, false), QString());
}

TEST(ConditionsRules, TheDialogIsRefusedForSmsAndEMailOnly)
{
    const QString refusal =
        QStringLiteral("Bei diesem Dokumententyp sind keine Konditionen und Optionen einstellbar!");
    EXPECT_EQ(ConditionsRefusal(DocumentType::Sms), refusal);
    EXPECT_EQ(ConditionsRefusal(DocumentType::EMail), refusal);
    EXPECT_EQ(ConditionsRefusal(DocumentType::Letter), QString());
    EXPECT_EQ(ConditionsRefusal(DocumentType::Invoice), QString());
    EXPECT_EQ(TypeTraits(DocumentType::Letter).conditionFields,
              ConditionFields(ConditionField::Shipping));
}

TEST(ConditionsRules, DialogOpensWithReadableValues)
{
    Conditions c;
    c.paymentMethod = 7703;
    c.paymentTerm = 20260105;
    EXPECT_EQ(ConditionsForDialog(c, DocumentType::Letter, 1).paymentMethod, 3);
    EXPECT_EQ(ConditionsForDialog(c, DocumentType::Invoice, 1).paymentTerm, 0);
    EXPECT_EQ(ConditionsForDialog(c, DocumentType::ManualReminder, 1).paymentTerm, 20260105);
    c.paymentMethod = 77;
    c.paymentTerm = 730;
    EXPECT_EQ(ConditionsForDialog(c, DocumentType::Invoice, 2).paymentMethod, 2);
    EXPECT_EQ(ConditionsForDialog(c, DocumentType::Invoice, 2).paymentTerm, 730);

    c.discount = QStringLiteral("2,5");
    c.cashDiscount = QStringLiteral("1,25");
    const Conditions back = ConditionsFromDialog(c);
    EXPECT_EQ(back.discount, QStringLiteral("2.5"));
    EXPECT_EQ(back.cashDiscount, QStringLiteral("1.25"));
}

TEST(ConditionsRules, ATypeChangeDropsANegativeDiscountExceptForTheManualReminder)
{
    Conditions c;
    c.discount = QStringLiteral("-5,5");
    EXPECT_EQ(ConditionsForType(c, DocumentType::Invoice).discount, QStringLiteral("0"));
    EXPECT_EQ(ConditionsForType(c, DocumentType::ManualReminder).discount, QStringLiteral("-5,5"));
    c.discount = QStringLiteral("5");
    EXPECT_EQ(ConditionsForType(c, DocumentType::Offer).discount, QStringLiteral("5"));
}

TEST(ListLayout, ColumnsOfBothLayouts)
{
    const ListColumns products = ProductListColumns(false, true, true);
    EXPECT_EQ(products[1], (ListColumn{QStringLiteral("Menge"), 45, true}));
    EXPECT_EQ(products[2], (ListColumn{QStringLiteral("Prod.Nr."), 65, false}));
    EXPECT_EQ(products[3], (ListColumn{QStringLiteral("Bezeichnung"), 210, false}));
    EXPECT_EQ(products[4], (ListColumn{QStringLiteral("MWSt"), 55, false}));
    EXPECT_EQ(products[5], (ListColumn{QStringLiteral("E.Preis"), 65, true}));
    EXPECT_EQ(products[6], (ListColumn{QStringLiteral("GesPreis"), 65, true}));
    EXPECT_EQ(products[7], (ListColumn{QString(), 0, true}));

    const ListColumns narrow = ProductListColumns(false, false, false);
    EXPECT_EQ(narrow[2].width, 0);
    EXPECT_EQ(narrow[3].width, 330);
    EXPECT_EQ(narrow[4].width, 0);
    EXPECT_EQ(ProductListColumns(false, false, true)[3].width, 275);

    const ListColumns reminder = ProductListColumns(true, false, false);
    EXPECT_EQ(reminder[1], (ListColumn{QStringLiteral("Rechn.Datum"), 75, true}));
    EXPECT_EQ(reminder[2], (ListColumn{QStringLiteral("RechNr"), 70, false}));
    EXPECT_EQ(reminder[3], (ListColumn{QStringLiteral("Referenz"), 215, false}));
    EXPECT_EQ(reminder[4], (ListColumn{QStringLiteral("Ziel"), 45, false}));
    EXPECT_EQ(reminder[5], (ListColumn{QStringLiteral("Betrag"), 100, true}));
    EXPECT_EQ(reminder[6].width, 0);
}

TEST(ListLayout, WhatAClickOpens)
{
    EXPECT_EQ(CellClickAction(0, false), CellClick::None);
    EXPECT_EQ(CellClickAction(1, false), CellClick::Edit);
    EXPECT_EQ(CellClickAction(6, false), CellClick::RefuseLineTotal);
    EXPECT_EQ(CellClickAction(7, false), CellClick::Edit);
    EXPECT_EQ(CellClickAction(1, true), CellClick::PickDate);
    EXPECT_EQ(CellClickAction(6, true), CellClick::Edit);
    EXPECT_EQ(CellClickAction(0, true), CellClick::None);
}

TEST(ListLayout, CellEditorGeometry)
{
    const QRect cell(100, 40, 60, 18);
    const CellEditorSizes unmeasured;
    EXPECT_EQ(CellEditorRect(cell, 1, unmeasured, 768), QRect(90, 40, 90, 20));
    EXPECT_EQ(CellEditorRect(cell, 2, unmeasured, 768), QRect(100, 40, 90, 20));
    EXPECT_EQ(CellEditorRect(cell, 4, unmeasured, 768), QRect(100, 40, 60, 20));
    EXPECT_EQ(CellEditorRect(cell, 5, unmeasured, 768), QRect(100, 40, 100, 20));

    const CellEditorSizes measured = SizesFromMeasure(300, 15);
    EXPECT_EQ(measured.rowUnit, 50);
    EXPECT_EQ(measured.textWidth, 335);
    EXPECT_EQ(CellEditorRect(cell, 3, measured, 768), QRect(100, 40, 335, 300));
    EXPECT_EQ(CellEditorRect(cell, 3, measured, 600), QRect(100, 40, 335, 150));
    EXPECT_EQ(SizesFromMeasure(2, 15).textWidth, 45);
}

TEST(PrintWidths, TextColumnAndMessageWidths)
{
    Configuration config;
    // Defaults: description 850 and VAT 160 tenths of a millimetre; reminders 0.
    EXPECT_EQ(PrintedTextColumnWidth(config, false, false), 1010);
    EXPECT_EQ(PrintedTextColumnWidth(config, false, true), 850);
    EXPECT_EQ(PrintedTextColumnWidth(config, true, false), 0);
    config.MAHNTABELLE.columns[ReminderTableLayout::Text].width = 700;
    EXPECT_EQ(PrintedTextColumnWidth(config, true, true), 700);
    EXPECT_EQ(PrintedMessageWidth(config), 160 + 160 + 850 + 160 + 160 + 160);
    EXPECT_EQ(TenthsOfMillimetreToTwips(254), 1440);
    EXPECT_EQ(TenthsOfMillimetreToTwips(1010), 5725); // 5725.98, truncated
    EXPECT_EQ(MeasurementTestText().size(), 180);
    EXPECT_TRUE(MeasurementTestText().startsWith(QStringLiteral("ööääüüßß90ö")));
}

TEST(PrintWidths, TheMeasuringDevice)
{
    const QStringList printers{QStringLiteral("Buero"), QStringLiteral("Etiketten")};
    EXPECT_EQ(
        ChooseMeasuringDevice(QStringLiteral("Etiketten"), printers, QStringLiteral("Buero")),
        (MeasuringDeviceChoice{MeasuringDevice::Printer, QStringLiteral("Etiketten"), false}));
    EXPECT_EQ(ChooseMeasuringDevice(QString(), printers, QStringLiteral("Buero")),
              (MeasuringDeviceChoice{MeasuringDevice::Printer, QStringLiteral("Buero"), false}));
    // A printer that is gone, or no default among several: the user is told; a PDF page
    // stands in.
    EXPECT_EQ(ChooseMeasuringDevice(QStringLiteral("Alt"), printers, QStringLiteral("Buero")),
              (MeasuringDeviceChoice{MeasuringDevice::PdfPage, QString(), true}));
    EXPECT_EQ(ChooseMeasuringDevice(QString(), printers, QString()),
              (MeasuringDeviceChoice{MeasuringDevice::PdfPage, QString(), true}));
    // A system without printers measures on a PDF page, since documents go to PDF there.
    EXPECT_EQ(ChooseMeasuringDevice(QStringLiteral("Alt"), {}, QString()),
              (MeasuringDeviceChoice{MeasuringDevice::PdfPage, QString(), false}));
    EXPECT_EQ(PrinterMissingMessages().size(), 2);
}

} // namespace
