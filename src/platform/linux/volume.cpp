#include "platform/volume.h"

#include "platform/linux/mount_table.h"
#include "platform/linux/volume_detail.h"

#include <array>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <string_view>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace platform {
namespace linux_detail {
namespace {

std::string Real_Path(const std::string& path)
{
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

int Hex_Digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// udev writes unsafe characters of a label as \xHH.
std::string Unescape_Label(const std::string& name)
{
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x') {
            const int high = Hex_Digit(name[i + 2]);
            const int low = Hex_Digit(name[i + 3]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 3;
                continue;
            }
        }
        out += name[i];
    }
    return out;
}

bool Same_Device(const std::string& a, const std::string& b)
{
    struct stat first{};
    struct stat second{};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && S_ISBLK(first.st_mode)
           && S_ISBLK(second.st_mode) && first.st_rdev == second.st_rdev;
}

std::string First_Line(const std::string& path)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

} // namespace

std::string Volume_Label(const std::string& device, const std::string& by_label_folder)
{
    const std::string target = Real_Path(device);
    if (target.empty())
        return {};
    DIR* folder = opendir(by_label_folder.c_str());
    if (!folder)
        return {};
    std::string label;
    while (const dirent* entry = readdir(folder)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string link = by_label_folder + "/" + name;
        if (Real_Path(link) == target || Same_Device(link, target)) {
            label = Unescape_Label(name);
            break;
        }
    }
    closedir(folder);
    return label;
}

unsigned Drive_Type_Of(const std::string& file_system, const std::string& device,
                       const std::string& sys_class_block)
{
    static constexpr std::array<std::string_view, 2> memory = {"tmpfs", "ramfs"};
    static constexpr std::array<std::string_view, 2> optical = {"iso9660", "udf"};
    static constexpr std::array<std::string_view, 8> network = {"nfs",  "nfs4",       "cifs", "smb3",
                                                                "smbfs", "fuse.sshfs", "9p",   "afs"};
    auto is_one_of = [&](const auto& list) {
        for (std::string_view type : list)
            if (file_system == type)
                return true;
        return false;
    };
    if (is_one_of(memory))
        return DRIVE_RAMDISK;
    if (is_one_of(optical))
        return DRIVE_CDROM;
    if (is_one_of(network))
        return DRIVE_REMOTE;

    const std::string node = Real_Path(device);
    const std::size_t slash = node.rfind('/');
    if (!node.empty() && slash != std::string::npos && slash + 1 < node.size()) {
        // A partition has no flag of its own; its disk, the folder above, has.
        const std::string block = sys_class_block + "/" + node.substr(slash + 1);
        std::string removable = First_Line(block + "/removable");
        if (removable.empty())
            removable = First_Line(block + "/../removable");
        if (removable == "1")
            return DRIVE_REMOVABLE;
    }
    return DRIVE_FIXED;
}

bool Probe_Writable_Folder(const std::string& folder, const std::string& file_name)
{
    if (file_name.empty() || file_name == "." || file_name == ".." || file_name.find('/') != std::string::npos)
        return false;
    // Everything below is relative to this one handle on the folder, so a
    // link swapped in for the folder's path later cannot redirect the probe.
    const int dir = open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return false;
    const char* name = file_name.c_str();
    constexpr int common = O_WRONLY | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
    bool writable = false;
    const int created = openat(dir, name, common | O_CREAT | O_EXCL, 0600);
    if (created >= 0) {
        struct stat made{};
        const bool known = fstat(created, &made) == 0;
        close(created);
        writable = true;
        // Remove the file only if the name still leads to the one made here.
        struct stat now{};
        if (known && fstatat(dir, name, &now, AT_SYMLINK_NOFOLLOW) == 0 && now.st_dev == made.st_dev
            && now.st_ino == made.st_ino)
            unlinkat(dir, name, 0);
    } else if (errno == EEXIST) {
        // Someone's own file of this name: opened for writing, never emptied.
        struct stat existing{};
        if (fstatat(dir, name, &existing, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(existing.st_mode)) {
            const int opened = openat(dir, name, common);
            if (opened >= 0) {
                struct stat info{};
                writable = fstat(opened, &info) == 0 && S_ISREG(info.st_mode);
                close(opened);
            }
        }
    }
    close(dir);
    return writable;
}

} // namespace linux_detail

namespace {

class Linux_Volume_Service final : public Volume_Service {
public:
    bool Get_Volume_Information(const std::string& root_path, std::string* volume_name,
                                std::uint32_t* serial_number, std::string* file_system_name) override
    {
        const auto drive = linux_detail::Drive_For_Root(root_path);
        struct statvfs info{};
        if (!drive || statvfs(drive->mount_point.c_str(), &info) != 0)
            return false;
        if (volume_name)
            *volume_name = linux_detail::Volume_Label(drive->device);
        if (serial_number)
            *serial_number = static_cast<std::uint32_t>(info.f_fsid & 0xFFFFFFFFu);
        if (file_system_name)
            *file_system_name = drive->file_system;
        return true;
    }

    bool Get_Disk_Free_Space(const std::string& root_path, std::uint64_t* sectors_per_cluster,
                             std::uint64_t* bytes_per_sector, std::uint64_t* free_clusters,
                             std::uint64_t* total_clusters) override
    {
        std::uint64_t sectors = 0, sector_bytes = 0, free = 0, total = 0;
        const auto drive = linux_detail::Drive_For_Root(root_path);
        struct statvfs info{};
        const bool ok = drive && statvfs(drive->mount_point.c_str(), &info) == 0;
        const std::uint64_t unit = !ok ? 0 : info.f_frsize ? info.f_frsize : info.f_bsize;
        if (unit > 0) {
            // Clusters are the file system's fragments, counted in 512-byte
            // sectors; an odd fragment size is one sector of its own size, so
            // the byte totals stay exact.
            sector_bytes = unit % 512 == 0 ? 512 : unit;
            sectors = unit / sector_bytes;
            free = info.f_bfree;
            total = info.f_blocks;
        }
        if (sectors_per_cluster)
            *sectors_per_cluster = sectors;
        if (bytes_per_sector)
            *bytes_per_sector = sector_bytes;
        if (free_clusters)
            *free_clusters = free;
        if (total_clusters)
            *total_clusters = total;
        return unit > 0;
    }

    unsigned Get_Drive_Type(const std::string& root_path) override
    {
        const auto drive = linux_detail::Drive_For_Root(root_path);
        if (!drive)
            return DRIVE_NO_ROOT_DIR;
        return linux_detail::Drive_Type_Of(drive->file_system, drive->device);
    }

    bool Probe_Writable(const std::string& root_path, const std::string& file_name) override
    {
        const auto drive = linux_detail::Drive_For_Root(root_path);
        return drive && linux_detail::Probe_Writable_Folder(drive->mount_point, file_name);
    }
};

} // namespace

template <>
Volume_Service& Default_Service<Volume_Service>()
{
    static Linux_Volume_Service service;
    return service;
}

} // namespace platform
