#include "object_text_support.h"

#include "core/Streams.h"
#include "streaming/Extended80.h"
#include "streaming/ObjectText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>

namespace {

TEST(ObjectText, ValueEncodings) {
    const std::string long256(256, 'x');
    const struct {
        std::string Text;
        std::string Binary;
    } cases[] = {
        {"0", Bytes({2, 0})},
        {"127", Bytes({2, 0x7F})},
        {"-128", Bytes({2, 0x80})},
        {"128", Bytes({3, 0x80, 0})},
        {"-32768", Bytes({3, 0, 0x80})},
        {"32768", Bytes({4, 0, 0x80, 0, 0})},
        {"-2147483648", Bytes({4, 0, 0, 0, 0x80})},
        // Too wide for 32 bits: 64 bits.
        {"2147483648", Bytes({19, 0, 0, 0, 0x80, 0, 0, 0, 0})},
        {"-9223372036854775808", Bytes({19, 0, 0, 0, 0, 0, 0, 0, 0x80})},
        {"1.5", Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F})},
        {"2.0", Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0x40})},
        {"-INF", Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xFF})},
        {"''", Bytes({6, 0})},
        {"'abc'", Bytes({6, 3, 'a', 'b', 'c'})},
        {"'a'#39'b'", Bytes({6, 3, 'a', '\'', 'b'})},
        {"'it''s'", Bytes({6, 4, 'i', 't', '\'', 's'})},
        {"#200#65", Bytes({6, 3, 0xC3, 0x88, 'A'})},
        {"'ab' +\n    'cd' + #13", Bytes({6, 5, 'a', 'b', 'c', 'd', 13})},
        {"'" + long256 + "'", Bytes({12, 0, 1, 0, 0}) + long256},
        {"alClient", Bytes({7, 8}) + "alClient"},
        {"Form2.Button1", Bytes({7, 13}) + "Form2.Button1"},
        {"false", Bytes({8})},
        {"TRUE", Bytes({9})},
        {"Nil", Bytes({13})},
        {"{00FF}", Bytes({10, 2, 0, 0, 0, 0, 0xFF})},
        {"{0a 0B\n  ff}", Bytes({10, 3, 0, 0, 0, 0x0A, 0x0B, 0xFF})},
        {"[]", Bytes({11, 0})},
        {"[a, bc]", Bytes({11, 1, 'a', 2, 'b', 'c', 0})},
        {"()", Bytes({1, 0})},
        {"(1 'x' (True))", Bytes({1, 2, 1, 6, 1, 'x', 1, 9, 0, 0})},
        {"<>", Bytes({14, 0})},
        // Items carry the list tag after the optional index.
        {"<item end ITEM [5] A = 1 end>", Bytes({14, 1, 0, 2, 5, 1, 1, 'A', 2, 1, 0, 0})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(ToBinary(Crlf("object T\n  P = " + c.Text + "\nend\n")), OnePropertyBinary(c.Binary));
    }
}

