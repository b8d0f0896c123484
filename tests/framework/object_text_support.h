// Helpers of the form text tests and the converter fuzzers: the two conversions on strings, and texts
// written with "\n".
#pragma once

#include "core/Streams.h"
#include "streaming/ObjectText.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
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

inline std::string Bytes(std::initializer_list<int> bytes) {
    std::string result;
    for (const int b : bytes)
        result += static_cast<char>(b);
    return result;
}

// The `size` low bytes of `value`, least significant first.
inline std::string LittleEndian(uint64_t value, int size) {
    std::string result;
    for (int i = 0; i < size; ++i)
        result += static_cast<char>(value >> (8 * i));
    return result;
}

// The binary of "object T / P = <value> / end" with the value's bytes given.
inline std::string OnePropertyBinary(const std::string& valueBytes) {
    return std::string("TPF0\x01T\x00\x01P", 9) + valueBytes + std::string("\x00\x00", 2);
}

// The message of the exception of type E that `run` fails with, or "(no exception)".
template <class E> std::string MessageOf(const std::function<void()>& run) {
    try {
        run();
    } catch (const E& e) {
        return e.Message();
    }
    return "(no exception)";
}

// The parser's message for text that does not convert, or "(converted)".
inline std::string ParserMessage(const std::string& text) {
    try {
        ToBinary(text);
    } catch (const EParserError& e) {
        return e.Message();
    }
    return "(converted)";
}
