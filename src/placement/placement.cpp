// Window placement: always on top, corner snaps, keep inside the screen.
#include "placement/placement.h"

#include "common/window_bounds.h"
#include "platform/input.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
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

// A window seen from the primary screen's top left corner, where the rules
// are written as if the screen began at (0, 0).
class Relative_To_Screen final : public Placement_Window {
public:
    Relative_To_Screen(Placement_Window& window, QPoint origin) : window_(window), origin_(origin) {}
    QRect Outer_Bounds() const override { return window_.Outer_Bounds().translated(-origin_); }
    void Set_Left(int left) override { window_.Set_Left(left + origin_.x()); }
    void Set_Top(int top) override { window_.Set_Top(top + origin_.y()); }

private:
    Placement_Window& window_;
    QPoint origin_;
};

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

void Place_Window(const Placement_Choices& choices, const QRect& screen, Placement_Window& window)
{
    if (screen.width() <= 0 || screen.height() <= 0)
        return;
    Relative_To_Screen relative(window, screen.topLeft());
    if (choices.keep_inside)
        Keep_Inside(screen.width(), screen.height(), relative);
    Snap(choices, screen.width(), screen.height(), relative);
}

Placement::Placement(const Controls& controls) : c_(controls) {}

void Placement::Always_On_Top_OptionClick()
{
    Toggle_Always_On_Top();
}

void Placement::Toggle_Always_On_Top()
{
    const bool on_top = !c_.Always_On_Top_Option->isChecked();
    c_.Always_On_Top_Option->setChecked(on_top);
    QWidget* window = c_.Window;
    // QWidget::setWindowFlags would hide and re-create a shown window (a
    // visible flicker, and the window manager may place it anew). The native
    // window takes the keep-above state in place; the widget's own copy of the
    // flags is kept in step so that a later re-creation keeps it too.
    if (QWindow* native = window->windowHandle()) {
        window->overrideWindowFlags(on_top ? window->windowFlags() | Qt::WindowStaysOnTopHint
                                           : window->windowFlags() & ~Qt::WindowStaysOnTopHint);
        native->setFlag(Qt::WindowStaysOnTopHint, on_top);
    } else {
        window->setWindowFlag(Qt::WindowStaysOnTopHint, on_top);
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

void Placement::Snap_Program_to_Top_Left_of_Screen_OptionClick()
{
    Snap_Item_Clicked(c_.Snap_Program_to_Top_Left_of_Screen_Option,
                      {c_.Snap_Program_to_Top_Right_of_Screen_Option, c_.Snap_Program_to_Bottom_Left_of_Screen_Option,
                       c_.Snap_Program_to_Bottom_Right_of_Screen_Option});
    Program_Size_TimerTimer();
}

void Placement::Snap_Program_to_Top_Right_of_Screen_OptionClick()
{
    Snap_Item_Clicked(c_.Snap_Program_to_Top_Right_of_Screen_Option,
                      {c_.Snap_Program_to_Top_Left_of_Screen_Option, c_.Snap_Program_to_Bottom_Left_of_Screen_Option,
                       c_.Snap_Program_to_Bottom_Right_of_Screen_Option});
    Program_Size_TimerTimer();
}

void Placement::Snap_Program_to_Bottom_Left_of_Screen_OptionClick()
{
    Snap_Item_Clicked(c_.Snap_Program_to_Bottom_Left_of_Screen_Option,
                      {c_.Snap_Program_to_Top_Left_of_Screen_Option, c_.Snap_Program_to_Top_Right_of_Screen_Option,
                       c_.Snap_Program_to_Bottom_Right_of_Screen_Option});
    Program_Size_TimerTimer();
}

void Placement::Snap_Program_to_Bottom_Right_of_Screen_OptionClick()
{
    Snap_Item_Clicked(c_.Snap_Program_to_Bottom_Right_of_Screen_Option,
                      {c_.Snap_Program_to_Top_Left_of_Screen_Option, c_.Snap_Program_to_Top_Right_of_Screen_Option,
                       c_.Snap_Program_to_Bottom_Left_of_Screen_Option});
    Program_Size_TimerTimer();
}

void Placement::Keep_Program_Inside_the_Screen_Bounds_OptionClick()
{
    c_.Keep_Program_Inside_the_Screen_Bounds_Option->setChecked(
        !c_.Keep_Program_Inside_the_Screen_Bounds_Option->isChecked());
    Program_Size_TimerTimer();
}

void Placement::Program_Size_TimerTimer()
{
    if (c_.Window->isMaximized())
        return;
    Placement_Choices choices;
    choices.keep_inside = c_.Keep_Program_Inside_the_Screen_Bounds_Option->isChecked();
    choices.snap_bottom_right = c_.Snap_Program_to_Bottom_Right_of_Screen_Option->isChecked();
    choices.snap_bottom_left = c_.Snap_Program_to_Bottom_Left_of_Screen_Option->isChecked();
    choices.snap_top_left = c_.Snap_Program_to_Top_Left_of_Screen_Option->isChecked();
    choices.snap_top_right = c_.Snap_Program_to_Top_Right_of_Screen_Option->isChecked();
    if (!choices.keep_inside && !choices.snap_bottom_right && !choices.snap_bottom_left && !choices.snap_top_left &&
        !choices.snap_top_right)
        return; // nothing to enforce: spare the screen queries
    const platform::Screen_Bounds screen = platform::Use<platform::Input_Service>().Primary_Screen_Bounds();
    Main_Window_Placement window(c_.Window);
    Place_Window(choices, QRect(screen.left, screen.top, screen.width, screen.height), window);
}

// The pass need only run when something it looks at has changed: the
// window's place, size or state, or the screens. A change starts the timer
// (if it is not running yet), so the window goes back to its corner half a
// second after it was first moved away, and a window at rest costs nothing.
void Placement::Placement_May_Be_Needed()
{
    if (placement_started_ && !c_.Program_Size_Timer->isActive())
        c_.Program_Size_Timer->start();
}

void Placement::Start_Placement()
{
    Program_Size_TimerTimer();
    c_.Program_Size_Timer->start();
    if (!placement_started_) {
        placement_started_ = true;
        Watch_Screens_For_Placement();
    }
}

// The connections live as long as the window they place.
void Placement::Watch_Screens_For_Placement()
{
    QObject* context = c_.Window;
    const auto needed = [this] { Placement_May_Be_Needed(); };
    const auto watch = [context, needed](QScreen* screen) {
        QObject::connect(screen, &QScreen::geometryChanged, context, needed);
    };
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    QObject::connect(qGuiApp, &QGuiApplication::screenAdded, context, watch);
    QObject::connect(qGuiApp, &QGuiApplication::screenRemoved, context, needed);
    QObject::connect(qGuiApp, &QGuiApplication::primaryScreenChanged, context, needed);
}