// Text in the writer's own layout converts to binary and back unchanged, byte for byte.
TEST(ObjectText, CanonicalTextRoundTrips) {
    const std::string a64(64, 'a');
    const std::string hex31 = std::string(62, 'A');
    const std::string hex32 = std::string(64, 'B');
    const char* cases[] = {
        "object Form1: TForm1\n  Left = 200\n  Top = -8\n  Width = 70000\nend\n",
        "object TForm1\nend\n",
        "inherited Form2: TForm2\nend\n",
        "object Form1: TForm1\n  object Panel1: TPanel [3]\n    object Button1: TButton\n    end\n  end\n"
        "  inherited Label1: TLabel [1]\n  end\nend\n",
        "object T\n  S = ''\n  Q = 'it'#39's'\n  C = #13#10'line'#9'tab'\n  U = 'gr\xC3\xBC\xC3\x9F'\nend\n",
        "object T\n  Font.Name = 'Sans'\n  Font.Style = [fsBold, fsItalic]\n  E = []\nend\n",
        "object T\n  B1 = False\n  B2 = True\n  R = nil\n  I = alClient\n  Ref = Form2.Button1\nend\n",
        "object T\n  F1 = 1.5\n  F2 = 0.1\n  F3 = -2.5E-10\n  F4 = 1E20\n  F5 = 100000000000000.0\nend\n",
        "object T\n  F1 = INF\n  F2 = -INF\n  F3 = NAN\nend\n",
        "object T\n  L = (\n    'one'\n    2\n    (\n      x))\n  E = ()\nend\n",
        "object T\n  Cols = <\n    item\n      Width = 10\n      Sub = <\n        item [2]\n"
        "          X = 'y'\n        end>\n    end\n    item [7]\n    end>\n  None = <>\nend\n",
        "object T\n  D0 = {}\n  D1 = {00FF}\nend\n",
    };
    for (const char* c : cases) {
        SCOPED_TRACE(c);
        const std::string text = Crlf(c);
        EXPECT_EQ(ToText(ToBinary(text)), text);
    }

    const struct {
        const char* Name;
        std::string Text;
    } layouts[] = {
        {"31 bytes of binary stay on the line", "object T\n  D = {" + hex31 + "}\nend\n"},
        {"32 bytes go on a line of their own", "object T\n  D = {\n    " + hex32 + "}\nend\n"},
        {"33 bytes take two lines", "object T\n  D = {\n    " + hex32 + "\n    0C}\nend\n"},
        {"64 characters stay on the line", "object T\n  S = '" + a64 + "'\nend\n"},
        {"65 characters start a new line and split after 64",
         "object T\n  S = \n    '" + a64 + "' +\n    'a'\nend\n"},
        {"a split that falls on a code",
         "object T\n  S = \n    '" + std::string(63, 'a') + "'#13 +\n    'b'\nend\n"},
        {"long strings in a list", "object T\n  L = (\n    \n      '" + a64 + "' +\n      'b')\nend\n"},
    };
    for (const auto& c : layouts) {
        SCOPED_TRACE(c.Name);
        const std::string text = Crlf(c.Text);
        EXPECT_EQ(ToText(ToBinary(text)), text);
    }
}

TEST(ObjectText, HeaderForms) {
    // No colon: the identifier is the class and the name is empty.
    EXPECT_EQ(ToBinary(Crlf("object TForm1\nend\n")),
              Bytes({'T', 'P', 'F', '0', 6}) + "TForm1" + Bytes({0, 0, 0}));
    // A child position of 0 is accepted and dropped; a greater one sets the flag and is written.
    EXPECT_EQ(ToBinary(Crlf("object B: TB [0]\nend\n")), ToBinary(Crlf("object B: TB\nend\n")));
    EXPECT_EQ(ToBinary(Crlf("object B: TB [-4]\nend\n")), ToBinary(Crlf("object B: TB\nend\n")));
    EXPECT_EQ(ToBinary(Crlf("object B: TB [3]\nend\n")),
              Bytes({'T', 'P', 'F', '0', 0xF2, 2, 3, 2, 'T', 'B', 1, 'B', 0, 0}));
    EXPECT_EQ(ToBinary(Crlf("inherited B: TB [300]\nend\n")),
              Bytes({'T', 'P', 'F', '0', 0xF3, 3, 0x2C, 1, 2, 'T', 'B', 1, 'B', 0, 0}));
    EXPECT_EQ(ToBinary(Crlf("inherited TB\nend\n")), Bytes({'T', 'P', 'F', '0', 0xF1, 2, 'T', 'B', 0, 0, 0}));
}

TEST(ObjectText, ByteOrderMarkIsSkipped) {
    EXPECT_EQ(ToBinary("\xEF\xBB\xBFobject T\r\nend\r\n"), ToBinary("object T\r\nend\r\n"));
}

TEST(ObjectText, KeywordsIgnoreLetterCase) {
    const std::string lower =
        ToBinary(Crlf("object A: TA\n  P = <\n    item\n    end>\n  object B: TB\n  end\n"
                      "  inherited C: TC\n  end\nend\n"));
    const std::string mixed =
        ToBinary(Crlf("OBJECT A: TA\n  P = <\n    Item\n    END>\n  Object B: TB\n  End\n"
                      "  INHERITED C: TC\n  eNd\nEND\n"));
    EXPECT_EQ(lower, mixed);
}

