#include "platform/files.h"

#include "platform/win32/wide.h"
#include "platform/win32_names.h"

namespace platform {
namespace {

DWORD Attributes(const std::string& path)
{
    return path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(win32::Wide(path).c_str());
}

class Win32_File_Service final : public File_Service {
public:
    bool File_Exists(const std::string& path) override
    {
        const DWORD attributes = Attributes(path);
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    bool Folder_Exists(const std::string& path) override
    {
        const DWORD attributes = Attributes(path);
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    bool Clear_File_Attributes(const std::string& path) override
    {
        return SetFileAttributesW(win32::Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    bool Delete_File(const std::string& path) override
    {
        DeleteFileW(win32::Wide(path).c_str());
        return !File_Exists(path);
    }

    // Open for reading and writing, shared with no one: another process that
    // has the file open makes this a sharing violation.
    std::uint32_t Exclusive_Open_Error(const std::string& path) override
    {
        const HANDLE file = CreateFileW(win32::Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return GetLastError();
        CloseHandle(file);
        return 0;
    }
};

} // namespace

template <>
File_Service& Default_Service<File_Service>()
{
    static Win32_File_Service service;
    return service;
}

} // namespace platform
