#pragma once
// A small SMTP client. By default it speaks the plain dialogue (HELO, MAIL, RCPT, DATA,
// QUIT) on port 25; encryption (STARTTLS or TLS from the start) and a login (AUTH PLAIN or
// LOGIN) are switched on by the settings and then use EHLO. All calls block the calling
// thread, each wait bounded by the settings' time-out.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QSslSocket;

namespace fakvo {

class CMailMessage;

enum class SmtpSecurity : int
{
    None = 0,     // plain text
    StartTls = 1, // plain connection, switched to TLS with STARTTLS before anything is sent
    Tls = 2,      // TLS from the first byte (usually port 465)
};

// How to reach the outgoing mail server.
struct SmtpSettings
{
    QString server; // host name or address, without port
    int port = 25;  // another value than 1..65535 means 25
    SmtpSecurity security = SmtpSecurity::None;
    QString user; // a login is made only when this is not empty
    QString password;
    int timeoutMs = 60000; // the longest wait for the server at each step
};

class CSMTP
{
public:
    explicit CSMTP(const SmtpSettings& settings);
    virtual ~CSMTP();
    CSMTP(const CSMTP&) = delete;
    CSMTP& operator=(const CSMTP&) = delete;

    bool Connect();
    bool Disconnect();
    bool SendMessage(CMailMessage& message);
    // "OK", or the text of the last failure.
    const QString& GetLastError() const { return m_lastError; }
    // The recipients the server refused in the last message; the others got it.
    const QStringList& RefusedRecipients() const { return m_refused; }

protected:
    virtual bool FormatMailMessage(CMailMessage& message);
    virtual bool TransmitMessage(CMailMessage& message);

private:
    enum ReplyIndex
    {
        GenericReply = 0,
        ConnectReply = 1,
        DataReply = 2,
        QuitReply = 3
    };
    struct Reply
    {
        int code = 0;
        QList<QByteArray> lines; // the text after each line's code
    };

    bool Fail(const QString& error);
    bool Write(const QByteArray& data);
    std::optional<Reply> ReadReply();
    // Reads a reply and checks its code against the table; sets the error text otherwise.
    std::optional<Reply> GetResponse(ReplyIndex index);
    bool Command(const QByteArray& line, ReplyIndex index);
    bool Greet();
    bool Hello(QList<QByteArray>& capabilities);
    bool StartTls(const QList<QByteArray>& capabilities);
    bool WaitForEncryption();
    bool Login(const QList<QByteArray>& capabilities);
    void CloseSocket();

    SmtpSettings m_settings;
    bool m_connected = false;
    QString m_lastError = QStringLiteral("OK");
    QStringList m_refused;
    std::unique_ptr<QSslSocket> m_socket;
    QByteArray m_received;
};

// Doubles the dot at the start of every line, so that no line of the data ends it early.
QByteArray DotStuff(const QByteArray& data);

} // namespace fakvo
