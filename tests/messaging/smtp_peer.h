#pragma once
// The receiving side for mail tests and benchmarks: a Python SMTP server (aiosmtpd, or a
// scripted raw server) started on a free port of 127.0.0.1 and stopped when this object goes.

#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace fakvo::test {

struct PeerOptions
{
    QString security = QStringLiteral("none"); // "none", "starttls" or "tls"
    QString certificate;                       // PEM files for TLS
    QString key;
    QString user; // a login is required when set
    QString password;
    QString mechanisms;   // "PLAIN", "LOGIN" or both, comma-separated
    QStringList refuse;   // recipients answered with 550
    QString script;       // JSON list of replies: the scripted server
    bool discard = false; // accept messages without keeping them
};

class SmtpPeer
{
public:
    explicit SmtpPeer(const PeerOptions& options = {});
    ~SmtpPeer();
    SmtpPeer(const SmtpPeer&) = delete;
    SmtpPeer& operator=(const SmtpPeer&) = delete;

    // True once the server accepts connections; otherwise Diagnostics() tells why.
    bool Started() const { return m_started; }
    int Port() const { return m_port; }
    QString Diagnostics() const;

    // The messages received so far, in arrival order: the bytes after DATA, and the envelope
    // (mail_from, rcpt_tos, tls, authenticated).
    int MessageCount() const;
    QByteArray Message(int n) const;
    QString MessagePath(int n) const;
    QJsonObject Envelope(int n) const;

private:
    QTemporaryDir m_folder;
    std::unique_ptr<QProcess> m_process;
    int m_port = 0;
    bool m_started = false;
};

// A port on 127.0.0.1 that nothing listens on at the moment.
int FreePort();

// The message as Python's email package reads it (see data/parse_mail.py).
QJsonObject ParseMail(const QString& path);

// Makes a self-signed certificate for 127.0.0.1 in `folder`: "<stem>.pem" and "<stem>.key".
bool MakeCertificate(const QString& folder, const QString& stem);

} // namespace fakvo::test
