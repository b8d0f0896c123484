// Floating-point text conversions, independent of the process locale (a GUI toolkit may switch
// LC_NUMERIC to the user's). std::to_chars does the digit work of writing: it rounds correctly and finds
// the shortest digits that read back exactly. Reading checks the syntax itself and leaves the rounding to
// the C library's conversions in the "C" locale, which round correctly, denormals included.
#include "core/SysUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <type_traits>

namespace {

constexpr int MaxPrecision = 18;
constexpr int MaxExponentDigits = 4;
// Fixed notation up to this many integer digits, as the general format with 15 digits writes doubles.
constexpr int ShortestScientificFrom = 15;

// A rounded value as decimal digits without trailing zeros and the decimal exponent of the first one
// (value = d.ddd * 10^exponent).
struct TDecimal {
    std::string Digits;
    int Exponent = 0;
    bool Negative = false;
};

// From what std::to_chars writes in scientific format: "[-]d[.ddd]e(+|-)dd".
TDecimal ParseScientific(std::string_view text) {
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

TDecimal ToDecimal(Extended value, int precision) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, precision - 1);
    return ParseScientific(std::string_view(buffer, result.ptr - buffer));
}

template <class T> TDecimal ToShortestDecimal(T value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    return ParseScientific(std::string_view(buffer, result.ptr - buffer));
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

// Scientific once fixed notation would need `scientificFrom` or more integer digits, or below 0.0001.
std::string General(const TDecimal& decimal, int scientificFrom, int minExponentDigits, char separator) {
    const bool scientific = decimal.Exponent >= scientificFrom || decimal.Exponent < -4;
    const std::string text =
        scientific ? Scientific(decimal, minExponentDigits, separator) : Fixed(decimal, separator);
    return decimal.Negative ? "-" + text : text;
}

locale_t CLocale() {
    static const locale_t locale = ::newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
}

// Correctly rounded to T in the "C" locale: the nearest T, denormals included; infinity beyond T's range.
template <class T> T ParseAs(const char* plain) {
    if constexpr (std::is_same_v<T, float>)
        return ::strtof_l(plain, nullptr, CLocale());
    else if constexpr (std::is_same_v<T, double>)
        return ::strtod_l(plain, nullptr, CLocale());
    else
        return ::strtold_l(plain, nullptr, CLocale());
}

// The shortest digits of an 80-bit value. Exact shortest conversion of 80-bit floats is several times
// slower than of doubles, and most values come from short decimal text, so first try the shortest digits
// of the nearest double: when they read back to the value they are its shortest digits too. (Any text
// that reads back to the value lies in the value's rounding interval, which sits inside the double's
// unless the value is exactly halfway between two doubles; such text would read back to the double as
// well, and no text shorter than the double's shortest does.)
TDecimal ToShortestDecimal(Extended value) {
    const double nearest = static_cast<double>(value);
    if (std::isnormal(nearest)) {
        const double other = std::nextafter(nearest, value < nearest ? -HUGE_VAL : HUGE_VAL);
        const bool halfway = value != nearest && value - nearest == other - value;
        char buffer[64];
        const auto result =
            std::to_chars(buffer, buffer + sizeof buffer, nearest, std::chars_format::scientific);
        *result.ptr = '\0';
        if (!halfway && ParseAs<Extended>(buffer) == value)
            return ParseScientific(std::string_view(buffer, result.ptr - buffer));
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    return ParseScientific(std::string_view(buffer, result.ptr - buffer));
}

template <class T> std::string Shortest(T value, char separator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return std::signbit(value) ? "-0" : "0";
    return General(ToShortestDecimal(value), ShortestScientificFrom, 0, separator);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool SameTextAt(std::string_view text, size_t pos, std::string_view word) {
    return text.size() - pos == word.size() && SameText(text.substr(pos), word);
}

// The syntax every reading accepts: [sign] digits [sep digits] [e [sign] digits] with at least one
// mantissa digit, or INF or NAN. A number comes back in `plain`, rebuilt with "." for the C library.
enum class TSyntax { Invalid, Number, Infinity, NotANumber };

TSyntax CheckSyntax(std::string_view text, char decimalSeparator, std::string& plain, bool& negative) {
    const std::string trimmed = Trim(text);
    const std::string_view s = trimmed;
    size_t i = 0;
    negative = !s.empty() && s[0] == '-';
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) ++i;

    // The names the writers use for the non-finite values read back.
    if (SameTextAt(s, i, "INF")) return TSyntax::Infinity;
    if (SameTextAt(s, i, "NAN")) return TSyntax::NotANumber;

    plain.assign(negative ? "-" : "");
    int mantissaDigits = 0;
    bool afterSeparator = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (IsDigit(c)) {
            ++mantissaDigits;
            plain += c;
        } else if (c == decimalSeparator && !afterSeparator) {
            afterSeparator = true;
            plain += '.';
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) return TSyntax::Invalid;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < s.size() && (s[i] == '-' || s[i] == '+')) plain += s[i++];
        const size_t exponentStart = i;
        while (i < s.size() && IsDigit(s[i]))
            plain += s[i++];
        if (i == exponentStart) return TSyntax::Invalid;
    }
    return i == s.size() ? TSyntax::Number : TSyntax::Invalid;
}

// Rounded to the nearest value of T; what is too small for T's denormals reads as (signed) zero, what is
// too large for T fails.
template <class T> bool TryParse(std::string_view text, T& value, char decimalSeparator) {
    std::string plain;
    bool negative = false;
    switch (CheckSyntax(text, decimalSeparator, plain, negative)) {
    case TSyntax::Invalid:
        return false;
    case TSyntax::Infinity:
        value = negative ? -std::numeric_limits<T>::infinity() : std::numeric_limits<T>::infinity();
        return true;
    case TSyntax::NotANumber:
        value = std::numeric_limits<T>::quiet_NaN();
        return true;
    case TSyntax::Number:
        break;
    }
    const T parsed = ParseAs<T>(plain.c_str());
    if (std::isinf(parsed)) return false;
    value = parsed;
    return true;
}

} // namespace

std::string FloatToStrGeneral(Extended value, int precision, int minExponentDigits, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";
    precision = std::clamp(precision, 1, MaxPrecision);
    minExponentDigits = std::clamp(minExponentDigits, 0, MaxExponentDigits);
    return General(ToDecimal(value, precision), precision, minExponentDigits, decimalSeparator);
}

std::string FloatToStr(Extended value) {
    return FloatToStrGeneral(value, 15);
}

std::string FloatToStrShortest(Extended value, char decimalSeparator) {
    return Shortest(value, decimalSeparator);
}

std::string FloatToStrShortest(double value, char decimalSeparator) {
    return Shortest(value, decimalSeparator);
}

std::string FloatToStrShortest(float value, char decimalSeparator) {
    return Shortest(value, decimalSeparator);
}

bool TryStrToFloat(std::string_view text, Extended& value, char decimalSeparator) {
    return TryParse(text, value, decimalSeparator);
}

bool TryStrToFloat(std::string_view text, double& value, char decimalSeparator) {
    return TryParse(text, value, decimalSeparator);
}

bool TryStrToFloat(std::string_view text, float& value, char decimalSeparator) {
    return TryParse(text, value, decimalSeparator);
}

Extended StrToFloat(std::string_view text, char decimalSeparator) {
    Extended value = 0;
    if (!TryStrToFloat(text, value, decimalSeparator))
        throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
    return value;
}
