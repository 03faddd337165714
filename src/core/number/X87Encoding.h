#pragma once
// The fields of a long double in the x87 80-bit encoding: the 64-bit
// significand (integer bit included) and the sign with the 15-bit exponent.
// Only meaningful where long double is that format.

#include <cstdint>
#include <cstring>

namespace core {

struct X87Fields {
    std::uint64_t significand;
    std::uint16_t signAndExponent;
};

inline X87Fields x87Fields(long double value)
{
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &value, sizeof value);
    X87Fields fields;
    std::memcpy(&fields.significand, bytes, 8);
    std::memcpy(&fields.signAndExponent, bytes + 8, 2);
    return fields;
}

}  // namespace core
