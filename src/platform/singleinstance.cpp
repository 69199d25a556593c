#include "singleinstance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace fakvo {

namespace {
constexpr int kConnectTimeoutMs = 500;
const char kRaiseRequest[] = "raise\n";
} // namespace

SingleInstance::SingleInstance(QString key, QObject* parent)
    : QObject(parent), m_key(std::move(key))
{
}

QString SingleInstance::DefaultKey()
{
    return QStringLiteral("faktavo-%1").arg(getuid());
}

bool SingleInstance::AskRunningInstanceToRaise() const
{
    QLocalSocket socket;
    socket.connectToServer(m_key);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(kRaiseRequest);
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::Listen()
{
    if (m_server == nullptr) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* client = m_server->nextPendingConnection()) {
                connect(client, &QLocalSocket::readyRead, this, [this, client] {
                    if (client->readAll().contains("raise"))
                        emit raiseRequested();
                });
                connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            }
        });
    }
    if (m_server->listen(m_key))
        return true;
    // A socket file left by a crashed instance: nobody answered on it, so take it over.
    QLocalServer::removeServer(m_key);
    return m_server->listen(m_key);
}

} // namespace fakvo
