// Format: printf-like formatting over a typed argument list. Every directive checks the argument's kind,
// so a wrong argument is an EConvertError instead of undefined behaviour.
#include "core/SysUtils.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

// Directive widths and precisions beyond this are format-string mistakes, not requests for megabytes.
constexpr int MaxFieldSize = 1 << 16;

struct TDirective {
    bool LeftJustify = false;
    int Width = -1;
    int Precision = -1;
    char Type = 0;
};

[[noreturn]] void FormatError(std::string_view format) {
    throw EConvertError("Format '" + std::string(format) + "' invalid or incompatible with argument");
}

class TFormatter {
public:
    TFormatter(std::string_view format, std::span<const TFormatArg> args) : FFormat(format), FArgs(args) {}

    std::string Run() {
        std::string result;
        result.reserve(FFormat.size() + 16);
        size_t i = 0;
        while (i < FFormat.size()) {
            const size_t percent = FFormat.find('%', i);
            if (percent == std::string_view::npos) {
                result.append(FFormat.substr(i));
                break;
            }
            result.append(FFormat.substr(i, percent - i));
            i = percent + 1;
            if (i < FFormat.size() && FFormat[i] == '%') {
                result += '%';
                ++i;
                continue;
            }
            const TDirective directive = ParseDirective(i);
            Pad(result, Convert(directive), directive);
        }
        return result;
    }

private:
    std::string_view FFormat;
    std::span<const TFormatArg> FArgs;
    size_t FNextArg = 0;

    const TFormatArg& NextArg() {
        if (FNextArg >= FArgs.size()) FormatError(FFormat);
        return FArgs[FNextArg++];
    }

    template <class T> const T& NextArgAs() {
        const auto* value = std::get_if<T>(&NextArg().Value());
        if (!value) FormatError(FFormat);
        return *value;
    }

    // A width or precision: digits, or "*" taking the next (integer) argument.
    int ParseNumber(size_t& i) {
        if (i < FFormat.size() && FFormat[i] == '*') {
            ++i;
            const int64_t value = NextArgAs<int64_t>();
            if (value < 0 || value > MaxFieldSize) FormatError(FFormat);
            return static_cast<int>(value);
        }
        int value = 0;
        while (i < FFormat.size() && FFormat[i] >= '0' && FFormat[i] <= '9') {
            value = value * 10 + (FFormat[i] - '0');
            if (value > MaxFieldSize) FormatError(FFormat);
            ++i;
        }
        return value;
    }

    TDirective ParseDirective(size_t& i) {
        TDirective directive;
        if (i < FFormat.size() && FFormat[i] == '-') {
            directive.LeftJustify = true;
            ++i;
        }
        if (i < FFormat.size() && (FFormat[i] == '*' || (FFormat[i] >= '0' && FFormat[i] <= '9')))
            directive.Width = ParseNumber(i);
        if (i < FFormat.size() && FFormat[i] == '.') {
            ++i;
            directive.Precision = ParseNumber(i);
        }
        if (i >= FFormat.size()) FormatError(FFormat);
        directive.Type = FFormat[i++];
        return directive;
    }

    std::string Convert(const TDirective& directive) {
        switch (directive.Type) {
        case 'd':
            return ConvertDecimal(NextArgAs<int64_t>(), directive.Precision);
        case 'u':
            return ZeroExtend(std::to_string(AsUnsigned(NextArgAs<int64_t>())), directive.Precision);
        case 'x':
        case 'X':
            return ZeroExtend(Hex(AsUnsigned(NextArgAs<int64_t>())), directive.Precision);
        case 'p':
            return ZeroExtend(Hex(reinterpret_cast<uintptr_t>(NextArgAs<const void*>())),
                              static_cast<int>(2 * sizeof(void*)));
        case 's':
            return Truncate(NextArgAs<std::string_view>(), directive.Precision);
        case 'e':
            return ConvertScientific(NextArgAs<Extended>(),
                                     directive.Precision < 0 ? 15 : directive.Precision);
        case 'f':
            return ConvertFixed(NextArgAs<Extended>(), directive.Precision < 0 ? 2 : directive.Precision);
        case 'g':
            return FloatToStrGeneral(NextArgAs<Extended>(),
                                     directive.Precision < 0 ? 15 : directive.Precision);
        default:
            FormatError(FFormat);
        }
    }

