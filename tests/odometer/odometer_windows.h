#pragma once
// The program's windows on fake input and drives, with every timer stopped so
// that the test alone decides when the odometer ticks.
#include "app/main_form.h"
#include "app/windows.h"
#include "fakes/fake_disk.h"
#include "fakes/fake_input.h"
#include "odometer/settings_form.h"
#include "widgets/radio_group.h"

#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>

class Odometer_Windows : public ::testing::Test {
protected:
    Odometer_Windows()
    {
        for (QTimer* timer : {form.Timer1, form.Program_Size_Timer, form.Reset_CPU_Monitoring_Timer, form.Trailcount_Timer})
            timer->stop();
    }

    void Tick_At(std::int32_t x, std::int32_t y, bool left = false, bool right = false)
    {
        input.Move_To(x, y);
        input.pointer.left_down = left;
        input.pointer.right_down = right;
        form.Trailcount_TimerTimer();
    }

    void Set_Sizes(int width, int height, int unit)
    {
        settings.Screen_Width_SpinEdit->setValue(width);
        settings.Screen_Height_SpinEdit->setValue(height);
        settings.Distance_Travelled_Units_RadioGroup->Set_ItemIndex(unit);
    }

    Fake_Input input;
    Fake_Disk disk;
    platform::Scoped_Service<platform::Input_Service> input_guard{input};
    platform::Scoped_Service<platform::Disk_Service> disk_guard{disk};
    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    TSettings_Form& settings = *windows.Settings_Form;
};
