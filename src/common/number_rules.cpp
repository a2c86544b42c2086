#include "common/number_rules.h"

#include <cmath>

std::int64_t Trunc(long double value)
{
    return static_cast<std::int64_t>(std::trunc(value));
}

std::int64_t Round_Half_Even(long double value)
{
    const long double floor = std::floor(value);
    const long double difference = value - floor;
    long double result = floor;
    if (difference > 0.5L)
        result = floor + 1;
    else if (difference == 0.5L)
        result = std::fmod(floor, 2.0L) == 0 ? floor : floor + 1;
    return static_cast<std::int64_t>(result);
}

std::int64_t Round_Half_Away(long double value)
{
    return static_cast<std::int64_t>(value < 0 ? -std::floor(-value + 0.5L) : std::floor(value + 0.5L));
}
