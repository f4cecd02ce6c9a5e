#pragma once
// A pseudo-terminal pair standing in for a serial device: the program opens slaveName()
// as its port, the test plays the device on the master end.

#include <QByteArray>
#include <QString>

namespace vxtest {

class Pty {
public:
    Pty();
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    bool ok() const { return master_ >= 0; }
    QString slaveName() const { return slaveName_; }
    int masterFd() const { return master_; }

    // Device side.
    void write(const QByteArray& bytes);
    // Everything the program has written so far (non-blocking).
    QByteArray readAvailable();
    // Reads until `expected` bytes arrived in total or the time-out passes, running the event loop.
    QByteArray readFor(int timeoutMs, int expected = -1);
    void closeMaster();

private:
    int master_ = -1;
    QString slaveName_;
};

} // namespace vxtest
