#pragma once
// The arithmetic the survey's figures are defined by: each formula row is evaluated with a
// 64-bit significand, every addition, division and multiplication rounded to nearest with
// ties to even, and rounded to double only when its result is stored. Plain double
// arithmetic gives a different type 1 percentage for a few hundred answer combinations.
//
// An arithmetic type holds one row while it is evaluated: it starts from a double or a
// 32-bit integer, takes plus(), dividedBy() and times() in the order the formula is
// written, and stored() gives the double the row's result is kept as. Two types do this:
// X87Extended here, the x87 80-bit format that long double is on x86, done by the hardware,
// and MpfrExtended (mpfr_extended.h), GNU MPFR at 64 bits, which works on every CPU.

#include <cfloat>
#include <cmath>
#include <cstdint>

// Which arithmetic a build computes with is chosen here, at build time (survey_model.h).
#if LDBL_MANT_DIG == 64 && (defined(__x86_64__) || defined(__i386__))
#define SURVEY_HAS_X87_EXTENDED 1
#else
#define SURVEY_HAS_X87_EXTENDED 0
#endif

namespace survey {

#if SURVEY_HAS_X87_EXTENDED
class X87Extended {
public:
    explicit X87Extended(double value) : m_value(value) {}
    explicit X87Extended(std::int32_t value) : m_value(value) {}

    X87Extended& plus(double term)
    {
        m_value += term;
        return *this;
    }
    X87Extended& dividedBy(int divisor)
    {
        m_value /= divisor;
        return *this;
    }
    X87Extended& times(double factor)
    {
        m_value *= factor;
        return *this;
    }
    double stored() const { return static_cast<double>(m_value); }

private:
    long double m_value;
};
#endif

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
