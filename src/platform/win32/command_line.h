#pragma once
// Starting another program. Windows hands a program one command line, which
// the program splits into arguments itself; the C runtime and the shell
// (CommandLineToArgvW) split by the same rules, and Notepad takes a quoted
// file name whole. Each argument is therefore quoted by those rules.

#include <string>
#include <string_view>
#include <vector>

namespace platform::win32 {

// One argument as the command line must hold it to be read back unchanged:
// as it is when it has no blank, tab or quote (and is not empty), otherwise
// in quotes, a quote inside taking a backslash, and backslashes doubled where
// they come before a quote.
std::wstring Quote_Argument(std::wstring_view argument);

// Starts the program at `program` (a full path: nothing is searched for) on
// the command line `command_name` followed by the quoted arguments, shown as
// `show_state` asks. Returns at once; false when it could not be started.
bool Start_Program(const std::wstring& program, std::wstring_view command_name,
                   const std::vector<std::wstring>& arguments, int show_state);

} // namespace platform::win32
