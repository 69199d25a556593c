// EAN-13 barcodes: check digits, the symbol's layout in its bitmap, decoding by zbarimg of
// what the engine places on a page, and numbers that cannot be encoded.
#include "print_test_support.h"

#include "print/barcode.h"
#include "print/bitmapfile.h"
#include "support/log.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace fakvo;
using namespace fakvo::test;

namespace {

// The renderer's sizes: module 0.02 inch, bars 0.5 inch, guard bars 20 pixels longer.
constexpr double kModuleInches = 0.02;
constexpr double kBarInches = 0.5;
constexpr int kGuardExtension = 20;

QString Decode(const QString& imageFile)
{
    const ToolResult run = RunTool(QStringLiteral("zbarimg"),
                                   {QStringLiteral("--quiet"), QStringLiteral("--raw"), imageFile});
    EXPECT_TRUE(run.started) << "zbarimg could not be started";
    return run.output.trimmed();
}

// Places the bitmap on a white page as the renderer does (30 x 5 mm) and saves it as PNG.
QString PlaceOnPage(const QString& bitmapFile, const QString& pngFile)
{
    ImagePage sheet(3.0, 1.0, 300);
    const double left = 300 / 254.0;
    const double top = 100 / 254.0;
    EXPECT_TRUE(
        sheet.Page().PrintBitmap(top, left, top + 50 / 254.0, left + 300 / 254.0, bitmapFile));
    EXPECT_TRUE(sheet.Finish().save(pngFile, "PNG"));
    return pngFile;
}

class LogCapture
{
public:
    LogCapture()
    {
        m_previous = SetLogSink([this](long long doc, const QString& text) {
            entries.push_back(text);
            docs.push_back(doc);
        });
    }
    ~LogCapture() { SetLogSink(m_previous); }
    std::vector<QString> entries;
    std::vector<long long> docs;

private:
    LogSink m_previous;
};

TEST(Ean13, CheckDigits)
{
    struct Case
    {
        const char* data;
        int check;
    };
    const Case cases[] = {
        {"400638133393", 1}, // weighted sum 89
        {"000201000012", 4}, // document number 201000012
        {"000000000000", 0},  {"999999999999", 4},
        {"4006381333935", 1}, // a 13-digit code gets its check digit computed anew
    };
    for (const Case& c : cases) {
        CEAN13 code;
        code.Setup(QString::fromUtf8(c.data), kModuleInches, kBarInches, kGuardExtension);
        EXPECT_EQ(code.CheckDigit(), c.check) << c.data;
    }
    CEAN13 number;
    number.Setup(201000012LL, kModuleInches, kBarInches, kGuardExtension);
    EXPECT_EQ(number.Data(), QStringLiteral("000201000012"));
    EXPECT_EQ(number.CheckDigit(), 4);
}

TEST(Ean13, SizesAreTakenAt96DotsPerInch)
{
    CEAN13 code;
    code.Setup(QStringLiteral("400638133393"), kModuleInches, kBarInches, kGuardExtension, 3, 4);
    EXPECT_EQ(code.ModuleWidth(), 2);
    EXPECT_EQ(code.BarHeight(), 48);
    EXPECT_EQ(code.GuardExtension(), kGuardExtension);
    EXPECT_EQ(code.X(), 3);
    EXPECT_EQ(code.Y(), 4);
}

// The 113 modules as "b" and "s", read from one pixel row of an image drawn with 1-pixel
// modules.
QString ModulesOf(const QString& data, int row, int barHeightPixels)
{
    CEAN13 code;
    code.Setup(data, 1.0 / 96, barHeightPixels / 96.0, kGuardExtension, 0, 0);
    QImage image(CEAN13::kModules, barHeightPixels + kGuardExtension + 5, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        code.DrawSymbol(painter);
    }
    EXPECT_EQ(code.X(), CEAN13::kModules) << "x advances over the whole symbol";
    QString modules;
    for (int x = 0; x < image.width(); ++x)
        modules += IsDark(image, x, row) ? u'b' : u's';
    return modules;
}

TEST(Ean13, SymbolLayout)
{
    // Quiet zone, edge guard, six left digits, centre guard, six right digits, edge guard,
    // quiet zone: 9 + 3 + 42 + 5 + 42 + 3 + 9 modules.
    const QString modules = ModulesOf(QStringLiteral("400638133393"), 10, 30);
    ASSERT_EQ(modules.size(), CEAN13::kModules);
    EXPECT_EQ(modules.left(12), QStringLiteral("sssssssssbsb"));
    EXPECT_EQ(modules.mid(54, 5), QStringLiteral("sbsbs"));
    EXPECT_EQ(modules.right(12), QStringLiteral("bsbsssssssss"));

    // Guard bars reach the guard extension further down; data bars do not.
    const QString below = ModulesOf(QStringLiteral("400638133393"), 30 + 10, 30);
    EXPECT_EQ(below, QStringLiteral("sssssssss") + QStringLiteral("bsb") + QString(42, u's') +
                         QStringLiteral("sbsbs") + QString(42, u's') + QStringLiteral("bsb") +
                         QStringLiteral("sssssssss"));
    EXPECT_EQ(ModulesOf(QStringLiteral("400638133393"), 30 + kGuardExtension + 1, 30),
              QString(CEAN13::kModules, u's'));
}

TEST(Ean13, BitmapHoldsTheWholeSymbol)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("0a1b2c3dCode.bmp"));
    CEAN13 code;
    code.Setup(QStringLiteral("400638133393"), kModuleInches, kBarInches, kGuardExtension);
    ASSERT_TRUE(code.WriteBitmapFile(file));
    QFile raw(file);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray header = raw.read(30);
    EXPECT_TRUE(header.startsWith("BM"));
    EXPECT_EQ(header[14], char(40)) << "information header";
    EXPECT_EQ(header[28], char(1)) << "one bit per pixel";

    const QImage image = ReadBitmapFile(file);
    ASSERT_EQ(image.size(), QSize(kBarcodeBitmapWidth, 48));
    // 9 quiet modules of 2 pixels on either side of the 95 modules of the symbol.
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        if (IsDark(image, x, 47)) {
            first = first < 0 ? x : first;
            last = x;
        }
    }
    EXPECT_EQ(first, 18);
    EXPECT_EQ(last, 18 + 95 * 2 - 1);
    for (int x = last + 1; x < image.width(); ++x)
        ASSERT_FALSE(IsDark(image, x, 0)) << x;
}

