#include "odometer/odometer_pacer.h"

void Odometer_Pacer::Start(bool reported, std::int64_t now_ms)
{
    sampled_ = false;
    still_ticks_ = 0;
    hold_until_ms_ = now_ms;
    sample_pending_ = false;
    early_samples_ = 0;
    if (!reported) {
        mode_ = Mode::Polling;
        interval_ms_ = Tick_Interval_ms;
        host_.Run_Timer(interval_ms_);
        return;
    }
    // The first sample only takes the starting position.
    bool moved = false;
    Sample(now_ms, moved);
    mode_ = Mode::Listening;
    interval_ms_ = Backup_Poll_ms;
    host_.Run_Backup_Poll();
}

void Odometer_Pacer::Sample(std::int64_t now_ms, bool& moved)
{
    moved = host_.Sample();
    last_sample_ms_ = now_ms;
    sampled_ = true;
}

void Odometer_Pacer::Start_Ticking(int first_interval_ms, bool keep_reports)
{
    mode_ = Mode::Ticking;
    sample_pending_ = false;
    early_samples_ = 0;
    still_ticks_ = 0;
    if (!keep_reports)
        host_.Report_Motion(false);
    interval_ms_ = first_interval_ms;
    host_.Run_Timer(interval_ms_);
}

void Odometer_Pacer::Pointer_Moved(std::int64_t now_ms)
{
    if (mode_ == Mode::Ticking && now_ms < hold_until_ms_) {
        // A device is moving the pointer (perhaps the very move the backup
        // poll found, its report only late): no warps to follow, and the
        // timer is enough to follow the device.
        hold_until_ms_ = now_ms;
        host_.Report_Motion(false);
        return;
    }
    if (mode_ != Mode::Listening)
        return; // ticking already, or a report still on its way after the switch
    const std::int64_t since = now_ms - last_sample_ms_;
    if (!sampled_ || since >= Tick_Interval_ms) {
        bool moved = false;
        Sample(now_ms, moved);
        early_samples_ = 0;
        // While reports bring samples, the backup poll has nothing to add:
        // a poll on a timer of its own is put off until they stop.
        if (!sample_pending_)
            host_.Run_Backup_Poll();
        return;
    }
    // Too soon after the last sample: the timer takes the next one when the
    // tick's time is up. Reports that keep coming sooner than that are a
    // device moving fast, which the timer follows alone.
    const int rest_of_tick = static_cast<int>(Tick_Interval_ms - since);
    if (sample_pending_ || early_samples_ >= Early_Samples_Before_Ticking) {
        sample_pending_ = false;
        Start_Ticking(rest_of_tick, false);
        return;
    }
    sample_pending_ = true;
    host_.Run_Timer(rest_of_tick);
}

void Odometer_Pacer::Button_Changed(bool any_held, std::int64_t now_ms)
{
    held_ = any_held;
    if (mode_ == Mode::Listening && held_) {
        // A held button keeps the odometer sampling; the timer's first sample
        // comes no sooner than a tick after the last.
        const std::int64_t since = now_ms - last_sample_ms_;
        Start_Ticking(since >= Tick_Interval_ms ? 1 : static_cast<int>(Tick_Interval_ms - since), false);
    }
}

void Odometer_Pacer::Timer_Fired(std::int64_t now_ms)
{
    bool moved = false;
    Sample(now_ms, moved);
    switch (mode_) {
    case Mode::Polling:
        return;
    case Mode::Listening:
        if (sample_pending_) {
            sample_pending_ = false;
            ++early_samples_;
            host_.Run_Backup_Poll();
            return;
        }
        if (moved) {
            // A warp moves the pointer unreported, but so does a device whose
            // report is still queued: reports stay on while the warps are
            // followed, and the first one ends the following.
            hold_until_ms_ = now_ms + Hold_After_Unreported_Move_ms;
            Start_Ticking(Tick_Interval_ms, true);
        }
        return;
    case Mode::Ticking:
        if (interval_ms_ != Tick_Interval_ms) {
            interval_ms_ = Tick_Interval_ms;
            host_.Run_Timer(interval_ms_);
        }
        if (moved || held_) {
            // Warps come in runs (a program moving the pointer along a
            // path): while they go on, they are followed.
            if (moved && now_ms < hold_until_ms_)
                hold_until_ms_ = now_ms + Hold_After_Unreported_Move_ms;
            still_ticks_ = 0;
            return;
        }
        if (++still_ticks_ >= Still_Ticks_Before_Sleep && now_ms >= hold_until_ms_)
            Try_To_Sleep(now_ms);
        return;
    }
}

void Odometer_Pacer::Try_To_Sleep(std::int64_t now_ms)
{
    // A move between the last sample and the switch would be reported to
    // nobody: one more sample after the switch catches it.
    host_.Report_Motion(true);
    bool moved = false;
    Sample(now_ms, moved);
    if (moved) {
        host_.Report_Motion(false);
        still_ticks_ = 0;
        return;
    }
    mode_ = Mode::Listening;
    interval_ms_ = Backup_Poll_ms;
    host_.Run_Backup_Poll();
}
