#include "storage/logtable.h"
#include "storage/worksettings.h"

#include "../platform/python_dbf.h"
#include "platform/prompt.h"
#include "support/logfiles.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

#include "common/testsupport.h"

#include <gtest/gtest.h>

using namespace fakvo;
using fakvo::test::ReadBytes;
using fakvo::test::WriteBytes;
using fakvo::test::ReadWithDbfread;
using fakvo::test::RunPython;

namespace {

// A data folder for the logs and the messages the user would have seen.
class WorkTables : public testing::Test
{
protected:
    void SetUp() override
    {
        LogFileSettings settings;
        settings.dataFolder = dir.path();
        SetLogFileSettings(settings);
        previousPrompt = SetPromptHandler({[this](const QString& text, PromptMode) {
                                               messages.append(text);
                                               return kAnswerOk;
                                           },
                                           {}});
    }
    void TearDown() override
    {
        SetPromptHandler(previousPrompt);
        SetLogFileSettings({});
    }
    QString FilePath(const QString& name) const { return QDir(dir.path()).filePath(name); }

    QTemporaryDir dir;
    QStringList messages;
    PromptHandler previousPrompt;
};

// A clock that starts at 05.01.2010 14:30:07 and moves one second per call.
NowFunction TickingClock()
{
    auto next = std::make_shared<QDateTime>(QDate(2010, 1, 5), QTime(14, 30, 7));
    return [next] {
        const QDateTime now = *next;
        *next = next->addSecs(1);
        return now;
    };
}

} // namespace

TEST(WorkTableNames, StemAndProfileOrLogLetter)
{
    EXPECT_EQ(SettingsTableName(QStringLiteral("ABC.xx"), 3), QStringLiteral("ABC.xx3"));
    EXPECT_EQ(SettingsTableName(QStringLiteral("0a1b2c3d.4e"), 1), QStringLiteral("0a1b2c3d.4e1"));
    EXPECT_EQ(LogTableName(QStringLiteral("ABC.xx")), QStringLiteral("ABC.xxd"));
    // A stem from outside never leads out of the data folder.
    EXPECT_EQ(LogTableName(QStringLiteral("../x\\y")), QStringLiteral(".._x_yd"));
    EXPECT_EQ(SettingsTableName(QStringLiteral("/etc/"), 2), QStringLiteral("_etc_2"));
}

TEST_F(WorkTables, NewProfileTableHas200BlankRecordsAndReadsBackDefaults)
{
    const QString path = FilePath(SettingsTableName(QStringLiteral("ABC.xx"), 3));
    WorkSettings settings(path, 2);
    const TableStatus status = settings.Load();
    ASSERT_TRUE(status.ok) << status.message.toStdString();
    EXPECT_TRUE(messages.isEmpty());

    const QJsonObject dbf = ReadWithDbfread(path);
    EXPECT_EQ(dbf[u"version"].toInt(), 3);
    EXPECT_EQ(dbf[u"count"].toInt(), 200);
    EXPECT_EQ(dbf[u"fields"].toArray(), QJsonDocument::fromJson(R"([["WERT","C",80,0]])").array());
    const QJsonArray records = dbf[u"records"].toArray();
    ASSERT_EQ(records.size(), 200);
    for (const auto& record : records)
        ASSERT_EQ(record.toObject()[u"WERT"].toString(), QString());
    EXPECT_EQ(ReadBytes(FilePath(QStringLiteral("Fakvo.log"))), QByteArray("ABC.xx3\n"));

    struct Expected
    {
        int n;
        QString text;
        long long number;
    };
    const Expected expected[] = {
        {WorkSetting::SearchColumn, QStringLiteral("SUCHBEGRIFF"), 0},
        {WorkSetting::Discount, QString(), 0},
        {WorkSetting::Printer1, QString(), 0},
        {WorkSetting::PeriodFrom, QStringLiteral("20000101"), 20000101},
        {WorkSetting::PeriodTo, QStringLiteral("20400101"), 20400101},
        {WorkSetting::PrintSet, QStringLiteral("AUTODRUCK:1"), 0},
        {WorkSetting::HelpTips, QStringLiteral("1"), 1},
        {WorkSetting::ProductLines, QStringLiteral("2"), 2},
        {WorkSetting::ProductWindowHidden, QString(), 0},
        {0, QString(), 0},
        {24, QString(), 0},
    };
    for (const Expected& e : expected) {
        EXPECT_EQ(settings.Text(e.n), e.text) << e.n;
        EXPECT_EQ(settings.ReadSetting(e.n), e.number) << e.n;
    }

    // A second load finds the table and notes nothing more.
    WorkSettings again(path, 2);
    ASSERT_TRUE(again.Load().ok);
    EXPECT_EQ(ReadBytes(FilePath(QStringLiteral("Fakvo.log"))), QByteArray("ABC.xx3\n"));
}

