// Until the real Linux side of this service is written it answers as a
// machine without the device would.
#include "platform/volume.h"

namespace platform {
namespace {

class Null_Volume_Service final : public Volume_Service {
public:
    bool Get_Volume_Information(const std::string&, std::string*, std::uint32_t*, std::string*) override
    {
        return false;
    }
    bool Get_Disk_Free_Space(const std::string&, std::uint64_t*, std::uint64_t*, std::uint64_t*,
                             std::uint64_t*) override
    {
        return false;
    }
    unsigned Get_Drive_Type(const std::string&) override { return DRIVE_UNKNOWN; }
    bool Probe_Writable(const std::string&, const std::string&) override { return false; }
};

} // namespace

template <>
Volume_Service& Default_Service<Volume_Service>()
{
    static Null_Volume_Service service;
    return service;
}

} // namespace platform
