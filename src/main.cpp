// Vistrel: a small desktop system monitor.
#include "app/application.h"
#include "app/main_form.h"
#include "app/windows.h"
#include "platform/termination.h"

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    Vistrel_Windows windows;
    TMainForm1* main_window = windows.MainForm1.get();
    platform::Watch_Termination([main_window] { main_window->close(); });
    main_window->show();
    return application.exec();
}
