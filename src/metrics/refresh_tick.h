#pragma once
// The refresh tick: every figure of the monitor changes here, twice a second.

#include "metrics/label_figures.h"

#include <QString>

#include <cstdint>

class Cpu_Display;
class Drop_Alarm;
class QLabel;
class TDriveComboBox;
class TGauge;

// The spinner: | / - \ and round again; anything else is followed by "|".
QString Next_Spinner_Text(const QString& text);

class Refresh_Tick {
public:
    struct Controls {
        TGauge* Phisical_RAM_Gauge;
        TGauge* Swap_File_Gauge;
        QLabel* RAM_Label;
        QLabel* SWAP_Label;
        QLabel* Spinner_Label;
        TDriveComboBox* DriveComboBox1;
        QLabel* Disk_Space_Label;
        TGauge* Disk_Used_Gauge;
    };
    // The tick ends with the CPU gauges' steps and the drop alarm's check.
    Refresh_Tick(const Controls& controls, Cpu_Display& cpu, Drop_Alarm& alarm);

    void Timer1Timer();
    // A tick is part-way through, letting events run.
    bool Running() const { return running_; }

private:
    Controls controls_;
    Cpu_Display& cpu_;
    Drop_Alarm& alarm_;
    bool running_ = false;
    Label_Figures<std::uint64_t, std::uint64_t> ram_figures_;
    Label_Figures<double, double> swap_figures_;
    Label_Figures<std::int64_t, std::int64_t> disk_figures_;
};