// Segments never end inside a UTF-8 character: the break moves back to the character's first byte.
TEST(ObjectText, StringBreaksRespectUtf8) {
    const std::string e2 = "\xC3\xA9";         // 2 bytes
    const std::string e3 = "\xE2\x82\xAC";     // 3 bytes
    const std::string e4 = "\xF0\x9F\x98\x80"; // 4 bytes
    const std::string trail70(70, '\x80');     // not UTF-8 at all
    const struct {
        const char* Name;
        std::string Value;
        std::string FirstSegment;
    } cases[] = {
        {"2-byte character across the break", std::string(63, 'a') + e2 + "b", std::string(63, 'a')},
        {"3-byte character across the break", std::string(62, 'a') + e3 + "b", std::string(62, 'a')},
        {"3-byte character ending at the break", std::string(61, 'a') + e3 + "b", std::string(61, 'a') + e3},
        {"4-byte character across the break", std::string(61, 'a') + e4 + "b", std::string(61, 'a')},
        {"invalid sequence breaks at 64", trail70, std::string(64, '\x80')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string rest = c.Value.substr(c.FirstSegment.size());
        const std::string expected =
            "object T\n  P = \n    '" + c.FirstSegment + "' +\n    '" + rest + "'\nend\n";
        const std::string binary = OnePropertyBinary(Bytes({6, static_cast<int>(c.Value.size())}) + c.Value);
        EXPECT_EQ(ToText(binary), Crlf(expected));
        EXPECT_EQ(ToBinary(ToText(binary)), binary);
    }
}

TEST(ObjectText, SyntaxErrorsNameTheLine) {
    const std::string longName(256, 'n');
    const struct {
        std::string Text;
        const char* Expected;
    } cases[] = {
        {"", "'object' expected on line 1"},
        {"\n\nobjct X\nend", "'object' expected on line 3"},
        {"object\n  123\nend", "Identifier expected on line 2"},
        {"object A: 5\nend", "Identifier expected on line 1"},
        {"object A.B\nend", "Identifier expected on line 1"},
        {"object T [x]\nend", "Number expected on line 1"},
        {"object T [1.5]\nend", "Number expected on line 1"},
        {"object T [1\nend", "']' expected on line 2"},
        {"object T\n  P 5\nend", "'=' expected on line 2"},
        {"object T\n  P = 1\n  5 = 2\nend", "Identifier expected on line 3"},
        {"object T\n  Font. Name = 1\nend", "Identifier expected on line 2"},
        {"object T\n  P = )\nend", "Invalid property value on line 2"},
        {"object T\n  P = -x\nend", "Invalid property value on line 2"},
        {"object T\n  P = 1e\nend", "Invalid property value on line 2"},
        {"object T\n  P = 'a' +\n\n  5\nend", "String expected on line 4"},
        {"object T\n  P = 'abc\nend", "''' expected on line 2"},
        {"object T\n  P = #x\nend", "Number expected on line 2"},
        {"object T\n  P = #1114112\nend", "Invalid property value on line 2"},
        {"object T\n  P = [a b]\nend", "']' expected on line 2"},
        {"object T\n  P = [a, ]\nend", "Identifier expected on line 2"},
        {"object T\n  P = (1 2", "')' expected on line 2"},
        {"object T\n  P = {0G}\nend", "Invalid property value on line 2"},
        {"object T\n  P = {01\n 2}\nend", "Invalid property value on line 3"},
        {"object T\n  P = {0102", "'}' expected on line 2"},
        {"object T\n  P = <\n    foo\n  >\nend", "'item' expected on line 3"},
        {"object T\n  P = <\n    item\n      A = 1\n", "'end' expected on line 5"},
        {"object T\n  P = <\n    item\n    end\n", "'>' expected on line 5"},
        {"object T\n  P = 1\n  object C: TC\n  end\n  Q = 2\nend", "'end' expected on line 5"},
        {"object T\n  P = 1", "'end' expected on line 2"},
        {"object T\n  " + longName + " = 1\nend", "Identifier too long on line 2"},
        {"object " + std::string(240, 'T') + "\nend", "Identifier too long on line 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(MessageOf<EParserError>([&] { ToBinary(Crlf(c.Text)); }), c.Expected);
    }
}

TEST(ObjectText, NestingLimit) {
    auto nestedObjects = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i)
            text += "object T\n";
        for (int i = 0; i < depth; ++i)
            text += "end\n";
        return text;
    };
    EXPECT_NO_THROW(ToBinary(nestedObjects(MaxFormNesting)));
    EXPECT_EQ(MessageOf<EParserError>([&] { ToBinary(nestedObjects(MaxFormNesting + 1)); }),
              "Nesting deeper than 256 levels on line 257");
    EXPECT_EQ(MessageOf<EParserError>([&] { ToBinary("object T P = " + std::string(100000, '(')); }),
              "Nesting deeper than 256 levels on line 1");

    // The same limit guards the binary side: deeply nested lists and child records.
    const std::string lists = std::string("TPF0\x01T\x00\x01P", 9) + std::string(100000, '\x01');
    EXPECT_EQ(MessageOf<EReadError>([&] { ToText(lists); }), "Nesting deeper than 256 levels");
    std::string children = "TPF0";
    for (int i = 0; i < 100000; ++i)
        children += std::string("\x01T\x00\x00", 4);
    EXPECT_EQ(MessageOf<EReadError>([&] { ToText(children); }), "Nesting deeper than 256 levels");
}

