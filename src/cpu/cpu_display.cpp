// The current and average CPU gauges and the two resets.
#include "app/main_form.h"

#include "cpu/cpu_reading.h"
#include "cpu/cpu_sampler.h"
#include "metrics/refresh_tick.h"
#include "widgets/gauge.h"

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

void TMainForm1::CPU_Step()
{
    CPU_Gauge->Set_Progress(Current_CPU_Usage(Program_CPU_Sampler()));
    Set_Usage_Colour(*CPU_Gauge);
}

// The average is of the readings as the gauge shows them, not of the loads.
void TMainForm1::Average_Step()
{
    CPU_Usage_Total += CPU_Gauge->Progress();
    CPU_Usage_Samples += 1;
    Avg_CPU_Gauge->Set_Progress(Average_CPU_Usage(CPU_Usage_Total, CPU_Usage_Samples));
    Set_Usage_Colour(*Avg_CPU_Gauge);
}

void TMainForm1::Reset_Average_OptionClick()
{
    CPU_Usage_Total = 0;
    CPU_Usage_Samples = 0;
}

void TMainForm1::Reset_CPU_Monitoring_OptionClick()
{
    Timer1->stop();
    Program_CPU_Sampler().Stop_CPU_Statistics();
    Switch_On(*Reset_CPU_Monitoring_Timer);
    QCoreApplication::processEvents();
}

// Also runs once about a second after the window is created, which drops
// the start-up readings (the first is measured against the machine's boot)
// from the average.
void TMainForm1::Reset_CPU_Monitoring_TimerTimer()
{
    CPU_Usage_Total = 0;
    CPU_Usage_Samples = 0;
    Switch_On(*Timer1);
    Reset_CPU_Monitoring_Timer->stop();
    QCoreApplication::processEvents();
}
