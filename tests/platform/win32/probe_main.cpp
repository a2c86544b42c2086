// A small program the Win32 tests start, to see from the other side what
// starting a program hands over. It reads its command line with the shell's
// own parser and writes what it was asked for, as UTF-8, to a file:
//   probe arguments <file> <argument>...   the arguments after the file, one a line
//   probe executable <file>                 its own path as the process service gives it
//   probe show-state <file>                 the show state it was started with
//   probe hold <file> <flag file>           opens <file> shared with no one, makes the
//                                           flag file, and holds on until it is gone
// Answers are renamed into place whole, so whoever waits for one never
// reads half of it.
#include "platform/process.h"
#include "platform/win32/wide.h"

#include <shellapi.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

void Write(const std::wstring& file, const std::string& text)
{
    const std::wstring part = file + L".part";
    std::ofstream(std::filesystem::path(part), std::ios::binary) << text;
    MoveFileExW(part.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
}

} // namespace

int main()
{
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv || count < 3)
        return 2;
    const std::vector<std::wstring> arguments(argv, argv + count);
    LocalFree(argv);
    auto& process = platform::Use<platform::Process_Service>();
    const std::wstring& mode = arguments[1];
    const std::wstring& file = arguments[2];

    if (mode == L"arguments") {
        std::string lines;
        for (std::size_t i = 3; i < arguments.size(); ++i)
            lines += platform::win32::Utf8(arguments[i]) + "\n";
        Write(file, lines);
    } else if (mode == L"executable") {
        Write(file, process.Executable_Path());
    } else if (mode == L"show-state") {
        Write(file, std::to_string(process.Startup_Show_State()));
    } else if (mode == L"hold" && count == 4) {
        const HANDLE held = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (held == INVALID_HANDLE_VALUE)
            return 3;
        Write(arguments[3], "held");
        while (GetFileAttributesW(arguments[3].c_str()) != INVALID_FILE_ATTRIBUTES)
            Sleep(20);
        CloseHandle(held);
    } else {
        return 2;
    }
    return 0;
}
