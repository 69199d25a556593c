#include "app/editor/listlayout.h"

#include <algorithm>

namespace fakvo {

ListColumns ProductListColumns(bool reminderList, bool productNumbers, bool vatEditable)
{
    if (reminderList)
        return {{{QString(), 20, false},
                 {QStringLiteral("Rechn.Datum"), 75, true},
                 {QStringLiteral("RechNr"), 70, false},
                 {QStringLiteral("Referenz"), 215, false},
                 {QStringLiteral("Ziel"), 45, false},
                 {QStringLiteral("Betrag"), 100, true},
                 {QString(), 0, false},
                 {QString(), 0, false}}};
    const int textWidth = 210 + (productNumbers ? 0 : 65) + (vatEditable ? 0 : 55);
    return {{{QString(), 20, false},
             {QStringLiteral("Menge"), 45, true},
             {QStringLiteral("Prod.Nr."), productNumbers ? 65 : 0, false},
             {QStringLiteral("Bezeichnung"), textWidth, false},
             {QStringLiteral("MWSt"), vatEditable ? 55 : 0, false},
             {QStringLiteral("E.Preis"), 65, true},
             {QStringLiteral("GesPreis"), 65, true},
             {QString(), 0, true}}};
}

CellClick CellClickAction(int column, bool reminderList)
{
    if (column <= 0 || column >= kProductColumnCount)
        return CellClick::None;
    if (reminderList)
        return column == static_cast<int>(ProductColumn::Quantity) ? CellClick::PickDate
                                                                   : CellClick::Edit;
    if (column == static_cast<int>(ProductColumn::LineTotal))
        return CellClick::RefuseLineTotal;
    return CellClick::Edit;
}

QString LineTotalRefusal()
{
    return QStringLiteral("Die Gesamtsumme wird aus der Stückzahl und dem Einzelpreis automatisch "
                          "berechnet und kann somit nicht verändert werden!");
}

CellEditorSizes SizesFromMeasure(int measuredWidth, int lineHeight)
{
    return {lineHeight + 35, std::max(10, measuredWidth) + 35};
}

QRect CellEditorRect(const QRect& cell, int column, const CellEditorSizes& sizes, int screenHeight)
{
    QRect rect(cell.left(), cell.top(), cell.width(), sizes.rowUnit);
    switch (static_cast<ProductColumn>(column)) {
    case ProductColumn::Quantity:
        rect.adjust(-10, 0, 20, 0);
        break;
    case ProductColumn::ProductNumber:
        rect.adjust(0, 0, 30, 0);
        break;
    case ProductColumn::UnitPrice:
        rect.adjust(0, 0, 40, 0);
        break;
    case ProductColumn::Text:
        if (sizes.textWidth > 0)
            rect.setWidth(sizes.textWidth);
        rect.setHeight(sizes.rowUnit * (screenHeight <= 600 ? 3 : 6));
        break;
    default:
        break;
    }
    return rect;
}

} // namespace fakvo
