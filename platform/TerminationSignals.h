#pragma once
// The signals that end a program from outside (SIGTERM when the desktop session ends or the
// system stops, SIGHUP when its terminal goes, SIGINT for Ctrl+C), handed to the program's
// thread as an ordinary call, so it can close down in order instead of dying mid-way.
// One object at a time; while it lives the signals no longer end the process by themselves.

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace vx {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // The signal's number (SIGTERM, SIGHUP or SIGINT).
    std::function<void(int signal)> OnSignal;

private:
    void DoActivated();

    QSocketNotifier* FNotifier = nullptr;
};

} // namespace vx
