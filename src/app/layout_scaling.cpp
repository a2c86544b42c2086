// Layout scaling from the recorded reference geometry.
#include "app/main_form.h"

void TMainForm1::FormResize() { Scale_Layout(); }
void TMainForm1::Record_Layout() {}
void TMainForm1::Scale_Layout() {}
