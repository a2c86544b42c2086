// Start at log-on.
#include "app/main_form.h"

void TMainForm1::Auto_Run_at_Windows_Startup_OptionClick() {}
bool TMainForm1::Check_Auto_Run_Path() { return false; }
