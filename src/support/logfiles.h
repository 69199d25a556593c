#pragma once
// The log files of a workstation, next to the `Log` front door of log.h:
// - the application log, one entry per event, kept in a table behind `LogStore` (the dBASE
//   log table of the storage folder) and shown in the viewer "Protokoll";
// - the SQL log "FVSQLLOG<computer>.TXT", every SQL statement when FAKVOSQLLOGFILE is on;
// - the text log "Fakvo.log", the names of newly created work tables.
// The application hands in the configuration through `SetLogFileSettings` and installs the
// log table with `InstallAppLog`. Everything here runs on the window thread, except
// `QueueLog` of log.h.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace fakvo {

// "Now" for the time stamps; tests fix it.
using NowFunction = std::function<QDateTime()>;
QDateTime Now(const NowFunction& now);

// Widths of an application log entry's fields as the log table keeps them.
inline constexpr int kLogIdLength = 10;
inline constexpr int kLogClientLength = 10;
inline constexpr int kLogConfigLength = 25;
inline constexpr int kLogDocNumberLength = 10;
inline constexpr int kLogTextLength = 80;
inline constexpr int kLogDateTimeLength = 19;

// The most entries the viewer reads, from the newest backwards.
inline constexpr int kLogViewerLimit = 1000;

struct LogRecord
{
    long long id = 0;
    QString client; // the workstation's file stem, cut to 10
    QString config; // the configuration file name in force when the entry was written
    long long docNumber = 0;
    QString text;     // cut at 80
    QString dateTime; // "dd.mm.yyyy hh:mm:ss"
};

// The table that keeps the application log.
class LogStore
{
public:
    virtual ~LogStore() = default;
    // Appends one entry; a failure is reported to the user by the store and the entry is lost.
    virtual void AppendLogEntry(long long docNumber, const QString& text) = 0;
    // Number of entries, negative when the table is broken.
    virtual int RecordCount() = 0;
    // Removes the oldest entries so that the newest `keep` remain.
    virtual bool TrimLog(int keep) = 0;
    // Entry n (1-based), none when it cannot be read.
    virtual std::optional<LogRecord> ReadLogRecord(int n) = 0;
    virtual void CloseLogTable() = 0;
};

// Makes `store` the sink of `Log` (it must stay alive until CloseAppLog).
void InstallAppLog(LogStore& store);
// Writes the queued entries, takes the sink away again and closes the table.
void CloseAppLog(LogStore& store);
// At start: when the table holds more than `logMax` (LOGMAX) entries, keeps the newest logMax.
void TrimAppLog(LogStore& store, int logMax);

// The configuration file name as the log table keeps it, to compare with stored entries.
QString StoredLogConfigName(const QString& configName);

// The viewer's records: writes the queued entries first, then reads up to kLogViewerLimit
// entries from the last one backwards, stopping at the first that cannot be read.
QList<LogRecord> ReadLogForViewer(LogStore& store);

// The text of the viewer "Protokoll": a line of 111 dashes, the column header with
// "CLIENT=" and the base name, another line of dashes, then one line per record of
// `newestFirst` written under `configName` ("DATUM UHRZEIT", document number in ten places,
// text); other configuration files' entries are left out. Lines end with CR LF.
QString LogViewerText(const QList<LogRecord>& newestFirst, const QString& baseName,
                      const QString& configName);

struct LogFileSettings
{
    QString dataFolder;   // where the SQL log and "Fakvo.log" lie; the current directory if empty
    QString computerName; // network mode only: it names the SQL log
    bool sqlLog = false;  // FAKVOSQLLOGFILE
    // The date and time of an SQL log header without seconds, "%d. %s %04d %02d:%02d" or with
    // DATUMFORMAT "%d. %d. %04d %02d:%02d"; the numeric form when not set.
    std::function<QString(const QDateTime&)> dateTimeText;
    // The last document number assigned, for the log entry of a text-file error.
    std::function<long long()> lastDocumentNumber;
    NowFunction now;
};
void SetLogFileSettings(LogFileSettings settings);

// A name part taken from outside (host name, file stem) made safe to put into a file name:
// path separators become '_', so the file stays in its folder.
QString SafeFileNamePart(const QString& part);

// "FVSQLLOG" + computer name + ".TXT", and its path in the data folder.
QString SqlLogFileName(const QString& computerName);
QString SqlLogPath();

// Logs a statement: mode 0 before running it (with `emptyLine` one more CR LF), 1 after it
// failed; mode 2 and above write the result line "#---RET:" with mode - 2. Nothing is
// written while the SQL log is off.
void SqlLog(const QString& statement, int mode, bool emptyLine = false);
// The start line "#---Faktavo Programmstart---" as a statement with the empty line.
void WriteSqlLogStartLine();
// At start, with the SQL log on and its file over 20000 bytes and 1000 lines: keeps the last
// 1000 lines. Returns false when the shortened file could not be written (the old one stays).
bool ShortenSqlLog();

// Appends bytes to a file (SQL log and other appended files). A failure is logged with the
// last document number and shown; returns false then.
bool AppendToTextFile(const QString& path, const QByteArray& bytes);

// One line (Windows-1252, ended by "\n") to "Fakvo.log" in the data folder.
bool AppendTextLog(const QString& text);

} // namespace fakvo
