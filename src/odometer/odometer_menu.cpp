// The odometer's settings command and the panel's show/hide command.
#include "app/main_form.h"

#include "odometer/odometer_units.h"
#include "odometer/settings_form.h"
#include "platform/input.h"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QTimer>

void TMainForm1::Settings_OptionClick()
{
    if (!Settings_Form)
        return;
    platform::Input_Service& input = platform::Use<platform::Input_Service>();
    Settings_Form->Screen_Resolution_X_SpinEdit->setValue(input.Get_System_Metrics(SM_CXSCREEN));
    Settings_Form->Screen_Resolution_Y_SpinEdit->setValue(input.Get_System_Metrics(SM_CYSCREEN));
    const int unit_before = Settings_Form->Settings().Unit_Index;
    const double distance_before = Odometer.Odometer_Distance;

    // The refresh pauses while the dialog is open; the odometer keeps sampling.
    Timer1->stop();
    Settings_Form->exec();
    Timer1->start();

    Show_Distance_Units_Caption();
    // Converted once, from the distance when the dialog opened. Only a change
    // between metric and imperial converts: no unit chosen counts as imperial,
    // as the sampling counts it.
    const int unit_after = Settings_Form->Settings().Unit_Index;
    if (Is_Metric(unit_after) != Is_Metric(unit_before))
        Odometer.Odometer_Distance = Convert_Distance(distance_before, Is_Metric(unit_after));
}

void TMainForm1::Show_Trailcount_OptionClick()
{
    const bool show = !Show_Trailcount_Option->isChecked();
    Show_Trailcount_Option->setChecked(show);

    // The height changes here by command, not by the user's resize: the
    // layout must not stretch to it, it is recorded afresh at the new size.
    // The new height comes from the controls' scaled positions, which are
    // cut to whole pixels; taken back and forth through them, the height
    // would shrink a little every time. So going back, with nothing resized
    // since, gives exactly the height the window had before.
    Resize_Handler_Attached = false;
    const QSize before = Client_Size();
    const bool undo = panel_toggle_ && panel_toggle_->after == before;
    if (show) {
        Set_Client_Height(undo ? panel_toggle_->before.height()
                               : Left_Right_Clicks_GroupBox->y() + Left_Right_Clicks_GroupBox->height() + Label2->y());
        Scaling_ListBox->clear();
    } else {
        Scaling_ListBox->clear();
        Set_Client_Height(undo ? panel_toggle_->before.height() : Bevel3->y() + Bevel3->height() + Label2->y());
    }
    panel_toggle_ = Panel_Toggle{before, Client_Size()};
    Record_Layout();
    Resize_Handler_Attached = true;
}
