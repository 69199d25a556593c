#pragma once
// The device layer of the page engine: the drawing state handed to the device and the
// primitives that put text, lines, boxes, fills and bitmaps on a QPainter. The same calls
// reach a printer, a PDF writer or an image unchanged.

#include "print/textflags.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

class QPaintDevice;
class QPainter;

namespace fakvo {

// Metrics of the last font used, in logical units.
struct TextMetrics
{
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int averageCharWidth = 0;
    int maxCharWidth = 0;
};

// The current drawing state of a page. Between operations `right` and `bottom` hold the right
// and bottom margins; during an operation the four edges are the rectangle it draws into.
// All positions are logical units of the page.
struct PrintState
{
    QPainter* painter = nullptr;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int fontSize = 10; // points
    QString text;
    unsigned textFlags = kDefaultTextFlags;
    unsigned fillFlags = 0;
    unsigned lineStyle = 0;
    QString faceName = QStringLiteral("Times New Roman");
    int pageWidth = 0;
    int pageHeight = 0;
    // Results of the last text output, in the caller's coordinates (without the offset).
    int nextColumn = 0; // right edge of the measured text
    int textHeight = 0;
    int measuredLeft = 0;
    int measuredTop = 0;
    int measuredRight = 0;
    int measuredBottom = 0;
    // Added to every x of text, lines, boxes and fills (not bitmaps) to centre the content.
    int offset = 0;
    TextMetrics metrics;
};

// How logical page units map to device pixels: one to one in device mapping, or a grid of
// 1000 by 1000 units over a device rectangle in normalised mapping.
class DeviceMapping
{
public:
    static constexpr int kNormalisedGrid = 1000;

    DeviceMapping() = default;
    static DeviceMapping Normalised(int left, int top, int width, int height);

    bool IsNormalised() const { return m_normalised; }
    int DeviceX(int logical) const;
    int DeviceY(int logical) const;
    int LogicalX(int device) const;
    int LogicalY(int device) const;
    // A horizontal length (pen widths, font-independent sizes) in device pixels.
    int DeviceWidth(int logical) const;

private:
    bool m_normalised = false;
    int m_left = 0;
    int m_top = 0;
    int m_width = kNormalisedGrid;
    int m_height = kNormalisedGrid;
};

class CPrinter
{
public:
    void SetMapping(const DeviceMapping& mapping) { m_mapping = mapping; }
    const DeviceMapping& Mapping() const { return m_mapping; }

    // Rotation of the next text output in tenths of a degree, counter-clockwise; it is reset
    // to 0 after every text output.
    void SetRotation(int tenthsOfDegree) { m_rotation = tenthsOfDegree; }

    // Text colour; pens take their colour from it too. Returns the previous colour.
    QColor SetTextColor(const QColor& color);
    QColor TextColor() const { return m_textColor; }

    // Draws the state's text into the state's rectangle: no fill, no measuring.
    void PrintSimpleText(const PrintState& state);
    // Draws the state's text with fill (text flag 0x10) and stores the measured rectangle,
    // next column, text height and font metrics in the state.
    void PrintText(PrintState& state);

    // A line from (x1, y1) to (x2, y2) with a pen of the given width and the state's line style.
    void DrawLine(const PrintState& state, int x1, int y1, int x2, int y2, int width);
    // The closed outline through the four corners, filled with the state's fill brush.
    void DrawBox(const PrintState& state, int left, int top, int right, int bottom, int width);
    // A rectangle filled with the state's fill brush, without outline.
    void Fill(const PrintState& state, int left, int top, int right, int bottom);
    // The whole image stretched into the rectangle, without the horizontal offset and without
    // lossy compression on PDF output.
    void DrawBitmap(const PrintState& state, int left, int top, int right, int bottom,
                    const QImage& image);

private:
    struct CachedFont
    {
        QString face;
        int pixelSize = -1;
        unsigned style = 0;
        const void* device = nullptr;
        QFont font;
        TextMetrics metrics;
        qreal tabStop = 0; // device pixels, found when first needed
    };

    CachedFont& FontFor(const PrintState& state);
    static qreal TabStopDistance(CachedFont& font, QPaintDevice* device);
    QRect DeviceRect(const PrintState& state, bool forText) const;
    // Lays the text out by its flags and draws it; fills the rectangle first when asked and
    // the flags want it, and reports the rectangle the text covers.
    void DrawTextInDeviceRect(const PrintState& state, QRect rect, const QColor& color,
                              bool withFill, QRectF* measured);

    DeviceMapping m_mapping;
    int m_rotation = 0;
    QColor m_textColor = Qt::black;
    CachedFont m_font;
};

} // namespace fakvo
