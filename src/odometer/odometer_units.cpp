#include "odometer/odometer_units.h"

#include "common/number_rules.h"

#include <algorithm>

namespace {
constexpr long double Centimetres_Per_Inch = 2.54L;
constexpr long double Kilometres_Per_Mile = 1.609344L;
} // namespace

std::int32_t Convert_Screen_Size(std::int32_t size, bool to_metric)
{
    const long double converted = to_metric ? size * Centimetres_Per_Inch : size / Centimetres_Per_Inch;
    const std::int64_t rounded = Round_Half_Even(converted);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(rounded, Screen_Size_Min, Screen_Size_Max));
}

double Convert_Distance(double distance, bool to_metric)
{
    const long double value = distance;
    return static_cast<double>(to_metric ? value * Kilometres_Per_Mile : value / Kilometres_Per_Mile);
}
