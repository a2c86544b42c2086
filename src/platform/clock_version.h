#pragma once
// Local clock and the platform's version.
//
// Contracts:
// - Clock_Service::Now: the local wall clock as days since 30 December 1899,
//   the time of day as the fraction, millisecond resolution. Durations are
//   compared in the same unit (N seconds is N / 24 / 60 / 60). Must be cheap.
// - Version_Service::Get_Version_Ex: fills the record; false when the query
//   fails. Linux reports the NT family (platform id 2).
//   Win32: GetVersionExW, its answer copied into the record (the service
//   pack text as UTF-8, cut to fit).

#include "platform/services.h"
#include "platform/win32_names.h"

#include <cstdint>

namespace platform {

class Clock_Service {
public:
    virtual ~Clock_Service() = default;
    virtual double Now() = 0;
};

template <>
Clock_Service& Default_Service<Clock_Service>();

struct OSVERSIONINFOA {
    std::uint32_t dwOSVersionInfoSize = 0;
    std::uint32_t dwMajorVersion = 0;
    std::uint32_t dwMinorVersion = 0;
    std::uint32_t dwBuildNumber = 0;
    std::uint32_t dwPlatformId = 0;
    char szCSDVersion[128] = {};
};
static_assert(sizeof(OSVERSIONINFOA) == 148);

class Version_Service {
public:
    virtual ~Version_Service() = default;
    virtual bool Get_Version_Ex(OSVERSIONINFOA& info) = 0;
};

template <>
Version_Service& Default_Service<Version_Service>();

// Days since 30 December 1899 of a civil date and time (no time zone
// applied): the calendar arithmetic every platform shares.
double Encode_Date_Time(int year, int month, int day, int hour, int minute, int second, int millisecond);

} // namespace platform