TEST(ObjectText, OnlyTheFirstBlockIsRead) {
    const std::string text = Crlf("object A: TA\nend\nobject B: TB\n  P = 1\nend\n) garbage");
    TStringStream input(text);
    TStringStream first, second;
    ObjectTextToBinary(input, first);
    EXPECT_EQ(input.Position(), static_cast<int64_t>(text.find("\r\nobject B")));
    ObjectTextToBinary(input, second);
    EXPECT_EQ(ToText(first.DataString()), Crlf("object A: TA\nend\n"));
    EXPECT_EQ(ToText(second.DataString()), Crlf("object B: TB\n  P = 1\nend\n"));

    // Binary to text also stops right after its record.
    TStringStream binaries(first.DataString() + second.DataString());
    TStringStream textA, textB;
    ObjectBinaryToText(binaries, textA);
    EXPECT_EQ(binaries.Position(), static_cast<int64_t>(first.DataString().size()));
    ObjectBinaryToText(binaries, textB);
    EXPECT_EQ(textB.DataString(), Crlf("object B: TB\n  P = 1\nend\n"));
}

// Returns at most a few bytes per read, so every token meets a buffer boundary somewhere.
class TTrickleStream : public TStringStream {
public:
    TTrickleStream(std::string data, int64_t step) : TStringStream(std::move(data)), FStep(step) {}
    int64_t Read(void* buffer, int64_t count) override {
        return TStringStream::Read(buffer, std::min(count, FStep));
    }

private:
    int64_t FStep;
};

const char* RichForm =
    "object Form1: TForm1 [2]\n  Caption = 'Hello'#13#10'world'\n  Font.Size = -11\n"
    "  Big = 100000000000000\n  Ratio = 0.25\n  Style = [a, b]\n  Align = alClient\n"
    "  Ok = True\n  Data = {\n    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F\n"
    "    FF}\n  Items = (\n    'one'\n    -70000)\n"
    "  Long = \n    'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa' +\n    'tail'\n"
    "  Cols = <\n    item [1]\n      W = 3\n    end>\n"
    "  object Button1: TButton\n    Tag = 7\n  end\nend\n";

TEST(ObjectText, TokensAcrossReadBoundaries) {
    const std::string text = Crlf(RichForm);
    const std::string binary = ToBinary(text);
    for (const int64_t step : {1, 2, 3, 7}) {
        SCOPED_TRACE(step);
        TTrickleStream textInput(text + "object Next", step);
        TStringStream binaryOutput;
        ObjectTextToBinary(textInput, binaryOutput);
        EXPECT_EQ(binaryOutput.DataString(), binary);
        EXPECT_EQ(textInput.Position(), static_cast<int64_t>(text.size() - 2)) << "just after the last end";

        TTrickleStream binaryInput(binary + "junk", step);
        TStringStream textOutput;
        ObjectBinaryToText(binaryInput, textOutput);
        EXPECT_EQ(textOutput.DataString(), text);
        EXPECT_EQ(binaryInput.Position(), static_cast<int64_t>(binary.size()));
    }
}

