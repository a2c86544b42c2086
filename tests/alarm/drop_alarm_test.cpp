// The drop alarm: arming from the menu, the detector in the tick, and the
// sound it makes, on a fake clock and a capture sink.
#include "alarm/cpu_drop_form.h"
#include "alarm/drop_alarm.h"
#include "app/main_form.h"
#include "common/message_box.h"
#include "cpu/cpu_sampler.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_perf_data.h"
#include "fakes/fake_sound.h"
#include "fakes/faked_windows.h"
#include "fakes/monitor_controls.h"
#include "metrics/refresh_tick.h"
#include "widgets/gauge.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QSet>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString Already_Armed_Question = QStringLiteral(
    "A CPU Usage Drop Alarm is already in progres.  Do you want to continue with this existing alarm ?");

// The alarm with its controls and its dialog, as the window wires them.
class Drop_Alarm_Rule : public ::testing::Test {
protected:
    Drop_Alarm_Rule()
    {
        QObject::connect(&drop, &QDialog::finished, [this] { ++dialog_showings; });
        drop.CPU_Drop_Threshold_SpinEdit->setValue(50);
        drop.CPU_Drop_Seconds_SpinEdit->setValue(1);
    }

    QAction* Armed() const { return form.Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option; }
    // Alarm sounds heard so far: each is one second of the 400 Hz tone.
    std::size_t Sounds() const
    {
        int milliseconds = 0;
        for (const Fake_Sound::Tone& tone : sound.tones)
            milliseconds += tone.frequency_hz == 400 ? tone.duration_ms : 0;
        return static_cast<std::size_t>(milliseconds / 1000);
    }
    QRadioButton* Indicator() const { return form.CPU_Drop_RadioButton; }

    // The menu click as the user makes it; the dialog, if it shows, is closed
    // by `button` (Cancel when none is named).
    void Click_Menu(QPushButton* button = nullptr)
    {
        QPushButton* const closer = button ? button : drop.Cancel_Button;
        QTimer::singleShot(0, &drop, [this, closer] {
            if (drop.isVisible())
                closer->click();
        });
        form.alarm.Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_OptionClick();
        QCoreApplication::processEvents(); // the closer, when no dialog showed
    }

    // One refresh tick's detector step, `seconds` after the one before, and
    // the event loop after it (where a fired alarm sounds).
    void Tick(int reading, double seconds = 0.4)
    {
        clock.Advance_Seconds(seconds);
        form.CPU_Gauge->Set_Progress(reading);
        form.alarm.Check_CPU_Drop_Alarm();
        QCoreApplication::processEvents();
    }

    Monitor_Controls form;
    TCPU_Drop_Form& drop = form.CPU_Drop_Form;
    Fake_Clock& clock = form.clock;
    Fake_Version version;
    Fake_Sound sound{&clock};
    platform::Scoped_Service<platform::Version_Service> version_guard{version};
    platform::Scoped_Service<platform::Sound_Service> sound_guard{sound};
    std::vector<Message_Record> questions;
    Msg_Result answer = Msg_Result::Yes;
    Scoped_Message_Answerer answerer{[this](const Message_Record& record) {
        questions.push_back(record);
        return answer;
    }};
    int dialog_showings = 0;
};

} // namespace

TEST_F(Drop_Alarm_Rule, OK_Arms_While_Cancel_Leaves_It_Disarmed)
{
    Click_Menu(drop.Cancel_Button);
    EXPECT_EQ(dialog_showings, 1);
    EXPECT_TRUE(questions.empty());
    EXPECT_FALSE(Armed()->isChecked());
    EXPECT_TRUE(Indicator()->isHidden());

    Tick(7);
    Click_Menu(drop.OK_Button);
    EXPECT_TRUE(Armed()->isChecked());
    EXPECT_FALSE(Indicator()->isHidden());
    EXPECT_FALSE(Indicator()->isChecked());
    EXPECT_EQ(form.alarm.CPU_Drop_Previous_Usage(), 100);
    EXPECT_TRUE(questions.empty());
}

