// Currency amounts as text: exact decimal arithmetic on the digits, no floating point on the way.
#include "core/SysUtils.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int ScaleDigits = 4;            // CurrencyScale is 10^4
constexpr int64_t ExponentClamp = 100000; // beyond any amount: only zero survives such a scale

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string CurrencyToStr(int64_t scaled) {
    // The magnitude in unsigned arithmetic, so that INT64_MIN has one too.
    const uint64_t magnitude = scaled < 0 ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
    std::string text = scaled < 0 ? "-" : "";
    text += std::to_string(magnitude / CurrencyScale);
    std::string fraction = std::to_string(magnitude % CurrencyScale);
    fraction.insert(0, ScaleDigits - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty()) text += '.' + fraction;
    return text;
}

bool TryStrToCurrency(std::string_view text, int64_t& scaled) {
    const std::string trimmed = Trim(text);
    const std::string_view s = trimmed;
    size_t i = 0;
    const bool negative = !s.empty() && s[0] == '-';
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) ++i;

    // The value is digits * 10^(exponent - fractionDigits): collect the significant digits.
    std::string digits;
    int64_t fractionDigits = 0;
    bool anyDigit = false, afterSeparator = false;
    for (; i < s.size(); ++i) {
        if (IsDigit(s[i])) {
            anyDigit = true;
            if (afterSeparator) ++fractionDigits;
            if (!digits.empty() || s[i] != '0') digits += s[i]; // leading zeros only count as places
        } else if (s[i] == '.' && !afterSeparator) {
            afterSeparator = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return false;
    int64_t exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        const bool negativeExponent = i < s.size() && s[i] == '-';
        if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
        const size_t start = i;
        for (; i < s.size() && IsDigit(s[i]); ++i)
            exponent = std::min(exponent * 10 + (s[i] - '0'), ExponentClamp);
        if (i == start) return false;
        if (negativeExponent) exponent = -exponent;
    }
    if (i != s.size()) return false;

    // scaled = digits * 10^shift; a negative shift drops digits, which round the rest.
    const int64_t shift = exponent - fractionDigits + ScaleDigits;
    const uint64_t limit = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
    uint64_t magnitude = 0;
    const auto append = [&](int digit) {
        if (magnitude > (limit - static_cast<uint64_t>(digit)) / 10) return false;
        magnitude = magnitude * 10 + static_cast<uint64_t>(digit);
        return true;
    };
    const int64_t length = static_cast<int64_t>(digits.size());
    const int64_t kept = shift >= 0 ? length : length + shift;
    for (int64_t d = 0; d < kept; ++d)
        if (!append(digits[static_cast<size_t>(d)] - '0')) return false;
    if (magnitude != 0)
        for (int64_t z = 0; z < shift; ++z)
            if (!append(0)) return false;
    // Dropped digits below a tenth of a unit (kept < 0) round down; otherwise the first dropped digit
    // decides, halves going to the even neighbour.
    if (kept >= 0 && kept < length) {
        const int firstDropped = digits[static_cast<size_t>(kept)] - '0';
        const bool restZero = std::all_of(digits.begin() + static_cast<std::ptrdiff_t>(kept) + 1,
                                          digits.end(), [](char c) { return c == '0'; });
        if (firstDropped > 5 || (firstDropped == 5 && (!restZero || magnitude % 2 == 1))) {
            if (magnitude == limit) return false;
            ++magnitude;
        }
    }
    scaled = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    return true;
}
