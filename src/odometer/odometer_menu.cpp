// The odometer's settings command and the panel's show/hide command.
#include "app/main_form.h"

void TMainForm1::Settings_OptionClick() {}
void TMainForm1::Show_Trailcount_OptionClick() {}
