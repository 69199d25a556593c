#include "messagedialogs.h"

#include "support/log.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace fakvo {
namespace {

QString ProductName()
{
    return QStringLiteral("Faktavo");
}

// Line breaks of any kind become CR LF, as the dialog's text field shows them.
QString NormalisedLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text.replace(u'\n', QStringLiteral("\r\n"));
}

} // namespace

CFrageJaNein::CFrageJaNein(const QString& text, PromptMode mode, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(ProductName());
    auto* layout = new QVBoxLayout(this);
    auto* field = new QPlainTextEdit(this);
    field->setObjectName(QStringLiteral("text"));
    field->setReadOnly(true);
    field->setPlainText(NormalisedLineBreaks(text));
    layout->addWidget(field);

    auto* buttons = new QDialogButtonBox(this);
    if (mode == PromptMode::Message) {
        QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
        ok->setObjectName(QStringLiteral("ok"));
        m_answer = kAnswerOk;
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    } else {
        QPushButton* yes = buttons->addButton(QStringLiteral("&Ja"), QDialogButtonBox::YesRole);
        QPushButton* no = buttons->addButton(QStringLiteral("&Nein"), QDialogButtonBox::NoRole);
        yes->setObjectName(QStringLiteral("yes"));
        no->setObjectName(QStringLiteral("no"));
        connect(yes, &QPushButton::clicked, this, [this] {
            m_answer = kAnswerYes;
            accept();
        });
        connect(no, &QPushButton::clicked, this, [this] {
            m_answer = kAnswerNo;
            reject();
        });
    }
    layout->addWidget(buttons);
    resize(420, 200);
}

int CFrageJaNein::Ask()
{
    exec();
    return m_answer;
}

CFrage::CFrage(const QString& prompt, const QString& proposal, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(ProductName());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(prompt, this));
    m_edit = new QLineEdit(proposal, this);
    m_edit->setObjectName(QStringLiteral("answer"));
    layout->addWidget(m_edit);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

std::optional<QString> CFrage::Ask()
{
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_edit->text();
}

void InstallDialogPrompts(std::function<bool()> beepOn)
{
    const bool unattended = QGuiApplication::platformName() == QStringLiteral("offscreen");
    PromptHandler handler;
    handler.frageJaNein = [unattended, beepOn](const QString& text, PromptMode mode) {
        if (unattended) {
            Log(0, text.left(80));
            return UnattendedFrageJaNein(text, mode);
        }
        if (beepOn && beepOn())
            QApplication::beep();
        return CFrageJaNein(text, mode, QApplication::activeWindow()).Ask();
    };
    handler.frage = [unattended](const QString& prompt, const QString& proposal) {
        if (unattended)
            return UnattendedFrage(prompt, proposal);
        return CFrage(prompt, proposal, QApplication::activeWindow()).Ask();
    };
    SetPromptHandler(std::move(handler));
}

} // namespace fakvo
