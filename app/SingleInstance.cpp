#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QVariant>

namespace mosgrid {
namespace {

const QByteArray kRaiseRequest = "raise\n";

}  // namespace

QString SingleInstance::KeyFor(unsigned userId, const std::filesystem::path& programFolder) {
    // The folder can be long and hold any character: its hash keeps the name short and safe.
    const QByteArray folder = QFile::encodeName(QFile::decodeName(programFolder.c_str()));
    const QByteArray hash = QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex().left(24);
    return QStringLiteral("mosgrid-%1-%2").arg(userId).arg(QString::fromLatin1(hash));
}

SingleInstance::SingleInstance(QString key, QObject* parent) : QObject(parent), key_(std::move(key)) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::AskRunningToRaise(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(key_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(kRaiseRequest);
    socket.flush();
    socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::Listen(std::function<void()> raise) {
    raise_ = std::move(raise);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::OnNewConnection);
    if (server_->listen(key_)) return true;
    // A socket file left behind by a program that did not end cleanly: nobody answered on it
    // (AskRunningToRaise came first), so it can go.
    QLocalServer::removeServer(key_);
    return server_->listen(key_);
}

void SingleInstance::OnNewConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto handle = [this, socket] {
            // The request may come in pieces: collect it until it is whole.
            QByteArray received = socket->property("received").toByteArray() + socket->readAll();
            socket->setProperty("received", received);
            if (received.contains(kRaiseRequest)) {
                socket->setProperty("received", QByteArray());
                if (raise_) raise_();
            }
        };
        connect(socket, &QLocalSocket::readyRead, this, handle);
        if (socket->bytesAvailable() > 0) handle();
    }
}

}  // namespace mosgrid
