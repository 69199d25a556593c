#include "app/model/totals.h"

#include <gtest/gtest.h>

using namespace fakvo;

namespace {

ProductLine Line(const char* quantity, const char* rate, const char* price, const char* tiers = "")
{
    ProductLine line;
    line[ProductColumn::Quantity] = QString::fromUtf8(quantity);
    line[ProductColumn::VatRate] = QString::fromUtf8(rate);
    line[ProductColumn::UnitPrice] = QString::fromUtf8(price);
    line[ProductColumn::PriceTiers] = QString::fromUtf8(tiers);
    return line;
}

Conditions Terms(const char* discount, const char* cashDiscount, bool gross = false)
{
    Conditions c;
    c.discount = QString::fromUtf8(discount);
    c.cashDiscount = QString::fromUtf8(cashDiscount);
    c.gross = gross;
    return c;
}

QString Fields(const DocumentTotals& totals, DocumentType type = DocumentType::Invoice)
{
    const auto texts = TotalsFieldTexts(totals, type);
    return QStringList(texts.begin(), texts.end()).join(u'/');
}

} // namespace

TEST(Totals, WorkedExample)
{
    QList<ProductLine> lines{Line("3", "20", "19.99"), Line("1", "10", "100,00")};
    Conditions terms = Terms("10", "2");
    const TotalsRun run = ComputeTotals(lines, terms, DocumentType::Invoice, {});
    EXPECT_EQ(Fields(run.totals), QStringLiteral("159.97/16.00/143.97/19.79/3.28/160.48"));
    EXPECT_EQ(run.totals.rateCount, 2);
    EXPECT_DOUBLE_EQ(run.totals.vatPerRate[0], 10.79);
    EXPECT_DOUBLE_EQ(run.totals.vatPerRate[1], 9.00);
    EXPECT_EQ(lines[0][ProductColumn::LineTotal], QStringLiteral("59.97"));
    EXPECT_EQ(lines[1][ProductColumn::LineTotal], QStringLiteral("100.00"));
    EXPECT_TRUE(run.warnings.isEmpty());
}

TEST(Totals, EdgeCases)
{
    struct Case
    {
        const char* name;
        QList<ProductLine> lines;
        Conditions terms;
        DocumentType type;
        const char* fields;
    };
    const Case cases[] = {
        {"empty list",
         {},
         Terms("10", "2"),
         DocumentType::Invoice,
         "0.00/0.00/0.00/0.00/0.00/0.00"},
        {"each line's discount is rounded on its own",
         {Line("1", "20", "0.05"), Line("1", "20", "0.05"), Line("1", "20", "0.05")},
         Terms("10", ""),
         DocumentType::Invoice,
         "0.15/0.03/0.12/0.02/0.00/0.14"},
        {"a credit line lowers subtotal and VAT; a negative total takes no cash discount",
         {Line("1", "20", "10"), Line("-2", "20", "10")},
         Terms("", "3"),
         DocumentType::Invoice,
         "-10.00/0.00/-10.00/-2.00/0.00/-12.00"},
        {"a manual reminder never takes a cash discount",
         {Line("1", "20", "100")},
         Terms("", "3"),
         DocumentType::ManualReminder,
         "100.00/0.00/100.00/20.00/0.00/120.00"},
        {"gross document: VAT is contained",
         {Line("1", "20", "120")},
         Terms("", ""),
         DocumentType::Invoice,
         "120.00/0.00/120.00/20.00/0.00/120.00"},
        {"a tier text without ';' has no effect",
         {Line("20", "0", "10", "10=9.50")},
         Terms("", ""),
         DocumentType::Invoice,
         "200.00/0.00/200.00/0.00/0.00/200.00"},
        {"later tiers override earlier ones",
         {Line("60", "0", "10", "10=9.50;50=8.90;")},
         Terms("", ""),
         DocumentType::Invoice,
         "534.00/0.00/534.00/0.00/0.00/534.00"},
    };
    for (const Case& c : cases) {
        QList<ProductLine> lines = c.lines;
        Conditions terms = c.terms;
        if (std::string(c.name).starts_with("gross"))
            terms.gross = true;
        EXPECT_EQ(Fields(ComputeTotals(lines, terms, c.type, {}).totals, c.type),
                  QString::fromUtf8(c.fields))
            << c.name;
    }
}

