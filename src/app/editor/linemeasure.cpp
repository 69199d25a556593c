#include "app/editor/linemeasure.h"

#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextLayout>
#include <QTextOption>

#include <cmath>

namespace fakvo {
namespace {

constexpr int kFewLinesHeight = 25;
constexpr int kMeasuringPdfResolution = 600;

} // namespace

LineMeasure MeasureLineBreaks(const QFont& printFont, const QPaintDevice& device, int widthTwips,
                              int screenDpiX, int screenDpiY)
{
    const QString text = MeasurementTestText();
    const double deviceDpiX = device.logicalDpiX() > 0 ? device.logicalDpiX() : 96;
    const double deviceDpiY = device.logicalDpiY() > 0 ? device.logicalDpiY() : 96;
    const double lineWidth = std::max(1.0, widthTwips / 1440.0 * deviceDpiX);

    QTextLayout layout(text, QFont(printFont, &device), &device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    double y = 0;
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(lineWidth);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();

    LineMeasure measure;
    measure.lineCount = layout.lineCount();
    if (measure.lineCount == 0)
        return measure;
    const QTextLine first = layout.lineAt(0);
    const int lastCharacter = first.textStart() + std::max(0, first.textLength() - 1);
    measure.width =
        static_cast<int>(std::lround(first.cursorToX(lastCharacter) * screenDpiX / deviceDpiX));
    if (measure.lineCount >= 4) {
        const double distance = layout.lineAt(2).y() - first.y();
        measure.lineHeight =
            static_cast<int>(std::lround(distance / 2.0 * screenDpiY / deviceDpiY));
    } else {
        measure.lineHeight = kFewLinesHeight;
    }
    return measure;
}

MeasuringPage::MeasuringPage(const MeasuringDeviceChoice& choice)
{
    if (choice.device == MeasuringDevice::Printer) {
        m_printer = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(choice.printerName),
                                               QPrinter::HighResolution);
        return;
    }
    m_buffer.open(QIODevice::WriteOnly);
    m_pdf = std::make_unique<QPdfWriter>(&m_buffer);
    m_pdf->setPageSize(QPageSize(QPageSize::A4));
    m_pdf->setResolution(kMeasuringPdfResolution);
}

MeasuringPage::~MeasuringPage() = default;

const QPaintDevice* MeasuringPage::Device() const
{
    if (m_printer)
        return m_printer->isValid() ? m_printer.get() : nullptr;
    return m_pdf.get();
}

QFont PrintFont(const QString& family, int points)
{
    QFont font(family);
    font.setPointSize(std::max(1, points));
    return font;
}

QFont ScreenFont(const QString& family, int points, int screenDpiY)
{
    QFont font(family);
    font.setPixelSize(std::max(1, points * screenDpiY / 72));
    return font;
}

} // namespace fakvo