TEST_F(WorkTables, WrittenSettingsReadBackAfterReloadAndInOtherReaders)
{
    const QString path = FilePath(QStringLiteral("ABC.xx1"));
    WorkSettings settings(path, 3);
    ASSERT_TRUE(settings.Load().ok);

    const QString hundred = QStringLiteral("Drucker für Rechnungen ") + QString(77, u'x');
    ASSERT_EQ(hundred.size(), 100);
    struct Write
    {
        int n;
        QString text;
        QString readBack;
    };
    const Write writes[] = {
        {WorkSetting::SearchColumn, QStringLiteral("NAME1"), QStringLiteral("NAME1")},
        {WorkSetting::Discount, QStringLiteral("  2.5 "), QStringLiteral("2.5")},
        {WorkSetting::Printer1, hundred, hundred.left(80)},
        {WorkSetting::PeriodFrom, QStringLiteral("0"), QStringLiteral("20000101")},
        {WorkSetting::PrintSet, QStringLiteral("   "), QStringLiteral("AUTODRUCK:1")},
        {WorkSetting::HelpTips, QStringLiteral("0"), QStringLiteral("0")},
        {WorkSetting::ProductLines, QStringLiteral("0"), QStringLiteral("3")},
        {WorkSetting::ProductWindowHidden, QStringLiteral("1"), QStringLiteral("1")},
    };
    for (const Write& w : writes) {
        const TableStatus status = settings.WriteSetting(w.n, w.text);
        ASSERT_TRUE(status.ok) << w.n << status.message.toStdString();
        EXPECT_EQ(settings.Text(w.n), w.readBack) << w.n;
    }
    ASSERT_TRUE(settings.WriteSettingNumber(WorkSetting::PeriodTo, 20241231).ok);
    ASSERT_TRUE(settings.WriteSettingNumber(WorkSetting::ShippingMethod, -1).ok);
    ASSERT_TRUE(settings.WriteSetting(150, QStringLiteral("unbenutzt")).ok);

    WorkSettings reloaded(path, 3);
    ASSERT_TRUE(reloaded.Load().ok);
    for (const Write& w : writes)
        EXPECT_EQ(reloaded.Text(w.n), w.readBack) << w.n;
    EXPECT_EQ(reloaded.ReadSetting(WorkSetting::PeriodTo), 20241231);
    EXPECT_EQ(reloaded.ReadSetting(WorkSetting::ShippingMethod), -1);
    EXPECT_EQ(reloaded.ReadSetting(WorkSetting::Discount), 2);

    const QJsonArray records = ReadWithDbfread(path)[u"records"].toArray();
    ASSERT_EQ(records.size(), 200);
    auto wert = [&](int n) { return records.at(n - 1).toObject()[u"WERT"].toString(); };
    EXPECT_EQ(wert(WorkSetting::Printer1), hundred.left(80));
    EXPECT_EQ(wert(WorkSetting::Discount), QStringLiteral("  2.5"));
    EXPECT_EQ(wert(WorkSetting::PeriodTo), QStringLiteral("20241231"));
    EXPECT_EQ(wert(150), QStringLiteral("unbenutzt"));
    EXPECT_EQ(wert(151), QString());
}

