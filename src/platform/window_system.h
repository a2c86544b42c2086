#pragma once
// The window system the program opens its windows on, chosen before the
// application object exists.
//
// Contract: Choose_Window_System is called once, first thing in main, with
// the window system and display the command line named (empty when it named
// none). It gives either the toolkit platform to start on (empty: the
// toolkit's own choice) or, when the program cannot run here, one line that
// says why, for the caller to print before ending with status 1.
// A platform the user chose (the command line's, or QT_QPA_PLATFORM) is
// always kept, unchecked.
// Linux: the cursor odometer and the mouse buttons are read from X, so the
// program runs on X, through XWayland in a Wayland session; without an X
// display it cannot run, and says so instead of letting the toolkit abort.
// Win32: the toolkit's own platform; nothing to check.
// Linux also tells the toolkit (QT_XCB_NO_MITSHM, unless the user set it)
// to send the window's pixels over the X connection, not through shared
// memory: for a window this small, shared memory costs a round trip and an
// event per repaint, which at rest are most of the program's wake-ups.
//
// Contract: Toolkit_Started is called once the application object exists:
// what Choose_Window_System set for the toolkit alone is taken back, so
// that programs this one starts do not inherit it. Win32: nothing.
//
// Contract: Input_Waiting tells whether the user's input, a paint the
// window system asks for, or a timer waits for the event loop; the
// program's own posted requests do not count. One call, where a pass of the
// event loop that finds nothing costs several round trips to the window
// system under Wine. Win32: GetQueueStatus(QS_INPUT | QS_PAINT | QS_TIMER |
// QS_HOTKEY | QS_SENDMESSAGE) names some. Linux: always true, as a pass
// there is one poll of the connection.

#include <string>

namespace platform {

struct Window_System_Choice {
    std::string platform; // for the application object; empty: its own choice
    std::string problem;  // non-empty: the program cannot run here
};

Window_System_Choice Choose_Window_System(const std::string& platform_argument, const std::string& display_argument);

void Toolkit_Started();

bool Input_Waiting();

} // namespace platform
