#pragma once
// The number rules every figure follows, apart from any text: values that
// become gauge values are cut towards zero, a value rounded to a whole number
// goes to the nearest with an exact half to the even neighbour, and numbers
// written with fixed decimals round an exact half away from zero.

#include <cstdint>

// Cut towards zero.
std::int64_t Trunc(long double value);
// Nearest whole number, an exact half to the even neighbour.
std::int64_t Round_Half_Even(long double value);
// Nearest whole number, an exact half away from zero.
std::int64_t Round_Half_Away(long double value);