TEST_F(WorkTables, ShortTableFromAnotherToolIsFilledUpWhenWritten)
{
    const QString path = FilePath(QStringLiteral("ABC.xx2"));
    // Five records, the first with a search column, written by another tool.
    RunPython(QStringLiteral(R"(
import struct, sys
rows = ['KUNDENNR', '', '', '', '']
out = bytearray(struct.pack('<BBBBLHH20x', 3, 124, 5, 1, len(rows), 65, 81))
out += struct.pack('<11scLBB14x', b'WERT', b'C', 0, 80, 0) + b'\r'
for r in rows:
    out += b' ' + r.encode('cp1252').ljust(80)
out += b'\x1a'
open(sys.argv[1], 'wb').write(out)
)"),
              {path});
    WorkSettings settings(path, 3);
    ASSERT_TRUE(settings.Load().ok);
    EXPECT_EQ(settings.Text(WorkSetting::SearchColumn), QStringLiteral("KUNDENNR"));
    EXPECT_EQ(settings.Text(WorkSetting::PeriodTo), QStringLiteral("20400101"));
    EXPECT_TRUE(ReadBytes(FilePath(QStringLiteral("Fakvo.log"))).isEmpty());

    ASSERT_TRUE(settings.WriteSettingNumber(WorkSetting::ProductWindowHidden, 1).ok);
    const QJsonObject dbf = ReadWithDbfread(path);
    EXPECT_EQ(dbf[u"count"].toInt(), 23);
    EXPECT_EQ(dbf[u"records"].toArray().at(22).toObject()[u"WERT"].toString(), QStringLiteral("1"));
    EXPECT_EQ(dbf[u"records"].toArray().at(0).toObject()[u"WERT"].toString(),
              QStringLiteral("KUNDENNR"));
}

TEST_F(WorkTables, BrokenOrUnmakeableSettingsTablesReportTheirMessages)
{
    // A damaged table: refused, and left as it is for the user to rescue.
    const QString broken = FilePath(QStringLiteral("ABC.xx4"));
    {
        WorkSettings settings(broken, 3);
        ASSERT_TRUE(settings.Load().ok);
    }
    ASSERT_TRUE(QFile::resize(broken, 500));
    const QByteArray damaged = ReadBytes(broken);
    WorkSettings settings(broken, 3);
    TableStatus status = settings.Load();
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.message, QStringLiteral("Datei 'ABC.xx4' konnte nicht geöffnet werden!"));
    EXPECT_EQ(settings.Text(WorkSetting::SearchColumn), QStringLiteral("SUCHBEGRIFF"));
    status = settings.WriteSetting(WorkSetting::Discount, QStringLiteral("3"));
    EXPECT_EQ(status.message, QStringLiteral("Datei 'ABC.xx4' konnte nicht geöffnet werden!"));
    EXPECT_EQ(ReadBytes(broken), damaged);

    // A table without the field WERT.
    const QString foreign = FilePath(QStringLiteral("ABC.xx5"));
    ASSERT_TRUE(
        CreateLocalTable(foreign, {{QStringLiteral("ANDERS"), DbaseType::Character, 80, 0}}, 3).ok);
    status = WorkSettings(foreign, 3).Load();
    EXPECT_EQ(status.message, QStringLiteral("Datei 'ABC.xx5' konnte nicht geöffnet werden!"));

    // A data folder that cannot take the file.
    status = WorkSettings(FilePath(QStringLiteral("fehlt/ABC.xx1")), 3).Load();
    EXPECT_EQ(status.message, QStringLiteral("Datei 'ABC.xx1' konnte nicht erstellt werden!"));

    // A record number outside the table.
    WorkSettings good(FilePath(QStringLiteral("ABC.xx1")), 3);
    ASSERT_TRUE(good.Load().ok);
    for (int n : {0, -1, 201}) {
        status = good.WriteSetting(n, QStringLiteral("x"));
        EXPECT_EQ(status.message,
                  QStringLiteral("Fehler:Auf Datei 'ABC.xx1' kann nicht geschrieben werden!"));
    }
    EXPECT_TRUE(messages.isEmpty()) << "the caller shows these messages";
}

