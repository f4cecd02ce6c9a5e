#pragma once
// One running instance of a program per user, by name: a lock file marks the running instance
// and a local socket of the same name lets a later start ask it to show itself.  Both live in
// the user's runtime folder ($XDG_RUNTIME_DIR).
//
// A lock left by an instance that was killed does not count: the lock file names its process,
// and a lock whose process is gone is taken over.  A socket left behind is removed before the
// new instance listens.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;
class QLockFile;

namespace vx {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when no other instance runs: this process then holds the lock and listens for later
    // starts.  A lock that cannot be made at all (no runtime folder) lets the program run.
    bool Acquire();
    bool IsFirst() const { return FFirst; }

    // Asks the running instance to show itself, trying for at most timeoutMs while it may still
    // be starting up.  False when no instance answered.
    bool SignalRunning(int timeoutMs = 1000);

    // Raised in the running instance, on its thread, for every later start.
    std::function<void()> OnActivate;

    QString LockFileName() const;
    QString ServerName() const;

private:
    void DoNewConnection();

    QString FName;
    std::unique_ptr<QLockFile> FLock;
    QLocalServer* FServer = nullptr;
    bool FFirst = false;
};

} // namespace vx
