#include "core/SysUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

struct FormatCase {
    const char* Name;
    std::function<std::string()> Run;
    const char* Expected;
};

TEST(Format, Directives) {
    int local = 0;
    const void* pointer = &local;
    const std::string pointerHex = Format("%.16X", reinterpret_cast<uintptr_t>(pointer));
    const FormatCase cases[] = {
        {"plain text", [] { return Format("no directives"); }, "no directives"},
        {"percent", [] { return Format("100%%"); }, "100%"},
        {"string", [] { return Format("''%s'' is bad", "Button 1"); }, "''Button 1'' is bad"},
        {"std::string", [] { return Format("[%s]", std::string("abc")); }, "[abc]"},
        {"two strings", [] { return Format("%s on line %d", "Bad token", 12); }, "Bad token on line 12"},
        {"negative int", [] { return Format("%d", -42); }, "-42"},
        {"int64 min", [] { return Format("%d", INT64_MIN); }, "-9223372036854775808"},
        {"min digits", [] { return Format("%.3d", 7); }, "007"},
        {"min digits negative", [] { return Format("%.3d", -5); }, "-005"},
        {"width", [] { return Format("[%5d]", 42); }, "[   42]"},
        {"left justify", [] { return Format("[%-5d]", 42); }, "[42   ]"},
        {"star width", [] { return Format("[%*d]", 4, 7); }, "[   7]"},
        {"range message", [] { return Format("Value must be between %d and %d", 0, 255); },
         "Value must be between 0 and 255"},
        {"unsigned", [] { return Format("%u", 4000000000u); }, "4000000000"},
        {"unsigned of negative", [] { return Format("%u", -1); }, "4294967295"},
        {"hex", [] { return Format("%x", 255); }, "FF"},
        {"hex upper", [] { return Format("%X", 48879); }, "BEEF"},
        {"hex 8 digits", [] { return Format("$%.8x", 0xFF8000); }, "$00FF8000"},
        {"hex negative 32-bit", [] { return Format("$%.8x", -2147483643); }, "$80000005"},
        {"hex -1", [] { return Format("%x", -1); }, "FFFFFFFF"},
        {"hex negative 64-bit", [] { return Format("%x", int64_t(-5000000000)); }, "FFFFFFFED5FA0E00"},
        {"hex wider than precision", [] { return Format("%.2x", 0x12345); }, "12345"},
        {"char is an integer", [] { return Format("#%d", 'A'); }, "#65"},
        {"bool is an integer", [] { return Format("%d", true); }, "1"},
        {"string precision", [] { return Format("%.3s", "abcdef"); }, "abc"},
        {"string precision utf8", [] { return Format("%.2s", "\xC3\xA4\xC3\xB6\xC3\xBC"); },
         "\xC3\xA4\xC3\xB6"},
        {"string width utf8", [] { return Format("[%3s]", "\xC3\xA4"); }, "[  \xC3\xA4]"},
        {"string left", [] { return Format("[%-4s]", "ab"); }, "[ab  ]"},
        {"fixed default", [] { return Format("%f", 3.14159); }, "3.14"},
        {"fixed precision", [] { return Format("%.4f", 2.5); }, "2.5000"},
        {"fixed zero decimals", [] { return Format("%.0f", 2.5L); }, "2"},
        {"fixed negative zero", [] { return Format("%.2f", -0.001); }, "0.00"},
        {"fixed infinity", [] { return Format("%f", -HUGE_VAL); }, "-INF"},
        {"scientific default", [] { return Format("%e", 1.0); }, "1.00000000000000E+000"},
        {"scientific precision", [] { return Format("%.3e", -12345.0); }, "-1.23E+004"},
        {"scientific small", [] { return Format("%.2e", 0.000125); }, "1.3E-004"},
        {"general", [] { return Format("%g", 0.1 + 0.2); }, "0.3"},
        {"general precision", [] { return Format("%.3g", 1234.5); }, "1.23E3"},
        {"float from float", [] { return Format("%g", 0.5f); }, "0.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Run(), c.Expected) << c.Name;
    EXPECT_EQ(Format("%p", pointer), pointerHex);
    EXPECT_EQ(Format("%p", static_cast<const void*>(nullptr)), "0000000000000000");
}

TEST(Format, MismatchesFailWithTheFormatString) {
    const std::pair<const char*, std::function<std::string()>> cases[] = {
        {"%d", [] { return Format("%d", "text"); }},
        {"%s", [] { return Format("%s", 12); }},
        {"%x", [] { return Format("%x", 1.5); }},
        {"%f", [] { return Format("%f", 1); }},
        {"%e", [] { return Format("%e", "1"); }},
        {"%p", [] { return Format("%p", 5); }},
        {"%d", [] { return Format("%d", static_cast<const void*>(nullptr)); }},
        {"%d and %d", [] { return Format("%d and %d", 1); }},
        {"%s", [] { return Format("%s"); }},
        {"%q", [] { return Format("%q", 1); }},
        {"50%", [] { return Format("50%"); }},
        {"%-", [] { return Format("%-", 1); }},
        {"%*d", [] { return Format("%*d", "x", 1); }},
        {"%*d", [] { return Format("%*d", -3, 1); }},
        {"%99999999d", [] { return Format("%99999999d", 1); }},
    };
    for (const auto& [format, run] : cases) {
        try {
            run();
            ADD_FAILURE() << format << " did not fail";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(),
                      std::string("Format '") + format + "' invalid or incompatible with argument");
        }
    }
}

TEST(Format, ExtraArgumentsAreIgnored) {
    EXPECT_EQ(Format("%d", 1, 2), "1");
}

TEST(Format, IntToHex) {
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0x1234, 2), "1234");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
    EXPECT_EQ(IntToHex(0, 0), "0");
}

} // namespace
