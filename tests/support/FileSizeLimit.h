#pragma once
// A file-size limit for the duration of a scope: writes beyond it come back short, as on a disk
// that fills up in the middle of a write.  The limit holds for the whole process.

#include <csignal>
#include <sys/resource.h>

namespace vxtest {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        FOldSignal = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &FOld);
        rlimit limit = FOld;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &FOld);
        std::signal(SIGXFSZ, FOldSignal);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit FOld{};
    void (*FOldSignal)(int) = nullptr;
};

} // namespace vxtest
