// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "FolderHandOver.h"

#include "GivenFolder.h"

#include <QFile>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <memory>

namespace quorin {
namespace {

// No path on Linux is longer; more is not a path.
constexpr qint64 LongestMessage = 4096;
// A peer that neither finishes nor leaves is cut off.
constexpr int PeerPatienceMs = 5000;
// The running copy takes its lock a moment before it listens.
constexpr int ConnectTries = 30;
constexpr int ConnectPauseMs = 100;

QString socketPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QStringLiteral("/quorin.socket");
}

} // namespace

QString handedFolder(const QByteArray &message)
{
    if (message.size() > LongestMessage || !message.startsWith('/') || message.contains('\n')
        || message.contains('\0'))
        return {};
    return givenFolder(QFile::decodeName(message));
}

FolderHandOver::FolderHandOver(std::function<void(const QString &folder)> receive) : receive_(std::move(receive))
{
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &FolderHandOver::takeConnection);
}

bool FolderHandOver::listen()
{
    QLocalServer::removeServer(socketPath());
    return server_.listen(socketPath());
}

void FolderHandOver::takeConnection()
{
    while (QLocalSocket *peer = server_.nextPendingConnection()) {
        // Owned by the peer's connections, so it lives exactly as long as they do.
        const auto message = std::make_shared<QByteArray>();
        const auto refuse = [peer, message] {
            message->fill(' ', LongestMessage + 1);
            peer->abort();
        };
        connect(peer, &QLocalSocket::readyRead, peer, [peer, message, refuse] {
            message->append(peer->readAll());
            if (message->size() > LongestMessage)
                refuse();
        });
        connect(peer, &QLocalSocket::disconnected, this, [this, peer, message] {
            if (message->size() <= LongestMessage)
                message->append(peer->readAll());
            peer->deleteLater();
            const QString folder = handedFolder(*message);
            if (!folder.isEmpty())
                receive_(folder);
        });
        QTimer::singleShot(PeerPatienceMs, peer, refuse);
    }
}

bool handOverFolder(const QString &folder)
{
    QLocalSocket socket;
    for (int tries = 0; tries < ConnectTries; ++tries) {
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(ConnectPauseMs))
            break;
        QThread::msleep(ConnectPauseMs);
    }
    if (socket.state() != QLocalSocket::ConnectedState)
        return false;
    socket.write(QFile::encodeName(folder));
    socket.flush();
    socket.disconnectFromServer();
    return socket.state() == QLocalSocket::UnconnectedState || socket.waitForDisconnected(1000);
}

} // namespace quorin
