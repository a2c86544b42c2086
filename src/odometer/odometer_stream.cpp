#include "odometer/odometer_stream.h"

void Odometer_Stream::Start(std::int32_t x, std::int32_t y)
{
    sampled_x_ = x_ = x;
    sampled_y_ = y_ = y;
    unsampled_ = false;
    following_ = false;
    host_.Run_Timer(0);
    host_.Report_Motion(true);
}

void Odometer_Stream::Pointer_At(std::int32_t x, std::int32_t y, std::uint32_t time_ms)
{
    const std::uint32_t interval = time_ms / Sample_Interval_ms;
    if (unsampled_ && interval != interval_)
        Take_Sample();
    x_ = x;
    y_ = y;
    interval_ = interval;
    unsampled_ = true;
    reported_ = true;
    if (!following_) {
        following_ = true;
        host_.Report_Motion(false);
        pace_ = 0;
        Keep_Pace();
    }
}

void Odometer_Stream::Timer_Fired()
{
    if (!following_)
        return;
    reported_ = false;
    host_.Read_Reports();
    if (!reported_ && unsampled_)
        Take_Sample();
    // A change the label could not paint yet is painted by a later batch.
    if (host_.Show_Distance() || reported_) {
        Keep_Pace();
        return;
    }
    following_ = false;
    host_.Run_Timer(0);
    // Whatever came since the read wakes the odometer at once.
    host_.Report_Motion(true);
}

void Odometer_Stream::Take_Sample()
{
    unsampled_ = false;
    if (x_ == sampled_x_ && y_ == sampled_y_)
        return;
    sampled_x_ = x_;
    sampled_y_ = y_;
    host_.Take_Position(x_, y_);
}

void Odometer_Stream::View_Changed()
{
    if (following_)
        Keep_Pace();
}

void Odometer_Stream::Catch_Up()
{
    if (!following_)
        return;
    host_.Read_Reports();
    if (unsampled_)
        Take_Sample();
    host_.Show_Distance();
}

void Odometer_Stream::Keep_Pace()
{
    const int pace = host_.Distance_Seen() ? Batch_Interval_ms : Unseen_Batch_Interval_ms;
    if (pace == pace_)
        return;
    pace_ = pace;
    host_.Run_Timer(pace);
}
