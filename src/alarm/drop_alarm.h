#pragma once
// The CPU usage drop alarm: arming from the menu and the per-tick detector.
// The armed flag is the menu item's check mark; the indicator in the window's
// corner shows while the alarm is armed and is checked while a low run is
// being timed.

#include <QObject>

#include <cstdint>
#include <functional>

class QAction;
class QRadioButton;
class TCPU_Drop_Form;
class TGauge;

class Drop_Alarm : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QAction* Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option; // checked while armed
        QRadioButton* CPU_Drop_RadioButton;                            // the indicator
        TGauge* CPU_Gauge;                                             // the reading the rule watches
        TCPU_Drop_Form* CPU_Drop_Form;                                 // the threshold, the seconds, the sound
        std::function<bool()> Tick_Running;                            // a refresh tick is part-way through
    };
    Drop_Alarm(const Controls& controls, QObject* parent = nullptr);

    void Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_OptionClick();
    void Check_CPU_Drop_Alarm();
    // Plays the alarm the detector has fired, once the refresh tick is over.
    void Sound_CPU_Drop_Alarm();
    // The start-up's reset: no run is being timed, and none can end before
    // the usage has been seen high again.
    void Reset_Detector(double now);

    std::int32_t CPU_Drop_Previous_Usage() const { return previous_usage_; }
    double CPU_Drop_Start_Time() const { return start_time_; }

private:
    Controls controls_;
    std::int32_t previous_usage_ = 0;
    double start_time_ = 0;
};
