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
//   Win32: GetCursorPos and GetAsyncKeyState(VK_LBUTTON / VK_RBUTTON) &
//   0x8001: down now, or gone down since the last query (a click between
//   two queries is seen as a press).
//   Linux keeps this service with the windows, as it reads the cursor over
//   the toolkit's own X connection.
// - Get_System_Metrics: SM_CXSCREEN / SM_CYSCREEN, the primary screen's full
//   size in pixels (not the work area); 0 for other indexes. Asked up to
//   a hundred times a second: answers from a cached figure. Linux: the
//   primary output (RandR, as Qt reports it), not the root window, which
//   spans every monitor.
// - Primary_Screen_Bounds: where the primary screen lies on the desktop and
//   its size, in the coordinates window positions use; the corner snaps go
//   to its corners. Win32: the primary monitor always starts at (0, 0).
// - Report_Activity: starts telling the listener, on the user-interface
//   thread, whenever a device moves the pointer and whenever a mouse button
//   goes down or up, whatever window is under the pointer (null stops it).
//   False when the platform cannot: the caller then polls Query_Pointer.
//   Linux: chosen once per listener, the first that the server offers:
//   RECORD on a connection of its own (every pointer event the server
//   processes, with its root position and server time, XTest's and warps
//   by any program included; a WarpPointer request that brings no motion
//   event is answered by one query); else XInput2 raw events on the root
//   window, which report devices only, not a pointer warped by a program.
//   Win32: raw input (RegisterRawInputDevices, RIDEV_INPUTSINK) sent to the
//   program's hidden window: devices only. Wine 8 registers it yet sends
//   none to such a window: the caller's backup poll is then all that wakes it.
// - Reports_Positions: the reports carry positions (Pointer_At, in the
//   order of their server times) and presses; there is no need to query.
// - Report_Motion: whether motion is reported at all (buttons always are
//   while a listener is set). A caller sampling on its own timer switches it
//   off, since a fast mouse reports hundreds of moves a second. Where the
//   reports carry positions nothing is lost while it is off: the reports,
//   button changes included, wait until Read_Reports hands them over, or
//   until it is switched on again, which wakes the caller if any wait.
// - Read_Reports: hands over, now, the reports waiting (only where they
//   carry positions). Linux: the X server holds what it records until it
//   has something to send to some client, so one round trip on the
//   program's own connection comes first and makes it send everything.

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

struct Screen_Bounds {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

enum class Mouse_Button { Left, Right };

class Pointer_Activity_Listener {
public:
    virtual ~Pointer_Activity_Listener() = default;
    virtual void Pointer_Moved() = 0;
    virtual void Button_Changed(Mouse_Button button, bool down) = 0;
    // The pointer reached (x, y) at time_ms of the server's clock.
    virtual void Pointer_At(std::int32_t x, std::int32_t y, std::uint32_t time_ms)
    {
        static_cast<void>(x);
        static_cast<void>(y);
        static_cast<void>(time_ms);
        Pointer_Moved();
    }
};

class Input_Service {
public:
    virtual ~Input_Service() = default;
    virtual Pointer_State Query_Pointer() = 0;
    virtual std::int32_t Get_System_Metrics(int index) = 0;
    virtual Screen_Bounds Primary_Screen_Bounds()
    {
        return {0, 0, Get_System_Metrics(SM_CXSCREEN), Get_System_Metrics(SM_CYSCREEN)};
    }
    virtual bool Report_Activity(Pointer_Activity_Listener*) { return false; }
    virtual void Report_Motion(bool) {}
    virtual bool Reports_Positions() { return false; }
    virtual void Read_Reports() {}
};

template <>
Input_Service& Default_Service<Input_Service>();

} // namespace platform
