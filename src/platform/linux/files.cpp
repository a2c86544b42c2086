#include "platform/files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// Win32 error codes the callers tell apart.
constexpr std::uint32_t ERROR_FILE_NOT_FOUND = 2;
constexpr std::uint32_t ERROR_PATH_NOT_FOUND = 3;
constexpr std::uint32_t ERROR_ACCESS_DENIED = 5;
constexpr std::uint32_t ERROR_WRITE_PROTECT = 19;
constexpr std::uint32_t ERROR_NOT_READY = 21;
constexpr std::uint32_t ERROR_GEN_FAILURE = 31;
constexpr std::uint32_t ERROR_SHARING_VIOLATION = 32;
constexpr std::uint32_t ERROR_LOCK_VIOLATION = 33;
constexpr std::uint32_t ERROR_FILENAME_EXCED_RANGE = 206;

std::uint32_t Win32_Error_Of(int error)
{
    switch (error) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EROFS: return ERROR_WRITE_PROTECT;
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM: return ERROR_NOT_READY;
    case ETXTBSY:
    case EBUSY: return ERROR_SHARING_VIOLATION;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    default: return ERROR_GEN_FAILURE;
    }
}

// Another open file description holds a record lock (POSIX or open-file-
// description) on some part of the file.
bool Record_Locked(int fd)
{
    struct flock probe{};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    probe.l_start = 0;
    probe.l_len = 0; // the whole file
    if (fcntl(fd, F_OFD_GETLK, &probe) == 0)
        return probe.l_type != F_UNLCK;
    probe = {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    return fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
}

// Another open file description holds a flock() lock on the file. The probe
// takes the lock for an instant and gives it back.
bool Flock_Locked(int fd)
{
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
        flock(fd, LOCK_UN);
        return false;
    }
    return errno == EWOULDBLOCK;
}

class Linux_File_Service final : public File_Service {
public:
    bool File_Exists(const std::string& path) override
    {
        struct stat info{};
        return !path.empty() && stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
    }

    bool Folder_Exists(const std::string& path) override
    {
        struct stat info{};
        return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }

    bool Clear_File_Attributes(const std::string& path) override
    {
        struct stat info{};
        if (stat(path.c_str(), &info) != 0)
            return false;
        return chmod(path.c_str(), info.st_mode | S_IWUSR) == 0;
    }

    bool Delete_File(const std::string& path) override
    {
        unlink(path.c_str());
        return !File_Exists(path);
    }

    // Linux has no sharing modes: a file counts as open elsewhere when
    // another program holds a lock on it. The open never blocks (a pipe in
    // the file's place) and never becomes the controlling terminal.
    std::uint32_t Exclusive_Open_Error(const std::string& path) override
    {
        const int fd = open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            return Win32_Error_Of(errno);
        const bool locked = Record_Locked(fd) || Flock_Locked(fd);
        close(fd);
        return locked ? ERROR_LOCK_VIOLATION : 0u;
    }
};

} // namespace

template <>
File_Service& Default_Service<File_Service>()
{
    static Linux_File_Service service;
    return service;
}

} // namespace platform
