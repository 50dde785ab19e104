#pragma once
// The arithmetic the survey's figures are defined by: each formula row is evaluated in
// the x87 80-bit extended format and rounded to double only when its result is stored.
// Plain double arithmetic gives a different type 1 percentage for a few hundred answer
// combinations, so the survey code spells every row in Extended and every store as
// stored().

#include <cmath>
#include <cstdint>
#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64,
              "The survey arithmetic needs long double to be the 80-bit extended format with a "
              "64-bit significand (GCC or Clang on x86 / x86-64); this target's long double "
              "differs and would change the computed percentages.");

namespace survey {

using Extended = long double;

// Rounds an extended intermediate to the double it is stored as.
inline double stored(Extended value)
{
    return static_cast<double>(value);
}

// Nearest integer, ties to even, whatever rounding mode the floating-point environment
// is in. Works on the magnitude so that the fraction is exact: for a magnitude of 1 or
// more its floor is at least half of it, and below 1 the floor is 0.
inline std::int32_t roundHalfEven(double value)
{
    const double magnitude = std::fabs(value);
    double rounded = std::floor(magnitude);
    const double fraction = magnitude - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) {
        rounded += 1.0;
    }
    return static_cast<std::int32_t>(std::copysign(rounded, value));
}

inline std::int32_t truncateTowardZero(double value)
{
    return static_cast<std::int32_t>(std::trunc(value));
}

} // namespace survey
