#pragma once
// One odometer on controls of its own (parented to a plain widget, as the
// window holds them), its settings dialog and fake input. Its timer is
// stopped, so that the test alone decides when it ticks; the client area it
// resizes by its panel command is a size the test can read and change.
#include "common/file_dialog.h"
#include "fakes/fake_input.h"
#include "odometer/odometer.h"
#include "odometer/settings_form.h"
#include "widgets/radio_group.h"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>

#include <vector>

class Odometer_Fixture : public ::testing::Test {
protected:
    Odometer_Fixture()
    {
        Distance_Travelled_GroupBox->setGeometry(4, 240, 193, 49);
        Left_Right_Clicks_GroupBox->setGeometry(4, 292, 193, 41);
        Bevel3->setGeometry(4, 184, 193, 51);
        Label2->move(32, 4);
        Show_Trailcount_Option->setCheckable(true);
        Odometer::Controls controls;
        controls.Distance_Travelled_GroupBox = Distance_Travelled_GroupBox;
        controls.Distance_Travelled_Label = Distance_Travelled_Label;
        controls.Left_Mouse_Label = Left_Mouse_Label;
        controls.Right_Mouse_Label = Right_Mouse_Label;
        controls.Show_Trailcount_Option = Show_Trailcount_Option;
        controls.Trailcount_Timer = Trailcount_Timer;
        controls.Timer1 = Timer1;
        controls.OpenDialog1 = OpenDialog1;
        controls.SaveDialog1 = SaveDialog1;
        controls.Trailcount_Ini_File_Directory_Edit = Trailcount_Ini_File_Directory_Edit;
        controls.Settings_Form = &settings;
        controls.Left_Right_Clicks_GroupBox = Left_Right_Clicks_GroupBox;
        controls.Bevel3 = Bevel3;
        controls.Label2 = Label2;
        controls.Client_Size = [this] { return client; };
        controls.Set_Client_Height_By_Command = [this](int height) {
            client.setHeight(height);
            heights_set.push_back(height);
        };
        odometer.Attach(controls);
    }

    void Tick_At(std::int32_t x, std::int32_t y, bool left = false, bool right = false)
    {
        input.Move_To(x, y);
        input.pointer.left_down = left;
        input.pointer.right_down = right;
        odometer.Trailcount_TimerTimer();
    }

    void Set_Sizes(int width, int height, int unit)
    {
        settings.Screen_Width_SpinEdit->setValue(width);
        settings.Screen_Height_SpinEdit->setValue(height);
        settings.Distance_Travelled_Units_RadioGroup->Set_ItemIndex(unit);
    }

    Fake_Input input;
    platform::Scoped_Service<platform::Input_Service> input_guard{input};
    QWidget window;
    QGroupBox* Distance_Travelled_GroupBox = new QGroupBox(&window);
    QLabel* Distance_Travelled_Label = new QLabel(Distance_Travelled_GroupBox);
    QGroupBox* Left_Right_Clicks_GroupBox = new QGroupBox(&window);
    QLabel* Left_Mouse_Label = new QLabel(Left_Right_Clicks_GroupBox);
    QLabel* Right_Mouse_Label = new QLabel(Left_Right_Clicks_GroupBox);
    QFrame* Bevel3 = new QFrame(&window);
    QLabel* Label2 = new QLabel(&window);
    QLineEdit* Trailcount_Ini_File_Directory_Edit = new QLineEdit(&window);
    QAction* Show_Trailcount_Option = new QAction(&window);
    QTimer* Trailcount_Timer = new QTimer(&window);
    QTimer* Timer1 = new QTimer(&window);
    TFile_Dialog* OpenDialog1 = new TFile_Dialog(TFile_Dialog::Mode::Open, &window);
    TFile_Dialog* SaveDialog1 = new TFile_Dialog(TFile_Dialog::Mode::Save, &window);
    QSize client{201, 239};
    std::vector<int> heights_set; // by the panel command, in order
    TSettings_Form settings;
    Odometer odometer;
};
