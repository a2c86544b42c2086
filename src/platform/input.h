#pragma once
// Cursor, mouse buttons and screen size.
//
// Contracts:
// - Query_Pointer: the cursor position in screen pixels and whether the left
//   and right buttons are down now, system-wide, whatever window is under the
//   cursor. Called every 10 ms: one round trip at most. Never throws; when
//   nothing can be read it gives the last known position and no buttons.
//   Linux: one xcb_query_pointer on the root window (Button1 left, Button3
//   right); without an X display, the position from Qt and no buttons.
//   Win32: GetCursorPos and GetAsyncKeyState(VK_LBUTTON / VK_RBUTTON) & 0x8000.
//   Linux keeps this service with the windows, as it reads the cursor over
//   the toolkit's own X connection.
// - Get_System_Metrics: SM_CXSCREEN / SM_CYSCREEN, the primary screen's full
//   size in pixels (not the work area); 0 for other indexes.

#include "platform/services.h"
#include "platform/win32_names.h"

#include <cstdint>

namespace platform {

struct Pointer_State {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool left_down = false;
    bool right_down = false;
};

class Input_Service {
public:
    virtual ~Input_Service() = default;
    virtual Pointer_State Query_Pointer() = 0;
    virtual std::int32_t Get_System_Metrics(int index) = 0;
};

template <>
Input_Service& Default_Service<Input_Service>();

} // namespace platform
