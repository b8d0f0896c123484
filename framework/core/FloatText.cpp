// Floating-point text conversions. std::to_chars/from_chars do the digit work: they round correctly and,
// unlike printf/strtold, ignore the process locale (a GUI toolkit may switch LC_NUMERIC to the user's).
#include "core/SysUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr int MaxPrecision = 18;
constexpr int MaxExponentDigits = 4;

// The value rounded to `precision` significant digits: the digits without trailing zeros and the decimal
// exponent of the first one (value = d.ddd * 10^exponent).
struct TDecimal {
    std::string Digits;
    int Exponent = 0;
    bool Negative = false;
};

TDecimal ToDecimal(Extended value, int precision) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, precision - 1);
    std::string_view text(buffer, result.ptr - buffer);
    TDecimal decimal;
    if (text.front() == '-') {
        decimal.Negative = true;
        text.remove_prefix(1);
    }
    const size_t e = text.find('e');
    for (const char c : text.substr(0, e))
        if (c != '.') decimal.Digits += c;
    while (decimal.Digits.size() > 1 && decimal.Digits.back() == '0')
        decimal.Digits.pop_back();
    std::from_chars(text.data() + e + 2, text.data() + text.size(), decimal.Exponent);
    if (text[e + 1] == '-') decimal.Exponent = -decimal.Exponent;
    return decimal;
}

std::string Scientific(const TDecimal& decimal, int minExponentDigits, char separator) {
    std::string text(1, decimal.Digits[0]);
    if (decimal.Digits.size() > 1) {
        text += separator;
        text.append(decimal.Digits, 1);
    }
    text += 'E';
    if (decimal.Exponent < 0)
        text += '-';
    else if (minExponentDigits > 0)
        text += '+';
    const std::string exponent = std::to_string(std::abs(decimal.Exponent));
    if (static_cast<int>(exponent.size()) < minExponentDigits)
        text.append(minExponentDigits - exponent.size(), '0');
    return text + exponent;
}

std::string Fixed(const TDecimal& decimal, char separator) {
    const std::string& digits = decimal.Digits;
    if (decimal.Exponent < 0)
        return "0" + std::string(1, separator) + std::string(-decimal.Exponent - 1, '0') + digits;
    const size_t integerDigits = static_cast<size_t>(decimal.Exponent) + 1;
    if (digits.size() <= integerDigits) return digits + std::string(integerDigits - digits.size(), '0');
    return digits.substr(0, integerDigits) + separator + digits.substr(integerDigits);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool SameTextAt(std::string_view text, size_t pos, std::string_view word) {
    return text.size() - pos == word.size() && SameText(text.substr(pos), word);
}

} // namespace

std::string FloatToStrGeneral(Extended value, int precision, int minExponentDigits, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";
    precision = std::clamp(precision, 1, MaxPrecision);
    minExponentDigits = std::clamp(minExponentDigits, 0, MaxExponentDigits);

    const TDecimal decimal = ToDecimal(value, precision);
    // Scientific once fixed notation would need more than `precision` integer digits, or below 0.0001.
    const bool scientific = decimal.Exponent >= precision || decimal.Exponent < -4;
    const std::string text = scientific ? Scientific(decimal, minExponentDigits, decimalSeparator)
                                        : Fixed(decimal, decimalSeparator);
    return decimal.Negative ? "-" + text : text;
}

std::string FloatToStr(Extended value) {
    return FloatToStrGeneral(value, 15);
}

bool TryStrToFloat(std::string_view text, Extended& value, char decimalSeparator) {
    const std::string trimmed = Trim(text);
    std::string_view s = trimmed;
    size_t i = 0;
    const bool negative = !s.empty() && s[0] == '-';
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) ++i;

    // The names FloatToStrGeneral writes for the non-finite values read back.
    if (SameTextAt(s, i, "INF")) {
        value = negative ? -HUGE_VALL : HUGE_VALL;
        return true;
    }
    if (SameTextAt(s, i, "NAN")) {
        value = NAN;
        return true;
    }

    // Validate the whole syntax first, and rebuild it with "." for from_chars:
    // digits [sep digits] [e [sign] digits], at least one mantissa digit.
    std::string plain(negative ? "-" : "");
    int mantissaDigits = 0;
    int leadingExponent = 0; // decimal exponent of the first non-zero digit, before the "E" part
    bool seenNonZero = false, afterSeparator = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (IsDigit(c)) {
            ++mantissaDigits;
            if (c != '0' && !seenNonZero) seenNonZero = true;
            if (seenNonZero && !afterSeparator) ++leadingExponent;
            if (!seenNonZero && afterSeparator) --leadingExponent;
            plain += c;
        } else if (c == decimalSeparator && !afterSeparator) {
            afterSeparator = true;
            plain += '.';
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) return false;
    int exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < s.size() && (s[i] == '-' || s[i] == '+')) plain += s[i++];
        const size_t exponentStart = i;
        while (i < s.size() && IsDigit(s[i]))
            plain += s[i++];
        if (i == exponentStart) return false;
        std::string_view digits = s.substr(exponentStart, i - exponentStart);
        if (std::from_chars(digits.data(), digits.data() + digits.size(), exponent).ec != std::errc())
            exponent = 1 << 20; // absurdly long exponent: out of range either way
        if (s[exponentStart - 1] == '-') exponent = -exponent;
    }
    if (i != s.size()) return false;

    Extended parsed = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), parsed);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small to represent reads as zero; too large is not a value.
        if (!seenNonZero || leadingExponent + exponent < 0) {
            value = negative ? -0.0L : 0.0L;
            return true;
        }
        return false;
    }
    if (result.ec != std::errc() || result.ptr != plain.data() + plain.size()) return false;
    value = parsed;
    return true;
}

Extended StrToFloat(std::string_view text, char decimalSeparator) {
    Extended value = 0;
    if (!TryStrToFloat(text, value, decimalSeparator))
        throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
    return value;
}
