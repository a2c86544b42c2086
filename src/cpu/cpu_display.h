#pragma once
// The current and average CPU gauges and the two resets. The refresh tick
// runs the two steps; the menu runs the resets.

#include <cstdint>

class QTimer;
class TGauge;

class Cpu_Display {
public:
    struct Controls {
        TGauge* CPU_Gauge;
        TGauge* Avg_CPU_Gauge;
        QTimer* Timer1;                     // paused by a monitoring reset
        QTimer* Reset_CPU_Monitoring_Timer; // completes it a second later
    };
    explicit Cpu_Display(const Controls& controls);

    void CPU_Step();
    void Average_Step();
    void Reset_Average_OptionClick();
    void Reset_CPU_Monitoring_OptionClick();
    void Reset_CPU_Monitoring_TimerTimer();

    // The readings the average is made of, as the gauge showed them.
    std::int64_t CPU_Usage_Total() const { return total_; }
    std::int32_t CPU_Usage_Samples() const { return samples_; }

private:
    Controls controls_;
    std::int64_t total_ = 0;
    std::int32_t samples_ = 0;
};
