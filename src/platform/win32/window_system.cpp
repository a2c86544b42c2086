#include "platform/window_system.h"

namespace platform {

// Windows has one window system, which the toolkit finds by itself.
Window_System_Choice Choose_Window_System(const std::string&, const std::string&)
{
    return {};
}

} // namespace platform
