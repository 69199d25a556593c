// Document text files in DocData: their names, the folder they never leave, writing and
// loading them, and the signature position of letters and reminders.

#include "common/testsupport.h"
#include "config/configuration.h"
#include "texts/documenttext.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace fakvo;
using fakvo::test::ReadBytes;
using fakvo::test::WriteBytes;

namespace {

struct DataFolder
{
    DataFolder()
    {
        config.dataFolder = dir.path() + u'/';
        QDir(dir.path()).mkpath(QStringLiteral("DocData"));
    }
    QString DocData(const char* name) const
    {
        return dir.path() + QStringLiteral("/DocData/") + QString::fromLatin1(name);
    }

    QTemporaryDir dir;
    Configuration config;
};

// A letter of `count` lines "Zeile n", with `marker` on line `markerLine`.
QByteArray LetterLines(int count, int markerLine, const char* marker)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += (i == markerLine ? QByteArray(marker) : "Zeile " + QByteArray::number(i)) + "\r\n";
    return bytes;
}

} // namespace

TEST(DocumentText, FileNamesByTypeAndJournalId)
{
    EXPECT_EQ(DocumentTextFileName(DocumentType::Sms, 12), QStringLiteral("0000012S.TXT"));
    EXPECT_EQ(DocumentTextFileName(DocumentType::EMail, 12), QStringLiteral("0000012E.TXT"));
    EXPECT_EQ(DocumentTextFileName(DocumentType::Letter, 1234567), QStringLiteral("1234567B.TXT"));
    EXPECT_EQ(DocumentTextFileName(DocumentType::Receipt, 7), QStringLiteral("0000007X.TXT"));
    EXPECT_EQ(DocumentTextFileName(DocumentType::Invoice, 7), std::nullopt);
    EXPECT_EQ(DocumentTextFileName(DocumentType::Reminder1, 7), std::nullopt);
}

TEST(DocumentText, NamesThatWouldLeaveDocDataAreRefused)
{
    DataFolder data;
    for (const char* name : {"../standard.cfg", "..", ".", "", "/etc/passwd", "..\\standard.cfg",
                             "sub/0000012B.TXT", "0000012B.TXT/.."}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(DocumentTextPath(data.config, QString::fromLatin1(name)), std::nullopt);
    }
    EXPECT_EQ(DocumentTextPath(data.config, QStringLiteral("0000012B.TXT")),
              data.DocData("0000012B.TXT"));
    EXPECT_EQ(DocumentTextPath(data.config, QStringLiteral("..0000012B.TXT")),
              data.DocData("..0000012B.TXT"));
}

TEST(DocumentText, ServerModeUsesTheClientsSubfolder)
{
    DataFolder data;
    data.config.serverMode = true;
    data.config.clientNumber = 42;
    ASSERT_TRUE(WriteDocumentText(data.config, DocumentType::EMail, 7,
                                  QStringLiteral("Grüß Gott\nbis bald")));
    EXPECT_EQ(ReadBytes(data.DocData("00000042/0000007E.TXT")),
              QByteArray("Gr\xFC\xDF Gott\r\nbis bald\r\n"));
    const DocumentText loaded = LoadDocumentText(data.config, DocumentType::EMail, 7, QString());
    EXPECT_EQ(loaded.text, QStringLiteral("Grüß Gott\r\nbis bald"));
    EXPECT_EQ(loaded.failure, std::nullopt);
}

TEST(DocumentText, LetterSignatureOnTheSecondPage)
{
    DataFolder data;
    data.config.BRIEFTEXTZEILEN = {25, 58};
    WriteBytes(data.DocData("0000012B.TXT"), LetterLines(32, 30, "  [[UNTERSCHRIFT]]  "));

    const DocumentText letter =
        LoadDocumentText(data.config, DocumentType::Letter, 12, QStringLiteral("not used"));
    EXPECT_EQ(letter.signaturePosition, 2005);
    EXPECT_EQ(letter.lineCount, 32);
    EXPECT_TRUE(letter.text.startsWith(QStringLiteral("Zeile 1\r\nZeile 2\r\n")));
    EXPECT_TRUE(letter.text.contains(QStringLiteral("\r\n[[UNTERSCHRIFT]]\r\nZeile 31\r\n")));
    EXPECT_TRUE(letter.text.endsWith(QStringLiteral("Zeile 32")));
}

