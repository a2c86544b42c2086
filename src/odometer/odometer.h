#pragma once
// Odometer: the cursor odometer as one piece. It samples the pointer (paced
// by its Odometer_Scheduler on Trailcount_Timer), writes the distance and the
// press counts into the panel's labels, shows and hides that panel, and runs
// the Trailcount menu: the settings dialog, and the "trailcnt" section read
// from and written to a file of its own (Trailcount's) or the program's.
//
// Its running figures are public (Odometer_State): the settings file reads
// and replaces them, and the tests watch them.

#include "odometer/odometer_state.h"
#include "platform/input.h"

#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTimer;
class QWidget;
class Odometer_Scheduler;
class TFile_Dialog;
class TSettings_Form;
namespace platform {
class Ini_File;
}

class Odometer final : public Odometer_State {
public:
    // What the odometer drives, all owned by the window. The settings dialog
    // may come later (Attach_Settings_Form); until then the defaults serve.
    struct Controls {
        QGroupBox* Distance_Travelled_GroupBox = nullptr;
        QLabel* Distance_Travelled_Label = nullptr;
        QLabel* Left_Mouse_Label = nullptr;
        QLabel* Right_Mouse_Label = nullptr;
        QAction* Show_Trailcount_Option = nullptr;
        QTimer* Trailcount_Timer = nullptr;
        QTimer* Timer1 = nullptr; // the refresh, paused while the settings dialog is open
        TFile_Dialog* OpenDialog1 = nullptr;
        TFile_Dialog* SaveDialog1 = nullptr;
        QLineEdit* Trailcount_Ini_File_Directory_Edit = nullptr;
        TSettings_Form* Settings_Form = nullptr;
        // The panel's command: shown, the client area reaches to the bottom
        // of the clicks group; hidden, to the bottom of the CPU bevel; with
        // the RAM caption's top as the margin below either.
        const QWidget* Left_Right_Clicks_GroupBox = nullptr;
        const QWidget* Bevel3 = nullptr;
        const QWidget* Label2 = nullptr;
        std::function<QSize()> Client_Size;
        // A height set by command: the layout is recorded afresh at it, not
        // stretched to it.
        std::function<void(int)> Set_Client_Height_By_Command;
    };

    Odometer();
    ~Odometer();
    Odometer(const Odometer&) = delete;
    Odometer& operator=(const Odometer&) = delete;

    // Hands the odometer its controls and sets up its pacing on their
    // Trailcount_Timer (started by Pacing().Start()).
    void Attach(const Controls& controls);
    void Attach_Settings_Form(TSettings_Form* settings_form);
    Odometer_Scheduler& Pacing() { return *pacing_; }

    // Trailcount_Timer fired: the pacing decides whether this is a sample.
    void Trailcount_Timer_Fired();
    // Samples the pointer: one step of the distance, and the presses when
    // the platform does not report buttons itself.
    void Trailcount_TimerTimer();
    // One sample at a position known already: the distance, and its label
    // unless the caller shows it later (Show_Distance).
    void Take_Position(std::int32_t x, std::int32_t y, bool show_distance = true);
    // A button went down or up, as the platform reported it.
    void Trailcount_Button(platform::Mouse_Button button, bool down);
    // Presses come from the platform's reports, not from the samples.
    void Take_Presses_From_Reports(bool reported) { presses_reported_ = reported; }

    // Writes the distance into its label (painted when the label's pace allows).
    void Show_Distance();
    void Show_Press_Counts();
    // The distance label can be seen: inside the client area of a window
    // that is not minimized.
    bool Distance_Seen() const;
    void Show_Distance_Units_Caption();
    void Settings_OptionClick();
    void Show_Trailcount_OptionClick();

    // The "trailcnt" section of a file of its own (Trailcount's), or of a
    // file being read or written with the program's other settings; the
    // number format is the caller's to set for the latter.
    void Write_Odometer_Ini(const QString& path);
    void Write_Odometer_Ini(platform::Ini_File& ini);
    void Read_Odometer_Ini(const QString& path);
    void Read_Odometer_Ini(const platform::Ini_File& ini);
    void Load_Settings_from_Trailcount_OptionClick();
    void Save_Settings_to_Trailcount_OptionClick();

private:
    Controls controls_;
    bool presses_reported_ = false;
    std::unique_ptr<Odometer_Scheduler> pacing_;
    struct Panel_Toggle {
        QSize before; // the client size the panel command found
        QSize after;  // and the size it left
    };
    std::optional<Panel_Toggle> panel_toggle_;
};
