// Vistrel: a small desktop system monitor.
#include "app/application.h"
#include "app/main_form.h"
#include "app/windows.h"

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    Vistrel_Windows windows;
    windows.MainForm1->show();
    return application.exec();
}
