// A test page drawn through the engine into a PDF file and read back with poppler: texts stand
// where their inch coordinates (plus the centring offset) put them, alignment and wrapping
// follow the flags, and the fonts are embedded.
#include "print_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

using namespace fakvo;
using namespace fakvo::test;

namespace {

// A tenth of a millimetre in points.
constexpr double kTolerance = 72.0 / 254.0;

double Points(int pixels)
{
    return pixels * 72.0 / PdfPage::kDpi;
}

PdfWord Only(const std::vector<PdfWord>& words, const QString& text)
{
    const auto found = FindWords(words, text);
    EXPECT_EQ(found.size(), 1u) << text.toStdString();
    return found.empty() ? PdfWord() : found.front();
}

TEST(PagePdf, TextsStandWhereTheInchCoordinatesPutThem)
{
    PdfPage pdf;
    CPage& page = pdf.Page();
    page.SetFont(QStringLiteral("Arial"));
    const int offset = page.HorizontalOffset();
    // A4 is 0.27 inches wider than the 8-inch content area: text moves right by half of it.
    EXPECT_NEAR(page.ToInchesX(offset), 0.13, 0.01);

    struct Case
    {
        const char* word;
        double top, left, bottom, right;
        unsigned flags;
        int size;
    };
    const Case cases[] = {
        {"Links", 1.0, 1.0, 1.5, 4.0, kTextLeft, 10},
        {"Rechts", 1.5, 1.0, 2.0, 4.0, kTextRight, 10},
        {"Mitte", 2.0, 1.0, 2.5, 4.0, kTextCentre, 12},
        {"Beides", 2.5, 1.0, 3.0, 4.0, kTextCentre | kTextRight, 10}, // centred wins
        {"Klein", 3.0, 5.25, 3.5, 7.5, kTextLeft | kTextBold, 6},
        {"Tief", 3.5, 0.5, 4.5, 2.5, kTextSingleLine | kTextVCentre, 14},
    };
    for (const Case& c : cases)
        page.PrintTextInRect(c.top, c.left, c.bottom, c.right, c.flags, c.size,
                             QString::fromUtf8(c.word));
    const auto words = PdfWords(pdf.Finish());
    ASSERT_FALSE(words.empty()) << "pdftotext gave no words";

    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        const PdfWord w = Only(words, QString::fromUtf8(c.word));
        const double left = Points(page.ToUnitsX(c.left) + offset);
        const double right = Points(page.ToUnitsX(c.right) + offset);
        const double top = Points(page.ToUnitsY(c.top));
        const double bottom = Points(page.ToUnitsY(c.bottom));
        if (c.flags & kTextCentre) {
            EXPECT_NEAR((w.xMin + w.xMax) / 2, (left + right) / 2, kTolerance);
        } else if (c.flags & kTextRight) {
            EXPECT_NEAR(w.xMax, right, kTolerance);
        } else {
            EXPECT_NEAR(w.xMin, left, kTolerance);
        }
        if (c.flags & kTextVCentre) {
            EXPECT_NEAR((w.yMin + w.yMax) / 2, (top + bottom) / 2, kTolerance);
        } else {
            EXPECT_NEAR(w.yMin, top, kTolerance);
        }
        // The font height of the text is its size in points (ascent plus descent of Liberation
        // Sans are 1.117 of it).
        EXPECT_NEAR(w.yMax - w.yMin, c.size * 1.117, 0.25);
    }
}

TEST(PagePdf, FormattedAndRegionTextsUseTheirOrigins)
{
    PdfPage pdf;
    CPage& page = pdf.Page();
    const int offset = page.HorizontalOffset();
    page.Print(2.0, 1.5, "Nummer %d", 4711);
    CPrintRegion* region = page.CreateRegion(4.0, 2.0, 6.0, 6.0);
    ASSERT_NE(region, nullptr);
    page.PrintTextInRect(region, 0.5, 0.25, 1.0, 3.0, kTextLeft, 10, QStringLiteral("Bereich"));
    const auto words = PdfWords(pdf.Finish());

    const PdfWord number = Only(words, QStringLiteral("4711"));
    const PdfWord label = Only(words, QStringLiteral("Nummer"));
    EXPECT_NEAR(label.xMin, Points(900 + offset), kTolerance);
    EXPECT_NEAR(label.yMin, Points(1200), kTolerance);
    EXPECT_NEAR(number.yMin, label.yMin, 0.01);

    // Region coordinates start at the region's first usable row and column (inside its edge).
    const PdfWord inRegion = Only(words, QStringLiteral("Bereich"));
    EXPECT_NEAR(inRegion.xMin, Points(region->FirstColumn() + 150 + offset), kTolerance);
    EXPECT_NEAR(inRegion.yMin, Points(region->FirstRow() + 300), kTolerance);
}

