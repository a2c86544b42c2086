// Replacing a settings file on Windows: what another program's open handle
// and the file's attributes do to it.
#include "platform/error.h"
#include "platform/profile.h"
#include "platform/whole_file.h"
#include "win32_support.h"

#include <gtest/gtest.h>

TEST(Win32_Whole_File, A_File_Held_Open_Stays_As_It_Was_And_A_Hidden_One_Stays_Hidden)
{
    Temp_Folder folder;
    const std::string path = folder.Path("vistrel.ini");
    const std::wstring wide = platform::win32::Wide(path);
    Write_Bytes(path, "[vistrel]\r\nwindow_top_posn=1\r\n");

    // Held by a program that shares reading only: it may be neither
    // replaced nor rewritten.
    const HANDLE held = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    platform::Ini_File ini(path);
    ini.Write_Integer("vistrel", "window_top_posn", 2);
    std::string message;
    try {
        ini.Commit();
    } catch (const Program_Error& error) {
        message = error.what();
    }
    CloseHandle(held);
    EXPECT_EQ(message, "Unable to write to " + path);
    EXPECT_EQ(Read_Bytes(path), "[vistrel]\r\nwindow_top_posn=1\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Folder()), {}), 1) << "no temporary file left";

    // Once released, the same write goes through, and a hidden file stays hidden.
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ini.Commit();
    EXPECT_EQ(Read_Bytes(path), "[vistrel]\r\nwindow_top_posn=2\r\n");
    EXPECT_TRUE(GetFileAttributesW(wide.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Folder()), {}), 1);
}
