#include "support/logfiles.h"

#include "platform/prompt.h"
#include "storage/logtable.h"
#include "support/log.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "common/testsupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>
#include <vector>

using namespace fakvo;
using fakvo::test::ReadBytes;
using fakvo::test::WriteBytes;

namespace {

const QDateTime kNow(QDate(2010, 1, 5), QTime(14, 30, 7));

// A data folder with the SQL log on, a fixed clock, and the messages and log entries that
// the user would have seen.
class LogFiles : public testing::Test
{
protected:
    void SetUp() override
    {
        Configure();
        previousPrompt = SetPromptHandler({[this](const QString& text, PromptMode) {
                                               messages.append(text);
                                               return kAnswerOk;
                                           },
                                           {}});
        previousSink = SetLogSink([this](long long docNumber, const QString& text) {
            logged.append({docNumber, text});
        });
    }
    void TearDown() override
    {
        SetLogQueueNotifier({});
        FlushLogQueue();
        SetLogSink(previousSink);
        SetPromptHandler(previousPrompt);
        SetLogFileSettings({});
    }
    void Configure(const QString& folder = {}, bool sqlLog = true, const QString& computer = {})
    {
        LogFileSettings settings;
        settings.dataFolder = folder.isEmpty() ? dir.path() : folder;
        settings.computerName = computer;
        settings.sqlLog = sqlLog;
        settings.lastDocumentNumber = [] { return 202400042LL; };
        settings.now = [] { return kNow; };
        SetLogFileSettings(settings);
    }
    QString FilePath(const QString& name) const { return QDir(dir.path()).filePath(name); }

    QTemporaryDir dir;
    QStringList messages;
    QList<std::pair<long long, QString>> logged;
    PromptHandler previousPrompt;
    LogSink previousSink;
};

} // namespace

