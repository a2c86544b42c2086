#include "platform/files.h"

#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

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

    std::uint32_t Exclusive_Open_Error(const std::string& path) override
    {
        return File_Exists(path) ? 0u : 2u;
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
