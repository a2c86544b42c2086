#include "platform/clock_version.h"

#include "platform/win32/wide.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

class Win32_Clock_Service final : public Clock_Service {
public:
    double Now() override
    {
        ::SYSTEMTIME local{};
        GetLocalTime(&local);
        return Encode_Date_Time(local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond,
                                local.wMilliseconds);
    }
};

class Win32_Version_Service final : public Version_Service {
public:
    bool Get_Version_Ex(OSVERSIONINFOA& info) override
    {
        if (info.dwOSVersionInfoSize != sizeof(OSVERSIONINFOA))
            return false;
        OSVERSIONINFOW system{};
        system.dwOSVersionInfoSize = sizeof system;
        if (!GetVersionExW(&system))
            return false;
        info.dwMajorVersion = system.dwMajorVersion;
        info.dwMinorVersion = system.dwMinorVersion;
        info.dwBuildNumber = system.dwBuildNumber;
        info.dwPlatformId = system.dwPlatformId;
        // The service pack's name, cut to fit: never in the middle of a character.
        std::string service_pack = win32::Utf8(system.szCSDVersion);
        std::size_t length = std::min(service_pack.size(), sizeof info.szCSDVersion - 1);
        while (length > 0 && length < service_pack.size() && (service_pack[length] & 0xC0) == 0x80)
            --length;
        std::memcpy(info.szCSDVersion, service_pack.data(), length);
        info.szCSDVersion[length] = '\0';
        return true;
    }
};

} // namespace

template <>
Clock_Service& Default_Service<Clock_Service>()
{
    static Win32_Clock_Service service;
    return service;
}

template <>
Version_Service& Default_Service<Version_Service>()
{
    static Win32_Version_Service service;
    return service;
}

} // namespace platform
