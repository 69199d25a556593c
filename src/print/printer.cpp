#include "printer.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace fakvo {
namespace {

constexpr int kMaxFontPoints = 2000;
constexpr int kMaxPenWidth = 10000;
// Lines of text laid out without a width (rectangle computed from the text).
constexpr qreal kUnboundedWidth = 1.0e6;

long long Scale(long long value, long long numerator, long long denominator)
{
    return denominator == 0 ? 0 : value * numerator / denominator;
}

int ClampToInt(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, -1'000'000'000LL, 1'000'000'000LL));
}

Qt::PenStyle LineStyle(unsigned style, bool box)
{
    if (style & kLineDashed)
        return Qt::DashLine;
    if (style & kLineDotted)
        return Qt::DotLine;
    if (box)
        return Qt::SolidLine;
    if (style & kLineDashDot)
        return Qt::DashDotLine;
    if (style & kLineDashDotDot)
        return Qt::DashDotDotLine;
    return Qt::SolidLine;
}

QPen MakePen(const QColor& color, int deviceWidth, unsigned style, bool box)
{
    QPen pen(color);
    pen.setWidth(std::clamp(deviceWidth, 0, kMaxPenWidth));
    pen.setStyle(LineStyle(style, box));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// The text as the layout wants it: line breaks of any convention, single-line texts on one
// line, tabs as blanks unless they are expanded.
QString PrepareText(QString text, unsigned flags)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'),
                 (flags & kTextSingleLine) ? QChar(QLatin1Char(' ')) : QChar(QChar::LineSeparator));
    if (!(flags & kTextExpandTabs))
        text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return text;
}

// Qt scales tab distances by the device's resolution relative to the screen's; a probe with
// a known distance tells by how much, whatever the screen.
qreal TabScale(const QFont& font, QPaintDevice* device)
{
    constexpr qreal kProbe = 100;
    QTextLayout probe(QStringLiteral("\t"), font, device);
    QTextOption option;
    option.setTabStopDistance(kProbe);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    probe.setTextOption(option);
    probe.beginLayout();
    QTextLine line = probe.createLine();
    line.setLineWidth(kUnboundedWidth);
    probe.endLayout();
    const qreal scale = line.naturalTextWidth() / kProbe;
    return scale > 0 ? scale : 1.0;
}

Qt::Alignment HorizontalAlignment(unsigned flags)
{
    if (flags & kTextCentre)
        return Qt::AlignHCenter;
    if (flags & kTextRight)
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

// Drawing needs a painter that has begun on its device.
bool CanDraw(const PrintState& state)
{
    return state.painter && state.painter->isActive() && state.painter->device();
}

} // namespace

DeviceMapping DeviceMapping::Normalised(int left, int top, int width, int height)
{
    DeviceMapping mapping;
    mapping.m_normalised = true;
    mapping.m_left = left;
    mapping.m_top = top;
    mapping.m_width = std::max(1, width);
    mapping.m_height = std::max(1, height);
    return mapping;
}

int DeviceMapping::DeviceX(int logical) const
{
    return m_normalised ? ClampToInt(m_left + Scale(logical, m_width, kNormalisedGrid)) : logical;
}

int DeviceMapping::DeviceY(int logical) const
{
    return m_normalised ? ClampToInt(m_top + Scale(logical, m_height, kNormalisedGrid)) : logical;
}

int DeviceMapping::LogicalX(int device) const
{
    return m_normalised ? ClampToInt(Scale(device - m_left, kNormalisedGrid, m_width)) : device;
}

int DeviceMapping::LogicalY(int device) const
{
    return m_normalised ? ClampToInt(Scale(device - m_top, kNormalisedGrid, m_height)) : device;
}

int DeviceMapping::DeviceWidth(int logical) const
{
    return m_normalised ? ClampToInt(Scale(logical, m_width, kNormalisedGrid)) : logical;
}

QColor CPrinter::SetTextColor(const QColor& color)
{
    const QColor previous = m_textColor;
    m_textColor = color;
    return previous;
}

