#pragma once
// The columns of the product list in its two layouts (products and open invoices), and which
// cells the in-place editor opens on.

#include "app/model/document.h"

#include <QRect>
#include <QString>

#include <array>

namespace fakvo {

struct ListColumn
{
    QString header;
    int width = 0; // pixels
    bool rightAligned = false;

    bool operator==(const ListColumn&) const = default;
};

using ListColumns = std::array<ListColumn, kProductColumnCount>;

// The headers, initial widths and alignment. In the product layout the product-number column
// has width 0 without PRODUKTNUMMER and the VAT column without MWSTEDITIERBAR; the text
// column takes over their widths (65 and 55).
ListColumns ProductListColumns(bool reminderList, bool productNumbers, bool vatEditable);

// What a click into a cell does.
enum class CellClick
{
    None,           // column 0 only marks the row
    Edit,           // the in-place editor opens
    PickDate,       // reminders: the date column opens a calendar
    RefuseLineTotal // products: the line total is computed, never typed
};

CellClick CellClickAction(int column, bool reminderList);

// The message for a click on the line total of a product row.
QString LineTotalRefusal();

// The row unit of the cell editors before any measurement.
inline constexpr int kUnmeasuredRowUnit = 20;

// The sizes the print-true measurement gives the cell editors.
struct CellEditorSizes
{
    int rowUnit = kUnmeasuredRowUnit; // measured line height + 35
    int textWidth = 0;                // measured width (at least 10) + 35; 0: the cell's width
};

// The sizes for a measured width and line height.
CellEditorSizes SizesFromMeasure(int measuredWidth, int lineHeight);

// Where the editor of a cell lies: over the cell and one row unit high; the quantity editor
// 10 pixels further left and 20 further right, the product-number editor 30 and the
// unit-price editor 40 further right; the text editor with the measured width and six row
// units high (three on a screen of 600 pixels height or less).
QRect CellEditorRect(const QRect& cell, int column, const CellEditorSizes& sizes, int screenHeight);

} // namespace fakvo
