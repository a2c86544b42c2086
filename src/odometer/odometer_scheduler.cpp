#include "odometer/odometer_scheduler.h"

#include "odometer/odometer.h"

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

Odometer_Scheduler::Odometer_Scheduler(Odometer& odometer, QTimer& timer, QTimer* refresh)
    : odometer_(odometer), timer_(timer), refresh_(refresh)
{
    if (refresh_)
        refresh_connection_ = QObject::connect(refresh_, &QTimer::timeout, [this] {
            if (backup_riding_)
                pacer_.Timer_Fired(Now_ms());
        });
}

Odometer_Scheduler::~Odometer_Scheduler()
{
    QObject::disconnect(refresh_connection_);
    Stop();
}

void Odometer_Scheduler::Start()
{
    platform::Input_Service& input = platform::Use<platform::Input_Service>();
    reported_ = input.Report_Activity(this);
    streaming_ = reported_ && input.Reports_Positions();
    // Other reports leave the presses to the samples until a button's report
    // has come: a platform may take the registration and report nothing
    // (Wine's raw input).
    odometer_.Take_Presses_From_Reports(streaming_);
    if (streaming_) {
        qCInfo(Odometer_Log, "pointer positions are reported (RECORD): the odometer samples them in batches, "
                             "without a query, only while the pointer moves");
        Sample_Odometer(odometer_); // where the pointer starts
        stream_.Start(odometer_.Previous_Cursor_X, odometer_.Previous_Cursor_Y);
        return;
    }
    if (reported_)
        qCInfo(Odometer_Log, "pointer activity is reported (XInput2, or raw input on Windows): the odometer samples only while "
                             "the pointer moves");
    else
        qCInfo(Odometer_Log, "no reports of pointer activity: the odometer polls the pointer every %d ms",
               Odometer_Pacer::Tick_Interval_ms);
    pacer_.Start(reported_, Now_ms());
}

void Odometer_Scheduler::Stop()
{
    timer_.stop();
    backup_poll_ = backup_riding_ = false;
    if (reported_)
        platform::Use<platform::Input_Service>().Report_Activity(nullptr);
    reported_ = false;
    streaming_ = false;
    odometer_.Take_Presses_From_Reports(false);
}

void Odometer_Scheduler::Timer_Fired()
{
    if (streaming_) {
        stream_.Timer_Fired();
        return;
    }
    pacer_.Timer_Fired(Now_ms());
    if (backup_poll_ && !backup_riding_)
        Ride_Refresh(); // the refresh may have started since
}

void Odometer_Scheduler::View_Changed()
{
    if (streaming_)
        stream_.View_Changed();
}

void Odometer_Scheduler::Catch_Up()
{
    if (streaming_)
        stream_.Catch_Up();
}

bool Sample_Odometer(Odometer& odometer)
{
    const bool had_position = odometer.Has_Previous_Cursor;
    const std::int32_t x = odometer.Previous_Cursor_X;
    const std::int32_t y = odometer.Previous_Cursor_Y;
    odometer.Trailcount_TimerTimer();
    return had_position && (odometer.Previous_Cursor_X != x || odometer.Previous_Cursor_Y != y);
}

bool Odometer_Scheduler::Sample()
{
    return Sample_Odometer(odometer_);
}

void Odometer_Scheduler::Run_Timer(int interval_ms)
{
    backup_poll_ = backup_riding_ = false;
    if (interval_ms > 0)
        timer_.start(interval_ms);
    else
        timer_.stop();
}

void Odometer_Scheduler::Run_Backup_Poll()
{
    backup_poll_ = true;
    if (!Ride_Refresh())
        timer_.start(Odometer_Pacer::Backup_Poll_ms);
}

// Not before the refresh runs (it starts a second after the window), and
// only at the backup poll's period. A refresh paused later (for a dialog,
// or a restart of the CPU figures) holds the poll back with it.
bool Odometer_Scheduler::Ride_Refresh()
{
    if (!refresh_ || !refresh_->isActive() || refresh_->interval() != Odometer_Pacer::Backup_Poll_ms)
        return false;
    timer_.stop();
    backup_riding_ = true;
    return true;
}

void Odometer_Scheduler::Take_Position(std::int32_t x, std::int32_t y)
{
    odometer_.Take_Position(x, y, false);
    distance_unshown_ = true;
}

void Odometer_Scheduler::Read_Reports()
{
    platform::Use<platform::Input_Service>().Read_Reports();
}

bool Odometer_Scheduler::Show_Distance()
{
    if (!distance_unshown_ && !odometer_.Distance_Label.Paint_Pending())
        return false;
    distance_unshown_ = false;
    odometer_.Show_Distance();
    return odometer_.Distance_Label.Paint_Pending();
}

bool Odometer_Scheduler::Distance_Seen()
{
    return odometer_.Distance_Seen();
}

void Odometer_Scheduler::Report_Motion(bool on)
{
    platform::Use<platform::Input_Service>().Report_Motion(on);
}

void Odometer_Scheduler::Pointer_Moved()
{
    if (!streaming_)
        pacer_.Pointer_Moved(Now_ms());
}

void Odometer_Scheduler::Pointer_At(std::int32_t x, std::int32_t y, std::uint32_t time_ms)
{
    if (streaming_)
        stream_.Pointer_At(x, y, time_ms);
    else
        Pointer_Moved();
}

void Odometer_Scheduler::Button_Changed(platform::Mouse_Button button, bool down)
{
    odometer_.Take_Presses_From_Reports(true);
    odometer_.Trailcount_Button(button, down);
    // Positions come whether a button is held or not.
    if (!streaming_)
        pacer_.Button_Changed(odometer_.Left_Press_Latch || odometer_.Right_Press_Latch, Now_ms());
}
