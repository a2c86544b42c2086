#pragma once
// Drive letters over the Linux mount table: c: is "/", then d:, e:, ... for
// every other mounted real file system in mount-table order, skipping pseudo
// file systems and second mounts of a device already lettered.

#include <optional>
#include <string>
#include <vector>

namespace platform::linux_detail {

struct Mounted_Drive {
    char letter = 'c';
    std::string mount_point;
    std::string device;
    std::string file_system;
};

// Parses a mounts file (the format of /proc/self/mounts); tests give fixtures.
std::vector<Mounted_Drive> Read_Mount_Table(const std::string& mounts_path);

// The drive behind a root path such as "C:\" in the current mount table, read
// afresh when the table has changed since the last call.
std::optional<Mounted_Drive> Drive_For_Root(const std::string& root_path);

// The current table, refreshed.
std::vector<Mounted_Drive> Current_Drives();

} // namespace platform::linux_detail
