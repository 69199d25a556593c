#pragma once
// The page composition engine: every printed page (documents, slips, labels, lists, reports,
// PDF pages) is drawn through a CPage over a QPainter that the caller has begun on a printer,
// a PDF writer or an image. The caller begins and ends the device document and its pages;
// the page object may span several device pages.
//
// Positions are logical units (device pixels in device mapping, a 1000 by 1000 grid in
// normalised mapping) or inches; most operations come in both forms. Inches convert to units
// by truncation, and values of 0 or less become 0. A row is a y, a column an x. A flags
// argument of kKeepFlags and a size of 0 or less keep the current flags and font size.
//
// On paper wider than the 8-inch content area (10.5 inches in landscape) every x of text,
// lines, boxes and fills is moved right by a centring offset; bitmaps are not moved.

#include "print/printer.h"
#include "print/textflags.h"

#include <QPageLayout>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace fakvo {

class CPage;
class CPrintTable;
struct TableDefinition;

// A rectangular area of a page, created by CPage::CreateRegion. Coordinates given with a
// region are relative to its first usable row and column, and what is drawn is clipped to it.
class CPrintRegion
{
public:
    int Top() const { return m_top; }
    int Left() const { return m_left; }
    int Bottom() const { return m_bottom; }
    int Right() const { return m_right; }
    int FirstRow() const { return m_firstRow; }
    int FirstColumn() const { return m_firstColumn; }
    unsigned FillFlags() const { return m_fillFlags; }

    // Prints a single-line, vertically centred title across the region's top band (twice the
    // title's font height; with text flag 0x10 the band ends 10 units below the title) and
    // moves the first usable row below it.
    void DrawTitle(const QString& text, int size, unsigned flags, unsigned fillFlags);
    // The region's outline, line width 1.
    void DrawFrame();

private:
    friend class CPage;
    CPrintRegion(CPage* page, int top, int left, int bottom, int right, unsigned fillFlags);

    CPage* m_page;
    int m_top;
    int m_left;
    int m_bottom;
    int m_right;
    int m_firstRow;
    int m_firstColumn;
    unsigned m_fillFlags;
};

class CPage
{
public:
    enum MappingMode : int
    {
        kDeviceMapping = 0,
        kNormalisedMapping = 1
    };
    using TextCallback = std::function<QString(const void* data)>;
    static constexpr int kStateStackSize = 10;
    // A formatted text is cut to this many characters (a table cell to kMaxCellText).
    static constexpr int kMaxFormattedText = 5119;
    static constexpr int kMaxCellText = 999;

    // The page covers the rectangle (left, top, right, bottom) of the painter's device, in
    // device pixels; callers pass (0, 0, width, height) of the device. Any mapping mode other
    // than kNormalisedMapping is device mapping. `orientation` is the printer setup's paper
    // orientation, which decides the horizontal centring offset.
    CPage(int left, int top, int right, int bottom, QPainter* painter,
          int mappingMode = kDeviceMapping,
          QPageLayout::Orientation orientation = QPageLayout::Portrait);
    ~CPage();
    CPage(const CPage&) = delete;
    CPage& operator=(const CPage&) = delete;

    void SetTextCallback(TextCallback callback);

    // Prints at the row of the last text output, at `column` (-1: the last column, so the
    // text continues the previous one). Returns the next row.
    int PrintAtCurrentRow(const QString& text, int column = -1, unsigned flags = kKeepFlags,
                          int size = 0);

    // One cell of a drawn table; ignored when the table was not drawn on this page.
    void PrintTableCell(TableDefinition& table, int row, int column, int size, unsigned flags,
                        const char* format, ...) Q_ATTRIBUTE_FORMAT_PRINTF(7, 8);

