#pragma once
// The CPU gauges' arithmetic, apart from the window.

#include <cstdint>

class CPU_Sampler;

// The current reading: one sample, then the plain mean of every instance's
// load in percent, cut towards zero and held to 0..100 as the gauge holds
// it. A sampler that reports no instances reads 0.
int Current_CPU_Usage(CPU_Sampler& sampler);

// A sum of per-instance percentages over `count` instances as that reading.
int Mean_Whole_Percent(double percent_sum, std::int32_t count);

// The running average of whole-percent readings, cut towards zero; 0 before
// the first reading.
int Average_CPU_Usage(std::int64_t total, std::int32_t samples);
