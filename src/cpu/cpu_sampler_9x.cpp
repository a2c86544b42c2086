// The older family's method: the kernel keeps the CPU usage itself once its
// statistics are started through the dynamic-data registry keys.
#include "cpu/cpu_sampler.h"

#include "platform/error.h"

namespace {

platform::Registry_Service& Registry()
{
    return platform::Use<platform::Registry_Service>();
}

} // namespace

// Every read of the value, on any of the three keys, lands in the usage item.
void CPU_Sampler::Read_9x_Usage(platform::HKEY key)
{
    std::uint32_t type = 0;
    std::uint32_t size = sizeof usage_9x_;
    Registry().Reg_Query_Value_Ex(key, "KERNEL\\CPUUsage", &type, reinterpret_cast<std::uint8_t*>(&usage_9x_),
                                  &size);
}

void CPU_Sampler::Take_9x_Sample()
{
    if (!statistics_started_) {
        // Opening and reading the start key is what starts the statistics.
        platform::HKEY start_key = {};
        if (Registry().Reg_Open_Key_Ex(HKEY_DYN_DATA, "PerfStats\\StartStat", KEY_ALL_ACCESS,
                                       &start_key)
            != ERROR_SUCCESS)
            throw Program_Error("Unable to start performance monitoring");
        Read_9x_Usage(start_key);
        Registry().Reg_Close_Key(start_key);
        if (Registry().Reg_Open_Key_Ex(HKEY_DYN_DATA, "PerfStats\\StatData", KEY_READ, &data_key_)
            != ERROR_SUCCESS)
            throw Program_Error("Unable to read performance data");
        statistics_started_ = true;
    }
    Read_9x_Usage(data_key_);
}

void CPU_Sampler::Stop_CPU_Statistics()
{
    if (is_nt_family_ || !statistics_started_)
        return;
    statistics_started_ = false;
    Registry().Reg_Close_Key(data_key_);
    data_key_ = {};
    // Opening and reading the stop key is what stops them; a key that cannot
    // be opened leaves nothing more to do.
    platform::HKEY stop_key = {};
    if (Registry().Reg_Open_Key_Ex(HKEY_DYN_DATA, "PerfStats\\StopStat", KEY_ALL_ACCESS, &stop_key)
        != ERROR_SUCCESS)
        return;
    Read_9x_Usage(stop_key);
    Registry().Reg_Close_Key(stop_key);
}
