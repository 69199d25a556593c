// Sending through a real SMTP server on 127.0.0.1: aiosmtpd (plain, STARTTLS, TLS, login)
// or a scripted server for broken dialogues. What arrives is read back with Python's email
// package, as a mail program would read it.

#include "messaging/mimemessage.h"
#include "messaging/sendmail.h"
#include "platform/prompt.h"
#include "printers.h"
#include "smtp_peer.h"

#include <QFile>
#include <QJsonArray>
#include <QSslCertificate>
#include <QSslConfiguration>

#include <gtest/gtest.h>

using namespace fakvo;
using namespace fakvo::test;

namespace {

QString S(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

const QString kUser = S("buero");
const QString kPassword = S("Geheim €uro 1");

QByteArray Attachment(int size, int seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 x = static_cast<quint32>(seed);
    for (int i = 0; i < size; ++i) {
        x = x * 1664525u + 1013904223u;
        bytes[i] = static_cast<char>(x >> 24);
    }
    // Line ends and lone dots inside binary data must not disturb the dialogue.
    bytes.insert(size / 2, "\r\n.\r\n\n.\n");
    return bytes;
}

struct GermanMail
{
    MailRequest request;
    QString expectedText;
    QList<std::pair<QString, QByteArray>> attachments;
};

GermanMail MakeGermanMail(const QString& folder)
{
    GermanMail mail;
    mail.attachments = {{S("Rechnung 2024001.pdf"), Attachment(70000, 1)},
                        {S("Übersicht März – Jänner.bin"), Attachment(3000, 2)}};
    for (const auto& [name, bytes] : mail.attachments) {
        QFile file(folder + QLatin1Char('/') + name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        mail.request.attachments.append(file.fileName());
    }
    mail.request.from = S("Faktavo Büro <office@faktavo.at>");
    mail.request.to = S("Hans Müller <hans@muster.at>; office@firma.at");
    mail.request.bcc = S("archiv@faktavo.at");
    mail.request.subject =
        S("Rechnung Nr.: 2024001 für Jänner – Grüße aus Österreich, Betrag 1.234,56 € "
          "zahlbar bis 15.02.2024");
    mail.request.body = S("Sehr geehrte Frau Öller,\n\n"
                          "anbei erhalten Sie die Rechnung über 1.234,56 € für Jänner.\n"
                          ".\n"
                          ".versteckte Zeile\r\n"
                          "Sehr geehrte Damen und Herren, wir erlauben uns, Ihnen folgende "
                          "Leistungen in Rechnung zu stellen: 1\n"
                          "Grüße aus Österreich");
    mail.expectedText = S("Sehr geehrte Frau Öller,\n\n"
                          "anbei erhalten Sie die Rechnung über 1.234,56 € für Jänner.\n"
                          ".\n"
                          ".versteckte Zeile\n"
                          "Sehr geehrte Damen und Herren, wir erlauben uns, Ihnen folgende "
                          "Leistungen\n"
                          "in Rechnung zu stellen: 1\n"
                          "Grüße aus Österreich");
    return mail;
}

// What a mail program shows of message n must be what was sent.
void ExpectArrivedIntact(const SmtpPeer& peer, int n, const GermanMail& mail)
{
    const QJsonObject parsed = ParseMail(peer.MessagePath(n));
    ASSERT_FALSE(parsed.contains(QStringLiteral("parser_error")))
        << parsed.value(QStringLiteral("parser_error")).toString().toStdString();
    EXPECT_EQ(parsed[QStringLiteral("subject")].toString(), mail.request.subject);
    EXPECT_EQ(parsed[QStringLiteral("from")].toString(), mail.request.from);
    const QJsonArray to = parsed[QStringLiteral("to")].toArray();
    ASSERT_EQ(to.size(), 2);
    EXPECT_EQ(to[0][QStringLiteral("name")].toString(), S("Hans Müller"));
    EXPECT_EQ(to[0][QStringLiteral("address")].toString(), S("hans@muster.at"));
    EXPECT_EQ(to[1][QStringLiteral("name")].toString(), QString());
    EXPECT_EQ(to[1][QStringLiteral("address")].toString(), S("office@firma.at"));
    EXPECT_FALSE(parsed[QStringLiteral("cc")].toBool());
    EXPECT_FALSE(parsed[QStringLiteral("bcc")].toBool());
    EXPECT_TRUE(parsed[QStringLiteral("date_valid")].toBool());
    EXPECT_TRUE(parsed[QStringLiteral("message_id")].toString().endsWith(S("@faktavo.at>")));
    EXPECT_EQ(parsed[QStringLiteral("content_type")].toString(), S("multipart/mixed"));
    EXPECT_EQ(parsed[QStringLiteral("text_type")].toString(), S("text/plain"));
    EXPECT_EQ(parsed[QStringLiteral("text_charset")].toString(), S("windows-1252"));
    QString text = parsed[QStringLiteral("text")].toString();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    EXPECT_EQ(text, mail.expectedText);
    const QJsonArray attachments = parsed[QStringLiteral("attachments")].toArray();
    ASSERT_EQ(attachments.size(), mail.attachments.size());
    for (int i = 0; i < attachments.size(); ++i) {
        EXPECT_EQ(attachments[i][QStringLiteral("filename")].toString(), mail.attachments[i].first);
        EXPECT_EQ(attachments[i][QStringLiteral("content_type")].toString(),
                  S("application/octet-stream"));
        EXPECT_EQ(
            QByteArray::fromBase64(attachments[i][QStringLiteral("data")].toString().toLatin1()),
            mail.attachments[i].second);
    }
    EXPECT_EQ(parsed[QStringLiteral("defects")].toArray(), QJsonArray());

    const QJsonObject envelope = peer.Envelope(n);
    EXPECT_EQ(envelope[QStringLiteral("mail_from")].toString(), S("office@faktavo.at"));
    EXPECT_EQ(envelope[QStringLiteral("rcpt_tos")].toArray(),
              (QJsonArray{S("hans@muster.at"), S("office@firma.at"), S("archiv@faktavo.at")}));

    // On the wire: CR LF everywhere, header lines within 78 characters, no line beyond 998.
    const QByteArray raw = peer.Message(n);
    const QList<QByteArray> lines = raw.split('\n');
    bool inHeader = true;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        ASSERT_TRUE(line.endsWith('\r')) << "line " << i << ": " << line.toStdString();
        if (line == "\r")
            inHeader = false;
        EXPECT_LE(line.size() - 1, inHeader ? 78 : 998) << line.toStdString();
        for (char ch : line)
            EXPECT_TRUE(!inHeader || (ch >= 0x20 && ch < 0x7F) || ch == '\r');
    }
}

class SendMailTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_certificates = new QTemporaryDir;
        ASSERT_TRUE(MakeCertificate(s_certificates->path(), QStringLiteral("trusted")));
        ASSERT_TRUE(MakeCertificate(s_certificates->path(), QStringLiteral("untrusted")));
        // The test's own authority joins the system's for every TLS connection of this process.
        QSslConfiguration config = QSslConfiguration::defaultConfiguration();
        config.addCaCertificates(QSslCertificate::fromPath(Certificate("trusted").first));
        QSslConfiguration::setDefaultConfiguration(config);
    }

