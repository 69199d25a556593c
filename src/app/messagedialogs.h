#pragma once
// The application's message dialog (CFrageJaNein) and one-line question (CFrage), and their
// installation as the prompt handler for every layer below the window.

#include "platform/prompt.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace fakvo {

class CFrageJaNein : public QDialog
{
    Q_OBJECT
public:
    CFrageJaNein(const QString& text, PromptMode mode, QWidget* parent = nullptr);
    // Shows the dialog modally and returns kAnswerOk, kAnswerYes or kAnswerNo.
    int Ask();

private:
    int m_answer = kAnswerNo;
};

class CFrage : public QDialog
{
    Q_OBJECT
public:
    CFrage(const QString& prompt, const QString& proposal, QWidget* parent = nullptr);
    std::optional<QString> Ask();

private:
    QLineEdit* m_edit = nullptr;
};

// Installs the dialogs as prompt handler. Under the offscreen platform nothing waits for a
// person: messages are logged and written to standard error and questions get the unattended
// answers (OK, No, the proposed text), unless a test has installed its own handler.
// `beepOn` tells whether the configuration asks for the error sound.
void InstallDialogPrompts(std::function<bool()> beepOn);

} // namespace fakvo
