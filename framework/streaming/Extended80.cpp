#include "streaming/Extended80.h"

#include <cmath>
#include <limits>

namespace {

constexpr int ExponentBias = 16383;
constexpr int MaxExponent = 0x7FFF;
constexpr uint64_t IntegerBit = uint64_t(1) << 63;

void Store(uint8_t (&bytes)[Extended80Size], uint64_t mantissa, int exponent, bool negative) {
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<uint8_t>(mantissa >> (8 * i));
    const unsigned top = static_cast<unsigned>(exponent) | (negative ? 0x8000u : 0u);
    bytes[8] = static_cast<uint8_t>(top);
    bytes[9] = static_cast<uint8_t>(top >> 8);
}

// A non-negative value below 2^64 rounded to the nearest integer, ties to even. With at most 64 bits of
// mantissa the scaled values are whole already.
uint64_t RoundToUInt64(Extended value, bool& carry) {
    Extended whole = value;
    if constexpr (std::numeric_limits<Extended>::digits > 64) whole = std::nearbyint(value);
    carry = whole >= std::ldexp(Extended(1), 64);
    if (carry) return IntegerBit;
    return static_cast<uint64_t>(whole);
}

} // namespace

void EncodeExtended80(Extended value, uint8_t (&bytes)[Extended80Size]) {
    const bool negative = std::signbit(value);
    if (std::isnan(value)) return Store(bytes, IntegerBit | (IntegerBit >> 1), MaxExponent, negative);
    if (std::isinf(value)) return Store(bytes, IntegerBit, MaxExponent, negative);
    if (value == 0) return Store(bytes, 0, 0, negative);

    const Extended magnitude = std::fabs(value);
    int binaryExponent = 0;
    const Extended fraction = std::frexp(magnitude, &binaryExponent); // magnitude = fraction * 2^e
    int exponent = binaryExponent - 1 + ExponentBias;
    bool carry = false;
    if (exponent >= 1) {
        uint64_t mantissa = RoundToUInt64(std::ldexp(fraction, 64), carry);
        if (carry) ++exponent;
        if (exponent >= MaxExponent) return Store(bytes, IntegerBit, MaxExponent, negative);
        return Store(bytes, mantissa, exponent, negative);
    }
    // Denormal: value = mantissa * 2^(1 - bias - 63) with the integer bit clear.
    const uint64_t mantissa = RoundToUInt64(std::ldexp(magnitude, ExponentBias - 1 + 63), carry);
    if (carry || (mantissa & IntegerBit)) return Store(bytes, IntegerBit, 1, negative);
    Store(bytes, mantissa, 0, negative);
}

Extended DecodeExtended80(const uint8_t (&bytes)[Extended80Size]) {
    uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i)
        mantissa = (mantissa << 8) | bytes[i];
    const unsigned top = bytes[8] | (unsigned(bytes[9]) << 8);
    const bool negative = (top & 0x8000) != 0;
    const int exponent = static_cast<int>(top & 0x7FFF);

    Extended magnitude;
    if (exponent == MaxExponent) {
        magnitude = (mantissa << 1) == 0 ? std::numeric_limits<Extended>::infinity()
                                         : std::numeric_limits<Extended>::quiet_NaN();
    } else {
        // Denormals share the scale of the smallest normal exponent.
        const int scale = (exponent == 0 ? 1 : exponent) - ExponentBias - 63;
        magnitude = std::ldexp(static_cast<Extended>(mantissa), scale);
    }
    return negative ? -magnitude : magnitude;
}
