// The hand-off protocol: the files' absolute paths, one per line, in UTF-8,
// then the sender closes its end.
#include "editor/app/SingleInstance.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace mirtala::app {

namespace {
constexpr int kTimeoutMs = 3000;
}

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}
SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerName() {
    QByteArray display = qgetenv("WAYLAND_DISPLAY");
    if (display.isEmpty()) display = qgetenv("DISPLAY");
    if (display.isEmpty()) display = qgetenv("QT_QPA_PLATFORM");
    const QByteArray hash = QCryptographicHash::hash(display, QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("mirtala-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash));
}

bool SingleInstance::HandOff(const QStringList& files) {
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(kTimeoutMs)) return false;
    QByteArray message;
    for (const QString& file : files) message += QFileInfo(file).absoluteFilePath().toUtf8() + '\n';
    if (message.isEmpty()) message = "\n";  // no files: the running editor opens a new document
    socket.write(message);
    if (!socket.waitForBytesWritten(kTimeoutMs)) return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kTimeoutMs);
    return true;
}

bool SingleInstance::Listen(std::function<void(const QStringList&)> open) {
    m_open = std::move(open);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(ServerName())) {
        // Nobody answered HandOff, so a socket file left by a crashed editor is stale.
        QLocalServer::removeServer(ServerName());
        if (!m_server->listen(ServerName())) return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
    return true;
}

void SingleInstance::OnConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, socket, [socket, buffer] { *buffer += socket->readAll(); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket, buffer] {
            *buffer += socket->readAll();
            socket->deleteLater();
            QStringList files;
            for (const QByteArray& line : buffer->split('\n'))
                if (!line.isEmpty()) files << QString::fromUtf8(line);
            if (m_open) m_open(files);
        });
    }
}

}  // namespace mirtala::app
