// Window placement: always on top, corner snaps, keep inside the screen.
#include "app/placement.h"

#include "app/main_form.h"
#include "app/window_bounds.h"
#include "platform/input.h"

#include <QAction>
#include <QWindow>
#include <cstdint>

namespace {

// Sums in 64 bits: a window manager may report anything, and the rules
// compare signed values.
std::int64_t Right(const QRect& bounds)
{
    return std::int64_t{bounds.left()} + bounds.width();
}

std::int64_t Bottom(const QRect& bounds)
{
    return std::int64_t{bounds.top()} + bounds.height();
}

void Move_Left(Placement_Window& window, int left)
{
    if (window.Outer_Bounds().left() != left)
        window.Set_Left(left);
}

void Move_Top(Placement_Window& window, int top)
{
    if (window.Outer_Bounds().top() != top)
        window.Set_Top(top);
}

void Keep_Inside(int screen_width, int screen_height, Placement_Window& window)
{
    if (window.Outer_Bounds().left() < 0)
        window.Set_Left(0);
    if (window.Outer_Bounds().top() < 0)
        window.Set_Top(0);
    QRect bounds = window.Outer_Bounds();
    if (Bottom(bounds) > screen_height && bounds.height() < screen_height)
        window.Set_Top(screen_height - bounds.height());
    bounds = window.Outer_Bounds();
    if (Right(bounds) > screen_width && bounds.width() < screen_width)
        window.Set_Left(screen_width - bounds.width());
}

void Snap(const Placement_Choices& choices, int screen_width, int screen_height, Placement_Window& window)
{
    // The first mark set decides; the top edge goes before the left edge.
    if (choices.snap_bottom_right) {
        Move_Top(window, screen_height - window.Outer_Bounds().height());
        Move_Left(window, screen_width - window.Outer_Bounds().width());
    } else if (choices.snap_bottom_left) {
        Move_Top(window, screen_height - window.Outer_Bounds().height());
        Move_Left(window, 0);
    } else if (choices.snap_top_left) {
        Move_Top(window, 0);
        Move_Left(window, 0);
    } else if (choices.snap_top_right) {
        Move_Top(window, 0);
        Move_Left(window, screen_width - window.Outer_Bounds().width());
    }
}

// The main window as the pass sees it.
class Main_Window_Placement final : public Placement_Window {
public:
    explicit Main_Window_Placement(QWidget* window) : window_(window) {}
    QRect Outer_Bounds() const override { return ::Outer_Bounds(window_); }
    void Set_Left(int left) override { Set_Outer_Left(window_, left); }
    void Set_Top(int top) override { Set_Outer_Top(window_, top); }

private:
    QWidget* window_;
};

} // namespace

void Place_Window(const Placement_Choices& choices, int screen_width, int screen_height, Placement_Window& window)
{
    if (screen_width <= 0 || screen_height <= 0)
        return;
    if (choices.keep_inside)
        Keep_Inside(screen_width, screen_height, window);
    Snap(choices, screen_width, screen_height, window);
}

void TMainForm1::Always_On_Top_OptionClick()
{
    Toggle_Always_On_Top();
}

void TMainForm1::Toggle_Always_On_Top()
{
    const bool on_top = !Always_On_Top_Option->isChecked();
    Always_On_Top_Option->setChecked(on_top);
    // QWidget::setWindowFlags would hide and re-create a shown window (a
    // visible flicker, and the window manager may place it anew). The native
    // window takes the keep-above state in place; the widget's own copy of the
    // flags is kept in step so that a later re-creation keeps it too.
    if (QWindow* native = windowHandle()) {
        overrideWindowFlags(on_top ? windowFlags() | Qt::WindowStaysOnTopHint
                                   : windowFlags() & ~Qt::WindowStaysOnTopHint);
        native->setFlag(Qt::WindowStaysOnTopHint, on_top);
    } else {
        setWindowFlag(Qt::WindowStaysOnTopHint, on_top);
    }
}

namespace {

void Snap_Item_Clicked(QAction* clicked, std::initializer_list<QAction*> others)
{
    if (clicked->isChecked()) {
        clicked->setChecked(false);
        return;
    }
    clicked->setChecked(true);
    for (QAction* other : others)
        other->setChecked(false);
}

} // namespace

void TMainForm1::Snap_Program_to_Top_Left_of_Screen_OptionClick()
{
    Snap_Item_Clicked(Snap_Program_to_Top_Left_of_Screen_Option,
                      {Snap_Program_to_Top_Right_of_Screen_Option, Snap_Program_to_Bottom_Left_of_Screen_Option,
                       Snap_Program_to_Bottom_Right_of_Screen_Option});
    Program_Size_TimerTimer();
}

void TMainForm1::Snap_Program_to_Top_Right_of_Screen_OptionClick()
{
    Snap_Item_Clicked(Snap_Program_to_Top_Right_of_Screen_Option,
                      {Snap_Program_to_Top_Left_of_Screen_Option, Snap_Program_to_Bottom_Left_of_Screen_Option,
                       Snap_Program_to_Bottom_Right_of_Screen_Option});
    Program_Size_TimerTimer();
}

void TMainForm1::Snap_Program_to_Bottom_Left_of_Screen_OptionClick()
{
    Snap_Item_Clicked(Snap_Program_to_Bottom_Left_of_Screen_Option,
                      {Snap_Program_to_Top_Left_of_Screen_Option, Snap_Program_to_Top_Right_of_Screen_Option,
                       Snap_Program_to_Bottom_Right_of_Screen_Option});
    Program_Size_TimerTimer();
}

void TMainForm1::Snap_Program_to_Bottom_Right_of_Screen_OptionClick()
{
    Snap_Item_Clicked(Snap_Program_to_Bottom_Right_of_Screen_Option,
                      {Snap_Program_to_Top_Left_of_Screen_Option, Snap_Program_to_Top_Right_of_Screen_Option,
                       Snap_Program_to_Bottom_Left_of_Screen_Option});
    Program_Size_TimerTimer();
}

void TMainForm1::Keep_Program_Inside_the_Screen_Bounds_OptionClick()
{
    Keep_Program_Inside_the_Screen_Bounds_Option->setChecked(
        !Keep_Program_Inside_the_Screen_Bounds_Option->isChecked());
    Program_Size_TimerTimer();
}

void TMainForm1::Program_Size_TimerTimer()
{
    if (isMaximized())
        return;
    Placement_Choices choices;
    choices.keep_inside = Keep_Program_Inside_the_Screen_Bounds_Option->isChecked();
    choices.snap_bottom_right = Snap_Program_to_Bottom_Right_of_Screen_Option->isChecked();
    choices.snap_bottom_left = Snap_Program_to_Bottom_Left_of_Screen_Option->isChecked();
    choices.snap_top_left = Snap_Program_to_Top_Left_of_Screen_Option->isChecked();
    choices.snap_top_right = Snap_Program_to_Top_Right_of_Screen_Option->isChecked();
    if (!choices.keep_inside && !choices.snap_bottom_right && !choices.snap_bottom_left && !choices.snap_top_left &&
        !choices.snap_top_right)
        return; // nothing to enforce: spare the screen queries
    auto& screen = platform::Use<platform::Input_Service>();
    const int screen_width = screen.Get_System_Metrics(SM_CXSCREEN);
    const int screen_height = screen.Get_System_Metrics(SM_CYSCREEN);
    Main_Window_Placement window(this);
    Place_Window(choices, screen_width, screen_height, window);
}
