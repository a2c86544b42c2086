#pragma once
// The settings file, vistrel.ini: loaded into the controls at start, saved
// from them when the main window is asked to close, and deleted by
// "&Restore Factory Defaults". Its "trailcnt" section is the odometer's own.

#include <QRect>
#include <QString>

#include <functional>
#include <vector>

class Odometer;
class QAction;
class QFrame;
class QLabel;
class QListWidget;
class TCPU_Drop_Form;
class TDriveComboBox;

class Settings_File {
public:
    struct Controls {
        QFrame* Bevel3 = nullptr;
        QLabel* Label2 = nullptr;
        QListWidget* Scaling_ListBox = nullptr;
        TDriveComboBox* DriveComboBox1 = nullptr;
        QAction* Always_On_Top_Option = nullptr;
        QAction* Auto_Run_at_Windows_Startup_Option = nullptr;
        QAction* Keep_Program_Inside_the_Screen_Bounds_Option = nullptr;
        QAction* Snap_Program_to_Bottom_Right_of_Screen_Option = nullptr;
        QAction* Snap_Program_to_Bottom_Left_of_Screen_Option = nullptr;
        QAction* Snap_Program_to_Top_Left_of_Screen_Option = nullptr;
        QAction* Snap_Program_to_Top_Right_of_Screen_Option = nullptr;
        QAction* Show_Trailcount_Option = nullptr;
        TCPU_Drop_Form* CPU_Drop_Form = nullptr; // none: the alarm's keys are neither read nor written
        ::Odometer* Odometer = nullptr;

        // The window, as far as the file needs it.
        std::function<void(int)> Set_Client_Width;
        std::function<void(int)> Set_Client_Height;
        // The loaded outer bounds, for the window and as its normal bounds.
        std::function<void(const QRect&)> Set_Window_Bounds;
        // The outer bounds to save: those of the normal window, whatever its state.
        std::function<QRect()> Normal_Bounds;
        std::function<bool()> Is_Maximized;
        std::function<void()> Show_Normal;
        // The start-up sequence, which loads the file again.
        std::function<void()> Start_Up;
        // Layout scaling: its reference recorded, its scaling run, and its
        // resize handler attached or not.
        std::function<void()> Record_Layout;
        std::function<void()> Scale_Layout;
        std::function<void(bool)> Attach_Resize_Handler;
    };
    explicit Settings_File(Controls controls) : controls_(std::move(controls)) {}

    void Load_Settings();
    // Raises Program_Error when the file cannot be written; the old file stays whole.
    void Save_Settings();
    void Restore_Factory_Defaults_OptionClick();

    // "WindowState_wsMaximized" as the last load read it.
    bool Start_Maximized() const { return start_maximized_; }

private:
    void Return_To_Design_Layout();

    Controls controls_;
    bool start_maximized_ = false;
    std::vector<QString> design_layout_; // the run's first layout reference: a first start's layout
};