TEST_F(Drop_Alarm_Rule, Fires_Once_After_N_Seconds_Disarmed_Before_The_Sound)
{
    Click_Menu(drop.OK_Button);
    std::vector<bool> armed_during_sound;
    sound.after_sound = [this, &armed_during_sound] { armed_during_sound.push_back(Armed()->isChecked()); };

    Tick(80);
    Tick(20); // the drop: timing starts
    EXPECT_TRUE(Indicator()->isChecked());
    Tick(20);
    Tick(20);
    EXPECT_TRUE(sound.tones.empty());
    Tick(90); // 1.2 s after the drop, and high again: fires all the same
    EXPECT_EQ(Sounds(), 1u);
    EXPECT_EQ(armed_during_sound, std::vector<bool>(sound.tones.size(), false));
    EXPECT_FALSE(Armed()->isChecked());
    EXPECT_TRUE(Indicator()->isHidden());
    EXPECT_FALSE(Indicator()->isChecked());
    EXPECT_EQ(form.alarm.CPU_Drop_Previous_Usage(), 90);

    // Disarmed: later drops are silent.
    for (int reading : {90, 5, 5, 5, 5, 5, 5})
        Tick(reading);
    EXPECT_EQ(Sounds(), 1u);
    EXPECT_EQ(form.alarm.CPU_Drop_Previous_Usage(), 5);
}

TEST_F(Drop_Alarm_Rule, Ticks_Nested_In_The_Sound_Cannot_Fire_It_Again)
{
    drop.Play_Wolf_Whistle_RadioButton->setChecked(true);
    Click_Menu(drop.OK_Button);
    int nested = 0;
    sound.after_sound = [this, &nested] {
        if (nested++ % 10 == 0)
            Tick(3, 0);
    };
    for (int i = 0; i < 4; ++i)
        Tick(3);
    // The whistle for 1 s: passes of 99 tones, as one sound.
    EXPECT_EQ(sound.tones.size() % 99, 0u);
    EXPECT_EQ(sound.tones.size(), 11u * 99u);
    EXPECT_FALSE(Armed()->isChecked());
}

TEST_F(Drop_Alarm_Rule, Rearming_Asks_First_Yes_Keeps_The_Running_Alarm)
{
    Click_Menu(drop.OK_Button);
    Tick(10);
    const double run_start = form.alarm.CPU_Drop_Start_Time();

    answer = Msg_Result::Yes;
    Click_Menu();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].text, Already_Armed_Question);
    EXPECT_EQ(questions[0].type, Msg_Type::Confirmation);
    EXPECT_EQ(questions[0].buttons, Msg_Buttons::Yes_No);
    EXPECT_EQ(dialog_showings, 1);
    EXPECT_TRUE(Armed()->isChecked());
    EXPECT_TRUE(Indicator()->isChecked());
    EXPECT_FALSE(Indicator()->isHidden());
    EXPECT_EQ(form.alarm.CPU_Drop_Start_Time(), run_start);
    EXPECT_EQ(form.alarm.CPU_Drop_Previous_Usage(), 10);

    // A question closed without an answer changes nothing either.
    answer = Msg_Result::Cancel;
    Click_Menu();
    EXPECT_EQ(dialog_showings, 1);
    EXPECT_TRUE(Armed()->isChecked());
    EXPECT_EQ(form.alarm.CPU_Drop_Start_Time(), run_start);

    // The run goes on and fires as it would have.
    Tick(10);
    Tick(10);
    Tick(10);
    EXPECT_EQ(Sounds(), 1u);
}

TEST_F(Drop_Alarm_Rule, Rearming_Answered_No_Shows_The_Dialog_Again)
{
    Click_Menu(drop.OK_Button);
    Tick(10);
    answer = Msg_Result::No;

    bool hidden_while_dialog_shown = false;
    QTimer::singleShot(0, &drop, [this, &hidden_while_dialog_shown] {
        hidden_while_dialog_shown = !Armed()->isChecked() && Indicator()->isHidden();
        drop.OK_Button->click();
    });
    form.alarm.Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_OptionClick();
    EXPECT_TRUE(hidden_while_dialog_shown);
    EXPECT_TRUE(Armed()->isChecked());
    EXPECT_FALSE(Indicator()->isHidden());
    EXPECT_EQ(form.alarm.CPU_Drop_Previous_Usage(), 100);

    Click_Menu(drop.Cancel_Button);
    EXPECT_EQ(dialog_showings, 3);
    EXPECT_FALSE(Armed()->isChecked());
    EXPECT_TRUE(Indicator()->isHidden());
    for (int i = 0; i < 10; ++i)
        Tick(10);
    EXPECT_TRUE(sound.tones.empty());
}

