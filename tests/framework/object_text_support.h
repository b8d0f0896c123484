// Helpers of the form text tests and the converter fuzzers: the two conversions on strings, and texts
// written with "\n".
#pragma once

#include "core/Streams.h"
#include "streaming/ObjectText.h"

#include <string>
#include <string_view>

// Test texts are written with "\n"; the format's lines end with CR LF.
inline std::string Crlf(std::string_view text) {
    std::string result;
    for (const char c : text) {
        if (c == '\n') result += '\r';
        result += c;
    }
    return result;
}

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
