#pragma once
// The placement pass as a plain routine: keep the window inside the screen,
// then snap it to the chosen corner. The main window's timer handler feeds it
// the menu's check marks and the primary screen's bounds on the desktop.

#include <QRect>

struct Placement_Choices {
    bool keep_inside = false;
    bool snap_bottom_right = false;
    bool snap_bottom_left = false;
    bool snap_top_left = false;
    bool snap_top_right = false;
};

// The window being placed. Bounds are the outer bounds in screen pixels and
// are read again after every move, since the window manager has the last word
// on where a window goes.
class Placement_Window {
public:
    virtual ~Placement_Window() = default;
    virtual QRect Outer_Bounds() const = 0;
    virtual void Set_Left(int left) = 0;
    virtual void Set_Top(int top) = 0;
};

// One pass. Only moves, never resizes. An edge already where a rule wants it
// is not touched, so a settled window costs no window-system traffic. A
// screen of unknown (zero) size places nothing: every corner would be off
// the screen. The rules are the primary screen's: its corners are where the
// snaps go, and keep-inside keeps the window on it, wherever it lies on a
// desktop of several screens.
void Place_Window(const Placement_Choices& choices, const QRect& screen, Placement_Window& window);
