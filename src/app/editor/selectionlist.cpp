#include "app/editor/selectionlist.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace fakvo {

SelectionList::SelectionList(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("selectionHint"));
    m_hint->setWordWrap(true);
    m_hint->hide();
    layout->addWidget(m_hint);
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("selectionList"));
    m_tree->setProperty("fakvoTip", QStringLiteral("Suchergebnisse: ein Klick übernimmt die "
                                                   "Adresse oder das Produkt."));
    m_tree->setRootIsDecorated(false);
    m_tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tree->setUniformRowHeights(true);
    m_tree->setHeaderLabels({QString()});
    layout->addWidget(m_tree, 1);
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        emit rowChosen(m_mode, m_tree->indexOfTopLevelItem(item));
    });
}

void SelectionList::ShowRows(SelectionMode mode, const QList<SelectionListColumn>& columns,
                             const QList<QStringList>& rows)
{
    m_mode = mode;
    m_tree->clear();
    QStringList headers;
    for (const SelectionListColumn& column : columns)
        headers << column.header;
    m_tree->setColumnCount(static_cast<int>(columns.size()));
    m_tree->setHeaderLabels(headers);
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const QStringList& row : rows) {
        auto* item = new QTreeWidgetItem(row);
        for (qsizetype c = 0; c < columns.size(); ++c) {
            if (columns[c].rightAligned)
                item->setTextAlignment(static_cast<int>(c), Qt::AlignRight | Qt::AlignVCenter);
        }
        items << item;
    }
    m_tree->addTopLevelItems(items);
    for (qsizetype c = 0; c < columns.size(); ++c)
        m_tree->setColumnWidth(static_cast<int>(c), columns[c].width);
}

void SelectionList::Clear()
{
    ShowRows(SelectionMode::Empty, {}, {});
}

void SelectionList::SetHint(const QString& text)
{
    m_hint->setText(text);
    m_hint->setVisible(!text.isEmpty());
}

int SelectionList::RowCount() const
{
    return m_tree->topLevelItemCount();
}

QList<int> SelectionList::SelectedRows() const
{
    QList<int> rows;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        if (m_tree->topLevelItem(i)->isSelected())
            rows << i;
    }
    return rows;
}

void SelectionList::SelectRow(int row)
{
    m_tree->clearSelection();
    if (QTreeWidgetItem* item = m_tree->topLevelItem(row)) {
        item->setSelected(true);
        m_tree->scrollToItem(item);
    }
}

} // namespace fakvo
