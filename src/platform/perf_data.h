#pragma once
// Processor performance data: the registry's performance-data query and the
// published records it returns.
//
// Contracts:
// - Query_Performance_Data(value_name, buffer, size): *size holds the bytes
//   available in buffer. Fills the buffer with a PERF_DATA_BLOCK holding the
//   objects the value names ("238" is the processor object) and sets *size to
//   the bytes written; returns ERROR_SUCCESS (0). When the buffer is too small
//   it returns ERROR_MORE_DATA (234) and the buffer's contents and *size are
//   not to be relied on; the caller enlarges the buffer and asks again. Any
//   other result is a failure and the buffer may hold anything. Called once
//   per refresh tick: no allocation per call once warmed up, one read of the
//   source.
// - System_Time_To_File_Time: a UTC civil time as 100-ns units since
//   1 January 1601; false (output untouched) for an impossible date or time.
// Win32: RegQueryValueExW(HKEY_PERFORMANCE_DATA, value_name, ...) and
// SystemTimeToFileTime.
// Linux: a block built from /proc/stat with one object, title index 238, one
// counter, title index 6, and one instance per possible CPU ("0", "1", ...)
// plus "_Total", the same set for the program's life. The counter's raw value is the CPU's idle plus iowait time in
// 100-ns units ("_Total": the mean over the CPUs); SystemTime is the UTC time
// at which the file was read. An unreadable file, or one without CPU lines,
// answers ERROR_FILE_NOT_FOUND.

#include "platform/services.h"
#include "platform/win32_names.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform {

// The published Win32 records, with their published field names, sizes and
// offsets (title pointers are the 32-bit DWORDs of the published layout).

struct SYSTEMTIME {
    std::uint16_t wYear = 0;
    std::uint16_t wMonth = 0;
    std::uint16_t wDayOfWeek = 0;
    std::uint16_t wDay = 0;
    std::uint16_t wHour = 0;
    std::uint16_t wMinute = 0;
    std::uint16_t wSecond = 0;
    std::uint16_t wMilliseconds = 0;
};
static_assert(sizeof(SYSTEMTIME) == 16);

struct PERF_DATA_BLOCK {
    char16_t Signature[4] = {};
    std::uint32_t LittleEndian = 0;
    std::uint32_t Version = 0;
    std::uint32_t Revision = 0;
    std::uint32_t TotalByteLength = 0;
    std::uint32_t HeaderLength = 0;
    std::uint32_t NumObjectTypes = 0;
    std::int32_t DefaultObject = 0;
    SYSTEMTIME SystemTime;
    alignas(8) std::int64_t PerfTime = 0;
    std::int64_t PerfFreq = 0;
    std::int64_t PerfTime100nSec = 0;
    std::uint32_t SystemNameLength = 0;
    std::uint32_t SystemNameOffset = 0;
};
static_assert(sizeof(PERF_DATA_BLOCK) == 88);
static_assert(offsetof(PERF_DATA_BLOCK, HeaderLength) == 24);
static_assert(offsetof(PERF_DATA_BLOCK, SystemTime) == 36);
static_assert(offsetof(PERF_DATA_BLOCK, PerfTime) == 56);
static_assert(offsetof(PERF_DATA_BLOCK, SystemNameOffset) == 84);

struct PERF_OBJECT_TYPE {
    std::uint32_t TotalByteLength = 0;
    std::uint32_t DefinitionLength = 0;
    std::uint32_t HeaderLength = 0;
    std::uint32_t ObjectNameTitleIndex = 0;
    std::uint32_t ObjectNameTitle = 0;
    std::uint32_t ObjectHelpTitleIndex = 0;
    std::uint32_t ObjectHelpTitle = 0;
    std::uint32_t DetailLevel = 0;
    std::uint32_t NumCounters = 0;
    std::int32_t DefaultCounter = 0;
    std::int32_t NumInstances = 0;
    std::uint32_t CodePage = 0;
    alignas(8) std::int64_t PerfTime = 0;
    std::int64_t PerfFreq = 0;
};
static_assert(sizeof(PERF_OBJECT_TYPE) == 64);
static_assert(offsetof(PERF_OBJECT_TYPE, NumInstances) == 40);
static_assert(offsetof(PERF_OBJECT_TYPE, PerfTime) == 48);

struct PERF_COUNTER_DEFINITION {
    std::uint32_t ByteLength = 0;
    std::uint32_t CounterNameTitleIndex = 0;
    std::uint32_t CounterNameTitle = 0;
    std::uint32_t CounterHelpTitleIndex = 0;
    std::uint32_t CounterHelpTitle = 0;
    std::int32_t DefaultScale = 0;
    std::uint32_t DetailLevel = 0;
    std::uint32_t CounterType = 0;
    std::uint32_t CounterSize = 0;
    std::uint32_t CounterOffset = 0;
};
static_assert(sizeof(PERF_COUNTER_DEFINITION) == 40);

struct PERF_INSTANCE_DEFINITION {
    std::uint32_t ByteLength = 0;
    std::uint32_t ParentObjectTitleIndex = 0;
    std::uint32_t ParentObjectInstance = 0;
    std::int32_t UniqueID = 0;
    std::uint32_t NameOffset = 0;
    std::uint32_t NameLength = 0;
};
static_assert(sizeof(PERF_INSTANCE_DEFINITION) == 24);

struct PERF_COUNTER_BLOCK {
    std::uint32_t ByteLength = 0;
};
static_assert(sizeof(PERF_COUNTER_BLOCK) == 4);

constexpr std::uint32_t Processor_Object_Title_Index = 238;
constexpr std::uint32_t Processor_Time_Counter_Title_Index = 6;

class Performance_Data_Service {
public:
    virtual ~Performance_Data_Service() = default;
    virtual long Query_Performance_Data(const std::string& value_name, std::uint8_t* buffer, std::uint32_t* size) = 0;
    virtual bool System_Time_To_File_Time(const SYSTEMTIME& time, std::int64_t* file_time) = 0;
};

template <>
Performance_Data_Service& Default_Service<Performance_Data_Service>();

// The conversion arithmetic itself (proleptic Gregorian calendar, years
// 1601..30827): the calendar arithmetic every platform shares.
bool Civil_To_File_Time(const SYSTEMTIME& time, std::int64_t* file_time);

// Linux side, exposed so tests can feed it fixture files: the block built
// from the /proc/stat-format file at proc_stat_path, stamped with the time
// utc_now gives (the system's UTC clock when empty), with one instance for
// each CPU the list at possible_cpus_path names (the format of
// /sys/devices/system/cpu/possible), or, without one, for each CPU of the
// first reading. A CPU missing from a reading (offline) reads as idle.
std::unique_ptr<Performance_Data_Service> Make_Proc_Stat_Performance_Data(
    std::string proc_stat_path, std::function<SYSTEMTIME()> utc_now = {}, const std::string& possible_cpus_path = {});

} // namespace platform