// Groups the words into lines by their top.
std::map<long, std::vector<PdfWord>> Lines(const std::vector<PdfWord>& words,
                                           const std::set<QString>& vocabulary)
{
    std::map<long, std::vector<PdfWord>> lines;
    for (const PdfWord& w : words)
        if (vocabulary.count(w.text))
            lines[std::lround(w.yMin * 10)].push_back(w);
    return lines;
}

TEST(PagePdf, WrappedTextStaysInsideItsRectangle)
{
    const QString text =
        QStringLiteral("Lieferung der bestellten Waren frei Haus innerhalb von vierzehn Tagen nach "
                       "Eingang der Zahlung auf unserem Konto bei der Landesbank");
    std::set<QString> vocabulary;
    for (const QString& w : text.split(QLatin1Char(' ')))
        vocabulary.insert(w);

    struct Case
    {
        unsigned flags;
        double top;
    };
    const Case cases[] = {{kTextLeft, 1.0}, {kTextRight, 3.0}, {kTextCentre, 5.0}};
    PdfPage pdf;
    CPage& page = pdf.Page();
    page.SetFont(QStringLiteral("Times New Roman"));
    const int offset = page.HorizontalOffset();
    std::vector<int> heights;
    std::vector<int> nextRows;
    for (const Case& c : cases) {
        page.PrintTextInRect(c.top, 1.0, c.top + 1.5, 3.0, c.flags, 11, text);
        heights.push_back(page.State().textHeight);
        nextRows.push_back(page.State().measuredBottom);
    }
    const int lineHeight = page.State().metrics.height;
    const auto words = PdfWords(pdf.Finish());

    const double left = Points(600 + offset);
    const double right = Points(1800 + offset);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.flags);
        std::vector<PdfWord> mine;
        for (const PdfWord& w : words)
            if (w.yMin >= c.top * 72 - 1 && w.yMin < (c.top + 1.5) * 72)
                mine.push_back(w);
        const auto lines = Lines(mine, vocabulary);
        ASSERT_GE(lines.size(), 4u);
        EXPECT_EQ(mine.size(), size_t(text.count(QLatin1Char(' ')) + 1)) << "a word went missing";
        // Lines follow each other at the font's line height, starting at the rectangle's top.
        EXPECT_NEAR(lines.begin()->second.front().yMin, c.top * 72, kTolerance);
        long previous = -1;
        for (const auto& [top, line] : lines) {
            if (previous >= 0) {
                EXPECT_NEAR((top - previous) / 10.0, Points(lineHeight), 0.15);
            }
            previous = top;
            double lineLeft = line.front().xMin;
            double lineRight = line.front().xMax;
            for (const PdfWord& w : line) {
                lineLeft = std::min(lineLeft, w.xMin);
                lineRight = std::max(lineRight, w.xMax);
            }
            EXPECT_GE(lineLeft, left - kTolerance);
            EXPECT_LE(lineRight, right + kTolerance);
            if (c.flags == kTextLeft) {
                EXPECT_NEAR(lineLeft, left, kTolerance);
            }
            if (c.flags == kTextRight) {
                EXPECT_NEAR(lineRight, right, kTolerance);
            }
            if (c.flags == kTextCentre) {
                EXPECT_NEAR((lineLeft + lineRight) / 2, (left + right) / 2, kTolerance);
            }
        }
        // The measured text height covers exactly the lines drawn.
        EXPECT_NEAR(heights[i], int(lines.size()) * lineHeight, 2);
        EXPECT_EQ(nextRows[i], int(c.top * 600) + heights[i]);
    }
}

