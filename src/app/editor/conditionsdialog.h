#pragma once
// The conditions dialog "Konditionen & Optionen": the fields the document type offers, top to
// bottom, with the manual reminder's invoice date and reminder level in place of the payment
// term and the cash discount.

#include "app/model/document.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace fakvo {

class CKonditionen : public QDialog
{
    Q_OBJECT
public:
    // `conditions` as ConditionsForDialog prepared them; `lastLoaded` the number label and
    // number of the document loaded last ("Letze gel. DokNr"), empty when none was loaded.
    CKonditionen(const Conditions& conditions, DocumentType type, const QString& lastLoaded,
                 QWidget* parent = nullptr);

    // The values as the user left them (not yet ConditionsFromDialog).
    Conditions Result() const;

private:
    Conditions m_conditions;
    QCheckBox* m_gross = nullptr;
    QLineEdit* m_discount = nullptr;
    QLineEdit* m_cashDiscount = nullptr;
    QComboBox* m_level = nullptr;
    QComboBox* m_payment = nullptr;
    QLineEdit* m_term = nullptr;
    QLineEdit* m_vatId = nullptr;
    QLineEdit* m_reference = nullptr;
    QLineEdit* m_validity = nullptr;
    QComboBox* m_shipping = nullptr;
    QLineEdit* m_clerk = nullptr;
    QComboBox* m_lines = nullptr;
};

} // namespace fakvo
