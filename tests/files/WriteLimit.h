// WriteLimit.h: makes file writes fail past a size, also for root, while a test needs it.
#pragma once

#include <csignal>

#include <sys/resource.h>

// While alive, no file can grow beyond `bytes`: a write past that fails with
// EFBIG instead of raising SIGXFSZ. Permissions cannot make writes fail when
// the tests run as root; this limit can.
class WriteLimit {
public:
    explicit WriteLimit(rlim_t bytes)
    {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &oldLimit_);
        rlimit limit = oldLimit_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~WriteLimit()
    {
        setrlimit(RLIMIT_FSIZE, &oldLimit_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    WriteLimit(const WriteLimit&) = delete;
    WriteLimit& operator=(const WriteLimit&) = delete;

private:
    rlimit oldLimit_{};
    void (*oldHandler_)(int) = nullptr;
};
