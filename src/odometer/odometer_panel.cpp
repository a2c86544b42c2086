// Odometer sampling and its panel.
#include "app/main_form.h"

void TMainForm1::Trailcount_TimerTimer() {}
void TMainForm1::Show_Press_Counts() {}
void TMainForm1::Show_Distance_Units_Caption() {}