TEST_F(WorkTables, LogEntriesCarryTheirSixFields)
{
    const QString path = FilePath(LogTableName(QStringLiteral("0a1b2c3d.4e")));
    LogTable log(path, QStringLiteral("0a1b2c3d.4e"), QStringLiteral("Fakvo.cfg"), TickingClock());
    ASSERT_TRUE(log.Open().ok);
    EXPECT_EQ(log.RecordCount(), 0);
    log.AppendLogEntry(0, QStringLiteral("Programm wurde gestartet"));
    const QString long120 =
        QStringLiteral("Rechnung an 'Müller' wurde gespeichert ") + QString(81, u'.');
    ASSERT_EQ(long120.size(), 120);
    log.AppendLogEntry(202400017, long120);
    log.SetConfigName(QStringLiteral("Firma mit sehr langem Namen.cfg"));
    log.AppendLogEntry(-5, QStringLiteral("  eingerückt"));
    EXPECT_EQ(log.RecordCount(), 3);
    EXPECT_TRUE(messages.isEmpty());

    const QJsonObject dbf = ReadWithDbfread(path);
    EXPECT_EQ(
        dbf[u"fields"].toArray(),
        QJsonDocument::fromJson(R"([["ID","N",10,0],["CLIENT","C",10,0],["CONFIG","C",25,0],)"
                                R"(["DOCNR","N",10,0],["TEXT","C",80,0],["DATETIME","C",19,0]])")
            .array());
    const QJsonArray records = dbf[u"records"].toArray();
    ASSERT_EQ(records.size(), 3);
    const QJsonObject second = records.at(1).toObject();
    EXPECT_EQ(second[u"ID"].toInt(), 2);
    EXPECT_EQ(second[u"CLIENT"].toString(), QStringLiteral("0a1b2c3d.4"));
    EXPECT_EQ(second[u"CONFIG"].toString(), QStringLiteral("Fakvo.cfg"));
    EXPECT_EQ(second[u"DOCNR"].toDouble(), 202400017.0);
    EXPECT_EQ(second[u"TEXT"].toString(), long120.left(80));
    EXPECT_EQ(second[u"DATETIME"].toString(), QStringLiteral("05.01.2010 14:30:08"));
    const QJsonObject third = records.at(2).toObject();
    EXPECT_EQ(third[u"CONFIG"].toString(), QStringLiteral("Firma mit sehr langem Nam"));
    EXPECT_EQ(third[u"DOCNR"].toInt(), -5);

    const std::optional<LogRecord> read = log.ReadLogRecord(3);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->id, 3);
    EXPECT_EQ(read->text, QStringLiteral("  eingerückt"));
    EXPECT_EQ(read->config, QStringLiteral("Firma mit sehr langem Nam"));
    EXPECT_EQ(read->dateTime, QStringLiteral("05.01.2010 14:30:09"));
    EXPECT_FALSE(log.ReadLogRecord(4));
    EXPECT_FALSE(log.ReadLogRecord(0));
}

