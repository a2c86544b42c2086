#pragma once
// Paces the odometer: Trailcount_Timer and the platform's reports of pointer
// activity, paced by Odometer_Pacer, with the odometer's tick
// (Trailcount_TimerTimer) as the sample and its press counting fed by the
// button reports. Whether the platform reports activity is decided once,
// at start, and logged under the "vistrel.odometer" category (info level,
// off unless QT_LOGGING_RULES asks for it).

#include "odometer/odometer_pacer.h"
#include "platform/input.h"

class Odometer;
class QTimer;

// One sample through the odometer's tick; true when the pointer moved since
// the sample before (the first sample only takes the starting position).
bool Sample_Odometer(Odometer& odometer);

class Odometer_Scheduler final : public Odometer_Pacer::Host, public platform::Pointer_Activity_Listener {
public:
    Odometer_Scheduler(Odometer& odometer, QTimer& timer);
    ~Odometer_Scheduler() override;
    Odometer_Scheduler(const Odometer_Scheduler&) = delete;
    Odometer_Scheduler& operator=(const Odometer_Scheduler&) = delete;

    void Start();
    // No more sampling of any kind, for good (a harness that measures the
    // program without its odometer).
    void Stop();
    void Timer_Fired();
    Odometer_Pacer::Mode Mode() const { return pacer_.Current_Mode(); }

    bool Sample() override;
    void Run_Timer(int interval_ms) override;
    void Report_Motion(bool on) override;
    void Pointer_Moved() override;
    void Button_Changed(platform::Mouse_Button button, bool down) override;

private:
    Odometer& odometer_;
    QTimer& timer_;
    Odometer_Pacer pacer_{*this};
    bool reported_ = false;
};
