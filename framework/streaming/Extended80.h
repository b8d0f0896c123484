// The 10-byte extended-precision float of the binary form stream, encoded and decoded portably: a
// little-endian 64-bit mantissa with an explicit integer bit, then 15 bits of exponent (bias 16383) and
// the sign in the top bit. Works from the value, not its memory layout, so any long double format will do.
#pragma once

#include "core/SysUtils.h"

#include <cstdint>

#pragma GCC visibility push(default)

inline constexpr int Extended80Size = 10;

// Zero, denormals, infinities and NaN included; a value outside the 10-byte range becomes infinity and
// extra precision is rounded to nearest.
void EncodeExtended80(Extended value, uint8_t (&bytes)[Extended80Size]);
// Any 10 bytes decode to some value (unnormal encodings by their numeric meaning, NaN payloads to NaN).
Extended DecodeExtended80(const uint8_t (&bytes)[Extended80Size]);

#pragma GCC visibility pop
