// Text formatting and the conversions between numbers, dates and text that the framework and the
// designer use. Messages are the system's own; conversions fail with EConvertError.
#pragma once

#include "core/Exceptions.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#pragma GCC visibility push(default)

using Extended = long double;
using TDateTimeValue = double; // days since 1899-12-30, time of day as the fraction

// One argument of Format: an integer, a floating-point number, text or a pointer. Integers are held as
// int64_t (chars and bools count as integers; unsigned 64-bit values above INT64_MAX do not fit).
class TFormatArg {
public:
    template <class T>
    requires std::is_integral_v<T> || std::is_enum_v<T> TFormatArg(T value)
        : FValue(static_cast<int64_t>(value)) {}
    TFormatArg(float value) : FValue(static_cast<Extended>(value)) {}
    TFormatArg(double value) : FValue(static_cast<Extended>(value)) {}
    TFormatArg(long double value) : FValue(value) {}
    TFormatArg(const char* value) : FValue(std::string_view(value ? value : "")) {}
    TFormatArg(std::string_view value) : FValue(value) {}
    TFormatArg(const std::string& value) : FValue(std::string_view(value)) {}
    TFormatArg(const void* value) : FValue(value) {}

    const std::variant<int64_t, Extended, std::string_view, const void*>& Value() const { return FValue; }

private:
    std::variant<int64_t, Extended, std::string_view, const void*> FValue;
};

// Format with %s %d %u %x %X %e %f %g %p %% plus width, precision and "-" (left justify), e.g. "%-10s",
// "%.8x". Width and precision may be "*", taking the next (integer) argument.
//   %d       integer; precision = minimum number of digits ("%.3d" of -5 is "-005")
//   %u %x %X unsigned decimal / hexadecimal with upper-case digits for both %x and %X; precision = minimum
//            digits ("%.8x" of 255 is "000000FF"). A negative value that fits in 32 bits is written as its
//            32-bit two's complement (-1 is "FFFFFFFF"), any other as 64-bit.
//   %s       text; precision = maximum number of characters (a UTF-8 character is never split)
//   %e       floating point, precision = significant digits (default 15), "-d.dddE+ddd"
//   %f       floating point, precision = digits after the point (default 2)
//   %g       FloatToStrGeneral with precision significant digits (default 15)
//   %p       pointer as 16 upper-case hexadecimal digits
// Integers go only to d u x X, floating-point values only to e f g, text only to s, pointers only to p.
// A mismatched argument, a missing one or an unknown directive fails with EConvertError
// "Format '%s' invalid or incompatible with argument" (the format string). Width pads with blanks and
// counts characters, not bytes.
std::string FormatArgs(std::string_view format, std::span<const TFormatArg> args);

template <class... Args> std::string Format(std::string_view format, const Args&... args) {
    const TFormatArg list[] = {TFormatArg(args)..., TFormatArg(0)};
    return FormatArgs(format, std::span<const TFormatArg>(list, sizeof...(Args)));
}

std::string IntToStr(int64_t value);
// number * numerator / denominator, computed in 64 bits and rounded to the nearest integer (halves away
// from zero); -1 when the denominator is 0 or the result does not fit in an int.
int MulDiv(int number, int numerator, int denominator);
// Upper-case hexadecimal, at least `digits` digits; negative values as with "%x".
std::string IntToHex(int64_t value, int digits);
// [sign] decimal, or hexadecimal with a leading "$" or "0x"; surrounding blanks allowed. Decimal values
// must fit the result type; hexadecimal ones are bit patterns of up to 32 (64) bits, so "$FFFFFFFF" is -1
// and "$80000005" reads back what "$%.8x" wrote for a negative value.
// Fails with EConvertError "'%s' is not a valid integer value".
int StrToInt(std::string_view text);
int64_t StrToInt64(std::string_view text);
bool TryStrToInt(std::string_view text, int& value);

// [sign] digits [separator digits] [E [sign] digits], surrounding blanks allowed; also "INF", "-INF" and
// "NAN" as FloatToStrGeneral writes them. "." is the decimal separator unless one is given. Independent of
// the process locale. The text is rounded once, to the nearest value of the result type (denormals
// included); values below half the smallest denormal read as zero, values beyond the largest finite
// one fail, whatever the length of their exponent.
// Fails with EConvertError "'%s' is not a valid floating point value".
Extended StrToFloat(std::string_view text, char decimalSeparator = '.');
bool TryStrToFloat(std::string_view text, Extended& value, char decimalSeparator = '.');
bool TryStrToFloat(std::string_view text, double& value, char decimalSeparator = '.');
bool TryStrToFloat(std::string_view text, float& value, char decimalSeparator = '.');

