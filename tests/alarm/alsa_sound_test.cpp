// The Linux sound service on ALSA, recorded through ALSA's file plugin.
#include "alarm/alarm_sounds.h"
#include "alarm/alsa_recorder.h"
#include "alarm/sound_player.h"
#include "platform/sound.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

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
    Play_Wolf_Whistle(Current_Sound_Output(), 1); // one pass: 99 tones of 1 ms
    Alsa().Silence();
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

// Through the sound thread: a second sound asked for while the first plays
// follows it, whole and unmixed, in the same stream.
TEST(Alsa_Sound, A_Sound_Asked_For_While_Another_Plays_Follows_It_Whole)
{
    Alsa_Recorder recorder;
    {
        Sound_Player player;
        // The first tone starts once the second is being asked for, so that
        // it is queued well before the first ends, however slow the machine.
        std::atomic<bool> asking{false};
        bool second_returned = false;
        QTimer::singleShot(0, [&] {
            asking = true;
            player.Play([](const Sound_Output& output) { Speaker_Tone(output, 300, 2000); });
            second_returned = true;
        });
        player.Play([&asking](const Sound_Output& output) {
            while (!asking)
                std::this_thread::yield();
            Speaker_Tone(output, 1000, 1000);
        });
        EXPECT_TRUE(second_returned);
    }
    const Recording recording = recorder.Read();
    SKIP_WITHOUT_RECORDING(recording);

    ASSERT_EQ(recording.samples.size(), recording.rate * 1300 / 1000);
    EXPECT_EQ(recording.Silent_Samples(), 0u);
    EXPECT_NEAR(recording.Part(0, 1).Frequency(), 1000, 20);
    EXPECT_NEAR(recording.Part(1, 1.3).Frequency(), 2000, 20);
}

// The program ends during a long tone: the wait for it ends with the quit,
// and the player's end cuts the tone short instead of playing it out.
TEST(Alsa_Sound, A_Player_Ended_Mid_Tone_Cuts_It_Short_And_Leaves_The_Device_Usable)
{
    Alsa_Recorder recorder;
    auto player = std::make_unique<Sound_Player>();
    bool returned = false;
    QTimer::singleShot(0, [&] {
        player->Play([](const Sound_Output& output) { Speaker_Tone(output, 60000, 440); });
        returned = true;
    });
    QTimer::singleShot(300, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    EXPECT_TRUE(returned);
    QElapsedTimer ending;
    ending.start();
    player.reset();
    // Generous: the tone had most of a minute left.
    EXPECT_LT(ending.elapsed(), 30000) << "the player waited for the tone";

    Alsa_Recorder working;
    Alsa().Beep(2000, 50);
    Alsa().Silence();
    const Recording recording = working.Read();
    SKIP_WITHOUT_RECORDING(recording);
    EXPECT_NEAR(recording.Frequency(), 2000, 60);
}