// Restoring the factory defaults while armed runs the start-up again: the
// alarm stays armed, the low run in progress no longer counts, and only a
// new drop (a reading at the threshold or above, then one below) fires it.
TEST(Drop_Alarm_Defaults, Restored_While_Armed_The_Alarm_Waits_For_A_New_Drop)
{
    Faked_Windows app;
    Fake_Cpu_Load cpu;
    platform::Scoped_Service<platform::Performance_Data_Service> use_cpu{cpu};
    CPU_Sampler sampler;
    Scoped_CPU_Sampler use_sampler{sampler};
    Scoped_Message_Answerer yes{[](const Message_Record&) { return Msg_Result::Yes; }};
    TMainForm1& form = app.form();
    TCPU_Drop_Form& drop = *app.windows->CPU_Drop_Form;
    QAction* const armed = form.Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option;
    form.Reset_CPU_Monitoring_Timer->stop();
    form.FormShow();
    // The ticks are the test's own, half a second apart on the fake clock.
    form.Timer1->stop();
    auto tick = [&](double load) {
        cpu.load = load;
        app.clock.Advance_Seconds(0.5);
        form.Refresh->Timer1Timer();
        QCoreApplication::processEvents(); // where a fired alarm sounds
    };

    QTimer::singleShot(0, &drop, [&drop] { drop.OK_Button->click(); });
    armed->trigger();
    ASSERT_TRUE(armed->isChecked());
    tick(0.1);
    tick(0.1);
    ASSERT_TRUE(form.CPU_Drop_RadioButton->isChecked()) << "no low run is being timed";

    form.Restore_Factory_Defaults_Option->trigger();
    form.Timer1->stop();
    ASSERT_EQ(drop.CPU_Drop_Seconds_SpinEdit->value(), 5);
    for (int i = 0; i < 20; ++i)
        tick(0.1);
    EXPECT_TRUE(app.sound.tones.empty()) << "the low run from before the defaults fired the alarm";
    EXPECT_TRUE(armed->isChecked());

    tick(0.7);
    for (int i = 0; i < 9; ++i) // 4.5 seconds into the new drop
        tick(0.1);
    EXPECT_TRUE(app.sound.tones.empty());
    for (int i = 0; i < 4 && app.sound.tones.empty(); ++i)
        tick(0.1);
    EXPECT_FALSE(app.sound.tones.empty()) << "the new drop did not fire the alarm";
    EXPECT_FALSE(armed->isChecked());
}

TEST_F(Drop_Alarm_Rule, Stores_The_Reading_Every_Tick_And_Reads_The_Dialog_Afresh)
{
    Tick(37);
    EXPECT_EQ(form.alarm.CPU_Drop_Previous_Usage(), 37);
    EXPECT_FALSE(Indicator()->isChecked());

    Click_Menu(drop.OK_Button);
    Tick(60); // not low at 50
    EXPECT_FALSE(Indicator()->isChecked());
    drop.CPU_Drop_Threshold_SpinEdit->setValue(100);
    Tick(60); // previous 60 is low at 100: nothing changes
    EXPECT_FALSE(Indicator()->isChecked());
    Tick(100);
    Tick(60);
    EXPECT_TRUE(Indicator()->isChecked());
    drop.CPU_Drop_Seconds_SpinEdit->setValue(500);
    Tick(60, 100);
    EXPECT_TRUE(sound.tones.empty());
}

