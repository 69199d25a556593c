// Sending a mail with a 5 MB attachment to a local aiosmtpd: through SendMail (composing,
// Base64, dot-stuffing, the SMTP dialogue) against the same wire bytes written through a bare
// QTcpSocket with the shortest possible dialogue, the floor for any client. Composing alone
// is measured too. The ratio SendMail / bare socket is printed at the end.

#include "common/ratioreporter.h"
#include "messaging/mimemessage.h"
#include "messaging/sendmail.h"
#include "smtp_peer.h"

#include <QCoreApplication>
#include <QFile>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>

using namespace fakvo;

namespace {

constexpr int kAttachmentSize = 5 * 1024 * 1024;
constexpr int kTimeoutMs = 60000;

struct Fixture
{
    QTemporaryDir folder;
    std::unique_ptr<test::SmtpPeer> peer;
    SmtpSettings settings;
    MailRequest mail;
};

Fixture* g_fixture = nullptr;

bool MakeFixture(Fixture& f)
{
    test::PeerOptions options;
    options.discard = true;
    f.peer = std::make_unique<test::SmtpPeer>(options);
    if (!f.peer->Started()) {
        std::fprintf(stderr, "SMTP peer: %s\n", qPrintable(f.peer->Diagnostics()));
        return false;
    }
    QByteArray bytes(kAttachmentSize, Qt::Uninitialized);
    quint32 x = 7;
    for (char& b : bytes) {
        x = x * 1664525u + 1013904223u;
        b = static_cast<char>(x >> 24);
    }
    QFile file(f.folder.filePath(QStringLiteral("Rechnung 2024001.pdf")));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    file.close();

    f.settings.server = QStringLiteral("127.0.0.1");
    f.settings.port = f.peer->Port();
    f.settings.timeoutMs = kTimeoutMs;
    f.mail.from = QStringLiteral("office@faktavo.at");
    f.mail.to = QStringLiteral("hans@muster.at");
    f.mail.subject = QString::fromUtf8("Rechnung Nr.: 2024001 für Jänner");
    f.mail.body = QString::fromUtf8("Sehr geehrte Frau Öller,\n\nanbei die Rechnung über 12,50 €.");
    f.mail.attachments = QStringList{file.fileName()};
    return true;
}

// The message as the engine puts it on the wire after DATA.
QByteArray ComposeWire(const MailRequest& mail)
{
    CMIMEMessage message;
    message.SetFrom(mail.from);
    message.SetSubject(mail.subject);
    message.SetBody(mail.body);
    message.AddMultipleRecipients(mail.to);
    for (const QString& path : mail.attachments)
        message.AddMIMEPart(path, CMIMEMessage::ApplicationOctetStream, QString(),
                            CMIMEMessage::EncodingBase64, true);
    QString error;
    if (!message.Format(error))
        return {};
    return DotStuff(message.Header() + message.Content());
}

bool ReadReply(QTcpSocket& socket)
{
    for (;;) {
        while (socket.canReadLine()) {
            const QByteArray line = socket.readLine();
            if (line.size() < 4 || line[3] != '-')
                return line.startsWith('2') || line.startsWith('3');
        }
        if (!socket.waitForReadyRead(kTimeoutMs))
            return false;
    }
}

bool Send(QTcpSocket& socket, const QByteArray& data)
{
    socket.write(data);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(kTimeoutMs))
            return false;
    }
    return true;
}

bool PipeThroughBareSocket(const QByteArray& wire)
{
    QTcpSocket socket;
    socket.connectToHost(g_fixture->settings.server,
                         static_cast<quint16>(g_fixture->settings.port));
    if (!socket.waitForConnected(kTimeoutMs) || !ReadReply(socket))
        return false;
    for (const char* command : {"HELO localhost\r\n", "MAIL From: <office@faktavo.at>\r\n",
                                "RCPT TO: <hans@muster.at>\r\n", "DATA\r\n"}) {
        if (!Send(socket, command) || !ReadReply(socket))
            return false;
    }
    return Send(socket, wire) && Send(socket, "\r\n.\r\n") && ReadReply(socket) &&
           Send(socket, "QUIT\r\n") && ReadReply(socket);
}

void BM_SendMail(benchmark::State& state)
{
    for (auto _ : state) {
        const MailResult result = SendMail(g_fixture->settings, g_fixture->mail);
        if (!result.ok) {
            state.SkipWithError(qPrintable(result.error));
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * kAttachmentSize);
}

void BM_BareSocket(benchmark::State& state)
{
    const QByteArray wire = ComposeWire(g_fixture->mail);
    for (auto _ : state) {
        if (!PipeThroughBareSocket(wire)) {
            state.SkipWithError("bare socket dialogue failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * kAttachmentSize);
}

void BM_ComposeOnly(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ComposeWire(g_fixture->mail));
    state.SetBytesProcessed(state.iterations() * kAttachmentSize);
}

// The server's speed varies with the machine's load: each benchmark runs three times and the
// medians are compared.
#define FAKVO_MAIL_BENCHMARK(name)                                                                 \
    BENCHMARK(name)                                                                                \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->UseRealTime()                                                                            \
        ->MinTime(1.0)                                                                             \
        ->Repetitions(3)                                                                           \
        ->ReportAggregatesOnly(true)

FAKVO_MAIL_BENCHMARK(BM_SendMail);
FAKVO_MAIL_BENCHMARK(BM_BareSocket);
FAKVO_MAIL_BENCHMARK(BM_ComposeOnly);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Fixture fixture;
    if (!MakeFixture(fixture))
        return 1;
    g_fixture = &fixture;

    fakvo::bench::RatioReporter reporter(fakvo::bench::RatioReporter::Measure::MedianReal);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("SendMail / bare socket (medians, ms)", "BM_SendMail", "BM_BareSocket");
    benchmark::Shutdown();
    g_fixture = nullptr;
    return 0;
}
