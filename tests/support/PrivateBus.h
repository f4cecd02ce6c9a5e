#pragma once
// A local message bus of the test's own: XDG_RUNTIME_DIR points at a temporary folder while
// this lives, so no endpoint of another test process hears a broadcast or answers one.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace vxtest {

class PrivateBus {
public:
    PrivateBus()
        : FOldRuntime(qgetenv("XDG_RUNTIME_DIR"))
    {
        qputenv("XDG_RUNTIME_DIR", FDir.path().toLocal8Bit());
    }
    ~PrivateBus() { qputenv("XDG_RUNTIME_DIR", FOldRuntime); }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    QString Path() const { return FDir.path(); }

private:
    QByteArray FOldRuntime;
    QTemporaryDir FDir;
};

} // namespace vxtest
