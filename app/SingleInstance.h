#pragma once
#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>

class QLocalServer;

namespace mosgrid {

// One running program per user and program folder. The first start listens on a local socket;
// a later start finds it, asks it to come to the front and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The socket name of a user (uid) and a program folder.
    static QString KeyFor(unsigned userId, const std::filesystem::path& programFolder);

    explicit SingleInstance(QString key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another instance answered and was asked to raise its window: this start ends.
    bool AskRunningToRaise(int timeoutMs = 1000);

    // Starts listening; every later start calls `raise`. False when the socket cannot be made
    // (the program then runs without the guard).
    bool Listen(std::function<void()> raise);

    const QString& Key() const { return key_; }

private:
    void OnNewConnection();

    QString key_;
    QLocalServer* server_ = nullptr;
    std::function<void()> raise_;
};

}  // namespace mosgrid
