#pragma once
// When the odometer samples the pointer.
//
// A sample that finds the pointer where the last one left it adds exactly
// nothing, so the odometer need only sample while something happens, as long
// as every move is followed by a sample before the next move. Where the
// platform reports pointer activity (Listening), a move is sampled as it is
// reported, but never sooner than Tick_Interval_ms after the previous sample:
// a move reported sooner is sampled by the timer when that time is up. Moves
// that keep being reported sooner than that are a device moving fast: the
// reports are switched off and the odometer timer samples every
// Tick_Interval_ms (Ticking) until a few samples in a row find the pointer
// still and no button held; then the reports are switched on again and one
// more sample closes the gap between the last sample and the switch. While listening, a
// backup poll still samples every Backup_Poll_ms, because a program that warps the pointer
// is not reported; a move only that poll saw keeps the timer ticking, with
// the reports on, until a second has passed without a move, so that the
// warps that follow it are followed as closely as a device's moves. A report
// in that time means a device after all, and ends it.
// Where the platform reports nothing, the timer samples every
// Tick_Interval_ms for ever (Polling), as the odometer always did.
//
// The pacer only decides; its host samples and runs the one timer. Times are
// milliseconds of a monotonic clock, given by the caller.

#include <cstdint>

class Odometer_Pacer {
public:
    static constexpr int Tick_Interval_ms = 10;
    // The refresh's period: the host may take the backup poll in the
    // refresh's own wake rather than wake for it alone.
    static constexpr int Backup_Poll_ms = 500;
    static constexpr int Still_Ticks_Before_Sleep = 3;
    static constexpr int Hold_After_Unreported_Move_ms = 1000;
    static constexpr int Early_Samples_Before_Ticking = 2;

    class Host {
    public:
        virtual ~Host() = default;
        // Samples the pointer now; true when it moved since the sample before.
        virtual bool Sample() = 0;
        // (Re)starts the odometer timer with this period from now.
        virtual void Run_Timer(int interval_ms) = 0;
        // From now on the samples are the backup poll's, one every
        // Backup_Poll_ms, each through Timer_Fired, until Run_Timer.
        virtual void Run_Backup_Poll() = 0;
        virtual void Report_Motion(bool on) = 0;
    };

    enum class Mode { Polling, Listening, Ticking };

    explicit Odometer_Pacer(Host& host) : host_(host) {}

    // `reported`: the platform reports pointer activity.
    void Start(bool reported, std::int64_t now_ms);
    void Pointer_Moved(std::int64_t now_ms);
    // After a button went down or up: whether any button is held now.
    void Button_Changed(bool any_held, std::int64_t now_ms);
    void Timer_Fired(std::int64_t now_ms);

    Mode Current_Mode() const { return mode_; }

private:
    void Sample(std::int64_t now_ms, bool& moved);
    void Start_Ticking(int first_interval_ms, bool keep_reports);
    void Try_To_Sleep(std::int64_t now_ms);

    Host& host_;
    Mode mode_ = Mode::Polling;
    int interval_ms_ = 0;
    std::int64_t last_sample_ms_ = 0;
    bool sampled_ = false;
    bool held_ = false;
    int still_ticks_ = 0;
    std::int64_t hold_until_ms_ = 0;
    bool sample_pending_ = false; // the timer takes the sample a report came too soon for
    int early_samples_ = 0;       // such samples in a row
};