    static void TearDownTestSuite()
    {
        delete s_certificates;
        s_certificates = nullptr;
    }

    static std::pair<QString, QString> Certificate(const char* stem)
    {
        const QString base = s_certificates->filePath(QString::fromLatin1(stem));
        return {base + QStringLiteral(".pem"), base + QStringLiteral(".key")};
    }

    static PeerOptions Secure(const char* security, const char* stem = "trusted")
    {
        PeerOptions options;
        options.security = QString::fromLatin1(security);
        std::tie(options.certificate, options.key) = Certificate(stem);
        options.user = kUser;
        options.password = kPassword;
        return options;
    }

    void SetUp() override
    {
        m_previous = SetPromptHandler({[this](const QString& text, PromptMode) {
                                           shown.append(text);
                                           return kAnswerOk;
                                       },
                                       {}});
    }

    void TearDown() override { SetPromptHandler(m_previous); }

    static SmtpSettings Local(int port, SmtpSecurity security = SmtpSecurity::None,
                              const QString& password = {})
    {
        SmtpSettings settings;
        settings.server = QStringLiteral("127.0.0.1");
        settings.port = port;
        settings.security = security;
        if (!password.isEmpty()) {
            settings.user = kUser;
            settings.password = password;
        }
        settings.timeoutMs = 10000;
        return settings;
    }

