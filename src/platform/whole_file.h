#pragma once
// Files read and replaced whole: the settings file and the odometer's
// exchange file, through the ini layer. Paths are UTF-8.
//
// Contracts:
// - Read_Whole_File: the file's bytes. Missing when nothing is at the path
//   (or its folder is missing); Unreadable when something is there that
//   cannot be read as a regular file: a folder, a pipe or a device (never
//   opened so that it could block), no permission, a read error.
// - Replace_Whole_File: afterwards the file holds exactly the bytes, or the
//   call returns false. A symbolic link is written through to its target,
//   and the link stays. Something other than a regular file in the file's
//   place is never replaced.
//   The bytes go to a temporary file in the same folder, named after the
//   file with a dot and six more characters ("vistrel.ini.a1B2c3"), which is
//   flushed to the disk and checked, then renamed over the file; then the
//   folder is flushed. The file is therefore always either the old one or
//   the new one, whole, and a failure leaves the old one and no temporary
//   file. A replaced file keeps its permissions and owner (Linux) or its
//   hidden, system and archive attributes (Windows).
//   When the folder refuses the temporary file for want of permission but
//   the file itself may be written, the file is rewritten in place instead
//   (written from its start, cut to the new length, flushed and checked):
//   that is not atomic, but a settings file in a folder the user cannot
//   write to would otherwise never be saved.
//   Linux: mkstemp, fsync, rename, fsync of the folder. Win32: CreateFileW,
//   FlushFileBuffers, MoveFileExW with MOVEFILE_REPLACE_EXISTING and
//   MOVEFILE_WRITE_THROUGH.
// - Full_Path: the path made absolute, as error messages name the file.

#include <string>
#include <string_view>

namespace platform {

enum class Read_Result { Read, Missing, Unreadable };

Read_Result Read_Whole_File(const std::string& path, std::string& bytes);

bool Replace_Whole_File(const std::string& path, std::string_view bytes);

std::string Full_Path(const std::string& path);

} // namespace platform
