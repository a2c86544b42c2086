#include "platform/linux/mount_table.h"

#include "platform/linux/proc_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <set>
#include <sstream>
#include <string_view>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::linux_detail {
namespace {

bool Is_Pseudo_File_System(std::string_view type, std::string_view device)
{
    static constexpr std::array<std::string_view, 31> pseudo = {
        "proc",       "sysfs",      "cgroup",    "cgroup2",  "devpts",     "devtmpfs",  "mqueue",
        "debugfs",    "tracefs",    "securityfs", "pstore",  "bpf",        "configfs",  "fusectl",
        "hugetlbfs",  "autofs",     "binfmt_misc", "efivarfs", "rpc_pipefs", "nsfs",    "selinuxfs",
        "overlay",    "squashfs",   "fuse.gvfsd-fuse", "fuse.portal", "nfsd", "ramfs_pseudo",
        "sockfs",     "pipefs",     "anon_inodefs", "none"};
    if (std::find(pseudo.begin(), pseudo.end(), type) != pseudo.end())
        return type != "overlay" || device != "overlay";
    return false;
}

// The mounts file escapes blanks and a few others as octal (\040).
std::string Unescape(const std::string& field)
{
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && std::isdigit(static_cast<unsigned char>(field[i + 1]))
            && std::isdigit(static_cast<unsigned char>(field[i + 2]))
            && std::isdigit(static_cast<unsigned char>(field[i + 3]))) {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

} // namespace

namespace {

std::vector<Mounted_Drive> Parse_Mount_Table(std::istream& in)
{
    std::vector<Mounted_Drive> drives;
    std::optional<Mounted_Drive> root;
    std::set<std::string> devices;
    std::vector<Mounted_Drive> others;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string device, mount_point, type;
        if (!(fields >> device >> mount_point >> type))
            continue;
        device = Unescape(device);
        mount_point = Unescape(mount_point);
        if (mount_point == "/") {
            // The last mount on "/" is the one in effect.
            root = Mounted_Drive{'c', mount_point, device, type};
            continue;
        }
        if (Is_Pseudo_File_System(type, device))
            continue;
        others.push_back(Mounted_Drive{0, mount_point, device, type});
    }
    if (root) {
        drives.push_back(*root);
        devices.insert(root->device);
    }
    char next = 'd';
    for (Mounted_Drive& drive : others) {
        if (next > 'z')
            break;
        // Memory file systems all share a device name ("tmpfs"); each is its own volume.
        const bool shared_name = drive.device == drive.file_system || drive.device == "none";
        if (!shared_name && !devices.insert(drive.device).second)
            continue;
        drive.letter = next++;
        drives.push_back(drive);
    }
    return drives;
}

} // namespace

std::vector<Mounted_Drive> Read_Mount_Table(const std::string& mounts_path)
{
    std::ifstream in(mounts_path);
    return Parse_Mount_Table(in);
}

std::vector<Mounted_Drive> Current_Drives()
{
    return Read_Mount_Table("/proc/self/mounts");
}

std::optional<Mounted_Drive> Drive_For_Root(const std::string& root_path)
{
    // The refresh tick asks twice a second; the table changes rarely. It is
    // read again only when the kernel says a mount or unmount happened: an
    // open mounts file polls as exceptional then (and the poll itself takes
    // the news). Without that file, it is read every time.
    static std::vector<Mounted_Drive> cached;
    static Proc_File mounts("/proc/self/mounts");
    static bool read_once = false;
    static int watch = ::open("/proc/self/mounts", O_RDONLY | O_CLOEXEC);
    bool changed = !read_once || watch < 0;
    if (!changed) {
        pollfd news{watch, POLLPRI, 0};
        changed = ::poll(&news, 1, 0) > 0 && (news.revents & (POLLPRI | POLLERR)) != 0;
    }
    if (changed) {
        std::string_view text;
        if (mounts.Read(text)) {
            std::istringstream in{std::string(text)};
            cached = Parse_Mount_Table(in);
        } else {
            cached.clear();
        }
        read_once = true;
    }
    if (root_path.empty())
        return std::nullopt;
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(root_path[0])));
    for (const Mounted_Drive& drive : cached)
        if (drive.letter == letter)
            return drive;
    return std::nullopt;
}

} // namespace platform::linux_detail