    static MailRequest ShortMail(const QString& to = S("hans@muster.at"))
    {
        MailRequest mail;
        mail.from = S("office@faktavo.at");
        mail.to = to;
        mail.subject = S("Mahnung");
        mail.body = S("Bitte zahlen.");
        return mail;
    }

    QTemporaryDir dir;
    QStringList shown;

private:
    static inline QTemporaryDir* s_certificates = nullptr;
    PromptHandler m_previous;
};

} // namespace

TEST_F(SendMailTest, PlainDialogueDeliversGermanTextAndTwoAttachmentsIntact)
{
    SmtpPeer peer;
    ASSERT_TRUE(peer.Started()) << peer.Diagnostics().toStdString();
    const GermanMail mail = MakeGermanMail(dir.path());

    const MailResult result = SendMail(Local(peer.Port()), mail.request);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.error, QString());
    EXPECT_EQ(result.refusedRecipients, QStringList());
    EXPECT_EQ(shown, QStringList());
    ASSERT_EQ(peer.MessageCount(), 1);
    ExpectArrivedIntact(peer, 0, mail);
    EXPECT_FALSE(peer.Envelope(0)[QStringLiteral("tls")].toBool());
    EXPECT_FALSE(peer.Envelope(0)[QStringLiteral("authenticated")].toBool());
}

TEST_F(SendMailTest, EncryptedConnectionsWithLogin)
{
    struct Case
    {
        const char* security;
        const char* mechanisms;
        SmtpSecurity client;
    };
    const Case cases[] = {
        {"starttls", "PLAIN", SmtpSecurity::StartTls},
        {"starttls", "LOGIN", SmtpSecurity::StartTls},
        {"tls", "PLAIN,LOGIN", SmtpSecurity::Tls},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.security) + " " + c.mechanisms);
        PeerOptions options = Secure(c.security);
        options.mechanisms = QString::fromLatin1(c.mechanisms);
        SmtpPeer peer(options);
        ASSERT_TRUE(peer.Started()) << peer.Diagnostics().toStdString();
        const GermanMail mail = MakeGermanMail(dir.path());

        const MailResult result = SendMail(Local(peer.Port(), c.client, kPassword), mail.request);
        EXPECT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(shown, QStringList());
        ASSERT_EQ(peer.MessageCount(), 1);
        ExpectArrivedIntact(peer, 0, mail);
        EXPECT_TRUE(peer.Envelope(0)[QStringLiteral("tls")].toBool());
        EXPECT_TRUE(peer.Envelope(0)[QStringLiteral("authenticated")].toBool());
    }
}

TEST_F(SendMailTest, RefusedLoginsAndConnectionsSendNothing)
{
    struct Case
    {
        PeerOptions server;
        SmtpSecurity client;
        QString password;
        QString error;
    };
    PeerOptions loginOnly = Secure("starttls");
    loginOnly.mechanisms = S("LOGIN");
    PeerOptions noMechanism = Secure("starttls");
    noMechanism.mechanisms = S("NONE");
    const QString tlsFailed = S("Verschlüsselte Verbindung zum SMTP-Server fehlgeschlagen: ");
    const Case cases[] = {
        {Secure("starttls"), SmtpSecurity::StartTls, S("falsch"),
         S("535:Anmeldung am SMTP-Server fehlgeschlagen")},
        {loginOnly, SmtpSecurity::StartTls, S("falsch"),
         S("535:Anmeldung am SMTP-Server fehlgeschlagen")},
        {Secure("tls"), SmtpSecurity::Tls, S("falsch"),
         S("535:Anmeldung am SMTP-Server fehlgeschlagen")},
        {noMechanism, SmtpSecurity::StartTls, kPassword,
         S("Der SMTP-Server bietet keine Anmeldung mit AUTH PLAIN oder AUTH LOGIN an.")},
        {Secure("starttls", "untrusted"), SmtpSecurity::StartTls, kPassword, tlsFailed},
        {Secure("tls", "untrusted"), SmtpSecurity::Tls, kPassword, tlsFailed},
        {PeerOptions(), SmtpSecurity::StartTls, QString(),
         S("Der SMTP-Server bietet keine verschlüsselte Verbindung (STARTTLS) an.")},
        {Secure("starttls"), SmtpSecurity::None, QString(), S("530:SMTP server error")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error.toStdString());
        shown.clear();
        SmtpPeer peer(c.server);
        ASSERT_TRUE(peer.Started()) << peer.Diagnostics().toStdString();

        const MailResult result = SendMail(Local(peer.Port(), c.client, c.password), ShortMail());
        EXPECT_FALSE(result.ok);
        if (c.error == tlsFailed)
            EXPECT_TRUE(result.error.startsWith(tlsFailed)) << result.error.toStdString();
        else
            EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(shown, QStringList{result.error});
        EXPECT_EQ(peer.MessageCount(), 0);
    }
}

