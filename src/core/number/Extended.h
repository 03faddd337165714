#pragma once
// core::Extended, the extended-precision number of the program's arithmetic:
// the x87 80-bit format, with a 64-bit significand, exponents from 2^-16382
// down to subnormals at 2^-16445 and up to below 2^16384, and every operation
// rounded to nearest, ties to even.
//
// On x86-64 it is long double, which is that format in hardware. Elsewhere,
// or when VELTRANO_PORTABLE_EXTENDED is defined, it is core::PortableExtended,
// which does each operation with MPFR and gives the same values bit for bit.
//
// Everything whose results depend on the type is declared inside
// `inline namespace VELTRANO_EXTENDED_NAMESPACE`, so that the arithmetic can
// be compiled for both types and linked into one binary without the two
// clashing (the cross-check test compares them that way).

#include <cfloat>
#include <cmath>

#if !defined(VELTRANO_PORTABLE_EXTENDED) && LDBL_MANT_DIG != 64
#define VELTRANO_PORTABLE_EXTENDED 1  // long double is not the x87 format here
#endif

#if defined(VELTRANO_PORTABLE_EXTENDED)
#define VELTRANO_EXTENDED_NAMESPACE portable_extended
#include "core/number/PortableExtended.h"
#else
#define VELTRANO_EXTENDED_NAMESPACE native_extended
#endif

namespace core {
inline namespace VELTRANO_EXTENDED_NAMESPACE {

#if defined(VELTRANO_PORTABLE_EXTENDED)
using Extended = PortableExtended;
inline constexpr bool kExtendedIsNative = false;
#else
static_assert(LDBL_MANT_DIG == 64 && LDBL_MAX_EXP == 16384 && LDBL_MIN_EXP == -16381,
              "the native extended type must be the x87 80-bit format");
using Extended = long double;
inline constexpr bool kExtendedIsNative = true;

// The same names as the portable type's, so that code reads alike for both.
inline Extended fabs(Extended x) { return std::fabs(x); }
inline Extended sqrt(Extended x) { return std::sqrt(x); }
inline bool isnan(Extended x) { return std::isnan(x); }
inline bool isinf(Extended x) { return std::isinf(x); }
inline bool signbit(Extended x) { return std::signbit(x); }
#endif

}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace core
