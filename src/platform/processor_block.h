#pragma once
// A performance-data block holding the processor object, made by the
// program itself where the system gives the processors' idle times some
// other way (Linux: /proc/stat; Windows whose performance registry lacks the
// object: the kernel's per-processor times). Laid out exactly as the
// published records, so the sampler walks it as it walks the system's own:
// one object, title index 238, one counter, title index 6
// (PERF_100NSEC_TIMER_INV), and one instance per processor ("0", "1", ...)
// plus "_Total", each holding that processor's idle time in 100-ns units.
// "_Total" holds the mean over the processors, so that it reads as one more
// processor and the plain mean of all instances stays the machine's load.

#include "platform/perf_data.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace platform {

struct Processor_Idle {
    std::uint32_t number = 0;     // names the instance
    std::int64_t idle_100ns = 0;  // idle time since some fixed moment
};

// The block's clocks: the UTC time of the reading, and a high-resolution
// counter with its frequency.
struct Block_Time {
    SYSTEMTIME system_time;
    std::int64_t perf_time = 0;
    std::int64_t perf_freq = 0;
};

// Whether a performance-data value name asks for the processor object:
// "238" among its space-separated items, or "Global".
bool Names_Processor_Object(std::string_view value_name);

// The bytes of a block naming the system `system_name` (ASCII; other
// characters become "?"), with the processor object when `processors` is
// not empty and without any object when it is.
std::uint32_t Processor_Block_Bytes(std::span<const Processor_Idle> processors, std::string_view system_name);

// Writes that block at `buffer`, which holds at least Processor_Block_Bytes.
void Put_Processor_Block(std::uint8_t* buffer, std::span<const Processor_Idle> processors,
                         std::string_view system_name, const Block_Time& time);

} // namespace platform
