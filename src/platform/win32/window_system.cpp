#include "platform/window_system.h"

#include "platform/win32_names.h"

namespace platform {

// Windows has one window system, which the toolkit finds by itself.
Window_System_Choice Choose_Window_System(const std::string&, const std::string&)
{
    return {};
}

void Toolkit_Started() {}

bool Input_Waiting()
{
    return HIWORD(GetQueueStatus(QS_INPUT | QS_PAINT | QS_TIMER | QS_HOTKEY | QS_SENDMESSAGE)) != 0;
}

} // namespace platform
