// The drop alarm on a real X server, heard through ALSA's file plugin. The
// CPU reading comes from a fake load, so the machine's own load never matters.
#include "alarm/alsa_recorder.h"
#include "alarm/cpu_drop_form.h"
#include "alarm/drop_alarm.h"
#include "app/main_form.h"
#include "app/windows.h"
#include "cpu/cpu_sampler.h"
#include "e2e/e2e.h"
#include "fakes/fake_perf_data.h"
#include "fakes/fake_sound.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QSet>
#include <QTimer>
#include <QWindow>

#include <cstdio>

namespace {

bool On_Screen(const QWidget& window)
{
    return window.isVisible() && window.windowHandle() && window.windowHandle()->isExposed();
}

// Waits for the tool, not for the program: the click is handled by the
// next wait, so a dialog it opens runs its own loop outside the tool's.
void Click_At(const QPoint& global)
{
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(global.x()),
                       QString::number(global.y()), QStringLiteral("click"), QStringLiteral("1")});
}

QPoint Centre_Of(const QWidget& widget, const QRect& local)
{
    return widget.mapToGlobal(local.center());
}

// The processor's load as the test sets it, read through the program's own sampler.
struct Controlled_Load {
    Fake_Cpu_Load cpu;
    platform::Scoped_Service<platform::Performance_Data_Service> use_cpu{cpu};
    CPU_Sampler sampler;
    Scoped_CPU_Sampler use_sampler{sampler};
};

} // namespace

TEST(Drop_Alarm_On_X, Armed_With_One_Second_At_Threshold_100_It_Sounds_Once_And_Disarms)
{
    VISTREL_REQUIRE_DISPLAY();
    VISTREL_REQUIRE_IN_PROCESS();
    Alsa_Recorder recorder;
    Controlled_Load load;
    load.cpu.load = 0.5;
    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    TCPU_Drop_Form& drop = *windows.CPU_Drop_Form;
    QAction* const armed = form.Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option;
    form.show();
    ASSERT_TRUE(e2e::Wait_Until([&] { return On_Screen(form); }, 5000));

    drop.CPU_Drop_Threshold_SpinEdit->setValue(100);
    drop.CPU_Drop_Seconds_SpinEdit->setValue(1);
    drop.CPU_Drop_Beep_Seconds_SpinEdit->setValue(2);
    drop.Sound_Frequency_TrackBar->setValue(1000);
    drop.Play_Single_Tone_RadioButton->setChecked(true);

    // The dialog, once on screen, is answered with a click on OK.
    QTimer answer;
    answer.setInterval(50);
    QObject::connect(&answer, &QTimer::timeout, &drop, [&] {
        if (!On_Screen(drop))
            return;
        answer.stop();
        Click_At(Centre_Of(*drop.OK_Button, drop.OK_Button->rect()));
    });
    answer.start();

    // The detector unchecks the menu item just before the sound.
    QElapsedTimer since_armed;
    qint64 sounded_after_ms = -1;
    QObject::connect(armed, &QAction::changed, &form, [&] {
        if (since_armed.isValid() && !armed->isChecked() && sounded_after_ms < 0)
            sounded_after_ms = since_armed.elapsed();
    });

    // The spinner's turns between the alarm's firing and the end of its sound.
    QSet<QString> spinner_under_sound;
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, &form, [&] {
        if (sounded_after_ms >= 0 && !form.CPU_Drop_RadioButton->isHidden())
            spinner_under_sound.insert(form.Spinner_Label->text());
    });
    watch.start();

    // File, then "CPU Usage Drop Alarm", with the mouse.
    Click_At(Centre_Of(*form.MainMenu1, form.MainMenu1->actionGeometry(form.FileMenu->menuAction())));
    ASSERT_TRUE(e2e::Wait_Until([&] { return On_Screen(*form.FileMenu); }, 5000));
    Click_At(Centre_Of(*form.FileMenu, form.FileMenu->actionGeometry(armed)));
    // Armed once the menu's handler has run: the item checked, the indicator shown.
    ASSERT_TRUE(e2e::Wait_Until([&] { return armed->isChecked() && !form.CPU_Drop_RadioButton->isHidden(); },
                                10000))
        << "the alarm was not armed";
    since_armed.start();

    ASSERT_TRUE(e2e::Wait_Until([&] { return sounded_after_ms >= 0 && form.CPU_Drop_RadioButton->isHidden(); },
                                15000))
        << "the alarm did not sound";
    std::printf("alarm sounded %lld ms after arming\n", static_cast<long long>(sounded_after_ms));
    // Not before the low run has lasted more than its second (the run starts
    // at the first tick after arming; timing here starts a moment late).
    EXPECT_GT(sounded_after_ms, 950);
    EXPECT_FALSE(armed->isChecked());
    EXPECT_FALSE(form.CPU_Drop_RadioButton->isChecked());
    std::printf("spinner showed %lld characters under the sound\n", static_cast<long long>(spinner_under_sound.size()));
    EXPECT_GE(spinner_under_sound.size(), 3) << "the window stood still while the alarm sounded";

    e2e::Wait(1500); // and no second sound
    const Recording recording = recorder.Read();
    if (recording.Empty())
        GTEST_SKIP() << "ALSA's file plugin gave no recording here";
    EXPECT_NEAR(recording.Seconds(), 2.0, 0.02);
    EXPECT_NEAR(recording.Frequency(), 1000, 20);
}

