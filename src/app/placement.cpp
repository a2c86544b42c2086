// Window placement: always on top, corner snaps, keep inside the screen.
#include "app/main_form.h"

void TMainForm1::Always_On_Top_OptionClick() {}
void TMainForm1::Toggle_Always_On_Top() {}
void TMainForm1::Snap_Program_to_Top_Left_of_Screen_OptionClick() {}
void TMainForm1::Snap_Program_to_Top_Right_of_Screen_OptionClick() {}
void TMainForm1::Snap_Program_to_Bottom_Left_of_Screen_OptionClick() {}
void TMainForm1::Snap_Program_to_Bottom_Right_of_Screen_OptionClick() {}
void TMainForm1::Keep_Program_Inside_the_Screen_Bounds_OptionClick() {}
void TMainForm1::Program_Size_TimerTimer() {}