TEST_F(WorkTables, TrimKeepsTheNewestAndIdsGoOnFromTheCount)
{
    LogTable log(FilePath(QStringLiteral("ABC.xxd")), QStringLiteral("ABC.xx"),
                 QStringLiteral("Fakvo.cfg"), TickingClock());
    ASSERT_TRUE(log.Open().ok);
    for (int i = 1; i <= 1250; ++i)
        log.AppendLogEntry(i, QStringLiteral("Eintrag %1").arg(i));
    ASSERT_EQ(log.RecordCount(), 1250);

    TrimAppLog(log, 1000);
    ASSERT_EQ(log.RecordCount(), 1000);
    EXPECT_EQ(log.ReadLogRecord(1)->docNumber, 251);
    EXPECT_EQ(log.ReadLogRecord(1)->id, 251);
    EXPECT_EQ(log.ReadLogRecord(1000)->docNumber, 1250);
    log.AppendLogEntry(0, QStringLiteral("neu"));
    EXPECT_EQ(log.ReadLogRecord(1001)->id, 1001);

    // At or under the limit nothing is removed; one over removes the oldest.
    TrimAppLog(log, 1001);
    EXPECT_EQ(log.RecordCount(), 1001);
    TrimAppLog(log, 1000);
    EXPECT_EQ(log.RecordCount(), 1000);
    EXPECT_EQ(log.ReadLogRecord(1)->docNumber, 252);
    log.CloseLogTable();
    EXPECT_EQ(ReadWithDbfread(log.Path())[u"count"].toInt(), 1000);
}

TEST_F(WorkTables, BrokenLogIsReportedRecreatedWhenGoneAndNeverOverwritten)
{
    const QString path = FilePath(QStringLiteral("ABC.xxd"));
    LogTable log(path, QStringLiteral("ABC.xx"), QStringLiteral("Fakvo.cfg"), TickingClock());
    ASSERT_TRUE(log.Open().ok);
    log.AppendLogEntry(0, QStringLiteral("eins"));

    // The file removed behind the open table: reported, created anew, the entry lost.
    ASSERT_TRUE(QFile::remove(path));
    log.AppendLogEntry(0, QStringLiteral("verloren"));
    EXPECT_EQ(messages,
              QStringList{QStringLiteral("Fehler beim Schreiben von Log-Infos! Datei: ABC.xxd")});
    ASSERT_TRUE(log.IsOpen());
    EXPECT_EQ(log.RecordCount(), 0);
    log.AppendLogEntry(0, QStringLiteral("danach"));
    EXPECT_EQ(log.ReadLogRecord(1)->id, 1);
    EXPECT_EQ(log.ReadLogRecord(1)->text, QStringLiteral("danach"));

    // A message dialog that logs while the failure is shown does not report again.
    messages.clear();
    ASSERT_TRUE(QFile::remove(path));
    const PromptHandler capture =
        SetPromptHandler({[&](const QString& text, PromptMode) {
                              messages.append(text);
                              log.AppendLogEntry(0, QStringLiteral("Dialog"));
                              return kAnswerOk;
                          },
                          {}});
    log.AppendLogEntry(0, QStringLiteral("verloren"));
    SetPromptHandler(capture);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(log.RecordCount(), 0);

    // A damaged file: reported on every entry, never replaced.
    log.AppendLogEntry(0, QStringLiteral("danach"));
    messages.clear();
    ASSERT_TRUE(QFile::resize(path, QFile(path).size() - 10));
    const QByteArray damaged = ReadBytes(path);
    log.AppendLogEntry(0, QStringLiteral("a"));
    log.AppendLogEntry(0, QStringLiteral("b"));
    EXPECT_EQ(messages.size(), 2);
    EXPECT_FALSE(log.IsOpen());
    EXPECT_EQ(log.RecordCount(), -1);
    EXPECT_FALSE(log.TrimLog(0));
    EXPECT_FALSE(log.ReadLogRecord(1));
    EXPECT_EQ(ReadBytes(path), damaged);

    const TableStatus status = LogTable(path, {}, {}).Open();
    EXPECT_EQ(status.message, QStringLiteral("Datei 'ABC.xxd' konnte nicht geöffnet werden!"));
}
