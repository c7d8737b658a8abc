#pragma once

#include <csignal>
#include <sys/resource.h>

// A disk that fills up: every write that would take a file past bytes fails as a write to a
// full disk does, midway, with nothing but the return value to tell. For a child process, call
// fillDiskAfter() in QProcess's child process modifier; in the test's own process, hold a
// FullDisk for as long as the disk is to be full.
inline void fillDiskAfter(rlim_t bytes)
{
    // Ignored, the signal the kernel sends on such a write leaves the write's error to report.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

class FullDisk
{
public:
    explicit FullDisk(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &before_);
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
        fillDiskAfter(bytes);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, handler_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit before_{};
    void (*handler_)(int) = nullptr;
};
