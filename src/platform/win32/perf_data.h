#pragma once
// The Win32 performance-data service, put together from its two sources so
// that tests can replace either.
//
// The registry's block is the answer whenever it holds the processor object.
// Where it does not (Wine answers with a block of no objects; on Windows the
// performance counters can be disabled or damaged), a query that asks for
// the processor object is answered with a block the program builds from the
// kernel's per-processor idle times (processor_block.h). When neither source
// has the processors, the registry's answer stands.

#include "platform/perf_data.h"
#include "platform/processor_block.h"

#include <functional>
#include <memory>
#include <vector>

namespace platform::win32 {

// A query of HKEY_PERFORMANCE_DATA, with Query_Performance_Data's contract.
using Performance_Query = std::function<long(const std::string& value_name, std::uint8_t* buffer, std::uint32_t* size)>;

// Fills `processors` with each processor's idle time; false when the system
// does not tell.
using Processor_Idle_Times = std::function<bool(std::vector<Processor_Idle>& processors)>;

std::unique_ptr<Performance_Data_Service> Make_Performance_Data(Performance_Query registry,
                                                                Processor_Idle_Times idle_times);

// The kernel's figures: NtQuerySystemInformation's
// SystemProcessorPerformanceInformation, the processors of the calling
// thread's group.
bool Kernel_Processor_Idle_Times(std::vector<Processor_Idle>& processors);

} // namespace platform::win32