TEST(Ean13, PlacedBarcodesDecodeToTheirNumbers)
{
    struct Case
    {
        const char* what;
        long long number; // -1: use the text
        const char* text;
        const char* decoded;
    };
    const Case cases[] = {
        {"customer number", 12345, nullptr, "0000000123457"},
        {"customer number 1", 1, nullptr, "0000000000017"},
        {"document number", 201000012, nullptr, "0002010000124"},
        {"document number 2024", 202400007, nullptr, "0002024000073"},
        {"largest number", CEAN13::kLargestNumber, nullptr, "9999999999994"},
        {"12 digits", -1, "400638133393", "4006381333931"},
        {"13 digits, wrong check digit", -1, "4006381333935", "4006381333931"},
        {"leading 0, set A only", -1, "036000291452", "0360002914522"},
    };
    QTemporaryDir dir;
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString bitmap = dir.filePath(QStringLiteral("code%1.bmp").arg(++n));
        CEAN13 code;
        if (c.text)
            code.Setup(QString::fromUtf8(c.text), kModuleInches, kBarInches, kGuardExtension);
        else
            code.Setup(c.number, kModuleInches, kBarInches, kGuardExtension);
        ASSERT_TRUE(code.WriteBitmapFile(bitmap));
        const QString png = PlaceOnPage(bitmap, dir.filePath(QStringLiteral("page%1.png").arg(n)));
        EXPECT_EQ(Decode(png), QString::fromUtf8(c.decoded));
    }
}

TEST(Ean13, UnencodableInputsDrawNothingAndAreLogged)
{
    struct Case
    {
        long long number; // used when text is null
        const char* text;
        const char* shown;
    };
    const Case cases[] = {
        {-5, nullptr, "-5"},
        {1'000'000'000'000LL, nullptr, "1000000000000"},
        {0, "40063813339312", "40063813339312"},
        {0, "12345", "12345"},
        {0, "40063813339a", "40063813339a"},
        {0, "", ""},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        LogCapture log;
        CEAN13 code;
        if (c.text)
            code.Setup(QString::fromUtf8(c.text), kModuleInches, kBarInches, kGuardExtension);
        else
            code.Setup(c.number, kModuleInches, kBarInches, kGuardExtension);
        EXPECT_FALSE(code.IsValid());
        EXPECT_EQ(code.CheckDigit(), std::nullopt);
        const QString file = dir.filePath(QStringLiteral("nix.bmp"));
        EXPECT_FALSE(code.WriteBitmapFile(file));
        EXPECT_FALSE(QFileInfo::exists(file));
        ASSERT_EQ(log.entries.size(), 1u);
        EXPECT_EQ(log.entries[0],
                  QStringLiteral("Kein EAN-13-Barcode für '%1': darstellbar sind nur Nummern von "
                                 "0 bis 999999999999 (12 Ziffern).")
                      .arg(QString::fromUtf8(c.shown)));

        QImage image(300, 80, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            code.DrawSymbol(painter);
        }
        EXPECT_EQ(DarkPixels(image, image.rect()), 0);
    }
}

TEST(Ean13, BarcodeInAPdfStaysLosslessAndDecodes)
{
    QTemporaryDir dir;
    const QString bitmap = dir.filePath(QStringLiteral("code.bmp"));
    CEAN13 code;
    code.Setup(201000012LL, kModuleInches, kBarInches, kGuardExtension);
    ASSERT_TRUE(code.WriteBitmapFile(bitmap));
    PdfPage pdf;
    EXPECT_TRUE(pdf.Page().PrintBitmap(1.0, 1.0, 1.0 + 50 / 254.0, 1.0 + 300 / 254.0, bitmap));
    const QString file = pdf.Finish();

    const ToolResult list = RunTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file});
    ASSERT_TRUE(list.started) << "pdfimages could not be started";
    const QStringList lines = list.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << list.output.toStdString(); // two heading lines, one image
    EXPECT_FALSE(lines[2].contains(QStringLiteral("jpeg"))) << lines[2].toStdString();

    const QString prefix = dir.filePath(QStringLiteral("seite"));
    const ToolResult raster =
        RunTool(QStringLiteral("pdftoppm"),
                {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"),
                 QStringLiteral("-singlefile"), file, prefix});
    ASSERT_TRUE(raster.started) << "pdftoppm could not be started";
    EXPECT_EQ(Decode(prefix + QStringLiteral(".png")), QStringLiteral("0002010000124"));
}

} // namespace
