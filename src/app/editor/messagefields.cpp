#include "app/editor/messagefields.h"

#include "app/model/money.h"
#include "config/valueforms.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>

namespace fakvo {
namespace {

constexpr int kLeastMessageWidth = 540;

} // namespace

QString ReceiptAmountFieldText(double amount)
{
    return amount == 0.0 ? QString() : FormatDecimal(amount, 2);
}

MessageFields::MessageFields(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("messageFields"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    auto line = [this](const char* name) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QString::fromLatin1(name));
        connect(field, &QLineEdit::textEdited, this, &MessageFields::edited);
        return field;
    };
    m_addressLabel = new QLabel(this);
    m_address = line("messageAddress");
    m_subjectLabel = new QLabel(QStringLiteral("Betreff"), this);
    m_subject = line("subject");
    m_amountLabel = new QLabel(QStringLiteral("Betrag"), this);
    m_amount = line("receiptAmount");
    m_amount->setAlignment(Qt::AlignRight);
    m_amount->setMaximumWidth(140);
    m_addressLabel->setBuddy(m_address);
    m_subjectLabel->setBuddy(m_subject);
    m_amountLabel->setBuddy(m_amount);
    m_message = new QTextEdit(this);
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setProperty("fakvoTip", QStringLiteral("Der Text bricht die Zeilen dort um, wo "
                                                      "sie auch im Ausdruck umbrechen."));
    m_message->setAcceptRichText(false);
    m_message->setTabChangesFocus(true);
    m_message->setMinimumWidth(kLeastMessageWidth);
    connect(m_message, &QTextEdit::textChanged, this, &MessageFields::edited);
    auto* messageLabel = new QLabel(QStringLiteral("Nachricht"), this);
    messageLabel->setBuddy(m_message);

    grid->addWidget(m_addressLabel, 0, 0);
    grid->addWidget(m_address, 0, 1);
    grid->addWidget(m_subjectLabel, 1, 0);
    grid->addWidget(m_subject, 1, 1);
    grid->addWidget(m_amountLabel, 2, 0);
    grid->addWidget(m_amount, 2, 1, Qt::AlignLeft);
    grid->addWidget(messageLabel, 3, 0, Qt::AlignTop);
    grid->addWidget(m_message, 3, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    SetLayout(EditorLayout::Letter);
}

void MessageFields::SetLayout(EditorLayout layout)
{
    m_layout = layout;
    const bool address = layout == EditorLayout::Sms || layout == EditorLayout::EMail;
    m_addressLabel->setText(layout == EditorLayout::Sms ? QStringLiteral("Handy Nr.")
                                                        : QStringLiteral("E-Mail Adresse"));
    m_addressLabel->setVisible(address);
    m_address->setVisible(address);
    const bool subject = layout == EditorLayout::EMail || layout == EditorLayout::Letter;
    m_subjectLabel->setVisible(subject);
    m_subject->setVisible(subject);
    const bool amount = layout == EditorLayout::Receipt;
    m_amountLabel->setVisible(amount);
    m_amount->setVisible(amount);
}

void MessageFields::Show(const Document& document)
{
    const QSignalBlocker blocker(this);
    const QSignalBlocker messageBlocker(m_message);
    m_address->setText(m_layout == EditorLayout::Sms ? document.recipient.mobile
                                                     : document.recipient.email);
    m_subject->setText(document.subject);
    m_amount->setText(ReceiptAmountFieldText(document.finalAmount));
    if (m_message->toPlainText() != document.message)
        m_message->setPlainText(document.message);
}

void MessageFields::ReadInto(Document& document) const
{
    switch (m_layout) {
    case EditorLayout::Sms:
        document.recipient.mobile = m_address->text();
        break;
    case EditorLayout::EMail:
        document.recipient.email = m_address->text();
        document.subject = m_subject->text();
        break;
    case EditorLayout::Letter:
        document.subject = m_subject->text();
        break;
    case EditorLayout::Receipt:
        document.finalAmount = ParseDecimal(m_amount->text().replace(u',', u'.').trimmed());
        break;
    default:
        return;
    }
    document.message = m_message->toPlainText();
}

void MessageFields::SetTextFont(const QFont& font)
{
    m_message->setFont(font);
}

void MessageFields::SetWrapWidth(int pixels)
{
    m_message->setLineWrapMode(QTextEdit::FixedPixelWidth);
    m_message->setLineWrapColumnOrWidth(std::max(10, pixels));
    m_message->setMinimumWidth(std::max(kLeastMessageWidth, pixels + 35));
}

} // namespace fakvo
