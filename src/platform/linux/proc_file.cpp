#include "platform/linux/proc_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::linux_detail {

Proc_File::~Proc_File()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool Proc_File::Open()
{
    // Files under /proc never change identity; other files (fixtures) may be
    // replaced, which only a look at the path tells.
    if (fd_ >= 0 && path_.rfind("/proc/", 0) == 0)
        return true;
    struct stat now{};
    if (::stat(path_.c_str(), &now) != 0) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        return false;
    }
    if (fd_ >= 0 && now.st_ino == inode_ && now.st_dev == device_)
        return true;
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    struct stat opened{};
    if (fd_ < 0 || ::fstat(fd_, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        return false;
    }
    inode_ = opened.st_ino;
    device_ = opened.st_dev;
    return true;
}

long Proc_File::Read_At(std::size_t offset, std::size_t count)
{
    for (;;) {
        const ssize_t got = ::pread(fd_, buffer_.data() + offset, count, static_cast<off_t>(offset));
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

} // namespace platform::linux_detail
