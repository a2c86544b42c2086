#include "platform/memory.h"

#include "platform/win32_names.h"

namespace platform {

static_assert(sizeof(MEMORYSTATUSEX) == sizeof(::MEMORYSTATUSEX));

namespace {

class Win32_Memory_Service final : public Memory_Service {
public:
    bool Global_Memory_Status_Ex(MEMORYSTATUSEX& status) override
    {
        status = MEMORYSTATUSEX{};
        ::MEMORYSTATUSEX system{};
        system.dwLength = sizeof system;
        if (!GlobalMemoryStatusEx(&system))
            return false;
        status.dwMemoryLoad = system.dwMemoryLoad;
        status.ullTotalPhys = system.ullTotalPhys;
        status.ullAvailPhys = system.ullAvailPhys;
        status.ullTotalPageFile = system.ullTotalPageFile;
        status.ullAvailPageFile = system.ullAvailPageFile;
        status.ullTotalVirtual = system.ullTotalVirtual;
        status.ullAvailVirtual = system.ullAvailVirtual;
        status.ullAvailExtendedVirtual = system.ullAvailExtendedVirtual;
        return true;
    }
};

} // namespace

template <>
Memory_Service& Default_Service<Memory_Service>()
{
    static Win32_Memory_Service service;
    return service;
}

} // namespace platform
