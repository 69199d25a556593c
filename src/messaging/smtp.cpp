#include "smtp.h"

#include "messaging/base64.h"
#include "messaging/mailmessage.h"
#include "messaging/mimeheader.h"
#include "platform/workstation.h"

#include <QSslSocket>

#include <algorithm>
#include <cstring>

namespace fakvo {
namespace {

struct ExpectedReply
{
    int code;
    const char* error;
};

// Indexed by CSMTP::ReplyIndex.
constexpr ExpectedReply kExpected[] = {
    {250, "SMTP server error"},
    {220, "SMTP server not available"},
    {354, "SMTP server not ready for data"},
    {221, "SMTP server didn't terminate session"},
};

constexpr qsizetype kLongestReply = 64 * 1024;
constexpr int kLongestHostName = 80;
constexpr int kCloseWaitMs = 2000;

QString Text(const char* latin1)
{
    return QString::fromLatin1(latin1);
}

// The name this workstation gives in HELO/EHLO: the host name when it is a plain domain
// name, else "localhost".
QByteArray HelloName()
{
    const QByteArray name = HostName().left(kLongestHostName).toLatin1();
    const bool plain = !name.isEmpty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '.';
    });
    return plain ? name : QByteArray("localhost");
}

// The mechanisms an EHLO reply offers after "AUTH" (or the older "AUTH=").
QList<QByteArray> AuthMechanisms(const QList<QByteArray>& capabilities)
{
    for (const QByteArray& line : capabilities) {
        const QByteArray upper = line.toUpper();
        if (upper.startsWith("AUTH ") || upper.startsWith("AUTH="))
            return upper.mid(5).simplified().split(' ');
    }
    return {};
}

bool Offers(const QList<QByteArray>& capabilities, const QByteArray& keyword)
{
    return std::any_of(capabilities.begin(), capabilities.end(), [&](const QByteArray& line) {
        return line.toUpper().split(' ').first() == keyword;
    });
}

} // namespace

CSMTP::CSMTP(const SmtpSettings& settings) : m_settings(settings)
{
    if (m_settings.port < 1 || m_settings.port > 65535)
        m_settings.port = 25;
}

CSMTP::~CSMTP()
{
    Disconnect();
}

bool CSMTP::Fail(const QString& error)
{
    m_lastError = error;
    return false;
}

bool CSMTP::Connect()
{
    if (m_connected)
        return true;
    m_received.clear();
    m_socket = std::make_unique<QSslSocket>();
    const auto port = static_cast<quint16>(m_settings.port);
    const bool implicitTls = m_settings.security == SmtpSecurity::Tls;
    if (implicitTls)
        m_socket->connectToHostEncrypted(m_settings.server, port);
    else
        m_socket->connectToHost(m_settings.server, port);
    if (!m_socket->waitForConnected(m_settings.timeoutMs)) {
        CloseSocket();
        return Fail(Text("Unable to connect to server"));
    }

    bool ready = (!implicitTls || WaitForEncryption()) && Greet();
    const bool extended = m_settings.security != SmtpSecurity::None || !m_settings.user.isEmpty();
    if (ready && !extended) {
        ready = Command("HELO " + HelloName() + "\r\n", GenericReply);
    } else if (ready) {
        QList<QByteArray> capabilities;
        ready = Hello(capabilities);
        if (ready && m_settings.security == SmtpSecurity::StartTls)
            ready = StartTls(capabilities) && Hello(capabilities);
        if (ready && !m_settings.user.isEmpty())
            ready = Login(capabilities);
    }
    if (!ready) {
        CloseSocket();
        return false;
    }
    m_connected = true;
    return true;
}

bool CSMTP::Disconnect()
{
    if (!m_connected) {
        CloseSocket();
        return true;
    }
    // A connection the server has already closed gets no QUIT.
    const bool open = m_socket->state() == QAbstractSocket::ConnectedState;
    const bool ok = open && Command("QUIT\r\n", QuitReply);
    if (ok && m_socket->state() != QAbstractSocket::UnconnectedState) {
        m_socket->disconnectFromHost();
        if (m_socket->state() != QAbstractSocket::UnconnectedState)
            m_socket->waitForDisconnected(std::min(m_settings.timeoutMs, kCloseWaitMs));
    }
    CloseSocket();
    m_connected = false;
    return ok;
}

void CSMTP::CloseSocket()
{
    if (m_socket)
        m_socket->abort();
    m_socket.reset();
    m_received.clear();
}

bool CSMTP::SendMessage(CMailMessage& message)
{
    if (!m_connected)
        return Fail(Text("Must be connected"));
    return FormatMailMessage(message) && TransmitMessage(message);
}

bool CSMTP::FormatMailMessage(CMailMessage& message)
{
    if (message.GetNumRecipients(CMailMessage::To) == 0)
        return Fail(Text("No Recipients"));
    QString error;
    return message.Format(error) || Fail(error);
}

bool CSMTP::TransmitMessage(CMailMessage& message)
{
    if (!m_connected)
        return Fail(Text("Must be connected"));
    m_refused.clear();
    const QString from = message.FromAddress();
    if (!from.isEmpty() && !mime::IsPlainAddress(from))
        return Fail(InvalidAddressMessage(from));
    if (!Command("MAIL From: <" + from.toLatin1() + ">\r\n", GenericReply))
        return false;
    for (int list : {CMailMessage::To, CMailMessage::Cc, CMailMessage::Bcc}) {
        for (int i = 0; i < message.GetNumRecipients(list); ++i) {
            const QString address = message.GetRecipient(i, list)->address;
            if (!Write("RCPT TO: <" + address.toLatin1() + ">\r\n"))
                return false;
            const std::optional<Reply> reply = ReadReply();
            if (!reply)
                return Fail(Text("Socket Error"));
            if (reply->code != 250 && reply->code != 251)
                m_refused.append(address);
        }
    }
    return Command("DATA\r\n", DataReply) &&
           Write(DotStuff(message.Header() + message.Content())) &&
           Command("\r\n.\r\n", GenericReply);
}

