// The settings file: load at start, save at close, factory defaults.
#include "app/main_form.h"

#include "app/window_bounds.h"
#include "metrics/drive_combo_box.h"

#include <QAction>
#include <QFrame>
#include <QLabel>

void TMainForm1::Load_Settings()
{
    // No settings file yet: every key takes its default.
    Set_Client_Width(Bevel3->x() + Bevel3->width() + Bevel3->x());
    Show_Trailcount_Option->setChecked(false);
    Set_Client_Height(Bevel3->y() + Bevel3->height() + Label2->y());
    Record_Layout();
    Set_Outer_Top(this, 200);
    Set_Outer_Left(this, 200);
    Set_Outer_Width(this, 212);
    Set_Outer_Height(this, 270);
    DriveComboBox1->Set_Drive(QLatin1Char('c'));
    Always_On_Top_Option->setChecked(false);
    Auto_Run_at_Windows_Startup_Option->setChecked(false);
    Keep_Program_Inside_the_Screen_Bounds_Option->setChecked(false);
    Snap_Program_to_Bottom_Right_of_Screen_Option->setChecked(false);
    Snap_Program_to_Bottom_Left_of_Screen_Option->setChecked(false);
    Snap_Program_to_Top_Left_of_Screen_Option->setChecked(false);
    Snap_Program_to_Top_Right_of_Screen_Option->setChecked(true);
    Start_Maximized = false;
}

void TMainForm1::Save_Settings() {}

void TMainForm1::Restore_Factory_Defaults_OptionClick() {}
