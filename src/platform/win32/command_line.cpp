#include "platform/win32/command_line.h"

#include "platform/win32_names.h"

namespace platform::win32 {

std::wstring Quote_Argument(std::wstring_view argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring_view::npos)
        return std::wstring(argument);
    std::wstring quoted = L"\"";
    for (std::size_t at = 0;; ++at) {
        std::size_t backslashes = 0;
        while (at < argument.size() && argument[at] == L'\\') {
            ++backslashes;
            ++at;
        }
        if (at == argument.size()) {
            quoted.append(backslashes * 2, L'\\'); // before the closing quote
            break;
        }
        if (argument[at] == L'"')
            quoted.append(backslashes * 2 + 1, L'\\');
        else
            quoted.append(backslashes, L'\\');
        quoted += argument[at];
    }
    quoted += L'"';
    return quoted;
}

bool Start_Program(const std::wstring& program, std::wstring_view command_name,
                   const std::vector<std::wstring>& arguments, int show_state)
{
    std::wstring command_line = Quote_Argument(command_name);
    for (const std::wstring& argument : arguments) {
        command_line += L' ';
        command_line += Quote_Argument(argument);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show_state);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
        return false;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

} // namespace platform::win32
