#include "platform/registry.h"

#include <cstring>

namespace platform {

long Answer_Text_Value(const std::string& text, std::uint32_t value_type, std::uint32_t* type, std::uint8_t* data,
                       std::uint32_t* size)
{
    const auto needed = static_cast<std::uint32_t>(text.size() + 1);
    if (type)
        *type = value_type;
    if (!data) {
        if (size)
            *size = needed;
        return ERROR_SUCCESS;
    }
    if (!size)
        return ERROR_INVALID_PARAMETER;
    if (*size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    std::memcpy(data, text.c_str(), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

} // namespace platform
