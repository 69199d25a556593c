#include "app/editor/totalsfields.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace fakvo {

TotalsFields::TotalsFields(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setVerticalSpacing(0);
    const std::array<const char*, 6> captions{"Zwischens.", "Rabatt", "Zwischens.",
                                              "MWSt",       "Skonto", "&Endbetrag"};
    const std::array<const char*, 6> names{"subtotal", "discount",     "secondSubtotal",
                                           "vatTotal", "cashDiscount", "amountDue"};
    for (int i = 0; i < 6; ++i) {
        auto* caption = new QLabel(QString::fromUtf8(captions[i]), this);
        m_fields[i] = new QLineEdit(this);
        m_fields[i]->setObjectName(QString::fromLatin1(names[i]));
        m_fields[i]->setReadOnly(true);
        m_fields[i]->setAlignment(Qt::AlignRight);
        m_fields[i]->setMinimumWidth(70);
        m_fields[i]->setProperty("fakvoTip",
                                 QStringLiteral("Wird aus den Produktzeilen und den Konditionen "
                                                "berechnet; ein Klick auf den Endbetrag rechnet "
                                                "neu."));
        caption->setBuddy(m_fields[i]);
        layout->addWidget(caption, 0, i);
        layout->addWidget(m_fields[i], 1, i);
    }
    QFont bold = m_fields[5]->font();
    bold.setBold(true);
    m_fields[5]->setFont(bold);
    m_fields[5]->installEventFilter(this);
}

void TotalsFields::Show(const std::array<QString, 6>& texts)
{
    for (int i = 0; i < 6; ++i)
        m_fields[i]->setText(texts[i]);
}

QString TotalsFields::Text(int index) const
{
    return index >= 0 && index < 6 ? m_fields[index]->text() : QString();
}

bool TotalsFields::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_fields[5] && event->type() == QEvent::MouseButtonPress)
        emit finalAmountClicked();
    return QWidget::eventFilter(watched, event);
}

} // namespace fakvo
