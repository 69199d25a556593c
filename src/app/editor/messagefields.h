#pragma once
// The message fields that take the product list's place for SMS ("Handy Nr.", "Nachricht"),
// e-mails ("E-Mail Adresse", "Betreff", "Nachricht"), letters ("Betreff", "Nachricht") and
// receipts (the amount and "Nachricht"). The message shows the document font and breaks its
// lines where the printed page will.

#include "app/model/document.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QTextEdit;

namespace fakvo {

class MessageFields : public QWidget
{
    Q_OBJECT
public:
    explicit MessageFields(QWidget* parent = nullptr);

    void SetLayout(EditorLayout layout);
    void Show(const Document& document);
    // Writes the fields of the current layout into the document.
    void ReadInto(Document& document) const;

    // The document font and the measured line width of the printed text, in pixels.
    void SetTextFont(const QFont& font);
    void SetWrapWidth(int pixels);

    QTextEdit* MessageField() const { return m_message; }
    QLineEdit* AmountField() const { return m_amount; }
    QLineEdit* SubjectField() const { return m_subject; }
    QLineEdit* AddressField() const { return m_address; }

signals:
    void edited();

private:
    EditorLayout m_layout = EditorLayout::Letter;
    QLabel* m_addressLabel = nullptr;
    QLineEdit* m_address = nullptr;
    QLabel* m_subjectLabel = nullptr;
    QLineEdit* m_subject = nullptr;
    QLabel* m_amountLabel = nullptr;
    QLineEdit* m_amount = nullptr;
    QTextEdit* m_message = nullptr;
};

// The text of a receipt amount: empty for 0, else two decimals.
QString ReceiptAmountFieldText(double amount);

} // namespace fakvo
