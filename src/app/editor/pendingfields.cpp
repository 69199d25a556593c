#include "app/editor/pendingfields.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace fakvo {

PendingFields::PendingFields(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pendingLine"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(0);
    grid->setHorizontalSpacing(2);
    int column = 0;
    auto add = [&](const char* caption, const char* name, int width) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QString::fromLatin1(name));
        field->setProperty("fakvoTip", QStringLiteral("Eingabezeile: das zuletzt gewählte oder "
                                                      "eingegebene Produkt, F5 fügt es an."));
        if (width > 0)
            field->setFixedWidth(width);
        auto* label = new QLabel(QString::fromUtf8(caption), this);
        label->setBuddy(field);
        field->setProperty("caption", QVariant::fromValue<QObject*>(label));
        grid->addWidget(label, 0, column);
        grid->addWidget(field, 1, column);
        ++column;
        return field;
    };
    m_quantity = add("Menge", "pendingQuantity", 60);
    m_number = add("Prod.Nr.", "pendingNumber", 75);
    m_text = add("Bezeichnung", "pendingText", 0);
    m_vat = add("MWSt", "pendingVat", 45);
    m_price = add("E.Preis", "pendingPrice", 70);
    m_tiers = add("Staffel", "pendingTiers", 90);
    grid->setColumnStretch(2, 1);
    auto* search = new QPushButton(QStringLiteral("(F3)"), this);
    search->setObjectName(QStringLiteral("productSearch"));
    search->setFocusPolicy(Qt::NoFocus);
    search->setProperty("fakvoTip", QStringLiteral("Sucht Produkte nach Produktnummer und "
                                                   "Bezeichnung der Eingabezeile (F3)."));
    auto* append = new QPushButton(QStringLiteral("(F5)"), this);
    append->setObjectName(QStringLiteral("appendPending"));
    append->setFocusPolicy(Qt::NoFocus);
    append->setProperty("fakvoTip", QStringLiteral("Fügt die Eingabezeile an die Produktliste an "
                                                   "(F5)."));
    grid->addWidget(search, 1, column++);
    grid->addWidget(append, 1, column);
    connect(append, &QPushButton::clicked, this, &PendingFields::appendRequested);
    connect(search, &QPushButton::clicked, this, &PendingFields::searchRequested);
    connect(m_price, &QLineEdit::returnPressed, this, &PendingFields::appendRequested);
}

void PendingFields::Show(const PendingLine& line)
{
    m_quantity->setText(line.quantity);
    m_number->setText(line.productNumber);
    m_text->setText(line.text);
    m_vat->setText(line.vatRate);
    m_price->setText(line.unitPrice);
    m_tiers->setText(line.tiers);
}

PendingLine PendingFields::Read() const
{
    return {m_quantity->text(), m_number->text(), m_text->text(),
            m_vat->text(),      m_price->text(),  m_tiers->text()};
}

void PendingFields::SetColumns(bool productNumbers, bool vatEditable)
{
    for (auto [field, shown] :
         {std::pair{m_number, productNumbers}, std::pair{m_vat, vatEditable}}) {
        field->setVisible(shown);
        if (auto* label = qobject_cast<QLabel*>(field->property("caption").value<QObject*>()))
            label->setVisible(shown);
    }
}

} // namespace fakvo
