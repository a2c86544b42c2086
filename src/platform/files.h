#pragma once
// File and folder services the settings and document commands use.
//
// Contracts:
// - File_Exists / Folder_Exists: a file (not a folder) / a folder is there.
// - Clear_File_Attributes: clears read-only, hidden, system and archive
//   (Linux: adds owner write permission); false on failure.
// - Delete_File: false when the file is still there afterwards.
// - Exclusive_Open_Error: tries to open the file for reading and writing
//   with exclusive sharing and closes it again; 0 on success, otherwise a
//   Win32 error code: 2 or 3 not found, 32 sharing violation, 33 lock
//   violation (Linux: another process holds a lock on the file), others as
//   they come.
// Paths are UTF-8. Win32: GetFileAttributesW, SetFileAttributesW,
// DeleteFileW, CreateFileW with no sharing.

#include "platform/services.h"

#include <cstdint>
#include <string>

namespace platform {

class File_Service {
public:
    virtual ~File_Service() = default;
    virtual bool File_Exists(const std::string& path) = 0;
    virtual bool Folder_Exists(const std::string& path) = 0;
    virtual bool Clear_File_Attributes(const std::string& path) = 0;
    virtual bool Delete_File(const std::string& path) = 0;
    virtual std::uint32_t Exclusive_Open_Error(const std::string& path) = 0;
};

template <>
File_Service& Default_Service<File_Service>();

} // namespace platform
