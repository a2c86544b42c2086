// The CPU sampler reading performance data blocks that may hold anything,
// as the performance-data service hands them over. The input is two blocks:
// a 16-bit little-endian length, the first block, and the rest as the second,
// each answered to one sample. Checked: no read outside the bytes (the
// sanitizers), a bad block is a Program_Error and nothing worse, the
// instance count never exceeds what the bytes could hold, and every load
// is a number.
#include "fuzz/fuzz_support.h"

#include "cpu/cpu_sampler.h"
#include "platform/perf_walk.h"
#include "fakes/fake_perf_data.h"
#include "platform/error.h"

#include <cmath>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::size_t first_size = std::min<std::size_t>(data[0] | data[1] << 8, size - 2);
    const std::vector<std::vector<std::uint8_t>> blocks = {
        {data + 2, data + 2 + first_size},
        {data + 2 + first_size, data + size},
    };

    Fake_Perf_Data service;
    const platform::Scoped_Service<platform::Performance_Data_Service> guard(service);
    CPU_Sampler sampler;
    std::size_t largest = 0;
    for (const std::vector<std::uint8_t>& block : blocks) {
        service.data = block;
        largest = std::max(largest, block.size());
        try {
            sampler.Take_CPU_Sample();
        } catch (const Program_Error&) {
        }
        try {
            const std::int32_t instances = sampler.CPU_Instance_Count();
            fuzz::Require(static_cast<std::size_t>(instances)
                              <= largest / (sizeof(platform::PERF_INSTANCE_DEFINITION) + sizeof(platform::PERF_COUNTER_BLOCK)),
                          "no more instances than the bytes hold");
            for (std::int32_t i = 0; i < instances; ++i)
                fuzz::Require(std::isfinite(sampler.CPU_Instance_Usage(i)), "a load is a number");
        } catch (const Program_Error&) {
        }
    }
    return 0;
}
