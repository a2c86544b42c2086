#pragma once
// The odometer's units: metric (cm and km) at unit index 0, imperial (inches
// and miles) at any other index, -1 (no unit chosen) included.

#include <cstdint>

constexpr int Metric_Unit = 0;
constexpr int Imperial_Unit = 1;
constexpr std::int32_t Screen_Size_Min = 1;
constexpr std::int32_t Screen_Size_Max = 999999;

constexpr bool Is_Metric(int unit_index)
{
    return unit_index == Metric_Unit;
}

// A screen size taken to the other unit: times 2.54 to centimetres, divided
// by 2.54 to inches, in extended precision, rounded half to even and kept in
// 1..999999 (1 cm is 0.39 inches, which shows as 1).
std::int32_t Convert_Screen_Size(std::int32_t size, bool to_metric);

// A distance taken to the other unit: miles times 1.609344 to kilometres,
// kilometres divided by it to miles, in extended precision.
double Convert_Distance(double distance, bool to_metric);
