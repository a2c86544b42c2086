#pragma once
// The running program and the programs it starts.
//
// Contracts:
// - Executable_Path: full path of the running executable (Linux:
//   /proc/self/exe; Win32: GetModuleFileName).
// - Text_Editor_Present: a system text editor can be started (Win32: the
//   Windows directory holds Notepad.EXE; Linux: the desktop's handler for
//   plain text, or a text editor on the PATH).
// - Start_Text_Editor: starts the editor on the file as a separate process,
//   the path passed whole as one argument (no shell, no length limit);
//   returns at once; false when it could not be started.
// - Startup_Show_State: the show state the launcher asked for (SW_* values);
//   SW_SHOWDEFAULT when it asked for none (Linux always).

#include "platform/services.h"

#include <string>

namespace platform {

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWDEFAULT = 10;

class Process_Service {
public:
    virtual ~Process_Service() = default;
    virtual std::string Executable_Path() = 0;
    virtual bool Text_Editor_Present() = 0;
    virtual bool Start_Text_Editor(const std::string& path) = 0;
    virtual int Startup_Show_State() = 0;
};

template <>
Process_Service& Default_Service<Process_Service>();

} // namespace platform
