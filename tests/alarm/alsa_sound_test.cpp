// The Linux sound service on ALSA, recorded through ALSA's file plugin.
#include "alarm/alarm_sounds.h"
#include "alarm/alsa_recorder.h"
#include "platform/sound.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

platform::Sound_Service& Alsa()
{
    return platform::Default_Service<platform::Sound_Service>();
}

#define SKIP_WITHOUT_RECORDING(recording)                                                              \
    do {                                                                                               \
        if ((recording).Empty())                                                                       \
            GTEST_SKIP() << "ALSA's file plugin gave no recording here";                              \
    } while (0)

} // namespace

TEST(Alsa_Sound, A_Tone_Plays_At_Its_Frequency_For_Its_Length)
{
    Alsa_Recorder recorder;
    QElapsedTimer clock;
    clock.start();
    Alsa().Beep(1000, 400);
    const qint64 tone_returned = clock.elapsed();
    Alsa().Silence();
    const Recording recording = recorder.Read();
    SKIP_WITHOUT_RECORDING(recording);

    EXPECT_EQ(recording.samples.size(), recording.rate * 400 / 1000);
    EXPECT_NEAR(recording.Frequency(), 1000, 10);
    EXPECT_EQ(recording.Silent_Samples(), 0u);
    // Paced as it would play, not written out in an instant.
    EXPECT_GE(tone_returned, 300);
    EXPECT_GE(clock.elapsed(), 390);
}

TEST(Alsa_Sound, A_Sweep_Of_Short_Tones_Is_One_Continuous_Sound)
{
    Alsa_Recorder recorder;
    Play_Wolf_Whistle(1); // one pass: 99 tones of 1 ms
    const Recording recording = recorder.Read();
    SKIP_WITHOUT_RECORDING(recording);

    // No gap anywhere, and nothing lost or added between tones.
    EXPECT_EQ(recording.samples.size(), recording.rate * 99 / 1000);
    EXPECT_EQ(recording.Silent_Samples(), 0u);
    // The wave runs on from tone to tone: the pass's frequencies sum to
    // 40263 Hz x 1 ms, about 40 cycles. Restarting the wave with every tone
    // would leave every tone below 500 Hz without a single crossing.
    EXPECT_NEAR(recording.Zero_Crossings(), 80, 3);
}

TEST(Alsa_Sound, A_Default_Beep_Is_A_Short_Tone_Then_A_Pause)
{
    Alsa_Recorder recorder;
    Alsa().Message_Beep(0);
    Alsa().Message_Beep(0);
    Alsa().Silence();
    const Recording recording = recorder.Read();
    SKIP_WITHOUT_RECORDING(recording);

    EXPECT_NEAR(recording.Seconds(), 0.3, 0.01);
    EXPECT_GT(recording.Silent_Samples(), recording.rate / 20); // the pauses
    EXPECT_GT(recording.Zero_Crossings(), 0);
}

TEST(Alsa_Sound, No_Device_Means_Silence_For_The_Tones_Length)
{
    Alsa_Recorder recorder(Alsa_Recorder::Device::Missing_Card);
    QElapsedTimer clock;
    clock.start();
    Alsa().Beep(440, 250);
    EXPECT_GE(clock.elapsed(), 240);
    Alsa().Beep(440, 0);
    Alsa().Beep(440, -5);
    Alsa().Silence();
    // Sound works again once a device is there.
    Alsa_Recorder working;
    Alsa().Beep(2000, 50);
    Alsa().Silence();
    const Recording recording = working.Read();
    SKIP_WITHOUT_RECORDING(recording);
    EXPECT_NEAR(recording.Frequency(), 2000, 60);
}
