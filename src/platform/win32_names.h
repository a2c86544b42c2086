#pragma once
// The Win32 names the platform headers speak in: result codes, registry keys
// and their types, drive types, show states, screen metrics, version
// platforms, the critical-error mode and the performance counters' marks.
//
// On Windows they are the system's own, taken from its headers, which define
// most of them as macros; so they are global names everywhere and the
// program writes them unqualified (ERROR_MORE_DATA, not
// platform::ERROR_MORE_DATA). Elsewhere they are declared here with the
// values Windows gives them. Either way a platform header can be included
// before or after <windows.h>.
//
// Registry handles: on Windows the system's HKEY. Elsewhere an integer handle
// whose predefined roots hold the values Win64 gives them, the 32-bit
// constants sign-extended (HKEY_LOCAL_MACHINE is 0xFFFFFFFF80000002), so a
// root key means the same number on every platform.

#include <cstdint>

namespace platform {
// A predefined root key's handle as Win64 holds it: the 32-bit constant,
// sign-extended.
constexpr std::uintptr_t Predefined_Key(std::uint32_t value)
{
    return static_cast<std::uintptr_t>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}
} // namespace platform

#ifdef _WIN32

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <winperf.h>

namespace platform {
using HKEY = ::HKEY;
}

#else

namespace platform {
using HKEY = std::uintptr_t;
}

inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;
inline constexpr long ERROR_ACCESS_DENIED = 5;
inline constexpr long ERROR_INVALID_HANDLE = 6;
inline constexpr long ERROR_INVALID_PARAMETER = 87;
inline constexpr long ERROR_MORE_DATA = 234;

inline constexpr platform::HKEY HKEY_CLASSES_ROOT = platform::Predefined_Key(0x80000000u);
inline constexpr platform::HKEY HKEY_CURRENT_USER = platform::Predefined_Key(0x80000001u);
inline constexpr platform::HKEY HKEY_LOCAL_MACHINE = platform::Predefined_Key(0x80000002u);
inline constexpr platform::HKEY HKEY_USERS = platform::Predefined_Key(0x80000003u);
inline constexpr platform::HKEY HKEY_PERFORMANCE_DATA = platform::Predefined_Key(0x80000004u);
inline constexpr platform::HKEY HKEY_DYN_DATA = platform::Predefined_Key(0x80000006u);

inline constexpr std::uint32_t KEY_READ = 0x20019;
inline constexpr std::uint32_t KEY_ALL_ACCESS = 0xF003F;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;

inline constexpr unsigned DRIVE_UNKNOWN = 0;
inline constexpr unsigned DRIVE_NO_ROOT_DIR = 1;
inline constexpr unsigned DRIVE_REMOVABLE = 2;
inline constexpr unsigned DRIVE_FIXED = 3;
inline constexpr unsigned DRIVE_REMOTE = 4;
inline constexpr unsigned DRIVE_CDROM = 5;
inline constexpr unsigned DRIVE_RAMDISK = 6;

inline constexpr unsigned SEM_FAILCRITICALERRORS = 0x0001;

inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_MAXIMIZE = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWMINNOACTIVE = 7;
inline constexpr int SW_SHOWNA = 8;
inline constexpr int SW_RESTORE = 9;
inline constexpr int SW_SHOWDEFAULT = 10;
inline constexpr int SW_FORCEMINIMIZE = 11;

inline constexpr std::uint32_t VER_PLATFORM_WIN32s = 0;
inline constexpr std::uint32_t VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr std::uint32_t VER_PLATFORM_WIN32_NT = 2;

inline constexpr std::int32_t PERF_NO_INSTANCES = -1;
inline constexpr std::int32_t PERF_NO_UNIQUE_ID = -1;
inline constexpr std::uint32_t PERF_DETAIL_NOVICE = 100;
inline constexpr std::uint32_t PERF_100NSEC_TIMER_INV = 0x21510500;

#endif
