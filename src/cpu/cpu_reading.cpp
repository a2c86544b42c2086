#include "cpu/cpu_reading.h"

#include "cpu/cpu_sampler.h"

int Current_CPU_Usage(CPU_Sampler& sampler)
{
    double sum = 0;
    sampler.Take_CPU_Sample();
    const std::int32_t count = sampler.CPU_Instance_Count();
    for (std::int32_t i = 0; i < count; ++i)
        sum += sampler.CPU_Instance_Usage(i) * 100;
    return Mean_Whole_Percent(sum, count);
}

int Mean_Whole_Percent(double percent_sum, std::int32_t count)
{
    if (count <= 0)
        return 0;
    const double mean = percent_sum / count;
    if (!(mean > 0)) // below zero, or not a number at all
        return 0;
    if (mean >= 100)
        return 100;
    return static_cast<int>(mean);
}

int Average_CPU_Usage(std::int64_t total, std::int32_t samples)
{
    if (samples <= 0)
        return 0;
    return static_cast<int>(total / samples);
}
