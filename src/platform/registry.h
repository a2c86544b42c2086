#pragma once
// The registry calls the program makes: the dynamic-data statistics keys of
// the older Windows family (CPU usage) and the machine-wide Run key (start
// at log-on). Each call returns a Win32 error code (ERROR_SUCCESS is 0).
//
// Contracts:
// - Reg_Open_Key_Ex opens an existing key, never creates one; fails with
//   ERROR_FILE_NOT_FOUND (or ERROR_ACCESS_DENIED) when the key is absent or
//   cannot be opened with the access asked.
// - Reg_Query_Value_Ex reads a value; with data null it only reports type and
//   size; ERROR_MORE_DATA when the buffer is too small; ERROR_FILE_NOT_FOUND
//   when the value is absent.
// - Reg_Set_Value_Ex writes a value (REG_SZ data holds its terminating zero).
// - Reg_Delete_Value removes a value.
// Linux: HKEY_DYN_DATA does not exist (every open fails). The Run key under
// HKEY_LOCAL_MACHINE is the XDG autostart folder ($XDG_CONFIG_HOME/autostart,
// default ~/.config/autostart, created when missing; the key "does not exist"
// when it cannot be created); a value is the file <value name>.desktop whose
// Exec= line holds the quoted path.

#include "platform/services.h"

#include <cstdint>
#include <string>

namespace platform {

using HKEY = std::uintptr_t;

constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
constexpr HKEY HKEY_USERS = 0x80000003u;
constexpr HKEY HKEY_PERFORMANCE_DATA = 0x80000004u;
constexpr HKEY HKEY_DYN_DATA = 0x80000006u;

constexpr std::uint32_t KEY_READ = 0x20019;
constexpr std::uint32_t KEY_ALL_ACCESS = 0xF003F;

constexpr std::uint32_t REG_SZ = 1;
constexpr std::uint32_t REG_BINARY = 3;
constexpr std::uint32_t REG_DWORD = 4;

constexpr long ERROR_SUCCESS = 0;
constexpr long ERROR_FILE_NOT_FOUND = 2;
constexpr long ERROR_ACCESS_DENIED = 5;
constexpr long ERROR_INVALID_HANDLE = 6;
constexpr long ERROR_MORE_DATA = 234;

class Registry_Service {
public:
    virtual ~Registry_Service() = default;
    virtual long Reg_Open_Key_Ex(HKEY root, const std::string& sub_key, std::uint32_t access, HKEY* result) = 0;
    virtual long Reg_Query_Value_Ex(HKEY key, const std::string& value_name, std::uint32_t* type,
                                    std::uint8_t* data, std::uint32_t* size) = 0;
    virtual long Reg_Set_Value_Ex(HKEY key, const std::string& value_name, std::uint32_t type,
                                  const std::uint8_t* data, std::uint32_t size) = 0;
    virtual long Reg_Delete_Value(HKEY key, const std::string& value_name) = 0;
    virtual long Reg_Close_Key(HKEY key) = 0;
};

template <>
Registry_Service& Default_Service<Registry_Service>();

} // namespace platform
