// The alarm's sounds, heard through a capture sink on a clock that moves by
// what each tone lasts: the routines called directly, and Sound Test, which
// plays them on the sound thread.
#include "alarm/alarm_sounds.h"
#include "alarm/cpu_drop_form.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_sound.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace {

class Alarm_Sounds : public ::testing::Test {
protected:
    Fake_Clock clock;
    Fake_Version version;
    Fake_Sound sound{&clock};
    platform::Scoped_Service<platform::Clock_Service> clock_guard{clock};
    platform::Scoped_Service<platform::Version_Service> version_guard{version};
    platform::Scoped_Service<platform::Sound_Service> sound_guard{sound};

    static Sound_Output Output() { return Current_Sound_Output(); }

    std::vector<int> Rising(int from, int count) const
    {
        std::vector<int> out;
        for (int i = 0; i < count; ++i)
            out.push_back(from + 20 * i);
        return out;
    }
};

std::vector<int> Joined(std::initializer_list<std::vector<int>> parts)
{
    std::vector<int> out;
    for (const auto& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

} // namespace

// One call to the device for the whole tone, made off the user-interface
// thread, whose events are handled while the tone sounds.
TEST_F(Alarm_Sounds, Single_Tone_Is_One_Tone_At_The_Trackbar_Frequency_For_The_Beep_Seconds)
{
    TCPU_Drop_Form form;
    bool handled = false;
    bool handled_during_tone = false;
    QTimer::singleShot(0, qApp, [&handled] { handled = true; });
    sound.after_sound = [&] { handled_during_tone = handled; };
    form.Sound_Frequency_TrackBar->setValue(37);
    form.Sound_Test_ButtonClick();
    EXPECT_EQ(sound.tones, (std::vector<Fake_Sound::Tone>{{37, 1000}}));
    EXPECT_EQ(sound.played_on_ui_thread, 0);
    EXPECT_TRUE(handled_during_tone);
    EXPECT_EQ(sound.silences, 1);

    form.Sound_Frequency_TrackBar->setValue(10000);
    form.CPU_Drop_Beep_Seconds_SpinEdit->setValue(3);
    form.Sound_Test_ButtonClick();
    EXPECT_EQ(sound.tones.back(), (Fake_Sound::Tone{10000, 3000}));
    EXPECT_EQ(sound.tones.size(), 2u);
    EXPECT_EQ(sound.message_beeps, 0);

    sound.tones.clear();
    Speaker_Tone(Output(), -1, 440);
    EXPECT_TRUE(sound.tones.empty());
}

// A second Sound Test pressed while the first sounds is queued behind it:
// both play whole, one after the other, and the second press returns once
// both have ended.
TEST_F(Alarm_Sounds, A_Sound_Asked_For_While_Another_Plays_Waits_For_It)
{
    TCPU_Drop_Form form;
    form.CPU_Drop_Beep_Seconds_SpinEdit->setValue(2);
    bool pressed_again = false;
    bool second_returned = false;
    std::size_t tones_when_second_returned = 0;
    sound.after_sound = [&] {
        if (std::exchange(pressed_again, true))
            return;
        // A posted event, which the window takes before it looks again
        // whether the first sound has ended (a zero timer may come after).
        QMetaObject::invokeMethod(
            &form,
            [&] {
                form.Sound_Frequency_TrackBar->setValue(800);
                form.Sound_Test_ButtonClick();
                second_returned = true;
                tones_when_second_returned = sound.tones.size();
            },
            Qt::QueuedConnection);
    };
    form.Sound_Test_ButtonClick();
    EXPECT_TRUE(second_returned);
    EXPECT_EQ(tones_when_second_returned, 2u);
    EXPECT_EQ(sound.tones, (std::vector<Fake_Sound::Tone>{{400, 2000}, {800, 2000}}));
}

// File > Exit during a long tone: the quit ends the wait at once, and the
// dialog's end (with the program's) cuts the tone short rather than waiting
// for it.
TEST_F(Alarm_Sounds, Quitting_During_A_Long_Tone_Ends_The_Wait_And_Cuts_The_Tone)
{
    auto form = std::make_unique<TCPU_Drop_Form>();
    form->CPU_Drop_Beep_Seconds_SpinEdit->setValue(100);
    sound.Hold_Tones();
    bool returned = false;
    QTimer::singleShot(0, form.get(), [&] {
        form->Sound_Test_ButtonClick();
        returned = true;
    });
    QTimer quit_once_sounding;
    QObject::connect(&quit_once_sounding, &QTimer::timeout, qApp, [this] {
        if (sound.Tone_Started())
            QCoreApplication::exit(0);
    });
    quit_once_sounding.start(10);
    QCoreApplication::exec();
    EXPECT_TRUE(returned);
    EXPECT_TRUE(sound.tones.empty()) << "the tone had played to its end";
    EXPECT_EQ(sound.cuts, 0);

    form.reset();
    EXPECT_EQ(sound.cuts, 1);
    EXPECT_EQ(sound.silences, 1);
}

TEST_F(Alarm_Sounds, Older_Family_Repeats_The_Default_Beep_Until_The_Tone_Would_End)
{
    version.platform_id = VER_PLATFORM_WIN32_WINDOWS;
    sound.message_beep_ms = 150;
    Speaker_Tone(Output(), 1000, 440);
    // Beeps start at 0, 150, ... 900 ms: seven, the last running past the end.
    EXPECT_EQ(sound.message_beeps, 7);
    EXPECT_TRUE(sound.tones.empty());

    sound.message_beeps = 0;
    Speaker_Tone(Output(), -1, 440);
    Speaker_Tone(Output(), 0, 440);
    EXPECT_EQ(sound.message_beeps, 0);

    // The whistle's tones each become at least one default beep.
    Play_Wolf_Whistle(Output(), 1);
    EXPECT_EQ(sound.message_beeps, 99);
    EXPECT_TRUE(sound.tones.empty());
}

TEST_F(Alarm_Sounds, Whistle_Pass_Rises_From_37_And_From_100_Then_Falls_From_700)
{
    Play_Wolf_Whistle(Output(), 1);
    ASSERT_EQ(sound.tones.size(), 99u);
    for (const Fake_Sound::Tone& tone : sound.tones)
        EXPECT_EQ(tone.duration_ms, 1);
    std::vector<int> falling;
    for (int f = 700; f >= 120; f -= 20)
        falling.push_back(f);
    EXPECT_EQ(sound.Frequencies(), Joined({Rising(37, 39), Rising(100, 30), falling}));
    EXPECT_EQ(sound.tones[38].frequency_hz, 797);
    EXPECT_EQ(sound.tones[68].frequency_hz, 680);
    EXPECT_EQ(sound.tones[98].frequency_hz, 120);
}

TEST_F(Alarm_Sounds, Sliding_Scale_Pass_Rises_From_37_To_1997)
{
    Play_Sliding_Scale(Output(), 1);
    EXPECT_EQ(sound.Frequencies(), Rising(37, 99));
    EXPECT_EQ(sound.tones.back().frequency_hz, 1997);
}

TEST_F(Alarm_Sounds, A_Pass_Runs_To_Its_End_And_Another_Starts_Only_Before_The_End_Time)
{
    // A pass lasts 99 ms here.
    Play_Wolf_Whistle(Output(), 98);
    EXPECT_EQ(sound.tones.size(), 99u);
    sound.tones.clear();
    Play_Wolf_Whistle(Output(), 100);
    EXPECT_EQ(sound.tones.size(), 198u);
    sound.tones.clear();
    Play_Sliding_Scale(Output(), 1000);
    EXPECT_EQ(sound.tones.size(), 11u * 99u);
    sound.tones.clear();
    Play_Sliding_Scale(Output(), 0);
    EXPECT_TRUE(sound.tones.empty());

    // However slow the clock: a positive length always gets one pass.
    sound.tones.clear();
    clock.now = 46000.5;
    Fake_Sound slow(&clock);
    platform::Scoped_Service<platform::Sound_Service> guard(slow);
    slow.after_sound = [this] { clock.Advance_Seconds(1); };
    Play_Sliding_Scale(Output(), 1);
    EXPECT_EQ(slow.tones.size(), 99u);
}

TEST_F(Alarm_Sounds, Sound_Test_Plays_The_First_Checked_Choice_Or_Nothing)
{
    TCPU_Drop_Form form;
    form.Play_Single_Tone_RadioButton->setChecked(false);
    form.Sound_Test_ButtonClick();
    EXPECT_TRUE(sound.tones.empty());
    EXPECT_EQ(sound.message_beeps, 0);

    // Loaded one after another, the last set wins.
    form.Play_Single_Tone_RadioButton->setChecked(true);
    form.Play_Wolf_Whistle_RadioButton->setChecked(true);
    form.Play_Sliding_Scale_RadioButton->setChecked(true);
    form.Sound_Test_ButtonClick();
    EXPECT_EQ(sound.Frequencies().front(), 37);
    EXPECT_EQ(sound.Frequencies().back(), 1997);
    EXPECT_EQ(sound.tones.size() % 99, 0u);

    sound.tones.clear();
    form.Play_Wolf_Whistle_RadioButton->setChecked(true);
    form.Sound_Test_ButtonClick();
    EXPECT_EQ(sound.tones[98].frequency_hz, 120);
}

TEST_F(Alarm_Sounds, After_A_Single_Tone_The_Focus_Moves_To_The_Trackbar_Only_When_It_Can_Take_It)
{
    TCPU_Drop_Form form;
    // Hidden, as when the alarm sounds: the focus is left alone.
    form.Sound_Test_ButtonClick();
    EXPECT_EQ(form.focusWidget(), form.OK_Button);

    version.platform_id = VER_PLATFORM_WIN32_WINDOWS;
    form.show();
    form.Sound_Test_ButtonClick();
    EXPECT_EQ(form.focusWidget(), form.OK_Button);
    form.hide();

    version.platform_id = VER_PLATFORM_WIN32_NT;
    form.show();
    form.Sound_Test_ButtonClick();
    EXPECT_EQ(form.focusWidget(), form.Sound_Frequency_TrackBar);
    form.hide();

    // Not after the other sounds.
    form.OK_Button->setFocus();
    form.show();
    form.Play_Wolf_Whistle_RadioButton->setChecked(true);
    form.Sound_Test_ButtonClick();
    EXPECT_EQ(form.focusWidget(), form.OK_Button);
    form.hide();
}
