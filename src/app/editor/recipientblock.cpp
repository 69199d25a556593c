#include "app/editor/recipientblock.h"

#include "app/editor/recipientrules.h"
#include "app/model/codes.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace fakvo {

RecipientBlock::RecipientBlock(QWidget* parent) : QGroupBox(QStringLiteral("Empfänger"), parent)
{
    setObjectName(QStringLiteral("recipient"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);

    m_attention = AddLine(QStringLiteral("attention"));
    m_attention->setProperty("fakvoTip",
                             QStringLiteral("Kontaktperson; eine Kundennummer und "
                                            "Enter übernehmen die Adresse des Kunden."));
    m_name = AddLine(QStringLiteral("name"));
    m_name->setProperty("fakvoTip", QStringLiteral("Firma oder Person."));
    m_name2 = AddLine(QStringLiteral("name2"));
    m_name2->setProperty("fakvoTip", QStringLiteral("Fortsetzung eines langen Firmennamens."));
    m_street = AddLine(QStringLiteral("street"));
    m_street->setProperty("fakvoTip", QStringLiteral("Straße und Hausnummer."));
    m_postalCode = AddLine(QStringLiteral("postalCode"));
    m_postalCode->setProperty("fakvoTip", QStringLiteral("Postleitzahl."));
    m_postalCode->setMaximumWidth(70);
    m_town = AddLine(QStringLiteral("town"));
    m_town->setProperty("fakvoTip", QStringLiteral("Ort."));
    m_country = new QComboBox(this);
    m_country->setObjectName(QStringLiteral("country"));
    m_country->setProperty("fakvoTip", QStringLiteral("Land des Empfängers; leer für das eigene "
                                                      "Land."));
    ResetCountries();

    m_clear = new QToolButton(this);
    m_clear->setObjectName(QStringLiteral("clearRecipient"));
    m_clear->setText(QStringLiteral("×"));
    m_clear->setProperty("fakvoTip", QStringLiteral("Zurücksetzen der Adresseingabefelder "
                                                    "(STRG-1)"));
    m_clear->setFocusPolicy(Qt::NoFocus);

    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label(QStringLiteral("z. Hd."), m_attention), 0, 0);
    grid->addWidget(m_attention, 0, 1, 1, 3);
    grid->addWidget(m_clear, 0, 4);
    grid->addWidget(label(QStringLiteral("Name"), m_name), 1, 0);
    grid->addWidget(m_name, 1, 1, 1, 4);
    grid->addWidget(label(QStringLiteral("Name 2"), m_name2), 2, 0);
    grid->addWidget(m_name2, 2, 1, 1, 4);
    grid->addWidget(label(QStringLiteral("Straße"), m_street), 3, 0);
    grid->addWidget(m_street, 3, 1, 1, 4);
    grid->addWidget(label(QStringLiteral("PLZ"), m_postalCode), 4, 0);
    grid->addWidget(m_postalCode, 4, 1);
    grid->addWidget(label(QStringLiteral("ORT"), m_town), 4, 2);
    grid->addWidget(m_town, 4, 3, 1, 2);
    grid->addWidget(label(QStringLiteral("Land"), m_country), 5, 0);
    grid->addWidget(m_country, 5, 1, 1, 4);
    grid->setColumnStretch(3, 1);

    connect(m_attention, &QLineEdit::returnPressed, this,
            [this] { emit customerNumberEntered(m_attention->text()); });
    connect(m_country, &QComboBox::activated, this, &RecipientBlock::edited);
    connect(m_clear, &QToolButton::clicked, this, &RecipientBlock::clearRequested);
}

QLineEdit* RecipientBlock::AddLine(const QString& name)
{
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    connect(field, &QLineEdit::textEdited, this, &RecipientBlock::edited);
    return field;
}

void RecipientBlock::Show(const Recipient& recipient)
{
    setTitle(recipient.customerNumber != 0
                 ? QStringLiteral("Empfänger (KuNr: %1)").arg(recipient.customerNumber)
                 : QStringLiteral("Empfänger"));
    m_attention->setText(recipient.attention);
    m_name->setText(recipient.name);
    m_name2->setText(recipient.name2);
    m_street->setText(recipient.street);
    m_postalCode->setText(recipient.postalCode);
    m_town->setText(recipient.town);
    m_country->setCurrentIndex(CountryListIndex(recipient.country));
}

void RecipientBlock::ReadInto(Recipient& recipient) const
{
    recipient.attention = m_attention->text();
    recipient.name = m_name->text();
    recipient.name2 = m_name2->text();
    recipient.street = m_street->text();
    recipient.postalCode = m_postalCode->text();
    recipient.town = m_town->text();
    recipient.country = m_country->currentIndex() < 0 ? 0 : CountryCode(m_country->currentText());
}

void RecipientBlock::ResetCountries()
{
    m_country->clear();
    m_country->addItems(CountryList());
    m_country->setCurrentIndex(-1);
}

} // namespace fakvo
