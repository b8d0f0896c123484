// The values forms from other programs hold, through text and binary and into live components: floats
// with every digit and as floats, typed numbers (single, currency, date), 64-bit integers, wide and UTF-8
// strings, binary forms after a resource header, and errors on the line of the token at fault.
#include "test_classes.h"

#include "object_text_support.h"

#include "core/Streams.h"
#include "streaming/Extended80.h"
#include "streaming/ObjectText.h"
#include "streaming/Reader.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <functional>
#include <vector>

namespace {

using namespace std::string_literals;

// The value bytes of "object T / P = <value> / end".
std::string ValueBytes(const std::string& binary) {
    const std::string prefix("TPF0\x01T\x00\x01P", 9);
    if (binary.compare(0, prefix.size(), prefix) != 0) return "(other record)";
    return binary.substr(prefix.size(), binary.size() - prefix.size() - 2);
}

// The text the value of P is written back as.
std::string WrittenBack(const std::string& binary) {
    const std::string text = ToText(binary);
    const size_t start = text.find("P = ") + 4;
    return text.substr(start, text.rfind("\r\nend") - start);
}

std::string ExtendedBytes(Extended value) {
    uint8_t bytes[Extended80Size];
    EncodeExtended80(value, bytes);
    return std::string(1, 5) + std::string(reinterpret_cast<char*>(bytes), Extended80Size);
}

std::string SingleBytes(float value) {
    return std::string(1, 15) + LittleEndian(std::bit_cast<uint32_t>(value), 4);
}

std::string DateBytes(double value) {
    return std::string(1, 17) + LittleEndian(std::bit_cast<uint64_t>(value), 8);
}

std::string CurrencyBytes(int64_t scaled) {
    return std::string(1, 16) + LittleEndian(static_cast<uint64_t>(scaled), 8);
}

std::string Int64Bytes(int64_t value) {
    return std::string(1, 19) + LittleEndian(static_cast<uint64_t>(value), 8);
}

struct ValueCase {
    std::string Text;    // the value as a file has it
    std::string Binary;  // its tag and data
    std::string Written; // the value as the text writer writes it back
};

// Each value: its binary, the text written back, and that text reads back to the same bytes.
void CheckValues(const std::vector<ValueCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        const std::string binary = ToBinary(Crlf("object T\n  P = " + c.Text + "\nend\n"));
        EXPECT_EQ(ValueBytes(binary), c.Binary);
        EXPECT_EQ(WrittenBack(binary), c.Written);
        EXPECT_EQ(ToBinary(ToText(binary)), binary);
    }
}

TEST(FormValues, FloatsComeBackWithEveryDigitAndAsFloats) {
    CheckValues({
        {"0.899999976158142100", ExtendedBytes(0.8999999761581421L), "0.8999999761581421"},
        {"218.6414794921875", ExtendedBytes(218.6414794921875L), "218.6414794921875"},
        {"505.000000000000000000", ExtendedBytes(505), "505.0"},
        {"1.5E2", ExtendedBytes(150), "150.0"},
        {"100000000000000.5", ExtendedBytes(100000000000000.5L), "100000000000000.5"},
        {"12345678901234567.0", ExtendedBytes(12345678901234567.0L), "1.2345678901234567E16"},
        {"1.0E20", ExtendedBytes(1e20L), "1E20"},
        {"0.1", ExtendedBytes(0.1L), "0.1"},
        {"-0.0", ExtendedBytes(-0.0L), "-0.0"},
        {"0.333333333333333333342", ExtendedBytes(1.0L / 3), "0.33333333333333333334"},
        {"1e-4940", ExtendedBytes(1e-4940L), "1E-4940"},
        {"1.18973149535723176502E4932", ExtendedBytes(LDBL_MAX), "1.189731495357231765E4932"},
        {"-INF", ExtendedBytes(-HUGE_VALL), "-INF"},
    });
}

