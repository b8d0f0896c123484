// Dates and times as serial day numbers: 0.0 is 1899-12-30 00:00, the fraction is the time of day. Before
// the epoch the integer part counts days backwards and the fraction still counts the time forwards, so
// -1.25 is 1899-12-29 06:00.
#include "core/SysUtils.h"

#include <cmath>

namespace {

constexpr int64_t MsPerDay = 24 * 60 * 60 * 1000;
// Days from 0000-03-01 (the start of the proleptic Gregorian 400-year cycle used below) to 1899-12-30.
constexpr int64_t EpochOffset = 693899;
// Serial numbers of 0001-01-01 and 9999-12-31, the representable calendar range.
constexpr int64_t MinDay = -693593;
constexpr int64_t MaxDay = 2958465;

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool ValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

bool ValidTime(int hour, int minute, int second, int millisecond) {
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 &&
           millisecond >= 0 && millisecond < 1000;
}

// Civil date <-> day count with years starting in March, so the leap day falls at the end of a year.
int64_t DayNumber(int year, int month, int day) {
    const int y = month <= 2 ? year - 1 : year;
    const int era = y / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return int64_t(era) * 146097 + dayOfEra - EpochOffset;
}

void CivilDate(int64_t dayNumber, int& year, int& month, int& day) {
    const int64_t days = dayNumber + EpochOffset; // >= 0 within the supported range
    const int64_t era = days / 146097;
    const int dayOfEra = static_cast<int>(days - era * 146097);
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int monthIndex = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    year = static_cast<int>(era * 400 + yearOfEra) + (month <= 2 ? 1 : 0);
}

// Splits a serial value into its day number and the time of day in milliseconds. Rounding to the
// millisecond happens once, here, so a value a hair below midnight becomes the next day at 00:00:00
// rather than 23:59:59.1000 or "24:00:00".
void Split(TDateTimeValue value, int64_t& dayNumber, int64_t& msOfDay) {
    if (!(value > MinDay - 1 && value < MaxDay + 1))
        throw EConvertError("Invalid date and time value " + FloatToStr(value));
    const int64_t totalMs = std::llround(std::fabs(value) * MsPerDay);
    dayNumber = totalMs / MsPerDay;
    msOfDay = totalMs % MsPerDay;
    if (value < 0) dayNumber = -dayNumber;
}

TDateTimeValue Combine(TDateTimeValue date, TDateTimeValue time) {
    return date < 0 ? date - time : date + time;
}

std::string TwoDigits(int value) {
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

// A small cursor over the text being parsed.
struct TScanner {
    std::string_view Text;
    size_t Pos = 0;

    bool AtEnd() const { return Pos >= Text.size(); }
    bool Skip(char c) {
        if (AtEnd() || Text[Pos] != c) return false;
        ++Pos;
        return true;
    }
    void SkipBlanks() {
        while (!AtEnd() && Text[Pos] == ' ')
            ++Pos;
    }
    // Between minDigits and maxDigits decimal digits.
    bool Number(int minDigits, int maxDigits, int& value) {
        value = 0;
        int count = 0;
        while (!AtEnd() && count < maxDigits && Text[Pos] >= '0' && Text[Pos] <= '9') {
            value = value * 10 + (Text[Pos++] - '0');
            ++count;
        }
        return count >= minDigits && (AtEnd() || Text[Pos] < '0' || Text[Pos] > '9');
    }
};

// yyyy-m-d (month and day with one or two digits).
bool ScanDate(TScanner& scanner, TDateTimeValue& value) {
    int year, month, day;
    if (!scanner.Number(4, 4, year) || !scanner.Skip('-') || !scanner.Number(1, 2, month) ||
        !scanner.Skip('-') || !scanner.Number(1, 2, day) || !ValidDate(year, month, day))
        return false;
    value = static_cast<TDateTimeValue>(DayNumber(year, month, day));
    return true;
}

// h:nn or h:nn:ss (each field with one or two digits).
bool ScanTime(TScanner& scanner, TDateTimeValue& value) {
    int hour, minute, second = 0;
    if (!scanner.Number(1, 2, hour) || !scanner.Skip(':') || !scanner.Number(1, 2, minute)) return false;
    if (scanner.Skip(':') && !scanner.Number(1, 2, second)) return false;
    if (!ValidTime(hour, minute, second, 0)) return false;
    value = EncodeTime(hour, minute, second, 0);
    return true;
}

[[noreturn]] void ParseError(std::string_view text, const char* what) {
    throw EConvertError("'" + std::string(text) + "' is not a valid " + what);
}

} // namespace

TDateTimeValue EncodeDate(int year, int month, int day) {
    if (!ValidDate(year, month, day)) throw EConvertError("Invalid argument to date encode");
    return static_cast<TDateTimeValue>(DayNumber(year, month, day));
}

TDateTimeValue EncodeTime(int hour, int minute, int second, int millisecond) {
    if (!ValidTime(hour, minute, second, millisecond)) throw EConvertError("Invalid argument to time encode");
    return static_cast<TDateTimeValue>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond) / MsPerDay;
}

