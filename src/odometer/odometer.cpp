// The odometer's sampling, its panel and its menu commands.
#include "odometer/odometer.h"

#include "odometer/odometer_sampling.h"
#include "odometer/odometer_scheduler.h"
#include "odometer/odometer_units.h"
#include "odometer/settings_form.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QTimer>

#include <chrono>

namespace {
std::int64_t Monotonic_ms()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
} // namespace

Odometer::Odometer() = default;

// The pacing goes first: it may still hand the platform's reports to the odometer.
Odometer::~Odometer()
{
    pacing_.reset();
}

void Odometer::Attach(const Controls& controls)
{
    pacing_.reset();
    controls_ = controls;
    pacing_ = std::make_unique<Odometer_Scheduler>(*this, *controls_.Trailcount_Timer, controls_.Timer1);
}

void Odometer::Attach_Settings_Form(TSettings_Form* settings_form)
{
    controls_.Settings_Form = settings_form;
}

void Odometer::Trailcount_Timer_Fired()
{
    pacing_->Timer_Fired();
}

void Odometer::Trailcount_TimerTimer()
{
    const platform::Pointer_State pointer = platform::Use<platform::Input_Service>().Query_Pointer();
    Take_Position(pointer.x, pointer.y);

    if (presses_reported_) {
        // The reports count every press, however short; a sample only
        // notices a release whose report went astray.
        if (!pointer.left_down)
            Left_Press_Latch = false;
        if (!pointer.right_down)
            Right_Press_Latch = false;
    } else {
        if (Count_Press(pointer.left_down, Left_Press_Latch, Left_Press_Count))
            Show_Press_Counts();
        if (Count_Press(pointer.right_down, Right_Press_Latch, Right_Press_Count))
            Show_Press_Counts();
    }
}

void Odometer::Take_Position(std::int32_t x, std::int32_t y, bool show_distance)
{
    platform::Input_Service& input = platform::Use<platform::Input_Service>();
    const platform::Pointer_State pointer{x, y, false, false};
    TSettings_Form* const settings_form = controls_.Settings_Form;
    const Odometer_Settings settings = settings_form ? settings_form->Settings() : Odometer_Settings{};

    // The first tick has nowhere to measure from: it only takes the starting
    // position, so that starting the program adds no distance.
    long double step = 0;
    if (Has_Previous_Cursor) {
        const std::int64_t dx = std::int64_t{pointer.x} - Previous_Cursor_X;
        const std::int64_t dy = std::int64_t{pointer.y} - Previous_Cursor_Y;
        if (dx != 0 || dy != 0) {
            const std::int64_t pixels = std::int64_t{input.Get_System_Metrics(SM_CXSCREEN)}
                                        + input.Get_System_Metrics(SM_CYSCREEN);
            step = Step_Distance(dx, dy, std::int64_t{settings.Screen_Width} + settings.Screen_Height, pixels);
        }
    }
    Odometer_Distance = Add_Step(Odometer_Distance, step, Is_Metric(settings.Unit_Index));
    if (show_distance)
        Show_Distance();
    Previous_Cursor_X = pointer.x;
    Previous_Cursor_Y = pointer.y;
    Has_Previous_Cursor = true;
}

void Odometer::Show_Distance()
{
    Distance_Label.Write(*controls_.Distance_Travelled_Label, Odometer_Distance, Monotonic_ms());
}

bool Odometer::Distance_Seen() const
{
    const QLabel* const label = controls_.Distance_Travelled_Label;
    return label && label->isVisible() && !label->window()->isMinimized() && !label->visibleRegion().isEmpty();
}

void Odometer::Trailcount_Button(platform::Mouse_Button button, bool down)
{
    const bool left = button == platform::Mouse_Button::Left;
    if (Count_Press(down, left ? Left_Press_Latch : Right_Press_Latch, left ? Left_Press_Count : Right_Press_Count))
        Show_Press_Counts();
}

void Odometer::Show_Press_Counts()
{
    Left_Press_Count = Wrap_Press_Count(Left_Press_Count);
    Right_Press_Count = Wrap_Press_Count(Right_Press_Count);
    controls_.Left_Mouse_Label->setText(Format_Press_Count(Left_Press_Count));
    controls_.Right_Mouse_Label->setText(Format_Press_Count(Right_Press_Count));
}

void Odometer::Show_Distance_Units_Caption()
{
    const int unit = controls_.Settings_Form ? controls_.Settings_Form->Settings().Unit_Index : Metric_Unit;
    controls_.Distance_Travelled_GroupBox->setTitle(Is_Metric(unit) ? QStringLiteral(" Mouse Kilometers Travelled : ")
                                                                    : QStringLiteral(" Mouse Miles Travelled : "));
}

void Odometer::Settings_OptionClick()
{
    TSettings_Form* const settings_form = controls_.Settings_Form;
    if (!settings_form)
        return;
    platform::Input_Service& input = platform::Use<platform::Input_Service>();
    settings_form->Screen_Resolution_X_SpinEdit->setValue(input.Get_System_Metrics(SM_CXSCREEN));
    settings_form->Screen_Resolution_Y_SpinEdit->setValue(input.Get_System_Metrics(SM_CYSCREEN));
    const int unit_before = settings_form->Settings().Unit_Index;
    const double distance_before = Odometer_Distance;

    // The refresh pauses while the dialog is open; the odometer keeps sampling.
    controls_.Timer1->stop();
    settings_form->exec();
    controls_.Timer1->start();

    Show_Distance_Units_Caption();
    // Converted once, from the distance when the dialog opened. Only a change
    // between metric and imperial converts: no unit chosen counts as imperial,
    // as the sampling counts it.
    const int unit_after = settings_form->Settings().Unit_Index;
    if (Is_Metric(unit_after) != Is_Metric(unit_before))
        Odometer_Distance = Convert_Distance(distance_before, Is_Metric(unit_after));
}

void Odometer::Show_Trailcount_OptionClick()
{
    QAction* const option = controls_.Show_Trailcount_Option;
    const bool show = !option->isChecked();
    option->setChecked(show);

    // The new height comes from the controls' scaled positions, which are
    // cut to whole pixels; taken back and forth through them, the height
    // would shrink a little every time. So going back, with nothing resized
    // since, gives exactly the height the window had before.
    const QSize before = controls_.Client_Size();
    const bool undo = panel_toggle_ && panel_toggle_->after == before;
    const QWidget* const bottom = show ? controls_.Left_Right_Clicks_GroupBox : controls_.Bevel3;
    controls_.Set_Client_Height_By_Command(undo ? panel_toggle_->before.height()
                                                : bottom->y() + bottom->height() + controls_.Label2->y());
    panel_toggle_ = Panel_Toggle{before, controls_.Client_Size()};
    pacing_->View_Changed();
}
