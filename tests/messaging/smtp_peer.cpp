#include "smtp_peer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace fakvo::test {
namespace {

const QString kPython = QStringLiteral("/usr/bin/python3");
constexpr int kStartLimitMs = 15000;
constexpr int kStopLimitMs = 5000;

QString DataFile(const char* name)
{
    return QStringLiteral(FAKVO_MESSAGING_TEST_DATA "/") + QString::fromLatin1(name);
}

bool PortAccepts(int port)
{
    QTcpSocket probe;
    probe.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(port));
    const bool accepted = probe.waitForConnected(250);
    probe.abort();
    return accepted;
}

} // namespace

int FreePort()
{
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        return 0;
    return server.serverPort();
}

SmtpPeer::SmtpPeer(const PeerOptions& options)
{
    m_port = FreePort();
    QStringList args{DataFile("smtp_peer.py"), QStringLiteral("--port"),
                     QString::number(m_port),  QStringLiteral("--out"),
                     m_folder.path(),          QStringLiteral("--security"),
                     options.security};
    const auto add = [&args](const char* option, const QString& value) {
        if (!value.isEmpty())
            args << QString::fromLatin1(option) << value;
    };
    add("--cert", options.certificate);
    add("--key", options.key);
    add("--user", options.user);
    add("--password", options.password);
    add("--mechanisms", options.mechanisms);
    add("--script", options.script);
    for (const QString& address : options.refuse)
        add("--refuse", address);
    if (options.discard)
        args << QStringLiteral("--discard");

    m_process = std::make_unique<QProcess>();
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->start(kPython, args);
    if (!m_process->waitForStarted(kStartLimitMs))
        return;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kStartLimitMs && m_process->state() == QProcess::Running) {
        if (PortAccepts(m_port)) {
            m_started = true;
            return;
        }
        QThread::msleep(50);
    }
}

SmtpPeer::~SmtpPeer()
{
    if (m_process->state() != QProcess::NotRunning) {
        m_process->terminate();
        if (!m_process->waitForFinished(kStopLimitMs)) {
            m_process->kill();
            m_process->waitForFinished(kStopLimitMs);
        }
    }
}

QString SmtpPeer::Diagnostics() const
{
    return QStringLiteral("port %1, state %2, error %3, output: %4")
        .arg(m_port)
        .arg(m_process->state())
        .arg(m_process->errorString(), QString::fromUtf8(m_process->readAll()));
}

int SmtpPeer::MessageCount() const
{
    return static_cast<int>(
        QDir(m_folder.path()).entryList({QStringLiteral("*.eml")}, QDir::Files).size());
}

QString SmtpPeer::MessagePath(int n) const
{
    return m_folder.filePath(QStringLiteral("%1.eml").arg(n + 1));
}

QByteArray SmtpPeer::Message(int n) const
{
    QFile file(MessagePath(n));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QJsonObject SmtpPeer::Envelope(int n) const
{
    QFile file(m_folder.filePath(QStringLiteral("%1.json").arg(n + 1)));
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object()
                                          : QJsonObject();
}

QJsonObject ParseMail(const QString& path)
{
    QProcess parser;
    parser.start(kPython, {DataFile("parse_mail.py"), path});
    if (!parser.waitForFinished(30000) || parser.exitCode() != 0)
        return QJsonObject{
            {QStringLiteral("parser_error"), QString::fromUtf8(parser.readAllStandardError())}};
    return QJsonDocument::fromJson(parser.readAllStandardOutput()).object();
}

bool MakeCertificate(const QString& folder, const QString& stem)
{
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                   QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                   QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                   QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-addext"),
                   QStringLiteral("subjectAltName=IP:127.0.0.1"), QStringLiteral("-keyout"),
                   QDir(folder).filePath(stem + QStringLiteral(".key")), QStringLiteral("-out"),
                   QDir(folder).filePath(stem + QStringLiteral(".pem"))});
    return openssl.waitForFinished(30000) && openssl.exitStatus() == QProcess::NormalExit &&
           openssl.exitCode() == 0;
}

} // namespace fakvo::test
