#include "platform/perf_data.h"

#include "platform/win32/wide.h"

#include <cstddef>

namespace platform {

// The program walks the system's bytes with its own declarations of the
// published records: they must be the system's layout exactly.
static_assert(sizeof(PERF_DATA_BLOCK) == sizeof(::PERF_DATA_BLOCK));
static_assert(offsetof(PERF_DATA_BLOCK, HeaderLength) == offsetof(::PERF_DATA_BLOCK, HeaderLength));
static_assert(offsetof(PERF_DATA_BLOCK, NumObjectTypes) == offsetof(::PERF_DATA_BLOCK, NumObjectTypes));
static_assert(offsetof(PERF_DATA_BLOCK, SystemTime) == offsetof(::PERF_DATA_BLOCK, SystemTime));
static_assert(offsetof(PERF_DATA_BLOCK, PerfTime) == offsetof(::PERF_DATA_BLOCK, PerfTime));
static_assert(offsetof(PERF_DATA_BLOCK, SystemNameOffset) == offsetof(::PERF_DATA_BLOCK, SystemNameOffset));
static_assert(sizeof(PERF_OBJECT_TYPE) == sizeof(::PERF_OBJECT_TYPE));
static_assert(offsetof(PERF_OBJECT_TYPE, NumCounters) == offsetof(::PERF_OBJECT_TYPE, NumCounters));
static_assert(offsetof(PERF_OBJECT_TYPE, NumInstances) == offsetof(::PERF_OBJECT_TYPE, NumInstances));
static_assert(offsetof(PERF_OBJECT_TYPE, PerfTime) == offsetof(::PERF_OBJECT_TYPE, PerfTime));
static_assert(sizeof(PERF_COUNTER_DEFINITION) == sizeof(::PERF_COUNTER_DEFINITION));
static_assert(offsetof(PERF_COUNTER_DEFINITION, CounterOffset) == offsetof(::PERF_COUNTER_DEFINITION, CounterOffset));
static_assert(sizeof(PERF_INSTANCE_DEFINITION) == sizeof(::PERF_INSTANCE_DEFINITION));
static_assert(offsetof(PERF_INSTANCE_DEFINITION, NameLength) == offsetof(::PERF_INSTANCE_DEFINITION, NameLength));
static_assert(sizeof(PERF_COUNTER_BLOCK) == sizeof(::PERF_COUNTER_BLOCK));
static_assert(sizeof(SYSTEMTIME) == sizeof(::SYSTEMTIME));

namespace {

class Win32_Performance_Data final : public Performance_Data_Service {
public:
    ~Win32_Performance_Data() override
    {
        if (queried_)
            RegCloseKey(HKEY_PERFORMANCE_DATA);
    }

    long Query_Performance_Data(const std::string& value_name, std::uint8_t* buffer, std::uint32_t* size) override
    {
        if (!size)
            return ERROR_INVALID_PARAMETER;
        if (value_name != name_) { // one name, every tick: converted once
            name_ = value_name;
            wide_name_ = win32::Wide(value_name);
        }
        queried_ = true;
        DWORD bytes = *size;
        const LONG result = RegQueryValueExW(HKEY_PERFORMANCE_DATA, wide_name_.c_str(), nullptr, nullptr, buffer, &bytes);
        *size = bytes;
        return result;
    }

    bool System_Time_To_File_Time(const SYSTEMTIME& time, std::int64_t* file_time) override
    {
        ::SYSTEMTIME system{};
        system.wYear = time.wYear;
        system.wMonth = time.wMonth;
        system.wDayOfWeek = time.wDayOfWeek;
        system.wDay = time.wDay;
        system.wHour = time.wHour;
        system.wMinute = time.wMinute;
        system.wSecond = time.wSecond;
        system.wMilliseconds = time.wMilliseconds;
        FILETIME converted{};
        if (!SystemTimeToFileTime(&system, &converted))
            return false;
        *file_time = static_cast<std::int64_t>((std::uint64_t{converted.dwHighDateTime} << 32) | converted.dwLowDateTime);
        return true;
    }

private:
    std::string name_;
    std::wstring wide_name_;
    bool queried_ = false;
};

} // namespace

template <>
Performance_Data_Service& Default_Service<Performance_Data_Service>()
{
    static Win32_Performance_Data service;
    return service;
}

} // namespace platform
