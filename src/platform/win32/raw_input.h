#pragma once
// What a pointing device's raw input means to the odometer, and where the
// raw input of a WM_INPUT message is read from.

#include "platform/win32_names.h"

namespace platform::win32 {

struct Raw_Mouse_Activity {
    bool moved = false;
    // A report may carry both a press and a release of one button: a click
    // quicker than the device reports, told as the press, then the release.
    bool left_pressed = false;
    bool left_released = false;
    bool right_pressed = false;
    bool right_released = false;
};

Raw_Mouse_Activity Mouse_Activity(const RAWMOUSE& mouse);

// Reads the input a WM_INPUT message carries: GetRawInputData, unless a
// test stands in for the devices (null gives the system's back).
using Raw_Input_Reader = bool (*)(HRAWINPUT handle, RAWINPUT& input);
void Use_Raw_Input_Reader(Raw_Input_Reader reader);

} // namespace platform::win32
