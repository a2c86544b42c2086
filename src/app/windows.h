#pragma once
// The program's five windows, created once at start in this order and kept
// for the whole run: the main window first (it is the application's main
// window), then the about box, the alarm dialog, the odometer settings dialog
// and the report window.

#include <memory>

class TAboutBox;
class TCPU_Drop_Form;
class TMainForm1;
class TResults_Form;
class TSettings_Form;

class Vistrel_Windows {
public:
    Vistrel_Windows();
    ~Vistrel_Windows();

    std::unique_ptr<TMainForm1> MainForm1;
    std::unique_ptr<TAboutBox> AboutBox;
    std::unique_ptr<TCPU_Drop_Form> CPU_Drop_Form;
    std::unique_ptr<TSettings_Form> Settings_Form;
    std::unique_ptr<TResults_Form> Results_Form;
};
