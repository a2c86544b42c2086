#include "alarm/drop_detector.h"

long double Drop_Alarm_Window(int seconds)
{
    return static_cast<long double>(seconds) / 24 / 60 / 60;
}

bool Drop_Alarm_Check(Drop_Alarm_State& state, int reading, int threshold, int seconds, double now)
{
    const bool low = reading < threshold;
    const bool was_low = state.previous_usage < threshold;
    if (low && !was_low) {
        state.start_time = now;
        state.timing = true;
    } else if (!was_low) {
        state.timing = false;
    }
    const long double elapsed = static_cast<long double>(now) - static_cast<long double>(state.start_time);
    return elapsed > Drop_Alarm_Window(seconds) && state.timing;
}
