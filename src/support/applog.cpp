#include "logfiles.h"

#include "log.h"
#include "platform/codec.h"

namespace fakvo {

void InstallAppLog(LogStore& store)
{
    SetLogSink([&store](long long docNumber, const QString& text) {
        store.AppendLogEntry(docNumber, text);
    });
}

void CloseAppLog(LogStore& store)
{
    FlushLogQueue();
    SetLogSink({});
    store.CloseLogTable();
}

void TrimAppLog(LogStore& store, int logMax)
{
    if (logMax >= 0 && store.RecordCount() > logMax)
        store.TrimLog(logMax);
}

QString StoredLogConfigName(const QString& configName)
{
    return FromCp1252(ToCp1252(configName).left(kLogConfigLength)).trimmed();
}

QList<LogRecord> ReadLogForViewer(LogStore& store)
{
    FlushLogQueue();
    QList<LogRecord> records;
    const int count = store.RecordCount();
    for (int n = count; n >= 1 && n > count - kLogViewerLimit; --n) {
        std::optional<LogRecord> record = store.ReadLogRecord(n);
        if (!record)
            break;
        records.append(std::move(*record));
    }
    return records;
}

QString LogViewerText(const QList<LogRecord>& newestFirst, const QString& baseName,
                      const QString& configName)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString dashes(111, u'-');
    QString text = dashes + crlf + QStringLiteral("DATUM      UHRZEIT  DOC-NUMMER LOG-TEXT ") +
                   QStringLiteral("CLIENT=") + baseName + crlf + dashes + crlf;
    const QString config = StoredLogConfigName(configName);
    for (qsizetype i = 0; i < newestFirst.size() && i < kLogViewerLimit; ++i) {
        const LogRecord& record = newestFirst.at(i);
        if (record.config != config)
            continue;
        text += record.dateTime + u' ' +
                QString::number(record.docNumber).rightJustified(kLogDocNumberLength) + u' ' +
                record.text + crlf;
    }
    return text;
}

} // namespace fakvo
