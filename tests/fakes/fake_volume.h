#pragma once
#include "platform/volume.h"

#include <cctype>
#include <functional>
#include <map>
#include <vector>

// Drives by letter with the volume facts the test sets. A letter with no
// entry is a drive with no root directory; each query can fail on its own.
class Fake_Volume final : public platform::Volume_Service {
public:
    struct Drive {
        bool volume_ok = true;
        std::string volume_name;
        std::uint32_t serial = 0;
        std::string file_system;
        bool space_ok = true;
        std::uint64_t sectors_per_cluster = 0;
        std::uint64_t bytes_per_sector = 0;
        std::uint64_t free_clusters = 0;
        std::uint64_t total_clusters = 0;
        unsigned drive_type = DRIVE_FIXED;
        bool writable = true;
    };
    std::map<char, Drive> drives;
    std::vector<std::string> probes; // root path + file name of every writability probe
    std::function<void()> during_probe;

    bool Get_Volume_Information(const std::string& root_path, std::string* volume_name,
                                std::uint32_t* serial_number, std::string* file_system_name) override
    {
        const Drive* drive = Find(root_path);
        if (!drive || !drive->volume_ok)
            return false;
        *volume_name = drive->volume_name;
        *serial_number = drive->serial;
        *file_system_name = drive->file_system;
        return true;
    }

    bool Get_Disk_Free_Space(const std::string& root_path, std::uint64_t* sectors_per_cluster,
                             std::uint64_t* bytes_per_sector, std::uint64_t* free_clusters,
                             std::uint64_t* total_clusters) override
    {
        const Drive* drive = Find(root_path);
        if (!drive || !drive->space_ok) {
            *sectors_per_cluster = *bytes_per_sector = *free_clusters = *total_clusters = 0;
            return false;
        }
        *sectors_per_cluster = drive->sectors_per_cluster;
        *bytes_per_sector = drive->bytes_per_sector;
        *free_clusters = drive->free_clusters;
        *total_clusters = drive->total_clusters;
        return true;
    }

    unsigned Get_Drive_Type(const std::string& root_path) override
    {
        const Drive* drive = Find(root_path);
        return drive ? drive->drive_type : DRIVE_NO_ROOT_DIR;
    }

    bool Probe_Writable(const std::string& root_path, const std::string& file_name) override
    {
        probes.push_back(root_path + file_name);
        if (during_probe)
            during_probe();
        const Drive* drive = Find(root_path);
        return drive && drive->writable;
    }

private:
    const Drive* Find(const std::string& root_path) const
    {
        if (root_path.size() != 3 || root_path.substr(1) != ":\\")
            return nullptr;
        const auto found = drives.find(static_cast<char>(std::tolower(static_cast<unsigned char>(root_path[0]))));
        return found == drives.end() ? nullptr : &found->second;
    }
};
