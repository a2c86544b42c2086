// The end of the session reaches every top-level window as WM_ENDSESSION,
// sent to it on the thread that made it; a hidden window of our own takes it
// and asks the program to close while the session still waits, so the
// settings are saved before Windows ends the process. A console's close,
// log-off or Ctrl+C arrives on a thread of its own and is passed to that
// window to be handled on the user-interface thread.
#include "platform/termination.h"

#include "platform/win32_names.h"

namespace platform {
namespace {

constexpr wchar_t Window_Class[] = L"Vistrel termination watch";
constexpr UINT Close_Requested = WM_APP + 1;

HWND watch_window = nullptr;

std::function<void()>& Close_Request()
{
    static std::function<void()> request;
    return request;
}

LRESULT CALLBACK Watch_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    switch (message) {
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (w_param && Close_Request())
            Close_Request()();
        return 0;
    case Close_Requested:
        if (Close_Request())
            Close_Request()();
        return 0;
    default:
        return DefWindowProcW(window, message, w_param, l_param);
    }
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
    if (watch_window)
        return;
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = Watch_Procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = Window_Class;
    RegisterClassW(&window_class);
    // A top-level window, never shown: message-only windows hear no session end.
    watch_window = CreateWindowExW(0, Window_Class, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   window_class.hInstance, nullptr);
    if (!watch_window)
        return;
    Close_Request() = std::move(close_request);
    SetConsoleCtrlHandler(On_Console_Event, TRUE);
}

} // namespace platform
