// The cursor, the buttons, the screen, the speaker and the end of the
// session, through the real window system (Wine's null driver will do).
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/termination.h"

#include <gtest/gtest.h>

#include <chrono>

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

    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(input.Get_System_Metrics(SM_CXSCREEN), GetDeviceCaps(screen, HORZRES));
    EXPECT_EQ(input.Get_System_Metrics(SM_CYSCREEN), GetDeviceCaps(screen, VERTRES));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(input.Get_System_Metrics(SM_CMOUSEBUTTONS), 0);
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
    const HWND watch = FindWindowW(L"Vistrel termination watch", nullptr);
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
