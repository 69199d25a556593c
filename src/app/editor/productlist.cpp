#include "app/editor/productlist.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>

namespace fakvo {

CellEditor::CellEditor(QWidget* parent) : QTextEdit(parent)
{
    setObjectName(QStringLiteral("cellEditor"));
    setAcceptRichText(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::Box);
    hide();
}

void CellEditor::Open(int row, int column, const QString& text, const QRect& geometry)
{
    m_row = row;
    m_column = column;
    setPlainText(text);
    setGeometry(geometry);
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    QTextCursor cursor = textCursor();
    cursor.select(QTextCursor::Document);
    setTextCursor(cursor);
}

void CellEditor::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Tab:
        if (event->modifiers() & Qt::ShiftModifier)
            emit backwardRequested();
        else
            emit leaveRequested();
        return;
    case Qt::Key_Backtab:
        emit backwardRequested();
        return;
    case Qt::Key_Escape:
        emit leaveRequested();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_column == static_cast<int>(ProductColumn::ProductNumber)) {
            emit lookupRequested();
            return;
        }
        break;
    default:
        break;
    }
    QTextEdit::keyPressEvent(event);
}

void CellEditor::focusOutEvent(QFocusEvent* event)
{
    QTextEdit::focusOutEvent(event);
    // The context menu and the window losing activation take the focus only for a moment.
    if (isVisible() && event->reason() != Qt::PopupFocusReason &&
        event->reason() != Qt::ActiveWindowFocusReason)
        emit leaveRequested();
}

void CellEditor::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    emit contextMenuRequested(event->globalPos());
}

ProductListView::ProductListView(QWidget* overlay, QWidget* parent)
    : QTableWidget(0, kProductColumnCount, parent), m_overlay(overlay)
{
    setObjectName(QStringLiteral("productList"));
    setProperty("fakvoTip", QStringLiteral("Ein Klick in eine Zelle öffnet sie zum Bearbeiten; "
                                           "ALT und die Pfeiltasten wechseln die Zelle, F12 "
                                           "vergrößert die Liste."));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(true);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setHighlightSections(false);
    m_editor = new CellEditor(overlay);
    connect(this, &QTableWidget::cellClicked, this, &ProductListView::cellChosen);
}

void ProductListView::SetColumns(const ListColumns& columns)
{
    m_columns = columns;
    for (int c = 0; c < kProductColumnCount; ++c) {
        auto* header = new QTableWidgetItem(columns[c].header);
        header->setTextAlignment(columns[c].rightAligned ? Qt::AlignRight | Qt::AlignVCenter
                                                         : Qt::AlignLeft | Qt::AlignVCenter);
        setHorizontalHeaderItem(c, header);
        setColumnWidth(c, columns[c].width);
        setColumnHidden(c, columns[c].width == 0);
    }
}

void ProductListView::ShowLines(const QList<ProductLine>& lines)
{
    const int marked = MarkedRow();
    setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < lines.size(); ++r) {
        for (int c = 0; c < kProductColumnCount; ++c) {
            QTableWidgetItem* cell = item(r, c);
            if (!cell) {
                cell = new QTableWidgetItem;
                setItem(r, c, cell);
            }
            cell->setText(lines[r].cells[static_cast<size_t>(c)]);
            cell->setTextAlignment((m_columns[c].rightAligned ? Qt::AlignRight : Qt::AlignLeft) |
                                   Qt::AlignTop);
        }
    }
    resizeRowsToContents();
    if (marked >= 0 && marked < rowCount())
        MarkRow(marked);
}

int ProductListView::MarkedRow() const
{
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.first().topRow();
}

void ProductListView::MarkRow(int row)
{
    clearSelection();
    if (row < 0 || row >= rowCount())
        return;
    setCurrentCell(row, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollToItem(item(row, 0));
}

bool ProductListView::EditorOpen() const
{
    return m_editor->isVisible();
}

void ProductListView::OpenEditor(int row, int column, const QString& text,
                                 const CellEditorSizes& sizes, const QFont& textFont)
{
    MarkRow(row);
    scrollToItem(item(row, column));
    const QRect cell = visualRect(model()->index(row, column));
    const QRect inOverlay(viewport()->mapTo(m_overlay, cell.topLeft()), cell.size());
    const int screenHeight = screen() ? screen()->geometry().height() : 768;
    QRect geometry = CellEditorRect(inOverlay, column, sizes, screenHeight);
    // Keep the editor inside the window; a text editor near the bottom opens upwards.
    if (geometry.bottom() > m_overlay->height())
        geometry.moveBottom(std::max(geometry.height() - 1, m_overlay->height() - 1));
    if (geometry.right() > m_overlay->width())
        geometry.moveRight(std::max(geometry.width() - 1, m_overlay->width() - 1));
    if (geometry.left() < 0)
        geometry.moveLeft(0);
    m_editor->setFont(column == static_cast<int>(ProductColumn::Text) ? textFont : font());
    if (column == static_cast<int>(ProductColumn::Text) && sizes.textWidth > 0) {
        m_editor->setLineWrapMode(QTextEdit::FixedPixelWidth);
        m_editor->setLineWrapColumnOrWidth(sizes.textWidth - 35);
    } else {
        m_editor->setLineWrapMode(QTextEdit::WidgetWidth);
    }
    m_editor->Open(row, column, text, geometry);
}

void ProductListView::CloseEditor()
{
    m_editor->hide();
}

} // namespace fakvo
