#pragma once
// The product list: eight columns in the product or the reminder layout, whole rows marked,
// and the in-place cell editor that opens over a cell. The list shows rows and reports
// clicks and editor keys; what a commit or a move does is the editor's business.

#include "app/editor/cellrules.h"
#include "app/editor/listlayout.h"

#include <QTableWidget>
#include <QTextEdit>

namespace fakvo {

// The in-place editor over one cell. Enter inserts a line break (in the product-number cell
// it asks for a product lookup instead); Tab and Escape leave the cell, Shift+Tab moves one
// cell back; losing the focus leaves the cell too. A right click asks for the context menu.
class CellEditor : public QTextEdit
{
    Q_OBJECT
public:
    explicit CellEditor(QWidget* parent);

    void Open(int row, int column, const QString& text, const QRect& geometry);
    int Row() const { return m_row; }
    int Column() const { return m_column; }

signals:
    void leaveRequested();
    void backwardRequested();
    void lookupRequested();
    void contextMenuRequested(const QPoint& globalPosition);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int m_row = -1;
    int m_column = -1;
};

class ProductListView : public QTableWidget
{
    Q_OBJECT
public:
    // `overlay` carries the cell editor, so that a tall text editor may reach over the
    // areas around the list.
    ProductListView(QWidget* overlay, QWidget* parent);

    void SetColumns(const ListColumns& columns);
    void ShowLines(const QList<ProductLine>& lines);

    // The marked row, or -1.
    int MarkedRow() const;
    void MarkRow(int row);

    CellEditor* Editor() const { return m_editor; }
    bool EditorOpen() const;
    // Opens the editor over a cell, placed by CellEditorRect.
    void OpenEditor(int row, int column, const QString& text, const CellEditorSizes& sizes,
                    const QFont& textFont);
    void CloseEditor();

signals:
    // A click into a cell: the row is marked, the editor decides what else happens.
    void cellChosen(int row, int column);

private:
    QWidget* m_overlay;
    CellEditor* m_editor = nullptr;
    ListColumns m_columns{};
};

} // namespace fakvo