TEST_F(SendMailTest, RefusedRecipients)
{
    PeerOptions options;
    options.refuse = QStringList{S("hans@muster.at")};
    SmtpPeer peer(options);
    ASSERT_TRUE(peer.Started()) << peer.Diagnostics().toStdString();

    // With every recipient refused there is nobody to send to.
    const MailResult alone = SendMail(Local(peer.Port()), ShortMail());
    EXPECT_FALSE(alone.ok);
    EXPECT_EQ(alone.error, S("503:SMTP server not ready for data"));
    EXPECT_EQ(alone.refusedRecipients, QStringList{S("hans@muster.at")});
    EXPECT_EQ(shown, QStringList{alone.error});
    EXPECT_EQ(peer.MessageCount(), 0);

    // The others still get the mail; the refused one is named in the result.
    shown.clear();
    const MailResult others =
        SendMail(Local(peer.Port()), ShortMail(S("hans@muster.at; office@firma.at")));
    EXPECT_TRUE(others.ok) << others.error.toStdString();
    EXPECT_EQ(others.refusedRecipients, QStringList{S("hans@muster.at")});
    EXPECT_EQ(shown, QStringList());
    ASSERT_EQ(peer.MessageCount(), 1);
    EXPECT_EQ(peer.Envelope(0)[QStringLiteral("rcpt_tos")].toArray(),
              QJsonArray{S("office@firma.at")});
}

// A scripted server answers greeting, HELO, MAIL, RCPT, DATA, the message and QUIT in turn.
TEST_F(SendMailTest, BrokenDialoguesEndWithTheirErrorText)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"(["421 Service not available"])", "Server didn't respond."},
        {R"(["SILENT"])", "Server didn't respond."},
        {R"(["CLOSE"])", "Server didn't respond."},
        {R"(["220 ok", "500 unknown"])", "500:SMTP server error"},
        {R"(["220 ok", "250 hallo", "CLOSE"])", "Socket Error"},
        {R"(["220 ok", "250 hallo", "553 sender"])", "553:SMTP server error"},
        {R"(["220 ok", "250 hallo", "250 ok", "CLOSE"])", "Socket Error"},
        {R"(["220 ok", "250 hallo", "250 ok", "250 ok", "451 later"])",
         "451:SMTP server not ready for data"},
        {R"(["220 ok", "250 hallo", "250 ok", "250 ok", "354 go", "554 rejected"])",
         "554:SMTP server error"},
        {R"(["220 ok", "250 hallo", "250 ok", "250 ok", "354 go", "CLOSE"])", "Socket Error"},
        {R"(["220 ok", "250 hallo", "250 ok", "250 ok", "354 go", "250 ok", "SILENT"])", ""},
        // Replies of several lines, and replies that arrive in pieces.
        {R"(["220-Willkommen\r\n|220-bei uns\r\n|220 bereit", "25|0-hallo\r\n|250 ok",
            "250 ok", "2|50 ok", "354 go", "250-angenommen\r\n|250 queued", "221 bye"])",
         ""},
    };
    for (const auto& [script, error] : cases) {
        SCOPED_TRACE(script);
        shown.clear();
        PeerOptions options;
        options.script = QString::fromLatin1(script);
        SmtpPeer peer(options);
        ASSERT_TRUE(peer.Started()) << peer.Diagnostics().toStdString();
        SmtpSettings settings = Local(peer.Port());
        settings.timeoutMs = 1500;

        const MailResult result = SendMail(settings, ShortMail());
        EXPECT_EQ(result.ok, *error == '\0');
        EXPECT_EQ(result.error, QString::fromLatin1(error));
        EXPECT_EQ(shown, result.ok ? QStringList() : QStringList{result.error});
    }
}

