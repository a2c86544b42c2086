// The drop alarm on a real X server, heard through ALSA's file plugin.
#include "alarm/alsa_recorder.h"
#include "alarm/cpu_drop_form.h"
#include "app/main_form.h"
#include "app/windows.h"
#include "e2e/e2e.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
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

} // namespace

TEST(Drop_Alarm_On_X, Armed_With_One_Second_At_Threshold_100_It_Sounds_Once_And_Disarms)
{
    VISTREL_REQUIRE_DISPLAY();
    Alsa_Recorder recorder;
    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    TCPU_Drop_Form& drop = *windows.CPU_Drop_Form;
    QAction* const armed = form.Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option;
    form.show();
    ASSERT_TRUE(e2e::Wait_Until([&] { return On_Screen(form); }, 5000));

    drop.CPU_Drop_Threshold_SpinEdit->setValue(100);
    drop.CPU_Drop_Seconds_SpinEdit->setValue(1);
    drop.CPU_Drop_Beep_Seconds_SpinEdit->setValue(1);
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

    e2e::Wait(1500); // and no second sound
    const Recording recording = recorder.Read();
    if (recording.Empty())
        GTEST_SKIP() << "ALSA's file plugin gave no recording here";
    EXPECT_NEAR(recording.Seconds(), 1.0, 0.02);
    EXPECT_NEAR(recording.Frequency(), 1000, 20);
}
