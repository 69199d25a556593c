#pragma once
// The application log's front door. `Log` records one event with the document number it
// concerns (0 for none); `QueueLog` may be called from any thread and is written later on
// the window thread by `FlushLogQueue`. Where the entries are kept is the installed sink's
// business; until one is installed (early start-up, command-line tools) entries go to
// standard error so nothing is silently lost.

#include <QString>

#include <functional>

namespace fakvo {

using LogSink = std::function<void(long long docNumber, const QString& text)>;

void Log(long long docNumber, const QString& text);
void QueueLog(long long docNumber, const QString& text);
void FlushLogQueue();

// Installs the sink that keeps the entries and returns the previous one.
LogSink SetLogSink(LogSink sink);

// Installs what `QueueLog` calls after queuing an entry, on the queuing thread, so the window
// can be asked to run `FlushLogQueue` (the application posts itself a queued call). Install
// it before other threads log.
void SetLogQueueNotifier(std::function<void()> notifier);

// The most entries the queue holds; further ones are dropped.
inline constexpr int kLogQueueLimit = 1000;

} // namespace fakvo
