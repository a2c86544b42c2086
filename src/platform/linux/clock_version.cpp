#include "platform/clock_version.h"

#include <ctime>

namespace platform {

namespace {

class Linux_Clock_Service final : public Clock_Service {
public:
    double Now() override
    {
        struct timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        struct tm local{};
        localtime_r(&now.tv_sec, &local);
        return Encode_Date_Time(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                                local.tm_sec, static_cast<int>(now.tv_nsec / 1000000));
    }
};

class Linux_Version_Service final : public Version_Service {
public:
    bool Get_Version_Ex(OSVERSIONINFOA& info) override
    {
        if (info.dwOSVersionInfoSize != sizeof(OSVERSIONINFOA))
            return false;
        info.dwMajorVersion = 5;
        info.dwMinorVersion = 1;
        info.dwBuildNumber = 0;
        info.dwPlatformId = VER_PLATFORM_WIN32_NT;
        info.szCSDVersion[0] = '\0';
        return true;
    }
};

} // namespace

template <>
Clock_Service& Default_Service<Clock_Service>()
{
    static Linux_Clock_Service service;
    return service;
}

template <>
Version_Service& Default_Service<Version_Service>()
{
    static Linux_Version_Service service;
    return service;
}

} // namespace platform
