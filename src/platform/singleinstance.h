#pragma once
// One running Faktavo per user: the first start listens on a per-user local socket; a later
// start finds it, asks it to come to the front and ends.

#include <QObject>
#include <QString>

class QLocalServer;

namespace fakvo {

class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // `key` names the socket; tests pass their own so they never meet a real session.
    explicit SingleInstance(QString key, QObject* parent = nullptr);

    // True when another instance answered and was asked to come to the front.
    bool AskRunningInstanceToRaise() const;

    // Starts listening so later starts find this one. False when the socket cannot be taken.
    bool Listen();

    static QString DefaultKey();

signals:
    void raiseRequested();

private:
    QString m_key;
    QLocalServer* m_server = nullptr;
};

} // namespace fakvo
