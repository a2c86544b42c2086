// What the program tells the toolkit about the X window is for the toolkit
// alone: the programs it starts later do not inherit it, and a user's own
// setting stands.
#include "platform/window_system.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(Window_System, Shared_Memory_Is_Declined_For_The_Toolkit_Alone_And_A_Users_Choice_Stands)
{
    const char* const name = "QT_XCB_NO_MITSHM";
    unsetenv(name);
    platform::Choose_Window_System("offscreen", "");
    ASSERT_NE(std::getenv(name), nullptr);
    EXPECT_STREQ(std::getenv(name), "1");
    platform::Toolkit_Started();
    EXPECT_EQ(std::getenv(name), nullptr);

    setenv(name, "0", 1);
    platform::Choose_Window_System("offscreen", "");
    platform::Toolkit_Started();
    EXPECT_STREQ(std::getenv(name), "0");
    unsetenv(name);
}
