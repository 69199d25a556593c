#include "logviewer.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace fakvo {

CProtokoll::CProtokoll(const QString& text, std::function<void(const QString&)> print,
                       QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Protokoll"));
    auto* layout = new QVBoxLayout(this);
    auto* field = new QPlainTextEdit(this);
    field->setObjectName(QStringLiteral("log"));
    field->setReadOnly(true);
    field->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(14);
    font.setFixedPitch(true);
    field->setFont(font);
    field->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    layout->addWidget(field);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* printButton =
        buttons->addButton(QStringLiteral("Drucken"), QDialogButtonBox::ActionRole);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(printButton, &QPushButton::clicked, this, [print, text] { print(text); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(900, 600);
}

} // namespace fakvo
