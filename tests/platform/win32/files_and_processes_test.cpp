// Files, the programs the monitor starts, and the running program itself,
// on real files and real processes.
#include "platform/files.h"
#include "platform/whole_file.h"
#include "win32_support.h"

#include <gtest/gtest.h>
#include <shellapi.h>

namespace {

platform::File_Service& Files()
{
    return platform::Use<platform::File_Service>();
}

DWORD Attributes_Of(const std::string& path)
{
    return GetFileAttributesW(platform::win32::Wide(path).c_str());
}

} // namespace

TEST(Win32_Files, Exist_Clear_Open_Exclusively_And_Delete_Beyond_Ascii)
{
    Temp_Folder folder;
    const std::string file = folder.Path("\xC3\xA9t\xC3\xA9 \xE2\x98\x83.ini");
    EXPECT_FALSE(Files().File_Exists(file));
    EXPECT_EQ(Files().Exclusive_Open_Error(file), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(Files().Exclusive_Open_Error(folder.Path("missing\\x.ini")), static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
    Write_Bytes(file, "[vistrel]\r\n");
    EXPECT_TRUE(Files().File_Exists(file));
    EXPECT_FALSE(Files().Folder_Exists(file));
    EXPECT_TRUE(Files().Folder_Exists(folder.Path()));
    EXPECT_FALSE(Files().File_Exists(folder.Path()));

    ASSERT_TRUE(SetFileAttributesW(platform::win32::Wide(file).c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(Files().Clear_File_Attributes(file));
    EXPECT_EQ(Attributes_Of(file) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);

    EXPECT_EQ(Files().Exclusive_Open_Error(file), 0u);
    // Another process holding the file open makes a sharing violation.
    const auto flag = Path_From_Utf8(folder.Path("held"));
    ASSERT_TRUE(platform::win32::Start_Program(Probe_Program().wstring(), L"probe",
                                               {L"hold", platform::win32::Wide(file), flag.wstring()}, SW_HIDE));
    ASSERT_EQ(Wait_For_File(flag), "held");
    EXPECT_EQ(Files().Exclusive_Open_Error(file), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    std::filesystem::remove(flag);
    bool released = false;
    for (int wait = 0; wait < 3000 && !released; ++wait) {
        released = Files().Exclusive_Open_Error(file) == 0;
        Sleep(20);
    }
    EXPECT_TRUE(released);

    EXPECT_TRUE(Files().Delete_File(file));
    EXPECT_FALSE(std::filesystem::exists(Path_From_Utf8(file)));
}

TEST(Win32_Process, A_Started_Program_Reads_Every_Argument_Back_Whole)
{
    // Arguments the quoting must carry: blanks, quotes, backslashes before a
    // quote and at the end, nothing at all, and text beyond ASCII.
    const std::vector<std::wstring> arguments = {
        L"C:\\Program Files\\V\u00EFstrel\\vistrel.txt", L"plain", L"say \"hi\"", L"ends in \\", L"a\\\\\"b",
        L"", L"tab\there", L"\\\\server\\share\\", L"\u2603"};
    for (const std::wstring& argument : arguments) {
        const std::wstring line = L"x " + platform::win32::Quote_Argument(argument);
        int count = 0;
        LPWSTR* parsed = CommandLineToArgvW(line.c_str(), &count);
        ASSERT_EQ(count, 2) << platform::win32::Utf8(line);
        EXPECT_EQ(std::wstring(parsed[1]), argument);
        LocalFree(parsed);
    }

    // The probe, copied into a folder beyond ASCII with a blank in its name,
    // hears the same from its own command line, and finds itself there.
    Temp_Folder folder;
    const auto copy_folder = Path_From_Utf8(folder.Path("V\xC3\xAFstrel \xE2\x98\x83"));
    std::filesystem::create_directory(copy_folder);
    const auto copy = copy_folder / L"probe copy.exe";
    std::filesystem::copy_file(Probe_Program(), copy);
    std::string expected;
    for (const std::wstring& argument : arguments)
        expected += platform::win32::Utf8(argument) + "\n";
    EXPECT_EQ(Ask_Probe(copy, L"arguments", copy_folder / L"arguments.txt", arguments), expected);
    EXPECT_EQ(Ask_Probe(copy, L"executable", copy_folder / L"executable.txt"), Utf8_Of(copy));

    // The show state the starter asks for is the one the program sees.
    EXPECT_EQ(Ask_Probe(copy, L"show-state", copy_folder / L"minimized.txt", {}, SW_SHOWMINNOACTIVE),
              std::to_string(SW_SHOWMINNOACTIVE));

    wchar_t own[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    ASSERT_TRUE(QueryFullProcessImageNameW(GetCurrentProcess(), 0, own, &length));
    auto& process = platform::Use<platform::Process_Service>();
    EXPECT_EQ(process.Executable_Path(), platform::win32::Utf8(own));
    EXPECT_TRUE(process.Text_Editor_Present());
    EXPECT_FALSE(process.Start_Text_Editor(""));
}
