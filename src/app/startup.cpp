// The start-up sequence and closing of the main window.
#include "app/main_form.h"

#include "about/about_box.h"
#include "alarm/drop_alarm.h"
#include "autorun/auto_run.h"
#include "metrics/refresh_tick.h"
#include "common/message_box.h"
#include "common/title.h"
#include "platform/clock_version.h"
#include "platform/error.h"
#include "platform/process.h"
#include "settings/settings_file.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>

#include <cstdio>

void TMainForm1::FormShow()
{
    Timer1->stop();                                               // 1
    Settings->Load_Settings();                                    // 2 to 13
    QApplication::setApplicationName(QString::fromLatin1(Program_Title)); // 14
    setWindowTitle(QString::fromLatin1(Program_Title));
    if (AboutBox)
        AboutBox->Product_Name_Label->setText(QString::fromLatin1(Program_Title));

    switch (platform::Use<platform::Process_Service>().Startup_Show_State()) { // 15
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE: showMinimized(); break;
    case SW_SHOWMAXIMIZED: showMaximized(); break;
    default: break;
    }
    if (Settings->Start_Maximized())
        showMaximized();

    RAM_Label->setText(QString());                                // 16
    SWAP_Label->setText(QString());

    CPU_Drop_Alarm->Reset_Detector(platform::Use<platform::Clock_Service>().Now()); // 17

    Refresh->Timer1Timer();                                       // 18
    Timer1->start();

    Always_On_Top_Option->setChecked(!Always_On_Top_Option->isChecked()); // 19
    Placement->Toggle_Always_On_Top();

    Auto_Run_at_Windows_Startup_Option->setChecked(Autorun->Check_Auto_Run_Path()); // 20

    Placement->Start_Placement();                                 // 21
}

// A close the user asks for waits for the settings to be saved: the window
// stays open (and says why) so the cause can be put right. Asked again after
// a save that failed, it asks whether to close without saving rather than
// keep the user in. At the end of the session, or on a termination signal,
// nothing may keep the program: a failed save is told on standard error,
// and the program ends all the same.
void TMainForm1::FormCloseQuery(bool& can_close)
{
    can_close = true;
    try {
        Settings->Save_Settings();
        save_failed_ = false;
    } catch (const Program_Error& error) {
        if (ending_session_) {
            std::fprintf(stderr, "vistrel: %s\n", error.what());
            return;
        }
        if (!save_failed_) {
            save_failed_ = true;
            throw;
        }
        can_close = Message_Dlg(QStringLiteral("Close without saving?"), Msg_Type::Confirmation, Msg_Buttons::Yes_No)
                    == Msg_Result::Yes;
    }
}

void TMainForm1::Close_For_Session_End()
{
    if (ending_session_)
        return; // already on its way out
    ending_session_ = true;
    while (QWidget* dialog = QApplication::activeModalWidget()) {
        dialog->hide();
        if (auto* modal = qobject_cast<QDialog*>(dialog))
            modal->reject();
    }
    close();
    QCoreApplication::exit(0);
}
