#pragma once
// Helpers shared by the tests: captured messages, files written in Windows-1252.

#include "platform/codec.h"
#include "platform/prompt.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <deque>

namespace fakvo::test {

// Captures every message and answers questions from a script (default: No).
class ScriptedPrompts
{
public:
    ScriptedPrompts()
    {
        m_previous = SetPromptHandler({[this](const QString& text, PromptMode mode) {
                                           messages << text;
                                           if (mode == PromptMode::Message)
                                               return kAnswerOk;
                                           if (answers.empty())
                                               return kAnswerNo;
                                           const int answer = answers.front();
                                           answers.pop_front();
                                           return answer;
                                       },
                                       [this](const QString& prompt, const QString& proposal) {
                                           messages << prompt;
                                           return std::optional<QString>(proposal);
                                       }});
    }
    ~ScriptedPrompts() { SetPromptHandler(m_previous); }
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    QStringList messages;
    std::deque<int> answers;

private:
    PromptHandler m_previous;
};

// Writes (or replaces) a file; true when every byte was written.
inline bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace fakvo::test
