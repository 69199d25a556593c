#include "app/editor/conditionsdialog.h"

#include "app/model/codes.h"
#include "config/valueforms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace fakvo {
namespace {

// A field with its hint on the right ("Angabe in Tagen").
QWidget* WithHint(QWidget* field, const QString& hint, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field, 1);
    layout->addWidget(new QLabel(hint, box));
    return box;
}

} // namespace

CKonditionen::CKonditionen(const Conditions& conditions, DocumentType type,
                           const QString& lastLoaded, QWidget* parent)
    : QDialog(parent), m_conditions(conditions)
{
    setObjectName(QStringLiteral("CKonditionen"));
    setWindowTitle(QStringLiteral("Konditionen & Optionen"));
    const ConditionFields fields = TypeTraits(type).conditionFields;
    const bool manualReminder = type == DocumentType::ManualReminder;
    auto* form = new QFormLayout;
    auto lineEdit = [this](const char* name, const QString& text) {
        auto* field = new QLineEdit(text, this);
        field->setObjectName(QString::fromLatin1(name));
        return field;
    };
    auto combo = [this](const char* name, const QStringList& items, int index) {
        auto* box = new QComboBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->addItems(items);
        box->setCurrentIndex(index >= 0 && index < items.size() ? index : -1);
        return box;
    };

    if (fields & ConditionField::GrossFlag) {
        m_gross = new QCheckBox(QStringLiteral("Bruttobetragsrechnung"), this);
        m_gross->setObjectName(QStringLiteral("gross"));
        m_gross->setChecked(conditions.gross);
        form->addRow(m_gross);
    }
    if (fields & ConditionField::Discount) {
        m_discount = lineEdit("discount", conditions.discount);
        form->addRow(QStringLiteral("Rabatt:"), WithHint(m_discount, QStringLiteral("%"), this));
    }
    if (manualReminder) {
        m_level = combo(
            "reminderLevel",
            {QStringLiteral("ERINNERUNG"), QStringLiteral("MAHNUNG"), QStringLiteral("2. MAHNUNG")},
            std::clamp(conditions.reminderLevel, 0, 2));
        form->addRow(QStringLiteral("Mahnstufe:"), m_level);
    } else if (fields & ConditionField::CashDiscount) {
        m_cashDiscount = lineEdit("cashDiscount", conditions.cashDiscount);
        form->addRow(QStringLiteral("Skonto:"),
                     WithHint(m_cashDiscount, QStringLiteral("%"), this));
    }
    if (fields & ConditionField::PaymentMethod) {
        m_payment = combo("payment", PaymentMethodChoices(), conditions.paymentMethod);
        form->addRow(QStringLiteral("Bezahlung über:"), m_payment);
    }
    if (fields & ConditionField::PaymentTerm) {
        m_term = lineEdit("paymentTerm", QString::number(conditions.paymentTerm));
        if (manualReminder)
            form->addRow(QStringLiteral("Rechn.datum:"),
                         WithHint(m_term, QStringLiteral("Format:jjjjmmtt"), this));
        else
            form->addRow(QStringLiteral("Zahlungsziel:"),
                         WithHint(m_term, QStringLiteral("Angabe in Tagen"), this));
    }
    if (fields & ConditionField::CustomerVatId) {
        m_vatId = lineEdit("vatId", conditions.customerVatId);
        form->addRow(QStringLiteral("UID:"), m_vatId);
    }
    if (fields & ConditionField::Reference) {
        m_reference = lineEdit("reference", conditions.reference);
        auto* last = new QPushButton(QStringLiteral("Letze gel. DokNr"), this);
        last->setObjectName(QStringLiteral("lastLoaded"));
        last->setEnabled(!lastLoaded.isEmpty());
        connect(last, &QPushButton::clicked, this,
                [this, lastLoaded] { m_reference->setText(lastLoaded); });
        auto* box = new QWidget(this);
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(m_reference, 1);
        row->addWidget(last);
        form->addRow(QStringLiteral("Referenz:"), box);
    }
    if (fields & ConditionField::Validity) {
        m_validity = lineEdit("validity", QString::number(conditions.validity));
        form->addRow(QStringLiteral("Gültigkeit:"),
                     WithHint(m_validity, QStringLiteral("Angabe in Tagen"), this));
    }
    if (fields & ConditionField::Shipping) {
        m_shipping = combo("shipping", ShippingMethodChoices(), conditions.shippingMethod);
        form->addRow(QStringLiteral("Versand:"), m_shipping);
    }
    if (fields & ConditionField::Clerk) {
        m_clerk = lineEdit("clerk", conditions.clerk);
        form->addRow(QStringLiteral("Bearbeiter:"), m_clerk);
    }
    if (fields & ConditionField::LinesPerRow) {
        m_lines =
            combo("linesPerRow", {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")},
                  std::clamp(conditions.linesPerRow, 1, 3) - 1);
        form->addRow(QStringLiteral("Produktzeilen:"), m_lines);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

Conditions CKonditionen::Result() const
{
    Conditions c = m_conditions;
    if (m_gross)
        c.gross = m_gross->isChecked();
    if (m_discount)
        c.discount = m_discount->text().trimmed();
    if (m_cashDiscount)
        c.cashDiscount = m_cashDiscount->text().trimmed();
    if (m_level)
        c.reminderLevel = std::max(0, m_level->currentIndex());
    if (m_payment && m_payment->currentIndex() >= 0)
        c.paymentMethod = m_payment->currentIndex();
    if (m_term)
        c.paymentTerm = ParseInteger(m_term->text());
    if (m_vatId)
        c.customerVatId = m_vatId->text().trimmed();
    if (m_reference)
        c.reference = m_reference->text().trimmed();
    if (m_validity)
        c.validity = ParseInteger(m_validity->text());
    if (m_shipping && m_shipping->currentIndex() >= 0)
        c.shippingMethod = m_shipping->currentIndex();
    if (m_clerk)
        c.clerk = m_clerk->text().trimmed();
    if (m_lines)
        c.linesPerRow = m_lines->currentIndex() + 1;
    return c;
}

} // namespace fakvo
