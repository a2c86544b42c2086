#pragma once
// Volume information, cluster figures, drive type and the writability probe,
// for the drive report. Drives are named by root path ("C:\") as in disk.h.
//
// Contracts:
// - Get_Volume_Information: label (empty when none), 32-bit serial and file
//   system name. False when the volume cannot be read; outputs then unset.
//   Linux: label from /dev/disk/by-label, serial = low 32 bits of the file
//   system id, file system as the mount table names it.
// - Get_Disk_Free_Space: sectors per cluster, bytes per sector, free and total
//   clusters as 64-bit counts; false when the query fails (outputs zero).
//   Linux: statvfs; 512 bytes per sector, f_frsize / 512 sectors per cluster.
// - Get_Drive_Type: one of the DRIVE_* values below.
// - Probe_Writable: true when a file can be written in the drive's root. It
//   creates the named test file only if no file of that name exists and then
//   deletes just that file; an existing file is opened for writing without
//   truncation and left as it was; no symbolic link is followed.
// Win32: GetVolumeInformationW, GetDiskFreeSpaceW, GetDriveTypeW, and
// CreateFileW for the probe (a new file deleted on close).

#include "platform/services.h"
#include "platform/win32_names.h"

#include <cstdint>
#include <string>

namespace platform {

class Volume_Service {
public:
    virtual ~Volume_Service() = default;
    virtual bool Get_Volume_Information(const std::string& root_path, std::string* volume_name,
                                        std::uint32_t* serial_number, std::string* file_system_name) = 0;
    virtual bool Get_Disk_Free_Space(const std::string& root_path, std::uint64_t* sectors_per_cluster,
                                     std::uint64_t* bytes_per_sector, std::uint64_t* free_clusters,
                                     std::uint64_t* total_clusters) = 0;
    virtual unsigned Get_Drive_Type(const std::string& root_path) = 0;
    virtual bool Probe_Writable(const std::string& root_path, const std::string& file_name) = 0;
};

template <>
Volume_Service& Default_Service<Volume_Service>();

} // namespace platform