CPrinter::CachedFont& CPrinter::FontFor(const PrintState& state)
{
    QPaintDevice* device = state.painter->device();
    const int points = std::clamp(state.fontSize, 1, kMaxFontPoints);
    const int pixelSize = std::max(1, points * device->logicalDpiY() / 72);
    const unsigned style =
        state.textFlags & (kTextBold | kTextItalic | kTextUnderline | kTextStrikeOut);
    if (m_font.pixelSize == pixelSize && m_font.style == style && m_font.device == device &&
        m_font.face == state.faceName)
        return m_font;

    QFont font(state.faceName);
    font.setPixelSize(pixelSize);
    font.setWeight((style & kTextBold) ? QFont::Bold : QFont::Normal);
    font.setItalic(style & kTextItalic);
    font.setUnderline(style & kTextUnderline);
    font.setStrikeOut(style & kTextStrikeOut);
    // A face that is not installed falls back to a proportional sans-serif outline font.
    font.setStyleHint(QFont::SansSerif, QFont::PreferOutline);
    // Widths follow the fonts' advance tables alone, as the metric-compatible faces promise.
    font.setKerning(false);

    const QFontMetrics fm(font, device);
    TextMetrics metrics;
    metrics.height = m_mapping.LogicalY(fm.height()) - m_mapping.LogicalY(0);
    metrics.ascent = m_mapping.LogicalY(fm.ascent()) - m_mapping.LogicalY(0);
    metrics.descent = m_mapping.LogicalY(fm.descent()) - m_mapping.LogicalY(0);
    metrics.internalLeading =
        m_mapping.LogicalY(std::max(0, fm.height() - pixelSize)) - m_mapping.LogicalY(0);
    metrics.externalLeading = m_mapping.LogicalY(fm.leading()) - m_mapping.LogicalY(0);
    metrics.averageCharWidth = m_mapping.LogicalX(fm.averageCharWidth()) - m_mapping.LogicalX(0);
    metrics.maxCharWidth = m_mapping.LogicalX(fm.maxWidth()) - m_mapping.LogicalX(0);

    m_font = CachedFont{state.faceName, pixelSize, style, device, font, metrics, 0};
    return m_font;
}

QRect CPrinter::DeviceRect(const PrintState& state, bool forText) const
{
    int right = state.right + state.offset;
    if (forText)
        right = std::min(right, state.pageWidth - state.offset);
    const int left = m_mapping.DeviceX(state.left + state.offset);
    const int top = m_mapping.DeviceY(state.top);
    return QRect(left, top, std::max(0, m_mapping.DeviceX(right) - left),
                 std::max(0, m_mapping.DeviceY(state.bottom) - top));
}

qreal CPrinter::TabStopDistance(CachedFont& font, QPaintDevice* device)
{
    // Tab stops every eight average characters of the font.
    if (font.tabStop <= 0)
        font.tabStop = 8.0 * std::max(1, QFontMetrics(font.font, device).averageCharWidth()) /
                       TabScale(font.font, device);
    return font.tabStop;
}

void CPrinter::DrawTextInDeviceRect(const PrintState& state, QRect rect, const QColor& color,
                                    bool withFill, QRectF* measured)
{
    QPainter* painter = state.painter;
    CachedFont& font = FontFor(state);
    const unsigned flags = state.textFlags;
    // Right and bottom both 0: the rectangle is the text's own size.
    const bool fromText = state.right == 0 && state.bottom == 0;

    QTextOption option;
    option.setAlignment(fromText ? Qt::AlignLeft : HorizontalAlignment(flags));
    option.setWrapMode((flags & kTextSingleLine) ? QTextOption::NoWrap : QTextOption::WordWrap);
    if (flags & kTextExpandTabs)
        option.setTabStopDistance(TabStopDistance(font, painter->device()));

    QTextLayout layout(PrepareText(state.text, flags), font.font, painter->device());
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    const qreal lineWidth = fromText ? kUnboundedWidth : qreal(rect.width());
    qreal height = 0;
    QRectF bounds;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(lineWidth);
        line.setPosition(QPointF(0, std::ceil(height)));
        height = std::ceil(height) + line.height();
        const QRectF natural = line.naturalTextRect();
        bounds = bounds.isNull() ? natural : bounds.united(natural);
    }
    layout.endLayout();
    bounds.setTop(0);
    bounds.setHeight(height);

    if (fromText)
        rect.setSize(QSize(int(std::ceil(bounds.right())), int(std::ceil(height))));
    const qreal yOffset = (flags & kTextVCentre) ? (rect.height() - height) / 2.0 : 0.0;
    const QPointF origin(rect.left(), rect.top() + yOffset);
    if (measured)
        *measured = bounds.translated(origin);
    if (withFill && (flags & kTextFill)) {
        if (const auto fill = FillColor(state.fillFlags))
            painter->fillRect(rect, *fill);
    }

    painter->save();
    painter->setPen(color);
    if (!(flags & kTextNoClip) && !QRectF(rect).contains(bounds.translated(origin)))
        painter->setClipRect(rect, Qt::IntersectClip);
    if (m_rotation != 0) {
        painter->translate(origin);
        painter->rotate(-m_rotation / 10.0);
        layout.draw(painter, QPointF(0, 0));
    } else {
        layout.draw(painter, origin);
    }
    painter->restore();
    m_rotation = 0;
}

