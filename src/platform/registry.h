#pragma once
// The registry calls the program makes: the dynamic-data statistics keys of
// the older Windows family (CPU usage) and the Run keys (start at log-on):
// the machine-wide one, and on Windows the user's own where the machine's
// cannot be opened. Each call returns a Win32 error code (ERROR_SUCCESS is 0).
//
// Contracts:
// - Reg_Open_Key_Ex opens an existing key, never creates one; fails with
//   ERROR_FILE_NOT_FOUND (or ERROR_ACCESS_DENIED) when the key is absent or
//   cannot be opened with the access asked. A sub-key path may start with
//   "\" (absolute from the root); it names the same key as without it.
// - Reg_Query_Value_Ex reads a value; with data null it only reports type and
//   size; ERROR_MORE_DATA when the buffer is too small; ERROR_FILE_NOT_FOUND
//   when the value is absent.
// - Reg_Set_Value_Ex writes a value (REG_SZ data holds its terminating zero).
// - Reg_Delete_Value removes a value.
// Names and values are UTF-8; REG_SZ data is UTF-8 text with its zero.
// Win32: RegOpenKeyExW, RegQueryValueExW, RegSetValueExW, RegDeleteValueW,
// RegCloseKey, the texts converted to and from UTF-16.
// Linux: HKEY_DYN_DATA does not exist (every open fails). The Run key under
// HKEY_LOCAL_MACHINE is the XDG autostart folder ($XDG_CONFIG_HOME/autostart,
// default ~/.config/autostart, created when missing; the key "does not exist"
// when it cannot be created); a value is the file <value name>.desktop whose
// Exec= line holds the quoted path.

#include "platform/services.h"
#include "platform/win32_names.h"

#include <cstdint>
#include <string>

namespace platform {

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

// For the implementations: the answer to a query of a text value, as
// Reg_Query_Value_Ex gives it (type, size with the terminating zero, and
// ERROR_MORE_DATA with the size needed when the buffer is too small).
long Answer_Text_Value(const std::string& text, std::uint32_t value_type, std::uint32_t* type, std::uint8_t* data,
                       std::uint32_t* size);

} // namespace platform
