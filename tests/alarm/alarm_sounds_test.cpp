// The alarm's sounds, heard through a capture sink on a clock that moves by
// what each tone lasts.
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
#include <gtest/gtest.h>

namespace {

class Alarm_Sounds : public ::testing::Test {
protected:
    Fake_Clock clock;
    Fake_Version version;
    Fake_Sound sound{&clock};
    platform::Scoped_Service<platform::Clock_Service> clock_guard{clock};
    platform::Scoped_Service<platform::Version_Service> version_guard{version};
    platform::Scoped_Service<platform::Sound_Service> sound_guard{sound};

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

// The tone reaches the device in pieces that it joins into one: what counts
// is one frequency, the whole length, and the windows kept alive meanwhile.
TEST_F(Alarm_Sounds, Single_Tone_Is_One_Tone_At_The_Trackbar_Frequency_For_The_Beep_Seconds)
{
    TCPU_Drop_Form form;
    auto played = [this](int frequency_hz) {
        int milliseconds = 0;
        for (const Fake_Sound::Tone& tone : sound.tones) {
            EXPECT_EQ(tone.frequency_hz, frequency_hz);
            milliseconds += tone.duration_ms;
        }
        sound.tones.clear();
        return milliseconds;
    };
    int handled = 0;
    int handled_during_tone = 0;
    sound.after_sound = [&] {
        handled_during_tone = handled;
        QMetaObject::invokeMethod(qApp, [&handled] { ++handled; }, Qt::QueuedConnection);
    };
    form.Sound_Frequency_TrackBar->setValue(37);
    form.Sound_Test_ButtonClick();
    EXPECT_EQ(played(37), 1000);
    EXPECT_GE(handled_during_tone, 10);
    EXPECT_GE(sound.silences, 1);

    form.Sound_Frequency_TrackBar->setValue(10000);
    form.CPU_Drop_Beep_Seconds_SpinEdit->setValue(3);
    form.Sound_Test_ButtonClick();
    EXPECT_EQ(played(10000), 3000);
    EXPECT_EQ(sound.message_beeps, 0);

    sound.tones.clear();
    Speaker_Tone(-1, 440);
    EXPECT_TRUE(sound.tones.empty());
}

TEST_F(Alarm_Sounds, Older_Family_Repeats_The_Default_Beep_Until_The_Tone_Would_End)
{
    version.platform_id = VER_PLATFORM_WIN32_WINDOWS;
    sound.message_beep_ms = 150;
    Speaker_Tone(1000, 440);
    // Beeps start at 0, 150, ... 900 ms: seven, the last running past the end.
    EXPECT_EQ(sound.message_beeps, 7);
    EXPECT_TRUE(sound.tones.empty());

    sound.message_beeps = 0;
    Speaker_Tone(-1, 440);
    Speaker_Tone(0, 440);
    EXPECT_EQ(sound.message_beeps, 0);

    // The whistle's tones each become at least one default beep.
    Play_Wolf_Whistle(1);
    EXPECT_EQ(sound.message_beeps, 99);
    EXPECT_TRUE(sound.tones.empty());
}

TEST_F(Alarm_Sounds, Whistle_Pass_Rises_From_37_And_From_100_Then_Falls_From_700)
{
    Play_Wolf_Whistle(1);
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
    EXPECT_GE(sound.silences, 1);
}

TEST_F(Alarm_Sounds, Sliding_Scale_Pass_Rises_From_37_To_1997)
{
    Play_Sliding_Scale(1);
    EXPECT_EQ(sound.Frequencies(), Rising(37, 99));
    EXPECT_EQ(sound.tones.back().frequency_hz, 1997);
}

TEST_F(Alarm_Sounds, A_Pass_Runs_To_Its_End_And_Another_Starts_Only_Before_The_End_Time)
{
    // A pass lasts 99 ms here.
    Play_Wolf_Whistle(98);
    EXPECT_EQ(sound.tones.size(), 99u);
    sound.tones.clear();
    Play_Wolf_Whistle(100);
    EXPECT_EQ(sound.tones.size(), 198u);
    sound.tones.clear();
    Play_Sliding_Scale(1000);
    EXPECT_EQ(sound.tones.size(), 11u * 99u);
    sound.tones.clear();
    Play_Sliding_Scale(0);
    EXPECT_TRUE(sound.tones.empty());

    // However slow the clock: a positive length always gets one pass.
    sound.tones.clear();
    clock.now = 46000.5;
    Fake_Sound slow(&clock);
    platform::Scoped_Service<platform::Sound_Service> guard(slow);
    slow.after_sound = [this] { clock.Advance_Seconds(1); };
    Play_Sliding_Scale(1);
    EXPECT_EQ(slow.tones.size(), 99u);
}

TEST_F(Alarm_Sounds, Events_Are_Processed_After_Every_Tone)
{
    int handled = 0;
    std::vector<int> handled_at_tone;
    sound.after_sound = [&] {
        handled_at_tone.push_back(handled);
        QMetaObject::invokeMethod(qApp, [&handled] { ++handled; }, Qt::QueuedConnection);
    };
    Play_Wolf_Whistle(1);
    ASSERT_EQ(handled_at_tone.size(), 99u);
    EXPECT_EQ(handled_at_tone[1], 1);
    EXPECT_EQ(handled_at_tone[98], 98);
    EXPECT_EQ(handled, 99);
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
