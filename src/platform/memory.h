#pragma once
// Memory status service.
//
// Contract: Global_Memory_Status_Ex fills the record with byte counts of
// physical RAM and of swap (page file). Units are bytes, 64-bit, so machines
// with more than 4 GB report true totals. Called once per refresh tick, every
// figure of the tick taken from that one record; it must be cheap and must
// not throw. On failure it leaves the counts at zero and returns false.
// Win32: GlobalMemoryStatusEx. Linux: /proc/meminfo (MemTotal, MemAvailable,
// SwapTotal, SwapFree), kept open and read again from its start.

#include "platform/services.h"

#include <cstdint>
#include <string>

namespace platform {

struct MEMORYSTATUSEX {
    std::uint32_t dwLength = sizeof(MEMORYSTATUSEX);
    std::uint32_t dwMemoryLoad = 0;
    std::uint64_t ullTotalPhys = 0;
    std::uint64_t ullAvailPhys = 0;
    std::uint64_t ullTotalPageFile = 0;
    std::uint64_t ullAvailPageFile = 0;
    std::uint64_t ullTotalVirtual = 0;
    std::uint64_t ullAvailVirtual = 0;
    std::uint64_t ullAvailExtendedVirtual = 0;
};

class Memory_Service {
public:
    virtual ~Memory_Service() = default;
    virtual bool Global_Memory_Status_Ex(MEMORYSTATUSEX& status) = 0;
};

template <>
Memory_Service& Default_Service<Memory_Service>();

// Linux reader, exposed so tests can feed it fixture files.
bool Read_Meminfo(const std::string& path, MEMORYSTATUSEX& status);

} // namespace platform
