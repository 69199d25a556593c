#include "app/editor/typebar.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

namespace fakvo {
namespace {

struct ButtonLook
{
    DocumentType type;
    const char16_t* label;
    const char16_t* tip;
};

constexpr ButtonLook kButtons[] = {
    {DocumentType::Invoice, u"R",
     u"Rechnung (ALT-R); mit STRG: alle Rechnungen anzeigen, mit "
     u"Shift: alle Rechnungen nach Bezahltdatum"},
    {DocumentType::ProformaInvoice, u"P", u"Proforma-Rechnung"},
    {DocumentType::Offer, u"A", u"Angebot (ALT-A)"},
    {DocumentType::OrderConfirmation, u"U", u"Auftragsbestätigung (ALT-U)"},
    {DocumentType::DeliveryNote, u"L", u"Lieferschein (ALT-L)"},
    {DocumentType::CostEstimate, u"K", u"Kostenvoranschlag (ALT-K)"},
    {DocumentType::Receipt, u"Q", u"Quittung (ALT-Q); rechte Maustaste: Vorlage öffnen"},
    {DocumentType::Letter, u"B", u"Brief (ALT-B)"},
    {DocumentType::EMail, u"@", u"E-Mail (ALT-E); Doppelklick: E-Mail über den Mail-Client"},
    {DocumentType::Sms, u"S", u"SMS (ALT-S)"},
    {DocumentType::Reminder1, u"M1", u"1. Mahnung (ALT-1)"},
    {DocumentType::Reminder2, u"M2", u"2. Mahnung (ALT-2); Doppelklick: 3. Mahnung"},
    {DocumentType::ManualReminder, u"M!", u"Mahnung (manuell) (ALT-4)"},
};

// The button's picture: its letters in the caption colours of the type.
QIcon TypeIcon(DocumentType type, const QString& label)
{
    const DocumentTypeTraits& traits = TypeTraits(type);
    QPixmap pixmap(30, 22);
    pixmap.fill(QColor(traits.captionBackground.red, traits.captionBackground.green,
                       traits.captionBackground.blue));
    QPainter painter(&pixmap);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(
        QColor(traits.captionText.red, traits.captionText.green, traits.captionText.blue));
    painter.drawText(pixmap.rect(), Qt::AlignCenter, label);
    return QIcon(pixmap);
}

// A type button that tells its click apart by the keys held and reports right and double
// clicks.
class TypeButton : public QToolButton
{
public:
    TypeButton(DocumentType type, TypeBar* bar) : QToolButton(bar), m_type(type), m_bar(bar) {}

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        // Only the release that completes a click counts (not the one after a double click).
        const bool click =
            isDown() && event->button() == Qt::LeftButton && rect().contains(event->pos());
        const Qt::KeyboardModifiers keys = event->modifiers();
        QToolButton::mouseReleaseEvent(event);
        if (!click)
            return;
        if (keys & Qt::ControlModifier)
            emit m_bar->typeListRequested(m_type);
        else if ((keys & Qt::ShiftModifier) && m_type == DocumentType::Invoice)
            emit m_bar->invoicesByPaymentRequested();
        else
            emit m_bar->typeChosen(m_type);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            emit m_bar->typeDoubleClicked(m_type);
    }
    void contextMenuEvent(QContextMenuEvent* event) override
    {
        event->accept();
        emit m_bar->templateRequested(m_type);
    }

private:
    DocumentType m_type;
    TypeBar* m_bar;
};

} // namespace

TypeBar::TypeBar(QWidget* parent) : QGroupBox(QStringLiteral("Wähle Dokumenttype"), parent)
{
    setObjectName(QStringLiteral("typeBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    for (const ButtonLook& look : kButtons) {
        auto* button = new TypeButton(look.type, this);
        button->setObjectName(QStringLiteral("typeButton%1").arg(static_cast<int>(look.type)));
        button->setIcon(TypeIcon(look.type, QString::fromUtf16(look.label)));
        button->setIconSize(QSize(30, 22));
        button->setAutoRaise(false);
        button->setFocusPolicy(Qt::NoFocus);
        button->setProperty("fakvoTip", QString::fromUtf16(look.tip));
        layout->addWidget(button);
        m_buttons << button;
    }
    layout->addSpacing(8);
    m_tips = new QCheckBox(QStringLiteral("Tipps"), this);
    m_tips->setObjectName(QStringLiteral("tips"));
    m_tips->setFocusPolicy(Qt::NoFocus);
    m_tips->setProperty("fakvoTip", QStringLiteral("Zeigt zu jedem Bedienelement einen Hinweis, "
                                                   "wenn die Maus darüber steht."));
    layout->addWidget(m_tips);
    layout->addStretch(1);
}

QList<DocumentType> TypeBar::ButtonTypes()
{
    QList<DocumentType> types;
    for (const ButtonLook& look : kButtons)
        types << look.type;
    return types;
}

QToolButton* TypeBar::Button(DocumentType type) const
{
    const qsizetype index = ButtonTypes().indexOf(type);
    return index < 0 ? nullptr : m_buttons[index];
}

} // namespace fakvo
