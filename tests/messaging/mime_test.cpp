// Message composition without a server: recipients, header lines, text and attachment parts.

#include "messaging/base64.h"
#include "messaging/mimeheader.h"
#include "messaging/mimemessage.h"
#include "messaging/smtp.h"
#include "printers.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace fakvo;

namespace {

const QByteArray kBoundary = "FAKTAVO_MAIL_PaRt_BoUnDaRy_04162003";

QString S(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Composes the message and returns header and body, or the composition error.
struct Composed
{
    bool ok = false;
    QString error;
    QByteArray header;
    QByteArray content;
};

Composed Compose(CMailMessage& message)
{
    Composed c;
    c.ok = message.Format(c.error);
    c.header = message.Header();
    c.content = message.Content();
    return c;
}

QList<QByteArray> Lines(const QByteArray& text)
{
    return text.split('\n');
}

const QDateTime kDate(QDate(2024, 6, 4), QTime(10, 12, 13), QTimeZone(2 * 3600));

} // namespace

TEST(Base64, EncodesTheRfcVectorsAndDecodesWhatItEncodes)
{
    const CBase64 base64;
    const std::pair<const char*, const char*> vectors[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
    };
    for (const auto& [plain, encoded] : vectors) {
        EXPECT_EQ(base64.Encode(plain), encoded);
        EXPECT_EQ(base64.Decode(encoded), plain);
    }
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(255 - i);
    EXPECT_EQ(base64.Encode(all), all.toBase64());
    EXPECT_EQ(base64.Decode(base64.Encode(all)), all);
    EXPECT_EQ(base64.Decode("Zm9v\r\nYmFy\r\n"), "foobar");
}

TEST(Recipients, TextsSplitIntoNamesAndAddresses)
{
    struct Case
    {
        QString text;
        bool ok;
        QList<CMailMessage::CRecipient> expected;
    };
    const Case cases[] = {
        {S("Hans Muster <hans@muster.at>;office@firma.at"),
         true,
         {{S("hans@muster.at"), S("Hans Muster ")}, {S("office@firma.at"), QString()}}},
        {S("office@firma.at; ; "), true, {{S("office@firma.at"), QString()}}},
        {S("Jörg Öller <joerg@oeller.de"), true, {{S("joerg@oeller.de"), S("Jörg Öller ")}}},
        {S("a@b.at;Name> <c@d.at>;e@f.at"), false, {{S("a@b.at"), QString()}}},
        {S("a@b.at;c d@e.at"), false, {{S("a@b.at"), QString()}}},
        {S("a@b.at>\r\nRCPT TO:<evil@x.at"), false, {}},
        {S("jörg@öller.de"), false, {}},
        {S("Name <>"), false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        CMailMessage message;
        EXPECT_EQ(message.AddMultipleRecipients(c.text, CMailMessage::To), c.ok);
        ASSERT_EQ(message.GetNumRecipients(CMailMessage::To), c.expected.size());
        for (int i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(message.GetRecipient(i)->address, c.expected[i].address);
            EXPECT_EQ(message.GetRecipient(i)->name, c.expected[i].name);
        }
        EXPECT_FALSE(message.GetRecipient(static_cast<int>(c.expected.size())).has_value());
        EXPECT_EQ(message.GetNumRecipients(CMailMessage::Cc), 0);
    }
}

TEST(MimeMessage, HeaderLinesAndTheMultipartBody)
{
    CMIMEMessage message;
    message.SetFrom(S("office@faktavo.at"));
    message.SetSubject(S("Rechnung Nr.: 2024001 lt. Auftrag"));
    message.SetBody(S("  Hallo\n.\n.hinter Punkt\r\nEnde  "));
    message.SetDate(kDate);
    ASSERT_TRUE(message.AddMultipleRecipients(S("Hans Muster <hans@muster.at>;office@firma.at"),
                                              CMailMessage::To));
    ASSERT_TRUE(message.AddRecipient(S("archiv@faktavo.at"), QString(), CMailMessage::Bcc));
    const Composed c = Compose(message);
    ASSERT_TRUE(c.ok) << c.error.toStdString();

    const QRegularExpression messageId(
        QStringLiteral("Message-ID: <[0-9a-z]+\\.[0-9a-z]+@faktavo\\.at>\r\n"));
    const QString header = QString::fromLatin1(c.header);
    ASSERT_TRUE(header.contains(messageId)) << c.header.toStdString();
    EXPECT_EQ(QString(header).remove(messageId),
              S("From: office@faktavo.at\r\n"
                "To: Hans Muster <hans@muster.at>,<office@firma.at>\r\n"
                "Date: Tue, 04 Jun 2024 10:12:13 +0200\r\n"
                "Subject: Rechnung Nr.: 2024001 lt. Auftrag\r\n"
                "X-Mailer: Faktavo Mail\r\n"
                "MIME-Version: 1.0\r\n"
                "Content-Type: multipart/mixed; boundary=FAKTAVO_MAIL_PaRt_BoUnDaRy_04162003\r\n"
                "\r\n"));
    EXPECT_EQ(c.content, "This is a multi-part message in MIME format.\r\n\r\n"
                         "--" +
                             kBoundary +
                             "\r\n"
                             "Content-Type: text/plain; charset=windows-1252\r\n"
                             "Content-Transfer-Encoding: 7Bit\r\n"
                             "\r\n"
                             "Hallo\r\n.\r\n.hinter Punkt\r\nEnde\r\n"
                             "--" +
                             kBoundary + "--\r\n");
}

TEST(MimeMessage, CopyRecipientsGetACcLineAndTheHtmlFlagChangesTheTextType)
{
    CMIMEMessage message;
    message.SetFrom(S("Faktavo Büro <office@faktavo.at>"));
    message.SetBody(S("<html><body>Hallo</body></html>"));
    message.SetHtml(true);
    message.SetDate(kDate);
    ASSERT_TRUE(message.AddRecipient(S("a@b.at")));
    ASSERT_TRUE(message.AddRecipient(S("c@d.at"), S("Muster, Hans"), CMailMessage::Cc));
    const Composed c = Compose(message);
    ASSERT_TRUE(c.ok);
    EXPECT_TRUE(c.header.startsWith("From: =?UTF-8?Q?Faktavo_B=C3=BCro?= <office@faktavo.at>\r\n"
                                    "To: <a@b.at>\r\n"
                                    "Cc: \"Muster, Hans\" <c@d.at>\r\n"))
        << c.header.toStdString();
    EXPECT_TRUE(c.content.contains("Content-Type: text/html; charset=windows-1252\r\n"));
    EXPECT_EQ(message.FromAddress(), S("office@faktavo.at"));
}

TEST(MimeHeader, TextsOutsideAsciiAreEncodedWordsAndLongLinesAreFolded)
{
    EXPECT_EQ(mime::EncodeText(S("Rechnung 2024001")), "Rechnung 2024001");
    EXPECT_EQ(mime::EncodeText(S("Grüße")), "=?UTF-8?Q?Gr=C3=BC=C3=9Fe?=");
    EXPECT_EQ(mime::EncodeText(S("a\r\nBcc: x")), "a  Bcc: x");
    EXPECT_EQ(mime::EncodeText(S("=?x?")), "=?UTF-8?Q?=3D=3Fx=3F?=");

    QString subject;
    for (int i = 0; i < 12; ++i)
        subject += S("Mahnung für Jänner – Übersicht 12,50 € ");
    const QByteArray line = mime::FoldLine("Subject: " + mime::EncodeText(subject));
    for (const QByteArray& piece : line.split('\n')) {
        EXPECT_LE(piece.size(), 79) << piece.toStdString(); // 78 and the CR
        for (char ch : piece)
            EXPECT_TRUE(ch == '\r' || (ch >= 0x20 && ch < 0x7F));
    }
    const QByteArray ascii = mime::FoldLine("Subject: " + QByteArray("Rechnung ").repeated(20) +
                                            "\"quoted text that stays\" end");
    EXPECT_TRUE(ascii.contains("\"quoted text that stays\""));
    EXPECT_EQ(QByteArray(ascii).replace("\r\n", ""),
              "Subject: " + QByteArray("Rechnung ").repeated(20) +
                  "\"quoted text that stays\" end");
    EXPECT_EQ(mime::FoldLine("Subject: " + QByteArray(100, 'x')),
              "Subject: " + QByteArray(100, 'x'));
}

TEST(MimeHeader, Mailboxes)
{
    const std::pair<QString, QByteArray> cases[] = {
        {S("Hans Muster "), "Hans Muster <a@b.at>"},
        {S("Hans"), "Hans<a@b.at>"},
        {S(""), "<a@b.at>"},
        {S("   "), "<a@b.at>"},
        {S("Muster, Hans"), "\"Muster, Hans\" <a@b.at>"},
        {S("Dr. \"Bob\" \\"), "\"Dr. \\\"Bob\\\" \\\\\" <a@b.at>"},
        {S("Jörg Öller"), "=?UTF-8?Q?J=C3=B6rg_=C3=96ller?= <a@b.at>"},
        {S("Evil\r\nBcc: x@y.at"), "\"Evil  Bcc: x@y.at\" <a@b.at>"},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(mime::EncodeMailbox(name, S("a@b.at")), expected) << name.toStdString();
}

TEST(MimeHeader, ParametersAndDates)
{
    EXPECT_EQ(mime::EncodeParameter("file", S("rechnung.pdf")), "; file=rechnung.pdf");
    EXPECT_EQ(mime::EncodeParameter("file", S("Rechnung 2024.pdf")),
              "; file=\"Rechnung 2024.pdf\"");
    EXPECT_EQ(mime::EncodeParameter("filename", S("Übersicht.pdf")),
              "; filename*=UTF-8''%C3%9Cbersicht.pdf");
    const QByteArray sections =
        mime::EncodeParameter("filename", S("Jahresübersicht ").repeated(5) + S(".pdf"));
    EXPECT_TRUE(sections.startsWith("; filename*0*=UTF-8''Jahres%C3%BCbersicht%20"));
    EXPECT_TRUE(sections.contains("; filename*1*="));
    EXPECT_TRUE(sections.endsWith(".pdf"));

    EXPECT_EQ(mime::FormatDate(kDate), "Tue, 04 Jun 2024 10:12:13 +0200");
    EXPECT_EQ(mime::FormatDate(QDateTime(QDate(2024, 1, 1), QTime(0, 0), QTimeZone::utc())),
              "Mon, 01 Jan 2024 00:00:00 +0000");
    EXPECT_EQ(mime::FormatDate(
                  QDateTime(QDate(2023, 12, 31), QTime(23, 5, 9), QTimeZone(-(3 * 3600 + 1800)))),
              "Sun, 31 Dec 2023 23:05:09 -0330");
}

TEST(TextPart, LongLinesBreakAtTheirLastBlank)
{
    const CTextPlain text(0, 76);
    const QString letter =
        S("Sehr geehrte Damen und Herren, wir erlauben uns, Ihnen folgende Leistungen in "
          "Rechnung zu stellen: 1");
    ASSERT_EQ(letter.size(), 100);
    const std::pair<QString, QString> cases[] = {
        {letter, S("Sehr geehrte Damen und Herren, wir erlauben uns, Ihnen folgende Leistungen"
                   "\r\nin Rechnung zu stellen: 1")},
        {QString(76, QLatin1Char('x')), QString(76, QLatin1Char('x'))},
        {QString(76, QLatin1Char('x')) + S(" yy"), QString(76, QLatin1Char('x')) + S("\r\nyy")},
        {QString(80, QLatin1Char('x')) + S("   yy zz"),
         QString(80, QLatin1Char('x')) + S("\r\nyy zz")},
        {QString(100, QLatin1Char('x')), QString(100, QLatin1Char('x'))},
        {S("   ") + QString(100, QLatin1Char('x')), S("   ") + QString(100, QLatin1Char('x'))},
        {S("kurz\r\n") + letter, S("kurz\r\n") + S("Sehr geehrte Damen und Herren, wir "
                                                   "erlauben uns, Ihnen folgende Leistungen"
                                                   "\r\nin Rechnung zu stellen: 1")},
        {S("ab ").repeated(60), S("ab ").repeated(25).chopped(1) + S("\r\n") +
                                    S("ab ").repeated(25).chopped(1) + S("\r\n") +
                                    S("ab ").repeated(10)},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(text.WrapLongLines(input), expected) << input.toStdString();
}

TEST(TextPart, TextOutsideAsciiGoesQuotedPrintableInWindows1252)
{
    CMIMEMessage message;
    message.SetBody(S("Grüße aus Österreich: 12,50 €  \nZeile\r") + QString(90, QChar(0xE4)));
    ASSERT_TRUE(message.AddRecipient(S("a@b.at")));
    const Composed c = Compose(message);
    ASSERT_TRUE(c.ok);
    const qsizetype start = c.content.indexOf("Content-Type: text/plain");
    const qsizetype end = c.content.indexOf("\r\n--" + kBoundary + "--");
    const QByteArray part = c.content.mid(start, end - start);
    EXPECT_EQ(part, "Content-Type: text/plain; charset=windows-1252\r\n"
                    "Content-Transfer-Encoding: quoted-printable\r\n\r\n"
                    "Gr=FC=DFe aus =D6sterreich: 12,50 =80 =20\r\n"
                    "Zeile\r\n" +
                        QByteArray("=E4").repeated(25) + "=\r\n" + QByteArray("=E4").repeated(25) +
                        "=\r\n" + QByteArray("=E4").repeated(25) + "=\r\n" +
                        QByteArray("=E4").repeated(15));
}

TEST(AttachmentPart, Base64LinesOf72CharactersAndRfc2231Names)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(S("Übersicht März.pdf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray bytes;
    for (int i = 0; i < 55; ++i)
        bytes += static_cast<char>(i * 7);
    file.write(bytes);
    file.close();
    const QString empty = dir.filePath(S("leer.bin"));
    QFile(empty).open(QIODevice::WriteOnly);

    CMIMEMessage message;
    ASSERT_TRUE(message.AddRecipient(S("a@b.at")));
    message.AddMIMEPart(path, CMIMEMessage::ApplicationOctetStream, QString(),
                        CMIMEMessage::EncodingBase64, true);
    message.AddMIMEPart(S("  ") + empty + S("\n"), CMIMEMessage::ApplicationOctetStream, QString(),
                        CMIMEMessage::EncodingBase64, true);
    const Composed c = Compose(message);
    ASSERT_TRUE(c.ok) << c.error.toStdString();
    const QByteArray expected = "--" + kBoundary +
                                "\r\n"
                                "Content-Type: application/octet-stream;\r\n"
                                " file*=UTF-8''%C3%9Cbersicht%20M%C3%A4rz.pdf\r\n"
                                "Content-Transfer-Encoding: base64\r\n"
                                "Content-Disposition: attachment;\r\n"
                                " filename*=UTF-8''%C3%9Cbersicht%20M%C3%A4rz.pdf\r\n"
                                "\r\n" +
                                bytes.left(54).toBase64() + "\r\n" + bytes.mid(54).toBase64() +
                                "\r\n\r\n"
                                "--" +
                                kBoundary +
                                "\r\n"
                                "Content-Type: application/octet-stream; file=leer.bin\r\n"
                                "Content-Transfer-Encoding: base64\r\n"
                                "Content-Disposition: attachment; filename=leer.bin\r\n"
                                "\r\n"
                                "\r\n"
                                "--" +
                                kBoundary + "--\r\n";
    EXPECT_EQ(c.content, "This is a multi-part message in MIME format.\r\n\r\n" + expected);
    EXPECT_EQ(bytes.left(54).toBase64().size(), 72);
    EXPECT_EQ(bytes.mid(54).toBase64().size(), 4);
}

TEST(AttachmentPart, AnUnreadableAttachmentStopsTheMessage)
{
    QTemporaryDir dir;
    for (const QString& path : {dir.filePath(S("fehlt.pdf")), dir.path(), QString()}) {
        CMIMEMessage message;
        message.SetBody(S("Text"));
        ASSERT_TRUE(message.AddRecipient(S("a@b.at")));
        message.AddMIMEPart(path, CMIMEMessage::ApplicationOctetStream, QString(),
                            CMIMEMessage::EncodingBase64, true);
        const Composed c = Compose(message);
        EXPECT_FALSE(c.ok);
        EXPECT_EQ(c.error, S("Übertragung der Datei '%1' ist fehlerhaft!").arg(path));
    }
}

TEST(MimeMessage, EveryLineEndsInCrLf)
{
    CMIMEMessage message;
    message.SetSubject(S("Betreff"));
    message.SetBody(S("eins\nzwei\rdrei\r\n\nvier"));
    ASSERT_TRUE(message.AddRecipient(S("a@b.at")));
    const Composed c = Compose(message);
    ASSERT_TRUE(c.ok);
    const QByteArray all = c.header + c.content;
    EXPECT_FALSE(all.contains("\r\r"));
    for (const QByteArray& line : Lines(all).mid(0, Lines(all).size() - 1)) {
        EXPECT_TRUE(line.endsWith('\r')) << line.toStdString();
        EXPECT_FALSE(line.chopped(1).contains('\r')) << line.toStdString();
    }
    EXPECT_TRUE(all.endsWith("\r\n"));
    EXPECT_TRUE(c.content.contains("eins\r\nzwei\r\ndrei\r\n\r\nvier\r\n"));
}

TEST(Smtp, DotStuffingDoublesTheDotAtTheStartOfEveryLine)
{
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"", ""},
        {".\r\n", "..\r\n"},
        {"a\r\n.\r\nb", "a\r\n..\r\nb"},
        {"a\r\n.hinter\r\n..zwei\r\n", "a\r\n..hinter\r\n...zwei\r\n"},
        {"a.b\r\n x.\r\n", "a.b\r\n x.\r\n"},
        {"\r\n.", "\r\n.."},
    };
    for (const auto& [data, stuffed] : cases)
        EXPECT_EQ(DotStuff(data), stuffed) << data.toStdString();
}