    // Text from row and column down to the bottom margin (or the region's bottom) and right to
    // the right margin (or the region's right edge), word-wrapped unless the flags say single
    // line. All return the next row: the bottom of the measured text (plus the extra line
    // spacing), or the given row when nothing was drawn. Region variants return it relative
    // to the region, like their arguments. The callback variants take their text from the
    // text callback and return 0 without one.
    double PrintCallback(CPrintRegion* region, double row, double column, unsigned flags, int size,
                         const void* data);
    int PrintCallback(CPrintRegion* region, int row, int column, unsigned flags, int size,
                      const void* data);
    double Print(CPrintRegion* region, double row, double column, unsigned flags, int size,
                 const char* format, ...) Q_ATTRIBUTE_FORMAT_PRINTF(7, 8);
    int Print(CPrintRegion* region, int row, int column, unsigned flags, int size,
              const char* format, ...) Q_ATTRIBUTE_FORMAT_PRINTF(7, 8);
    double PrintCallback(double row, double column, const void* data);
    int PrintCallback(int row, int column, const void* data);
    double Print(double row, double column, const char* format, ...)
        Q_ATTRIBUTE_FORMAT_PRINTF(4, 5);
    int Print(int row, int column, const char* format, ...) Q_ATTRIBUTE_FORMAT_PRINTF(4, 5);
    double PrintCallback(double row, double column, unsigned flags, int size, const void* data);
    // `column` is replaced by the next column (the right edge of the text).
    double Print(double row, double* column, unsigned flags, int size, const char* format, ...)
        Q_ATTRIBUTE_FORMAT_PRINTF(6, 7);
    double Print(double row, double column, unsigned flags, int size, const char* format, ...)
        Q_ATTRIBUTE_FORMAT_PRINTF(6, 7);
    int PrintCallback(int row, int column, unsigned flags, int size, const void* data);
    int Print(int row, int* column, unsigned flags, int size, const char* format, ...)
        Q_ATTRIBUTE_FORMAT_PRINTF(6, 7);
    int Print(int row, int column, unsigned flags, int size, const char* format, ...)
        Q_ATTRIBUTE_FORMAT_PRINTF(6, 7);

    // Text in a rectangle. When right and bottom are both 0 the rectangle is the text's own
    // size. Without a region nothing is drawn when the top lies below the bottom margin or the
    // left lies right of the right margin. Empty text draws nothing and keeps the last results.
    void PrintTextInRectCallback(CPrintRegion* region, double top, double left, double bottom,
                                 double right, unsigned flags, int size, const void* data);
    void PrintTextInRectCallback(CPrintRegion* region, int top, int left, int bottom, int right,
                                 unsigned flags, int size, const void* data);
    void PrintTextInRect(CPrintRegion* region, double top, double left, double bottom, double right,
                         unsigned flags, int size, const QString& text);
    void PrintTextInRect(CPrintRegion* region, int top, int left, int bottom, int right,
                         unsigned flags, int size, const QString& text);
    void PrintTextInRectCallback(double top, double left, double bottom, double right,
                                 unsigned flags, int size, const void* data);
    void PrintTextInRectCallback(int top, int left, int bottom, int right, unsigned flags, int size,
                                 const void* data);
    void PrintTextInRect(double top, double left, double bottom, double right, unsigned flags,
                         int size, const QString& text);
    void PrintTextInRect(int top, int left, int bottom, int right, unsigned flags, int size,
                         const QString& text);

    // Factors above 1 move the returned next row down by (factor - 1) font heights. Values of
    // 0 or less are ignored. Returns the previous factor.
    double SetLineSpacing(double factor);
    // Sets the font face (none: only asks) and returns the previous one.
    QString SetFont(const std::optional<QString>& faceName = std::nullopt);
    // The right edge of the last text output, plus the font's maximum character width when
    // asked, in inches or units.
    double GetNextColumn(bool inInches, bool addMaxCharWidth) const;
    QColor SetTextColor(const QColor& color);
    int SetFontSize(int points);
    // Values above 0 set the margin, -1 restores the page width or height; returns the
    // previous margin.
    double SetRightMargin(double inches);
    int SetRightMargin(int units);
    double SetBottomMargin(double inches);
    int SetBottomMargin(int units);

    void DrawLine(CPrintRegion* region, double y1, double x1, double y2, double x2, int width,
                  unsigned style);
    void DrawLine(CPrintRegion* region, int y1, int x1, int y2, int x2, int width, unsigned style);
    void DrawLine(double y1, double x1, double y2, double x2, int width, unsigned style);
    void DrawLine(int y1, int x1, int y2, int x2, int width, unsigned style);

    // Outline with the line width and style, filled with the fill flags' brush (0: no fill).
    void DrawBox(CPrintRegion* region, double top, double left, double bottom, double right,
                 int lineWidth, unsigned fillFlags, unsigned style);
    void DrawBox(CPrintRegion* region, int top, int left, int bottom, int right, int lineWidth,
                 unsigned fillFlags, unsigned style);
    void DrawBox(double top, double left, double bottom, double right, int lineWidth,
                 unsigned fillFlags, unsigned style);
    void DrawBox(int top, int left, int bottom, int right, int lineWidth, unsigned fillFlags,
                 unsigned style);