bool CSMTP::Write(const QByteArray& data)
{
    if (m_socket->write(data) != data.size())
        return Fail(Text("Socket Error"));
    while (m_socket->bytesToWrite() + m_socket->encryptedBytesToWrite() > 0) {
        if (!m_socket->waitForBytesWritten(m_settings.timeoutMs))
            return Fail(Text("Socket Error"));
    }
    return true;
}

std::optional<CSMTP::Reply> CSMTP::ReadReply()
{
    Reply reply;
    for (;;) {
        qsizetype end;
        while ((end = m_received.indexOf('\n')) >= 0) {
            QByteArray line = m_received.left(end);
            m_received.remove(0, end + 1);
            if (line.endsWith('\r'))
                line.chop(1);
            reply.lines.append(line.mid(4));
            if (line.size() < 4 || line[3] != '-') {
                bool number = false;
                reply.code = line.left(3).toInt(&number);
                if (!number)
                    reply.code = 0;
                return reply;
            }
        }
        if (m_received.size() > kLongestReply)
            return std::nullopt;
        if (m_socket->bytesAvailable() == 0 && !m_socket->waitForReadyRead(m_settings.timeoutMs))
            return std::nullopt;
        m_received += m_socket->readAll();
    }
}

std::optional<CSMTP::Reply> CSMTP::GetResponse(ReplyIndex index)
{
    std::optional<Reply> reply = ReadReply();
    if (!reply) {
        Fail(Text("Socket Error"));
        return std::nullopt;
    }
    if (reply->code != kExpected[index].code) {
        Fail(QStringLiteral("%1:%2").arg(reply->code).arg(Text(kExpected[index].error)));
        return std::nullopt;
    }
    return reply;
}

bool CSMTP::Command(const QByteArray& line, ReplyIndex index)
{
    return Write(line) && GetResponse(index).has_value();
}

bool CSMTP::Greet()
{
    return GetResponse(ConnectReply).has_value() || Fail(Text("Server didn't respond."));
}

bool CSMTP::Hello(QList<QByteArray>& capabilities)
{
    if (!Write("EHLO " + HelloName() + "\r\n"))
        return false;
    const std::optional<Reply> reply = GetResponse(GenericReply);
    if (!reply)
        return false;
    capabilities = reply->lines.mid(1);
    return true;
}

bool CSMTP::WaitForEncryption()
{
    if (m_socket->waitForEncrypted(m_settings.timeoutMs))
        return true;
    const QList<QSslError> errors = m_socket->sslHandshakeErrors();
    const QString reason =
        errors.isEmpty() ? m_socket->errorString() : errors.first().errorString();
    return Fail(
        QStringLiteral("Verschlüsselte Verbindung zum SMTP-Server fehlgeschlagen: %1").arg(reason));
}

bool CSMTP::StartTls(const QList<QByteArray>& capabilities)
{
    const QString refused =
        QStringLiteral("Der SMTP-Server bietet keine verschlüsselte Verbindung (STARTTLS) an.");
    if (!Offers(capabilities, "STARTTLS"))
        return Fail(refused);
    if (!Write("STARTTLS\r\n"))
        return false;
    const std::optional<Reply> reply = ReadReply();
    if (!reply)
        return Fail(Text("Socket Error"));
    if (reply->code != 220)
        return Fail(QStringLiteral("%1:%2").arg(reply->code).arg(refused));
    // Nothing the server sent before the switch may be taken as part of the encrypted dialogue.
    m_received.clear();
    m_socket->startClientEncryption();
    return WaitForEncryption();
}

bool CSMTP::Login(const QList<QByteArray>& capabilities)
{
    const CBase64 base64;
    const QByteArray user = m_settings.user.toUtf8();
    const QByteArray password = m_settings.password.toUtf8();
    const QList<QByteArray> mechanisms = AuthMechanisms(capabilities);
    const auto failed = [this](int code) {
        return Fail(QStringLiteral("%1:Anmeldung am SMTP-Server fehlgeschlagen").arg(code));
    };
    std::optional<Reply> reply;
    const auto step = [&](const QByteArray& line, int code) {
        if (!Write(line))
            return false;
        reply = ReadReply();
        if (!reply)
            return Fail(Text("Socket Error"));
        return reply->code == code || failed(reply->code);
    };
    if (mechanisms.contains("PLAIN"))
        return step("AUTH PLAIN " + base64.Encode('\0' + user + '\0' + password) + "\r\n", 235);
    if (mechanisms.contains("LOGIN"))
        return step("AUTH LOGIN\r\n", 334) && step(base64.Encode(user) + "\r\n", 334) &&
               step(base64.Encode(password) + "\r\n", 235);
    return Fail(QStringLiteral(
        "Der SMTP-Server bietet keine Anmeldung mit AUTH PLAIN oder AUTH LOGIN an."));
}

QByteArray DotStuff(const QByteArray& data)
{
    QByteArray out;
    out.reserve(data.size() + data.size() / 256 + 1);
    const char* const begin = data.constData();
    const char* const end = begin + data.size();
    const char* from = begin;
    if (from != end && *from == '.')
        out += '.';
    while (const void* found = std::memchr(from, '\n', static_cast<size_t>(end - from))) {
        const char* next = static_cast<const char*>(found) + 1;
        out.append(from, next - from);
        if (next != end && *next == '.')
            out += '.';
        from = next;
    }
    out.append(from, end - from);
    return out;
}

} // namespace fakvo
