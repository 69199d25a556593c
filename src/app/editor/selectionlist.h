#pragma once
// The selection list at the right of the editor: the rows of the last address search, product
// search or field chooser, with a hint line above. A click on a row hands it to the editor;
// several addresses may be marked at once (serial documents).

#include <QList>
#include <QStringList>
#include <QWidget>

class QLabel;
class QTreeWidget;

namespace fakvo {

enum class SelectionMode
{
    Empty = 0,
    FieldNames = 1,
    Products = 2,
    Addresses = 4,
};

struct SelectionListColumn
{
    QString header;
    int width = 100;
    bool rightAligned = false;
};

class SelectionList : public QWidget
{
    Q_OBJECT
public:
    explicit SelectionList(QWidget* parent = nullptr);

    void ShowRows(SelectionMode mode, const QList<SelectionListColumn>& columns,
                  const QList<QStringList>& rows);
    void Clear();
    void SetHint(const QString& text);

    SelectionMode Mode() const { return m_mode; }
    int RowCount() const;
    // The marked rows, in list order.
    QList<int> SelectedRows() const;
    void SelectRow(int row);
    QTreeWidget* Tree() const { return m_tree; }

signals:
    void rowChosen(fakvo::SelectionMode mode, int row);

private:
    QLabel* m_hint = nullptr;
    QTreeWidget* m_tree = nullptr;
    SelectionMode m_mode = SelectionMode::Empty;
};

} // namespace fakvo