TEST(PagePdf, SingleLineTextIsNotWrapped)
{
    PdfPage pdf;
    CPage& page = pdf.Page();
    page.PrintTextInRect(1.0, 1.0, 1.5, 2.0, kTextSingleLine | kTextNoClip, 10,
                         QStringLiteral("eins zwei drei vier fünf sechs sieben"));
    page.PrintTextInRect(2.0, 1.0, 2.5, 2.0, kTextLeft | kTextNoClip, 10,
                         QStringLiteral("acht neun zehn elf zwölf dreizehn"));
    const auto words = PdfWords(pdf.Finish());
    const PdfWord one = Only(words, QStringLiteral("eins"));
    const PdfWord seven = Only(words, QStringLiteral("sieben"));
    EXPECT_NEAR(one.yMin, seven.yMin, 0.01);
    EXPECT_GT(seven.xMax, Points(1200 + page.HorizontalOffset()));
    // The same width wraps without the flag.
    EXPECT_GT(Only(words, QStringLiteral("dreizehn")).yMin,
              Only(words, QStringLiteral("acht")).yMin);
}

TEST(PagePdf, OnePageObjectServesSeveralDevicePages)
{
    PdfPage pdf;
    CPage& page = pdf.Page();
    page.Print(1.0, 1.0, "%s", "Seite1");
    pdf.NewPage();
    page.Print(1.0, 1.0, "%s", "Seite2");
    const QString file = pdf.Finish();
    const ToolResult second =
        RunTool(QStringLiteral("pdftotext"),
                {QStringLiteral("-f"), QStringLiteral("2"), QStringLiteral("-l"),
                 QStringLiteral("2"), file, QStringLiteral("-")});
    ASSERT_TRUE(second.started);
    EXPECT_EQ(second.output.trimmed(), QStringLiteral("Seite2"));
}

TEST(PagePdf, FacesResolveToEmbeddedMetricCompatibleFonts)
{
    PdfPage pdf;
    CPage& page = pdf.Page();
    struct Case
    {
        const char* face;
        unsigned flags;
        const char* font;
    };
    const Case cases[] = {
        {"Arial", kTextLeft, "LiberationSans"},
        {"Arial", kTextBold, "LiberationSans-Bold"},
        {"Times New Roman", kTextLeft, "LiberationSerif"},
        {"Times New Roman", kTextItalic, "LiberationSerif-Italic"},
        {"Courier New", kTextBold | kTextItalic, "LiberationMono-BoldItalic"},
    };
    double row = 1.0;
    for (const Case& c : cases) {
        page.SetFont(QString::fromUtf8(c.face));
        page.PrintTextInRect(row, 1.0, row + 0.4, 6.0, c.flags, 10, QStringLiteral("Grüße"));
        row += 0.5;
    }
    const auto fonts = PdfFonts(pdf.Finish());
    ASSERT_FALSE(fonts.empty()) << "pdffonts found no fonts";
    for (const Case& c : cases) {
        const auto it = std::find_if(fonts.begin(), fonts.end(), [&](const PdfFont& f) {
            return f.name == QString::fromUtf8(c.font);
        });
        ASSERT_NE(it, fonts.end()) << c.font;
        EXPECT_TRUE(it->embedded) << c.font;
    }
    EXPECT_EQ(fonts.size(), std::size(cases));
}

TEST(PagePdf, FormattedTextIsCutAfter5119Characters)
{
    // The text ends in a marker word; filler words make it exactly `length` characters long.
    const auto textOfLength = [](int length, const QByteArray& marker) {
        QByteArray text;
        while (text.size() + 6 <= length - marker.size())
            text += "fill ";
        text += QByteArray(length - marker.size() - text.size(), 'x');
        text += marker;
        return text;
    };
    PdfPage pdf;
    CPage& page = pdf.Page();
    const QByteArray whole = textOfLength(CPage::kMaxFormattedText, " ENDE");
    const QByteArray tooLong = textOfLength(CPage::kMaxFormattedText + 1, " SCHLUSSX");
    page.Print(0.5, 0.2, kTextLeft | kTextNoClip, 5, "%s", whole.constData());
    page.Print(5.8, 0.2, kTextLeft | kTextNoClip, 5, "%s", tooLong.constData());
    const auto words = PdfWords(pdf.Finish());
    EXPECT_EQ(FindWords(words, QStringLiteral("ENDE")).size(), 1u);
    EXPECT_EQ(FindWords(words, QStringLiteral("SCHLUSS")).size(), 1u);
    EXPECT_TRUE(FindWords(words, QStringLiteral("SCHLUSSX")).empty());
}

} // namespace
