#include "platform/volume.h"

#include "platform/win32/wide.h"

namespace platform {
namespace {

class Win32_Volume_Service final : public Volume_Service {
public:
    bool Get_Volume_Information(const std::string& root_path, std::string* volume_name, std::uint32_t* serial_number,
                                std::string* file_system_name) override
    {
        wchar_t name[MAX_PATH + 1] = {};
        wchar_t file_system[MAX_PATH + 1] = {};
        DWORD serial = 0;
        if (!GetVolumeInformationW(win32::Wide(root_path).c_str(), name, MAX_PATH + 1, &serial, nullptr, nullptr,
                                   file_system, MAX_PATH + 1))
            return false;
        if (volume_name)
            *volume_name = win32::Utf8(name);
        if (serial_number)
            *serial_number = serial;
        if (file_system_name)
            *file_system_name = win32::Utf8(file_system);
        return true;
    }

    bool Get_Disk_Free_Space(const std::string& root_path, std::uint64_t* sectors_per_cluster,
                             std::uint64_t* bytes_per_sector, std::uint64_t* free_clusters,
                             std::uint64_t* total_clusters) override
    {
        DWORD sectors = 0, bytes = 0, free = 0, total = 0;
        const bool answered = GetDiskFreeSpaceW(win32::Wide(root_path).c_str(), &sectors, &bytes, &free, &total);
        if (!answered)
            sectors = bytes = free = total = 0;
        if (sectors_per_cluster)
            *sectors_per_cluster = sectors;
        if (bytes_per_sector)
            *bytes_per_sector = bytes;
        if (free_clusters)
            *free_clusters = free;
        if (total_clusters)
            *total_clusters = total;
        return answered;
    }

    unsigned Get_Drive_Type(const std::string& root_path) override
    {
        return GetDriveTypeW(win32::Wide(root_path).c_str());
    }

    // A new test file goes away when its handle closes, so nothing but that
    // very file is ever deleted. An existing file of the name is opened for
    // writing as it is (a link itself, not its target) and left alone.
    bool Probe_Writable(const std::string& root_path, const std::string& file_name) override
    {
        const std::wstring path = win32::Wide(root_path + file_name);
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            if (GetLastError() != ERROR_FILE_EXISTS)
                return false;
            file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
            if (file == INVALID_HANDLE_VALUE)
                return false;
        }
        CloseHandle(file);
        return true;
    }
};

} // namespace

template <>
Volume_Service& Default_Service<Volume_Service>()
{
    static Win32_Volume_Service service;
    return service;
}

} // namespace platform
