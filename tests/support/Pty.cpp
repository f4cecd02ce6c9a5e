#include "tests/support/Pty.h"

#include "tests/support/Wait.h"

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace vxtest {

Pty::Pty()
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0)
        return;
    termios t{};
    tcgetattr(slave, &t);
    cfmakeraw(&t);
    tcsetattr(slave, TCSANOW, &t);
    ::close(slave);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    master_ = master;
    slaveName_ = QString::fromLocal8Bit(name);
}

Pty::~Pty()
{
    closeMaster();
}

void Pty::write(const QByteArray& bytes)
{
    if (master_ < 0)
        return;
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(master_, p, size_t(left));
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR)
                continue;
            return;
        }
        p += n;
        left -= n;
    }
}

QByteArray Pty::readAvailable()
{
    QByteArray out;
    if (master_ < 0)
        return out;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n <= 0)
            break;
        out.append(buf, n);
    }
    return out;
}

QByteArray Pty::readFor(int timeoutMs, int expected)
{
    QByteArray out;
    waitUntil([&] {
        out += readAvailable();
        return expected >= 0 && out.size() >= expected;
    }, timeoutMs);
    return out;
}

void Pty::closeMaster()
{
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}

} // namespace vxtest
