#pragma once
// Where the program's files are. A portable copy (the build folder, an
// unpacked folder) keeps the executable, the readme, the catalogue and
// vistrel.ini in one folder. An installed copy keeps the executable in
// <prefix>/bin and the readme and catalogue in <prefix>/share/vistrel, where
// the install step puts them; its settings are the user's own and live in
// the user's configuration folder.

#include <QString>

// The installed data folder as seen from the executable's folder.
inline constexpr char Data_Folder_From_Executable[] = "../share/vistrel";

// The data folder of the running executable, without a trailing separator,
// whether or not it exists; empty when the executable's path cannot be learned.
QString Installed_Data_Folder();

// The running executable is an installed copy: its data folder is there.
bool Runs_Installed();
