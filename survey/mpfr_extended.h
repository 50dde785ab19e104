#pragma once
// The survey arithmetic (extended.h) in software, for CPUs whose long double is not the x87
// format: GNU MPFR numbers with a 64-bit significand, each operation rounded to nearest
// with ties to even, as the x87 unit rounds. The operands are doubles and small integers,
// which a 64-bit significand holds exactly, so every operation rounds once, like the
// hardware's, and stored() rounds the result to double once more, like a store.
//
// A row is evaluated tens of times per results computation, so the number's one limb lives
// inside the object (MPFR's custom interface) instead of on the heap: no allocation, no
// mpfr_clear, and nothing to leak.

#include <gmp.h>
#include <mpfr.h>

#include <array>
#include <cstdint>

namespace survey {

class MpfrExtended {
public:
    static constexpr mpfr_prec_t precision = 64;

    explicit MpfrExtended(double value)
    {
        init();
        mpfr_set_d(m_value, value, MPFR_RNDN);
    }
    explicit MpfrExtended(std::int32_t value)
    {
        init();
        mpfr_set_si(m_value, value, MPFR_RNDN);
    }
    // m_value points into m_limbs, so a copy would share the original's significand.
    MpfrExtended(const MpfrExtended&) = delete;
    MpfrExtended& operator=(const MpfrExtended&) = delete;

    MpfrExtended& plus(double term)
    {
        mpfr_add_d(m_value, m_value, term, MPFR_RNDN);
        return *this;
    }
    MpfrExtended& dividedBy(int divisor)
    {
        mpfr_div_si(m_value, m_value, divisor, MPFR_RNDN);
        return *this;
    }
    MpfrExtended& times(double factor)
    {
        mpfr_mul_d(m_value, m_value, factor, MPFR_RNDN);
        return *this;
    }
    double stored() const { return mpfr_get_d(m_value, MPFR_RNDN); }

private:
    void init()
    {
        mpfr_custom_init(m_limbs.data(), precision);
        mpfr_custom_init_set(m_value, MPFR_ZERO_KIND, 0, precision, m_limbs.data());
    }

    std::array<mp_limb_t, (precision + GMP_NUMB_BITS - 1) / GMP_NUMB_BITS> m_limbs{};
    mpfr_t m_value;
};

} // namespace survey
