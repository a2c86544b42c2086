#pragma once
// A full disk, as one process sees it: while this lives no file may grow past
// the given size, and a write that would is refused rather than ending the
// process with SIGXFSZ. POSIX only.

#include <csignal>
#include <sys/resource.h>

class Scoped_File_Size_Limit {
public:
    explicit Scoped_File_Size_Limit(rlim_t bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN))
    {
        if (getrlimit(RLIMIT_FSIZE, &saved_) != 0)
            return;
        struct rlimit tight = saved_;
        tight.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &tight) == 0;
    }
    ~Scoped_File_Size_Limit()
    {
        if (active_)
            setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, handler_);
    }
    Scoped_File_Size_Limit(const Scoped_File_Size_Limit&) = delete;
    Scoped_File_Size_Limit& operator=(const Scoped_File_Size_Limit&) = delete;

    bool Active() const { return active_; }

private:
    void (*handler_)(int);
    struct rlimit saved_{};
    bool active_ = false;
};
