// The registry on Linux: the only key there is the machine-wide Run key, met
// by the user's XDG autostart folder; each value is a desktop entry named
// after it. Everything else (the older family's statistics keys among them)
// does not exist.
#include "platform/registry.h"

#include "platform/linux/desktop_entry.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <pwd.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {
namespace {

constexpr long ERROR_INVALID_DATA = 13;
constexpr std::uint32_t KEY_SET_VALUE = 0x0002;
// A desktop entry is a few hundred bytes; anything far larger is not ours.
constexpr std::streamsize Largest_Entry = 64 * 1024;

bool Is_Run_Key(HKEY root, std::string_view sub_key)
{
    constexpr std::string_view run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    if (root != HKEY_LOCAL_MACHINE)
        return false;
    if (!sub_key.empty() && sub_key.front() == '\\')
        sub_key.remove_prefix(1); // absolute from the root
    if (sub_key.size() != run.size())
        return false;
    for (std::size_t i = 0; i < run.size(); ++i) {
        const auto a = static_cast<unsigned char>(sub_key[i]), b = static_cast<unsigned char>(run[i]);
        if (std::tolower(a) != std::tolower(b))
            return false;
    }
    return true;
}

// $XDG_CONFIG_HOME/autostart; the XDG rules ignore a relative XDG_CONFIG_HOME.
std::string Autostart_Folder()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return std::string(config) + "/autostart";
    std::string home;
    if (const char* variable = std::getenv("HOME"); variable && variable[0] == '/')
        home = variable;
    else if (const passwd* user = getpwuid(getuid()); user && user->pw_dir && user->pw_dir[0] == '/')
        home = user->pw_dir;
    if (home.empty())
        return {};
    return home + "/.config/autostart";
}

bool Is_Folder(const std::string& path)
{
    struct stat info{};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& path)
{
    struct stat info{};
    return stat(path.c_str(), &info) == 0;
}

std::string Parent(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == 0 || slash == std::string::npos ? std::string("/") : path.substr(0, slash);
}

// The folder could be made: the nearest part of the path that exists is a
// folder we may write in.
bool Can_Create(const std::string& folder)
{
    std::string existing = folder;
    while (!Exists(existing) && existing != "/")
        existing = Parent(existing);
    return Is_Folder(existing) && access(existing.c_str(), W_OK | X_OK) == 0;
}

bool Make_Folders(const std::string& folder)
{
    if (Is_Folder(folder))
        return true;
    if (folder == "/" || !Make_Folders(Parent(folder)))
        return false;
    return mkdir(folder.c_str(), 0700) == 0 || (errno == EEXIST && Is_Folder(folder));
}

// A value name becomes a file name: nothing that would leave the folder.
bool Is_Entry_Name(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

std::string Entry_Path(const std::string& folder, const std::string& name)
{
    return folder + "/" + name + ".desktop";
}

// Written beside the entry and renamed over it, so that the desktop never
// finds half an entry.
bool Write_Atomically(const std::string& path, const std::string& text)
{
    std::string temporary = path + ".XXXXXX";
    const int file = mkstemp(temporary.data());
    if (file < 0)
        return false;
    bool written = fchmod(file, 0644) == 0;
    for (std::size_t done = 0; written && done < text.size();) {
        const ssize_t count = write(file, text.data() + done, text.size() - done);
        if (count < 0 && errno == EINTR)
            continue;
        written = count > 0;
        done += count > 0 ? static_cast<std::size_t>(count) : 0;
    }
    written = fsync(file) == 0 && written;
    written = close(file) == 0 && written;
    if (written && rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    unlink(temporary.c_str());
    return false;
}

class Linux_Registry_Service final : public Registry_Service {
public:
    long Reg_Open_Key_Ex(HKEY root, const std::string& sub_key, std::uint32_t access, HKEY* result) override
    {
        if (!result)
            return ERROR_INVALID_PARAMETER;
        *result = 0;
        if (!Is_Run_Key(root, sub_key))
            return ERROR_FILE_NOT_FOUND;
        std::string folder = Autostart_Folder();
        if (folder.empty())
            return ERROR_FILE_NOT_FOUND;
        // A missing folder is made by the first value written into it, so
        // that merely looking for the entry leaves no trace.
        if (Is_Folder(folder)) {
            if ((access & KEY_SET_VALUE) && ::access(folder.c_str(), W_OK | X_OK) != 0)
                return ERROR_ACCESS_DENIED;
        } else if (!Can_Create(folder)) {
            return ERROR_FILE_NOT_FOUND;
        }
        const HKEY key = next_key_++;
        open_keys_.emplace(key, std::move(folder));
        *result = key;
        return ERROR_SUCCESS;
    }

    long Reg_Query_Value_Ex(HKEY key, const std::string& value_name, std::uint32_t* type, std::uint8_t* data,
                            std::uint32_t* size) override
    {
        const auto open = open_keys_.find(key);
        if (open == open_keys_.end())
            return ERROR_INVALID_HANDLE;
        if (!Is_Entry_Name(value_name))
            return ERROR_FILE_NOT_FOUND;
        const std::string path = Entry_Path(open->second, value_name);
        struct stat info{};
        if (stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
            return ERROR_FILE_NOT_FOUND;
        std::ifstream file(path, std::ios::binary);
        if (!file)
            return ERROR_ACCESS_DENIED;
        std::string text(static_cast<std::size_t>(Largest_Entry), '\0');
        file.read(text.data(), Largest_Entry);
        text.resize(static_cast<std::size_t>(file.gcount()));

        return Answer_Text_Value(linux_detail::Autostart_Entry_Program(text), REG_SZ, type, data, size);
    }

    long Reg_Set_Value_Ex(HKEY key, const std::string& value_name, std::uint32_t type, const std::uint8_t* data,
                          std::uint32_t size) override
    {
        const auto open = open_keys_.find(key);
        if (open == open_keys_.end())
            return ERROR_INVALID_HANDLE;
        if (!Is_Entry_Name(value_name) || (type != REG_SZ && type != REG_EXPAND_SZ) || (!data && size > 0))
            return ERROR_INVALID_PARAMETER;
        std::string path(reinterpret_cast<const char*>(data), size);
        path.resize(std::strlen(path.c_str())); // up to the terminating zero
        if (!linux_detail::Is_Utf8(path) || !linux_detail::Is_Utf8(value_name))
            return ERROR_INVALID_DATA;
        if (!Make_Folders(open->second))
            return ERROR_ACCESS_DENIED;
        if (!Write_Atomically(Entry_Path(open->second, value_name), linux_detail::Autostart_Entry(value_name, path)))
            return ERROR_ACCESS_DENIED;
        return ERROR_SUCCESS;
    }

    long Reg_Delete_Value(HKEY key, const std::string& value_name) override
    {
        const auto open = open_keys_.find(key);
        if (open == open_keys_.end())
            return ERROR_INVALID_HANDLE;
        if (!Is_Entry_Name(value_name))
            return ERROR_FILE_NOT_FOUND;
        if (unlink(Entry_Path(open->second, value_name).c_str()) == 0)
            return ERROR_SUCCESS;
        return errno == ENOENT ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED;
    }

    long Reg_Close_Key(HKEY key) override
    {
        return open_keys_.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
    }

private:
    // Handles well away from the predefined roots.
    HKEY next_key_ = 0x1000;
    std::map<HKEY, std::string> open_keys_;
};

} // namespace

template <>
Registry_Service& Default_Service<Registry_Service>()
{
    static Linux_Registry_Service service;
    return service;
}

} // namespace platform
