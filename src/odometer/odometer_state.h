#pragma once
// The odometer's running state: what the sampling adds to, what the settings
// file stores and what loading replaces: the figures of the Odometer.

#include "odometer/distance_label.h"

#include <cstdint>

struct Odometer_State {
    // Distance travelled so far, in kilometres when the unit is metric, in
    // miles otherwise; never negative after a tick.
    double Odometer_Distance = 0;
    std::int64_t Left_Press_Count = 0;
    std::int64_t Right_Press_Count = 0;
    bool Left_Press_Latch = false;  // left button seen down and not seen up since
    bool Right_Press_Latch = false;
    std::int32_t Previous_Cursor_X = 0;
    std::int32_t Previous_Cursor_Y = 0;
    bool Has_Previous_Cursor = false; // the first tick only takes the starting position

    // How the tick last wrote the distance label (display only, never stored).
    Distance_Label_Writer Distance_Label;
};
