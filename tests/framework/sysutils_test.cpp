#include "core/SysUtils.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>

namespace {

template <class E> std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const E& e) {
        return e.Message();
    }
    return "(no exception)";
}

struct GeneralCase {
    Extended Value;
    int Precision;
    int MinExponentDigits;
    const char* Expected;
};

TEST(FloatToStrGeneral, Table) {
    const GeneralCase cases[] = {
        // precision 15 (double)
        {1.5, 15, 0, "1.5"},
        {-1.5, 15, 0, "-1.5"},
        {0, 15, 0, "0"},
        {-0.0, 15, 0, "0"},
        {0.1, 15, 0, "0.1"},
        {0.1 + 0.2, 15, 0, "0.3"},
        {1.0 / 3, 15, 0, "0.333333333333333"},
        {-2.0 / 3, 15, 0, "-0.666666666666667"},
        {1234.5678, 15, 0, "1234.5678"},
        {1e5, 15, 0, "100000"},
        {1e14, 15, 0, "100000000000000"},
        {1e15, 15, 0, "1E15"},
        {1e15, 15, 2, "1E+15"},
        {-1e20, 15, 0, "-1E20"},
        {999999999999999.9, 15, 0, "1E15"}, // rounds up into the next decade
        {99999999999999.99, 15, 0, "100000000000000"},
        {9.99999999999999999, 15, 0, "10"},
        {123456789012345678.0L, 15, 0, "1.23456789012346E17"},
        {0.0001, 15, 0, "0.0001"},
        {0.00001, 15, 0, "1E-5"},
        {0.00001, 15, 2, "1E-05"},
        {0.000012345, 15, 0, "1.2345E-5"},
        {0.00009999999999999999, 15, 0, "0.0001"}, // rounding lifts it out of scientific notation
        {1.23e-300, 15, 2, "1.23E-300"},
        {1.5e300, 15, 3, "1.5E+300"},
        {HUGE_VALL, 15, 0, "INF"},
        {-HUGE_VALL, 15, 0, "-INF"},
        {NAN, 15, 0, "NAN"},
        // precision 7 (single)
        {0.1f, 7, 0, "0.1"},
        {3.14159265, 7, 0, "3.141593"},
        {1234567, 7, 0, "1234567"},
        {12345678, 7, 0, "1.234568E7"},
        {9999999.6, 7, 0, "1E7"},
        {999999.95, 7, 0, "999999.9"}, // the double is just below .95
        {0.1 + 0.2, 7, 0, "0.3"},
        {123456789012345678.0L, 7, 0, "1.234568E17"},
        {-0.000001234567, 7, 0, "-1.234567E-6"},
        // precision 18 (extended)
        {0.1L, 18, 0, "0.1"},
        {0.1, 18, 0, "0.100000000000000006"},
        {0.1 + 0.2, 18, 0, "0.300000000000000044"},
        {9.99999999999999999L, 18, 0, "9.99999999999999999"},
        {123456789012345678.0L, 18, 0, "123456789012345678"},
        {1e18L, 18, 0, "1E18"},
        {-1e17L, 18, 0, "-100000000000000000"},
        {LDBL_MAX, 18, 0, "1.18973149535723177E4932"},
        {LDBL_MAX, 18, 4, "1.18973149535723177E+4932"},
        {-LDBL_MIN, 15, 0, "-3.36210314311209E-4932"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStrGeneral(c.Value, c.Precision, c.MinExponentDigits), c.Expected)
            << "value " << static_cast<double>(c.Value) << " precision " << c.Precision;
}

TEST(FloatToStrGeneral, SeparatorAndClamping) {
    EXPECT_EQ(FloatToStrGeneral(1.5, 15, 0, ','), "1,5");
    EXPECT_EQ(FloatToStrGeneral(1.5e20, 15, 0, ','), "1,5E20");
    EXPECT_EQ(FloatToStrGeneral(0.5, 0), "0.5"); // precision below 1 means 1
    EXPECT_EQ(FloatToStrGeneral(1.0L / 3, 40), "0.333333333333333333");
    EXPECT_EQ(FloatToStr(2.5), "2.5");
}

TEST(StrToFloat, Valid) {
    const std::pair<const char*, Extended> cases[] = {
        {"1.5", 1.5L},      {" 1.5 ", 1.5L},      {"-2", -2.0L},
        {"+3", 3.0L},       {".5", 0.5L},         {"5.", 5.0L},
        {"1e3", 1000.0L},   {"1E-3", 0.001L},     {"1.5e+2", 150.0L},
        {"0.1", 0.1L},      {"007", 7.0L},        {"1e-5000", 0.0L},
        {"INF", HUGE_VALL}, {"-inf", -HUGE_VALL}, {"123456789012345678", 123456789012345678.0L},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(StrToFloat(text), expected) << text;
    EXPECT_EQ(StrToFloat("1,25", ','), 1.25L);
    EXPECT_TRUE(std::isnan(StrToFloat("NAN")));
}

TEST(StrToFloat, InvalidTextsReportThemselves) {
    const char* cases[] = {"",    " ",    "abc", "1.2.3", "1e",   "e5",   "1,5",    "--1",
                           "1 2", "0x10", "-",   ".",     "1.5x", "nan5", "1e5000", "1e99999999999999999999"};
    for (const char* text : cases) {
        EXPECT_EQ(MessageOf<EConvertError>([&] { StrToFloat(text); }),
                  std::string("'") + text + "' is not a valid floating point value");
        Extended value = 42;
        EXPECT_FALSE(TryStrToFloat(text, value)) << text;
        EXPECT_EQ(value, 42) << "failed conversion changed the output for " << text;
    }
    EXPECT_THROW(StrToFloat("1.5", ','), EConvertError);
}

TEST(StrToFloat, FifteenDigitTextRoundTrips) {
    const char* texts[] = {"0.1",
                           "123.456",
                           "1E-5",
                           "1.5E300",
                           "-7.25",
                           "100000000000000",
                           "1E15",
                           "0.333333333333333",
                           "2.2250738585072E-308"};
    for (const char* text : texts)
        EXPECT_EQ(FloatToStr(static_cast<double>(StrToFloat(text))), text);
}

TEST(StrToInt, Valid) {
    const std::pair<const char*, int> cases[] = {
        {"0", 0},
        {"123", 123},
        {"-123", -123},
        {"+7", 7},
        {" 42 ", 42},
        {"$FF", 255},
        {"0x1f", 31},
        {"0X1F", 31},
        {"$ffffffff", -1},
        {"$80000005", -2147483643},
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"00012", 12},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(StrToInt(text), expected) << text;
}

TEST(StrToInt, InvalidTextsReportThemselves) {
    const char* cases[] = {"",
                           " ",
                           "abc",
                           "2147483648",
                           "-2147483649",
                           "$100000000",
                           "1.5",
                           "12a",
                           "$",
                           "0x",
                           "--1",
                           "+-1",
                           "- 1",
                           "1 2",
                           "$-1",
                           "0x+1",
                           "99999999999999999999999"};
    for (const char* text : cases) {
        EXPECT_EQ(MessageOf<EConvertError>([&] { StrToInt(text); }),
                  std::string("'") + text + "' is not a valid integer value");
        int value = 42;
        EXPECT_FALSE(TryStrToInt(text, value)) << text;
        EXPECT_EQ(value, 42) << text;
    }
}

TEST(StrToInt, SixtyFourBits) {
    EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(StrToInt64("$FFFFFFFF"), 4294967295);
    EXPECT_EQ(StrToInt64("5000000000"), 5000000000);
    EXPECT_EQ(MessageOf<EConvertError>([] { StrToInt64("9223372036854775808"); }),
              "'9223372036854775808' is not a valid integer value");
    EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
}

TEST(TextHelpers, CaseAndTrim) {
    EXPECT_EQ(Trim("\t a b \r\n"), "a b");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(UpperCase("abc\xC3\xA4_1"), "ABC\xC3\xA4_1"); // non-ASCII bytes untouched
    EXPECT_EQ(LowerCase("ABC"), "abc");
    EXPECT_TRUE(SameText("Button1", "BUTTON1"));
    EXPECT_FALSE(SameText("Button1", "Button"));
    EXPECT_LT(CompareText("a", "B"), 0);
    EXPECT_GT(CompareText("b", "A"), 0);
    EXPECT_LT(CompareText("ab", "ABC"), 0);
    EXPECT_EQ(CompareText("", ""), 0);
    EXPECT_GT(CompareText("_x", "ax"), 0); // letters fold to upper case, which sorts before "_"
}

TEST(TextHelpers, IsValidIdent) {
    const std::pair<const char*, bool> cases[] = {
        {"Button1", true},
        {"_x", true},
        {"_", true},
        {"a_1_b", true},
        {"", false},
        {"1abc", false},
        {"a b", false},
        {"a-b", false},
        {"a.b", false},
        // UTF-8: letters of any script, marks and digits after the first character, nothing malformed.
        {"\xC3\xA4", true},
        {"Lbl\xD0\xA1oincid", true},
        {"\xE6\x97\xA5\xE6\x9C\xAC", true},
        {"e\xCC\x81", true},
        {"\xCC\x81"
         "e",
         false},
        {"x\xD9\xA1", true},
        {"\xD9\xA1", false},
        {"a\xC2\xA0", false},
        {"\xF0\x9F\x98\x80", false},
        {"\xC3", false},
        {"\xC0\x80", false},
        {"a\xED\xA0\x80", false},
        {"\xF4\x90\x80\x80", false},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(IsValidIdent(text), expected) << text;
}

TEST(DateTime, EncodeDate) {
    const std::tuple<int, int, int, double> cases[] = {
        {1899, 12, 30, 0},   {1899, 12, 31, 1},    {1900, 1, 1, 2},    {1899, 12, 29, -1},
        {2000, 1, 1, 36526}, {2024, 2, 29, 45351}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
    };
    for (const auto& [y, m, d, serial] : cases)
        EXPECT_EQ(EncodeDate(y, m, d), serial) << y << "-" << m << "-" << d;
    const std::tuple<int, int, int> invalid[] = {{2023, 2, 29}, {1900, 2, 29}, {0, 1, 1},     {10000, 1, 1},
                                                 {2020, 13, 1}, {2020, 0, 1},  {2020, 4, 31}, {2020, 1, 0}};
    for (const auto& [y, m, d] : invalid)
        EXPECT_THROW(EncodeDate(y, m, d), EConvertError) << y << "-" << m << "-" << d;
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
}

TEST(DateTime, EveryDayRoundTrips) {
    // Consecutive serial numbers decode to consecutive calendar days across the leap rules, and each day
    // encodes back to its serial number.
    const auto daysIn = [](int year, int month) {
        static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
        return month == 2 && leap ? 29 : days[month - 1];
    };
    double serial = EncodeDate(1600, 1, 1);
    for (int year = 1600; year <= 2400; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= daysIn(year, month); ++day, serial += 1) {
                int y, m, d;
                DecodeDate(serial, y, m, d);
                ASSERT_EQ(std::make_tuple(y, m, d), std::make_tuple(year, month, day)) << serial;
                ASSERT_EQ(EncodeDate(year, month, day), serial);
            }
}

TEST(DateTime, ToText) {
    const std::tuple<double, const char*, const char*, const char*> cases[] = {
        // value, DateToStr, TimeToStr, DateTimeToStr
        {0, "1899-12-30", "00:00:00", "1899-12-30"},
        {0.5, "1899-12-30", "12:00:00", "1899-12-30 12:00:00"},
        {-1.25, "1899-12-29", "06:00:00", "1899-12-29 06:00:00"},
        {-0.25, "1899-12-30", "06:00:00", "1899-12-30 06:00:00"},
        {36526.75, "2000-01-01", "18:00:00", "2000-01-01 18:00:00"},
        {-693593, "0001-01-01", "00:00:00", "0001-01-01"},
        {2958465.5, "9999-12-31", "12:00:00", "9999-12-31 12:00:00"},
        {45351 + (86399999.0 / 86400000), "2024-02-29", "23:59:59", "2024-02-29 23:59:59"}, // no rounding up
        {1 - 1e-12, "1899-12-31", "00:00:00", "1899-12-31"}, // a hair below midnight is midnight
    };
    for (const auto& [value, date, time, both] : cases) {
        EXPECT_EQ(DateToStr(value), date) << value;
        EXPECT_EQ(TimeToStr(value), time) << value;
        EXPECT_EQ(DateTimeToStr(value), both) << value;
    }
    int h, n, s, ms;
    DecodeTime(EncodeTime(13, 14, 15, 678), h, n, s, ms);
    EXPECT_EQ(std::make_tuple(h, n, s, ms), std::make_tuple(13, 14, 15, 678));
    for (const double bad : {1e10, -1e10, double(NAN), double(HUGE_VAL), -693594.0})
        EXPECT_THROW(DateToStr(bad), EConvertError) << bad;
}

TEST(DateTime, Parsing) {
    const std::pair<const char*, double> dates[] = {
        {"2024-02-29", 45351}, {"2024-2-9", 45331}, {" 2000-01-01 ", 36526}, {"1899-12-29", -1}};
    for (const auto& [text, expected] : dates)
        EXPECT_EQ(StrToDate(text), expected) << text;
    const std::pair<const char*, double> times[] = {
        {"12:00", 0.5}, {"6:00", 0.25}, {"06:00:00", 0.25}, {"0:00:00", 0}, {"23:59:59", 86399.0 / 86400}};
    for (const auto& [text, expected] : times)
        EXPECT_DOUBLE_EQ(StrToTime(text), expected) << text;
    const std::pair<const char*, double> both[] = {{"2000-01-01 18:00:00", 36526.75},
                                                   {"2000-01-01", 36526},
                                                   {"1899-12-29 06:00", -1.25},
                                                   {"12:00", 0.5},
                                                   {"2000-1-1   6:00", 36526.25}};
    for (const auto& [text, expected] : both)
        EXPECT_DOUBLE_EQ(StrToDateTime(text), expected) << text;
}

TEST(DateTime, ParseErrors) {
    const char* badDates[] = {"2023-02-29",       "24-02-29",   "2024/02/29", "2024-02",
                              "2024-02-29 12:00", "",           "abcd-ef-gh", "2024-002-01",
                              "0000-01-01",       "2024-13-01", "12:00"};
    for (const char* text : badDates)
        EXPECT_EQ(MessageOf<EConvertError>([&] { StrToDate(text); }),
                  std::string("'") + text + "' is not a valid date");
    const char* badTimes[] = {"24:00",    "12:60", "12:00:60", "12",    "12:",       "12:00:",
                              "12:00 PM", "",      "1:2:3:4",  "-1:00", "2000-01-01"};
    for (const char* text : badTimes)
        EXPECT_EQ(MessageOf<EConvertError>([&] { StrToTime(text); }),
                  std::string("'") + text + "' is not a valid time");
    const char* badBoth[] = {"2000-01-01 25:00", "2000-01-01x",      "",  "2000-01-0112:00",
                             "12:00 2000-01-01", "2000-02-30 12:00", "  "};
    for (const char* text : badBoth)
        EXPECT_EQ(MessageOf<EConvertError>([&] { StrToDateTime(text); }),
                  std::string("'") + text + "' is not a valid date and time");
}

TEST(DateTime, TextRoundTripsBeforeAndAfterTheEpoch) {
    for (const auto& [y, m, d] :
         {std::tuple{1899, 12, 30}, {1899, 12, 29}, {1850, 6, 15}, {2024, 2, 29}, {1, 1, 1}})
        for (const auto& [h, n, s] : {std::tuple{0, 0, 0}, {0, 0, 1}, {6, 30, 0}, {23, 59, 59}}) {
            const double date = EncodeDate(y, m, d), time = EncodeTime(h, n, s, 0);
            const double value = date < 0 ? date - time : date + time;
            const std::string text = DateTimeToStr(value);
            EXPECT_DOUBLE_EQ(StrToDateTime(text), value) << text;
            EXPECT_EQ(DateTimeToStr(StrToDateTime(text)), text);
        }
}

TEST(MulDiv, RoundsHalvesAwayFromZeroAndReportsWhatCannotBeComputed) {
    struct Row {
        int number, numerator, denominator, expected;
    } rows[] = {
        {100, 172, 344, 50},   {1000, 169, 990, 171}, {5, 1, 2, 3},
        {-5, 1, 2, -3},        {5, -1, 2, -3},        {5, 1, -2, -3},
        {-5, -1, -2, -3},      {7, 1, 3, 2},          {0, 5, 7, 0},
        {46341, 46341, 1, -1}, {1, 1, 0, -1},         {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX},
    };
    for (const Row& r : rows)
        EXPECT_EQ(MulDiv(r.number, r.numerator, r.denominator), r.expected)
            << r.number << " * " << r.numerator << " / " << r.denominator;
}

} // namespace
