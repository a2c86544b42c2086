// The monitor started as the program starts it, for the whole-process
// overhead check (overhead.sh). Not part of the product: "--no-odometer"
// stops the odometer for good, which nothing in the program does, so that
// its cost can be told from the rest; "--panel" shows the odometer panel, as
// a user watching it has it.
#include "app/application.h"
#include "app/main_form.h"
#include "app/windows.h"
#include "odometer/odometer_scheduler.h"

#include <QAction>

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    form.show();
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.contains(QStringLiteral("--panel")) && !form.Show_Trailcount_Option->isChecked())
        form.Odometer.Show_Trailcount_OptionClick();
    if (arguments.contains(QStringLiteral("--no-odometer")))
        form.Odometer.Pacing().Stop();
    return application.exec();
}
