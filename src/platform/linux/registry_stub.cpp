// Until the real Linux side of this service is written it answers as a
// machine without the device would.
#include "platform/registry.h"

namespace platform {
namespace {

class Null_Registry_Service final : public Registry_Service {
public:
    long Reg_Open_Key_Ex(HKEY, const std::string&, std::uint32_t, HKEY*) override { return ERROR_FILE_NOT_FOUND; }
    long Reg_Query_Value_Ex(HKEY, const std::string&, std::uint32_t*, std::uint8_t*, std::uint32_t*) override
    {
        return ERROR_INVALID_HANDLE;
    }
    long Reg_Set_Value_Ex(HKEY, const std::string&, std::uint32_t, const std::uint8_t*, std::uint32_t) override
    {
        return ERROR_INVALID_HANDLE;
    }
    long Reg_Delete_Value(HKEY, const std::string&) override { return ERROR_INVALID_HANDLE; }
    long Reg_Close_Key(HKEY) override { return ERROR_INVALID_HANDLE; }
};

} // namespace

template <>
Registry_Service& Default_Service<Registry_Service>()
{
    static Null_Registry_Service service;
    return service;
}

} // namespace platform
