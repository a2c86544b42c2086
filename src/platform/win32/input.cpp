#include "platform/input.h"

namespace platform {
namespace {

class Win32_Input_Service final : public Input_Service {
public:
    // Where the cursor cannot be read (a locked or secure desktop) it stays
    // where it was last seen.
    Pointer_State Query_Pointer() override
    {
        POINT position{};
        if (GetCursorPos(&position)) {
            last_.x = position.x;
            last_.y = position.y;
        }
        Pointer_State state = last_;
        state.left_down = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
        state.right_down = (GetAsyncKeyState(VK_RBUTTON) & 0x8000) != 0;
        return state;
    }

    std::int32_t Get_System_Metrics(int index) override
    {
        if (index != SM_CXSCREEN && index != SM_CYSCREEN)
            return 0;
        return GetSystemMetrics(index);
    }

private:
    Pointer_State last_;
};

} // namespace

template <>
Input_Service& Default_Service<Input_Service>()
{
    static Win32_Input_Service service;
    return service;
}

} // namespace platform
