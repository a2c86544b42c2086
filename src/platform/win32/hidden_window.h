#pragma once
// The program's one window that is never shown. The end of the session
// reaches only top-level windows, and raw input from the pointing devices
// needs a window to be sent to; both come to this one, made on the
// user-interface thread at its first use. Each message has at most one
// handler; messages without one go to DefWindowProc.

#include "platform/win32_names.h"

#include <functional>

namespace platform::win32 {

using Message_Handler = std::function<LRESULT(WPARAM, LPARAM)>;

// Null where the window could not be made.
HWND Hidden_Window();

// Takes `message` from now on (an empty handler gives it back).
void Handle_Message(UINT message, Message_Handler handler);

} // namespace platform::win32
