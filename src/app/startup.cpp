// The start-up sequence and closing of the main window.
#include "app/main_form.h"

#include "about/about_box.h"
#include "app/title.h"
#include "platform/clock_version.h"
#include "platform/process.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

void TMainForm1::FormShow()
{
    Timer1->stop();                                               // 1
    Load_Settings();                                              // 2 to 13
    QApplication::setApplicationName(QString::fromLatin1(Program_Title)); // 14
    setWindowTitle(QString::fromLatin1(Program_Title));
    if (AboutBox)
        AboutBox->Product_Name_Label->setText(QString::fromLatin1(Program_Title));

    switch (platform::Use<platform::Process_Service>().Startup_Show_State()) { // 15
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE: showMinimized(); break;
    case SW_SHOWMAXIMIZED: showMaximized(); break;
    default: break;
    }
    if (Start_Maximized)
        showMaximized();

    RAM_Label->setText(QString());                                // 16
    SWAP_Label->setText(QString());

    CPU_Drop_Start_Time = platform::Use<platform::Clock_Service>().Now() + 999999; // 17
    CPU_Drop_Previous_Usage = 0;

    Timer1Timer();                                                // 18
    Timer1->start();

    Always_On_Top_Option->setChecked(!Always_On_Top_Option->isChecked()); // 19
    Toggle_Always_On_Top();

    Auto_Run_at_Windows_Startup_Option->setChecked(Check_Auto_Run_Path()); // 20

    Program_Size_TimerTimer();                                    // 21
    Program_Size_Timer->start();
    if (!placement_started_) {
        placement_started_ = true;
        Watch_Screens_For_Placement();
    }
}

void TMainForm1::FormCloseQuery(bool& can_close)
{
    Save_Settings();
    can_close = true;
}