TEST(FormValues, TypedNumbersAndWideIntegersKeepTheirKind) {
    CheckValues({
        {"38353d", DateBytes(38353), "38353d"},
        {"38353.75D", DateBytes(38353.75), "38353.75d"},
        {"-1.5E-5d", DateBytes(-1.5e-5), "-1.5E-5d"},
        {"25000c", CurrencyBytes(250000000), "25000c"},
        {"-12.3456c", CurrencyBytes(-123456), "-12.3456c"},
        {"922337203685477.5807c", CurrencyBytes(INT64_MAX), "922337203685477.5807c"},
        {"721s", SingleBytes(721), "721s"},
        {"0.1s", SingleBytes(0.1f), "0.1s"},
        {"-3.4028235E38S", SingleBytes(-3.4028235e38f), "-3.4028235E38s"},
        {"1234567890123456789", Int64Bytes(1234567890123456789), "1234567890123456789"},
        {"2147483648", Int64Bytes(2147483648), "2147483648"},
        {"-2147483649", Int64Bytes(-2147483649), "-2147483649"},
        {"9223372036854775807", Int64Bytes(INT64_MAX), "9223372036854775807"},
        {"2147483647", Bytes({4}) + LittleEndian(INT32_MAX, 4), "2147483647"},
        {"(\n    38353d 25000c\n    721s 5 1.5)",
         Bytes({1}) + DateBytes(38353) + CurrencyBytes(250000000) + SingleBytes(721) + Bytes({2, 5}) +
             ExtendedBytes(1.5) + Bytes({0}),
         "(\r\n    38353d\r\n    25000c\r\n    721s\r\n    5\r\n    1.5)"},
    });
    // A typed value is followed by the next property, not taken for its name.
    EXPECT_EQ(ParserMessage(Crlf("object T\n  Value = 38353d\n  Next = 25000c\n  Last = 721s\nend\n")),
              "(converted)");
}

