// The product list's editing rules: commits, tiers, totals typed as prices, moves, the
// pending line and the Ctrl+U clean-up.

#include "app/editor/cellrules.h"
#include "app/model/totals.h"

#include <gtest/gtest.h>

using namespace fakvo;

namespace {

ProductLine Row(const QString& quantity, const QString& price, const QString& tiers = {})
{
    ProductLine line;
    line[ProductColumn::Quantity] = quantity;
    line[ProductColumn::VatRate] = QStringLiteral("20");
    line[ProductColumn::UnitPrice] = price;
    line[ProductColumn::PriceTiers] = tiers;
    return line;
}

struct CommitCase
{
    const char* name;
    int column;
    const char16_t* typed;
    const char16_t* quantityBefore;
    const char16_t* expectedCell;
    const char16_t* expectedTiers; // the tier cell after the commit
};

class CommitTest : public testing::TestWithParam<CommitCase>
{
};

TEST_P(CommitTest, WritesTheCellAsTheRulesSay)
{
    const CommitCase& c = GetParam();
    ProductLine line = Row(QString::fromUtf16(c.quantityBefore), QStringLiteral("5.00"),
                           QStringLiteral("3=4.00;"));
    CommitCellText(line, c.column, QString::fromUtf16(c.typed), CellRules{2, false});
    EXPECT_EQ(line.cells[static_cast<size_t>(c.column)], QString::fromUtf16(c.expectedCell));
    EXPECT_EQ(line[ProductColumn::PriceTiers], QString::fromUtf16(c.expectedTiers));
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CommitTest,
    testing::Values(CommitCase{"QuantityComma", 1, u"1,5", u"1", u"1.5", u"3=4.00;"},
                    CommitCase{"QuantityKeepsUnit", 1, u"2,5 Std.", u"1", u"2.5 Std.", u"3=4.00;"},
                    CommitCase{"TextAsTyped", 3, u"Beratung,\nvor Ort", u"1", u"Beratung,\nvor Ort",
                               u"3=4.00;"},
                    CommitCase{"VatComma", 4, u"7,5", u"1", u"7.5", u"3=4.00;"},
                    CommitCase{"VatGarbageIsZero", 4, u"abc", u"1", u"0", u"3=4.00;"},
                    CommitCase{"PriceTrailingZeros", 5, u"19,9000", u"1", u"19.9", u""},
                    CommitCase{"PriceFourDecimalsAtMost", 5, u"1.234567", u"1", u"1.2346", u""},
                    CommitCase{"PriceTotalSmallG", 5, u"g100", u"4", u"25.00", u""},
                    CommitCase{"PriceTotalCapitalG", 5, u"100,5G", u"2", u"50.25", u""},
                    CommitCase{"PriceTotalWithoutQuantity", 5, u"g80", u"", u"80.00", u""},
                    CommitCase{"TiersSortedNothingAfterLast", 5, u"9.90\n50=8.90\n10=9.50", u"1",
                               u"9.9", u"10=9.50;50=8.90"},
                    CommitCase{"TiersTrimmedEmptyDropped", 5, u"9.90\n  20=9.00 \n\n\n5=9.50", u"1",
                               u"9.9", u"5=9.50;20=9.00"},
                    CommitCase{"SingleTierKeepsItsSemicolon", 5, u"9.90\n10=9.50", u"1", u"9.9",
                               u"10=9.50;"},
                    CommitCase{"WindowsLineEnds", 5, u"9.90\r\n10=9.50\r\n2=9.80", u"1", u"9.9",
                               u"2=9.80;10=9.50"}),
    [](const testing::TestParamInfo<CommitCase>& info) { return info.param.name; });

TEST(CellRules, EditingTheQuantityClearsTheHourConversionMark)
{
    ProductLine line = Row(QStringLiteral("1.50 Std."), QStringLiteral("60"));
    line.hoursConverted = true;
    CommitCellText(line, 1, QStringLiteral("2.30 Std."), CellRules{});
    EXPECT_FALSE(line.hoursConverted);

    // The computation converts the new value once: 2 hours 30 minutes are 2.50 hours.
    QList<ProductLine> lines{line};
    Conditions conditions;
    AmountSettings settings;
    settings.hourMarker = QStringLiteral("Std.");
    ComputeTotals(lines, conditions, DocumentType::Invoice, settings);
    EXPECT_EQ(lines[0][ProductColumn::Quantity], QStringLiteral("2.50 Std."));
    EXPECT_EQ(lines[0][ProductColumn::LineTotal], QStringLiteral("150.00"));
}

TEST(CellRules, ASingleTypedTierAppliesInTheComputation)
{
    ProductLine line = Row(QStringLiteral("12"), QStringLiteral("10"));
    CommitCellText(line, 5, QStringLiteral("10.00\n10=9.50"), CellRules{});
    QList<ProductLine> lines{line};
    Conditions conditions;
    ComputeTotals(lines, conditions, DocumentType::Invoice, AmountSettings{});
    EXPECT_EQ(lines[0][ProductColumn::UnitPrice], QStringLiteral("9.50"));
    EXPECT_EQ(lines[0][ProductColumn::LineTotal], QStringLiteral("114.00"));
}

TEST(CellRules, ReminderRowsTakeNumbersWithoutTiersOrTotals)
{
    ProductLine line;
    CellRules reminder{2, true};
    CommitCellText(line, 5, QStringLiteral("120,50\n10=3"), reminder);
    EXPECT_EQ(line[ProductColumn::UnitPrice], QStringLiteral("120.5"));
    EXPECT_EQ(line[ProductColumn::PriceTiers], QString());
    CommitCellText(line, 1, QStringLiteral("5. Jänner 2026"), reminder);
    EXPECT_EQ(line[ProductColumn::Quantity], QStringLiteral("5. Jänner 2026"));
}

TEST(CellRules, ThePriceEditorOpensWithTiersAndWithoutAZeroPrice)
{
    EXPECT_EQ(CellEditorText(Row(QStringLiteral("1"), QStringLiteral("9.90"),
                                 QStringLiteral("10=9.50;50=8.90")),
                             5, false),
              QStringLiteral("9.90\n10=9.50\n50=8.90"));
    EXPECT_EQ(CellEditorText(Row(QStringLiteral("1"), QStringLiteral("0.00")), 5, false),
              QString());
    EXPECT_EQ(
        CellEditorText(Row(QStringLiteral("1"), QStringLiteral("0.00"), QStringLiteral("10=9.50;")),
                       5, false),
        QStringLiteral("\n10=9.50"));
    EXPECT_EQ(CellEditorText(Row(QStringLiteral("1,5"), QStringLiteral("2")), 1, false),
              QStringLiteral("1,5"));
    // Opening and committing unchanged keeps the tiers as they were.
    ProductLine line =
        Row(QStringLiteral("1"), QStringLiteral("9.90"), QStringLiteral("10=9.50;50=8.90"));
    CommitCellText(line, 5, CellEditorText(line, 5, false), CellRules{});
    EXPECT_EQ(line[ProductColumn::PriceTiers], QStringLiteral("10=9.50;50=8.90"));
}

TEST(CellRules, JoinTiersSortsByTheLeadingNumberAndKeepsEqualOnesInOrder)
{
    EXPECT_EQ(JoinTiers({QStringLiteral("100=7"), QStringLiteral("20=9"), QStringLiteral("3=10")}),
              QStringLiteral("3=10;20=9;100=7"));
    EXPECT_EQ(JoinTiers({QStringLiteral("5=2"), QStringLiteral("5=1")}), QStringLiteral("5=2;5=1"));
    EXPECT_EQ(JoinTiers({}), QString());
    EXPECT_EQ(JoinTiers({QStringLiteral("  "), QString()}), QString());
}

TEST(CellRules, RemoveHardLineBreaks)
{
    EXPECT_EQ(RemoveHardLineBreaks(QStringLiteral("Montage\r\nvor Ort")),
              QStringLiteral("Montage vor Ort"));
    EXPECT_EQ(RemoveHardLineBreaks(QStringLiteral("eins\nzwei \ndrei")),
              QStringLiteral("eins zwei drei"));
    // One pass over double blanks: four blanks become two.
    EXPECT_EQ(RemoveHardLineBreaks(QStringLiteral("a    b")), QStringLiteral("a  b"));
}

TEST(CellRules, RowsEnteringTheEditorGetItsLineBreaks)
{
    QList<ProductLine> lines{Row(QStringLiteral("1"), QStringLiteral("2")),
                             Row(QStringLiteral("1"), QStringLiteral("2"))};
    lines[0][ProductColumn::Text] = QStringLiteral("Platte\r\nmit Kante\r\n");
    lines[1][ProductColumn::Text] = QStringLiteral("schon\nrichtig");
    UseEditorLineBreaks(lines);
    EXPECT_EQ(lines[0][ProductColumn::Text], QStringLiteral("Platte\nmit Kante\n"));
    EXPECT_EQ(lines[1][ProductColumn::Text], QStringLiteral("schon\nrichtig"));
}

struct MoveCase
{
    const char* name;
    CellPosition from;
    CellMove move;
    int rows;
    MoveColumns columns;
    std::optional<CellMoveResult> expected;
};

class MoveTest : public testing::TestWithParam<MoveCase>
{
};

TEST_P(MoveTest, GoesWhereTheCommandSays)
{
    const MoveCase& c = GetParam();
    const auto result = NextCell(c.from, c.move, c.rows, c.columns);
    ASSERT_EQ(result.has_value(), c.expected.has_value());
    if (result) {
        EXPECT_EQ(result->position, c.expected->position);
        EXPECT_EQ(result->appendRow, c.expected->appendRow);
    }
}

constexpr MoveColumns kAll{true, true, false};
constexpr MoveColumns kNoNumberNoVat{false, false, false};
constexpr MoveColumns kReminder{false, false, true};

INSTANTIATE_TEST_SUITE_P(
    Moves, MoveTest,
    testing::Values(
        MoveCase{"ForwardInRow", {0, 1}, CellMove::Forward, 2, kAll, CellMoveResult{{0, 2}, false}},
        MoveCase{"ForwardWrapsToNextRow",
                 {0, 5},
                 CellMove::Forward,
                 2,
                 kAll,
                 CellMoveResult{{1, 1}, false}},
        MoveCase{"ForwardBelowLastAppends",
                 {1, 5},
                 CellMove::Forward,
                 2,
                 kAll,
                 CellMoveResult{{2, 1}, true}},
        MoveCase{"ForwardSkipsNumber",
                 {0, 1},
                 CellMove::Forward,
                 1,
                 kNoNumberNoVat,
                 CellMoveResult{{0, 3}, false}},
        MoveCase{"ForwardSkipsVat",
                 {0, 3},
                 CellMove::Forward,
                 1,
                 kNoNumberNoVat,
                 CellMoveResult{{0, 5}, false}},
        MoveCase{"ReminderSkipsNothing",
                 {0, 1},
                 CellMove::Forward,
                 1,
                 kReminder,
                 CellMoveResult{{0, 2}, false}},
        MoveCase{
            "BackwardInRow", {1, 3}, CellMove::Backward, 2, kAll, CellMoveResult{{1, 2}, false}},
        MoveCase{"BackwardToPreviousRow",
                 {1, 1},
                 CellMove::Backward,
                 2,
                 kAll,
                 CellMoveResult{{0, 5}, false}},
        MoveCase{"BackwardSkipsNumber",
                 {0, 3},
                 CellMove::Backward,
                 1,
                 kNoNumberNoVat,
                 CellMoveResult{{0, 1}, false}},
        MoveCase{"BackwardAtTopStays", {0, 1}, CellMove::Backward, 2, kAll, std::nullopt},
        MoveCase{"UpKeepsColumn", {1, 4}, CellMove::Up, 2, kAll, CellMoveResult{{0, 4}, false}},
        MoveCase{"UpAtTopStays", {0, 4}, CellMove::Up, 2, kAll, std::nullopt},
        MoveCase{"DownKeepsColumn", {0, 3}, CellMove::Down, 2, kAll, CellMoveResult{{1, 3}, false}},
        MoveCase{
            "DownBelowLastAppends", {1, 3}, CellMove::Down, 2, kAll, CellMoveResult{{2, 3}, true}},
        MoveCase{
            "FromEmptyListAppends", {0, 1}, CellMove::Down, 0, kAll, CellMoveResult{{1, 1}, true}}),
    [](const testing::TestParamInfo<MoveCase>& info) { return info.param.name; });

TEST(CellRules, ThePendingLineBecomesARow)
{
    PendingLine pending{QStringLiteral("2,5 Std."), QStringLiteral("B-7"),
                        QStringLiteral("Beratung"), QString(),
                        QStringLiteral("80"),       QStringLiteral("10=75,00;5=78")};
    const ProductLine line = LineFromPending(pending, QStringLiteral("20"), CellRules{2, false});
    EXPECT_EQ(line[ProductColumn::Quantity], QStringLiteral("2.5 Std."));
    EXPECT_EQ(line[ProductColumn::ProductNumber], QStringLiteral("B-7"));
    EXPECT_EQ(line[ProductColumn::Text], QStringLiteral("Beratung"));
    EXPECT_EQ(line[ProductColumn::VatRate], QStringLiteral("20"));
    EXPECT_EQ(line[ProductColumn::UnitPrice], QStringLiteral("80.00"));
    EXPECT_EQ(line[ProductColumn::PriceTiers], QStringLiteral("5=78;10=75.00"));
    EXPECT_EQ(line[ProductColumn::LineTotal], QString());

    pending.vatRate = QStringLiteral("10,0");
    pending.unitPrice = QStringLiteral("g100");
    pending.quantity = QStringLiteral("3");
    pending.tiers.clear();
    const ProductLine total = LineFromPending(pending, QStringLiteral("20"), CellRules{3, false});
    EXPECT_EQ(total[ProductColumn::VatRate], QStringLiteral("10.0"));
    EXPECT_EQ(total[ProductColumn::UnitPrice], QStringLiteral("33.333"));
    EXPECT_EQ(total[ProductColumn::PriceTiers], QString());

    // Reminders write amounts with two decimals whatever the unit-price decimals are.
    pending.unitPrice = QStringLiteral("99,5");
    EXPECT_EQ(LineFromPending(pending, {}, CellRules{4, true})[ProductColumn::UnitPrice],
              QStringLiteral("99.50"));
}

TEST(CellRules, EmptyRowCarriesTheStandardRate)
{
    const ProductLine row = EmptyRow(QStringLiteral("20"));
    EXPECT_EQ(row[ProductColumn::VatRate], QStringLiteral("20"));
    EXPECT_EQ(row[ProductColumn::Quantity], QString());
}

} // namespace