TEST(ObjectText, BadBinaryFailsCleanly) {
    const struct {
        const char* Name;
        std::string Binary;
        const char* Expected;
    } cases[] = {
        {"empty", "", "Invalid stream format"},
        {"short signature", "TPF", "Invalid stream format"},
        {"wrong signature", "TPF1\x01T\x00\x00\x00", "Invalid stream format"},
        {"unknown flags", std::string("TPF0\xF8\x01T\x00\x00\x00", 10), "Invalid stream format"},
        {"position not an integer", std::string("TPF0\xF2\x06\x01T\x00\x00\x00", 11),
         "Invalid stream format"},
        {"empty class name", std::string("TPF0\x00\x00\x00\x00", 8), "Invalid stream format"},
        {"property named end",
         std::string("TPF0\x01T\x00\x03"
                     "end\x02\x01\x00\x00",
                     14),
         "Invalid stream format"},
        {"property name with a blank",
         std::string("TPF0\x01T\x00\x03"
                     "a b\x02\x01\x00\x00",
                     14),
         "Invalid stream format"},
        {"unknown tag", OnePropertyBinary("\x15"), "Invalid property value"},
        {"end tag as a value", OnePropertyBinary(std::string(1, '\0')), "Invalid property value"},
        {"identifier with a quote", OnePropertyBinary("\x07\x02x'"), "Invalid property value"},
        {"item without list tag", OnePropertyBinary(Bytes({14, 2, 1, 2, 0, 0})), "Invalid property value"},
        {"long string past the end",
         OnePropertyBinary("\x0C\xFF\xFF\xFF\xFF"
                           "abc"),
         "Stream read error"},
        {"binary past the end",
         OnePropertyBinary("\x0A\xFF\xFF\xFF\x7F"
                           "abc"),
         "Stream read error"},
        {"record ends early", std::string("TPF0\x01T\x00\x01P\x02", 10), "Stream read error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(MessageOf<EReadError>([&] { ToText(c.Binary); }), c.Expected);
    }
}

// Any damage to a valid stream fails with a framework exception or converts to text that reads back.
// (The second round is compared: a child position of 0 with its flag set is written but reads back
// without the flag.)
TEST(ObjectText, DamagedBinaryNeverCrashes) {
    const std::string binary = ToBinary(Crlf(RichForm));
    for (size_t length = 0; length < binary.size(); ++length)
        EXPECT_THROW(ToText(binary.substr(0, length)), EReadError) << "truncated to " << length;
    for (size_t i = 4; i < binary.size(); ++i) {
        for (const int value : {0x00, 0x01, 0x05, 0x0E, 0x7F, 0xF2, 0xFF}) {
            std::string damaged = binary;
            damaged[i] = static_cast<char>(value);
            std::string text;
            try {
                text = ToText(damaged);
            } catch (const Exception&) {
                continue;
            }
            EXPECT_NO_THROW({
                const std::string again = ToText(ToBinary(text));
                EXPECT_EQ(ToText(ToBinary(again)), again);
            }) << "byte "
               << i << " = " << value;
        }
    }
}

TEST(Extended80, KnownEncodings) {
    const struct {
        const char* Name;
        Extended Value;
        std::string Bytes;
    } cases[] = {
        {"zero", 0.0L, Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
        {"negative zero", -0.0L, Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80})},
        {"one", 1.0L, Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})},
        {"minus two", -2.0L, Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0xC0})},
        {"one and a half", 1.5L, Bytes({0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F})},
        {"infinity", HUGE_VALL, Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F})},
        {"minus infinity", -HUGE_VALL, Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xFF})},
#if LDBL_MANT_DIG == 64
        {"smallest normal", LDBL_MIN, Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 1, 0})},
        {"smallest denormal", LDBL_TRUE_MIN, Bytes({1, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
        {"largest", LDBL_MAX, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x7F})},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        uint8_t bytes[Extended80Size];
        EncodeExtended80(c.Value, bytes);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), Extended80Size), c.Bytes);
        const Extended decoded = DecodeExtended80(bytes);
        EXPECT_EQ(decoded, c.Value);
        EXPECT_EQ(std::signbit(decoded), std::signbit(c.Value));
    }
    uint8_t nan[Extended80Size];
    EncodeExtended80(std::nanl(""), nan);
    EXPECT_TRUE(std::isnan(DecodeExtended80(nan)));
}

#if LDBL_MANT_DIG == 64
// On x87 hardware the portable codec must agree with the machine's own layout.
TEST(Extended80, MatchesTheNativeLayout) {
    Extended value = 1.0L / 3.0L;
    for (int i = 0; i < 2000; ++i) {
        value = value * -7.3L + 1e-3L;
        if (std::fabs(value) > 1e300L) value = 1e-4900L * (i + 1);
        uint8_t bytes[Extended80Size];
        EncodeExtended80(value, bytes);
        EXPECT_EQ(std::memcmp(bytes, &value, Extended80Size), 0) << static_cast<double>(value);
        EXPECT_EQ(DecodeExtended80(bytes), value);
    }
}
#endif

} // namespace