TEST_F(SendMailTest, NothingIsAttemptedWithoutRecipientTextOrServer)
{
    const SmtpSettings nobody = Local(FreePort());
    MailRequest noRecipient = ShortMail(S("  "));
    MailRequest noText = ShortMail();
    noText.body.clear();
    SmtpSettings noServer = nobody;
    noServer.server = S(" ");

    EXPECT_EQ(SendMail(nobody, noRecipient).error,
              S("Eine ungültige oder keine E-Mail Adresse '  ' wurde eingegeben!"));
    EXPECT_EQ(SendMail(nobody, noText).error,
              S("Die E-Mail hat keinen Text und wurde nicht versendet."));
    EXPECT_EQ(SendMail(noServer, ShortMail()).error, S("Es ist kein SMTP-Server eingestellt."));
    EXPECT_EQ(shown, QStringList());

    const MailResult unreachable = SendMail(nobody, ShortMail());
    EXPECT_FALSE(unreachable.ok);
    EXPECT_EQ(unreachable.error, S("Unable to connect to server"));
    EXPECT_EQ(shown, QStringList{unreachable.error});
}

TEST_F(SendMailTest, UnusableAddressesAndAttachmentsStopTheMail)
{
    SmtpPeer peer;
    ASSERT_TRUE(peer.Started()) << peer.Diagnostics().toStdString();
    MailRequest badTo = ShortMail(S("hans@muster.at; x> <y@z.at"));
    MailRequest badBcc = ShortMail();
    badBcc.bcc = S("archiv@faktavo.at\r\nRSET");
    MailRequest badFrom = ShortMail();
    badFrom.from = S("office@faktavo.at\r\nRSET");
    MailRequest missingFile = ShortMail();
    missingFile.attachments = QStringList{dir.filePath(S("fehlt.pdf"))};
    const std::pair<MailRequest, QString> cases[] = {
        {badTo, S("Eine ungültige oder keine E-Mail Adresse 'hans@muster.at; x> <y@z.at' wurde "
                  "eingegeben!")},
        {badBcc, S("Eine ungültige oder keine E-Mail Adresse 'archiv@faktavo.at\r\nRSET' wurde "
                   "eingegeben!")},
        {badFrom, S("Eine ungültige oder keine E-Mail Adresse 'office@faktavo.at\r\nRSET' wurde "
                    "eingegeben!")},
        {missingFile,
         S("Übertragung der Datei '%1' ist fehlerhaft!").arg(dir.filePath(S("fehlt.pdf")))},
    };
    for (const auto& [mail, error] : cases) {
        SCOPED_TRACE(error.toStdString());
        shown.clear();
        const MailResult result = SendMail(Local(peer.Port()), mail);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error, error);
        EXPECT_EQ(shown, QStringList{error});
    }
    EXPECT_EQ(peer.MessageCount(), 0);
}

TEST_F(SendMailTest, ClientStepsOutOfOrder)
{
    SmtpPeer peer;
    ASSERT_TRUE(peer.Started()) << peer.Diagnostics().toStdString();
    CMIMEMessage message;
    message.SetBody(S("Text"));

    CSMTP smtp(Local(peer.Port()));
    EXPECT_EQ(smtp.GetLastError(), S("OK"));
    EXPECT_FALSE(smtp.SendMessage(message));
    EXPECT_EQ(smtp.GetLastError(), S("Must be connected"));
    ASSERT_TRUE(smtp.Connect()) << smtp.GetLastError().toStdString();
    EXPECT_FALSE(smtp.SendMessage(message));
    EXPECT_EQ(smtp.GetLastError(), S("No Recipients"));
    ASSERT_TRUE(message.AddRecipient(S("hans@muster.at")));
    EXPECT_TRUE(smtp.SendMessage(message)) << smtp.GetLastError().toStdString();
    EXPECT_TRUE(smtp.Disconnect());
    EXPECT_EQ(peer.MessageCount(), 1);
}
