#include "tests/support/PrivateMounts.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/capability.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/syscall.h>
#include <unistd.h>

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
    const QString filter = QString::fromLatin1(info->test_suite_name()) + u'.' + QString::fromLatin1(info->name());

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(InsideVariable), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(unshare, {QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"),
                          QCoreApplication::applicationFilePath(), QStringLiteral("--gtest_filter=") + filter});
    if (!child.waitForStarted(10000)) {
        run.Skipped = true;
        run.Text = QStringLiteral("unshare could not be started: ") + child.errorString();
        return run;
    }
    if (!child.waitForFinished(240000)) {
        child.kill();
        child.waitForFinished();
        run.Text = QStringLiteral("the test in its own mount namespace did not finish:\n") +
                   QString::fromLocal8Bit(child.readAll());
        return run;
    }
    const QString output = QString::fromLocal8Bit(child.readAll());
    if (!output.contains(QLatin1String("[==========]"))) {
        // unshare itself refused (no privilege for a mount namespace): nothing ran.
        run.Skipped = true;
        run.Text = QStringLiteral("no mount namespace of its own can be made here: ") + output.trimmed();
        return run;
    }
    if (output.contains(QLatin1String("[  SKIPPED ]")) && child.exitCode() == 0) {
        run.Skipped = true;
        run.Text = output.trimmed();
        return run;
    }
    run.Passed = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 &&
                 output.contains(QLatin1String("[  PASSED  ] 1 test"));
    if (!run.Passed)
        run.Text = QStringLiteral("the test in its own mount namespace failed:\n") + output;
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