TEST(Totals, TiersRewriteThePriceCell)
{
    QList<ProductLine> lines{Line("20", "0", "10", "10=9.50;50=8.90;"),
                             Line("5", "0", "10", "10=9.5;")};
    Conditions terms;
    ComputeTotals(lines, terms, DocumentType::Invoice, {});
    EXPECT_EQ(lines[0][ProductColumn::UnitPrice], QStringLiteral("9.50"));
    EXPECT_EQ(lines[1][ProductColumn::UnitPrice], QStringLiteral("10"))
        << "no tier applies: the cell stays";
}

TEST(Totals, RemindersAddOpenAmountsAndFeeWithoutVatOrCashDiscount)
{
    // Reminder rows: the invoice date in the quantity cell, the payment term in the VAT cell.
    QList<ProductLine> lines{Line("20240105", "14", "100.00"), Line("20240210", "30", "50.00")};
    Conditions terms = Terms("", "3");
    AmountSettings settings;
    settings.firstReminderFee = 10.0;
    settings.secondReminderFee = 15.0;
    const DocumentTotals t = ComputeTotals(lines, terms, DocumentType::Reminder1, settings).totals;
    EXPECT_EQ(Fields(t, DocumentType::Reminder1),
              QStringLiteral("150.00/10.00/150.00/0.00/0.00/160.00"));
    EXPECT_EQ(t.rateCount, 0);
    EXPECT_EQ(lines[0][ProductColumn::Quantity], QStringLiteral("20240105"));
    EXPECT_EQ(Fields(ComputeTotals(lines, terms, DocumentType::Reminder3, settings).totals,
                     DocumentType::Reminder3),
              QStringLiteral("150.00/15.00/150.00/0.00/0.00/165.00"));
}

TEST(Totals, HoursAndMinutesAreConvertedOnce)
{
    AmountSettings settings;
    settings.hourMarker = QStringLiteral("Std.");
    struct Case
    {
        const char* cell;
        const char* converted;
    };
    const Case cases[] = {{"1.30 Std.", "1.50 Std."},   {"2.05 Std.", "2.08 Std."},
                          {"1.75 Std.", "2.25 Std."},   {"0,45 Std.", "0.75 Std."},
                          {"-1.30 Std.", "-1.50 Std."}, {"Std.", "0.00 Std."},
                          {"2 Stk.", "2 Stk."}};
    for (const Case& c : cases) {
        QList<ProductLine> lines{Line(c.cell, "0", "10")};
        Conditions terms;
        ComputeTotals(lines, terms, DocumentType::Invoice, settings);
        EXPECT_EQ(lines[0][ProductColumn::Quantity], QString::fromUtf8(c.converted)) << c.cell;
        ComputeTotals(lines, terms, DocumentType::Invoice, settings);
        EXPECT_EQ(lines[0][ProductColumn::Quantity], QString::fromUtf8(c.converted))
            << c.cell << " twice";
    }
}

TEST(Totals, LinesThatCannotHaveVatAreWarnedAbout)
{
    QList<ProductLine> lines;
    for (const char* rate : {"0", "5", "10", "13", "20", "7"})
        lines << Line("1", rate, "100");
    Conditions terms;
    TotalsRun run = ComputeTotals(lines, terms, DocumentType::Invoice, {});
    EXPECT_EQ(run.totals.rateCount, 5);
    EXPECT_EQ(Fields(run.totals), QStringLiteral("600.00/0.00/600.00/48.00/0.00/648.00"));
    ASSERT_EQ(run.warnings.size(), 1);
    EXPECT_TRUE(run.warnings[0].startsWith(QStringLiteral("Zeile 6:")));

    QList<ProductLine> gross{Line("1", "-100", "50"), Line("1", "20", "120")};
    Conditions grossTerms = Terms("", "", true);
    run = ComputeTotals(gross, grossTerms, DocumentType::Invoice, {});
    EXPECT_EQ(Fields(run.totals), QStringLiteral("170.00/0.00/170.00/20.00/0.00/170.00"));
    ASSERT_EQ(run.warnings.size(), 1);
    EXPECT_TRUE(run.warnings[0].contains(QStringLiteral("-100 %")));
}

