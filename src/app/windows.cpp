#include "app/windows.h"

#include "about/about_box.h"
#include "alarm/cpu_drop_form.h"
#include "app/main_form.h"
#include "odometer/settings_form.h"
#include "report/results_form.h"

Vistrel_Windows::Vistrel_Windows()
    : MainForm1(std::make_unique<TMainForm1>()),
      AboutBox(std::make_unique<TAboutBox>()),
      CPU_Drop_Form(std::make_unique<TCPU_Drop_Form>()),
      Settings_Form(std::make_unique<TSettings_Form>()),
      Results_Form(std::make_unique<TResults_Form>())
{
    MainForm1->Attach_Windows(AboutBox.get(), CPU_Drop_Form.get(), Settings_Form.get(), Results_Form.get());
}

// The dialogs go first: the main window's last handlers may still refer to them.
Vistrel_Windows::~Vistrel_Windows()
{
    MainForm1.reset();
    Results_Form.reset();
    Settings_Form.reset();
    CPU_Drop_Form.reset();
    AboutBox.reset();
}