TEST(DocumentText, SignatureCountsTheLinesThatArePrinted)
{
    // Blank lines before the text are trimmed away; the marker's line is counted in the text
    // that is printed, so the signature lands beside its marker.
    DataFolder data;
    data.config.BRIEFTEXTZEILEN = {25, 58};
    WriteBytes(data.DocData("0000013B.TXT"),
               "\r\n   \r\n" + LetterLines(30, 30,
                                           "Mit freundlichen Gr\xFC\xDF"
                                           "en !!UNTERSCHRIFT"));
    const DocumentText letter = LoadDocumentText(data.config, DocumentType::Letter, 13, {});
    EXPECT_EQ(letter.signaturePosition, 2005);
    EXPECT_EQ(letter.lineCount, 30);
    EXPECT_TRUE(letter.text.endsWith(QStringLiteral("Mit freundlichen Grüßen !!UNTERSCHRIFT")));
}

TEST(DocumentText, GivenTextsOfLettersRemindersAndMessages)
{
    const Configuration config; // 38 and 58 lines per page
    const QString text = QStringLiteral(
        "  Sehr geehrte Frau Zaduz,  \r\n\r\n!!UNTERSCHRIFT\nText\r\n[[UNTERSCHRIFT]]\r\n");

    const DocumentText letter = LoadDocumentText(config, DocumentType::Letter, std::nullopt, text);
    EXPECT_EQ(letter.text,
              QStringLiteral("Sehr geehrte Frau Zaduz,\r\n\r\n!!UNTERSCHRIFT\r\nText\r\n"
                             "[[UNTERSCHRIFT]]"));
    EXPECT_EQ(letter.lineCount, 5);
    EXPECT_EQ(letter.signaturePosition, 1005) << "the last marker wins";

    // Reminders keep the plain line number; their text is the given one even with an id.
    const DocumentText reminder = LoadDocumentText(config, DocumentType::Reminder2, 99, text);
    EXPECT_EQ(reminder.signaturePosition, 5);
    EXPECT_EQ(reminder.text, letter.text);

    const DocumentText mail = LoadDocumentText(config, DocumentType::EMail, std::nullopt, text);
    EXPECT_EQ(mail.signaturePosition, 0);
    EXPECT_EQ(mail.text, letter.text);

    const DocumentText empty = LoadDocumentText(config, DocumentType::Letter, std::nullopt, {});
    EXPECT_EQ(empty.text, QString());
    EXPECT_EQ(empty.lineCount, 0);
    EXPECT_EQ(empty.signaturePosition, 0);
}

TEST(DocumentText, MissingFileIsAFailureWithItsMessage)
{
    DataFolder data;
    const DocumentText missing =
        LoadDocumentText(data.config, DocumentType::Sms, 5, QStringLiteral("given"));
    EXPECT_EQ(missing.failure, QStringLiteral("Die Datei '%1' kann nicht geöffnet werden!")
                                   .arg(data.DocData("0000005S.TXT")));
    EXPECT_EQ(missing.text, QString());
    EXPECT_EQ(missing.lineCount, 0);
}

TEST(DocumentText, WritingReplacesTheFileAndRoundTrips)
{
    DataFolder data;
    const QString path = data.DocData("0000003X.TXT");
    WriteBytes(path, "alter Text, viel l\xE4nger als der neue\r\n\r\n\r\n");
    const QString receipt =
        QStringLiteral("\n\n\nHiermit bestätigen wir den Barerhalt von EURO: ===50.00===.");
    ASSERT_TRUE(WriteDocumentText(data.config, DocumentType::Receipt, 3, receipt));
    EXPECT_EQ(ReadBytes(path),
              QByteArray("\r\n\r\n\r\nHiermit best\xE4tigen wir den Barerhalt von EURO: "
                         "===50.00===.\r\n"));
    EXPECT_EQ(LoadDocumentText(data.config, DocumentType::Receipt, 3, {}).text,
              QStringLiteral("Hiermit bestätigen wir den Barerhalt von EURO: ===50.00===."));
    EXPECT_FALSE(WriteDocumentText(data.config, DocumentType::Invoice, 3, receipt));
}

TEST(DocumentText, LetterSignaturePages)
{
    Configuration config;
    struct Case
    {
        QList<int> linesPerPage;
        int line;
        int position;
    };
    for (const Case& c : std::vector<Case>{
             {{38, 58}, 0, 0},
             {{38, 58}, 1, 1001},
             {{38, 58}, 38, 1038},
             {{38, 58}, 39, 2001},
             {{38, 58}, 96, 2058},
             {{38, 58}, 97, 3001},
             {{25, 58}, 30, 2005},
             {{0, 0}, 39, 2001}, // unusable counts fall back to 38 and 58
             {{10}, 68, 2058},   // a missing second count too
             {{1, 1}, 5, 5001},
             {{1, 1}, 2147483647, 2147483647}, // no overflow
         }) {
        config.BRIEFTEXTZEILEN = c.linesPerPage;
        SCOPED_TRACE(c.line);
        EXPECT_EQ(LetterSignaturePosition(c.line, config), c.position);
    }
}
