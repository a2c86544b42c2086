#include "platform/registry.h"

#include "platform/win32/wide.h"

#include <cstring>

namespace platform {
namespace {

bool Is_Text(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

// A text value as UTF-8, without the zeros that end it.
LONG Read_Text(HKEY key, const std::wstring& name, DWORD& type, std::string& text)
{
    DWORD bytes = 0;
    LONG result = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &bytes);
    std::wstring wide;
    // The value may grow between the two questions: ask again.
    for (int attempt = 0; result == ERROR_SUCCESS && attempt < 4; ++attempt) {
        wide.assign(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD capacity = static_cast<DWORD>(wide.size() * sizeof(wchar_t));
        result = RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(wide.data()), &capacity);
        if (result == ERROR_MORE_DATA) {
            bytes = capacity;
            result = ERROR_SUCCESS;
            continue;
        }
        wide.resize(capacity / sizeof(wchar_t));
        break;
    }
    if (result != ERROR_SUCCESS)
        return result;
    while (!wide.empty() && wide.back() == L'\0')
        wide.pop_back();
    text = win32::Utf8(wide);
    return ERROR_SUCCESS;
}

class Win32_Registry_Service final : public Registry_Service {
public:
    long Reg_Open_Key_Ex(HKEY root, const std::string& sub_key, std::uint32_t access, HKEY* result) override
    {
        if (!result)
            return ERROR_INVALID_PARAMETER;
        // A leading "\" means a path from the root, which is how the API
        // takes every sub-key; given to it, it answers ERROR_BAD_PATHNAME.
        const std::string path = !sub_key.empty() && sub_key.front() == '\\' ? sub_key.substr(1) : sub_key;
        HKEY opened = nullptr;
        const LONG answer = RegOpenKeyExW(root, win32::Wide(path).c_str(), 0, access, &opened);
        *result = answer == ERROR_SUCCESS ? opened : nullptr;
        return answer;
    }

    long Reg_Query_Value_Ex(HKEY key, const std::string& value_name, std::uint32_t* type, std::uint8_t* data,
                            std::uint32_t* size) override
    {
        const std::wstring name = win32::Wide(value_name);
        DWORD value_type = 0;
        DWORD bytes = 0;
        LONG result = RegQueryValueExW(key, name.c_str(), nullptr, &value_type, nullptr, &bytes);
        if (result != ERROR_SUCCESS)
            return result;
        if (!Is_Text(value_type)) {
            if (data && !size)
                return ERROR_INVALID_PARAMETER;
            DWORD capacity = data ? *size : 0;
            result = RegQueryValueExW(key, name.c_str(), nullptr, &value_type, data, data ? &capacity : &bytes);
            if (size)
                *size = data ? capacity : bytes;
            if (type)
                *type = value_type;
            return result;
        }

        // Texts are UTF-16 in the registry and UTF-8 here: sizes count the
        // UTF-8 bytes and the terminating zero.
        std::string text;
        result = Read_Text(key, name, value_type, text);
        if (result != ERROR_SUCCESS)
            return result;
        return Answer_Text_Value(text, value_type, type, data, size);
    }

    long Reg_Set_Value_Ex(HKEY key, const std::string& value_name, std::uint32_t type, const std::uint8_t* data,
                          std::uint32_t size) override
    {
        if (!data && size > 0)
            return ERROR_INVALID_PARAMETER;
        const std::wstring name = win32::Wide(value_name);
        if (!Is_Text(type))
            return RegSetValueExW(key, name.c_str(), 0, type, data, size);
        std::string text(reinterpret_cast<const char*>(data), size);
        text.resize(std::strlen(text.c_str())); // up to the terminating zero
        const std::wstring wide = win32::Wide(text);
        return RegSetValueExW(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(wide.c_str()),
                              static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    }

    long Reg_Delete_Value(HKEY key, const std::string& value_name) override
    {
        return RegDeleteValueW(key, win32::Wide(value_name).c_str());
    }

    long Reg_Close_Key(HKEY key) override { return RegCloseKey(key); }
};

} // namespace

template <>
Registry_Service& Default_Service<Registry_Service>()
{
    static Win32_Registry_Service service;
    return service;
}

} // namespace platform
