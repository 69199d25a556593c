#pragma once
// The print-true line breaks: the editor lays a test text out against the document printer
// (or a PDF page) at the printed width of a column and learns where the first line breaks
// on screen and how far apart the lines are.

#include "app/editor/printwidths.h"

#include <QBuffer>
#include <QFont>

#include <memory>

class QPaintDevice;
class QPdfWriter;
class QPrinter;

namespace fakvo {

struct LineMeasure
{
    int width = 0;       // screen pixels up to the last character of the first line
    int lineHeight = 25; // screen pixels from one line to the next
    int lineCount = 0;   // lines of the test text at the printed width
};

// Lays the test text out in `printFont` on `device` with a line width of `widthTwips` and
// converts the positions to the screen's resolution. The width is the left edge of the last
// character of the first line; the line height half the distance between the first and the
// third line, or 25 pixels when fewer than four lines result.
LineMeasure MeasureLineBreaks(const QFont& printFont, const QPaintDevice& device, int widthTwips,
                              int screenDpiX, int screenDpiY);

// The device a measurement lays its text out on: the chosen printer, or an A4 PDF page.
class MeasuringPage
{
public:
    explicit MeasuringPage(const MeasuringDeviceChoice& choice);
    ~MeasuringPage();
    MeasuringPage(const MeasuringPage&) = delete;
    MeasuringPage& operator=(const MeasuringPage&) = delete;

    // Null when the printer could not be opened.
    const QPaintDevice* Device() const;

private:
    std::unique_ptr<QPrinter> m_printer;
    QBuffer m_buffer;
    std::unique_ptr<QPdfWriter> m_pdf;
};

// The document font (FONT) at `points` points, as printed.
QFont PrintFont(const QString& family, int points);

// The same font on screen: the point size converted with the screen's vertical resolution.
QFont ScreenFont(const QString& family, int points, int screenDpiY);

} // namespace fakvo
