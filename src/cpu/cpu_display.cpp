#include "cpu/cpu_display.h"

#include "cpu/cpu_reading.h"
#include "cpu/cpu_sampler.h"
#include "widgets/gauge.h"
#include "widgets/usage_colour.h"

#include <QCoreApplication>
#include <QTimer>

namespace {

// Switching a timer on must not restart one already running: choosing a
// reset twice keeps the first one-second wait.
void Switch_On(QTimer& timer)
{
    if (!timer.isActive())
        timer.start();
}

} // namespace

Cpu_Display::Cpu_Display(const Controls& controls) : controls_(controls) {}

void Cpu_Display::CPU_Step()
{
    controls_.CPU_Gauge->Set_Progress(Current_CPU_Usage(Program_CPU_Sampler()));
    Set_Usage_Colour(*controls_.CPU_Gauge);
}

// The average is of the readings as the gauge shows them, not of the loads.
void Cpu_Display::Average_Step()
{
    total_ += controls_.CPU_Gauge->Progress();
    samples_ += 1;
    controls_.Avg_CPU_Gauge->Set_Progress(Average_CPU_Usage(total_, samples_));
    Set_Usage_Colour(*controls_.Avg_CPU_Gauge);
}

void Cpu_Display::Reset_Average_OptionClick()
{
    total_ = 0;
    samples_ = 0;
}

void Cpu_Display::Reset_CPU_Monitoring_OptionClick()
{
    controls_.Timer1->stop();
    Program_CPU_Sampler().Stop_CPU_Statistics();
    Switch_On(*controls_.Reset_CPU_Monitoring_Timer);
    QCoreApplication::processEvents();
}

// Also runs once about a second after the window is created, which drops
// the start-up readings (the first is measured against the machine's boot)
// from the average.
void Cpu_Display::Reset_CPU_Monitoring_TimerTimer()
{
    total_ = 0;
    samples_ = 0;
    Switch_On(*controls_.Timer1);
    controls_.Reset_CPU_Monitoring_Timer->stop();
    QCoreApplication::processEvents();
}
