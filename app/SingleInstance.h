// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLockFile>
#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <memory>

class QLocalServer;

namespace mosgrid {

// One running program per user and program folder, so that two windows never write the same
// catalogue and last-game files. The first start takes a lock file in the user's runtime folder
// (or, when that folder is missing, planted by someone else or open to others, in a private
// folder in the user's cache folder) and, holding it, listens on a local socket beside it; a later start finds the lock taken, asks
// the owner through the socket to come to the front and ends. The lock decides, never the
// socket: two starts at the same moment cannot both win, a socket is removed only by the lock's
// holder, and a lock left by a program that died is taken over.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Start {
        First,      // this start holds the lock: it runs the game
        Raised,     // another start holds it and was asked to come to the front: this one ends
        Busy,       // another start holds it but never answered: this one ends
        Refused,    // no private folder for the lock, or the lock file cannot be made: this
                    // start ends, Problem() says why
    };

    // The lock and socket names of a program folder (a hash: the folder can be long and hold
    // any character).
    static QString KeyFor(const std::filesystem::path& programFolder);

    // `runtimeFolder` empty: the user's runtime folder. `fallbackFolder` empty: "mosgrid-run" in
    // the user's cache folder. The first of the two that is private to the user is used: a real
    // folder (not a link) owned by the user with no access for anyone else. A missing one is
    // made with mode 0700; one of the user's own that is open to others is closed to them.
    explicit SingleInstance(const std::filesystem::path& programFolder, QString runtimeFolder = {},
                            QString fallbackFolder = {}, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock and listens, or asks its holder to raise its window. While the holder is
    // still starting (it has the lock but does not listen yet) or ending, this start tries again
    // until `patienceMs` have passed.
    Start Claim(int patienceMs = 10000);

    // What a later start's request does once this start runs the game.
    void OnRaise(std::function<void()> raise) { raise_ = std::move(raise); }

    // Why the start was refused, for the player; empty otherwise.
    QString Problem() const { return problem_; }
    // The folder that holds the lock and the socket; empty when there is none.
    QString Folder() const { return folder_; }

    QString LockPath() const { return base_.isEmpty() ? QString() : base_ + QStringLiteral(".lock"); }
    QString SocketPath() const { return base_.isEmpty() ? QString() : base_ + QStringLiteral(".socket"); }

private:
    bool AskRunningToRaise(int timeoutMs) const;
    void OnNewConnection();

    QString folder_;
    QString base_;  // folder / key
    QString problem_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    std::function<void()> raise_;
};

}  // namespace mosgrid
