#include "page.h"

#include "print/bitmapfile.h"
#include "print/printtable.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cstdarg>

namespace fakvo {
namespace {

// Inches on landscape paper wider than this are centred on a 10.5-inch content area;
// portrait paper wider than 8 inches on an 8-inch one.
constexpr double kLandscapeThreshold = 10.9;
constexpr double kLandscapeContent = 10.5;
constexpr double kPortraitContent = 8.0;
constexpr long long kUnitLimit = 1'000'000'000LL;
constexpr int kMaxPoints = 2000;

// Truncates toward zero; the small allowance keeps values such as 0.29 * 100, which binary
// fractions hold as 28.999..., at their whole number.
int TruncateUnits(double value)
{
    if (!(value > 0))
        return 0;
    return static_cast<int>(std::min(value + 1e-7, double(kUnitLimit)));
}

int ClampUnits(long long value, long long low, long long high)
{
    return static_cast<int>(std::clamp(value, low, high));
}

// Keeps coordinates from callers where the offset and sizes added to them cannot overflow.
int Sane(int value)
{
    return ClampUnits(value, -kUnitLimit, kUnitLimit);
}

QString FormatText(const char* format, va_list args, int maxChars)
{
    if (!format)
        return {};
    return QString::vasprintf(format, args).left(maxChars);
}

} // namespace

// Saves the page state for the lifetime of one operation and restores it afterwards.
class CPage::StateSaver
{
public:
    explicit StateSaver(CPage& page) : m_page(page), m_pushed(page.PushState()) {}
    ~StateSaver()
    {
        if (m_pushed)
            m_page.PopState();
    }
    StateSaver(const StateSaver&) = delete;
    StateSaver& operator=(const StateSaver&) = delete;

private:
    CPage& m_page;
    bool m_pushed;
};

CPrintRegion::CPrintRegion(CPage* page, int top, int left, int bottom, int right,
                           unsigned fillFlags)
    : m_page(page), m_top(top), m_left(left), m_bottom(bottom), m_right(right), m_firstRow(top + 1),
      m_firstColumn(left + 1), m_fillFlags(fillFlags)
{
}

void CPrintRegion::DrawTitle(const QString& text, int size, unsigned flags, unsigned fillFlags)
{
    const int points = size > 0 ? size : m_page->m_state.fontSize;
    const unsigned titleFlags =
        (flags == kKeepFlags ? m_page->m_state.textFlags : flags) | kTextSingleLine | kTextVCentre;
    const int bandHeight = 2 * m_page->PointsToUnitsY(points);
    CPage::TextStyle style;
    style.fillFlags = fillFlags;
    const auto drawn = m_page->OutputText(this, {0, 0, bandHeight, m_right - m_firstColumn},
                                          titleFlags, points, text, style);
    if (!drawn)
        return;
    const int bandBottom =
        (titleFlags & kTextFill) ? m_page->m_state.measuredBottom + 10 : m_firstRow + bandHeight;
    m_firstRow = std::min(bandBottom + 1, m_bottom);
}

void CPrintRegion::DrawFrame()
{
    m_page->Box(nullptr, {m_top, m_left, m_bottom, m_right}, 1, 0, 0);
}

CPage::CPage(int left, int top, int right, int bottom, QPainter* painter, int mappingMode,
             QPageLayout::Orientation orientation)
    : m_orientation(orientation)
{
    m_state.painter = painter;
    if (painter && painter->device()) {
        m_dpiX = std::max(1, painter->device()->logicalDpiX());
        m_dpiY = std::max(1, painter->device()->logicalDpiY());
    }
    m_normalised = mappingMode == kNormalisedMapping;
    const int width = ClampUnits(static_cast<long long>(right) - left, 1, kUnitLimit);
    const int height = ClampUnits(static_cast<long long>(bottom) - top, 1, kUnitLimit);
    m_physicalWidth = double(width) / m_dpiX;
    m_physicalHeight = double(height) / m_dpiY;
    if (m_normalised) {
        m_printer.SetMapping(DeviceMapping::Normalised(left, top, width, height));
        m_state.pageWidth = DeviceMapping::kNormalisedGrid;
        m_state.pageHeight = DeviceMapping::kNormalisedGrid;
    } else {
        m_state.pageWidth = width;
        m_state.pageHeight = height;
    }
    m_state.right = m_state.pageWidth;
    m_state.bottom = m_state.pageHeight;

    if (m_orientation == QPageLayout::Landscape) {
        if (m_physicalWidth > kLandscapeThreshold)
            m_state.offset = ToUnitsX((m_physicalWidth - kLandscapeContent) / 2);
    } else if (m_physicalWidth > kPortraitContent) {
        m_state.offset = ToUnitsX((m_physicalWidth - kPortraitContent) / 2);
    }
}

CPage::~CPage() = default;

bool CPage::PushState()
{
    if (m_stackTop + 1 >= kStateStackSize)
        return false;
    m_stack[++m_stackTop] = m_state;
    return true;
}

void CPage::PopState()
{
    if (m_stackTop >= 0)
        m_state = m_stack[m_stackTop--];
}

int CPage::ToUnitsX(double inches) const
{
    if (inches <= 0)
        return 0;
    return TruncateUnits(m_normalised ? inches / (m_physicalWidth / m_state.pageWidth)
                                      : inches * m_dpiX);
}

int CPage::ToUnitsY(double inches) const
{
    if (inches <= 0)
        return 0;
    return TruncateUnits(m_normalised ? inches / (m_physicalHeight / m_state.pageHeight)
                                      : inches * m_dpiY);
}

double CPage::ToInchesX(int units) const
{
    if (units < 1)
        return 0.0;
    return m_normalised ? units * (m_physicalWidth / m_state.pageWidth) : double(units) / m_dpiX;
}

double CPage::ToInchesY(int units) const
{
    if (units < 1)
        return 0.0;
    return m_normalised ? units * (m_physicalHeight / m_state.pageHeight) : double(units) / m_dpiY;
}

int CPage::PointsToUnitsX(int points) const
{
    points = std::clamp(points, 0, kMaxPoints);
    return m_normalised ? ToUnitsX(points / 72.0)
                        : int(static_cast<long long>(points) * m_dpiX / 72);
}

int CPage::PointsToUnitsY(int points) const
{
    points = std::clamp(points, 0, kMaxPoints);
    return m_normalised ? ToUnitsY(points / 72.0)
                        : int(static_cast<long long>(points) * m_dpiY / 72);
}

void CPage::SetTextCallback(TextCallback callback)
{
    m_textCallback = std::move(callback);
}

std::optional<QString> CPage::CallbackText(const void* data) const
{
    if (!m_textCallback)
        return std::nullopt;
    return m_textCallback(data);
}

CPage::Rect CPage::Sane(Rect rect)
{
    return {fakvo::Sane(rect.top), fakvo::Sane(rect.left), fakvo::Sane(rect.bottom),
            fakvo::Sane(rect.right)};
}

CPage::Rect CPage::IntoRegion(const CPrintRegion* region, Rect rect) const
{
    const auto x = [region](int value) {
        return ClampUnits(static_cast<long long>(value) + region->FirstColumn(), region->Left(),
                          region->Right());
    };
    const auto y = [region](int value) {
        return ClampUnits(static_cast<long long>(value) + region->FirstRow(), region->Top(),
                          region->Bottom());
    };
    return {y(rect.top), x(rect.left), y(rect.bottom), x(rect.right)};
}

std::optional<int> CPage::OutputText(const CPrintRegion* region, Rect rect, unsigned flags,
                                     int size, const QString& text, const TextStyle& style)
{
    if (text.isEmpty())
        return std::nullopt;
    rect = Sane(rect);
    if (region)
        rect = IntoRegion(region, rect);
    else if (rect.top > m_state.bottom || rect.left > m_state.right)
        return std::nullopt;

    PrintState results;
    {
        StateSaver saver(*this);
        m_state.text = text;
        if (flags != kKeepFlags)
            m_state.textFlags = flags;
        if (size > 0)
            m_state.fontSize = size;
        if (style.fillFlags)
            m_state.fillFlags = *style.fillFlags;
        m_state.top = rect.top;
        m_state.left = rect.left;
        m_state.bottom = rect.bottom;
        m_state.right = rect.right;

        const bool whiteText = NeedsWhiteText(region ? region->FillFlags() : style.backgroundFill);
        const QColor previousColor =
            whiteText ? m_printer.SetTextColor(Qt::white) : m_printer.TextColor();
        if (style.simple)
            m_printer.PrintSimpleText(m_state);
        else
            m_printer.PrintText(m_state);
        m_printer.SetTextColor(previousColor);
        results = m_state;
    }
    if (style.simple)
        return rect.bottom;

    m_state.nextColumn = results.nextColumn;
    m_state.textHeight = results.textHeight;
    m_state.measuredLeft = results.measuredLeft;
    m_state.measuredTop = results.measuredTop;
    m_state.measuredRight = results.measuredRight;
    m_state.measuredBottom = results.measuredBottom;
    m_state.metrics = results.metrics;
    m_lastColumn = results.nextColumn;
    m_currentRow = rect.top;

    if (m_lineSpacing <= 1.0)
        return results.measuredBottom;
    const double extra = PointsToUnitsY(results.fontSize) * (m_lineSpacing - 1.0);
    return ClampUnits(results.measuredBottom + static_cast<long long>(std::min(extra, 1e9)),
                      -kUnitLimit, kUnitLimit);
}

std::optional<int> CPage::PrintRow(const CPrintRegion* region, int row, int column, unsigned flags,
                                   int size, const QString& text)
{
    const auto next =
        OutputText(region, {row, column, m_state.bottom, m_state.right}, flags, size, text, {});
    if (next && region)
        return *next - region->FirstRow();
    return next;
}

double CPage::PrintRowInches(const CPrintRegion* region, double row, double column, unsigned flags,
                             int size, const QString& text)
{
    const auto next = PrintRow(region, ToUnitsY(row), ToUnitsX(column), flags, size, text);
    return next ? ToInchesY(*next) : row;
}

int CPage::PrintAtCurrentRow(const QString& text, int column, unsigned flags, int size)
{
    return PrintRow(nullptr, m_currentRow, column == -1 ? m_lastColumn : column, flags, size, text)
        .value_or(m_currentRow);
}

void CPage::PrintTableCell(TableDefinition& table, int row, int column, int size, unsigned flags,
                           const char* format, ...)
{
    if (!table.table || table.table->m_page != this)
        return;
    va_list args;
    va_start(args, format);
    const QString text = FormatText(format, args, kMaxCellText);
    va_end(args);
    table.table->PrintCell(row, column, size, flags, text);
}

double CPage::PrintCallback(CPrintRegion* region, double row, double column, unsigned flags,
                            int size, const void* data)
{
    const auto text = CallbackText(data);
    return text ? PrintRowInches(region, row, column, flags, size, *text) : 0.0;
}

int CPage::PrintCallback(CPrintRegion* region, int row, int column, unsigned flags, int size,
                         const void* data)
{
    const auto text = CallbackText(data);
    return text ? PrintRow(region, row, column, flags, size, *text).value_or(row) : 0;
}

double CPage::Print(CPrintRegion* region, double row, double column, unsigned flags, int size,
                    const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const QString text = FormatText(format, args, kMaxFormattedText);
    va_end(args);
    return PrintRowInches(region, row, column, flags, size, text);
}

int CPage::Print(CPrintRegion* region, int row, int column, unsigned flags, int size,
                 const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const QString text = FormatText(format, args, kMaxFormattedText);
    va_end(args);
    return PrintRow(region, row, column, flags, size, text).value_or(row);
}

double CPage::PrintCallback(double row, double column, const void* data)
{
    return PrintCallback(row, column, kKeepFlags, 0, data);
}

int CPage::PrintCallback(int row, int column, const void* data)
{
    return PrintCallback(row, column, kKeepFlags, 0, data);
}

double CPage::Print(double row, double column, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const QString text = FormatText(format, args, kMaxFormattedText);
    va_end(args);
    return PrintRowInches(nullptr, row, column, kKeepFlags, 0, text);
}

int CPage::Print(int row, int column, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const QString text = FormatText(format, args, kMaxFormattedText);
    va_end(args);
    return PrintRow(nullptr, row, column, kKeepFlags, 0, text).value_or(row);
}

double CPage::PrintCallback(double row, double column, unsigned flags, int size, const void* data)
{
    const auto text = CallbackText(data);
    return text ? PrintRowInches(nullptr, row, column, flags, size, *text) : 0.0;
}

double CPage::Print(double row, double* column, unsigned flags, int size, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const QString text = FormatText(format, args, kMaxFormattedText);
    va_end(args);
    if (!column)
        return row;
    const auto next = PrintRow(nullptr, ToUnitsY(row), ToUnitsX(*column), flags, size, text);
    if (!next)
        return row;
    *column = ToInchesX(m_lastColumn);
    return ToInchesY(*next);
}

double CPage::Print(double row, double column, unsigned flags, int size, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const QString text = FormatText(format, args, kMaxFormattedText);
    va_end(args);
    return PrintRowInches(nullptr, row, column, flags, size, text);
}

int CPage::PrintCallback(int row, int column, unsigned flags, int size, const void* data)
{
    const auto text = CallbackText(data);
    return text ? PrintRow(nullptr, row, column, flags, size, *text).value_or(row) : 0;
}

int CPage::Print(int row, int* column, unsigned flags, int size, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const QString text = FormatText(format, args, kMaxFormattedText);
    va_end(args);
    if (!column)
        return row;
    const auto next = PrintRow(nullptr, row, *column, flags, size, text);
    if (!next)
        return row;
    *column = m_lastColumn;
    return *next;
}

int CPage::Print(int row, int column, unsigned flags, int size, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const QString text = FormatText(format, args, kMaxFormattedText);
    va_end(args);
    return PrintRow(nullptr, row, column, flags, size, text).value_or(row);
}

void CPage::PrintTextInRectCallback(CPrintRegion* region, double top, double left, double bottom,
                                    double right, unsigned flags, int size, const void* data)
{
    if (const auto text = CallbackText(data))
        PrintTextInRect(region, top, left, bottom, right, flags, size, *text);
}

void CPage::PrintTextInRectCallback(CPrintRegion* region, int top, int left, int bottom, int right,
                                    unsigned flags, int size, const void* data)
{
    if (const auto text = CallbackText(data))
        PrintTextInRect(region, top, left, bottom, right, flags, size, *text);
}

void CPage::PrintTextInRect(CPrintRegion* region, double top, double left, double bottom,
                            double right, unsigned flags, int size, const QString& text)
{
    PrintTextInRect(region, ToUnitsY(top), ToUnitsX(left), ToUnitsY(bottom), ToUnitsX(right), flags,
                    size, text);
}

void CPage::PrintTextInRect(CPrintRegion* region, int top, int left, int bottom, int right,
                            unsigned flags, int size, const QString& text)
{
    OutputText(region, {top, left, bottom, right}, flags, size, text, {});
}

void CPage::PrintTextInRectCallback(double top, double left, double bottom, double right,
                                    unsigned flags, int size, const void* data)
{
    PrintTextInRectCallback(nullptr, top, left, bottom, right, flags, size, data);
}

void CPage::PrintTextInRectCallback(int top, int left, int bottom, int right, unsigned flags,
                                    int size, const void* data)
{
    PrintTextInRectCallback(nullptr, top, left, bottom, right, flags, size, data);
}

void CPage::PrintTextInRect(double top, double left, double bottom, double right, unsigned flags,
                            int size, const QString& text)
{
    PrintTextInRect(nullptr, top, left, bottom, right, flags, size, text);
}

void CPage::PrintTextInRect(int top, int left, int bottom, int right, unsigned flags, int size,
                            const QString& text)
{
    PrintTextInRect(nullptr, top, left, bottom, right, flags, size, text);
}

double CPage::SetLineSpacing(double factor)
{
    const double previous = m_lineSpacing;
    if (factor > 0)
        m_lineSpacing = factor;
    return previous;
}

QString CPage::SetFont(const std::optional<QString>& faceName)
{
    const QString previous = m_state.faceName;
    if (faceName && !faceName->isEmpty())
        m_state.faceName = *faceName;
    return previous;
}

double CPage::GetNextColumn(bool inInches, bool addMaxCharWidth) const
{
    const int column = m_lastColumn + (addMaxCharWidth ? m_state.metrics.maxCharWidth : 0);
    return inInches ? ToInchesX(column) : double(column);
}

QColor CPage::SetTextColor(const QColor& color)
{
    return m_printer.SetTextColor(color);
}

int CPage::SetFontSize(int points)
{
    const int previous = m_state.fontSize;
    if (points > 0)
        m_state.fontSize = points;
    return previous;
}

int CPage::SetMargin(int& margin, int value, int pageSize)
{
    const int previous = margin;
    if (value > 0)
        margin = value;
    else if (value == -1)
        margin = pageSize;
    return previous;
}

double CPage::SetMarginInches(int& margin, double inches, bool horizontal)
{
    const int previous = margin;
    if (inches > 0)
        SetMargin(margin, horizontal ? ToUnitsX(inches) : ToUnitsY(inches), 0);
    else if (inches == -1.0)
        SetMargin(margin, -1, horizontal ? m_state.pageWidth : m_state.pageHeight);
    return horizontal ? ToInchesX(previous) : ToInchesY(previous);
}

double CPage::SetRightMargin(double inches)
{
    return SetMarginInches(m_state.right, inches, true);
}

int CPage::SetRightMargin(int units)
{
    return SetMargin(m_state.right, units, m_state.pageWidth);
}

double CPage::SetBottomMargin(double inches)
{
    return SetMarginInches(m_state.bottom, inches, false);
}

int CPage::SetBottomMargin(int units)
{
    return SetMargin(m_state.bottom, units, m_state.pageHeight);
}

void CPage::Line(const CPrintRegion* region, Rect ends, int width, unsigned style)
{
    ends = Sane(ends);
    if (region)
        ends = IntoRegion(region, ends);
    StateSaver saver(*this);
    m_state.lineStyle = style;
    m_printer.DrawLine(m_state, ends.left, ends.top, ends.right, ends.bottom, width);
}

void CPage::Box(const CPrintRegion* region, Rect rect, int lineWidth, unsigned fillFlags,
                unsigned style)
{
    rect = Sane(rect);
    if (region)
        rect = IntoRegion(region, rect);
    StateSaver saver(*this);
    m_state.fillFlags = fillFlags;
    m_state.lineStyle = style;
    m_printer.DrawBox(m_state, rect.left, rect.top, rect.right, rect.bottom, lineWidth);
}

void CPage::FillArea(Rect rect, unsigned fillFlags)
{
    rect = Sane(rect);
    StateSaver saver(*this);
    m_state.fillFlags = fillFlags;
    m_printer.Fill(m_state, rect.left, rect.top, rect.right, rect.bottom);
}

void CPage::DrawLine(CPrintRegion* region, double y1, double x1, double y2, double x2, int width,
                     unsigned style)
{
    Line(region, {ToUnitsY(y1), ToUnitsX(x1), ToUnitsY(y2), ToUnitsX(x2)}, width, style);
}

void CPage::DrawLine(CPrintRegion* region, int y1, int x1, int y2, int x2, int width,
                     unsigned style)
{
    Line(region, {y1, x1, y2, x2}, width, style);
}

void CPage::DrawLine(double y1, double x1, double y2, double x2, int width, unsigned style)
{
    DrawLine(nullptr, y1, x1, y2, x2, width, style);
}

void CPage::DrawLine(int y1, int x1, int y2, int x2, int width, unsigned style)
{
    Line(nullptr, {y1, x1, y2, x2}, width, style);
}

void CPage::DrawBox(CPrintRegion* region, double top, double left, double bottom, double right,
                    int lineWidth, unsigned fillFlags, unsigned style)
{
    Box(region, {ToUnitsY(top), ToUnitsX(left), ToUnitsY(bottom), ToUnitsX(right)}, lineWidth,
        fillFlags, style);
}

void CPage::DrawBox(CPrintRegion* region, int top, int left, int bottom, int right, int lineWidth,
                    unsigned fillFlags, unsigned style)
{
    Box(region, {top, left, bottom, right}, lineWidth, fillFlags, style);
}

void CPage::DrawBox(double top, double left, double bottom, double right, int lineWidth,
                    unsigned fillFlags, unsigned style)
{
    DrawBox(nullptr, top, left, bottom, right, lineWidth, fillFlags, style);
}

void CPage::DrawBox(int top, int left, int bottom, int right, int lineWidth, unsigned fillFlags,
                    unsigned style)
{
    Box(nullptr, {top, left, bottom, right}, lineWidth, fillFlags, style);
}

void CPage::CheckBox(const CPrintRegion* region, const QString& label, bool marked, int row,
                     int column, int size, bool labelFirst, int lineWidth, unsigned fillFlags,
                     unsigned textFlags)
{
    row = fakvo::Sane(row);
    column = fakvo::Sane(column);
    const int points = size > 0 ? size : m_state.fontSize;
    const int width = PointsToUnitsX(points);
    const int height = PointsToUnitsY(points);
    int boxColumn = column;
    if (labelFirst) {
        PrintRow(region, row, column, textFlags, points, label);
        boxColumn =
            static_cast<int>(GetNextColumn(false, true)) - (region ? region->FirstColumn() : 0);
    }
    const Rect box{row, boxColumn, row + height, boxColumn + width};
    Box(region, box, lineWidth, marked ? fillFlags : 0, 0);
    if (marked && fillFlags == 0) {
        Line(region, box, lineWidth, 0);
        Line(region, {box.top, box.right, box.bottom, box.left}, lineWidth, 0);
    }
    if (!labelFirst)
        PrintRow(region, row, column + 2 * width, textFlags, points, label);
}

void CPage::DrawCheckBox(CPrintRegion* region, const QString& label, bool marked, double row,
                         double column, int size, bool labelFirst, int lineWidth,
                         unsigned fillFlags, unsigned textFlags)
{
    CheckBox(region, label, marked, ToUnitsY(row), ToUnitsX(column), size, labelFirst, lineWidth,
             fillFlags, textFlags);
}

void CPage::DrawCheckBox(CPrintRegion* region, const QString& label, bool marked, int row,
                         int column, int size, bool labelFirst, int lineWidth, unsigned fillFlags,
                         unsigned textFlags)
{
    CheckBox(region, label, marked, row, column, size, labelFirst, lineWidth, fillFlags, textFlags);
}

void CPage::DrawCheckBox(const QString& label, bool marked, double row, double column, int size,
                         bool labelFirst, int lineWidth, unsigned fillFlags, unsigned textFlags)
{
    CheckBox(nullptr, label, marked, ToUnitsY(row), ToUnitsX(column), size, labelFirst, lineWidth,
             fillFlags, textFlags);
}

void CPage::DrawCheckBox(const QString& label, bool marked, int row, int column, int size,
                         bool labelFirst, int lineWidth, unsigned fillFlags, unsigned textFlags)
{
    CheckBox(nullptr, label, marked, row, column, size, labelFirst, lineWidth, fillFlags,
             textFlags);
}

void CPage::PrintTable(TableDefinition& table)
{
    table.table.reset();
    std::unique_ptr<CPrintTable> drawn(new CPrintTable(this, table));
    if (drawn->Right() > m_state.right)
        return;
    {
        StateSaver saver(*this);
        drawn->Draw();
    }
    table.bottom = table.inInches ? ToInchesY(drawn->Bottom()) : double(drawn->Bottom());
    table.table = std::move(drawn);
}

CPrintRegion* CPage::CreateRegion(int top, int left, int bottom, int right, unsigned fillFlags)
{
    if (top < 0 || left < 0 || right > m_state.pageWidth || bottom > m_state.pageHeight)
        return nullptr;
    right = std::min(right, m_state.right);
    bottom = std::min(bottom, m_state.bottom);
    if (right <= left || bottom <= top)
        return nullptr;
    m_regions.push_back(
        std::unique_ptr<CPrintRegion>(new CPrintRegion(this, top, left, bottom, right, fillFlags)));
    if (fillFlags)
        FillArea({top, left, bottom, right}, fillFlags);
    return m_regions.back().get();
}

CPrintRegion* CPage::CreateRegion(double top, double left, double bottom, double right,
                                  unsigned fillFlags)
{
    return CreateRegion(ToUnitsY(top), ToUnitsX(left), ToUnitsY(bottom), ToUnitsX(right),
                        fillFlags);
}

bool CPage::PrintBitmap(double top, double left, double bottom, double right,
                        const QString& fileName)
{
    return PrintBitmap(ToUnitsY(top), ToUnitsX(left), ToUnitsY(bottom), ToUnitsX(right), fileName);
}

bool CPage::PrintBitmap(int top, int left, int bottom, int right, const QString& fileName)
{
    const QImage image = ReadBitmapFile(fileName);
    if (image.isNull())
        return false;
    const Rect rect = Sane({top, left, bottom, right});
    m_printer.DrawBitmap(m_state, rect.left, rect.top, rect.right, rect.bottom, image);
    return true;
}

} // namespace fakvo
