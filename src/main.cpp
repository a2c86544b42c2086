// Vistrel: a small desktop system monitor.
#include "app/application.h"
#include "app/launch.h"
#include "app/main_form.h"
#include "common/message_box.h"
#include "app/windows.h"
#include "cpu/cpu_sampler.h"
#include "platform/error.h"
#include "platform/termination.h"
#include "platform/window_system.h"


int main(int argc, char** argv)
{
    Launch launch(argc, argv);
    if (launch.Exit_Status())
        return *launch.Exit_Status();
    TApplication application(launch.Argc(), launch.Argv());
    platform::Toolkit_Started();
    // The sampler chooses its method before any window exists; without the
    // platform's version it cannot measure at all.
    try {
        Program_CPU_Sampler().Start_Up();
    } catch (const Program_Error& error) {
        Show_Error_Report(QString::fromUtf8(error.what()));
        return 1;
    }
    int status = 0;
    {
        Vistrel_Windows windows;
        TMainForm1* main_window = windows.MainForm1.get();
        platform::Watch_Termination([main_window] { main_window->Close_For_Session_End(); });
        main_window->show();
        status = application.exec();
    }
    Program_CPU_Sampler().Shut_Down();
    return status;
}
