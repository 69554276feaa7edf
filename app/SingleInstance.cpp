// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QVariant>

#include <sys/stat.h>
#include <unistd.h>

namespace mosgrid {
namespace {

const QByteArray kRaiseRequest = "raise\n";

// `folder` when it is private to this user, made with mode 0700 when it does not exist, and
// closed to others when it is the user's own but open to them; empty otherwise (a link, not a
// folder, or another user's). A folder planted by someone else is never used: whoever owns it
// could take the lock or answer in the running game's place.
QString PrivateFolder(const QString& folder) {
    if (folder.isEmpty()) return {};
    const QByteArray path = QFile::encodeName(folder);
    QDir().mkpath(QFileInfo(folder).absolutePath());
    ::mkdir(path.constData(), 0700);  // fails harmlessly when it exists
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid()) return {};
    if ((info.st_mode & 077) != 0 && ::chmod(path.constData(), 0700) != 0) return {};
    return folder;
}

}  // namespace

QString SingleInstance::KeyFor(const std::filesystem::path& programFolder) {
    const QByteArray folder = QFile::encodeName(QFile::decodeName(programFolder.c_str()));
    const QByteArray hash = QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex().left(24);
    return QStringLiteral("mosgrid-") + QString::fromLatin1(hash);
}

SingleInstance::SingleInstance(const std::filesystem::path& programFolder, QString runtimeFolder,
                               QString fallbackFolder, QObject* parent)
    : QObject(parent) {
    // The folder belongs to the user alone (mode 0700): nobody else can take the lock or answer
    // in place of the running game.
    if (runtimeFolder.isEmpty()) runtimeFolder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (fallbackFolder.isEmpty()) {
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        if (!cache.isEmpty()) fallbackFolder = QDir(cache).filePath(QStringLiteral("mosgrid-run"));
    }
    folder_ = PrivateFolder(runtimeFolder);
    if (folder_.isEmpty()) folder_ = PrivateFolder(fallbackFolder);
    if (folder_.isEmpty()) {
        problem_ = QStringLiteral("Нет папки, доступной только вам, для защиты от второго запуска игры:\n%1\n%2")
                       .arg(runtimeFolder, fallbackFolder);
        return;
    }
    base_ = QDir(folder_).filePath(KeyFor(programFolder));
    lock_ = std::make_unique<QLockFile>(LockPath());
    // The game holds the lock for as long as it runs: only the death of its holder makes a lock
    // stale, never its age.
    lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() {
    // The socket goes before the lock, so that whoever takes the lock next finds no socket.
    delete server_;
    server_ = nullptr;
}

SingleInstance::Start SingleInstance::Claim(int patienceMs) {
    if (!lock_) return Start::Refused;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (lock_->tryLock(0)) {
            // Whatever socket file is there was left by a holder that died: a live one would
            // still hold the lock.
            QLocalServer::removeServer(SocketPath());
            server_ = new QLocalServer(this);
            server_->setSocketOptions(QLocalServer::UserAccessOption);
            connect(server_, &QLocalServer::newConnection, this, &SingleInstance::OnNewConnection);
            // Without the socket the lock still keeps a second game out; it just cannot raise
            // this one.
            server_->listen(SocketPath());
            return Start::First;
        }
        if (lock_->error() != QLockFile::LockFailedError) {
            problem_ = QStringLiteral("Не удалось создать файл блокировки:\n%1").arg(LockPath());
            return Start::Refused;
        }
        if (AskRunningToRaise(500)) return Start::Raised;
        if (waited.elapsed() >= patienceMs) return Start::Busy;
        QThread::msleep(50);
    }
}

bool SingleInstance::AskRunningToRaise(int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(SocketPath());
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(kRaiseRequest);
    const bool sent = socket.waitForBytesWritten(timeoutMs) || socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    return sent;
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
