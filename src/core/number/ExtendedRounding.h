#pragma once
// Rounding of extended-precision values to 64-bit integers, the one place
// where the program's arithmetic leaves floating point. Every ceiling of the
// tracing goes through here.

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>

#include "core/number/Extended.h"
#include "core/number/X87Encoding.h"

namespace core {
inline namespace VELTRANO_EXTENDED_NAMESPACE {

// Rounding modes, numbered as the x87 rounding-control field.
enum RoundMode : int { RoundNearest = 0, RoundDown = 1, RoundUp = 2, RoundTowardZero = 3 };

inline constexpr std::uint64_t kOneHalf = std::uint64_t{1} << 63;  // of a left-aligned binary fraction

// An extended value taken apart: ±significand · 2^(exponent − 63), the
// significand's top bit being the integer bit; or a value that no rounding to
// an integer accepts.
struct ExtendedParts {
    std::uint64_t significand;
    int exponent;
    bool negative;
    bool roundable;  // false for NaN, infinities and the encodings the FPU refuses to convert
};

#if defined(VELTRANO_PORTABLE_EXTENDED)
inline ExtendedParts partsOf(const Extended& value) {
    using Kind = Extended::Kind;
    switch (value.kind()) {
    case Kind::Regular:  // 0.significand · 2^e
        return {value.significand(), static_cast<int>(value.exponent()) - 1, value.negative(), true};
    case Kind::Zero:
        return {0, -16383, value.negative(), true};
    default:
        return {0, 0, value.negative(), false};
    }
}
#else
inline ExtendedParts partsOf(long double value) {
    const auto [significand, signAndExponent] = x87Fields(value);
    const int biasedExponent = signAndExponent & 0x7fff;
    const bool hasIntegerBit = (significand & kOneHalf) != 0;
    // Infinity, NaN, and the encodings with a clear integer bit that the FPU
    // also refuses to convert.
    const bool roundable = biasedExponent != 0x7fff && (biasedExponent == 0 || hasIntegerBit);
    return {significand, biasedExponent - 16383, (signAndExponent & 0x8000) != 0, roundable};
}
#endif

// Rounds `value` to a signed 64-bit integer under `mode` into `result`;
// false for NaN, infinities, unsupported encodings and results outside the
// range. Rounds by taking the value apart instead of switching the FPU's
// rounding control: a mode change would cost far more than the rounding
// itself and, left in place, would alter every x87 operation of the tracing.
template <RoundMode mode>
[[gnu::always_inline]] inline bool roundToInt64(const Extended& value, std::int64_t& result) {
    const ExtendedParts parts = partsOf(value);
    if (!parts.roundable) return false;

    const int exponent = parts.exponent;
    std::uint64_t whole;     // the magnitude's integer part
    std::uint64_t fraction;  // the rest, left-aligned: kOneHalf is exactly one half
    if (exponent >= 63) {
        if (parts.negative && exponent == 63 && parts.significand == kOneHalf) {
            result = std::numeric_limits<std::int64_t>::min();
            return true;
        }
        return false;
    } else if (exponent >= 0) {
        const int fractionBits = 63 - exponent;  // 1 … 63
        whole = parts.significand >> fractionBits;
        fraction = parts.significand << (64 - fractionBits);
    } else if (exponent == -1) {
        whole = 0;
        fraction = parts.significand;
    } else {
        // Below one half (or zero, or subnormal): only whether it is zero matters.
        whole = 0;
        fraction = parts.significand != 0 ? 1 : 0;
    }

    bool awayFromZero = false;
    if constexpr (mode == RoundNearest) {
        awayFromZero = fraction > kOneHalf || (fraction == kOneHalf && (whole & 1) != 0);
    } else if constexpr (mode == RoundDown) {
        awayFromZero = parts.negative && fraction != 0;
    } else if constexpr (mode == RoundUp) {
        awayFromZero = !parts.negative && fraction != 0;
    }
    const std::uint64_t magnitude = whole + (awayFromZero ? 1 : 0);  // at most 2^63
    if (parts.negative) {
        result = static_cast<std::int64_t>(std::uint64_t{0} - magnitude);  // 2^63 gives the minimum
        return true;
    }
    if (magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return false;
    result = static_cast<std::int64_t>(magnitude);
    return true;
}

// Scales up to this magnitude have at most 11 significant bits, so their
// product with any double (53 bits) is exact in extended precision.
inline constexpr std::int64_t kLargestExactScale = 2047;

// ceil(scale · value) for |scale| ≤ kLargestExactScale, from the bits of the
// double alone: the same result as rounding up the extended product, which is
// exact, without storing an 80-bit value. False where that rounding fails:
// value not finite, or the ceiling outside the signed 64-bit range.
[[gnu::always_inline]] inline bool ceilOfExactProduct(double value, std::int64_t scale, std::int64_t& ceiling) {
    using u64 = std::uint64_t;
    const u64 bits = std::bit_cast<u64>(value);
    const int biasedExponent = static_cast<int>(bits >> 52) & 0x7ff;
    if (biasedExponent == 0x7ff) return false;

    // value = ±significand · 2^exponent, subnormals included.
    u64 significand = bits & ((u64{1} << 52) - 1);
    if (biasedExponent != 0) significand |= u64{1} << 52;
    const int exponent = (biasedExponent != 0 ? biasedExponent : 1) - 1075;
    const bool negative = ((bits >> 63) != 0) != (scale < 0);
    const u64 product = significand * static_cast<u64>(scale < 0 ? -scale : scale);  // < 2^64
    if (product == 0) {
        ceiling = 0;
        return true;
    }

    const u64 largestMagnitude = negative ? u64{1} << 63 : (u64{1} << 63) - 1;
    u64 whole;
    bool hasFraction;
    if (exponent >= 0) {
        if (exponent > 63 || product > (largestMagnitude >> exponent)) return false;
        whole = product << exponent;
        hasFraction = false;
    } else if (exponent > -64) {
        whole = product >> -exponent;
        hasFraction = (product << (64 + exponent)) != 0;
    } else {
        whole = 0;
        hasFraction = true;
    }

    if (negative) {
        ceiling = static_cast<std::int64_t>(u64{0} - whole);  // truncation is the ceiling
        return true;
    }
    const u64 magnitude = whole + (hasFraction ? 1 : 0);
    if (magnitude > largestMagnitude) return false;
    ceiling = static_cast<std::int64_t>(magnitude);
    return true;
}

}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace core
