// The drive report button.
#include "app/main_form.h"

void TMainForm1::SpeedButton1Click() {}
