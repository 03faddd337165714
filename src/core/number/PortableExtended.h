#pragma once
// The x87 80-bit extended format without x87 hardware: a value class whose
// every operation is done by MPFR at 64 bits, rounded to nearest with ties
// to even, and then confined to the format's exponent range with its
// subnormals, so that each result equals the hardware's bit for bit.
// Included through core/number/Extended.h, which picks the type.

#include <concepts>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace core {
inline namespace portable_extended {

class PortableExtended {
public:
    // What a value is; a regular value is ±0.significand · 2^exponent, the
    // significand's top bit set (MPFR's convention).
    enum class Kind : std::uint8_t { Zero, Regular, Infinity, NaN };

    constexpr PortableExtended() = default;
    PortableExtended(double value);  // exact
    PortableExtended(long double value);  // exact where long double is the x87 format, else rounded
    template <std::integral Integer>
    PortableExtended(Integer value)  // exact
        : PortableExtended(std::is_signed_v<Integer> ? fromInteger(static_cast<std::int64_t>(value))
                                                     : fromUnsigned(static_cast<std::uint64_t>(value)))
    {
    }

    explicit operator double() const;  // rounded to nearest, subnormal Doubles included
    explicit operator long double() const;

    constexpr Kind kind() const { return kind_; }
    constexpr bool negative() const { return negative_; }
    constexpr std::uint64_t significand() const { return significand_; }
    constexpr std::int32_t exponent() const { return exponent_; }

    // A value given by its parts, taken as they are.
    static constexpr PortableExtended fromParts(Kind kind, bool negative, std::uint64_t significand = 0,
                                                std::int32_t exponent = 0)
    {
        PortableExtended value;
        value.kind_ = kind;
        value.negative_ = negative;
        value.significand_ = significand;
        value.exponent_ = exponent;
        return value;
    }

    // A decimal text in the "C" syntax ("-0123.456e-78"), rounded once to the
    // format, subnormals included; beyond its range it becomes an infinity.
    static PortableExtended fromDecimal(const char* text);
    // The value's magnitude rounded to `count` significant decimal digits
    // (count ≤ 32), written into `digits`, with its decimal exponent E such
    // that the magnitude ≈ 0.d1d2… · 10^E. For regular values only.
    void decimalDigits(int count, char* digits, int& decimalExponent) const;

    friend PortableExtended operator+(const PortableExtended& lhs, const PortableExtended& rhs);
    friend PortableExtended operator-(const PortableExtended& lhs, const PortableExtended& rhs);
    friend PortableExtended operator*(const PortableExtended& lhs, const PortableExtended& rhs);
    friend PortableExtended operator/(const PortableExtended& lhs, const PortableExtended& rhs);
    friend PortableExtended sqrt(const PortableExtended& value);
    friend PortableExtended floor(const PortableExtended& value);
    friend PortableExtended ldexp(const PortableExtended& value, int exponent);

    PortableExtended& operator+=(const PortableExtended& rhs) { return *this = *this + rhs; }
    PortableExtended& operator-=(const PortableExtended& rhs) { return *this = *this - rhs; }
    PortableExtended& operator*=(const PortableExtended& rhs) { return *this = *this * rhs; }
    PortableExtended& operator/=(const PortableExtended& rhs) { return *this = *this / rhs; }

    // Negation and magnitude change only the sign, as the hardware's do.
    constexpr PortableExtended operator-() const
    {
        PortableExtended result = *this;
        result.negative_ = !negative_;
        return result;
    }
    constexpr PortableExtended operator+() const { return *this; }

    // Ordered comparisons; NaN compares unequal to everything, itself included.
    friend bool operator==(const PortableExtended& lhs, const PortableExtended& rhs);
    friend bool operator<(const PortableExtended& lhs, const PortableExtended& rhs);
    friend bool operator<=(const PortableExtended& lhs, const PortableExtended& rhs);
    friend bool operator>(const PortableExtended& lhs, const PortableExtended& rhs) { return rhs < lhs; }
    friend bool operator>=(const PortableExtended& lhs, const PortableExtended& rhs) { return rhs <= lhs; }

private:
    static PortableExtended fromInteger(std::int64_t value);
    static PortableExtended fromUnsigned(std::uint64_t value);

    // 16 bytes, as long double takes on x86-64.
    std::uint64_t significand_ = 0;
    std::int32_t exponent_ = 0;
    Kind kind_ = Kind::Zero;
    bool negative_ = false;
};

PortableExtended sqrt(const PortableExtended& value);
PortableExtended floor(const PortableExtended& value);
PortableExtended ldexp(const PortableExtended& value, int exponent);

constexpr PortableExtended fabs(const PortableExtended& value)
{
    return value.negative() ? -value : value;
}
constexpr bool isnan(const PortableExtended& value) { return value.kind() == PortableExtended::Kind::NaN; }
constexpr bool isinf(const PortableExtended& value) { return value.kind() == PortableExtended::Kind::Infinity; }
constexpr bool signbit(const PortableExtended& value) { return value.negative(); }

}  // namespace portable_extended
}  // namespace core

// The format's limits, as std::numeric_limits<long double> gives them on x86-64.
template <>
class std::numeric_limits<core::PortableExtended> {
    using T = core::PortableExtended;

public:
    static constexpr bool is_specialized = true;
    static constexpr bool is_signed = true;
    static constexpr bool has_infinity = true;
    static constexpr bool has_quiet_NaN = true;
    static constexpr bool has_denorm_loss = false;
    static constexpr int digits = 64;
    static constexpr int min_exponent = -16381;
    static constexpr int max_exponent = 16384;
    static constexpr int radix = 2;
    static constexpr std::float_round_style round_style = std::round_to_nearest;

    static constexpr T max() { return T::fromParts(T::Kind::Regular, false, ~std::uint64_t{0}, max_exponent); }
    static constexpr T lowest() { return -max(); }
    static constexpr T min() { return T::fromParts(T::Kind::Regular, false, std::uint64_t{1} << 63, min_exponent); }
    static constexpr T denorm_min()
    {
        return T::fromParts(T::Kind::Regular, false, std::uint64_t{1} << 63, min_exponent - digits + 1);
    }
    static constexpr T epsilon() { return T::fromParts(T::Kind::Regular, false, std::uint64_t{1} << 63, 1 - digits + 1); }
    static constexpr T infinity() { return T::fromParts(T::Kind::Infinity, false); }
    static constexpr T quiet_NaN() { return T::fromParts(T::Kind::NaN, false); }
};
