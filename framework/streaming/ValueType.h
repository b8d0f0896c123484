// The value tags of the binary form stream.
#pragma once

#include <cstdint>

#pragma GCC visibility push(default)

enum TValueType : uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,     // 4-byte IEEE single, little-endian
    vaCurrency = 16,   // 8-byte signed integer, little-endian: the amount times 10 000
    vaDate = 17,       // 8-byte IEEE double, little-endian: days since 1899-12-30
    vaWString = 18,    // 4-byte length in UTF-16 code units, then UTF-16LE
    vaInt64 = 19,      // 8-byte signed integer, little-endian
    vaUTF8String = 20, // 4-byte length, then UTF-8 bytes
};

// Prefix flags of a component record (high nibble 0xF). An inline record is an embedded frame: a
// component that owns the components of its own child records.
enum TFilerFlag : uint8_t { ffInherited = 1, ffChildPos = 2, ffInline = 4 };

inline constexpr char FormSignature[4] = {'T', 'P', 'F', '0'};

#pragma GCC visibility pop
