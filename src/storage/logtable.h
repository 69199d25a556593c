#pragma once
// The application log table of a workstation ("<file stem>d"): one record per entry with
// ID (numeric 10), CLIENT (10), CONFIG (25), DOCNR (numeric 10), TEXT (80) and DATETIME (19).
// It is opened at start and stays open until the application ends.

#include "localtable.h"
#include "support/logfiles.h"

#include <QList>
#include <QString>

#include <optional>

namespace fakvo {

// "<stem>d".
QString LogTableName(const QString& stem);

class LogTable final : public LogStore
{
public:
    // `path`: the table file in the data folder; `client`: the workstation's file stem;
    // `configName`: the current configuration file name; `now` stamps DATETIME.
    LogTable(QString path, QString client, QString configName, NowFunction now = {});

    const QString& Path() const { return path_; }
    // The configuration file name written from now on (after a profile switch).
    void SetConfigName(const QString& configName) { configName_ = configName; }

    // Creates the table when its file is missing, then opens it. Fails with "Datei '%s'
    // konnte nicht erstellt werden!" or "Datei '%s' konnte nicht geöffnet werden!".
    TableStatus Open();
    bool IsOpen() const { return table_.IsOpen(); }

    // Appends an entry with ID = record count + 1 and the current time. When the table is
    // broken the user is told "Fehler beim Schreiben von Log-Infos! Datei: %s", the table is
    // created again if its file is missing and reopened; the entry is lost.
    void AppendLogEntry(long long docNumber, const QString& text) override;
    int RecordCount() override;
    // Removes records 1 to count - keep, so the newest `keep` remain.
    bool TrimLog(int keep) override;
    std::optional<LogRecord> ReadLogRecord(int n) override;
    void CloseLogTable() override;

private:
    bool WriteEntry(int count, long long docNumber, const QString& text);

    DbaseTable table_;
    QList<int> fields_; // indices of ID, CLIENT, CONFIG, DOCNR, TEXT, DATETIME
    QString path_;
    QString client_;
    QString configName_;
    NowFunction now_;
    bool reporting_ = false;
};

} // namespace fakvo
