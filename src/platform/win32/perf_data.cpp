#include "platform/win32/perf_data.h"

#include "platform/perf_walk.h"
#include "platform/win32/wide.h"

#include <winternl.h>

#include <algorithm>
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

// The query itself: one value name, every tick, converted once.
class Registry_Performance_Query {
public:
    Registry_Performance_Query() = default;
    Registry_Performance_Query(const Registry_Performance_Query&) = delete;
    Registry_Performance_Query& operator=(const Registry_Performance_Query&) = delete;
    ~Registry_Performance_Query()
    {
        if (queried_)
            RegCloseKey(HKEY_PERFORMANCE_DATA);
    }

    long operator()(const std::string& value_name, std::uint8_t* buffer, std::uint32_t* size)
    {
        if (value_name != name_) {
            name_ = value_name;
            wide_name_ = win32::Wide(value_name);
        }
        queried_ = true;
        DWORD bytes = *size;
        const LONG result = RegQueryValueExW(HKEY_PERFORMANCE_DATA, wide_name_.c_str(), nullptr, nullptr, buffer, &bytes);
        *size = bytes;
        return result;
    }

private:
    std::string name_;
    std::wstring wide_name_;
    bool queried_ = false;
};

std::string Computer_Name()
{
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &length) ? win32::Utf8(std::wstring_view(name, length)) : std::string();
}

Block_Time Now()
{
    ::SYSTEMTIME utc{};
    GetSystemTime(&utc);
    Block_Time time;
    time.system_time.wYear = utc.wYear;
    time.system_time.wMonth = utc.wMonth;
    time.system_time.wDayOfWeek = utc.wDayOfWeek;
    time.system_time.wDay = utc.wDay;
    time.system_time.wHour = utc.wHour;
    time.system_time.wMinute = utc.wMinute;
    time.system_time.wSecond = utc.wSecond;
    time.system_time.wMilliseconds = utc.wMilliseconds;
    LARGE_INTEGER counter{}, frequency{};
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    time.perf_time = counter.QuadPart;
    time.perf_freq = frequency.QuadPart;
    return time;
}

class Win32_Performance_Data final : public Performance_Data_Service {
public:
    Win32_Performance_Data(win32::Performance_Query registry, win32::Processor_Idle_Times idle_times)
        : registry_(std::move(registry)), idle_times_(std::move(idle_times)), system_name_(Computer_Name())
    {
    }

    long Query_Performance_Data(const std::string& value_name, std::uint8_t* buffer, std::uint32_t* size) override
    {
        if (!size || (!buffer && *size > 0))
            return ERROR_INVALID_PARAMETER;
        const std::uint32_t available = *size;
        const bool processor = Names_Processor_Object(value_name);
        long result = ERROR_FILE_NOT_FOUND;
        if (!processor || registry_has_processor_) {
            result = registry_(value_name, buffer, size);
            if (result == ERROR_MORE_DATA || !processor)
                return result;
            std::uint64_t object_at = 0;
            PERF_OBJECT_TYPE object;
            if (result == ERROR_SUCCESS &&
                Find_Perf_Object(Perf_Bytes{buffer, *size}, Processor_Object_Title_Index, object_at, object))
                return result;
            // A system whose registry has no processor object (Wine's) answers
            // each query only after walking every service's key: hundreds of
            // round trips a tick, for nothing. The kernel's counters are the
            // same figures; from now on they are all that is read.
            registry_has_processor_ = false;
        }

        processors_.clear();
        if (!idle_times_(processors_) || processors_.empty())
            return result;
        const std::uint32_t needed = Processor_Block_Bytes(processors_, system_name_);
        *size = needed;
        if (available < needed)
            return ERROR_MORE_DATA;
        Put_Processor_Block(buffer, processors_, system_name_, Now());
        return ERROR_SUCCESS;
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
    win32::Performance_Query registry_;
    win32::Processor_Idle_Times idle_times_;
    std::string system_name_;
    std::vector<Processor_Idle> processors_; // kept between queries: no allocation per tick
    bool registry_has_processor_ = true;
};

} // namespace

namespace win32 {

std::unique_ptr<Performance_Data_Service> Make_Performance_Data(Performance_Query registry,
                                                                Processor_Idle_Times idle_times)
{
    return std::make_unique<Win32_Performance_Data>(std::move(registry), std::move(idle_times));
}

bool Kernel_Processor_Idle_Times(std::vector<Processor_Idle>& processors)
{
    // A processor group holds 64 processors at most.
    SYSTEM_PROCESSOR_PERFORMANCE_INFORMATION times[64] = {};
    ULONG length = 0;
    if (NtQuerySystemInformation(SystemProcessorPerformanceInformation, times, sizeof times, &length) < 0)
        return false;
    const ULONG count = std::min<ULONG>(length / sizeof times[0], 64);
    for (ULONG i = 0; i < count; ++i)
        processors.push_back({static_cast<std::uint32_t>(i), times[i].IdleTime.QuadPart});
    return count > 0;
}

} // namespace win32

template <>
Performance_Data_Service& Default_Service<Performance_Data_Service>()
{
    static const std::unique_ptr<Performance_Data_Service> service = win32::Make_Performance_Data(
        [query = std::make_shared<Registry_Performance_Query>()](const std::string& name, std::uint8_t* buffer,
                                                                 std::uint32_t* size) {
            return (*query)(name, buffer, size);
        },
        win32::Kernel_Processor_Idle_Times);
    return *service;
}

} // namespace platform
