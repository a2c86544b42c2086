#pragma once
// Where vistrel.ini lives: in the executable's folder, as a portable program
// keeps its settings. Where that folder cannot be written and holds no
// vistrel.ini yet (an installed copy under /usr, say), the file lives in
// $XDG_CONFIG_HOME/vistrel/ instead (default ~/.config/vistrel/).

#include <QString>

inline constexpr char Settings_File_Name[] = "vistrel.ini";

// The executable's folder, without a trailing separator.
QString Executable_Folder();

// The full path of vistrel.ini, chosen afresh at every call.
QString Settings_File_Path();

// The same, after making sure its folder exists, for a save.
QString Settings_File_Path_For_Writing();
