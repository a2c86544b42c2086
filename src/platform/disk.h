#pragma once
// Drives and free space.
//
// A drive is named by its letter and reached by its root path, the three
// characters letter, colon, backslash ("C:\"). On Linux the letters map to
// mount points: c: is "/", then d:, e:, ... for every other mounted real file
// system in mount-table order (no pseudo file systems, no second mount of the
// same device). Letters with no drive behind them are simply absent.
//
// Contracts:
// - Logical_Drives: the drives present now, in letter order. Re-reads the
//   mount table; called when the drive list is filled, not per tick.
// - Get_Disk_Free_Space_Ex: byte counts of the volume at the root path: free
//   bytes available to the caller, total bytes, total free bytes. Returns
//   false and leaves the outputs untouched when the drive cannot be queried
//   (callers zero them first). Called four times per refresh tick; cheap.
// - Set_Error_Mode: sets the process's critical-error mode and returns the
//   previous one (Win32 SetErrorMode; Linux has no such boxes and only keeps
//   the value).
// Win32: GetLogicalDrives, GetDiskFreeSpaceExW, SetErrorMode.

#include "platform/services.h"
#include "platform/win32_names.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct Drive_Entry {
    char letter = 'c';      // lower case, 'a'..'z'
    // What the drive list shows after "x: ": the mount point (Linux), the
    // volume label in brackets for a fixed drive that has one (Win32), or
    // nothing.
    std::string location;
};

class Disk_Service {
public:
    virtual ~Disk_Service() = default;
    virtual std::vector<Drive_Entry> Logical_Drives() = 0;
    virtual bool Get_Disk_Free_Space_Ex(const std::string& root_path, std::uint64_t* free_bytes_available,
                                        std::uint64_t* total_bytes, std::uint64_t* total_free_bytes) = 0;
    virtual unsigned Set_Error_Mode(unsigned mode) = 0;
};

template <>
Disk_Service& Default_Service<Disk_Service>();

// Critical-error boxes stay off for a scope, and the previous mode comes back
// whatever happens inside it.
class Quiet_Critical_Errors {
public:
    Quiet_Critical_Errors() : previous_(Use<Disk_Service>().Set_Error_Mode(SEM_FAILCRITICALERRORS)) {}
    ~Quiet_Critical_Errors() { Use<Disk_Service>().Set_Error_Mode(previous_); }
    Quiet_Critical_Errors(const Quiet_Critical_Errors&) = delete;
    Quiet_Critical_Errors& operator=(const Quiet_Critical_Errors&) = delete;

private:
    unsigned previous_;
};

} // namespace platform