TEST_F(LogFiles, SqlLogEntriesByMode)
{
    const QString statement = QStringLiteral("SELECT * FROM protadr WHERE NAME1='Müller'");
    const QByteArray header = "#---5. 1. 2010 14:30:07\r\n";
    const QByteArray body = "SELECT * FROM protadr WHERE NAME1='M\xFCller'\r\n";
    struct Case
    {
        int mode;
        bool emptyLine;
        QByteArray expected;
    };
    const Case cases[] = {
        {0, true, header + body + "\r\n"}, {0, false, header + body},
        {1, true, header + body}, // a failed statement never gets the empty line
        {2, false, "#---RET:0\r\n\r\n"},   {42, true, "#---RET:40\r\n\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        QFile::remove(SqlLogPath());
        SqlLog(statement, c.mode, c.emptyLine);
        EXPECT_EQ(ReadBytes(FilePath(QStringLiteral("FVSQLLOG.TXT"))), c.expected);
    }

    // Entries are appended; the start line is a statement with the empty line.
    WriteSqlLogStartLine();
    EXPECT_EQ(ReadBytes(SqlLogPath()),
              QByteArray("#---RET:40\r\n\r\n") + header + "#---Faktavo Programmstart---\r\n\r\n");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(LogFiles, SqlLogHeaderUsesTheConfiguredDateText)
{
    LogFileSettings settings;
    settings.dataFolder = dir.path();
    settings.sqlLog = true;
    settings.now = [] { return kNow; };
    settings.dateTimeText = [](const QDateTime& time) {
        return QStringLiteral("%1. Jänner %2 14:30").arg(time.date().day()).arg(time.date().year());
    };
    SetLogFileSettings(settings);
    SqlLog(QStringLiteral("DELETE FROM protpr"), 0, false);
    EXPECT_EQ(ReadBytes(SqlLogPath()),
              QByteArray("#---5. J\xE4nner 2010 14:30:07\r\nDELETE FROM protpr\r\n"));
}

TEST_F(LogFiles, SqlLogNameAndSwitch)
{
    EXPECT_EQ(SqlLogFileName(QString()), QStringLiteral("FVSQLLOG.TXT"));
    EXPECT_EQ(SqlLogFileName(QStringLiteral("KASSE-2")), QStringLiteral("FVSQLLOGKASSE-2.TXT"));
    EXPECT_EQ(SqlLogFileName(QStringLiteral("../../etc/x")),
              QStringLiteral("FVSQLLOG.._.._etc_x.TXT"));

    Configure({}, true, QStringLiteral("KASSE-2"));
    EXPECT_EQ(SqlLogPath(), FilePath(QStringLiteral("FVSQLLOGKASSE-2.TXT")));
    SqlLog(QStringLiteral("SELECT 1"), 0, false);
    EXPECT_TRUE(QFile::exists(FilePath(QStringLiteral("FVSQLLOGKASSE-2.TXT"))));

    Configure({}, false);
    SqlLog(QStringLiteral("SELECT 1"), 0, true);
    WriteSqlLogStartLine();
    EXPECT_FALSE(QFile::exists(FilePath(QStringLiteral("FVSQLLOG.TXT"))));
}

TEST_F(LogFiles, SqlLogIsShortenedToItsLastThousandLinesAtStart)
{
    auto lines = [](int count, int width, const char* end) {
        QByteArray bytes;
        for (int i = 1; i <= count; ++i) {
            const QByteArray number = QByteArray::number(i);
            bytes += number + QByteArray(width - number.size(), '.') + end;
        }
        return bytes;
    };
    // 700 lines of 28 bytes and 200 of 27: 900 lines in 25000 bytes.
    const QByteArray nineHundred = lines(700, 26, "\r\n") + lines(200, 25, "\r\n");
    ASSERT_EQ(nineHundred.size(), 25000);

    struct Case
    {
        const char* what;
        bool sqlLog;
        QByteArray before;
        QByteArray after;
    };
    const Case cases[] = {
        {"900 lines in 25000 bytes", true, nineHundred, nineHundred},
        {"1500 lines", true, lines(1500, 20, "\r\n"), lines(1500, 20, "\r\n").mid(500 * 22)},
        {"1500 lines ended by LF only", true, lines(1500, 15, "\n"),
         lines(1500, 15, "\r\n").mid(500 * 17)},
        {"last line without its end", true, lines(1500, 15, "\r\n").chopped(2),
         lines(1500, 15, "\r\n").mid(500 * 17)},
        {"1500 lines in 10500 bytes", true, lines(1500, 5, "\r\n"), lines(1500, 5, "\r\n")},
        {"SQL log off", false, lines(1500, 20, "\r\n"), lines(1500, 20, "\r\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Configure({}, c.sqlLog);
        ASSERT_TRUE(WriteBytes(FilePath(QStringLiteral("FVSQLLOG.TXT")), c.before));
        EXPECT_TRUE(ShortenSqlLog());
        EXPECT_EQ(ReadBytes(FilePath(QStringLiteral("FVSQLLOG.TXT"))), c.after);
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(LogFiles, FileErrorsAreShownAndLoggedWithTheLastDocumentNumber)
{
    Configure(FilePath(QStringLiteral("fehlt")));
    SqlLog(QStringLiteral("SELECT 1"), 0, false);
    const QString cannotOpen =
        QStringLiteral("Fehler:Datei 'FVSQLLOG.TXT' kann nicht geöffnet werden!");
    EXPECT_EQ(messages, QStringList{cannotOpen});
    EXPECT_EQ(logged, (QList<std::pair<long long, QString>>{{202400042, cannotOpen}}));

    messages.clear();
    logged.clear();
    EXPECT_FALSE(AppendToTextFile(QStringLiteral("/dev/full"), QByteArray(100, 'x')));
    const QString cannotWrite =
        QStringLiteral("Fehler:Auf Datei 'full' kann nicht geschrieben werden!");
    EXPECT_EQ(messages, QStringList{cannotWrite});
    EXPECT_EQ(logged, (QList<std::pair<long long, QString>>{{202400042, cannotWrite}}));

    messages.clear();
    EXPECT_FALSE(AppendTextLog(QStringLiteral("ABC.xx1")));
    EXPECT_EQ(messages, QStringList{QStringLiteral("Log-Datei konnte nicht geöffnet werden!")});

    messages.clear();
    Configure();
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), FilePath(QStringLiteral("Fakvo.log"))));
    EXPECT_FALSE(AppendTextLog(QStringLiteral("ABC.xx1")));
    EXPECT_EQ(messages, QStringList{QStringLiteral("Fehler beim Schreiben auf die Log-Datei!")});
}

TEST_F(LogFiles, TextLogAppendsWindows1252Lines)
{
    EXPECT_TRUE(AppendTextLog(QStringLiteral("ABC.xx3")));
    EXPECT_TRUE(AppendTextLog(QStringLiteral("Müller €")));
    EXPECT_EQ(ReadBytes(FilePath(QStringLiteral("Fakvo.log"))),
              QByteArray("ABC.xx3\nM\xFCller \x80\n"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(LogFiles, AppLogWritesToTheTableAndQueuedEntriesWaitForTheFlush)
{
    LogTable table(FilePath(QStringLiteral("ABC.xxd")), QStringLiteral("ABC.xx"),
                   QStringLiteral("Fakvo.cfg"), [] { return kNow; });
    ASSERT_TRUE(table.Open().ok);
    InstallAppLog(table);
    Log(0, QStringLiteral("Programm wurde gestartet"));
    EXPECT_EQ(table.RecordCount(), 1);
    EXPECT_TRUE(logged.isEmpty());

    std::atomic<int> notified = 0;
    SetLogQueueNotifier([&notified] { ++notified; });
    constexpr int kThreads = 4;
    constexpr int kPerThread = 400;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < kPerThread; ++i)
                QueueLog(t * 10000 + i, QStringLiteral("Verbindung %1").arg(t));
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(notified.load(), kLogQueueLimit) << "dropped entries ask for no flush";
    EXPECT_EQ(table.RecordCount(), 1) << "nothing written before the flush";

    FlushLogQueue();
    ASSERT_EQ(table.RecordCount(), 1 + kLogQueueLimit);
    // Each thread's entries arrive in the order it queued them.
    std::map<long long, long long> lastOfThread;
    for (int n = 2; n <= table.RecordCount(); ++n) {
        const long long docNumber = table.ReadLogRecord(n)->docNumber;
        const long long thread = docNumber / 10000;
        if (lastOfThread.count(thread)) {
            ASSERT_LT(lastOfThread[thread], docNumber);
        }
        lastOfThread[thread] = docNumber;
    }

    // Closing writes what is still queued, then Log no longer reaches the table.
    QueueLog(7, QStringLiteral("noch in der Warteschlange"));
    CloseAppLog(table);
    EXPECT_FALSE(table.IsOpen());
    Log(8, QStringLiteral("nach dem Schließen"));
    ASSERT_TRUE(table.Open().ok);
    EXPECT_EQ(table.RecordCount(), 2 + kLogQueueLimit);
    EXPECT_EQ(table.ReadLogRecord(table.RecordCount())->text,
              QStringLiteral("noch in der Warteschlange"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST(LogViewerText, HeaderThenNewestFirstOfThisConfigurationOnly)
{
    const QList<LogRecord> newestFirst = {
        {3, QStringLiteral("ABC.xx"), QStringLiteral("Fakvo.cfg"), 0,
         QStringLiteral("Programm wurde beendet"), QStringLiteral("05.01.2010 18:00:00")},
        {2, QStringLiteral("ABC.xx"), QStringLiteral("Fakvo2.cfg"), 7,
         QStringLiteral("anderes Profil"), QStringLiteral("05.01.2010 17:00:00")},
        {1, QStringLiteral("ABC.xx"), QStringLiteral("Fakvo.cfg"), 201000001,
         QStringLiteral("Rechnung an 'Müller' wurde gespeichert"),
         QStringLiteral("05.01.2010 14:30:07")},
    };
    const QString dashes(111, u'-');
    EXPECT_EQ(LogViewerText(newestFirst, QStringLiteral("ABC.xx"), QStringLiteral("Fakvo.cfg")),
              dashes +
                  QStringLiteral("\r\nDATUM      UHRZEIT  DOC-NUMMER LOG-TEXT CLIENT=ABC.xx\r\n") +
                  dashes +
                  QStringLiteral(
                      "\r\n"
                      "05.01.2010 18:00:00          0 Programm wurde beendet\r\n"
                      "05.01.2010 14:30:07  201000001 Rechnung an 'Müller' wurde gespeichert\r\n"));
}

TEST_F(LogFiles, ViewerOfProfileTwoLeavesOutProfileOnesEntries)
{
    LogTable table(FilePath(QStringLiteral("ABC.xxd")), QStringLiteral("ABC.xx"),
                   QStringLiteral("Fakvo.cfg"), [] { return kNow; });
    ASSERT_TRUE(table.Open().ok);
    InstallAppLog(table);
    Log(1, QStringLiteral("Profil 1"));
    // A configuration file name longer than the field still finds its own entries.
    const QString profileTwo = QStringLiteral("Zweigstelle Innsbruck Nord.cfg");
    table.SetConfigName(profileTwo);
    Log(2, QStringLiteral("Profil 2"));
    QueueLog(3, QStringLiteral("Profil 2, aus dem Netz"));

    auto entries = [&](const QString& config) {
        const QStringList lines =
            LogViewerText(ReadLogForViewer(table), QStringLiteral("ABC.xx"), config)
                .split(QStringLiteral("\r\n"));
        return lines.mid(3, lines.size() - 4); // without the header and the final empty piece
    };
    EXPECT_EQ(entries(profileTwo),
              (QStringList{QStringLiteral("05.01.2010 14:30:07          3 Profil 2, aus dem Netz"),
                           QStringLiteral("05.01.2010 14:30:07          2 Profil 2")}));
    EXPECT_EQ(entries(QStringLiteral("Fakvo.cfg")),
              QStringList{QStringLiteral("05.01.2010 14:30:07          1 Profil 1")});
    CloseAppLog(table);
}

namespace {
// A log whose records are numbered by their position and fail to read from `unreadable` on.
class FakeLog final : public LogStore
{
public:
    FakeLog(int count, int unreadable) : count_(count), unreadable_(unreadable) {}
    void AppendLogEntry(long long, const QString&) override {}
    int RecordCount() override { return count_; }
    bool TrimLog(int) override { return true; }
    std::optional<LogRecord> ReadLogRecord(int n) override
    {
        if (n < 1 || n > count_ || n == unreadable_)
            return std::nullopt;
        return LogRecord{n, {}, QStringLiteral("a.cfg"), n, {}, {}};
    }
    void CloseLogTable() override {}

private:
    int count_;
    int unreadable_;
};
} // namespace

TEST(LogViewerRecords, NewestThousandBackwardsUntilTheFirstUnreadable)
{
    struct Case
    {
        int count;
        int unreadable;
        qsizetype expectedSize;
        long long newest;
        long long oldest;
    };
    const Case cases[] = {
        {10, 0, 10, 10, 1}, {1500, 0, 1000, 1500, 501}, {10, 6, 4, 10, 7}, {10, 10, 0, 0, 0},
        {0, 0, 0, 0, 0},    {-1, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << "/" << c.unreadable);
        FakeLog log(c.count, c.unreadable);
        const QList<LogRecord> records = ReadLogForViewer(log);
        ASSERT_EQ(records.size(), c.expectedSize);
        if (!records.isEmpty()) {
            EXPECT_EQ(records.first().id, c.newest);
            EXPECT_EQ(records.last().id, c.oldest);
        }
    }
}
