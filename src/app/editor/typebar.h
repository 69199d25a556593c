#pragma once
// The type bar "Wähle Dokumenttype": one picture button per selectable document type and the
// "Tipps" check box. A click selects the type; with Ctrl held it asks for the documents of
// that type instead, with Shift on the invoice button for all invoices by payment date; a
// right click asks for a template of the type; a double click on the second reminder asks
// for the third, on the e-mail button for the mail client.

#include "app/model/documenttype.h"

#include <QGroupBox>
#include <QList>

class QCheckBox;
class QToolButton;

namespace fakvo {

class TypeBar : public QGroupBox
{
    Q_OBJECT
public:
    explicit TypeBar(QWidget* parent = nullptr);

    // The types of the buttons, in their order.
    static QList<DocumentType> ButtonTypes();
    QToolButton* Button(DocumentType type) const;
    QCheckBox* TipsBox() const { return m_tips; }

signals:
    void typeChosen(fakvo::DocumentType type);
    void typeListRequested(fakvo::DocumentType type);
    void invoicesByPaymentRequested();
    void templateRequested(fakvo::DocumentType type);
    void typeDoubleClicked(fakvo::DocumentType type);

private:
    QList<QToolButton*> m_buttons;
    QCheckBox* m_tips = nullptr;
};

} // namespace fakvo
