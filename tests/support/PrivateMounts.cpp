#include "tests/support/PrivateMounts.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <linux/capability.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace vxtest {

namespace {

constexpr const char* InsideVariable = "VX_TEST_PRIVATE_MOUNTS";

QString SystemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Whether this process has a mount namespace other than its parent's (the outer test run).
bool OwnMountNamespace()
{
    const auto name = [](const QByteArray& link) {
        char buffer[128];
        const ssize_t n = ::readlink(link.constData(), buffer, sizeof buffer);
        return n > 0 ? QByteArray(buffer, int(n)) : QByteArray();
    };
    const QByteArray mine = name("/proc/self/ns/mnt");
    const QByteArray parents = name("/proc/" + QByteArray::number(::getppid()) + "/ns/mnt");
    return !mine.isEmpty() && !parents.isEmpty() && mine != parents;
}

} // namespace

bool InsidePrivateMounts()
{
    return qEnvironmentVariable(InsideVariable) == QLatin1String("1");
}

TChildRun RunCurrentTestInPrivateMounts()
{
    TChildRun run;
    const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
    if (unshare.isEmpty()) {
        run.Skipped = true;
        run.Text = QStringLiteral("needs a mount namespace of its own, and unshare (util-linux) is not installed");
        return run;
    }
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const QByteArray filter =
        QByteArray("--gtest_filter=") + info->test_suite_name() + '.' + info->name();
    const QByteArray program = QFile::encodeName(unshare);
    const QByteArray self = QFile::encodeName(QCoreApplication::applicationFilePath());
    QTemporaryFile output;
    if (!output.open()) {
        run.Text = QStringLiteral("no file for the child's output: ") + output.errorString();
        return run;
    }

    // Everything the child needs is prepared before the fork: between fork and exec it only
    // makes system calls.  A plain fork, not QProcess: its vfork-like start makes
    // ThreadSanitizer stop the parent at its next new thread.
    QByteArray insideVariable = QByteArray(InsideVariable) + "=1";
    const char* argv[] = {program.constData(), "--mount", "--propagation", "private", self.constData(),
                          filter.constData(), nullptr};
    std::vector<char*> envp;
    for (char** e = environ; *e; ++e)
        envp.push_back(*e);
    envp.push_back(insideVariable.data());
    envp.push_back(nullptr);
    const int outputFd = output.handle();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(outputFd, STDOUT_FILENO);
        ::dup2(outputFd, STDERR_FILENO);
        ::execve(argv[0], const_cast<char* const*>(argv), envp.data());
        ::_exit(127);
    }
    if (pid < 0) {
        run.Text = QStringLiteral("fork failed: ") + SystemError(errno);
        return run;
    }
    int status = 0;
    QDeadlineTimer deadline(240000);
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0 && errno != EINTR) {
            run.Text = QStringLiteral("waiting for the child failed: ") + SystemError(errno);
            return run;
        }
        if (deadline.hasExpired()) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            run.Text = QStringLiteral("the test in its own mount namespace did not finish");
            return run;
        }
        QThread::msleep(10);
    }
    output.seek(0);
    const QString text = QString::fromLocal8Bit(output.readAll());
    const bool exitedZero = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!text.contains(QLatin1String("[==========]"))) {
        // unshare itself refused (no privilege for a mount namespace): nothing ran.
        run.Skipped = true;
        run.Text = QStringLiteral("no mount namespace of its own can be made here: ") + text.trimmed();
        return run;
    }
    if (text.contains(QLatin1String("[  SKIPPED ]")) && exitedZero) {
        run.Skipped = true;
        run.Text = text.trimmed();
        return run;
    }
    run.Passed = exitedZero && text.contains(QLatin1String("[  PASSED  ] 1 test"));
    if (!run.Passed)
        run.Text = QStringLiteral("the test in its own mount namespace failed:\n") + text;
    return run;
}

TSmallDisk::TSmallDisk(const QString& folder, qint64 bytes)
    : FFolder(folder)
{
    if (!InsidePrivateMounts() || !OwnMountNamespace()) {
        // Never mount where the rest of the system would see it.
        FError = QStringLiteral("a test disk is only mounted inside a mount namespace of the test's own");
        return;
    }
    const QByteArray target = QFile::encodeName(folder);
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
    if (::mount("vxtest", target.constData(), "tmpfs", MS_NOSUID | MS_NODEV, options.constData()) != 0) {
        FError = QStringLiteral("tmpfs cannot be mounted: ") + SystemError(errno);
        return;
    }
    FMounted = true;
}

TSmallDisk::~TSmallDisk()
{
    if (FMounted)
        ::umount2(QFile::encodeName(FFolder).constData(), MNT_DETACH);
}

bool TSmallDisk::Fill()
{
    const QByteArray name = QFile::encodeName(FFolder + QStringLiteral("/.filler"));
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    static const QByteArray block(4096, 'f');
    bool full = false;
    for (;;) {
        const ssize_t n = ::write(fd, block.constData(), size_t(block.size()));
        if (n < 0) {
            full = errno == ENOSPC;
            break;
        }
    }
    ::close(fd);
    return full;
}

void TSmallDisk::Free()
{
    QFile::remove(FFolder + QStringLiteral("/.filler"));
}

bool TSmallDisk::SetReadOnly(bool readOnly)
{
    const unsigned long flags = MS_REMOUNT | MS_NOSUID | MS_NODEV | (readOnly ? MS_RDONLY : 0);
    return ::mount(nullptr, QFile::encodeName(FFolder).constData(), nullptr, flags, nullptr) == 0;
}

bool SetAppendOnly(const QString& path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int attributes = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &attributes) == 0;
    if (ok) {
        attributes = on ? (attributes | FS_APPEND_FL) : (attributes & ~FS_APPEND_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &attributes) == 0;
    }
    const int error = errno;
    ::close(fd);
    errno = error;
    return ok;
}

namespace {

bool EffectiveCapabilities(__user_cap_data_struct (&data)[2])
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(SYS_capget, &header, data) == 0;
}

bool SetCapabilities(__user_cap_data_struct (&data)[2])
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(SYS_capset, &header, data) == 0;
}

} // namespace

TObeyFileModes::TObeyFileModes()
{
    __user_cap_data_struct data[2]{};
    if (!EffectiveCapabilities(data) || !(data[0].effective & (1u << CAP_DAC_OVERRIDE)))
        return;
    data[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
    FDropped = SetCapabilities(data);
}

TObeyFileModes::~TObeyFileModes()
{
    __user_cap_data_struct data[2]{};
    if (FDropped && EffectiveCapabilities(data)) {
        data[0].effective |= 1u << CAP_DAC_OVERRIDE;
        SetCapabilities(data);
    }
}

} // namespace vxtest
