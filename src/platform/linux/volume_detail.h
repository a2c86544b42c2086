#pragma once
// The Linux readers behind the volume service. Each takes the place it reads
// from, so tests point it at a folder of their own.

#include <string>

namespace platform::linux_detail {

// The label of the file system on `device`, from a folder of links named
// after labels (udev's /dev/disk/by-label, where "\x20" stands for a blank).
// Empty when no link leads to the device.
std::string Volume_Label(const std::string& device, const std::string& by_label_folder = "/dev/disk/by-label");

// The DRIVE_* kind of a mounted file system: memory file systems are RAM
// disks, optical ones CD-ROMs, network ones remote; a block device that sysfs
// marks removable (on itself or, for a partition, on its disk) is removable;
// anything else mounted is fixed.
unsigned Drive_Type_Of(const std::string& file_system, const std::string& device,
                       const std::string& sys_class_block = "/sys/class/block");

// Whether a file can be written in `folder`, tried with the file `file_name`
// in it. A file of that name that is not there is created and then removed
// again, and only if it is still the one created; an existing regular file is
// opened for writing without truncation and left as it was; anything else of
// that name (a link, a folder, a pipe) counts as not writable. No symbolic
// link under that name is followed and nothing outside `folder` is touched.
bool Probe_Writable_Folder(const std::string& folder, const std::string& file_name);

} // namespace platform::linux_detail
