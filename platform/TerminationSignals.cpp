#include "platform/TerminationSignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vx {

namespace {

// The handler may only write: the signal number goes through a socket pair to the event loop.
int gPipe[2] = {-1, -1};
const int Signals[] = {SIGTERM, SIGHUP, SIGINT};
struct sigaction gOld[3];

void Handler(int signal)
{
    const unsigned char n = static_cast<unsigned char>(signal);
    const int saved = errno;
    [[maybe_unused]] const ssize_t r = ::write(gPipe[1], &n, 1);
    errno = saved;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent)
    : QObject(parent)
{
    if (gPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gPipe) != 0) {
        qWarning("Termination signals cannot be taken over");
        return;
    }
    ::fcntl(gPipe[1], F_SETFL, O_NONBLOCK);
    FNotifier = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, &TerminationSignals::DoActivated);
    struct sigaction sa = {};
    sa.sa_handler = Handler;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i)
        ::sigaction(Signals[i], &sa, &gOld[i]);
}

TerminationSignals::~TerminationSignals()
{
    if (!FNotifier)
        return;
    for (int i = 0; i < 3; ++i)
        ::sigaction(Signals[i], &gOld[i], nullptr);
    delete FNotifier;
    ::close(gPipe[0]);
    ::close(gPipe[1]);
    gPipe[0] = gPipe[1] = -1;
}

void TerminationSignals::DoActivated()
{
    unsigned char n = 0;
    if (::read(gPipe[0], &n, 1) != 1)
        return;
    if (OnSignal)
        OnSignal(int(n));
}

} // namespace vx
