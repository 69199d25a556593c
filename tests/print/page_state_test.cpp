// The page's coordinate model and drawing state: conversions, the centring offset, margins,
// the results of text output, line spacing, callbacks and the state that every operation
// restores.
#include "print_test_support.h"

#include "print/printtable.h"
#include "print/textflags.h"

#include <gtest/gtest.h>

#include <limits>

using namespace fakvo;
using namespace fakvo::test;

namespace {

TEST(PageUnits, InchesTruncateToUnitsAndBack)
{
    ImagePage sheet(8.0, 2.0, 600);
    const CPage& page = sheet.Page();
    struct Case
    {
        double inches;
        int units;
    };
    // A layout value of 1 mm (10 tenths) is 10 / 254 inches.
    const Case cases[] = {{1.0, 600}, {1.9999, 1199}, {10.0 / 254, 23},
                          {0.0, 0},   {-0.5, 0},      {0.0001, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(page.ToUnitsX(c.inches), c.units) << c.inches;
        EXPECT_EQ(page.ToUnitsY(c.inches), c.units) << c.inches;
    }
    EXPECT_DOUBLE_EQ(page.ToInchesX(300), 0.5);
    EXPECT_DOUBLE_EQ(page.ToInchesY(1), 1.0 / 600);
    EXPECT_DOUBLE_EQ(page.ToInchesX(0), 0.0);
    EXPECT_DOUBLE_EQ(page.ToInchesY(-7), 0.0);
    EXPECT_DOUBLE_EQ(page.PhysicalWidth(), 8.0);
    EXPECT_DOUBLE_EQ(page.PhysicalHeight(), 2.0);
    EXPECT_EQ(page.LogicalWidth(), 4800);
}

TEST(PageUnits, WidePaperIsCentredOnTheContentArea)
{
    struct Case
    {
        double width;
        QPageLayout::Orientation orientation;
        double offsetInches;
    };
    const Case cases[] = {
        {8.27, QPageLayout::Portrait, 0.135},   // A4
        {8.5, QPageLayout::Portrait, 0.25},     // US letter
        {8.0, QPageLayout::Portrait, 0.0},      // not wider than the content area
        {11.69, QPageLayout::Landscape, 0.595}, // A4 across
        {10.9, QPageLayout::Landscape, 0.0},    // not beyond the landscape threshold
        {11.0, QPageLayout::Landscape, 0.25},   {11.0, QPageLayout::Portrait, 1.5},
    };
    for (const Case& c : cases) {
        ImagePage sheet(c.width, 0.1, 200, CPage::kDeviceMapping, c.orientation);
        EXPECT_NEAR(sheet.Page().HorizontalOffset(), c.offsetInches * 200, 1)
            << c.width << (c.orientation == QPageLayout::Landscape ? " landscape" : " portrait");
    }
}

TEST(PageUnits, UnknownMappingModesMeanDeviceMapping)
{
    ImagePage sheet(2.0, 1.0, 300, 7);
    EXPECT_EQ(sheet.Page().LogicalWidth(), 600);
    EXPECT_EQ(sheet.Page().ToUnitsX(1.0), 300);
}

TEST(PageState, MarginsAreSetAndRestoredIndependently)
{
    ImagePage sheet(8.0, 10.0, 100);
    CPage& page = sheet.Page();
    EXPECT_EQ(page.SetRightMargin(500), 800);
    EXPECT_EQ(page.SetBottomMargin(700), 1000);
    EXPECT_DOUBLE_EQ(page.SetBottomMargin(-1.0), 7.0);
    EXPECT_EQ(page.State().bottom, 1000);
    EXPECT_EQ(page.State().right, 500) << "restoring the bottom margin keeps the right one";
    EXPECT_EQ(page.SetRightMargin(0), 500) << "0 changes nothing";
    EXPECT_EQ(page.SetRightMargin(-5), 500) << "only -1 restores";
    EXPECT_DOUBLE_EQ(page.SetRightMargin(6.5), 5.0);
    EXPECT_EQ(page.State().right, 650);
    EXPECT_EQ(page.SetRightMargin(-1), 650);
    EXPECT_EQ(page.State().right, 800);
}

TEST(PageState, TextBeyondTheMarginsIsNotDrawn)
{
    ImagePage sheet(8.0, 10.0, 100);
    CPage& page = sheet.Page();
    const double row = page.Print(1.0, 1.0, "%s", "vorher");
    EXPECT_DOUBLE_EQ(row, page.ToInchesY(page.State().measuredBottom));
    const PrintState before = page.State();
    page.SetBottomMargin(5.0);
    page.SetRightMargin(6.0);
    EXPECT_DOUBLE_EQ(page.Print(5.5, 1.0, "unten"), 5.5);
    EXPECT_EQ(page.Print(300, 650, "rechts"), 300);
    page.PrintTextInRect(6.0, 1.0, 7.0, 4.0, kTextLeft, 10, QStringLiteral("auch nicht"));
    // Empty text draws nothing either.
    EXPECT_EQ(page.Print(100, 100, kTextLeft, 10, "%s", ""), 100);
    EXPECT_EQ(page.State().measuredTop, before.measuredTop);
    EXPECT_EQ(page.State().nextColumn, before.nextColumn);
    EXPECT_EQ(page.State().textHeight, before.textHeight);
    const QImage& image = sheet.Finish();
    EXPECT_EQ(DarkPixels(image, QRect(0, 480, 800, 520)), 0);
}

TEST(PageState, EveryOperationRestoresFlagsSizeAndRectangle)
{
    ImagePage sheet(8.0, 10.0, 100);
    CPage& page = sheet.Page();
    page.SetRightMargin(700);
    page.Print(1.0, 1.0, kTextBold | kTextCentre, 24, "Überschrift");
    page.PrintTextInRect(2.0, 1.0, 3.0, 4.0, kTextRight | kTextSingleLine, 8,
                         QStringLiteral("klein"));
    page.DrawBox(4.0, 1.0, 5.0, 2.0, 3, kFillBlack, kLineDashed);
    page.DrawLine(6.0, 1.0, 6.0, 2.0, 2, kLineDotted);
    CPrintRegion* region = page.CreateRegion(7.0, 1.0, 9.0, 5.0, kFillLightGray);
    ASSERT_NE(region, nullptr);
    page.Print(region, 0.1, 0.1, kTextItalic, 14, "im Bereich");
    const PrintState& state = page.State();
    EXPECT_EQ(state.textFlags, kDefaultTextFlags);
    EXPECT_EQ(state.fontSize, 10);
    EXPECT_EQ(state.fillFlags, 0u);
    EXPECT_EQ(state.lineStyle, 0u);
    EXPECT_EQ(state.right, 700);
    EXPECT_EQ(state.bottom, 1000);
    EXPECT_TRUE(state.text.isEmpty());
    EXPECT_EQ(page.SetFontSize(12), 10);
    EXPECT_EQ(page.SetFontSize(0), 12);
    EXPECT_EQ(page.SetFont(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(page.SetFont(QStringLiteral("Arial")), QStringLiteral("Times New Roman"));
    EXPECT_EQ(page.SetFont(), QStringLiteral("Arial"));
    EXPECT_EQ(page.SetTextColor(Qt::red), QColor(Qt::black));
    EXPECT_EQ(page.SetTextColor(Qt::black), QColor(Qt::red));
}

TEST(PageState, ResultsDescribeTheLastText)
{
    ImagePage sheet(8.0, 10.0, 300);
    CPage& page = sheet.Page();
    page.SetFont(QStringLiteral("Courier New"));
    // Courier New is 0.6 em per character: 10 characters at 12 points are 72 points wide.
    const int next = page.Print(300, 600, kTextLeft, 12, "%s", "0123456789");
    const PrintState& state = page.State();
    EXPECT_EQ(state.measuredLeft, 600);
    EXPECT_EQ(state.measuredTop, 300);
    EXPECT_NEAR(state.nextColumn, 900, 1);
    EXPECT_EQ(state.measuredRight, state.nextColumn);
    EXPECT_EQ(next, state.measuredBottom);
    EXPECT_EQ(state.textHeight, state.measuredBottom - state.measuredTop);
    EXPECT_EQ(state.textHeight, state.metrics.height);
    EXPECT_NEAR(state.metrics.height, 50 * 1.133, 2); // 12 points are 50 pixels
    EXPECT_NEAR(state.metrics.averageCharWidth, 30, 1);
    EXPECT_GE(state.metrics.maxCharWidth, state.metrics.averageCharWidth);
    EXPECT_DOUBLE_EQ(page.GetNextColumn(false, false), state.nextColumn);
    EXPECT_DOUBLE_EQ(page.GetNextColumn(false, true),
                     state.nextColumn + state.metrics.maxCharWidth);
    EXPECT_DOUBLE_EQ(page.GetNextColumn(true, false), page.ToInchesX(state.nextColumn));

    // Right-aligned text is measured where it stands.
    page.PrintTextInRect(600, 600, 700, 1500, kTextRight, 12, QStringLiteral("0123456789"));
    EXPECT_NEAR(page.State().measuredLeft, 1200, 1);
    EXPECT_EQ(page.State().nextColumn, 1500);

    // Right and bottom both 0: the rectangle is the text's own.
    page.PrintTextInRect(900, 600, 0, 0, kTextRight, 12, QStringLiteral("01234"));
    EXPECT_EQ(page.State().measuredLeft, 600);
    EXPECT_NEAR(page.State().nextColumn, 750, 1);
}

TEST(PageState, ColumnAndRowContinueWhereTheLastTextEnded)
{
    ImagePage sheet(8.0, 10.0, 300);
    CPage& page = sheet.Page();
    page.SetFont(QStringLiteral("Courier New"));
    double column = 2.0;
    const double row = page.Print(1.0, &column, kTextLeft, 12, "%s", "12345");
    EXPECT_NEAR(column, 2.5, 0.01) << "5 characters of 0.1 inches";
    EXPECT_NEAR(row, 1.0 + page.ToInchesY(page.State().textHeight), 0.004);
    page.Print(1.0, &column, kTextLeft, 12, "%s", "67890");
    EXPECT_NEAR(column, 3.0, 0.01);

    int unitColumn = 300;
    page.Print(1500, &unitColumn, kTextLeft, 12, "%s", "ab");
    EXPECT_NEAR(unitColumn, 360, 1);

    // At the current row the text continues the previous one (column -1: the last column), in
    // the page's own size of 10 points (25 pixels a character).
    const int next = page.PrintAtCurrentRow(QStringLiteral("cd"));
    EXPECT_EQ(page.State().measuredTop, 1500);
    EXPECT_NEAR(page.State().measuredLeft, 360, 1);
    EXPECT_NEAR(page.State().nextColumn, 410, 1);
    EXPECT_EQ(next, page.State().measuredBottom);
    page.PrintAtCurrentRow(QStringLiteral("ef"), 900);
    EXPECT_EQ(page.State().measuredLeft, 900);
    EXPECT_EQ(page.State().measuredTop, 1500);
}

TEST(PageState, TabsAreExpandedToEightAverageCharactersOnlyWhenAsked)
{
    ImagePage sheet(8.0, 10.0, 300);
    CPage& page = sheet.Page();
    page.SetFont(QStringLiteral("Courier New"));
    // 12 points of Courier New are 30 pixels a character: tab stops every 240 pixels.
    page.Print(300, 300, kTextLeft | kTextExpandTabs, 12, "%s", "a\tb");
    EXPECT_NEAR(page.State().nextColumn, 300 + 240 + 30, 1);
    page.Print(600, 300, kTextLeft, 12, "%s", "a\tb");
    EXPECT_NEAR(page.State().nextColumn, 300 + 3 * 30, 1) << "a tab is a blank";
}

TEST(PageState, LineSpacingMovesTheNextRowOnly)
{
    ImagePage sheet(8.0, 10.0, 720);
    CPage& page = sheet.Page();
    EXPECT_DOUBLE_EQ(page.SetLineSpacing(1.5), 1.0);
    const int next = page.Print(100, 100, kTextLeft, 10, "%s", "Zeile");
    // Half of a 10-point font height (100 pixels at 720 dpi) more.
    EXPECT_EQ(next, page.State().measuredBottom + 50);
    EXPECT_DOUBLE_EQ(page.SetLineSpacing(0), 1.5) << "0 is ignored";
    EXPECT_DOUBLE_EQ(page.SetLineSpacing(0.8), 1.5);
    EXPECT_EQ(page.Print(100, 100, kTextLeft, 10, "%s", "Zeile"), page.State().measuredBottom)
        << "factors up to 1 add nothing";
}

TEST(PageState, CallbacksSupplyTheText)
{
    struct Item
    {
        const char* name;
    };
    const Item item{"Schraube"};
    ImagePage sheet(8.0, 10.0, 300);
    CPage& page = sheet.Page();
    EXPECT_EQ(page.PrintCallback(300, 300, &item), 0) << "no callback registered";
    EXPECT_DOUBLE_EQ(page.PrintCallback(1.0, 1.0, kTextLeft, 10, &item), 0.0);
    page.PrintTextInRectCallback(600, 300, 900, 1500, kTextLeft, 10, &item);
    EXPECT_EQ(page.State().textHeight, 0) << "nothing drawn";

    page.SetTextCallback(
        [](const void* data) { return QString::fromUtf8(static_cast<const Item*>(data)->name); });
    const int next = page.PrintCallback(300, 300, &item);
    EXPECT_GT(next, 300);
    EXPECT_EQ(next, page.State().measuredBottom);
    const QImage& image = sheet.Finish();
    EXPECT_GT(DarkPixels(image, QRect(300, 300, 200, next - 300)), 0);
}

TEST(PageState, RegionsRejectRectanglesOutsideThePage)
{
    ImagePage sheet(8.0, 10.0, 100);
    CPage& page = sheet.Page();
    EXPECT_EQ(page.CreateRegion(-1, 0, 100, 100), nullptr);
    EXPECT_EQ(page.CreateRegion(0, -1, 100, 100), nullptr);
    EXPECT_EQ(page.CreateRegion(0, 0, 1001, 100), nullptr);
    EXPECT_EQ(page.CreateRegion(0, 0, 100, 801), nullptr);
    page.SetRightMargin(300);
    CPrintRegion* region = page.CreateRegion(100, 100, 1000, 800);
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(region->Right(), 300) << "limited to the right margin";
    EXPECT_EQ(region->Bottom(), 1000);
    EXPECT_EQ(region->FirstRow(), 101);
    EXPECT_EQ(region->FirstColumn(), 101);

    // Text in the region wraps at the region's right edge and reports rows relative to it.
    const int next = page.Print(region, 50, 0, kTextLeft, 10, "%s",
                                "ein Satz, der breiter ist als der Bereich, in dem er steht");
    EXPECT_LE(page.State().measuredRight, 300);
    EXPECT_GT(page.State().textHeight, page.State().metrics.height) << "wrapped";
    EXPECT_EQ(next, page.State().measuredBottom - region->FirstRow());
    EXPECT_EQ(page.State().measuredTop, 151);
}

TEST(PageState, ExtremeInputsNeitherCrashNorOverflow)
{
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    const auto exercise = [](CPage& page) {
        page.PrintTextInRect(kMin, kMin, kMax, kMax, kTextLeft, kMax, QStringLiteral("x"));
        page.PrintTextInRect(1e300, -1e300, 1e300, 1e300, kTextFill, -3, QStringLiteral("x"));
        page.SetLineSpacing(1e300);
        page.Print(0, 0, kKeepFlags, 4000, "%s", "y");
        page.Print(1e300, 1e300, "%s", "y");
        page.DrawLine(kMin, kMin, kMax, kMax, kMax, 0xFFFFFFFF);
        page.DrawBox(kMin, kMin, kMax, kMax, kMax, 0xFFFFFFFF, 0xFFFFFFFF);
        page.DrawCheckBox(QStringLiteral("z"), true, kMax, kMax, kMax, true, 1, 0, kTextLeft);
        CPrintRegion* region = page.CreateRegion(0, 0, 10, 10);
        if (region) {
            page.Print(region, kMax, kMax, kTextLeft, 10, "%s", "r");
            page.DrawLine(region, kMin, kMin, kMax, kMax, 1, 0);
            region->DrawTitle(QStringLiteral("t"), kMax, kTextFill, kFillBlack);
        }
        TableDefinition table;
        table.rowCount = kMax;
        table.linesPerRow = kMax;
        table.headerRows = kMax;
        table.fontSize = kMax;
        table.columnCount = 1000;
        table.equalWidths = true;
        table.left = -1e300;
        table.right = 1.0;
        page.PrintTable(table);
        page.PrintTableCell(table, kMax, kMax, kMax, kKeepFlags, "%s", "c");
        page.PrintTableCell(table, 0, 0, 0, kKeepFlags, nullptr);
        page.PrintBitmap(kMin, kMin, kMax, kMax, QString());
    };
    ImagePage sheet(2.0, 2.0, 100);
    exercise(sheet.Page());
    QPainter idle; // never begun
    CPage withoutDevice(0, 0, 100, 100, &idle);
    exercise(withoutDevice);
    CPage withoutPainter(kMin, kMin, kMax, kMax, nullptr, CPage::kNormalisedMapping);
    exercise(withoutPainter);
}

TEST(TextFlags, AlignmentWordsOfTheConfiguration)
{
    struct Case
    {
        const char* word;
        unsigned flags;
    };
    const Case cases[] = {{"center", kTextCentre}, {"CENTER", kTextCentre}, {"Center", kTextLeft},
                          {"right", kTextRight},   {"RIGHT", kTextRight},   {"left", kTextLeft},
                          {"LEFT", kTextLeft},     {"mitte", kTextLeft},    {"", kTextLeft}};
    for (const Case& c : cases)
        EXPECT_EQ(AlignmentFlags(QString::fromUtf8(c.word)), c.flags) << c.word;
}

} // namespace