    // Negative values that fit in 32 bits show as their 32-bit two's complement ("FFFFFFFF" for -1),
    // larger ones as 64-bit.
    static uint64_t AsUnsigned(int64_t value) {
        if (value < 0 && value >= std::numeric_limits<int32_t>::min())
            return static_cast<uint32_t>(static_cast<int32_t>(value));
        return static_cast<uint64_t>(value);
    }

    static std::string Hex(uint64_t value) {
        char buffer[17];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, 16).ptr;
        std::string text(buffer, end);
        for (char& c : text)
            if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
        return text;
    }

    static std::string ZeroExtend(std::string digits, int minDigits) {
        if (minDigits > static_cast<int>(digits.size())) digits.insert(0, minDigits - digits.size(), '0');
        return digits;
    }

    static std::string ConvertDecimal(int64_t value, int minDigits) {
        const uint64_t magnitude =
            value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
        std::string text = ZeroExtend(std::to_string(magnitude), minDigits);
        if (value < 0) text.insert(0, 1, '-');
        return text;
    }

    // At most `maxChars` characters; a multi-byte UTF-8 character is never cut.
    static std::string Truncate(std::string_view text, int maxChars) {
        if (maxChars < 0) return std::string(text);
        size_t end = 0;
        for (int chars = 0; end < text.size() && chars < maxChars; ++chars) {
            ++end;
            while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
                ++end;
        }
        return std::string(text.substr(0, end));
    }

    static bool NonFinite(Extended value, std::string& text) {
        if (std::isnan(value))
            text = "NAN";
        else if (std::isinf(value))
            text = value < 0 ? "-INF" : "INF";
        else
            return false;
        return true;
    }

    // "-0.00" reads as a sign error; a result without a non-zero digit is written unsigned.
    static void DropNegativeZero(std::string& text) {
        if (!text.empty() && text[0] == '-' && text.find_first_of("123456789") == std::string::npos)
            text.erase(0, 1);
    }

    // `precision` digits after the point.
    static std::string ConvertFixed(Extended value, int precision) {
        std::string text;
        if (NonFinite(value, text)) return text;
        text.resize(std::numeric_limits<Extended>::max_exponent10 + precision + 8);
        const auto result =
            std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, precision);
        text.resize(result.ptr - text.data());
        DropNegativeZero(text);
        return text;
    }

    // `precision` significant digits (at least one), exponent "E+ddd" with at least three digits.
    static std::string ConvertScientific(Extended value, int precision) {
        std::string text;
        if (NonFinite(value, text)) return text;
        if (precision < 1) precision = 1;
        text.resize(precision + 16);
        const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                          std::chars_format::scientific, precision - 1);
        text.resize(result.ptr - text.data());
        const size_t e = text.find('e');
        std::string exponentDigits = text.substr(e + 2);
        const char exponentSign = text[e + 1];
        text.resize(e);
        DropNegativeZero(text);
        return text + 'E' + exponentSign + ZeroExtend(exponentDigits, 3);
    }

    // Width counts characters, so UTF-8 text lines up like ASCII.
    static void Pad(std::string& out, const std::string& text, const TDirective& directive) {
        int chars = 0;
        for (const char c : text)
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++chars;
        const int padding = directive.Width > chars ? directive.Width - chars : 0;
        if (!directive.LeftJustify) out.append(padding, ' ');
        out += text;
        if (directive.LeftJustify) out.append(padding, ' ');
    }
};

} // namespace

std::string FormatArgs(std::string_view format, std::span<const TFormatArg> args) {
    return TFormatter(format, args).Run();
}
