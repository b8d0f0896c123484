// The start of a binary form: the signature "TPF0", first in the stream or after the resource header
// that form resources compiled by other programs carry.
//
//   FF 0A 00        a data resource (type 10, given by number)
//   name 00         the resource name, ending in a zero byte (at most MaxResourceName bytes before it)
//   flags           2 bytes
//   size            4 bytes, little-endian: the length of the form data that follows
//   "TPF0" ...      the form stream
#pragma once

#include "streaming/BufferedStreams.h"

#include <cstdint>
#include <string>

#pragma GCC visibility push(default)

inline constexpr size_t MaxResourceName = 255;

struct TFormHeader {
    bool HasResourceHeader = false;
    std::string ResourceName;  // as stored, without the zero byte
    uint32_t ResourceSize = 0; // the length the resource header gives for the data
};

// Reads through the signature, past a resource header before it. Fails with EReadError "Invalid stream
// format" when neither form is there.
TFormHeader ReadFormHeader(TBufferedInput& input);

#pragma GCC visibility pop
