#pragma once
// Real file-system failures for tests: a small tmpfs that can be filled up, inside a mount
// namespace of the test's own, so nothing outside the test ever sees the mount.
//
// A test that needs one starts with VX_RUN_IN_PRIVATE_MOUNTS(): the test runs again in a
// child process started under `unshare --mount`, and the outer run reports the child's
// result.  Where no namespace can be made (no privilege, no unshare) the test is skipped
// with the reason.

#include <QString>
#include <gtest/gtest.h>

namespace vxtest {

// Whether this process is the child that runs the test inside its own mount namespace.
bool InsidePrivateMounts();

struct TChildRun {
    bool Passed = false;
    bool Skipped = false;
    QString Text; // why it was skipped, or the child's output when it failed
};
// Runs the current test again in a child process with a mount namespace of its own.
TChildRun RunCurrentTestInPrivateMounts();

#define VX_RUN_IN_PRIVATE_MOUNTS()                                                                  \
    do {                                                                                           \
        if (!vxtest::InsidePrivateMounts()) {                                                      \
            const vxtest::TChildRun vx_child = vxtest::RunCurrentTestInPrivateMounts();            \
            if (vx_child.Skipped)                                                                  \
                GTEST_SKIP() << vx_child.Text.toStdString();                                       \
            EXPECT_TRUE(vx_child.Passed) << vx_child.Text.toStdString();                           \
            return;                                                                                \
        }                                                                                          \
    } while (0)

// A tmpfs of a few pages mounted on a folder (only inside private mounts); unmounted when
// this goes.
class TSmallDisk {
public:
    // Mounts a tmpfs of `bytes` (whole pages) on `folder`, which must exist.
    TSmallDisk(const QString& folder, qint64 bytes);
    ~TSmallDisk();
    TSmallDisk(const TSmallDisk&) = delete;
    TSmallDisk& operator=(const TSmallDisk&) = delete;

    bool Mounted() const { return FMounted; }
    QString Error() const { return FError; } // why the mount failed

    // Takes every free block with a filler file; false when that could not be done.
    bool Fill();
    // Gives the filler's blocks back.
    void Free();
    // Makes the file system read-only, or writable again.
    bool SetReadOnly(bool readOnly);

private:
    QString FFolder;
    QString FError;
    bool FMounted = false;
};

// Sets or clears the append-only attribute of a file (then it can still be appended to, but
// not cut shorter).  False, with errno set, where the file system or the process cannot.
bool SetAppendOnly(const QString& path, bool on);

// While one exists, this thread (the GUI thread of a test) obeys file modes even as root, as
// any user's process does: it gives up the capability to override them, and takes it back
// when it goes.
class TObeyFileModes {
public:
    TObeyFileModes();
    ~TObeyFileModes();
    TObeyFileModes(const TObeyFileModes&) = delete;
    TObeyFileModes& operator=(const TObeyFileModes&) = delete;

private:
    bool FDropped = false;
};

} // namespace vxtest
