// Until the real Linux side of this service is written it answers as a
// machine without the device would.
#include "platform/sound.h"

namespace platform {
namespace {

class Null_Sound_Service final : public Sound_Service {
public:
    void Beep(int, int) override {}
    void Message_Beep(unsigned) override {}
    void Silence() override {}
};

} // namespace

template <>
Sound_Service& Default_Service<Sound_Service>()
{
    static Null_Sound_Service service;
    return service;
}

} // namespace platform
