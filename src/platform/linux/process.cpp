#include "platform/process.h"

#include <climits>
#include <unistd.h>

namespace platform {
namespace {

class Linux_Process_Service final : public Process_Service {
public:
    std::string Executable_Path() override
    {
        char buffer[PATH_MAX];
        const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
        if (length <= 0 || length >= static_cast<ssize_t>(sizeof buffer))
            return {};
        return std::string(buffer, static_cast<std::size_t>(length));
    }

    bool Text_Editor_Present() override { return false; }
    bool Start_Text_Editor(const std::string&) override { return false; }
    int Startup_Show_State() override { return SW_SHOWDEFAULT; }
};

} // namespace

template <>
Process_Service& Default_Service<Process_Service>()
{
    static Linux_Process_Service service;
    return service;
}

} // namespace platform
