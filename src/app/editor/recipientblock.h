#pragma once
// The recipient block "Empfänger": attention line, name, name 2, street, postal code and
// town, country. Enter in the attention line asks for a customer-number lookup; the small
// picture button clears the block.

#include "app/model/document.h"

#include <QGroupBox>

class QComboBox;
class QLineEdit;
class QToolButton;

namespace fakvo {

class RecipientBlock : public QGroupBox
{
    Q_OBJECT
public:
    explicit RecipientBlock(QWidget* parent = nullptr);

    // Shows the six lines, the country and the customer number of `recipient`.
    void Show(const Recipient& recipient);
    // Writes what the user typed into the fields the block shows.
    void ReadInto(Recipient& recipient) const;
    // The country list with no selection.
    void ResetCountries();

    QLineEdit* AttentionField() const { return m_attention; }

signals:
    void customerNumberEntered(const QString& text);
    void edited();
    void clearRequested();

private:
    QLineEdit* AddLine(const QString& name);

    QLineEdit* m_attention = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_name2 = nullptr;
    QLineEdit* m_street = nullptr;
    QLineEdit* m_postalCode = nullptr;
    QLineEdit* m_town = nullptr;
    QComboBox* m_country = nullptr;
    QToolButton* m_clear = nullptr;
};

} // namespace fakvo
