#pragma once
// The seam through which every message and question reaches the user. Code below the
// window layer calls FrageJaNein/Frage; the application installs the real dialogs, tests
// install scripted answers. Without an installed handler (automatic jobs, tools) messages go
// to standard error and questions get the unattended answers: OK, No, the proposed text.

#include <QString>

#include <functional>
#include <optional>

namespace fakvo {

enum class PromptMode
{
    Message,
    Question
};

// The answer codes of the message dialog: OK in message mode, Yes or No in question mode.
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

// Shows `text`; in question mode returns kAnswerYes or kAnswerNo, else kAnswerOk.
int FrageJaNein(const QString& text, PromptMode mode = PromptMode::Message);

// Asks for one line of text, proposing `proposal`; no value when the user cancelled.
std::optional<QString> Frage(const QString& prompt, const QString& proposal);

struct PromptHandler
{
    std::function<int(const QString& text, PromptMode mode)> frageJaNein;
    std::function<std::optional<QString>(const QString& prompt, const QString& proposal)> frage;
};

// Installs a handler and returns the one it replaces.
PromptHandler SetPromptHandler(PromptHandler handler);

// The unattended answers, as used when no handler is installed.
int UnattendedFrageJaNein(const QString& text, PromptMode mode);
std::optional<QString> UnattendedFrage(const QString& prompt, const QString& proposal);

} // namespace fakvo
