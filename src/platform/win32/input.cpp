#include "platform/input.h"

#include "platform/win32/hidden_window.h"
#include "platform/win32/raw_input.h"

namespace platform {
namespace win32 {
namespace {

bool Read_System_Raw_Input(HRAWINPUT handle, RAWINPUT& input)
{
    UINT size = sizeof input;
    const UINT read = GetRawInputData(handle, RID_INPUT, &input, &size, sizeof(RAWINPUTHEADER));
    return read != UINT(-1) && read >= sizeof(RAWINPUTHEADER);
}

Raw_Input_Reader raw_input_reader = Read_System_Raw_Input;

} // namespace

Raw_Mouse_Activity Mouse_Activity(const RAWMOUSE& mouse)
{
    Raw_Mouse_Activity activity;
    // An absolute device (a pen, a remote desktop) reports where it is, not a
    // step: any report of it may be a move. A relative one moved if it stepped.
    activity.moved = (mouse.usFlags & MOUSE_MOVE_ABSOLUTE) != 0 || mouse.lLastX != 0 || mouse.lLastY != 0;
    const USHORT buttons = mouse.usButtonFlags;
    activity.left_pressed = (buttons & RI_MOUSE_LEFT_BUTTON_DOWN) != 0;
    activity.left_released = (buttons & RI_MOUSE_LEFT_BUTTON_UP) != 0;
    activity.right_pressed = (buttons & RI_MOUSE_RIGHT_BUTTON_DOWN) != 0;
    activity.right_released = (buttons & RI_MOUSE_RIGHT_BUTTON_UP) != 0;
    return activity;
}

void Use_Raw_Input_Reader(Raw_Input_Reader reader)
{
    raw_input_reader = reader ? reader : Read_System_Raw_Input;
}

} // namespace win32

namespace {

class Win32_Input_Service final : public Input_Service {
public:
    // Where the cursor cannot be read (a locked or secure desktop) it stays
    // where it was last seen. A button that went down since the last query
    // counts as down, though let go since: a click between two samples of
    // an odometer that samples seldom (where raw input never comes) is still
    // a press.
    Pointer_State Query_Pointer() override
    {
        POINT position{};
        if (GetCursorPos(&position)) {
            last_.x = position.x;
            last_.y = position.y;
        }
        Pointer_State state = last_;
        state.left_down = (GetAsyncKeyState(VK_LBUTTON) & 0x8001) != 0;
        state.right_down = (GetAsyncKeyState(VK_RBUTTON) & 0x8001) != 0;
        return state;
    }

    std::int32_t Get_System_Metrics(int index) override
    {
        if (index != SM_CXSCREEN && index != SM_CYSCREEN)
            return 0;
        return GetSystemMetrics(index);
    }

    // The mice's raw input, sent to the hidden window whatever window is in
    // front (RIDEV_INPUTSINK). A program's SetCursorPos makes none.
    bool Report_Activity(Pointer_Activity_Listener* listener) override
    {
        const HWND window = win32::Hidden_Window();
        if (!window)
            return false;
        if (!listener) {
            if (listener_)
                Register(nullptr, RIDEV_REMOVE);
            listener_ = nullptr;
            win32::Handle_Message(WM_INPUT, nullptr);
            return false;
        }
        if (!listener_ && !Register(window, RIDEV_INPUTSINK))
            return false;
        listener_ = listener;
        motion_ = true;
        win32::Handle_Message(WM_INPUT, [this, window](WPARAM w_param, LPARAM l_param) {
            Take(reinterpret_cast<HRAWINPUT>(l_param));
            // The system frees the input of a message that came while we were in front.
            return GET_RAWINPUT_CODE_WPARAM(w_param) == RIM_INPUT ? DefWindowProcW(window, WM_INPUT, w_param, l_param)
                                                                  : 0;
        });
        return true;
    }

    // The device keeps reporting its moves; only the telling stops.
    void Report_Motion(bool on) override { motion_ = on; }

private:
    static bool Register(HWND window, DWORD flags)
    {
        RAWINPUTDEVICE mouse{};
        mouse.usUsagePage = 0x01; // generic desktop
        mouse.usUsage = 0x02;     // mouse
        mouse.dwFlags = flags;
        mouse.hwndTarget = window;
        return RegisterRawInputDevices(&mouse, 1, sizeof mouse) != FALSE;
    }

    void Take(HRAWINPUT handle)
    {
        RAWINPUT input{};
        if (!listener_ || !win32::raw_input_reader(handle, input) || input.header.dwType != RIM_TYPEMOUSE)
            return;
        const win32::Raw_Mouse_Activity activity = win32::Mouse_Activity(input.data.mouse);
        // The listener may stop the reports from inside; each call checks again.
        const struct {
            Mouse_Button button;
            bool happened;
            bool down;
        } changes[] = {{Mouse_Button::Left, activity.left_pressed, true},
                       {Mouse_Button::Left, activity.left_released, false},
                       {Mouse_Button::Right, activity.right_pressed, true},
                       {Mouse_Button::Right, activity.right_released, false}};
        for (const auto& change : changes) {
            if (change.happened && listener_)
                listener_->Button_Changed(change.button, change.down);
        }
        if (activity.moved && motion_ && listener_)
            listener_->Pointer_Moved();
    }

    Pointer_State last_;
    Pointer_Activity_Listener* listener_ = nullptr;
    bool motion_ = true;
};

} // namespace

template <>
Input_Service& Default_Service<Input_Service>()
{
    static Win32_Input_Service service;
    return service;
}

} // namespace platform
