#include "logfiles.h"

#include "log.h"
#include "platform/codec.h"
#include "platform/files.h"
#include "platform/prompt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace fakvo {
namespace {

constexpr qint64 kSqlLogShortenSize = 20000;
constexpr int kSqlLogKeepLines = 1000;

LogFileSettings& Settings()
{
    static LogFileSettings settings;
    return settings;
}

QString DataFilePath(const QString& name)
{
    const QString& folder = Settings().dataFolder;
    return folder.isEmpty() ? name : QDir(folder).filePath(name);
}

// A text-file error: logged with the last document number and shown to the user.
void ReportFileError(const QString& format, const QString& path)
{
    const QString message = format.arg(QFileInfo(path).fileName());
    const auto& lastNumber = Settings().lastDocumentNumber;
    Log(lastNumber ? lastNumber() : 0, message);
    FrageJaNein(message, PromptMode::Message);
}

QString SqlLogDateTime(const QDateTime& time)
{
    if (Settings().dateTimeText)
        return Settings().dateTimeText(time);
    const QDate date = time.date();
    return QString::asprintf("%d. %d. %04d %02d:%02d", date.day(), date.month(), date.year(),
                             time.time().hour(), time.time().minute());
}

} // namespace

QDateTime Now(const NowFunction& now)
{
    return now ? now() : QDateTime::currentDateTime();
}

void SetLogFileSettings(LogFileSettings settings)
{
    Settings() = std::move(settings);
}

QString SafeFileNamePart(const QString& part)
{
    QString safe = part;
    for (QChar& c : safe) {
        if (c == u'/' || c == u'\\' || c == QChar(u'\0'))
            c = u'_';
    }
    return safe;
}

QString SqlLogFileName(const QString& computerName)
{
    return QStringLiteral("FVSQLLOG") + SafeFileNamePart(computerName) + QStringLiteral(".TXT");
}

QString SqlLogPath()
{
    return DataFilePath(SqlLogFileName(Settings().computerName));
}

bool AppendToTextFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        ReportFileError(QStringLiteral("Fehler:Datei '%1' kann nicht geöffnet werden!"), path);
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        ReportFileError(QStringLiteral("Fehler:Auf Datei '%1' kann nicht geschrieben werden!"),
                        path);
        return false;
    }
    return true;
}

void SqlLog(const QString& statement, int mode, bool emptyLine)
{
    if (!Settings().sqlLog)
        return;
    QByteArray entry;
    if (mode >= 2) {
        entry = "#---RET:" + QByteArray::number(mode - 2) + "\r\n\r\n";
    } else {
        const QDateTime now = Now(Settings().now);
        entry = "#---" + ToCp1252(SqlLogDateTime(now)) + ':' +
                QByteArray::number(now.time().second()).rightJustified(2, '0') + "\r\n" +
                ToCp1252(statement) + "\r\n";
        if (mode != 1 && emptyLine)
            entry += "\r\n";
    }
    AppendToTextFile(SqlLogPath(), entry);
}

void WriteSqlLogStartLine()
{
    SqlLog(QStringLiteral("#---Faktavo Programmstart---"), 0, true);
}

bool ShortenSqlLog()
{
    if (!Settings().sqlLog)
        return true;
    const QString path = SqlLogPath();
    if (QFileInfo(path).size() <= kSqlLogShortenSize)
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the file's final line break ends a line, it does not start one
    if (lines.size() <= kSqlLogKeepLines)
        return true;
    QByteArray kept;
    for (qsizetype i = lines.size() - kSqlLogKeepLines; i < lines.size(); ++i) {
        QByteArray line = lines.at(i);
        if (line.endsWith('\r'))
            line.chop(1);
        kept += line + "\r\n";
    }
    if (!WriteFileAtomically(path, kept)) {
        ReportFileError(QStringLiteral("Fehler:Auf Datei '%1' kann nicht geschrieben werden!"),
                        path);
        return false;
    }
    return true;
}

bool AppendTextLog(const QString& text)
{
    QFile file(DataFilePath(QStringLiteral("Fakvo.log")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        FrageJaNein(QStringLiteral("Log-Datei konnte nicht geöffnet werden!"), PromptMode::Message);
        return false;
    }
    const QByteArray line = ToCp1252(text) + '\n';
    if (file.write(line) != line.size() || !file.flush()) {
        FrageJaNein(QStringLiteral("Fehler beim Schreiben auf die Log-Datei!"),
                    PromptMode::Message);
        return false;
    }
    return true;
}

} // namespace fakvo
