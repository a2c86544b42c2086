#pragma once
// The drop alarm's rule for one refresh tick, apart from any window.
//
// A low run is a stretch of ticks whose reading is below the threshold
// (strictly). It is timed from its first tick; one reading at or above the
// threshold does not end it, a second in a row does. The alarm fires at the
// first tick at which the run is timed and more than the set seconds have
// passed since it began.

#include <cstdint>

struct Drop_Alarm_State {
    bool timing = false;              // a low run is being timed (the indicator's check)
    std::int32_t previous_usage = 0;  // the reading of the tick before
    double start_time = 0;            // when the run began, local date-time in days
};

// One armed tick with this tick's reading, the threshold and seconds from the
// dialog, and the local time now. Updates the run's timing and start; gives
// true when the alarm fires. The previous reading is the caller's to store.
bool Drop_Alarm_Check(Drop_Alarm_State& state, int reading, int threshold, int seconds, double now);

// N seconds as a fraction of a day, in extended precision.
long double Drop_Alarm_Window(int seconds);
