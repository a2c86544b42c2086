#pragma once
// TMainForm1: the monitor's main window, its controls, menu and timers.
//
// Every control, menu item, timer and file dialog carries its design name as
// objectName. Controls sit at fixed positions in the client area (the central
// widget, below the menu bar); layout scaling stretches them with the window.
// Each subsystem is an object of its own folder (metrics/, cpu/, alarm/,
// odometer/, report/, docs/, placement/, scaling/, autorun/, settings/),
// handed the controls it drives; the window creates the controls and the
// objects and wires one to the other.

#include "odometer/odometer.h"
#include "placement/placement.h"
#include "scaling/layout_scaling.h"

#include <QMainWindow>
#include <memory>
#include <vector>

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QRadioButton;
class QTimer;
class QToolButton;
class Auto_Run;
class Cpu_Display;
class Drive_Report_Command;
class Drop_Alarm;
class Help_Menu;
class Refresh_Tick;
class Settings_File;
class TAboutBox;
class TCPU_Drop_Form;
class TDriveComboBox;
class TFile_Dialog;
class TGauge;
class TResults_Form;
class TSettings_Form;

class TMainForm1 : public QMainWindow {
    Q_OBJECT
public:
    TMainForm1();
    ~TMainForm1() override;

    // The other windows, created after this one (Vistrel_Windows wires them).
    void Attach_Windows(TAboutBox* about, TCPU_Drop_Form* drop, TSettings_Form* settings, TResults_Form* results);
    TAboutBox* AboutBox = nullptr;
    TCPU_Drop_Form* CPU_Drop_Form = nullptr;
    TSettings_Form* Settings_Form = nullptr;
    TResults_Form* Results_Form = nullptr;

    // ---- Controls, in creation order.
    QWidget* Client = nullptr; // the client area
    QFrame* Bevel1 = nullptr;
    TGauge* Phisical_RAM_Gauge = nullptr;
    TGauge* Swap_File_Gauge = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* RAM_Label = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* SWAP_Label = nullptr;
    QLabel* Spinner_Label = nullptr;
    QFrame* Bevel2 = nullptr;
    TGauge* Disk_Used_Gauge = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Disk_Space_Label = nullptr;
    QFrame* Bevel3 = nullptr;
    TGauge* CPU_Gauge = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    TGauge* Avg_CPU_Gauge = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    TDriveComboBox* DriveComboBox1 = nullptr;
    QGroupBox* Distance_Travelled_GroupBox = nullptr;
    QLabel* Distance_Travelled_Label = nullptr;
    QGroupBox* Left_Right_Clicks_GroupBox = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Left_Mouse_Label = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Right_Mouse_Label = nullptr;
    QListWidget* Scaling_ListBox = nullptr;
    QRadioButton* CPU_Drop_RadioButton = nullptr;
    QLineEdit* Trailcount_Ini_File_Directory_Edit = nullptr;

    // ---- Menu.
    QMenuBar* MainMenu1 = nullptr;
    QMenu* FileMenu = nullptr;
    QAction* Always_On_Top_Option = nullptr;
    QAction* Auto_Run_at_Windows_Startup_Option = nullptr;
    QAction* Restore_Factory_Defaults_Option = nullptr;
    QAction* Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option = nullptr;
    QAction* Reset_Average_Option = nullptr;
    QAction* Reset_CPU_Monitoring_Option = nullptr;
    QAction* ExitOption = nullptr;
    QMenu* SnapTo1 = nullptr;
    QAction* Snap_Program_to_Top_Left_of_Screen_Option = nullptr;
    QAction* Snap_Program_to_Top_Right_of_Screen_Option = nullptr;
    QAction* Snap_Program_to_Bottom_Left_of_Screen_Option = nullptr;
    QAction* Snap_Program_to_Bottom_Right_of_Screen_Option = nullptr;
    QAction* Keep_Program_Inside_the_Screen_Bounds_Option = nullptr;
    QMenu* TrailcountMenu = nullptr;
    QAction* Show_Trailcount_Option = nullptr;
    QAction* Settings_Option = nullptr;
    QAction* Load_Settings_from_Trailcount_Option = nullptr;
    QAction* Save_Settings_to_Trailcount_Option = nullptr;
    QMenu* HelpMenu = nullptr;
    QAction* View_Readme_file_Option = nullptr;
    QAction* View_Shareware_Catalog_Option = nullptr;
    QAction* AboutOption = nullptr;

    // ---- Timers and file dialogs.
    QTimer* Timer1 = nullptr;
    QTimer* Program_Size_Timer = nullptr;
    QTimer* Reset_CPU_Monitoring_Timer = nullptr;
    QTimer* Trailcount_Timer = nullptr;
    TFile_Dialog* OpenDialog1 = nullptr;
    TFile_Dialog* SaveDialog1 = nullptr;

    // Every component the window owns, in creation order (layout scaling
    // pairs them with the lines of Scaling_ListBox by position).
    std::vector<QObject*> Components;

    // ---- Client area.
    QSize Client_Size() const;
    void Set_Client_Width(int width);
    void Set_Client_Height(int height);

    // ---- Start-up and closing (app/startup.cpp, app/main_form.cpp).
    void FormShow();
    void FormCloseQuery(bool& can_close);
    void ExitOptionClick();
    void AboutOptionClick();
    // The outer bounds of the normal (neither maximized nor minimized)
    // window: as loaded, then as the window last had them in that state.
    QRect Normal_Bounds;
    bool In_Normal_State() const;
    // Closing at the end of the session or on a termination signal: an open
    // dialog is cancelled, and a save that fails does not keep the program.
    void Close_For_Session_End();

    // ---- Placement and stacking (placement/placement.h).
    std::unique_ptr<::Placement> Placement;

    // ---- Layout scaling (scaling/layout_scaling.h), given the controls once
    // they exist.
    ::Layout_Scaling Layout_Scaling;

    // ---- Subsystems, each driving the controls it was handed; made again
    // when the other windows are attached.
    std::unique_ptr<Cpu_Display> CPU_Display;
    std::unique_ptr<Drop_Alarm> CPU_Drop_Alarm;
    std::unique_ptr<Refresh_Tick> Refresh;
    std::unique_ptr<Drive_Report_Command> Drive_Report;
    std::unique_ptr<Help_Menu> Help;
    std::unique_ptr<Auto_Run> Autorun;
    std::unique_ptr<Settings_File> Settings;

    // ---- Odometer (odometer/odometer.h): given the controls above once they
    // exist.
    ::Odometer Odometer;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Create_Controls();
    void Create_Menu();
    void Create_Timers_And_Dialogs();
    void Create_Subsystems();
    void Create_Placement_And_Scaling();
    void Attach_Odometer();
    void Attach_Settings_File();
    template <class T>
    T* Own(T* component, const char* name);

    void Note_Normal_Bounds();

    bool shown_once_ = false;
    bool save_failed_ = false;
    bool ending_session_ = false;
};
