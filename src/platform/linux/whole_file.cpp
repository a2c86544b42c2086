#include "platform/whole_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// Opens never block on a pipe and never make a terminal ours.
constexpr int Open_Flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;

std::string Folder_Of(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a path finally names, through every symbolic link on the way
// (a link to a file not yet made names that file).
std::string Link_Target(std::string path)
{
    for (int depth = 0; depth < 40; ++depth) {
        char target[PATH_MAX];
        const ssize_t length = readlink(path.c_str(), target, sizeof target);
        if (length <= 0 || length >= static_cast<ssize_t>(sizeof target))
            return path;
        std::string next(target, static_cast<std::size_t>(length));
        path = next.front() == '/' ? next : Folder_Of(path) + "/" + next;
    }
    return path;
}

bool Write_All(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        done += static_cast<std::size_t>(count);
    }
    return true;
}

// A new file gets the mode any new file of the user's would get; a replaced
// file keeps its owner (where we may give it) and its permissions.
bool Take_Permissions(int fd, const struct stat* existing)
{
    if (!existing) {
        const mode_t mask = umask(0);
        umask(mask);
        return fchmod(fd, 0666 & ~mask) == 0;
    }
    [[maybe_unused]] const int owned = fchown(fd, existing->st_uid, existing->st_gid);
    return fchmod(fd, existing->st_mode & 07777) == 0;
}

// After a rename the folder's entry must reach the disk too. A folder that
// cannot be opened, or a file system that cannot flush folders, has nothing
// more to give; a flush that fails is a failed write.
bool Flush_Folder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | Open_Flags);
    if (fd < 0)
        return true;
    const bool flushed = fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
    close(fd);
    return flushed;
}

bool Rewrite_In_Place(const std::string& target, std::string_view bytes)
{
    const int fd = open(target.c_str(), O_WRONLY | Open_Flags);
    if (fd < 0)
        return false;
    struct stat info{};
    bool written = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && Write_All(fd, bytes)
                   && ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    return written;
}

} // namespace

Read_Result Read_Whole_File(const std::string& path, std::string& bytes)
{
    bytes.clear();
    const int fd = open(path.c_str(), O_RDONLY | Open_Flags);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? Read_Result::Missing : Read_Result::Unreadable;
    struct stat info{};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return Read_Result::Unreadable;
    }
    // Through a small buffer into reserved room, so that a large file's
    // memory is touched once; the size is a hint only, as the file may
    // change while it is read.
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t count = read(fd, chunk, sizeof chunk);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            close(fd);
            bytes.clear();
            return Read_Result::Unreadable;
        }
        if (count == 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(count));
    }
    close(fd);
    return Read_Result::Read;
}

bool Replace_Whole_File(const std::string& path, std::string_view bytes)
{
    const std::string target = Link_Target(path);
    struct stat existing{};
    const bool exists = stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return false;

    std::string temporary = target + ".XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        // Only a refusal to create: a full disk must not meet a file that
        // is half overwritten.
        if (exists && (errno == EACCES || errno == EPERM))
            return Rewrite_In_Place(target, bytes);
        return false;
    }
    bool written = Take_Permissions(fd, exists ? &existing : nullptr) && Write_All(fd, bytes) && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    if (!written || rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return Flush_Folder(Folder_Of(target));
}

std::string Full_Path(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

} // namespace platform
