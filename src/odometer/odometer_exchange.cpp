// The odometer's "trailcnt" section in vistrel.ini and trailcnt.ini.
#include "app/main_form.h"

void TMainForm1::Write_Odometer_Ini(const QString&) {}
void TMainForm1::Read_Odometer_Ini(const QString&) {}
void TMainForm1::Load_Settings_from_Trailcount_OptionClick() {}
void TMainForm1::Save_Settings_to_Trailcount_OptionClick() {}
