// Numbers as text without loss: the shortest float text that reads back to the same value, reading at
// the ends of the exponent range, and exact currency amounts.
#include "core/SysUtils.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <random>

namespace {

template <class T> bool SameBits(T a, T b) {
    // 80-bit floats have padding bytes; compare the value bytes only.
    constexpr size_t size = sizeof(T) == sizeof(long double) ? 10 : sizeof(T);
    return std::memcmp(&a, &b, size) == 0;
}

// The digits of the mantissa from the first to the last that is not zero.
size_t SignificantDigits(std::string_view text) {
    std::string digits;
    for (const char c : text.substr(0, text.find_first_of("Ee")))
        if (c >= '0' && c <= '9') digits += c;
    const size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return 1;
    return digits.find_last_not_of('0') - first + 1;
}

// The digits of the exact shortest conversion the standard library does for long double.
size_t ReferenceShortestDigits(Extended value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    return SignificantDigits(std::string_view(buffer, result.ptr - buffer));
}

TEST(FloatToStrShortest, WritesEveryDigitTheValueNeedsAndNoMore) {
    const struct {
        Extended Value;
        const char* Expected;
    } cases[] = {
        // Read from text with trailing zeros or more digits than 15: all of them come back.
        {0.899999976158142100L, "0.8999999761581421"},
        {218.6414794921875L, "218.6414794921875"},
        {505, "505"},
        {0.1L, "0.1"},
        {1.0L / 3, "0.33333333333333333334"},
        {0.1 + 0.2, "0.3000000000000000444"}, // a double's value, widened: its own digits
        {123456789012345678.0L, "1.23456789012345678E17"},
        {1e14L, "100000000000000"},
        {1e15L, "1E15"},
        {0.0001L, "0.0001"},
        {0.00001L, "1E-5"},
        {-2.5e-10L, "-2.5E-10"},
        {LDBL_MAX, "1.189731495357231765E4932"},
        {LDBL_TRUE_MIN, "4E-4951"},
        {1e-4940L, "1E-4940"},
        {0.0L, "0"},
        {-0.0L, "-0"},
        {HUGE_VALL, "INF"},
        {-HUGE_VALL, "-INF"},
        {NAN, "NAN"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Expected);
        EXPECT_EQ(FloatToStrShortest(c.Value), c.Expected);
    }
    EXPECT_EQ(FloatToStrShortest(1.5L, ','), "1,5");
    EXPECT_EQ(FloatToStrShortest(0.1), "0.1");
    EXPECT_EQ(FloatToStrShortest(0.1f), "0.1");
    EXPECT_EQ(FloatToStrShortest(16777216.0f), "16777216");
    EXPECT_EQ(FloatToStrShortest(3.4028235e38f), "3.4028235E38");
    EXPECT_EQ(FloatToStrShortest(38353.75), "38353.75");
}

// Values of every exponent and mantissa, and values read from short decimals (whose digits come from the
// double next to them): each reads back to the same bits, with as few digits as the exact conversion of
// the standard library takes.
TEST(FloatToStrShortest, EveryExtendedReadsBackExactlyWithTheFewestDigits) {
    std::mt19937_64 random(24);
    std::uniform_int_distribution<int> exponents(-4940, 4930);
    for (int i = 0; i < 20000; ++i) {
        Extended value;
        if (i % 2 == 0) {
            const int digits = 1 + i % 19;
            std::string text = std::to_string(random() % 10'000'000'000'000'000'000ull).substr(0, digits);
            text += "e" + std::to_string(exponents(random) / (i % 4 == 0 ? 1 : 100));
            value = std::strtold(text.c_str(), nullptr);
        } else {
            const Extended mantissa = std::ldexp(static_cast<Extended>(random()), -64);
            value = std::ldexp(mantissa, std::uniform_int_distribution<int>(-16440, 16380)(random));
        }
        if (i % 3 == 0) value = -value;
        const std::string text = FloatToStrShortest(value);
        Extended back = 0;
        ASSERT_TRUE(TryStrToFloat(text, back)) << text;
        ASSERT_TRUE(SameBits(back, value)) << text;
        if (value != 0) {
            EXPECT_EQ(SignificantDigits(text), ReferenceShortestDigits(value)) << text;
        }
        EXPECT_LE(SignificantDigits(text), 21u) << text;
    }
}

TEST(FloatToStrShortest, DoublesAndSinglesReadBackExactly) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 5000; ++i) {
        const uint64_t bits = random();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        const auto bits32 = static_cast<uint32_t>(bits >> 32);
        float f;
        std::memcpy(&f, &bits32, sizeof f);
        if (std::isfinite(d)) {
            double back = 0;
            ASSERT_TRUE(TryStrToFloat(FloatToStrShortest(d), back));
            EXPECT_TRUE(SameBits(back, d)) << FloatToStrShortest(d);
        }
        if (std::isfinite(f)) {
            float back = 0;
            ASSERT_TRUE(TryStrToFloat(FloatToStrShortest(f), back));
            EXPECT_TRUE(SameBits(back, f)) << FloatToStrShortest(f);
        }
    }
}

