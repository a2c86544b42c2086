#pragma once
// The settings file on controls of its own: the odometer's fixture (whose
// panel controls and odometer it shares), the menu's check items, the drive
// box and the alarm's window, in the settings tests' environment. What it
// asks of the window is written down in `calls`, in order.
#include "alarm/cpu_drop_form.h"
#include "metrics/drive_combo_box.h"
#include "odometer/odometer_fixture.h"
#include "settings/settings_file.h"
#include "settings/settings_test_support.h"

#include <QListWidget>

#include <optional>

#include <string>
#include <vector>

class Settings_File_Fixture : public Odometer_Fixture {
protected:
    Settings_File_Fixture()
    {
        DriveComboBox1->Fill_Drives();
        Settings_File::Controls c;
        c.Bevel3 = Bevel3;
        c.Label2 = Label2;
        c.Scaling_ListBox = Scaling_ListBox;
        c.DriveComboBox1 = DriveComboBox1;
        c.Always_On_Top_Option = Always_On_Top_Option;
        c.Auto_Run_at_Windows_Startup_Option = Auto_Run_at_Windows_Startup_Option;
        c.Keep_Program_Inside_the_Screen_Bounds_Option = Keep_Program_Inside_the_Screen_Bounds_Option;
        c.Snap_Program_to_Bottom_Right_of_Screen_Option = Snap_Program_to_Bottom_Right_of_Screen_Option;
        c.Snap_Program_to_Bottom_Left_of_Screen_Option = Snap_Program_to_Bottom_Left_of_Screen_Option;
        c.Snap_Program_to_Top_Left_of_Screen_Option = Snap_Program_to_Top_Left_of_Screen_Option;
        c.Snap_Program_to_Top_Right_of_Screen_Option = Snap_Program_to_Top_Right_of_Screen_Option;
        c.Show_Trailcount_Option = Show_Trailcount_Option;
        c.CPU_Drop_Form = &alarm;
        c.Odometer = &odometer;
        c.Set_Client_Width = [this](int width) { calls.push_back("width " + std::to_string(width)); };
        c.Set_Client_Height = [this](int height) { calls.push_back("height " + std::to_string(height)); };
        c.Set_Window_Bounds = [this](const QRect& bounds) { window_bounds = bounds; };
        c.Normal_Bounds = [this] { return window_bounds; };
        c.Is_Maximized = [this] { return maximized; };
        c.Show_Normal = [this] { calls.push_back("show normal"); };
        c.Start_Up = [this] { calls.push_back("start up"); };
        // The layout's reference as layout scaling records it: a header line
        // of the client size, then a line per control.
        c.Record_Layout = [this] {
            calls.push_back("record");
            Scaling_ListBox->addItem(QStringLiteral("201 239 W/H Mainform1"));
            Scaling_ListBox->addItem(QStringLiteral("4 184 193 51 Bevel3"));
        };
        c.Scale_Layout = [this] { calls.push_back("scale " + std::to_string(Scaling_ListBox->count())); };
        c.Attach_Resize_Handler = [this](bool on) { calls.push_back(on ? "resize on" : "resize off"); };
        file.emplace(std::move(c));
    }

    QAction* Check_Item()
    {
        auto* item = new QAction(&window);
        item->setCheckable(true);
        return item;
    }

    settings_test::Environment environment;
    QListWidget* Scaling_ListBox = new QListWidget(&window);
    TDriveComboBox* DriveComboBox1 = new TDriveComboBox(&window);
    QAction* Always_On_Top_Option = Check_Item();
    QAction* Auto_Run_at_Windows_Startup_Option = Check_Item();
    QAction* Keep_Program_Inside_the_Screen_Bounds_Option = Check_Item();
    QAction* Snap_Program_to_Bottom_Right_of_Screen_Option = Check_Item();
    QAction* Snap_Program_to_Bottom_Left_of_Screen_Option = Check_Item();
    QAction* Snap_Program_to_Top_Left_of_Screen_Option = Check_Item();
    QAction* Snap_Program_to_Top_Right_of_Screen_Option = Check_Item();
    TCPU_Drop_Form alarm;
    QRect window_bounds;
    bool maximized = false;
    std::vector<std::string> calls;
    std::optional<Settings_File> file;
};
