#include "platform/process.h"

#include "platform/win32/command_line.h"
#include "platform/win32/wide.h"
#include "platform/whole_file.h"

namespace platform {
namespace {

// The path of a module file, however long.
std::wstring Module_Path()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= 32768)
            return {};
        path.resize(path.size() * 2);
    }
}

// Notepad in the Windows directory.
std::wstring Notepad_Path()
{
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH)
        return {};
    std::wstring path(folder, length);
    if (path.back() != L'\\')
        path += L'\\';
    return path + L"Notepad.EXE";
}

bool Is_File(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class Win32_Process_Service final : public Process_Service {
public:
    std::string Executable_Path() override { return win32::Utf8(Module_Path()); }

    bool Text_Editor_Present() override
    {
        const std::wstring notepad = Notepad_Path();
        return !notepad.empty() && Is_File(notepad);
    }

    // Notepad from the Windows directory itself, not whatever a search finds
    // first; the document's full path as one quoted argument, so neither a
    // blank nor a leading "/" changes what Notepad reads.
    bool Start_Text_Editor(const std::string& path) override
    {
        const std::wstring notepad = Notepad_Path();
        if (path.empty() || notepad.empty())
            return false;
        return win32::Start_Program(notepad, L"Notepad.exe", {win32::Wide(Full_Path(path))}, SW_SHOWNORMAL);
    }

    int Startup_Show_State() override
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        GetStartupInfoW(&startup);
        return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    }
};

} // namespace

template <>
Process_Service& Default_Service<Process_Service>()
{
    static Win32_Process_Service service;
    return service;
}

} // namespace platform
