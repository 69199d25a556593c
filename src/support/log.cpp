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
    std::function<void()> queueNotifier;
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
    std::function<void()> notifier;
    {
        std::lock_guard lock(state.queueMutex);
        if (state.queue.size() >= kLogQueueLimit)
            return;
        state.queue.append({docNumber, text});
        notifier = state.queueNotifier;
    }
    if (notifier)
        notifier();
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

void SetLogQueueNotifier(std::function<void()> notifier)
{
    auto& state = State();
    std::lock_guard lock(state.queueMutex);
    state.queueNotifier = std::move(notifier);
}

LogSink SetLogSink(LogSink sink)
{
    std::swap(State().sink, sink);
    return sink;
}

} // namespace fakvo
