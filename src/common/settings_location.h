#pragma once
// Where vistrel.ini lives: in the executable's folder, as a portable program
// keeps its settings. Where that folder holds no vistrel.ini yet and either
// cannot be written or belongs to an installed copy (see installed_layout.h),
// the file lives in $XDG_CONFIG_HOME/vistrel/ instead (default
// ~/.config/vistrel/).

#include <QString>

inline constexpr char Settings_File_Name[] = "vistrel.ini";

// The executable's folder, without a trailing separator.
QString Executable_Folder();

// The full path of vistrel.ini, chosen afresh at every call.
QString Settings_File_Path();

// The same, after making sure its folder exists, for a save.
QString Settings_File_Path_For_Writing();
