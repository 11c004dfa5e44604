// The hand-off protocol: the files' absolute paths, one per line, as their bytes
// (PathBytes), then the sender closes its end; at most kMaxHandOffBytes.
#include "editor/app/SingleInstance.h"

#include "editor/document/MessageService.h"
#include "editor/document/PathBytes.h"

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
    for (const QString& file : files) {
        const std::string bytes = PathToBytes(QFileInfo(file).absoluteFilePath());
        message += QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())) + '\n';
    }
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
        auto refused = std::make_shared<bool>(false);
        // Reads what came, refusing the whole hand-off once it passes the limit.
        const auto take = [socket, buffer, refused] {
            if (*refused) return;
            *buffer += socket->read(kMaxHandOffBytes + 1 - buffer->size());
            if (buffer->size() > kMaxHandOffBytes) {
                *refused = true;
                buffer->clear();
                socket->abort();
            }
        };
        connect(socket, &QLocalSocket::readyRead, socket, take);
        connect(socket, &QLocalSocket::disconnected, this, [this, socket, buffer, refused, take] {
            take();
            socket->deleteLater();
            if (*refused) return;
            QStringList files;
            for (const QByteArray& line : buffer->split('\n'))
                if (!line.isEmpty())
                    files << PathFromBytes(std::string_view(line.constData(), std::size_t(line.size())));
            if (m_open) m_open(files);
        });
    }
}

void OpenHandedFiles(const QStringList& files, const std::function<void(const QString&)>& open) {
    RecordingMessageService gathered;
    {
        ScopedMessageService scope(gathered);
        for (const QString& file : files) open(file);
    }
    if (gathered.shown.empty()) return;
    MessageRequest one = gathered.shown.front();
    for (std::size_t i = 1; i < gathered.shown.size(); ++i) one.text += QStringLiteral("\n\n") + gathered.shown[i].text;
    ShowMessage(one);
}

}  // namespace mirtala::app
