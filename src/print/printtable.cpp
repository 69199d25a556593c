#include "printtable.h"

#include "print/page.h"

#include <algorithm>
#include <numeric>

namespace fakvo {
namespace {

constexpr int kMaxRows = 10000;
constexpr int kMaxLinesPerRow = 100;
constexpr int kMaxTablePoints = 2000;
constexpr unsigned kHeaderTitleFlags = kTextVCentre | kTextCentre | kTextFill | kTextBold;

constexpr long long kUnitLimit = 1'000'000'000LL;

int Units(double value)
{
    return static_cast<int>(std::clamp(value, -double(kUnitLimit), double(kUnitLimit)));
}

int Clamp(long long value)
{
    return static_cast<int>(std::clamp(value, -kUnitLimit, kUnitLimit));
}

} // namespace

CPrintTable::CPrintTable(CPage* page, const TableDefinition& definition) : m_page(page)
{
    const auto x = [&](double value) {
        return definition.inInches ? page->ToUnitsX(value) : Units(value);
    };
    const auto y = [&](double value) {
        return definition.inInches ? page->ToUnitsY(value) : Units(value);
    };
    m_top = y(definition.top);
    m_left = x(definition.left);
    m_right = x(definition.right);
    m_columns = std::clamp(definition.columnCount, 0, kMaxTableColumns);
    m_rows = std::clamp(definition.rowCount, 0, kMaxRows);
    m_noHeader = definition.noHeader;
    m_headerRows = m_noHeader ? 0 : std::clamp(definition.headerRows, 0, kMaxRows);
    m_linesPerRow = std::clamp(definition.linesPerRow, 0, kMaxLinesPerRow);
    m_fontSize = definition.fontSize > 0 ? std::min(definition.fontSize, kMaxTablePoints) : 10;
    m_lineWidth = std::max(0, definition.lineWidth);
    m_separatorInterval = std::max(0, definition.separatorInterval);
    m_headerFill = definition.headerFillFlags;
    m_drawBorder = definition.drawBorder;
    m_drawColumnLines = definition.drawColumnLines;
    m_drawRowLines = definition.drawRowLines;
    m_textOnly = definition.textOnly;
    for (int column = 0; column < m_columns; ++column) {
        const TableColumn& source = definition.columns[column];
        m_widths[column] = definition.equalWidths
                               ? Clamp((static_cast<long long>(m_right) - m_left) / m_columns)
                               : x(source.width);
        m_titles[column] =
            source.title.isEmpty() ? QString::asprintf("Col %d", column + 1) : source.title;
        m_fills[column] = source.fillFlags;
    }
    m_bottom = RowTop(m_rows);
}

int CPrintTable::RowHeight(bool header) const
{
    // One and a half lines of the font per row (one line per row when there are several
    // header rows); in normalised mapping the size itself counts as the line.
    const long long size = m_fontSize;
    const long long dpi = m_page->m_normalised ? 72 : m_page->m_dpiY;
    const long long line = size * dpi / 72;
    const long long row = size * dpi * 3 / 144;
    if (header)
        return Clamp(m_headerRows == 1 ? row : line);
    return Clamp(m_linesPerRow * row);
}

int CPrintTable::HeaderHeight() const
{
    return Clamp(static_cast<long long>(m_headerRows) * RowHeight(true));
}

int CPrintTable::DataTop() const
{
    return Clamp(static_cast<long long>(m_top) + HeaderHeight());
}

int CPrintTable::RowTop(int row) const
{
    return Clamp(DataTop() + static_cast<long long>(row) * RowHeight(false));
}

int CPrintTable::ColumnLeft(int column) const
{
    column = std::clamp(column, 0, m_columns);
    return Clamp(std::accumulate(m_widths.begin(), m_widths.begin() + column,
                                 static_cast<long long>(m_left)));
}

int CPrintTable::ColumnWidth(int column) const
{
    return column >= 0 && column < m_columns ? m_widths[column] : 0;
}

bool CPrintTable::CellExists(int row, int column) const
{
    return row >= 0 && row < m_rows && column >= 0 && column < m_columns;
}

void CPrintTable::Draw()
{
    if (HasHeader() && (m_headerRows != 0 || m_lineWidth != 0))
        DrawHeader();
    // Cell fills go under the lines so that they do not cover them.
    if (m_separatorInterval == 0 && !m_textOnly) {
        for (int column = 0; column < m_columns; ++column)
            for (int row = 0; row < m_rows; ++row)
                FillCell(row, column);
    }
    DrawBorder();
    DrawRowLines();
    DrawColumnLines();
}

void CPrintTable::DrawHeader()
{
    if (m_columns == 0)
        return;
    m_page->m_state.fontSize = m_fontSize;
    // The last column takes up what the widths leave of the table, or gives back what they
    // exceed, so the header ends exactly at the table's right edge.
    const long long sum = std::accumulate(m_widths.begin(), m_widths.begin() + m_columns, 0LL);
    int& last = m_widths[m_columns - 1];
    last = static_cast<int>(
        std::clamp(last + (static_cast<long long>(m_right) - m_left) - sum, 0LL, kUnitLimit));

    const int bandBottom = DataTop();
    CPage::TextStyle style;
    style.fillFlags = m_headerFill;
    for (int column = 0; column < m_columns; ++column) {
        const int left = ColumnLeft(column);
        m_page->OutputText(nullptr, {m_top, left, bandBottom, Clamp(1LL * left + m_widths[column])},
                           kHeaderTitleFlags, m_fontSize, m_titles[column], style);
    }
    m_page->Box(nullptr, {m_top, m_left, bandBottom, m_right}, m_lineWidth, 0, 0);
}

void CPrintTable::DrawBorder()
{
    if (m_textOnly || !m_drawBorder)
        return;
    m_page->Box(nullptr, {m_top, m_left, m_bottom, m_right}, m_lineWidth, 0, 0);
}

void CPrintTable::DrawRowLines()
{
    if (m_textOnly || !m_drawRowLines)
        return;
    // With a header each data row gets a line on its top edge, without one on its bottom edge.
    const int first = HasHeader() ? 0 : 1;
    for (int line = first; line < m_rows + first; ++line) {
        if (m_separatorInterval > 0 && line % m_separatorInterval != 0)
            continue;
        const int y = RowTop(line);
        m_page->Line(nullptr, {y, m_left, y, m_right}, m_lineWidth, 0);
    }
}

void CPrintTable::DrawColumnLines()
{
    if (m_textOnly || !m_drawColumnLines)
        return;
    for (int column = 1; column < m_columns; ++column) {
        const int x = ColumnLeft(column);
        m_page->Line(nullptr, {DataTop(), x, m_bottom, x}, m_lineWidth, 0);
    }
}

void CPrintTable::FillCell(int row, int column)
{
    if (!CellExists(row, column) || m_fills[column] == 0)
        return;
    const int left = ColumnLeft(column);
    m_page->FillArea({RowTop(row), left, RowTop(row + 1), Clamp(1LL * left + m_widths[column])},
                     m_fills[column]);
}

void CPrintTable::PrintCell(int row, int column, int size, unsigned flags, const QString& text)
{
    if (!CellExists(row, column))
        return;
    int points = size > 0 ? size : m_fontSize;
    if (m_drawRowLines && !m_textOnly)
        points = std::min(points, m_fontSize);
    unsigned cellFlags = flags == kKeepFlags ? m_page->m_state.textFlags : flags;
    if (m_linesPerRow == 1)
        cellFlags |= kTextSingleLine | kTextVCentre;
    const int inset = m_textOnly ? 1 : 2;
    const int top = RowTop(row);
    const int bottom = RowTop(row + 1);
    const int left = ColumnLeft(column);
    const int right = Clamp(1LL * left + m_widths[column]);
    CPage::TextStyle style;
    style.backgroundFill = m_fills[column];
    style.simple = m_textOnly;
    m_page->OutputText(nullptr, {top + inset, left + inset, bottom - inset, right - inset},
                       cellFlags, points, text, style);
}

} // namespace fakvo