TEST_F(Drop_Alarm_Rule, Armed_Afresh_While_The_Sound_Plays_Keeps_The_New_Arming)
{
    Click_Menu(drop.OK_Button);
    bool rearmed = false;
    sound.after_sound = [this, &rearmed] {
        if (rearmed)
            return;
        rearmed = true;
        Click_Menu(drop.OK_Button);
    };
    Tick(10);
    Tick(10);
    Tick(10);
    Tick(10);
    ASSERT_TRUE(rearmed);
    EXPECT_TRUE(Armed()->isChecked());
    EXPECT_FALSE(Indicator()->isHidden());
    EXPECT_EQ(form.alarm.CPU_Drop_Previous_Usage(), 100);

    // Still low: the new arming fires in its turn.
    sound.after_sound = nullptr;
    for (int i = 0; i < 4; ++i)
        Tick(10);
    EXPECT_EQ(Sounds(), 2u);
}

// The running window, armed from the menu, on its own 500 ms timer: the
// alarm's sound is played from the event loop, not from inside the tick that
// fired it, so the ticks go on under every kind of sound, and those ticks
// cannot fire the alarm a second time.
TEST(Drop_Alarm_Sounding, The_Window_Keeps_Refreshing_While_The_Alarm_Sounds)
{
    Faked_Windows app;
    platform::Scoped_Service<platform::Clock_Service> wall_clock{platform::Default_Service<platform::Clock_Service>()};
    app.sound.takes_real_time = true;
    Fake_Cpu_Load cpu;
    platform::Scoped_Service<platform::Performance_Data_Service> use_cpu{cpu};
    CPU_Sampler sampler;
    Scoped_CPU_Sampler use_sampler{sampler};
    TMainForm1& form = app.form();
    TCPU_Drop_Form& drop = *app.windows->CPU_Drop_Form;
    QAction* const armed = form.Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option;
    form.FormShow();
    ASSERT_TRUE(form.Timer1->isActive());
    drop.CPU_Drop_Threshold_SpinEdit->setValue(50);
    drop.CPU_Drop_Seconds_SpinEdit->setValue(1);
    drop.CPU_Drop_Beep_Seconds_SpinEdit->setValue(2);

    for (QRadioButton* choice : {drop.Play_Single_Tone_RadioButton, drop.Play_Wolf_Whistle_RadioButton}) {
        SCOPED_TRACE(choice->objectName().toStdString());
        choice->setChecked(true);
        app.sound.tones.clear();
        cpu.load = 0.875;
        QTimer::singleShot(0, &drop, [&drop] { drop.OK_Button->click(); });
        armed->trigger();
        ASSERT_TRUE(armed->isChecked());
        cpu.load = 0.125;

        // Under the sound (fired: disarmed, the indicator still up) the load
        // moves to 25 %, still below the threshold.
        QSet<QString> spinner_seen;
        bool reading_followed = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, &form, [&] {
            if (armed->isChecked() || form.CPU_Drop_RadioButton->isHidden())
                return;
            cpu.load = 0.25;
            spinner_seen.insert(form.Spinner_Label->text());
            reading_followed = reading_followed || form.CPU_Gauge->Progress() == 25;
        });
        watch.start(20);
        QElapsedTimer waited;
        waited.start();
        while ((armed->isChecked() || !form.CPU_Drop_RadioButton->isHidden()) && waited.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        watch.stop();

        ASSERT_FALSE(app.sound.tones.empty()) << "the alarm did not sound";
        EXPECT_FALSE(armed->isChecked());
        EXPECT_TRUE(form.CPU_Drop_RadioButton->isHidden());
        // At least two ticks turned the spinner while the sound played.
        EXPECT_GE(spinner_seen.size(), 3);
        EXPECT_TRUE(reading_followed) << "the CPU gauge stood still under the sound";
        if (choice == drop.Play_Single_Tone_RadioButton) {
            EXPECT_EQ(app.sound.tones, (std::vector<Fake_Sound::Tone>{{400, 2000}}))
                << "one tone of the beep seconds";
        } else {
            EXPECT_EQ(app.sound.tones.size() % 99, 0u) << "whole passes of the whistle";
        }
    }
    form.Timer1->stop();
}