void DecodeDate(TDateTimeValue value, int& year, int& month, int& day) {
    int64_t dayNumber, msOfDay;
    Split(value, dayNumber, msOfDay);
    if (dayNumber < MinDay || dayNumber > MaxDay)
        throw EConvertError("Invalid date and time value " + FloatToStr(value));
    CivilDate(dayNumber, year, month, day);
}

void DecodeTime(TDateTimeValue value, int& hour, int& minute, int& second, int& millisecond) {
    int64_t dayNumber, msOfDay;
    Split(value, dayNumber, msOfDay);
    millisecond = static_cast<int>(msOfDay % 1000);
    second = static_cast<int>(msOfDay / 1000 % 60);
    minute = static_cast<int>(msOfDay / 60000 % 60);
    hour = static_cast<int>(msOfDay / 3600000);
}

std::string DateToStr(TDateTimeValue value) {
    int year, month, day;
    DecodeDate(value, year, month, day);
    return TwoDigits(year / 100) + TwoDigits(year % 100) + '-' + TwoDigits(month) + '-' + TwoDigits(day);
}

std::string TimeToStr(TDateTimeValue value) {
    int hour, minute, second, millisecond;
    DecodeTime(value, hour, minute, second, millisecond);
    return TwoDigits(hour) + ':' + TwoDigits(minute) + ':' + TwoDigits(second);
}

std::string DateTimeToStr(TDateTimeValue value) {
    int64_t dayNumber, msOfDay;
    Split(value, dayNumber, msOfDay);
    return msOfDay == 0 ? DateToStr(value) : DateToStr(value) + ' ' + TimeToStr(value);
}

TDateTimeValue StrToDate(std::string_view text) {
    const std::string trimmed = Trim(text);
    TScanner scanner{trimmed};
    TDateTimeValue date;
    if (!ScanDate(scanner, date) || !scanner.AtEnd()) ParseError(text, "date");
    return date;
}

TDateTimeValue StrToTime(std::string_view text) {
    const std::string trimmed = Trim(text);
    TScanner scanner{trimmed};
    TDateTimeValue time;
    if (!ScanTime(scanner, time) || !scanner.AtEnd()) ParseError(text, "time");
    return time;
}

// A date, a date and a time separated by blanks, or a time alone (on day 0).
TDateTimeValue StrToDateTime(std::string_view text) {
    const std::string trimmed = Trim(text);
    TScanner scanner{trimmed};
    TDateTimeValue date = 0, time = 0;
    if (trimmed.find('-') != std::string::npos) {
        if (!ScanDate(scanner, date)) ParseError(text, "date and time");
        scanner.SkipBlanks();
    }
    if (!scanner.AtEnd() && !ScanTime(scanner, time)) ParseError(text, "date and time");
    if (!scanner.AtEnd() || trimmed.empty()) ParseError(text, "date and time");
    return Combine(date, time);
}
