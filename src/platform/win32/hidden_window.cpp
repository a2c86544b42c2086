#include "platform/win32/hidden_window.h"

#include <map>

namespace platform::win32 {
namespace {

constexpr wchar_t Window_Class[] = L"Vistrel hidden window";

std::map<UINT, Message_Handler>& Handlers()
{
    static std::map<UINT, Message_Handler> handlers;
    return handlers;
}

LRESULT CALLBACK Window_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    const auto handler = Handlers().find(message);
    if (handler != Handlers().end())
        return handler->second(w_param, l_param);
    return DefWindowProcW(window, message, w_param, l_param);
}

} // namespace

HWND Hidden_Window()
{
    static const HWND window = [] {
        WNDCLASSW window_class{};
        window_class.lpfnWndProc = Window_Procedure;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = Window_Class;
        RegisterClassW(&window_class);
        // A top-level window: a message-only one hears no session end.
        return CreateWindowExW(0, Window_Class, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, window_class.hInstance,
                               nullptr);
    }();
    return window;
}

void Handle_Message(UINT message, Message_Handler handler)
{
    if (handler)
        Handlers()[message] = std::move(handler);
    else
        Handlers().erase(message);
}

} // namespace platform::win32
