#pragma once
// The running program and the programs it starts.
//
// Contracts:
// Paths are UTF-8.
//
// - Executable_Path: full path of the running executable (Linux:
//   /proc/self/exe; Win32: GetModuleFileNameW).
// - Text_Editor_Present: a system text editor can be started (Win32: the
//   Windows directory holds Notepad.EXE; Linux: the desktop's handler for
//   plain text, or a text editor on the PATH).
// - Start_Text_Editor: starts the editor on the file as a separate process,
//   the path passed whole as one argument (no shell, no length limit);
//   returns at once; false when it could not be started. Win32: the
//   Windows directory's Notepad by its full path (CreateProcessW), the
//   document's full path quoted as the command line's rules ask.
// - Startup_Show_State: the show state the launcher asked for (SW_* values);
//   SW_SHOWDEFAULT when it asked for none (Linux always). Win32:
//   GetStartupInfoW.

#include "platform/services.h"
#include "platform/win32_names.h"

#include <string>

namespace platform {

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
