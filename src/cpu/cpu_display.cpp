// The current and average CPU gauges and the two resets.
#include "app/main_form.h"

#include <QTimer>

void TMainForm1::CPU_Step() {}
void TMainForm1::Average_Step() {}
void TMainForm1::Reset_Average_OptionClick() {}
void TMainForm1::Reset_CPU_Monitoring_OptionClick() {}
void TMainForm1::Reset_CPU_Monitoring_TimerTimer()
{
    CPU_Usage_Total = 0;
    CPU_Usage_Samples = 0;
    Timer1->start();
    Reset_CPU_Monitoring_Timer->stop();
}
