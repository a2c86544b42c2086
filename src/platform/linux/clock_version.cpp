#include "platform/clock_version.h"

#include <ctime>

namespace platform {

double Encode_Date_Time(int year, int month, int day, int hour, int minute, int second, int millisecond)
{
    // Days from the civil date (proleptic Gregorian), then shifted so that
    // 30 December 1899 is day 0.
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int mp = (month + 9) % 12;
    const int doy = (153 * mp + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const long days_since_1970 = static_cast<long>(era) * 146097 + doe - 719468;
    const long days = days_since_1970 + 25569;
    const double fraction = ((hour * 60.0 + minute) * 60.0 + second + millisecond / 1000.0) / 86400.0;
    return static_cast<double>(days) + fraction;
}

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
