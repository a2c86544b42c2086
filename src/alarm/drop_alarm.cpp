#include "alarm/drop_alarm.h"

#include "alarm/cpu_drop_form.h"
#include "alarm/drop_detector.h"
#include "common/message_box.h"
#include "platform/clock_version.h"
#include "widgets/gauge.h"

#include <QAction>
#include <QRadioButton>
#include <QSpinBox>

Drop_Alarm::Drop_Alarm(const Controls& controls, QObject* parent) : QObject(parent), controls_(controls) {}

void Drop_Alarm::Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_OptionClick()
{
    QAction* const armed = controls_.Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option;
    QRadioButton* const indicator = controls_.CPU_Drop_RadioButton;
    if (armed->isChecked()) {
        const Msg_Result answer = Message_Dlg(QStringLiteral("A CPU Usage Drop Alarm is already in progres.  "
                                                             "Do you want to continue with this existing alarm ?"),
                                              Msg_Type::Confirmation, Msg_Buttons::Yes_No);
        // A question closed without an answer changes nothing: the running
        // alarm is worth more than the dialog.
        if (answer != Msg_Result::No)
            return;
        armed->setChecked(false);
        indicator->hide();
    }

    if (controls_.CPU_Drop_Form && controls_.CPU_Drop_Form->exec() == QDialog::Accepted) {
        armed->setChecked(true);
        // At or above every threshold: the first tick sees the usage as
        // having just been high, so a low reading starts a run at once.
        previous_usage_ = 100;
        indicator->show();
    } else {
        armed->setChecked(false);
        indicator->hide();
    }
}

void Drop_Alarm::Check_CPU_Drop_Alarm()
{
    QAction* const armed = controls_.Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option;
    TCPU_Drop_Form* const form = controls_.CPU_Drop_Form;
    const int usage = controls_.CPU_Gauge->Progress();
    if (armed->isChecked() && form) {
        Drop_Alarm_State state{controls_.CPU_Drop_RadioButton->isChecked(), previous_usage_, start_time_};
        const bool fires = Drop_Alarm_Check(state, usage, form->CPU_Drop_Threshold_SpinEdit->value(),
                                            form->CPU_Drop_Seconds_SpinEdit->value(),
                                            platform::Use<platform::Clock_Service>().Now());
        start_time_ = state.start_time;
        controls_.CPU_Drop_RadioButton->setChecked(state.timing);
        if (fires) {
            // Disarmed here, sounded later: ticks that run while the sound
            // plays cannot fire it again.
            armed->setChecked(false);
            QMetaObject::invokeMethod(this, &Drop_Alarm::Sound_CPU_Drop_Alarm, Qt::QueuedConnection);
        }
    }
    previous_usage_ = usage;
}

// The sound is started from the event loop, never from inside a refresh tick:
// a tick that is still running holds back every later tick (and the toolkit
// never fires a timer again while its handler runs), so the figures, the
// spinner and the odometer would stand still for the whole sound.
void Drop_Alarm::Sound_CPU_Drop_Alarm()
{
    if (controls_.Tick_Running && controls_.Tick_Running()) {
        QMetaObject::invokeMethod(this, &Drop_Alarm::Sound_CPU_Drop_Alarm, Qt::QueuedConnection);
        return;
    }
    if (!controls_.CPU_Drop_Form)
        return;
    controls_.CPU_Drop_Form->Sound_Test_ButtonClick();
    // Armed afresh from the menu while the sound played: that arming's
    // indicator and starting reading stand.
    if (controls_.Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option->isChecked())
        return;
    controls_.CPU_Drop_RadioButton->setChecked(false);
    controls_.CPU_Drop_RadioButton->hide();
}

void Drop_Alarm::Reset_Detector(double now)
{
    start_time_ = now + 999999;
    previous_usage_ = 0;
}
