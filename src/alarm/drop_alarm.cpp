// The CPU usage drop alarm: arming from the menu and the per-tick detector.
// The armed flag is the menu item's check mark; the indicator in the window's
// corner shows while the alarm is armed and is checked while a low run is
// being timed.
#include "app/main_form.h"

#include "alarm/cpu_drop_form.h"
#include "alarm/drop_detector.h"
#include "common/message_box.h"
#include "platform/clock_version.h"
#include "widgets/gauge.h"

#include <QAction>
#include <QRadioButton>
#include <QSpinBox>

void TMainForm1::Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_OptionClick()
{
    QAction* const armed = Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option;
    if (armed->isChecked()) {
        const Msg_Result answer = Message_Dlg(QStringLiteral("A CPU Usage Drop Alarm is already in progres.  "
                                                             "Do you want to continue with this existing alarm ?"),
                                              Msg_Type::Confirmation, Msg_Buttons::Yes_No);
        // A question closed without an answer changes nothing: the running
        // alarm is worth more than the dialog.
        if (answer != Msg_Result::No)
            return;
        armed->setChecked(false);
        CPU_Drop_RadioButton->hide();
    }

    if (CPU_Drop_Form && CPU_Drop_Form->exec() == QDialog::Accepted) {
        armed->setChecked(true);
        // At or above every threshold: the first tick sees the usage as
        // having just been high, so a low reading starts a run at once.
        CPU_Drop_Previous_Usage = 100;
        CPU_Drop_RadioButton->show();
    } else {
        armed->setChecked(false);
        CPU_Drop_RadioButton->hide();
    }
}

void TMainForm1::Check_CPU_Drop_Alarm()
{
    QAction* const armed = Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option;
    if (armed->isChecked() && CPU_Drop_Form) {
        Drop_Alarm_State state{CPU_Drop_RadioButton->isChecked(), CPU_Drop_Previous_Usage, CPU_Drop_Start_Time};
        const bool fires = Drop_Alarm_Check(state, CPU_Gauge->Progress(),
                                            CPU_Drop_Form->CPU_Drop_Threshold_SpinEdit->value(),
                                            CPU_Drop_Form->CPU_Drop_Seconds_SpinEdit->value(),
                                            platform::Use<platform::Clock_Service>().Now());
        CPU_Drop_Start_Time = state.start_time;
        CPU_Drop_RadioButton->setChecked(state.timing);
        if (fires) {
            // Disarmed here, sounded later: ticks that run while the sound
            // plays cannot fire it again.
            armed->setChecked(false);
            QMetaObject::invokeMethod(this, &TMainForm1::Sound_CPU_Drop_Alarm, Qt::QueuedConnection);
        }
    }
    CPU_Drop_Previous_Usage = CPU_Gauge->Progress();
}

// The sound is started from the event loop, never from inside a refresh tick:
// a tick that is still running holds back every later tick (and the toolkit
// never fires a timer again while its handler runs), so the figures, the
// spinner and the odometer would stand still for the whole sound.
void TMainForm1::Sound_CPU_Drop_Alarm()
{
    if (tick_running_) {
        QMetaObject::invokeMethod(this, &TMainForm1::Sound_CPU_Drop_Alarm, Qt::QueuedConnection);
        return;
    }
    if (!CPU_Drop_Form)
        return;
    CPU_Drop_Form->Sound_Test_ButtonClick();
    // Armed afresh from the menu while the sound played: that arming's
    // indicator and starting reading stand.
    if (Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option->isChecked())
        return;
    CPU_Drop_RadioButton->setChecked(false);
    CPU_Drop_RadioButton->hide();
}