void CPrinter::PrintSimpleText(const PrintState& state)
{
    if (!CanDraw(state) || state.text.isEmpty())
        return;
    DrawTextInDeviceRect(state, DeviceRect(state, true), m_textColor, false, nullptr);
}

void CPrinter::PrintText(PrintState& state)
{
    if (!CanDraw(state) || state.text.isEmpty())
        return;
    const bool whiteText = (state.textFlags & kTextFill) && NeedsWhiteText(state.fillFlags);
    QRectF measured;
    DrawTextInDeviceRect(state, DeviceRect(state, true),
                         whiteText ? QColor(Qt::white) : m_textColor, true, &measured);
    const QRect box = measured.toAlignedRect();
    state.measuredLeft = m_mapping.LogicalX(box.left()) - state.offset;
    state.measuredRight = m_mapping.LogicalX(box.left() + box.width()) - state.offset;
    state.measuredTop = m_mapping.LogicalY(box.top());
    state.measuredBottom = m_mapping.LogicalY(box.top() + box.height());
    state.nextColumn = state.measuredRight;
    state.textHeight = state.measuredBottom - state.measuredTop;
    state.metrics = m_font.metrics;
}

void CPrinter::DrawLine(const PrintState& state, int x1, int y1, int x2, int y2, int width)
{
    if (!CanDraw(state))
        return;
    QPainter* painter = state.painter;
    painter->save();
    painter->setPen(MakePen(m_textColor, m_mapping.DeviceWidth(width), state.lineStyle, false));
    painter->drawLine(m_mapping.DeviceX(x1 + state.offset), m_mapping.DeviceY(y1),
                      m_mapping.DeviceX(x2 + state.offset), m_mapping.DeviceY(y2));
    painter->restore();
}

void CPrinter::DrawBox(const PrintState& state, int left, int top, int right, int bottom, int width)
{
    if (!CanDraw(state))
        return;
    QPainter* painter = state.painter;
    const int l = m_mapping.DeviceX(left + state.offset);
    const int r = m_mapping.DeviceX(right + state.offset);
    const int t = m_mapping.DeviceY(top);
    const int b = m_mapping.DeviceY(bottom);
    painter->save();
    painter->setPen(MakePen(m_textColor, m_mapping.DeviceWidth(width), state.lineStyle, true));
    const auto fill = FillColor(state.fillFlags);
    painter->setBrush(fill ? QBrush(*fill) : QBrush(Qt::NoBrush));
    painter->drawPolygon(QPolygon({QPoint(l, t), QPoint(r, t), QPoint(r, b), QPoint(l, b)}));
    painter->restore();
}

void CPrinter::Fill(const PrintState& state, int left, int top, int right, int bottom)
{
    const auto fill = FillColor(state.fillFlags);
    if (!CanDraw(state) || !fill)
        return;
    const int l = m_mapping.DeviceX(left + state.offset);
    const int t = m_mapping.DeviceY(top);
    state.painter->fillRect(
        QRect(l, t, m_mapping.DeviceX(right + state.offset) - l, m_mapping.DeviceY(bottom) - t),
        *fill);
}

void CPrinter::DrawBitmap(const PrintState& state, int left, int top, int right, int bottom,
                          const QImage& image)
{
    if (!CanDraw(state) || image.isNull())
        return;
    QPainter* painter = state.painter;
    const int l = m_mapping.DeviceX(left);
    const int t = m_mapping.DeviceY(top);
    painter->save();
    // Barcodes and code lines must reach the PDF pixel for pixel, not as JPEG.
    painter->setRenderHint(QPainter::LosslessImageRendering, true);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawImage(QRect(l, t, m_mapping.DeviceX(right) - l, m_mapping.DeviceY(bottom) - t),
                       image);
    painter->restore();
}

} // namespace fakvo
