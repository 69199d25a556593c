#include "prompt.h"

#include <cstdio>

namespace fakvo {
namespace {

PromptHandler& CurrentHandler()
{
    static PromptHandler handler;
    return handler;
}

} // namespace

int UnattendedFrageJaNein(const QString& text, PromptMode mode)
{
    std::fprintf(stderr, "Faktavo: %s\n", text.toLocal8Bit().constData());
    return mode == PromptMode::Question ? kAnswerNo : kAnswerOk;
}

std::optional<QString> UnattendedFrage(const QString& prompt, const QString& proposal)
{
    std::fprintf(stderr, "Faktavo: %s -> %s\n", prompt.toLocal8Bit().constData(),
                 proposal.toLocal8Bit().constData());
    return proposal;
}

int FrageJaNein(const QString& text, PromptMode mode)
{
    const auto& handler = CurrentHandler().frageJaNein;
    return handler ? handler(text, mode) : UnattendedFrageJaNein(text, mode);
}

std::optional<QString> Frage(const QString& prompt, const QString& proposal)
{
    const auto& handler = CurrentHandler().frage;
    return handler ? handler(prompt, proposal) : UnattendedFrage(prompt, proposal);
}

PromptHandler SetPromptHandler(PromptHandler handler)
{
    std::swap(CurrentHandler(), handler);
    return handler;
}

} // namespace fakvo