// The general number format. The value is rounded to `precision` (1..18) significant digits; when its
// decimal exponent is then >= precision or < -4 (below 0.0001) it is written in scientific notation
// "d.dddE+XX", otherwise in fixed notation; trailing zeros and a trailing separator are dropped, zero is
// "0". The exponent is "E", then "-" for negative exponents or "+" for others when minExponentDigits
// (0..4) > 0, then its digits zero-padded to minExponentDigits: 1E15 is "1E15" with 0, "1E+15" with 2;
// 0.00001 is "1E-5" with 0, "1E-05" with 2. Infinities and NaN are "INF", "-INF" and "NAN".
std::string FloatToStrGeneral(Extended value, int precision, int minExponentDigits = 0,
                              char decimalSeparator = '.');
// FloatToStrGeneral with 15 digits, as the Object Inspector uses for doubles.
std::string FloatToStr(Extended value);
// The shortest text that TryStrToFloat reads back to exactly `value` in the same type: as few
// significant digits as that takes (at most 21 for Extended, 17 for double, 9 for float), laid out as
// the general format with 15 digits lays them out (scientific from 1E15 and below 0.0001, no "+" in
// the exponent). Zero is "0" or "-0"; infinities and NaN are "INF", "-INF" and "NAN".
std::string FloatToStrShortest(Extended value, char decimalSeparator = '.');
std::string FloatToStrShortest(double value, char decimalSeparator = '.');
std::string FloatToStrShortest(float value, char decimalSeparator = '.');

// Currency amounts are 64-bit integers counting ten-thousandths (1.5 is 15000).
inline constexpr int64_t CurrencyScale = 10000;
// The amount exactly, in "." notation without trailing zeros: 15000 is "1.5", -1 is "-0.0001".
std::string CurrencyToStr(int64_t scaled);
// The number syntax of TryStrToFloat (without INF and NAN, "." as separator), converted exactly and
// rounded to a ten-thousandth, halves to even. False for other text and amounts beyond the 64-bit range.
bool TryStrToCurrency(std::string_view text, int64_t& scaled);

// Dates and times in the short date format "yyyy-mm-dd" and the long time format "hh:nn:ss". Before
// 1899-12-30 the integer part counts days back and the fraction still counts the time of day forwards:
// -1.25 is 1899-12-29 06:00. Values are rounded to the millisecond once, so a value a hair below midnight
// is the next day at 00:00:00; the seconds of TimeToStr are then truncated. Values outside years 1..9999
// (and NaN) fail with EConvertError "Invalid date and time value %s".
std::string DateToStr(TDateTimeValue value);
std::string TimeToStr(TDateTimeValue value);
std::string DateTimeToStr(TDateTimeValue value); // date, then " " and the time when it is not midnight
// Accepted: dates "yyyy-m-d" (four-digit year, one- or two-digit month and day), times "h:nn" and
// "h:nn:ss", and for StrToDateTime a date, a date and a time separated by blanks, or a time alone.
// Fail with EConvertError "'%s' is not a valid date", "'%s' is not a valid time",
// "'%s' is not a valid date and time".
TDateTimeValue StrToDate(std::string_view text);
TDateTimeValue StrToTime(std::string_view text);
TDateTimeValue StrToDateTime(std::string_view text);
// Fail with EConvertError "Invalid argument to date encode" / "Invalid argument to time encode".
TDateTimeValue EncodeDate(int year, int month, int day);
TDateTimeValue EncodeTime(int hour, int minute, int second, int millisecond);
void DecodeDate(TDateTimeValue value, int& year, int& month, int& day);
void DecodeTime(TDateTimeValue value, int& hour, int& minute, int& second, int& millisecond);

std::string Trim(std::string_view text);      // drops blanks and control characters at both ends
std::string UpperCase(std::string_view text); // ASCII letters only, as identifiers need
std::string LowerCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b); // ASCII case-insensitive equality
// Negative, zero or positive; ASCII letters compare as upper case, so "b" sorts before "_a".
int CompareText(std::string_view a, std::string_view b);
// UTF-8: a letter of any script or "_", then letters, digits, "_" and combining marks (core/Unicode.h).
bool IsValidIdent(std::string_view text);

#pragma GCC visibility pop
