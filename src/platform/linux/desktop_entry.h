#pragma once
// Autostart desktop entries: the file that makes the desktop start a program
// when the user logs on, written and read back.
//
// The program's path goes into Exec= quoted as the Desktop Entry
// format asks, so that the desktop starts exactly that file: an
// argument holding a blank, a line break or one of  " ' \ > < ~ | & ; $ * ? # ( ) `  is put
// in double quotes, inside which " ` $ \ take a backslash; every % is doubled;
// the result is then escaped as any string value of the key file (\\ \n \t
// \r, a leading blank as \s). Texts are UTF-8.

#include <optional>
#include <string>

namespace platform::linux_detail {

// The Exec= value that starts the program at `path` with no arguments.
std::string Desktop_Exec_Value(const std::string& path);

// The program an Exec= value starts (its first argument, unquoted), or
// nothing when the value does not parse.
std::optional<std::string> Desktop_Exec_Program(const std::string& exec_value);

// The whole text of an entry named `name` that starts the program at `path`.
std::string Autostart_Entry(const std::string& name, const std::string& path);

// The program an entry's text starts at log-on; empty when it starts none
// (no Exec=, an Exec= that does not parse, or an entry the user switched off
// with Hidden=true or X-GNOME-Autostart-enabled=false).
std::string Autostart_Entry_Program(const std::string& text);

// Whether the text is well-formed UTF-8 (what a desktop entry must hold).
bool Is_Utf8(const std::string& text);

} // namespace platform::linux_detail
