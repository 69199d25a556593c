#include "logtable.h"

#include "platform/prompt.h"

#include <QFile>
#include <QFileInfo>

namespace fakvo {
namespace {

enum Field
{
    Id,
    Client,
    Config,
    DocNr,
    Text,
    DateTime,
};

const QStringList kFieldNames = {QStringLiteral("ID"),     QStringLiteral("CLIENT"),
                                 QStringLiteral("CONFIG"), QStringLiteral("DOCNR"),
                                 QStringLiteral("TEXT"),   QStringLiteral("DATETIME")};

QList<DbaseField> LogFields()
{
    return {
        {kFieldNames.at(Id), DbaseType::Numeric, kLogIdLength, 0},
        {kFieldNames.at(Client), DbaseType::Character, kLogClientLength, 0},
        {kFieldNames.at(Config), DbaseType::Character, kLogConfigLength, 0},
        {kFieldNames.at(DocNr), DbaseType::Numeric, kLogDocNumberLength, 0},
        {kFieldNames.at(Text), DbaseType::Character, kLogTextLength, 0},
        {kFieldNames.at(DateTime), DbaseType::Character, kLogDateTimeLength, 0},
    };
}

QString WithoutTrailingBlanks(QString text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    text.truncate(end);
    return text;
}

} // namespace

QString LogTableName(const QString& stem)
{
    return SafeFileNamePart(stem) + u'd';
}

LogTable::LogTable(QString path, QString client, QString configName, NowFunction now)
    : path_(std::move(path)), client_(std::move(client)), configName_(std::move(configName)),
      now_(std::move(now))
{
}

TableStatus LogTable::Open()
{
    table_.Close();
    if (!QFile::exists(path_)) {
        TableStatus created = CreateLocalTable(path_, LogFields(), 0);
        if (!created.ok)
            return created;
    }
    return OpenLocalTable(table_, path_, kFieldNames, fields_);
}

void LogTable::AppendLogEntry(long long docNumber, const QString& text)
{
    // An entry logged while the failure is being shown (by the dialog, say) is lost with the
    // failed one instead of reporting again without end.
    if (reporting_)
        return;
    const int count = table_.RecordCount();
    if (count >= 0 && WriteEntry(count, docNumber, text))
        return;
    table_.Close();
    reporting_ = true;
    FrageJaNein(QStringLiteral("Fehler beim Schreiben von Log-Infos! Datei: %1")
                    .arg(QFileInfo(path_).fileName()),
                PromptMode::Message);
    reporting_ = false;
    Open();
}

bool LogTable::WriteEntry(int count, long long docNumber, const QString& text)
{
    const QDateTime now = Now(now_);
    const QDate date = now.date();
    const QTime time = now.time();
    const QString stamp =
        QString::asprintf("%02d.%02d.%04d %02d:%02d:%02d", date.day(), date.month(), date.year(),
                          time.hour(), time.minute(), time.second());
    return table_.AppendStart() && table_.AssignNumber(fields_.at(Id), count + 1LL) &&
           table_.AssignText(fields_.at(Config), configName_) &&
           table_.AssignText(fields_.at(Client), client_) &&
           table_.AssignNumber(fields_.at(DocNr), docNumber) &&
           table_.AssignText(fields_.at(Text), text) &&
           table_.AssignText(fields_.at(DateTime), stamp) && table_.Append() && table_.Flush() &&
           table_.RecordCount() >= 0;
}

int LogTable::RecordCount()
{
    return table_.RecordCount();
}

bool LogTable::TrimLog(int keep)
{
    const int count = table_.RecordCount();
    if (count < 0)
        return false;
    if (count > keep && !(table_.Zap(1, count - std::max(keep, 0)) && table_.Flush()))
        return false;
    return table_.RecordCount() >= 0;
}

std::optional<LogRecord> LogTable::ReadLogRecord(int n)
{
    if (!table_.Go(n))
        return std::nullopt;
    LogRecord record;
    record.id = table_.FieldNumber(fields_.at(Id));
    record.client = table_.FieldText(fields_.at(Client)).trimmed();
    record.config = table_.FieldText(fields_.at(Config)).trimmed();
    record.docNumber = table_.FieldNumber(fields_.at(DocNr));
    record.text = WithoutTrailingBlanks(table_.FieldText(fields_.at(Text)));
    record.dateTime = table_.FieldText(fields_.at(DateTime)).trimmed();
    return record;
}

void LogTable::CloseLogTable()
{
    table_.Close();
}

} // namespace fakvo
