#pragma once
// Barcodes. A document's EAN-13 code is rendered into a small bitmap file, which the renderer
// then places on the page with CPage::PrintBitmap, stretched into a fixed rectangle.
//
// Sizes are taken at 96 dpi whatever the screen: the 113 modules of an EAN-13 symbol with a
// 0.02-inch module (2 pixels) then always fit the 230-pixel bitmap.

#include <QLatin1String>
#include <QString>

#include <optional>

class QPainter;

namespace fakvo {

inline constexpr int kBarcodeDpi = 96;
inline constexpr int kBarcodeBitmapWidth = 230;

class CBarcode
{
public:
    virtual ~CBarcode() = default;

    // Draws the complete symbol with its top-left corner at (x, y); x advances while drawing.
    virtual void DrawSymbol(QPainter& painter) = 0;
    // Renders the symbol into a new bitmap and saves it as a BMP file, replacing an old one.
    // Returns whether the file was written.
    virtual bool WriteBitmapFile(const QString& fileName) = 0;

    const QString& Data() const { return m_data; }
    int X() const { return m_x; }
    int Y() const { return m_y; }
    int ModuleWidth() const { return m_moduleWidth; }
    int BarHeight() const { return m_barHeight; }
    int GuardExtension() const { return m_guardExtension; }

protected:
    // Module width and bar height in inches become pixels: floor(96 * inches + 0.5).
    void Setup(const QString& data, double moduleWidthInches, double barHeightInches, int x, int y);
    // Draws one pattern of modules, "b" a bar and "s" a space, and advances x.
    virtual void DrawModules(QPainter& painter, QLatin1String pattern) = 0;

    QString m_data;
    int m_x = 0;
    int m_y = 0;
    int m_moduleWidth = 0;
    int m_barHeight = 0;
    int m_guardExtension = 0;
};

class CEAN13 : public CBarcode
{
public:
    static constexpr int kModules = 113;
    static constexpr long long kLargestNumber = 999'999'999'999LL;

    // The 12 data digits; a 13-digit code (one that already carries a check digit) gives its
    // first 12, the check digit is always computed anew. Anything else cannot be encoded.
    void Setup(const QString& data, double moduleWidthInches, double barHeightInches,
               int guardExtension, int x = 0, int y = 0);
    // A customer or document number, written with 12 digits ("%012lld"). Negative numbers and
    // numbers of more than 12 digits cannot be encoded.
    void Setup(long long number, double moduleWidthInches, double barHeightInches,
               int guardExtension, int x = 0, int y = 0);

    bool IsValid() const;
    // The check digit of the 12 data digits: weights 1, 3, 1, 3, ... from the left, then
    // (10 - sum mod 10) mod 10. None when the data cannot be encoded.
    std::optional<int> CheckDigit() const;

    // Draws nothing when the data cannot be encoded.
    void DrawSymbol(QPainter& painter) override;
    // Writes a 1-bit bitmap at least 230 pixels wide and bar-height pixels high. Data that
    // cannot be encoded writes no file and is logged.
    bool WriteBitmapFile(const QString& fileName) override;

protected:
    void DrawModules(QPainter& painter, QLatin1String pattern) override;

private:
    QString m_input; // as given, for the log
};

} // namespace fakvo