TEST(Totals, PageEstimate)
{
    const AmountSettings settings; // 30, 30, 24, 9
    struct Case
    {
        int rows;
        int perRow;
        DocumentType type;
        int payment;
        bool a4;
        bool switch10;
        int pages;
    };
    const Case cases[] = {
        {24, 1, DocumentType::Invoice, 1, false, false, 1},
        {25, 1, DocumentType::Invoice, 1, false, false, 2},
        {18, 3, DocumentType::Invoice, 1, false, false, 2},
        {85, 1, DocumentType::Invoice, 1, false, false, 4},
        {10, 1, DocumentType::Invoice, 0, true, false, 2},
        {36, 1, DocumentType::Invoice, 0, true, true, 3},
        {36, 1, DocumentType::Invoice, 0, true, false, 2},
        {22, 1, DocumentType::Reminder1, 1, false, false, 2},
        {100000, 3, DocumentType::Invoice, 1, false, false, 31},
    };
    for (const Case& c : cases) {
        AmountSettings s = settings;
        s.slipFormA4 = c.a4;
        EXPECT_EQ(EstimatePages(c.rows, c.perRow, c.type, c.payment, s, c.switch10), c.pages)
            << c.rows;
    }
    AmountSettings zeroLater = settings;
    zeroLater.lineCapacities = {0, 30, 24, 9};
    EXPECT_EQ(EstimatePages(25, 1, DocumentType::Invoice, 1, zeroLater, false), 31)
        << "bounded even without room";
    EXPECT_EQ(PageEstimateText(0, 1), QString());
    EXPECT_EQ(PageEstimateText(3, 1), QStringLiteral("Produkteinträge: 3"));
    EXPECT_EQ(PageEstimateText(40, 2), QStringLiteral("Produkteinträge: 40\nSeiten: 2"));
}

TEST(Totals, PriceConversions)
{
    QList<ProductLine> lines{Line("1", "20", "100"), Line("1", "10", "9,99")};
    EXPECT_TRUE(ConvertPrices(lines, false, PriceConversion::AddVat, 2)
                    .value()
                    .startsWith(QStringLiteral("Das Aufrechen der MwSt.")));
    EXPECT_EQ(lines[0][ProductColumn::UnitPrice], QStringLiteral("100"))
        << "a refusal changes nothing";
    EXPECT_FALSE(ConvertPrices(lines, true, PriceConversion::AddVat, 2));
    EXPECT_EQ(lines[0][ProductColumn::UnitPrice], QStringLiteral("120.00"));
    EXPECT_EQ(lines[1][ProductColumn::UnitPrice], QStringLiteral("10.99"));
    EXPECT_TRUE(ConvertPrices(lines, true, PriceConversion::SubtractVat, 2)
                    .value()
                    .startsWith(QStringLiteral("Das Abziehen der MwSt.")));
    EXPECT_FALSE(ConvertPrices(lines, false, PriceConversion::SubtractVat, 2));
    EXPECT_EQ(lines[0][ProductColumn::UnitPrice], QStringLiteral("100.00"));
    EXPECT_EQ(lines[1][ProductColumn::UnitPrice], QStringLiteral("9.99"));
}

TEST(Totals, SettingsComeFromTheConfiguration)
{
    Configuration config;
    config.EINZELPREISNACHKOMMASTELLEN = 3;
    config.STUNDENMINUTENUMWANDLUNGTXT = QStringLiteral("Std.");
    config.MAHNUNG1TAGEUEBERZAHLZIEL.fee = 5.5;
    config.MAHNUNG2TAGEUEBERZAHLZIEL.fee = 9;
    config.ERLAGSCHEINTYPE = 1;
    const AmountSettings s = AmountSettingsFrom(config);
    EXPECT_EQ(s.unitPriceDecimals, 3);
    EXPECT_EQ(s.hourMarker, QStringLiteral("Std."));
    EXPECT_EQ(s.firstReminderFee, 5.5);
    EXPECT_EQ(s.secondReminderFee, 9);
    EXPECT_EQ(s.lineCapacities, (std::array<int, 4>{30, 30, 24, 9}));
    EXPECT_TRUE(s.slipFormA4);
}