TEST(FormValues, ErrorsNameTheLineOfTheTokenAtFault) {
    const struct {
        const char* Value;
        const char* Expected;
    } cases[] = {
        {"5px", "Invalid property value on line 3"},
        {"38353dd", "Invalid property value on line 3"},
        {"1.5x", "Invalid property value on line 3"},
        {"12_", "Invalid property value on line 3"},
        {"1d5", "Invalid property value on line 3"},
        {"7\xC3\xA9", "Invalid property value on line 3"},
        {"99999999999999999999", "Integer out of range on line 3"},
        {"-9223372036854775809", "Integer out of range on line 3"},
        {"1e2147483647", "Invalid property value on line 3"},
        {"1e39s", "Invalid property value on line 3"},
        {"1e309d", "Invalid property value on line 3"},
        {"922337203685477.5808c", "Invalid property value on line 3"},
        {"1es", "Invalid property value on line 3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Value);
        EXPECT_EQ(
            ParserMessage(Crlf(std::string("object T\n  A = 1\n  Value = ") + c.Value + "\n  B = 2\nend\n")),
            c.Expected);
    }
    EXPECT_EQ(ParserMessage(Crlf("object T\n  L = (\n    1\n    2x\n    3)\nend\n")),
              "Invalid property value on line 4");
    EXPECT_EQ(ParserMessage(Crlf("object T\n  object B: TB [3x]\n  end\nend\n")),
              "Invalid property value on line 2");
    EXPECT_EQ(ParserMessage(Crlf("object T\n  C = <\n    item [2s]\n    end>\nend\n")),
              "Number expected on line 3");
}

std::string Utf16(std::initializer_list<char16_t> units) {
    std::string bytes;
    for (const char16_t u : units)
        bytes += LittleEndian(u, 2);
    return bytes;
}

TEST(FormValues, WideAndUtf8StringsReadAsTheFrameworksOwnStrings) {
    const std::string long300(300, 'w');
    std::string wide300;
    for (const char c : long300)
        wide300 += LittleEndian(static_cast<uint8_t>(c), 2);
    const struct {
        const char* Name;
        std::string Binary;  // the value as another program wrote it
        std::string Written; // as text
        std::string Again;   // the value bytes the text converts to
    } cases[] = {
        {"wide, with an accent and a surrogate pair",
         Bytes({18, 4, 0, 0, 0}) + Utf16({u'h', 0xE9, 0xD83D, 0xDE00}), "'h\xC3\xA9\xF0\x9F\x98\x80'",
         Bytes({6, 7}) + "h\xC3\xA9\xF0\x9F\x98\x80"},
        {"wide, a lone surrogate keeps its code", Bytes({18, 2, 0, 0, 0}) + Utf16({0xD83D, u'a'}),
         "'\xED\xA0\xBD"
         "a'",
         Bytes({6, 4}) + "\xED\xA0\xBD"
                         "a"},
        {"wide, control characters as codes", Bytes({18, 2, 0, 0, 0}) + Utf16({u'\r', u'\''}), "#13#39",
         Bytes({6, 2, 13, '\''})},
        {"wide, empty", Bytes({18, 0, 0, 0, 0}), "''", Bytes({6, 0})},
        {"wide, beyond 255 bytes", Bytes({18, 44, 1, 0, 0}) + wide300,
         "\r\n    '" + long300.substr(0, 64) + "' +", Bytes({12, 44, 1, 0, 0}) + long300},
        {"UTF-8",
         Bytes({20, 7, 0, 0, 0}) + "Gr\xC3\xBC\xC3\x9F"
                                   "e",
         "'Gr\xC3\xBC\xC3\x9F"
         "e'",
         Bytes({6, 7}) + "Gr\xC3\xBC\xC3\x9F"
                         "e"},
        {"UTF-8, beyond 255 bytes", Bytes({20, 44, 1, 0, 0}) + long300,
         "\r\n    '" + long300.substr(0, 64) + "' +", Bytes({12, 44, 1, 0, 0}) + long300},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string text = ToText(OnePropertyBinary(c.Binary));
        EXPECT_EQ(text.substr(text.find("P = ") + 4, c.Written.size()), c.Written);
        EXPECT_EQ(ValueBytes(ToBinary(text)), c.Again);
    }
    EXPECT_EQ(MessageOf<EReadError>([] {
                  ToText(OnePropertyBinary(Bytes({18, 3, 0, 0, 0, 'a', 0})));
              }),
              "Stream read error");
    EXPECT_EQ(MessageOf<EReadError>([] {
                  ToText(OnePropertyBinary(Bytes({18, 255, 255, 255, 255, 'a', 0})));
              }),
              "Stream read error");
    // Singles and dates the text cannot write are refused rather than changed.
    EXPECT_EQ(MessageOf<EReadError>([] { ToText(OnePropertyBinary(SingleBytes(HUGE_VALF))); }),
              "Invalid property value");
    EXPECT_EQ(MessageOf<EReadError>([] { ToText(OnePropertyBinary(DateBytes(NAN))); }),
              "Invalid property value");
}

// A 16-bit resource header as compiled form resources of other programs begin: type 10 by number, the
// name, flags, the data's length.
std::string ResourceHeader(const std::string& name, uint32_t size) {
    return Bytes({0xFF, 0x0A, 0x00}) + name + Bytes({0, 0x30, 0x10}) + LittleEndian(size, 4);
}

TEST(FormValues, BinaryFormsAfterAResourceHeaderConvertAndLoad) {
    const std::string stream = ToBinary(Crlf("object Form1: TSinkForm\n  Caption = 'Hi'\n  Tag = 7\nend\n"));
    const std::string withHeader = ResourceHeader("TFORM1", static_cast<uint32_t>(stream.size())) + stream;

    TFormHeader header;
    TStringStream input(withHeader), output;
    ObjectBinaryToText(input, output, &header);
    EXPECT_EQ(output.DataString(), ToText(stream));
    EXPECT_TRUE(header.HasResourceHeader);
    EXPECT_EQ(header.ResourceName, "TFORM1");
    EXPECT_EQ(header.ResourceSize, stream.size());
    TStringStream plainInput(stream), plainOutput;
    ObjectBinaryToText(plainInput, plainOutput, &header);
    EXPECT_FALSE(header.HasResourceHeader);

    TSinkForm form(nullptr);
    TStringStream binary(withHeader);
    TReader(binary).ReadRootComponent(&form);
    EXPECT_EQ(form.Caption, "Hi");
    EXPECT_EQ(form.Tag(), 7);

    const struct {
        const char* Name;
        std::string Bytes;
    } broken[] = {
        {"another resource type",
         Bytes({0xFF, 0x0B, 0x00}) + "TFORM1" + Bytes({0, 0, 0, 0, 0, 0, 0}) + stream},
        {"a name without its end", Bytes({0xFF, 0x0A, 0x00}) + std::string(300, 'N') + Bytes({0}) + stream},
        {"no signature after the header", ResourceHeader("TFORM1", 4) + "TPF1" + stream.substr(4)},
        {"the header alone", ResourceHeader("TFORM1", 0)},
        {"cut inside the header", ResourceHeader("TFORM1", 0).substr(0, 10)},
    };
    for (const auto& c : broken) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(MessageOf<EReadError>([&] { ToText(c.Bytes); }), "Invalid stream format");
        TSinkForm target(nullptr);
        TStringStream damaged(c.Bytes);
        EXPECT_EQ(MessageOf<EReadError>([&] { TReader(damaged).ReadRootComponent(&target); }),
                  "Invalid stream format");
    }
}