// Reading at the ends of the range: what the 80-bit format holds comes back, what it cannot hold is
// refused, however the exponent is written.
TEST(StrToFloat, ExtremeExponentsAreExactOrRefused) {
    const struct {
        const char* Text;
        Extended Expected;
    } exact[] = {
        {"1e-4940", 1e-4940L}, // a denormal
        {"-1e-4940", -1e-4940L},     {"3.6e-4951", LDBL_TRUE_MIN}, {"1.18973149535723176502e4932", LDBL_MAX},
        {"1e-4960", 0.0L},       // below half the smallest denormal
        {"1e-2147483648", 0.0L}, // the exponent's own lowest value
        {"1e-99999999999999", 0.0L}, {"0e2147483647", 0.0L},
    };
    for (const auto& c : exact) {
        SCOPED_TRACE(c.Text);
        Extended value = 42;
        ASSERT_TRUE(TryStrToFloat(c.Text, value));
        EXPECT_TRUE(SameBits(value, c.Expected));
    }
    for (const char* text : {"1e2147483647", "1e2147483646", "1e2147483648", "1e4933", "-1e5000",
                             "0.000000000000000000000000001e2147483647", "1.2e99999999999999999999"}) {
        SCOPED_TRACE(text);
        Extended value = 42;
        EXPECT_FALSE(TryStrToFloat(text, value));
        EXPECT_EQ(value, 42);
        EXPECT_THROW(StrToFloat(text), EConvertError);
    }

    // The narrower types have their own ends.
    float single = 0;
    EXPECT_TRUE(TryStrToFloat("1e-45", single));
    EXPECT_EQ(single, FLT_TRUE_MIN);
    EXPECT_FALSE(TryStrToFloat("1e39", single));
    double date = 0;
    EXPECT_TRUE(TryStrToFloat("38353.75", date));
    EXPECT_EQ(date, 38353.75);
    EXPECT_FALSE(TryStrToFloat("1e309", date));
}

TEST(Currency, AmountsAreWrittenExactly) {
    const struct {
        int64_t Scaled;
        const char* Text;
    } cases[] = {
        {0, "0"},
        {250000000, "25000"},
        {15000, "1.5"},
        {12345, "1.2345"},
        {-1, "-0.0001"},
        {-15000, "-1.5"},
        {INT64_MAX, "922337203685477.5807"},
        {INT64_MIN, "-922337203685477.5808"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(CurrencyToStr(c.Scaled), c.Text);
        int64_t back = 42;
        ASSERT_TRUE(TryStrToCurrency(c.Text, back));
        EXPECT_EQ(back, c.Scaled);
    }
}

TEST(Currency, TextIsConvertedExactlyAndRoundedHalfToEven) {
    const struct {
        const char* Text;
        int64_t Scaled;
    } cases[] = {
        {"25000", 250000000},
        {"0.0001", 1},
        {"007.50", 75000},
        {"1.5E3", 15000000},
        {"15E-1", 15000},
        {"1e-4", 1},
        {"0.00005", 0},     // half, to the even 0
        {"0.00015", 2},     // half, to the even 2
        {"0.000050001", 1}, // above half
        {"-0.00015", -2},
        {"0.00004999999999999999999999", 0},
        {"1e-100000000", 0},
        {"0.123456789012345678901234567890", 1235},
        {"-922337203685477.5808", INT64_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        int64_t scaled = 42;
        ASSERT_TRUE(TryStrToCurrency(c.Text, scaled));
        EXPECT_EQ(scaled, c.Scaled);
    }
    for (const char* text : {"", "-", ".", "1..5", "1e", "1e+", "abc", "1.5x", "INF", "NAN",
                             "922337203685477.5808", "922337203685477.58075" /* half, to the even ...08 */,
                             "-922337203685477.58086", "1e15", "1e100000000", "99999999999999999999"}) {
        SCOPED_TRACE(text);
        int64_t scaled = 42;
        EXPECT_FALSE(TryStrToCurrency(text, scaled));
        EXPECT_EQ(scaled, 42);
    }
}

} // namespace
