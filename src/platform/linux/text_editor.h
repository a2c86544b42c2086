#pragma once
// Which program opens a text file for the user: the desktop's handler for
// plain text when the desktop names one, otherwise a graphical text editor on
// the PATH, otherwise a terminal editor in xterm.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform::linux_detail {

struct Editor_Command {
    std::string program;                 // full path
    std::vector<std::string> arguments;  // before the document's path
};

// `find_program` gives a program's full path on the PATH, or empty;
// `desktop_has_text_handler` is asked only when xdg-open is there.
std::optional<Editor_Command> Choose_Text_Editor(const std::function<std::string(const std::string&)>& find_program,
                                                 const std::function<bool()>& desktop_has_text_handler);

// The choice on this machine, now.
std::optional<Editor_Command> Find_Text_Editor();

} // namespace platform::linux_detail
