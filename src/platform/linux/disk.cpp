#include "platform/disk.h"

#include "platform/linux/mount_table.h"

#include <sys/statvfs.h>

namespace platform {
namespace {

class Linux_Disk_Service final : public Disk_Service {
public:
    std::vector<Drive_Entry> Logical_Drives() override
    {
        std::vector<Drive_Entry> entries;
        for (const auto& drive : linux_detail::Current_Drives())
            entries.push_back(Drive_Entry{drive.letter, drive.mount_point});
        return entries;
    }

    bool Get_Disk_Free_Space_Ex(const std::string& root_path, std::uint64_t* free_bytes_available,
                                std::uint64_t* total_bytes, std::uint64_t* total_free_bytes) override
    {
        const auto drive = linux_detail::Drive_For_Root(root_path);
        if (!drive)
            return false;
        struct statvfs info{};
        if (statvfs(drive->mount_point.c_str(), &info) != 0)
            return false;
        const std::uint64_t unit = info.f_frsize ? info.f_frsize : info.f_bsize;
        if (free_bytes_available)
            *free_bytes_available = static_cast<std::uint64_t>(info.f_bavail) * unit;
        if (total_bytes)
            *total_bytes = static_cast<std::uint64_t>(info.f_blocks) * unit;
        if (total_free_bytes)
            *total_free_bytes = static_cast<std::uint64_t>(info.f_bfree) * unit;
        return true;
    }

    unsigned Set_Error_Mode(unsigned mode) override
    {
        const unsigned previous = mode_;
        mode_ = mode;
        return previous;
    }

private:
    unsigned mode_ = 0;
};

} // namespace

template <>
Disk_Service& Default_Service<Disk_Service>()
{
    static Linux_Disk_Service service;
    return service;
}

} // namespace platform
