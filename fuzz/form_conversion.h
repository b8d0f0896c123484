// The two conversions of the form format on strings, for the converter fuzzers.
#pragma once

#include "core/Streams.h"
#include "streaming/ObjectText.h"

#include <string>

namespace fuzz {

inline std::string ToBinary(const std::string& text) {
    TStringStream input(text), output;
    ObjectTextToBinary(input, output);
    return output.DataString();
}

inline std::string ToText(const std::string& binary) {
    TStringStream input(binary), output;
    ObjectBinaryToText(input, output);
    return output.DataString();
}

} // namespace fuzz
