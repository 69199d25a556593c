// The engine drawing into an image: boxes, lines, fills, regions, clipping, check boxes and
// bitmaps leave their pixels where the coordinates and the centring offset put them.
#include "print_test_support.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace fakvo;
using namespace fakvo::test;

namespace {

// US letter at 200 dpi: 0.5 inches wider than the content area, so x moves by 0.25 inches.
constexpr int kDpi = 200;
constexpr int kOffset = 50;

QColor At(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

int WhitePixels(const QImage& image, const QRect& rect)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += qGray(image.pixel(x, y)) > 200 ? 1 : 0;
    return count;
}

TEST(PageImage, BoxesAndLinesLandOnTheirPixels)
{
    ImagePage sheet(8.5, 11, kDpi);
    CPage& page = sheet.Page();
    ASSERT_EQ(page.HorizontalOffset(), kOffset);
    page.DrawBox(1.0, 1.0, 2.0, 3.0, 3, 0, 0);
    page.DrawBox(2.5, 1.0, 3.0, 2.0, 1, kFillLightGray, 0);
    page.DrawLine(4.0, 1.0, 4.0, 3.0, 2, 0);
    page.DrawLine(4.5, 1.0, 4.5, 3.0, 1, kLineDashed);
    page.DrawLine(5.0, 1.0, 5.0, 3.0, 1, kLineDotted);
    page.DrawLine(5.5, 2.0, 6.5, 2.0, 1, 0);
    const QImage& image = sheet.Finish();

    // The box outline runs through its corners, shifted by the offset.
    EXPECT_TRUE(IsDark(image, 450, 200));
    EXPECT_TRUE(IsDark(image, 450, 400));
    EXPECT_TRUE(IsDark(image, 250, 300));
    EXPECT_TRUE(IsDark(image, 650, 300));
    EXPECT_FALSE(IsDark(image, 450, 300));
    EXPECT_EQ(DarkPixels(image, QRect(195, 210, 50, 180)), 0) << "drawn without offset";
    // The outline is 3 pixels wide.
    EXPECT_EQ(DarkPixels(image, QRect(450, 195, 1, 10)), 3);

    EXPECT_EQ(At(image, 350, 550), QColor(192, 192, 192));
    EXPECT_TRUE(IsDark(image, 250, 500));

    // A solid line covers its whole length and nothing beyond it.
    EXPECT_EQ(DarkPixels(image, QRect(250, 800, 400, 1)), 400);
    EXPECT_EQ(DarkPixels(image, QRect(240, 795, 9, 10)), 0);
    EXPECT_EQ(DarkPixels(image, QRect(651, 795, 9, 10)), 0);
    EXPECT_EQ(DarkPixels(image, QRect(250, 799, 400, 2)), 800);
    // Dashed and dotted lines leave gaps.
    for (const int y : {900, 1000}) {
        const int dark = DarkPixels(image, QRect(250, y, 400, 1));
        EXPECT_GT(dark, 100) << y;
        EXPECT_LT(dark, 350) << y;
    }
    EXPECT_EQ(DarkPixels(image, QRect(450, 1100, 1, 200)), 200);
}

TEST(PageImage, FilledRegionsChooseTheTextColour)
{
    ImagePage sheet(8.5, 11, kDpi);
    CPage& page = sheet.Page();
    CPrintRegion* black = page.CreateRegion(1.0, 1.0, 2.0, 4.0, kFillBlack);
    CPrintRegion* light = page.CreateRegion(3.0, 1.0, 4.0, 4.0, kFillLightGray);
    ASSERT_NE(black, nullptr);
    ASSERT_NE(light, nullptr);
    page.PrintTextInRect(black, 0.2, 0.2, 0.8, 2.8, kTextLeft, 36, QStringLiteral("WEISS"));
    page.PrintTextInRect(light, 0.2, 0.2, 0.8, 2.8, kTextLeft, 36, QStringLiteral("DUNKEL"));
    // Text drawn after the region text keeps the page's own colour.
    page.PrintTextInRect(5.0, 1.0, 5.8, 4.0, kTextLeft, 36, QStringLiteral("DANACH"));
    const QImage& image = sheet.Finish();

    const QRect blackText(250 + 40, 200 + 40, 500, 120);
    EXPECT_EQ(At(image, 255, 205), QColor(0, 0, 0));
    EXPECT_GT(WhitePixels(image, blackText), 500) << "white text on black";
    const QRect lightText(250 + 40, 600 + 40, 500, 120);
    EXPECT_EQ(At(image, 255, 605), QColor(192, 192, 192));
    EXPECT_GT(DarkPixels(image, lightText), 500) << "dark text on light gray";
    EXPECT_GT(DarkPixels(image, QRect(250, 1000, 600, 160)), 500);
}

TEST(PageImage, TextIsClippedToItsRectangleUnlessAskedNotTo)
{
    ImagePage sheet(8.5, 11, kDpi);
    CPage& page = sheet.Page();
    const QString text = QStringLiteral("Ein Text, der nicht in sein Rechteck passt");
    page.PrintTextInRect(1.0, 1.0, 1.1, 2.0, kTextLeft, 20, text);
    page.PrintTextInRect(3.0, 1.0, 3.1, 2.0, kTextLeft | kTextNoClip, 20, text);
    const QImage& image = sheet.Finish();

    const QRect clipped(250, 200, 200, 20);
    EXPECT_GT(DarkPixels(image, clipped), 0);
    EXPECT_EQ(DarkPixels(image, QRect(150, 221, 600, 300)), 0) << "below the rectangle";
    EXPECT_EQ(DarkPixels(image, QRect(451, 180, 400, 40)), 0) << "right of the rectangle";
    EXPECT_GT(DarkPixels(image, QRect(150, 621, 600, 300)), 0) << "no clipping asked";
}

// The longest run of dark pixels in one row of the rectangle.
int LongestDarkRun(const QImage& image, const QRect& rect)
{
    int longest = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        int run = 0;
        for (int x = rect.left(); x <= rect.right(); ++x) {
            run = IsDark(image, x, y) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

TEST(PageImage, UnderlineAndStrikeOutRunUnderAndThroughTheText)
{
    ImagePage sheet(8.5, 11, kDpi);
    CPage& page = sheet.Page();
    const QString text = QStringLiteral("mmmm mmmm");
    page.PrintTextInRect(1.0, 1.0, 2.0, 4.0, kTextLeft, 20, text);
    const int plainRight = page.State().measuredRight;
    page.PrintTextInRect(2.0, 1.0, 3.0, 4.0, kTextUnderline, 20, text);
    page.PrintTextInRect(3.0, 1.0, 4.0, 4.0, kTextStrikeOut, 20, text);
    const int height = page.State().textHeight;
    const int width = plainRight - 200;
    const QImage& image = sheet.Finish();

    const auto band = [&](int top) { return QRect(250, top, width + 10, height); };
    EXPECT_LT(LongestDarkRun(image, band(200)), width / 2) << "the blank interrupts plain text";
    EXPECT_GT(LongestDarkRun(image, band(400)), width - 10);
    EXPECT_GT(LongestDarkRun(image, band(600)), width - 10);
}

TEST(PageImage, RotatedTextRunsUpwards)
{
    ImagePage sheet(8.5, 11, kDpi);
    CPage& page = sheet.Page();
    page.Printer().SetRotation(900);
    page.PrintTextInRect(4.0, 1.0, 5.0, 4.0, kTextLeft | kTextNoClip, 20,
                         QStringLiteral("Umsatz Umsatz"));
    // The rotation lasts for one output only.
    page.PrintTextInRect(6.0, 1.0, 7.0, 4.0, kTextLeft, 20, QStringLiteral("Umsatz Umsatz"));
    const QImage& image = sheet.Finish();

    // Upwards from the rectangle's top-left corner (x 250, y 800) over about 1.1 inches.
    EXPECT_GT(DarkPixels(image, QRect(250, 580, 60, 210)), 500);
    EXPECT_EQ(DarkPixels(image, QRect(320, 700, 400, 99)), 0);
    EXPECT_GT(DarkPixels(image, QRect(250, 1200, 400, 60)), 500);
}

TEST(PageImage, BitmapsAreStretchedWithoutTheOffset)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("block.bmp"));
    QImage block(4, 2, QImage::Format_RGB32);
    block.fill(Qt::black);
    block.setPixelColor(3, 1, Qt::white);
    ASSERT_TRUE(block.save(file, "BMP"));

    ImagePage sheet(8.5, 11, kDpi);
    EXPECT_TRUE(sheet.Page().PrintBitmap(1.0, 1.0, 1.5, 3.0, file));
    EXPECT_FALSE(
        sheet.Page().PrintBitmap(2.0, 1.0, 2.5, 3.0, dir.filePath(QStringLiteral("x.bmp"))));
    const QImage& image = sheet.Finish();

    // 4 x 2 pixels stretched to 400 x 100: each source pixel becomes 100 x 50.
    EXPECT_EQ(DarkPixels(image, QRect(200, 200, 400, 50)), 400 * 50);
    EXPECT_EQ(DarkPixels(image, QRect(200, 250, 300, 50)), 300 * 50);
    EXPECT_EQ(DarkPixels(image, QRect(500, 250, 100, 50)), 0);
    EXPECT_EQ(DarkPixels(image, QRect(600, 190, 60, 120)), 0);
    EXPECT_EQ(DarkPixels(image, QRect(190, 190, 10, 120)), 0);
}

TEST(PageImage, CheckBoxesAreCrossedOrFilledWhenMarked)
{
    ImagePage sheet(8.5, 11, kDpi);
    CPage& page = sheet.Page();
    // 36 points are half an inch: a 100-pixel box.
    page.DrawCheckBox(QStringLiteral("Ja"), true, 1.0, 1.0, 36, false, 1, 0, kTextLeft);
    page.DrawCheckBox(QStringLiteral("Nein"), false, 2.0, 1.0, 36, false, 1, 0, kTextLeft);
    page.DrawCheckBox(QStringLiteral("Bar"), true, 3.0, 1.0, 36, false, 1, kFillDarkGray,
                      kTextLeft);
    page.DrawCheckBox(QStringLiteral("Zuerst"), false, 4.0, 1.0, 36, true, 1, 0, kTextLeft);
    const int labelEnd = int(page.GetNextColumn(false, false));
    const QImage& image = sheet.Finish();

    EXPECT_TRUE(IsDark(image, 300, 250)) << "crossing diagonals";
    EXPECT_TRUE(IsDark(image, 275, 225));
    EXPECT_FALSE(IsDark(image, 300, 450)) << "unmarked";
    EXPECT_TRUE(IsDark(image, 250, 450)) << "outline";
    EXPECT_EQ(At(image, 300, 650), QColor(64, 64, 64));
    // The label starts two box widths to the right of the box.
    EXPECT_EQ(DarkPixels(image, QRect(351, 210, 98, 90)), 0);
    EXPECT_GT(DarkPixels(image, QRect(450, 200, 200, 100)), 0);
    // Label first: the box follows the label at the next column plus the widest character.
    EXPECT_GT(labelEnd, 200);
    EXPECT_FALSE(IsDark(image, labelEnd + kOffset + 2, 850));
    EXPECT_GT(DarkPixels(image, QRect(labelEnd + kOffset, 800, 400, 1)), 90);
}

TEST(PageImage, RegionTitleTakesTheTopBand)
{
    ImagePage sheet(8.5, 11, kDpi);
    CPage& page = sheet.Page();
    CPrintRegion* plain = page.CreateRegion(1.0, 1.0, 3.0, 4.0);
    CPrintRegion* filled = page.CreateRegion(4.0, 1.0, 6.0, 4.0);
    ASSERT_NE(plain, nullptr);
    ASSERT_NE(filled, nullptr);
    plain->DrawFrame();
    plain->DrawTitle(QStringLiteral("Titel"), 18, kTextCentre, 0);
    // Twice the font height: 2 * 18 / 72 inches = 100 pixels.
    EXPECT_EQ(plain->FirstRow(), 200 + 1 + 100 + 1);
    filled->DrawTitle(QStringLiteral("Schwarz"), 18, kTextCentre | kTextFill | kTextBold,
                      kFillBlack);
    EXPECT_EQ(filled->FirstRow(), page.State().measuredBottom + 10 + 1);
    const QImage& image = sheet.Finish();

    EXPECT_TRUE(IsDark(image, 250, 300)) << "frame";
    EXPECT_GT(DarkPixels(image, QRect(400, 210, 200, 80)), 100) << "title text";
    EXPECT_EQ(At(image, 260, 805), QColor(0, 0, 0)) << "filled band";
    EXPECT_GT(WhitePixels(image, QRect(400, 805, 200, 60)), 100) << "white title on black";
}

TEST(PageImage, NormalisedMappingSpreadsAThousandUnitsOverThePage)
{
    ImagePage sheet(8.5, 11, 100, CPage::kNormalisedMapping);
    CPage& page = sheet.Page();
    EXPECT_EQ(page.LogicalWidth(), 1000);
    EXPECT_EQ(page.LogicalHeight(), 1000);
    // 0.25 inches of offset are 29 of the 1000 units across 8.5 inches.
    EXPECT_EQ(page.HorizontalOffset(), 29);
    EXPECT_EQ(page.ToUnitsX(1.0), 117);
    EXPECT_EQ(page.ToUnitsY(1.0), 90);
    page.DrawBox(100, 100, 500, 500, 1, kFillBlack, 0);
    const QImage& image = sheet.Finish();
    // Units 129 to 529 across 850 pixels, 100 to 500 down 1100 pixels.
    EXPECT_TRUE(IsDark(image, 112, 115));
    EXPECT_TRUE(IsDark(image, 447, 545));
    EXPECT_FALSE(IsDark(image, 107, 300));
    EXPECT_FALSE(IsDark(image, 452, 300));
    EXPECT_FALSE(IsDark(image, 300, 107));
    EXPECT_FALSE(IsDark(image, 300, 553));
}

} // namespace