    // A box `size` points square with a label; a marked box is filled with the fill flags,
    // or crossed when they are 0. With label-first the box follows the label.
    void DrawCheckBox(CPrintRegion* region, const QString& label, bool marked, double row,
                      double column, int size, bool labelFirst, int lineWidth, unsigned fillFlags,
                      unsigned textFlags);
    void DrawCheckBox(CPrintRegion* region, const QString& label, bool marked, int row, int column,
                      int size, bool labelFirst, int lineWidth, unsigned fillFlags,
                      unsigned textFlags);
    void DrawCheckBox(const QString& label, bool marked, double row, double column, int size,
                      bool labelFirst, int lineWidth, unsigned fillFlags, unsigned textFlags);
    void DrawCheckBox(const QString& label, bool marked, int row, int column, int size,
                      bool labelFirst, int lineWidth, unsigned fillFlags, unsigned textFlags);

    // Draws the table and stores its bottom in the definition. A table reaching beyond the
    // right margin is not drawn, and its cells are ignored afterwards.
    void PrintTable(TableDefinition& table);

    // A region of the page, or none when it lies outside the page; right and bottom are
    // limited to the margins. The region is filled with its fill flags and lives as long as
    // the page.
    CPrintRegion* CreateRegion(int top, int left, int bottom, int right, unsigned fillFlags = 0);
    CPrintRegion* CreateRegion(double top, double left, double bottom, double right,
                               unsigned fillFlags = 0);

    // Reads a Windows bitmap file and stretches it into the rectangle (no centring offset).
    // Returns false, drawing nothing, when the file cannot be read or is no valid bitmap.
    bool PrintBitmap(double top, double left, double bottom, double right, const QString& fileName);
    bool PrintBitmap(int top, int left, int bottom, int right, const QString& fileName);

    // Unit conversions (truncating; 0 or less gives 0, below 1 unit gives 0.0 inches).
    int ToUnitsX(double inches) const;
    int ToUnitsY(double inches) const;
    double ToInchesX(int units) const;
    double ToInchesY(int units) const;

    // The current state, holding the margins and the results of the last text output.
    const PrintState& State() const { return m_state; }
    int LogicalWidth() const { return m_state.pageWidth; }
    int LogicalHeight() const { return m_state.pageHeight; }
    double PhysicalWidth() const { return m_physicalWidth; }
    double PhysicalHeight() const { return m_physicalHeight; }
    int HorizontalOffset() const { return m_state.offset; }
    CPrinter& Printer() { return m_printer; }

private:
    friend class CPrintRegion;
    friend class CPrintTable;

    struct Rect
    {
        int top;
        int left;
        int bottom;
        int right;
    };
    // How one text output is drawn: the fill under the text (0x10) and whether the text stands
    // on a filled background (region or table column) that asks for white text.
    struct TextStyle
    {
        std::optional<unsigned> fillFlags;
        unsigned backgroundFill = 0;
        bool simple = false;
    };
    class StateSaver;

    static Rect Sane(Rect rect);
    bool PushState();
    void PopState();
    Rect IntoRegion(const CPrintRegion* region, Rect rect) const;
    // The one path of every text output. Returns the next row in page units, or none when
    // nothing was drawn.
    std::optional<int> OutputText(const CPrintRegion* region, Rect rect, unsigned flags, int size,
                                  const QString& text, const TextStyle& style);
    std::optional<int> PrintRow(const CPrintRegion* region, int row, int column, unsigned flags,
                                int size, const QString& text);
    double PrintRowInches(const CPrintRegion* region, double row, double column, unsigned flags,
                          int size, const QString& text);
    std::optional<QString> CallbackText(const void* data) const;
    void Line(const CPrintRegion* region, Rect ends, int width, unsigned style);
    void Box(const CPrintRegion* region, Rect rect, int lineWidth, unsigned fillFlags,
             unsigned style);
    void FillArea(Rect rect, unsigned fillFlags);
    void CheckBox(const CPrintRegion* region, const QString& label, bool marked, int row,
                  int column, int size, bool labelFirst, int lineWidth, unsigned fillFlags,
                  unsigned textFlags);
    // A length in points (font heights, check boxes) in units.
    int PointsToUnitsX(int points) const;
    int PointsToUnitsY(int points) const;
    int SetMargin(int& margin, int value, int pageSize);
    double SetMarginInches(int& margin, double inches, bool horizontal);

    PrintState m_state;
    std::array<PrintState, kStateStackSize> m_stack;
    int m_stackTop = -1;
    int m_dpiX = 96;
    int m_dpiY = 96;
    bool m_normalised = false;
    int m_lastColumn = 0;
    int m_currentRow = 0;
    QPageLayout::Orientation m_orientation;
    TextCallback m_textCallback;
    double m_lineSpacing = 1.0;
    double m_physicalWidth = 0;
    double m_physicalHeight = 0;
    CPrinter m_printer;
    std::vector<std::unique_ptr<CPrintRegion>> m_regions;
};

} // namespace fakvo
