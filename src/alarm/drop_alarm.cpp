// The CPU usage drop alarm: arming and the per-tick detector.
#include "app/main_form.h"

#include "widgets/gauge.h"

void TMainForm1::Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_OptionClick() {}

void TMainForm1::Check_CPU_Drop_Alarm()
{
    CPU_Drop_Previous_Usage = CPU_Gauge->Progress();
}
