#include "platform/whole_file.h"

#include "platform/win32/wide.h"
#include "platform/win32_names.h"

#include <climits>

namespace platform {
namespace {

constexpr DWORD Share_All = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The attributes a replaced file keeps.
constexpr DWORD Kept_Attributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close()
    {
        const bool closed = !Valid() || CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

bool Write_All(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// The file a path finally names, through symbolic links and junctions; the
// path itself when it names nothing yet, or nothing that is a link.
std::wstring Link_Target(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return path;
    Handle file(CreateFileW(path.c_str(), 0, Share_All, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.Valid())
        return path;
    std::wstring target(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file.Get(), target.data(), static_cast<DWORD>(target.size()), 0);
    if (length >= target.size()) {
        target.resize(length);
        length = GetFinalPathNameByHandleW(file.Get(), target.data(), static_cast<DWORD>(target.size()), 0);
    }
    if (length == 0 || length >= target.size())
        return path;
    target.resize(length);
    return target;
}

// A name beside the file that nothing else has: the file's name, a dot and
// six letters or digits.
Handle Create_Temporary(const std::wstring& target, DWORD attributes, std::wstring& name)
{
    static constexpr wchar_t Characters[] = L"0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::uint64_t seed = GetTickCount64() ^ (std::uint64_t{GetCurrentProcessId()} << 32)
                         ^ reinterpret_cast<std::uintptr_t>(&name);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + L'.';
        for (int i = 0; i < 6; ++i) {
            seed = seed * 6364136223846793005u + 1442695040888963407u;
            name += Characters[(seed >> 33) % (std::size(Characters) - 1)];
        }
        HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return Handle(file);
    }
    return Handle(INVALID_HANDLE_VALUE);
}

bool Rewrite_In_Place(const std::wstring& target, std::string_view bytes)
{
    Handle file(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    bool written = file.Valid() && GetFileType(file.Get()) == FILE_TYPE_DISK && Write_All(file.Get(), bytes)
                   && SetEndOfFile(file.Get()) && FlushFileBuffers(file.Get());
    return file.Close() && written;
}

} // namespace

Read_Result Read_Whole_File(const std::string& path, std::string& bytes)
{
    bytes.clear();
    Handle file(CreateFileW(win32::Wide(path).c_str(), GENERIC_READ, Share_All, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Read_Result::Missing
                                                                               : Read_Result::Unreadable;
    }
    LARGE_INTEGER size{};
    if (GetFileType(file.Get()) != FILE_TYPE_DISK || !GetFileSizeEx(file.Get(), &size))
        return Read_Result::Unreadable;
    // Through a small buffer into reserved room, so that a large file's
    // memory is touched once; the size is a hint only, as the file may
    // change while it is read.
    bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    char chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), chunk, sizeof chunk, &got, nullptr)) {
            bytes.clear();
            return Read_Result::Unreadable;
        }
        if (got == 0)
            break;
        bytes.append(chunk, got);
    }
    return Read_Result::Read;
}

bool Replace_Whole_File(const std::string& path, std::string_view bytes)
{
    const std::wstring target = Link_Target(win32::Wide(path));
    const DWORD existing = GetFileAttributesW(target.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    const DWORD attributes =
        existing == INVALID_FILE_ATTRIBUTES || !(existing & Kept_Attributes) ? FILE_ATTRIBUTE_NORMAL
                                                                            : existing & Kept_Attributes;

    std::wstring temporary;
    Handle file = Create_Temporary(target, attributes, temporary);
    if (!file.Valid()) {
        // Only a refusal to create: a full disk must not meet a file that
        // is half overwritten.
        if (existing != INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_ACCESS_DENIED)
            return Rewrite_In_Place(target, bytes);
        return false;
    }
    bool written = Write_All(file.Get(), bytes) && FlushFileBuffers(file.Get());
    written = file.Close() && written;
    if (!written
        || !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

std::string Full_Path(const std::string& path)
{
    const std::wstring wide = win32::Wide(path);
    const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return path;
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(wide.c_str(), length, full.data(), nullptr);
    if (written == 0 || written >= length)
        return path;
    full.resize(written);
    return win32::Utf8(full);
}

} // namespace platform
