#pragma once
// Ruled tables of the page engine. The caller fills a TableDefinition, draws it with
// CPage::PrintTable and then prints its cells with CPage::PrintTableCell.

#include <QString>

#include <array>
#include <memory>

namespace fakvo {

class CPage;
struct TableDefinition;

inline constexpr int kMaxTableColumns = 25;

struct TableColumn
{
    double width = 0;
    QString title; // empty: "Col %d" with the 1-based column number
    unsigned fillFlags = 0;
};

// A table drawn on a page: its geometry in page units, fixed when it was drawn.
class CPrintTable
{
public:
    int Top() const { return m_top; }
    int Left() const { return m_left; }
    int Right() const { return m_right; }
    int Bottom() const { return m_bottom; }
    int ColumnLeft(int column) const;
    int ColumnWidth(int column) const;
    int HeaderHeight() const;
    // A data row (all its text lines) or a header row.
    int RowHeight(bool header) const;

private:
    friend class CPage;
    CPrintTable(CPage* page, const TableDefinition& definition);

    void Draw();
    // Cell text inset by 2 units (1 in text-only mode, drawn there without measuring).
    void PrintCell(int row, int column, int size, unsigned flags, const QString& text);
    void DrawHeader();
    void DrawBorder();
    void DrawRowLines();
    void DrawColumnLines();
    void FillCell(int row, int column);
    bool HasHeader() const { return !m_noHeader; }
    bool CellExists(int row, int column) const;
    int DataTop() const;
    int RowTop(int row) const;

    CPage* m_page;
    int m_top;
    int m_left;
    int m_right;
    int m_bottom;
    int m_columns;
    int m_rows;
    int m_headerRows;
    int m_linesPerRow;
    int m_fontSize;
    int m_lineWidth;
    int m_separatorInterval;
    unsigned m_headerFill;
    bool m_drawBorder;
    bool m_drawColumnLines;
    bool m_drawRowLines;
    bool m_textOnly;
    bool m_noHeader;
    std::array<int, kMaxTableColumns> m_widths{};
    std::array<QString, kMaxTableColumns> m_titles;
    std::array<unsigned, kMaxTableColumns> m_fills{};
};

// The caller-owned description of a table. Positions and widths are logical units, or inches
// when `inInches` is set; `bottom` is computed when the table is drawn.
struct TableDefinition
{
    int separatorInterval = 0; // 0: a row line for every row; n: after every n-th row
    bool inInches = false;
    bool equalWidths = true; // every column (right - left) / columns wide
    unsigned headerFillFlags = 0;
    int fontSize = 10;
    int lineWidth = 1;
    int columnCount = 2; // at most kMaxTableColumns
    int rowCount = 2;
    bool drawBorder = true;
    bool drawColumnLines = true;
    bool drawRowLines = true;
    bool textOnly = false; // no border, no lines, plain cell text
    bool noHeader = false; // no header row at all
    int headerRows = 1;
    int linesPerRow = 1;
    double top = 0;
    double left = 0;
    double right = 0;
    double bottom = 0;
    std::array<TableColumn, kMaxTableColumns> columns;
    // The table drawn from this definition; none before it was drawn.
    std::unique_ptr<CPrintTable> table;
};

} // namespace fakvo
