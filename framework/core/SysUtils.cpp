// Integer text conversions and the ASCII text helpers.
#include "core/SysUtils.h"

#include "core/Unicode.h"

#include <charconv>
#include <limits>

namespace {

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// Parses [blanks][sign](digits | $hex | 0xhex)[blanks]. Decimal values must fit `bits` as signed numbers;
// hexadecimal ones are bit patterns of up to `bits` bits, so "$FFFFFFFF" reads as -1 in 32 bits, as the
// "$%.8x" output of negative values needs.
bool ParseInteger(std::string_view text, int bits, int64_t& value) {
    const std::string trimmed = Trim(text);
    std::string_view s = trimmed;
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s[0] == '$') {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() > 1 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    // from_chars would accept a second sign; the digits alone must remain.
    if (s.empty() || s[0] == '-' || s[0] == '+') return false;
    uint64_t magnitude = 0;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
    if (result.ec != std::errc() || result.ptr != s.data() + s.size()) return false;

    const uint64_t mask = bits == 64 ? ~uint64_t(0) : (uint64_t(1) << bits) - 1;
    int64_t signedValue;
    if (base == 16) {
        if (magnitude > mask) return false;
        // Sign-extend the bit pattern to 64 bits.
        const uint64_t signBit = uint64_t(1) << (bits - 1);
        signedValue = static_cast<int64_t>((magnitude ^ signBit) - signBit);
        if (negative) signedValue = static_cast<int64_t>(0 - static_cast<uint64_t>(signedValue));
    } else {
        const uint64_t limit = uint64_t(1) << (bits - 1); // magnitude of the most negative value
        if (magnitude > (negative ? limit : limit - 1)) return false;
        signedValue = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    }
    if (bits < 64) {
        // Keep the result within `bits` bits even for "-$80000000".
        const uint64_t signBit = uint64_t(1) << (bits - 1);
        const uint64_t pattern = static_cast<uint64_t>(signedValue) & mask;
        signedValue = static_cast<int64_t>((pattern ^ signBit) - signBit);
    }
    value = signedValue;
    return true;
}

[[noreturn]] void InvalidInteger(std::string_view text) {
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

} // namespace

std::string IntToStr(int64_t value) {
    return std::to_string(value);
}

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    const int64_t product = int64_t(number) * numerator;
    const int64_t magnitude = denominator < 0 ? -int64_t(denominator) : denominator;
    const int64_t rounded = ((product < 0 ? -product : product) + magnitude / 2) / magnitude;
    const int64_t result = (product < 0) != (denominator < 0) ? -rounded : rounded;
    if (result < std::numeric_limits<int>::min() || result > std::numeric_limits<int>::max()) return -1;
    return static_cast<int>(result);
}

std::string IntToHex(int64_t value, int digits) {
    return Format("%.*X", digits < 0 ? 0 : digits, value);
}

bool TryStrToInt(std::string_view text, int& value) {
    int64_t parsed;
    if (!ParseInteger(text, 32, parsed)) return false;
    value = static_cast<int>(parsed);
    return true;
}

int StrToInt(std::string_view text) {
    int value;
    if (!TryStrToInt(text, value)) InvalidInteger(text);
    return value;
}

int64_t StrToInt64(std::string_view text) {
    int64_t value;
    if (!ParseInteger(text, 64, value)) InvalidInteger(text);
    return value;
}

std::string Trim(std::string_view text) {
    size_t first = 0, last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ')
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ')
        --last;
    return std::string(text.substr(first, last - first));
}

std::string UpperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = AsciiUpper(c);
    return result;
}

std::string LowerCase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = AsciiLower(c);
    return result;
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareText(a, b) == 0;
}

int CompareText(std::string_view a, std::string_view b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const int difference =
            static_cast<unsigned char>(AsciiUpper(a[i])) - static_cast<unsigned char>(AsciiUpper(b[i]));
        if (difference != 0) return difference;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool IsValidIdent(std::string_view text) {
    size_t pos = 0;
    char32_t code;
    if (!DecodeUtf8(text, pos, code) || !IsIdentifierStart(code)) return false;
    while (pos < text.size()) {
        const char c = text[pos];
        if (IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_') {
            ++pos;
            continue;
        }
        if (!DecodeUtf8(text, pos, code) || !IsIdentifierPart(code)) return false;
    }
    return true;
}
