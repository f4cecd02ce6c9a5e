#include "tests/support/FlexControlSimulator.h"

#include "platform/Clock.h"
#include "tests/support/Pty.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QSocketNotifier>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace vxtest {

FlexControlSimulator::FlexControlSimulator(QObject* parent)
    : QObject(parent)
    , FRateTimer(new vx::Timer(250, false, this))
{
    // A name of its own per simulator: port lock files are named after the device's name.
    static std::atomic<int> counter{0};
    FLink = FDir.path() + QStringLiteral("/flexcontrol-%1-%2").arg(getpid()).arg(counter++);
    FRateTimer->OnTimer = [this] { rateTick(); };
    plug();
}

FlexControlSimulator::~FlexControlSimulator()
{
    unplug();
}

bool FlexControlSimulator::ok() const
{
    return FDir.isValid() && plugged();
}

bool FlexControlSimulator::plugged() const
{
    return FPty && FPty->ok() && FNotifier;
}

QString FlexControlSimulator::devicePath() const
{
    return plugged() ? FPty->slaveName() : QString();
}

bool FlexControlSimulator::plug()
{
    if (plugged())
        return true;
    FPty = std::make_unique<Pty>();
    if (!FPty->ok() || !QFile::link(FPty->slaveName(), FLink)) {
        FPty.reset();
        return false;
    }
    // Keep a descriptor of the device side open: without one the master end reports a hang-up
    // whenever the program has the port closed, and the notifier would fire without end.
    FSlaveKeeper = ::open(FPty->slaveName().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (FSlaveKeeper < 0) {
        QFile::remove(FLink);
        FPty.reset();
        return false;
    }
    FNotifier = new QSocketNotifier(FPty->masterFd(), QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, [this] { onReadable(); });
    return true;
}

void FlexControlSimulator::unplug()
{
    delete FNotifier;
    FNotifier = nullptr;
    if (FSlaveKeeper >= 0)
        ::close(FSlaveKeeper);
    FSlaveKeeper = -1;
    FPty.reset();
    QFile::remove(FLink);
    FPending.clear();
}

void FlexControlSimulator::send(const QByteArray& bytes)
{
    if (!plugged())
        return;
    const int fd = FPty->masterFd();
    qsizetype done = 0;
    QDeadlineTimer deadline(2000);
    while (done < bytes.size() && !deadline.hasExpired()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno == EAGAIN) {
            // The device is full: the program reads on this same event loop.
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, 5);
        } else if (!(n < 0 && errno == EINTR)) {
            return;
        }
    }
}

void FlexControlSimulator::turn(int steps)
{
    if (steps == 0)
        return;
    send(QByteArray(steps > 0 ? "U;" : "D;").repeated(std::abs(steps)));
    FStepsSent += std::abs(steps);
}

void FlexControlSimulator::turnBy(int count)
{
    if (count == 0)
        return;
    send((count > 0 ? "U" : "D") + QByteArray::number(std::abs(count)) + ';');
    FStepsSent += std::abs(count);
}

void FlexControlSimulator::click(Button button, Click kind)
{
    const char k = kind == Click::Double ? 'C' : kind == Click::Long ? 'L' : 'S';
    if (button == Button::Knob)
        send(QByteArray(1, k) + ';');
    else
        send(QByteArray("X") + char('0' + int(button)) + k + ';');
}

void FlexControlSimulator::setRate(int eventsPerPeriod, int periodMs)
{
    FRate = eventsPerPeriod;
    FRateTimer->stop();
    FRateTimer->setInterval(std::max(1, periodMs));
    if (eventsPerPeriod != 0)
        FRateTimer->start();
}

void FlexControlSimulator::rateTick()
{
    turn(FRate);
}

QStringList FlexControlSimulator::ledCommands() const
{
    QStringList out;
    for (const QString& c : FCommands)
        if (c.startsWith(QLatin1Char('I')))
            out << c;
    return out;
}

void FlexControlSimulator::onReadable()
{
    if (!plugged())
        return;
    FPending += FPty->readAvailable();
    for (;;) {
        const qsizetype end = FPending.indexOf(';');
        if (end < 0)
            break;
        const QString command = QString::fromLatin1(FPending.left(end));
        FPending.remove(0, end + 1);
        FCommands << command;
        // "I" and a lamp digit for AUX1, AUX2 and AUX3.
        if (command.size() == 4 && command.startsWith(QLatin1Char('I')))
            FLEDs = command.mid(1);
        if (OnCommand)
            OnCommand(command);
    }
    if (FPending.size() > 4096)
        FPending.clear(); // noise without a terminator
}

} // namespace vxtest
