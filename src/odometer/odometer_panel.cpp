// Odometer sampling and its panel: the 10 ms tick and the routines that
// write its figures into the main window.
#include "app/main_form.h"

#include "odometer/odometer_sampling.h"
#include "odometer/odometer_units.h"
#include "odometer/settings_form.h"
#include "platform/input.h"

#include <QGroupBox>
#include <QLabel>

#include <chrono>

namespace {
std::int64_t Monotonic_ms()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
} // namespace

void TMainForm1::Trailcount_TimerTimer()
{
    platform::Input_Service& input = platform::Use<platform::Input_Service>();
    const platform::Pointer_State pointer = input.Query_Pointer();
    const Odometer_Settings settings = Settings_Form ? Settings_Form->Settings() : Odometer_Settings{};

    // The first tick has nowhere to measure from: it only takes the starting
    // position, so that starting the program adds no distance.
    long double step = 0;
    if (Odometer.Has_Previous_Cursor) {
        const std::int64_t dx = std::int64_t{pointer.x} - Odometer.Previous_Cursor_X;
        const std::int64_t dy = std::int64_t{pointer.y} - Odometer.Previous_Cursor_Y;
        if (dx != 0 || dy != 0) {
            const std::int64_t pixels = std::int64_t{input.Get_System_Metrics(SM_CXSCREEN)}
                                        + input.Get_System_Metrics(SM_CYSCREEN);
            step = Step_Distance(dx, dy, std::int64_t{settings.Screen_Width} + settings.Screen_Height, pixels);
        }
    }
    Odometer.Odometer_Distance = Add_Step(Odometer.Odometer_Distance, step, Is_Metric(settings.Unit_Index));
    Odometer.Distance_Label.Write(*Distance_Travelled_Label, Odometer.Odometer_Distance, Monotonic_ms());

    if (Presses_Reported) {
        // The reports count every press, however short; a sample only
        // notices a release whose report went astray.
        if (!pointer.left_down)
            Odometer.Left_Press_Latch = false;
        if (!pointer.right_down)
            Odometer.Right_Press_Latch = false;
    } else {
        if (Count_Press(pointer.left_down, Odometer.Left_Press_Latch, Odometer.Left_Press_Count))
            Show_Press_Counts();
        if (Count_Press(pointer.right_down, Odometer.Right_Press_Latch, Odometer.Right_Press_Count))
            Show_Press_Counts();
    }

    Odometer.Previous_Cursor_X = pointer.x;
    Odometer.Previous_Cursor_Y = pointer.y;
    Odometer.Has_Previous_Cursor = true;
}

void TMainForm1::Trailcount_Button(platform::Mouse_Button button, bool down)
{
    const bool left = button == platform::Mouse_Button::Left;
    if (Count_Press(down, left ? Odometer.Left_Press_Latch : Odometer.Right_Press_Latch,
                    left ? Odometer.Left_Press_Count : Odometer.Right_Press_Count))
        Show_Press_Counts();
}

void TMainForm1::Show_Press_Counts()
{
    Odometer.Left_Press_Count = Wrap_Press_Count(Odometer.Left_Press_Count);
    Odometer.Right_Press_Count = Wrap_Press_Count(Odometer.Right_Press_Count);
    Left_Mouse_Label->setText(Format_Press_Count(Odometer.Left_Press_Count));
    Right_Mouse_Label->setText(Format_Press_Count(Odometer.Right_Press_Count));
}

void TMainForm1::Show_Distance_Units_Caption()
{
    const int unit = Settings_Form ? Settings_Form->Settings().Unit_Index : Metric_Unit;
    Distance_Travelled_GroupBox->setTitle(Is_Metric(unit) ? QStringLiteral(" Mouse Kilometers Travelled : ")
                                                          : QStringLiteral(" Mouse Miles Travelled : "));
}
