#pragma once
// The program's texts are UTF-8; the system's wide-character APIs take
// UTF-16. Every conversion between them goes through these two.
// Ill-formed input becomes U+FFFD rather than an error: a path that cannot
// be said in UTF-16 then names no file, and the call that uses it fails.

#include <string>
#include <string_view>

namespace platform::win32 {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);

} // namespace platform::win32
