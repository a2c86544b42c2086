#include "odometer/odometer_scheduler.h"

#include "app/main_form.h"

#include <QLoggingCategory>
#include <QTimer>

#include <chrono>

namespace {

Q_LOGGING_CATEGORY(Odometer_Log, "vistrel.odometer", QtWarningMsg)

std::int64_t Now_ms()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

Odometer_Scheduler::Odometer_Scheduler(TMainForm1& form, QTimer& timer) : form_(form), timer_(timer) {}

Odometer_Scheduler::~Odometer_Scheduler()
{
    Stop();
}

void Odometer_Scheduler::Start()
{
    reported_ = platform::Use<platform::Input_Service>().Report_Activity(this);
    form_.Presses_Reported = reported_;
    if (reported_)
        qCInfo(Odometer_Log, "pointer activity is reported (XInput2): the odometer samples only while the pointer moves");
    else
        qCInfo(Odometer_Log, "no reports of pointer activity: the odometer polls the pointer every %d ms",
               Odometer_Pacer::Tick_Interval_ms);
    pacer_.Start(reported_, Now_ms());
}

void Odometer_Scheduler::Stop()
{
    timer_.stop();
    if (reported_)
        platform::Use<platform::Input_Service>().Report_Activity(nullptr);
    reported_ = false;
    form_.Presses_Reported = false;
}

void Odometer_Scheduler::Timer_Fired()
{
    pacer_.Timer_Fired(Now_ms());
}

bool Sample_Odometer(TMainForm1& form)
{
    const bool had_position = form.Odometer.Has_Previous_Cursor;
    const std::int32_t x = form.Odometer.Previous_Cursor_X;
    const std::int32_t y = form.Odometer.Previous_Cursor_Y;
    form.Trailcount_TimerTimer();
    return had_position && (form.Odometer.Previous_Cursor_X != x || form.Odometer.Previous_Cursor_Y != y);
}

bool Odometer_Scheduler::Sample()
{
    return Sample_Odometer(form_);
}

void Odometer_Scheduler::Run_Timer(int interval_ms)
{
    timer_.start(interval_ms);
}

void Odometer_Scheduler::Report_Motion(bool on)
{
    platform::Use<platform::Input_Service>().Report_Motion(on);
}

void Odometer_Scheduler::Pointer_Moved()
{
    pacer_.Pointer_Moved(Now_ms());
}

void Odometer_Scheduler::Button_Changed(platform::Mouse_Button button, bool down)
{
    form_.Trailcount_Button(button, down);
    pacer_.Button_Changed(form_.Odometer.Left_Press_Latch || form_.Odometer.Right_Press_Latch, Now_ms());
}
