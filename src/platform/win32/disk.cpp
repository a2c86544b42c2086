#include "platform/disk.h"

#include "platform/win32/wide.h"

namespace platform {
namespace {

// "[label]" for a fixed drive that has one. Other drives are not asked: an
// empty floppy or CD drive, or a lost network share, would make the list
// wait on them.
std::string Drive_Location(const std::wstring& root)
{
    const UINT type = GetDriveTypeW(root.c_str());
    if (type != DRIVE_FIXED && type != DRIVE_RAMDISK)
        return {};
    wchar_t label[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0)
        || label[0] == L'\0')
        return {};
    return "[" + win32::Utf8(label) + "]";
}

class Win32_Disk_Service final : public Disk_Service {
public:
    std::vector<Drive_Entry> Logical_Drives() override
    {
        Quiet_Critical_Errors quiet;
        std::vector<Drive_Entry> entries;
        const DWORD drives = GetLogicalDrives();
        for (int index = 0; index < 26; ++index) {
            if (!(drives & (DWORD{1} << index)))
                continue;
            const wchar_t root[] = {static_cast<wchar_t>(L'A' + index), L':', L'\\', L'\0'};
            entries.push_back(Drive_Entry{static_cast<char>('a' + index), Drive_Location(root)});
        }
        return entries;
    }

    bool Get_Disk_Free_Space_Ex(const std::string& root_path, std::uint64_t* free_bytes_available,
                                std::uint64_t* total_bytes, std::uint64_t* total_free_bytes) override
    {
        ULARGE_INTEGER available{}, total{}, total_free{};
        if (!GetDiskFreeSpaceExW(win32::Wide(root_path).c_str(), &available, &total, &total_free))
            return false;
        if (free_bytes_available)
            *free_bytes_available = available.QuadPart;
        if (total_bytes)
            *total_bytes = total.QuadPart;
        if (total_free_bytes)
            *total_free_bytes = total_free.QuadPart;
        return true;
    }

    unsigned Set_Error_Mode(unsigned mode) override { return SetErrorMode(mode); }
};

} // namespace

template <>
Disk_Service& Default_Service<Disk_Service>()
{
    static Win32_Disk_Service service;
    return service;
}

} // namespace platform
