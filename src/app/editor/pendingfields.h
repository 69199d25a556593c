#pragma once
// The pending product line above the product list: the product last taken from the
// selection list, or typed for it, waiting for "(F5)" to append it.

#include "app/editor/cellrules.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace fakvo {

class PendingFields : public QWidget
{
    Q_OBJECT
public:
    explicit PendingFields(QWidget* parent = nullptr);

    void Show(const PendingLine& line);
    PendingLine Read() const;
    // The product-number field hides without PRODUKTNUMMER, the VAT field without
    // MWSTEDITIERBAR.
    void SetColumns(bool productNumbers, bool vatEditable);
    QLineEdit* QuantityField() const { return m_quantity; }

signals:
    void appendRequested();
    void searchRequested();

private:
    QLineEdit* m_quantity = nullptr;
    QLineEdit* m_number = nullptr;
    QLineEdit* m_text = nullptr;
    QLineEdit* m_vat = nullptr;
    QLineEdit* m_price = nullptr;
    QLineEdit* m_tiers = nullptr;
};

} // namespace fakvo
