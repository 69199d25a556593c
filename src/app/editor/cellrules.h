#pragma once
// The rules of the product list's in-place editing: what a cell editor opens with, how its
// text is committed into the row, where the move commands go, how the pending product line
// becomes a row, and the text clean-up of Ctrl+U. No widgets: the list only shows results.

#include "app/model/document.h"
#include "app/model/tiers.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace fakvo {

// What the commit rules take from the configuration and the document.
struct CellRules
{
    int unitPriceDecimals = 2; // EINZELPREISNACHKOMMASTELLEN
    bool reminderList = false; // reminder layout: open invoices instead of products
};

// The text a cell editor opens with. The unit price of 0 opens as empty, and the row's tier
// entries follow the price, one per line (product layout only).
QString CellEditorText(const ProductLine& line, int column, bool reminderList);

// Commits a cell editor's text into the row. Quantity: every "," becomes ".". Columns 4 and
// above: read as a number (commas as points) and written with at most four decimals. Unit
// price (product layout): a text with "g" or "G" is a line total that becomes total ÷ quantity
// with the unit-price decimals; the lines after the first become the tier text (JoinTiers).
// Editing the quantity clears the row's hour-conversion mark, so a new value is converted.
void CommitCellText(ProductLine& line, int column, const QString& text, const CellRules& rules);

// The text of a number typed in a numeric cell: commas read as points, at most four decimals
// ("19,9000" gives "19.9"; a text without a number gives "0").
QString NumberCellText(const QString& text);

// A unit-price text holding "g" or "G" read as the line total: the letters removed, the
// total divided by `quantity` and written with `decimals` decimals ("g100" for 4 gives
// "25.00"). A quantity of 0 takes the total as the unit price. None for a text without "g".
std::optional<QString> UnitPriceFromTotal(const QString& text, double quantity, int decimals);

// Ctrl+U: every CR LF and every LF becomes a blank, then every double blank a single one
// (one pass).
QString RemoveHardLineBreaks(const QString& text);

// The rows of a document entering the editor (loaded, or from a template) with the line breaks
// of their texts as the cell editor writes them: CR LF becomes LF.
void UseEditorLineBreaks(QList<ProductLine>& lines);

// The directions of the move commands (Alt+arrows, Shift+Tab).
enum class CellMove
{
    Forward,  // Alt+Right: columns 1 to 5, then column 1 of the next row
    Backward, // Alt+Left, Shift+Tab: one column left, from column 1 to the previous row
    Up,       // Alt+Up
    Down,     // Alt+Down
};

struct CellPosition
{
    int row = 0;
    int column = 1;

    bool operator==(const CellPosition&) const = default;
};

struct CellMoveResult
{
    CellPosition position;
    bool appendRow = false; // the move goes below the last row: append an empty row first
};

// Which columns a move skips: the product number without PRODUKTNUMMER and the VAT rate
// without MWSTEDITIERBAR (product layout only).
struct MoveColumns
{
    bool productNumbers = true;
    bool vatEditable = true;
    bool reminderList = false;
};

// Where a move from `from` goes in a list of `rowCount` rows; none when it would leave the
// list at the top.
std::optional<CellMoveResult> NextCell(CellPosition from, CellMove move, int rowCount,
                                       const MoveColumns& columns);

// The empty row appended by a move below the last row or by a go-to command: its VAT rate is
// the standard rate (STANDARDMWST).
ProductLine EmptyRow(const QString& standardVatRate);

// The product line waiting to be appended with "(F5)": the product last taken from the
// selection list, or typed for it.
struct PendingLine
{
    QString quantity;
    QString productNumber;
    QString text;
    QString vatRate;
    QString unitPrice;
    QString tiers;

    bool operator==(const PendingLine&) const = default;
};

// The row "(F5)" appends: commas become points in quantity, tier text, VAT rate and unit
// price; an empty VAT rate becomes the standard rate; a unit price with "g" is a total; the
// unit price is written with the unit-price decimals (reminders: 2); the tiers are joined as
// JoinTiers does.
ProductLine LineFromPending(const PendingLine& pending, const QString& standardVatRate,
                            const CellRules& rules);

} // namespace fakvo
