// The portable extended type's operations. Each one runs MPFR on views of
// the operands' own storage (MPFR's custom interface, so nothing is
// allocated), rounds to 64 bits to nearest with ties to even, and then, only
// when the result lies outside the normal range, confines it to the x87
// format: overflow to infinity, and the subnormals' reduced precision.

#include "core/number/X87Encoding.h"
#include "core/number/Extended.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <gmp.h>
#include <mpfr.h>

namespace core {
inline namespace portable_extended {

namespace {

constexpr mpfr_prec_t kPrecision = 64;
// MPFR exponents (value = 0.1… · 2^e) of the format: the least subnormal
// 2^-16445, the least normal number 2^-16382 and the largest finite value,
// just below 2^16384.
constexpr mpfr_exp_t kSubnormalExponent = -16444;
constexpr mpfr_exp_t kNormalExponent = -16381;
constexpr mpfr_exp_t kLargestExponent = 16384;

static_assert(GMP_NUMB_BITS == 64 && sizeof(mp_limb_t) == sizeof(std::uint64_t),
              "one 64-bit limb holds the significand");

static_assert(sizeof(PortableExtended) == 16, "as small as the x87 long double");

using Kind = PortableExtended::Kind;

int mpfrKind(Kind kind, bool negative)
{
    int mpfr = MPFR_ZERO_KIND;
    switch (kind) {
    case Kind::Zero: mpfr = MPFR_ZERO_KIND; break;
    case Kind::Regular: mpfr = MPFR_REGULAR_KIND; break;
    case Kind::Infinity: mpfr = MPFR_INF_KIND; break;
    case Kind::NaN: mpfr = MPFR_NAN_KIND; break;
    }
    return negative ? -mpfr : mpfr;
}

// An MPFR number over a 64-bit significand held elsewhere.
class View {
public:
    // A view of a value, for reading.
    explicit View(const PortableExtended& value) : limb_(value.significand())
    {
        mpfr_custom_init_set(number_, mpfrKind(value.kind(), value.negative()), value.exponent(), kPrecision, &limb_);
    }
    // A zero to write a result into.
    View() : limb_(0) { mpfr_custom_init_set(number_, MPFR_ZERO_KIND, 0, kPrecision, &limb_); }

    mpfr_ptr get() { return number_; }
    mpfr_srcptr get() const { return number_; }

    // The value, once `ternary` (the sign of the rounding error MPFR reported)
    // has been used to bring it into the format's range.
    PortableExtended fitted(int ternary)
    {
        fitToFormat(ternary);
        const int kind = mpfr_custom_get_kind(number_);
        const bool negative = kind < 0;
        switch (negative ? -kind : kind) {
        case MPFR_REGULAR_KIND:
            // Within the format's range now, so the exponent fits 32 bits.
            return PortableExtended::fromParts(Kind::Regular, negative, limb_,
                                               static_cast<std::int32_t>(mpfr_custom_get_exp(number_)));
        case MPFR_INF_KIND:
            return PortableExtended::fromParts(Kind::Infinity, negative);
        case MPFR_NAN_KIND:
            return PortableExtended::fromParts(Kind::NaN, false);
        default:
            return PortableExtended::fromParts(Kind::Zero, negative);
        }
    }

private:
    // The exponent range and subnormals of the format. The operation itself
    // ran in MPFR's far wider default range, so a result outside the normal
    // range is still correctly rounded to 64 bits; mpfr_check_range and
    // mpfr_subnormalize then round it once more, using the ternary value so
    // that the two roundings give what one rounding to the format gives.
    void fitToFormat(int ternary)
    {
        if (!mpfr_regular_p(number_)) return;
        const mpfr_exp_t exponent = mpfr_get_exp(number_);
        if (exponent >= kNormalExponent && exponent <= kLargestExponent) return;
        const mpfr_exp_t savedMin = mpfr_get_emin(), savedMax = mpfr_get_emax();
        mpfr_set_emin(kSubnormalExponent);
        mpfr_set_emax(kLargestExponent);
        ternary = mpfr_check_range(number_, ternary, MPFR_RNDN);
        mpfr_subnormalize(number_, ternary, MPFR_RNDN);
        mpfr_set_emin(savedMin);
        mpfr_set_emax(savedMax);
    }

    mp_limb_t limb_;
    mpfr_t number_;
};

}  // namespace

PortableExtended::PortableExtended(double value)
{
    View result;
    *this = result.fitted(mpfr_set_d(result.get(), value, MPFR_RNDN));
}

PortableExtended::PortableExtended(long double value)
{
    View result;
#if LDBL_MANT_DIG == 64 && LDBL_MAX_EXP == 16384
    // The x87 encoding taken apart, so that every bit pattern means what the
    // hardware reads it as: a pseudo-denormal is the normal number with
    // exponent field 1; unnormals, pseudo-infinities and pseudo-NaNs, which
    // the hardware refuses as operands, are NaN.
    const auto [significand, signAndExponent] = x87Fields(value);
    const bool negative = (signAndExponent & 0x8000) != 0;
    const int biasedExponent = signAndExponent & 0x7fff;
    const bool integerBit = (significand >> 63) != 0;
    if (biasedExponent == 0x7fff) {
        const bool infinity = significand == std::uint64_t{1} << 63;
        *this = fromParts(infinity ? Kind::Infinity : Kind::NaN, infinity && negative);
        return;
    }
    if (biasedExponent != 0 && !integerBit) {
        *this = fromParts(Kind::NaN, false);
        return;
    }
    // significand · 2^(e − 16383 − 63), e counting as 1 when the field is 0.
    const long exponent = (biasedExponent == 0 ? 1 : biasedExponent) - 16383 - 63;
    mpfr_set_uj_2exp(result.get(), significand, exponent, MPFR_RNDN);  // exact
    if (negative) mpfr_neg(result.get(), result.get(), MPFR_RNDN);
    *this = result.fitted(0);
#else
    *this = result.fitted(mpfr_set_ld(result.get(), value, MPFR_RNDN));
#endif
}

PortableExtended PortableExtended::fromInteger(std::int64_t value)
{
    View result;
    return result.fitted(mpfr_set_sj(result.get(), value, MPFR_RNDN));
}

PortableExtended PortableExtended::fromUnsigned(std::uint64_t value)
{
    View result;
    return result.fitted(mpfr_set_uj(result.get(), value, MPFR_RNDN));
}

PortableExtended::operator double() const
{
    return mpfr_get_d(View(*this).get(), MPFR_RNDN);
}

PortableExtended::operator long double() const
{
    return mpfr_get_ld(View(*this).get(), MPFR_RNDN);
}

PortableExtended PortableExtended::fromDecimal(const char* text)
{
    View result;
    return result.fitted(mpfr_strtofr(result.get(), text, nullptr, 10, MPFR_RNDN));
}

void PortableExtended::decimalDigits(int count, char* digits, int& decimalExponent) const
{
    char buffer[40];
    mpfr_exp_t exponent = 0;
    mpfr_get_str(buffer, &exponent, 10, static_cast<std::size_t>(count), View(fabs(*this)).get(), MPFR_RNDN);
    std::memcpy(digits, buffer, static_cast<std::size_t>(count));
    decimalExponent = static_cast<int>(exponent);
}

PortableExtended operator+(const PortableExtended& lhs, const PortableExtended& rhs)
{
    View result;
    return result.fitted(mpfr_add(result.get(), View(lhs).get(), View(rhs).get(), MPFR_RNDN));
}

PortableExtended operator-(const PortableExtended& lhs, const PortableExtended& rhs)
{
    View result;
    return result.fitted(mpfr_sub(result.get(), View(lhs).get(), View(rhs).get(), MPFR_RNDN));
}

PortableExtended operator*(const PortableExtended& lhs, const PortableExtended& rhs)
{
    View result;
    return result.fitted(mpfr_mul(result.get(), View(lhs).get(), View(rhs).get(), MPFR_RNDN));
}

PortableExtended operator/(const PortableExtended& lhs, const PortableExtended& rhs)
{
    View result;
    return result.fitted(mpfr_div(result.get(), View(lhs).get(), View(rhs).get(), MPFR_RNDN));
}

PortableExtended sqrt(const PortableExtended& value)
{
    View result;
    return result.fitted(mpfr_sqrt(result.get(), View(value).get(), MPFR_RNDN));
}

PortableExtended floor(const PortableExtended& value)
{
    View result;
    mpfr_floor(result.get(), View(value).get());  // a whole number of 64 bits at most: exact
    return result.fitted(0);
}

PortableExtended ldexp(const PortableExtended& value, int exponent)
{
    View result;
    return result.fitted(mpfr_mul_2si(result.get(), View(value).get(), exponent, MPFR_RNDN));
}

bool operator==(const PortableExtended& lhs, const PortableExtended& rhs)
{
    return mpfr_equal_p(View(lhs).get(), View(rhs).get()) != 0;
}

bool operator<(const PortableExtended& lhs, const PortableExtended& rhs)
{
    return mpfr_less_p(View(lhs).get(), View(rhs).get()) != 0;
}

bool operator<=(const PortableExtended& lhs, const PortableExtended& rhs)
{
    return mpfr_lessequal_p(View(lhs).get(), View(rhs).get()) != 0;
}

}  // namespace portable_extended
}  // namespace core
