// The cursor, the buttons, the screen, the speaker and the end of the
// session, through the real window system (Wine's null driver will do).
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/termination.h"
#include "platform/window_system.h"
#include "platform/win32/hidden_window.h"
#include "platform/win32/raw_input.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace {

void Press(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ASSERT_EQ(SendInput(1, &input, sizeof input), 1u);
}

void Pump_Messages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Raw input as a device would send it; the message's handle is its place in
// the list, plus one.
std::vector<RAWINPUT>& Device_Reports()
{
    static std::vector<RAWINPUT> reports;
    return reports;
}

bool Read_Device_Report(HRAWINPUT handle, RAWINPUT& input)
{
    const auto index = reinterpret_cast<std::uintptr_t>(handle) - 1;
    if (index >= Device_Reports().size())
        return false;
    input = Device_Reports()[index];
    return true;
}

struct Heard_Activity final : platform::Pointer_Activity_Listener {
    std::string heard;
    void Pointer_Moved() override { heard += 'M'; }
    void Button_Changed(platform::Mouse_Button button, bool down) override
    {
        heard += button == platform::Mouse_Button::Left ? 'L' : 'R';
        heard += down ? '+' : '-';
    }
};

} // namespace

TEST(Win32_Input, The_Cursor_Buttons_And_Screen_As_The_System_Has_Them)
{
    auto& input = platform::Use<platform::Input_Service>();
    ASSERT_TRUE(SetCursorPos(123, 45));
    platform::Pointer_State state = input.Query_Pointer();
    EXPECT_EQ(state.x, 123);
    EXPECT_EQ(state.y, 45);
    EXPECT_FALSE(state.left_down);
    EXPECT_FALSE(state.right_down);

    Press(MOUSEEVENTF_LEFTDOWN);
    state = input.Query_Pointer();
    EXPECT_TRUE(state.left_down);
    EXPECT_FALSE(state.right_down);
    Press(MOUSEEVENTF_RIGHTDOWN);
    Press(MOUSEEVENTF_LEFTUP);
    state = input.Query_Pointer();
    EXPECT_FALSE(state.left_down);
    EXPECT_TRUE(state.right_down);
    Press(MOUSEEVENTF_RIGHTUP);
    EXPECT_FALSE(input.Query_Pointer().right_down);
    // A click between two queries is seen once, as a press.
    Press(MOUSEEVENTF_LEFTDOWN);
    Press(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(input.Query_Pointer().left_down);
    EXPECT_FALSE(input.Query_Pointer().left_down);

    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(input.Get_System_Metrics(SM_CXSCREEN), GetDeviceCaps(screen, HORZRES));
    EXPECT_EQ(input.Get_System_Metrics(SM_CYSCREEN), GetDeviceCaps(screen, VERTRES));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(input.Get_System_Metrics(SM_CMOUSEBUTTONS), 0);
}

TEST(Win32_Input, Mouse_Raw_Input_Reaches_The_Listener_Whatever_Window_Is_In_Front)
{
    auto& input = platform::Use<platform::Input_Service>();
    platform::win32::Use_Raw_Input_Reader(Read_Device_Report);
    Heard_Activity listener;
    ASSERT_TRUE(input.Report_Activity(&listener));
    const HWND hidden = FindWindowW(L"Vistrel hidden window", nullptr);
    ASSERT_NE(hidden, nullptr);
    RAWINPUTDEVICE registered{};
    UINT count = 1;
    ASSERT_EQ(GetRegisteredRawInputDevices(&registered, &count, sizeof registered), 1u);
    EXPECT_EQ(registered.usUsage, 2) << "the mouse";
    EXPECT_EQ(registered.dwFlags, DWORD{RIDEV_INPUTSINK});
    EXPECT_EQ(registered.hwndTarget, hidden);

    struct Report {
        DWORD type;
        USHORT flags;
        LONG dx, dy;
        USHORT buttons;
        bool motion_reported;
        const char* heard;
    };
    const Report reports[] = {
        {RIM_TYPEMOUSE, MOUSE_MOVE_RELATIVE, 3, 0, 0, true, "M"},
        {RIM_TYPEMOUSE, MOUSE_MOVE_RELATIVE, 0, -1, 0, true, "M"},
        {RIM_TYPEMOUSE, MOUSE_MOVE_ABSOLUTE, 0, 0, 0, true, "M"},
        {RIM_TYPEMOUSE, MOUSE_MOVE_RELATIVE, 0, 0, RI_MOUSE_WHEEL, true, ""},
        {RIM_TYPEMOUSE, MOUSE_MOVE_RELATIVE, 0, 0, RI_MOUSE_LEFT_BUTTON_DOWN | RI_MOUSE_LEFT_BUTTON_UP, true,
         "L+L-"},
        {RIM_TYPEMOUSE, MOUSE_MOVE_RELATIVE, 5, 5, RI_MOUSE_RIGHT_BUTTON_DOWN, true, "R+M"},
        {RIM_TYPEMOUSE, MOUSE_MOVE_RELATIVE, 5, 5, RI_MOUSE_RIGHT_BUTTON_UP, false, "R-"},
        {RIM_TYPEMOUSE, MOUSE_MOVE_RELATIVE, 0, 0, RI_MOUSE_MIDDLE_BUTTON_DOWN, true, ""},
        {RIM_TYPEKEYBOARD, 0, 0, 0, 0, true, ""},
    };
    for (const Report& report : reports) {
        RAWINPUT raw{};
        raw.header.dwType = report.type;
        raw.data.mouse.usFlags = report.flags;
        raw.data.mouse.lLastX = report.dx;
        raw.data.mouse.lLastY = report.dy;
        raw.data.mouse.usButtonFlags = report.buttons;
        Device_Reports() = {raw};
        input.Report_Motion(report.motion_reported);
        listener.heard.clear();
        SendMessageW(hidden, WM_INPUT, RIM_INPUTSINK, 1);
        EXPECT_EQ(listener.heard, report.heard) << &report - reports;
    }

    EXPECT_FALSE(input.Report_Activity(nullptr));
    count = 1;
    EXPECT_EQ(GetRegisteredRawInputDevices(&registered, &count, sizeof registered), 0u) << "still registered";
    listener.heard.clear();
    SendMessageW(hidden, WM_INPUT, RIM_INPUTSINK, 1);
    EXPECT_EQ(listener.heard, "") << "heard after the reports stopped";
    platform::win32::Use_Raw_Input_Reader(nullptr);
}

TEST(Win32_Input, Only_Input_Paints_And_Timers_Count_As_Waiting_Not_The_Programs_Own_Posts)
{
    Pump_Messages();
    EXPECT_FALSE(platform::Input_Waiting());
    const HWND hidden = platform::win32::Hidden_Window();
    ASSERT_TRUE(PostMessageW(hidden, WM_APP + 7, 0, 0));
    EXPECT_FALSE(platform::Input_Waiting()) << "a posted message of the program's own";
    const UINT_PTR timer = SetTimer(hidden, 1, 1, nullptr);
    Sleep(50);
    EXPECT_TRUE(platform::Input_Waiting()) << "a timer due";
    KillTimer(hidden, timer);
    Pump_Messages();
}

TEST(Win32_Sound, A_Tone_Lasts_Its_Length_Even_Where_The_Speaker_Cannot_Play_It)
{
    auto& sound = platform::Use<platform::Sound_Service>();
    using Clock = std::chrono::steady_clock;
    for (const int frequency : {440, 20, 0}) { // 20 Hz is below what Beep takes
        const auto start = Clock::now();
        sound.Beep(frequency, 150);
        EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(150)) << frequency << " Hz";
    }
    const auto start = Clock::now();
    sound.Beep(440, 0);
    sound.Beep(440, -5);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(150)) << "no tone, no wait";
    sound.Message_Beep(0);
    sound.Silence();

    // Once cut short (the program's end), later tones pass at once until the
    // sound is silenced; a Beep already sounding is left to the system.
    EXPECT_FALSE(sound.Cut_Short());
    const auto cut = Clock::now();
    sound.Beep(440, 20000);
    EXPECT_LT(Clock::now() - cut, std::chrono::seconds(10)) << "a cut tone still played";
    sound.Silence();
    const auto again = Clock::now();
    sound.Beep(0, 150);
    EXPECT_GE(Clock::now() - again, std::chrono::milliseconds(150)) << "silenced, tones play again";
}

TEST(Win32_Termination, The_End_Of_The_Session_Asks_The_Program_To_Close_Before_It_Ends)
{
    static int requests = 0; // the watch outlives the test
    platform::Watch_Termination([] { ++requests; });
    platform::Watch_Termination([] { ADD_FAILURE() << "a second watch replaced the first"; });
    const HWND watch = FindWindowW(L"Vistrel hidden window", nullptr);
    ASSERT_NE(watch, nullptr);
    EXPECT_FALSE(IsWindowVisible(watch));

    EXPECT_EQ(SendMessageW(watch, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    SendMessageW(watch, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF); // the end was called off
    EXPECT_EQ(requests, 0);
    SendMessageW(watch, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(requests, 1) << "asked before the message returns, while the session waits";
    Pump_Messages();
    EXPECT_EQ(requests, 1);
}
