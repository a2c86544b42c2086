#include "platform/window_system.h"

#include <cstdlib>
#include <xcb/xcb.h>

namespace platform {
namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// One connection made and dropped: the toolkit's own attempt aborts the
// process when the server is not there.
bool Display_Answers(const std::string& display)
{
    xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answers;
}

const char* const No_Shared_Memory = "QT_XCB_NO_MITSHM";
bool shared_memory_declined = false;

} // namespace

Window_System_Choice Choose_Window_System(const std::string& platform_argument, const std::string& display_argument)
{
    if (!std::getenv(No_Shared_Memory))
        shared_memory_declined = setenv(No_Shared_Memory, "1", 0) == 0;
    if (!platform_argument.empty() || !Environment("QT_QPA_PLATFORM").empty())
        return {};
    const std::string display = display_argument.empty() ? Environment("DISPLAY") : display_argument;
    if (display.empty()) {
        if (!Environment("WAYLAND_DISPLAY").empty())
            return {{}, "vistrel: this Wayland session has no X display (XWayland), which Vistrel needs to follow "
                        "the mouse cursor."};
        return {{}, "vistrel: no X display to open (DISPLAY is not set)."};
    }
    if (!Display_Answers(display))
        return {{}, "vistrel: cannot open the X display \"" + display + "\"."};
    // X also in a Wayland session, where the toolkit would otherwise choose
    // Wayland and see no cursor outside its own windows.
    return {"xcb", {}};
}

void Toolkit_Started()
{
    if (shared_memory_declined)
        unsetenv(No_Shared_Memory);
    shared_memory_declined = false;
}

bool Input_Waiting()
{
    return true;
}

} // namespace platform