// The indicator shows the alarm's state; a real click on it, whether it is
// waiting or timing a low run, changes nothing, and the alarm goes on to sound.
TEST(Drop_Alarm_On_X, A_Click_On_The_Indicator_Changes_Nothing)
{
    VISTREL_REQUIRE_DISPLAY();
    VISTREL_REQUIRE_IN_PROCESS();
    Controlled_Load load;
    load.cpu.load = 0.875;
    Fake_Sound sound;
    platform::Scoped_Service<platform::Sound_Service> use_sound{sound};
    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    TCPU_Drop_Form& drop = *windows.CPU_Drop_Form;
    QAction* const armed = form.Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option;
    QRadioButton* const indicator = form.CPU_Drop_RadioButton;
    form.show();
    ASSERT_TRUE(e2e::Wait_Until([&] { return On_Screen(form); }, 5000));
    drop.CPU_Drop_Threshold_SpinEdit->setValue(50);
    drop.CPU_Drop_Seconds_SpinEdit->setValue(5);
    drop.Play_Single_Tone_RadioButton->setChecked(true);

    QTimer::singleShot(0, &drop, [&drop] { drop.OK_Button->click(); });
    armed->trigger();
    ASSERT_TRUE(armed->isChecked());
    // Waiting: a tick has read the busy processor.
    ASSERT_TRUE(e2e::Wait_Until([&] { return form.CPU_Drop_Alarm->CPU_Drop_Previous_Usage() == 87 && indicator->isVisible(); }, 5000));
    Click_At(Centre_Of(*indicator, indicator->rect()));
    e2e::Wait(300);
    EXPECT_FALSE(indicator->isChecked()) << "a click checked the waiting indicator";
    EXPECT_TRUE(armed->isChecked());

    // Timing: the click must not clear the run.
    load.cpu.load = 0.125;
    ASSERT_TRUE(e2e::Wait_Until([&] { return indicator->isChecked() && form.CPU_Drop_Alarm->CPU_Drop_Previous_Usage() == 12; }, 5000));
    // A point beside the first: the tool waits for a move that never comes
    // when the pointer is already where it is sent.
    Click_At(Centre_Of(*indicator, indicator->rect()) + QPoint(-2, 1));
    e2e::Wait(300);
    EXPECT_TRUE(indicator->isChecked()) << "a click cleared the timed run";
    EXPECT_TRUE(armed->isChecked());

    ASSERT_TRUE(e2e::Wait_Until([&] { return !sound.tones.empty() && indicator->isHidden(); }, 15000))
        << "the alarm did not sound";
    EXPECT_FALSE(armed->isChecked());
}
