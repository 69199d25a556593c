// Ruled tables: header titles, column fitting, borders and lines, cells, and tables that do
// not fit.
#include "print_test_support.h"

#include "print/printtable.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace fakvo;
using namespace fakvo::test;

namespace {

constexpr double kTolerance = 72.0 / 254.0;

double Points(int pixels)
{
    return pixels * 72.0 / PdfPage::kDpi;
}

TableDefinition ThreeColumns()
{
    TableDefinition table;
    table.inInches = true;
    table.columnCount = 3;
    table.rowCount = 3;
    table.top = 1.0;
    table.left = 1.0;
    table.right = 5.0;
    return table;
}

TEST(Table, EmptyTitlesAreNumberedAndCentredOverTheirColumns)
{
    PdfPage pdf;
    CPage& page = pdf.Page();
    TableDefinition table = ThreeColumns();
    table.columns[1].title = QStringLiteral("Menge");
    page.PrintTable(table);
    const int offset = page.HorizontalOffset();
    const auto words = PdfWords(pdf.Finish());

    // Equal widths: 4 inches in three columns of 800 pixels each; the header band is one and
    // a half lines (125 pixels) high.
    auto col = FindWords(words, QStringLiteral("Col"));
    const auto one = FindWords(words, QStringLiteral("1"));
    const auto three = FindWords(words, QStringLiteral("3"));
    const auto amount = FindWords(words, QStringLiteral("Menge"));
    ASSERT_EQ(col.size(), 2u);
    ASSERT_EQ(one.size(), 1u);
    ASSERT_EQ(three.size(), 1u);
    ASSERT_EQ(amount.size(), 1u);
    std::sort(col.begin(), col.end(),
              [](const PdfWord& a, const PdfWord& b) { return a.xMin < b.xMin; });
    const auto centre = [offset](int column) { return Points(600 + offset + 800 * column + 400); };
    EXPECT_NEAR((col[0].xMin + one[0].xMax) / 2, centre(0), kTolerance);
    EXPECT_NEAR((amount[0].xMin + amount[0].xMax) / 2, centre(1), kTolerance);
    EXPECT_NEAR((col[1].xMin + three[0].xMax) / 2, centre(2), kTolerance);
    EXPECT_NEAR((amount[0].yMin + amount[0].yMax) / 2, Points(600) + Points(125) / 2, kTolerance);
}

TEST(Table, BottomFollowsTheHeaderAndRowHeights)
{
    struct Case
    {
        int headerRows;
        bool noHeader;
        int linesPerRow;
        int expectedHeight; // pixels at 600 dpi, 10 points: a line is 83, a 1.5 line 125
    };
    const Case cases[] = {
        {1, false, 1, 125 + 3 * 125},
        {2, false, 1, 2 * 83 + 3 * 125},
        {0, false, 2, 3 * 250},
        {1, true, 1, 3 * 125},
    };
    for (const Case& c : cases) {
        PdfPage pdf;
        TableDefinition table = ThreeColumns();
        table.headerRows = c.headerRows;
        table.noHeader = c.noHeader;
        table.linesPerRow = c.linesPerRow;
        pdf.Page().PrintTable(table);
        ASSERT_NE(table.table, nullptr);
        EXPECT_DOUBLE_EQ(table.bottom, (600 + c.expectedHeight) / 600.0) << c.headerRows;
    }
}

TEST(Table, LastColumnIsFittedSoTheHeaderEndsAtTheRightEdge)
{
    ImagePage sheet(8.0, 6.0, 100);
    CPage& page = sheet.Page();
    TableDefinition table;
    table.equalWidths = false;
    table.columnCount = 3;
    table.rowCount = 2;
    table.top = 100;
    table.left = 100;
    table.right = 500;
    table.columns[0].width = 150;
    table.columns[1].width = 150;
    table.columns[2].width = 300; // 200 too wide
    table.columns[2].fillFlags = kFillLightGray;
    page.PrintTable(table);
    ASSERT_NE(table.table, nullptr);
    EXPECT_EQ(table.table->ColumnWidth(2), 100);
    EXPECT_EQ(table.table->ColumnLeft(2), 400);
    const int dataTop = table.table->Top() + table.table->HeaderHeight();
    EXPECT_EQ(table.table->Bottom(), dataTop + 2 * table.table->RowHeight(false));
    const QImage& image = sheet.Finish();

    // Nothing of the table reaches beyond its right edge.
    EXPECT_EQ(DarkPixels(image, QRect(502, 95, 200, 200)), 0);
    EXPECT_TRUE(IsDark(image, 500, dataTop + 5));
    // Column lines between the data rows, at the fitted columns.
    EXPECT_TRUE(IsDark(image, 250, dataTop + 5));
    EXPECT_TRUE(IsDark(image, 400, dataTop + 5));
    // The fitted last column is filled.
    EXPECT_EQ(image.pixelColor(450, dataTop + 5), QColor(192, 192, 192));
    EXPECT_NE(image.pixelColor(350, dataTop + 5), QColor(192, 192, 192));
}

TEST(Table, RowLinesFollowTheSeparatorInterval)
{
    ImagePage sheet(8.0, 6.0, 100);
    CPage& page = sheet.Page();
    TableDefinition table;
    table.columnCount = 1;
    table.rowCount = 4;
    table.noHeader = true;
    table.drawBorder = false;
    table.separatorInterval = 2;
    table.top = 100;
    table.left = 100;
    table.right = 300;
    table.fontSize = 12; // rows of 25 pixels
    page.PrintTable(table);
    const QImage& image = sheet.Finish();
    // Without a header the lines run under the rows: here under rows 2 and 4 only.
    EXPECT_FALSE(IsDark(image, 200, 125));
    EXPECT_TRUE(IsDark(image, 200, 150));
    EXPECT_FALSE(IsDark(image, 200, 175));
    EXPECT_TRUE(IsDark(image, 200, 200));
    EXPECT_FALSE(IsDark(image, 200, 100)) << "no border";
}

TEST(Table, CellsPrintInsideTheirCellsAndIgnoreRowsBeyondTheTable)
{
    PdfPage pdf;
    CPage& page = pdf.Page();
    TableDefinition table = ThreeColumns();
    page.PrintTable(table);
    page.PrintTableCell(table, 0, 0, 0, kTextLeft, "%s", "links");
    page.PrintTableCell(table, 1, 2, 0, kTextRight, "%d %%", 20);
    page.PrintTableCell(table, 3, 0, 0, kTextLeft, "%s", "zuviel");
    page.PrintTableCell(table, 0, 3, 0, kTextLeft, "%s", "daneben");
    page.PrintTableCell(table, -1, 0, 0, kTextLeft, "%s", "davor");
    const int offset = page.HorizontalOffset();
    const int dataTop = table.table->Top() + table.table->HeaderHeight();
    const int rowHeight = table.table->RowHeight(false);
    const auto words = PdfWords(pdf.Finish());

    const auto left = FindWords(words, QStringLiteral("links"));
    ASSERT_EQ(left.size(), 1u);
    EXPECT_NEAR(left[0].xMin, Points(600 + 2 + offset), kTolerance);
    // One line per row: single line, vertically centred.
    EXPECT_NEAR((left[0].yMin + left[0].yMax) / 2, Points(dataTop + rowHeight / 2), kTolerance);
    const auto percent = FindWords(words, QStringLiteral("%"));
    ASSERT_EQ(percent.size(), 1u) << "%% prints one percent sign";
    EXPECT_NEAR(percent[0].xMax, Points(3000 - 2 + offset), kTolerance);
    EXPECT_TRUE(FindWords(words, QStringLiteral("zuviel")).empty());
    EXPECT_TRUE(FindWords(words, QStringLiteral("daneben")).empty());
    EXPECT_TRUE(FindWords(words, QStringLiteral("davor")).empty());
}

TEST(Table, TextOnlyTablesDrawNoLines)
{
    ImagePage sheet(8.0, 6.0, 100);
    CPage& page = sheet.Page();
    TableDefinition table;
    table.textOnly = true;
    table.noHeader = true;
    table.columnCount = 2;
    table.rowCount = 2;
    table.top = 100;
    table.left = 100;
    table.right = 500;
    page.PrintTable(table);
    page.PrintTableCell(table, 1, 1, 0, kTextLeft, "%s", "Zahlung");
    EXPECT_EQ(table.bottom, 100 + 2 * 20);
    const QImage& image = sheet.Finish();
    EXPECT_EQ(DarkPixels(image, QRect(0, 0, 800, 120)), 0);
    EXPECT_GT(DarkPixels(image, QRect(300, 120, 200, 20)), 0);
}

TEST(Table, TableBeyondTheRightMarginIsNotDrawn)
{
    ImagePage sheet(8.0, 6.0, 100);
    CPage& page = sheet.Page();
    page.SetRightMargin(400);
    TableDefinition table;
    table.top = 100;
    table.left = 100;
    table.right = 500;
    page.PrintTable(table);
    EXPECT_EQ(table.table, nullptr);
    page.PrintTableCell(table, 0, 0, 0, kTextLeft, "%s", "ignoriert");
    const QImage& image = sheet.Finish();
    EXPECT_EQ(DarkPixels(image, image.rect()), 0);
}

} // namespace
