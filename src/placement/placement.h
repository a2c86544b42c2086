#pragma once
// Placement and stacking: always on top, the corner snaps, keeping the window
// inside the screen, and the pass that enforces them when something moved.
// The pass itself is a plain routine (Place_Window); Placement feeds it the
// menu's check marks and the primary screen's bounds on the desktop.

#include <QRect>

class QAction;
class QTimer;
class QWidget;

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

class Placement {
public:
    struct Controls {
        QAction* Always_On_Top_Option = nullptr;
        QAction* Snap_Program_to_Top_Left_of_Screen_Option = nullptr;
        QAction* Snap_Program_to_Top_Right_of_Screen_Option = nullptr;
        QAction* Snap_Program_to_Bottom_Left_of_Screen_Option = nullptr;
        QAction* Snap_Program_to_Bottom_Right_of_Screen_Option = nullptr;
        QAction* Keep_Program_Inside_the_Screen_Bounds_Option = nullptr;
        QTimer* Program_Size_Timer = nullptr; // single shot; its timeout is wired to Program_Size_TimerTimer
        QWidget* Window = nullptr;            // the top-level window it moves and keeps on top
    };

    explicit Placement(const Controls& controls);

    void Always_On_Top_OptionClick();
    void Toggle_Always_On_Top();
    void Snap_Program_to_Top_Left_of_Screen_OptionClick();
    void Snap_Program_to_Top_Right_of_Screen_OptionClick();
    void Snap_Program_to_Bottom_Left_of_Screen_OptionClick();
    void Snap_Program_to_Bottom_Right_of_Screen_OptionClick();
    void Keep_Program_Inside_the_Screen_Bounds_OptionClick();
    void Program_Size_TimerTimer();

    // The start-up's last step: one pass now, the timer, and from the first
    // start on, a watch on the screens.
    void Start_Placement();
    // The window moved, changed size or state, or a screen changed.
    void Placement_May_Be_Needed();

private:
    void Watch_Screens_For_Placement();

    Controls c_;
    bool placement_started_ = false;
};
