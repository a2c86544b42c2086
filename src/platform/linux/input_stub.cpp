// Until the real Linux side of this service is written it answers as a
// machine without the device would.
#include "platform/input.h"

namespace platform {
namespace {

class Null_Input_Service final : public Input_Service {
public:
    Pointer_State Query_Pointer() override { return {}; }
    std::int32_t Get_System_Metrics(int) override { return 0; }
};

} // namespace

template <>
Input_Service& Default_Service<Input_Service>()
{
    static Null_Input_Service service;
    return service;
}

} // namespace platform
