// The end of the session reaches every top-level window as WM_ENDSESSION,
// sent to it on the thread that made it; the program's hidden window takes it
// and asks the program to close while the session still waits, so the
// settings are saved before Windows ends the process. A console's close,
// log-off or Ctrl+C arrives on a thread of its own and is passed to that
// window to be handled on the user-interface thread.
#include "platform/termination.h"

#include "platform/win32/hidden_window.h"

namespace platform {
namespace {

constexpr UINT Close_Requested = WM_APP + 1;

HWND watch_window = nullptr;

LRESULT Ask_To_Close(const std::function<void()>& close_request)
{
    close_request();
    return 0;
}

BOOL WINAPI On_Console_Event(DWORD event)
{
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        PostMessageW(watch_window, Close_Requested, 0, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void Watch_Termination(std::function<void()> close_request)
{
    if (watch_window || !close_request)
        return;
    watch_window = win32::Hidden_Window();
    if (!watch_window)
        return;
    win32::Handle_Message(WM_QUERYENDSESSION, [](WPARAM, LPARAM) -> LRESULT { return TRUE; });
    win32::Handle_Message(WM_ENDSESSION, [close_request](WPARAM ending, LPARAM) {
        return ending ? Ask_To_Close(close_request) : 0;
    });
    win32::Handle_Message(Close_Requested, [close_request](WPARAM, LPARAM) { return Ask_To_Close(close_request); });
    SetConsoleCtrlHandler(On_Console_Event, TRUE);
}

} // namespace platform
