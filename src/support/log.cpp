#include "log.h"

#include <QList>

#include <cstdio>
#include <mutex>
#include <utility>

namespace fakvo {
namespace {

struct LogState
{
    std::mutex queueMutex;
    QList<std::pair<long long, QString>> queue;
    LogSink sink;
};

LogState& State()
{
    static LogState state;
    return state;
}

} // namespace

void Log(long long docNumber, const QString& text)
{
    auto& state = State();
    if (state.sink)
        state.sink(docNumber, text);
    else
        std::fprintf(stderr, "Faktavo-Log [%lld] %s\n", docNumber, text.toLocal8Bit().constData());
}

void QueueLog(long long docNumber, const QString& text)
{
    auto& state = State();
    std::lock_guard lock(state.queueMutex);
    if (state.queue.size() < kLogQueueLimit)
        state.queue.append({docNumber, text});
}

void FlushLogQueue()
{
    QList<std::pair<long long, QString>> pending;
    {
        auto& state = State();
        std::lock_guard lock(state.queueMutex);
        pending.swap(state.queue);
    }
    for (const auto& [docNumber, text] : pending)
        Log(docNumber, text);
}

LogSink SetLogSink(LogSink sink)
{
    std::swap(State().sink, sink);
    return sink;
}

} // namespace fakvo
