// The drop alarm's rule, tick by tick, apart from any window.
#include "alarm/drop_detector.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr double Start = 46000.5;

struct Tick {
    double seconds; // since the first tick
    int reading;
};

// Runs an armed detector over the ticks as the window does, and tells for
// each tick "F" when it fires, "T" when a run is timed, "-" otherwise.
std::string Detector_Run(const std::vector<Tick>& ticks, int threshold, int seconds, Drop_Alarm_State state = {true, 100, 0})
{
    std::string out;
    for (const Tick& tick : ticks) {
        const bool fires =
            Drop_Alarm_Check(state, tick.reading, threshold, seconds, Start + tick.seconds / 24 / 60 / 60);
        out += fires ? 'F' : state.timing ? 'T' : '-';
        state.previous_usage = tick.reading;
    }
    return out;
}

} // namespace

TEST(Drop_Detector, Below_Means_Strictly_Below_The_Threshold)
{
    // Threshold 100: anything under 100 is low, 100 is not.
    EXPECT_EQ(Detector_Run({{0, 100}, {0.4, 99}, {0.8, 99}, {1.2, 99}, {1.6, 99}}, 100, 1), "-TTTF");
    // Threshold 1: only 0 is low.
    EXPECT_EQ(Detector_Run({{0, 1}, {0.4, 1}, {0.8, 0}, {1.2, 0}, {1.6, 0}, {2.0, 0}}, 1, 1), "--TTTF");
    // Equal to the threshold is not low.
    EXPECT_EQ(Detector_Run({{0, 50}, {0.4, 50}, {5, 50}}, 50, 1), "---");
}

TEST(Drop_Detector, Armed_While_Already_Low_Fires_After_More_Than_N_Seconds)
{
    // Arming sets the previous reading to 100, so the first tick starts the run.
    EXPECT_EQ(Detector_Run({{0, 3}, {0.4, 3}, {0.8, 3}, {1.2, 3}}, 50, 1), "TTTF");
    EXPECT_EQ(Detector_Run({{0, 3}, {2.5, 3}, {2.999, 3}, {3.001, 3}}, 50, 3), "TTTF");
    // The window is N seconds as days, exactly.
    EXPECT_EQ(Drop_Alarm_Window(86400), 1.0L);
    EXPECT_EQ(Drop_Alarm_Window(1) * 86400, 1.0L);
}

TEST(Drop_Detector, One_High_Reading_Keeps_The_Run_Two_End_It)
{
    // The first high reading leaves the run timed, and the alarm may fire on it.
    EXPECT_EQ(Detector_Run({{0, 10}, {0.4, 10}, {0.8, 10}, {1.2, 90}}, 50, 1), "TTTF");
    // Two in a row end it: however long ago it began, nothing fires.
    EXPECT_EQ(Detector_Run({{0, 10}, {0.4, 90}, {0.8, 90}, {1.2, 90}, {5, 90}}, 50, 1), "TT---");
    // One high reading followed by a low one starts the timing afresh.
    EXPECT_EQ(Detector_Run({{0, 10}, {0.4, 90}, {0.8, 10}, {1.2, 10}, {1.6, 10}, {2.0, 10}}, 50, 1), "TTTTTF");
}

TEST(Drop_Detector, A_High_CPU_That_Never_Drops_Never_Fires)
{
    EXPECT_EQ(Detector_Run({{0, 80}, {0.5, 95}, {60, 51}, {600, 100}}, 50, 1), "----");
}

TEST(Drop_Detector, Start_Up_Values_Let_No_Earlier_Run_Count)
{
    // The previous reading 0 and a start far ahead, as at start-up or after
    // the factory defaults, with a run that was being timed: low readings go
    // on without firing until a high one is followed by a low one.
    const Drop_Alarm_State reset{true, 0, Start + 999999};
    EXPECT_EQ(Detector_Run({{0, 10}, {5, 10}, {50, 10}, {50.4, 90}, {50.8, 10}, {51.2, 10}, {52, 10}}, 50, 1, reset),
              "TTTTTTF");
}