// Sink1 of a TSinkForm with the given property bytes (name and tagged value each).
std::string SinkRecord(const std::string& properties) {
    return "TPF0\x09TSinkForm\x05"
           "Form1\x00\x0cTKitchenSink\x05Sink1"s +
           properties + "\x00\x00\x00"s;
}

std::string Property(const std::string& name, const std::string& value) {
    return static_cast<char>(name.size()) + name + value;
}

TEST(FormValues, LiveComponentsTakeEveryKindTheirPropertyCanHold) {
    TSinkForm form(nullptr);
    TStringStream binary(
        SinkRecord(Property("Double", DateBytes(38353.75)) + Property("Extended", CurrencyBytes(-123456)) +
                   Property("Single", SingleBytes(0.1f)) + Property("Date", Int64Bytes(45000)) +
                   Property("Integer", Int64Bytes(-5)) + Property("Cardinal", Int64Bytes(UINT32_MAX)) +
                   Property("Text", Bytes({18, 2, 0, 0, 0}) + Utf16({0xE9, 0x263A})) +
                   Property("Caption", Bytes({20, 2, 0, 0, 0}) + "ok") +
                   Property("Wide", Bytes({18, 1, 0, 0, 0}) + Utf16({0x263A}))));
    TReader(binary).ReadRootComponent(&form);
    ASSERT_NE(form.Sink1, nullptr);
    EXPECT_EQ(form.Sink1->Double, 38353.75);
    EXPECT_EQ(form.Sink1->Extended, -12.3456L);
    EXPECT_EQ(form.Sink1->Single, 0.1f);
    EXPECT_EQ(form.Sink1->Date, 45000.0);
    EXPECT_EQ(form.Sink1->Integer, -5);
    EXPECT_EQ(form.Sink1->Cardinal, UINT32_MAX);
    EXPECT_EQ(form.Sink1->Text, "\xC3\xA9\xE2\x98\xBA");
    EXPECT_EQ(form.Sink1->Caption, "ok");
    EXPECT_EQ(form.Sink1->Wide, u'\u263A');

    const struct {
        std::string Property;
        const char* Message;
    } refused[] = {
        {Property("Integer", Int64Bytes(INT64_MIN)),
         "Error reading Sink1.Integer: -9223372036854775808 is out of range (-2147483648 to 2147483647)"},
        {Property("Cardinal", Int64Bytes(-1)),
         "Error reading Sink1.Cardinal: -1 is out of range (0 to 4294967295)"},
        {Property("Integer", CurrencyBytes(10000)), "Error reading Sink1.Integer: Invalid property value"},
        {Property("Integer", DateBytes(1)), "Error reading Sink1.Integer: Invalid property value"},
        {Property("Text", SingleBytes(1)), "Error reading Sink1.Text: Invalid property value"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.Message);
        TSinkForm target(nullptr);
        TStringStream stream(SinkRecord(c.Property));
        EXPECT_EQ(MessageOf<EReadError>([&] { TReader(stream).ReadRootComponent(&target); }), c.Message);
    }
}

} // namespace
