// Text to binary: a recursive-descent reader over TParser tokens that writes the binary form as it goes.
#include "streaming/Extended80.h"
#include "streaming/ObjectText.h"
#include "streaming/Parser.h"
#include "streaming/ValueType.h"

#include <bit>
#include <cstdint>
#include <limits>

namespace {

constexpr size_t MaxShortString = 255;
// A class name length byte of 0xF0 or more would read back as the flags prefix.
constexpr size_t MaxClassName = 0xEF;

bool FitsInt32(int64_t value) {
    return value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max();
}

class TTextToBinary {
public:
    TTextToBinary(TStream& input, TStream& output, int firstLine)
        : FParser(input, firstLine), FOutput(output) {}

    void Run() {
        FOutput.Write("TPF0", 4);
        FParser.NextToken();
        ConvertObject();
        FOutput.Flush();
        FParser.ReturnUnread();
    }

private:
    // ---- binary output

    void WriteByte(uint8_t value) { FOutput.Put(static_cast<char>(value)); }

    void WriteUInt32(uint32_t value) {
        const char bytes[4] = {static_cast<char>(value), static_cast<char>(value >> 8),
                               static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
        FOutput.Write(bytes, 4);
    }

    void WriteUInt64(uint64_t value) {
        WriteUInt32(static_cast<uint32_t>(value));
        WriteUInt32(static_cast<uint32_t>(value >> 32));
    }

    void WriteShortString(std::string_view text) {
        WriteByte(static_cast<uint8_t>(text.size()));
        FOutput.Write(text);
    }

    // With the smallest tag that holds the value.
    void WriteInteger(int32_t value) {
        if (value >= INT8_MIN && value <= INT8_MAX) {
            WriteByte(vaInt8);
            WriteByte(static_cast<uint8_t>(value));
        } else if (value >= INT16_MIN && value <= INT16_MAX) {
            WriteByte(vaInt16);
            WriteByte(static_cast<uint8_t>(value));
            WriteByte(static_cast<uint8_t>(value >> 8));
        } else {
            WriteByte(vaInt32);
            WriteUInt32(static_cast<uint32_t>(value));
        }
    }

    void WriteFloat(Extended value) {
        uint8_t bytes[Extended80Size];
        EncodeExtended80(value, bytes);
        WriteByte(vaExtended);
        FOutput.Write(bytes, Extended80Size);
    }

    void WriteString(const std::string& text) {
        if (text.size() <= MaxShortString) {
            WriteByte(vaString);
            WriteShortString(text);
        } else {
            WriteByte(vaLString);
            WriteLength(text.size());
            FOutput.Write(text);
        }
    }

    void WriteLength(size_t length) {
        if (length > std::numeric_limits<uint32_t>::max()) FParser.Error("Invalid property value");
        WriteUInt32(static_cast<uint32_t>(length));
    }

    // ---- grammar

    void Enter() {
        if (++FDepth > MaxFormNesting) FParser.Error(NestingTooDeepMessage());
    }
    void Leave() { --FDepth; }

    // The current token as a plain (undotted) identifier of at most `maxLength` bytes.
    std::string_view Identifier(size_t maxLength) {
        if (FParser.Token() != TToken::Symbol || !IsFormIdentifier(FParser.TokenString(), false))
            FParser.Error("Identifier expected");
        if (FParser.TokenString().size() > maxLength) FParser.Error("Identifier too long");
        return FParser.TokenString();
    }

    bool AtKeyword() const {
        return FParser.Token() == TToken::Symbol && IsFormKeyword(FParser.TokenString());
    }

    // The current token as a 32-bit integer, for child positions and item indexes.
    int32_t SmallInteger() {
        if (FParser.Token() != TToken::Integer || FParser.TokenSuffix() || !FitsInt32(FParser.TokenInt()))
            FParser.Error("Number expected");
        return static_cast<int32_t>(FParser.TokenInt());
    }

    void Expect(char c) {
        if (!FParser.TokenCharIs(c)) FParser.ErrorExpected(std::string(1, c));
        FParser.NextToken();
    }

    bool AtObjectHeader() const {
        return FParser.TokenSymbolIs("object") || FParser.TokenSymbolIs("inherited") ||
               FParser.TokenSymbolIs("inline");
    }

    // From the "object"/"inherited"/"inline" token through the matching "end", which stays the current
    // token so that the outermost block reads nothing after it.
    void ConvertObject() {
        Enter();
        if (!AtObjectHeader()) FParser.ErrorExpected("object");
        const bool inherited = FParser.TokenSymbolIs("inherited");
        const bool isInline = FParser.TokenSymbolIs("inline");
        FParser.NextToken();
        std::string className(Identifier(MaxShortString));
        const int classLine = FParser.TokenLine();
        std::string name;
        FParser.NextToken();
        if (FParser.TokenCharIs(':')) {
            FParser.NextToken();
            name = std::move(className);
            className.assign(Identifier(MaxClassName));
            FParser.NextToken();
        } else if (className.size() > MaxClassName) {
            FParser.Error("Identifier too long", classLine);
        }
        uint8_t flags = (inherited ? ffInherited : 0) | (isInline ? ffInline : 0);
        int32_t position = 0;
        if (FParser.TokenCharIs('[')) {
            FParser.NextToken();
            position = SmallInteger();
            FParser.NextToken();
            Expect(']');
            if (position > 0) flags |= ffChildPos;
        }
        if (flags != 0) {
            WriteByte(0xF0 | flags);
            if (flags & ffChildPos) WriteInteger(position);
        }
        WriteShortString(className);
        WriteShortString(name);

        ConvertProperties();
        while (!FParser.TokenSymbolIs("end")) {
            if (!AtObjectHeader()) FParser.ErrorExpected("end");
            ConvertObject();
            FParser.NextToken();
        }
        WriteByte(0);
        Leave();
    }

    // Property lines up to "end", "object", "inherited" or "inline", then the zero byte that ends the list.
    void ConvertProperties() {
        while (!AtKeyword()) {
            if (FParser.Token() == TToken::EndOfInput) FParser.ErrorExpected("end");
            if (FParser.Token() != TToken::Symbol || !IsFormIdentifier(FParser.TokenString(), true))
                FParser.Error("Identifier expected");
            if (FParser.TokenString().size() > MaxShortString) FParser.Error("Identifier too long");
            WriteShortString(FParser.TokenString());
            FParser.NextToken();
            Expect('=');
            ConvertValue();
        }
        WriteByte(0);
    }

    // One value from its first token; leaves the token after the value current.
    void ConvertValue() {
        switch (FParser.Token()) {
        case TToken::Symbol:
            ConvertSymbol();
            break;
        case TToken::String:
            ConvertString();
            return; // already at the next token
        case TToken::Integer:
        case TToken::Float:
            ConvertNumber();
            break;
        case TToken::Char:
            switch (FParser.TokenChar()) {
            case '(':
                ConvertList();
                break;
            case '[':
                ConvertSet();
                break;
            case '{':
                ConvertBinary();
                break;
            case '<':
                ConvertCollection();
                break;
            default:
                FParser.Error("Invalid property value");
            }
            break;
        case TToken::EndOfInput:
            FParser.Error("Invalid property value");
        }
        FParser.NextToken();
    }

    // Integers take the smallest tag that holds them; floats are those with a fraction or an exponent; a
    // suffix makes a single, a currency amount or a date.
    void ConvertNumber() {
        const std::string_view text = FParser.TokenString();
        switch (FParser.TokenSuffix()) {
        case 's': {
            float value = 0;
            if (!TryStrToFloat(text, value)) FParser.Error("Invalid property value");
            WriteByte(vaSingle);
            WriteUInt32(std::bit_cast<uint32_t>(value));
            return;
        }
        case 'c': {
            int64_t scaled = 0;
            if (!TryStrToCurrency(text, scaled)) FParser.Error("Invalid property value");
            WriteByte(vaCurrency);
            WriteUInt64(static_cast<uint64_t>(scaled));
            return;
        }
        case 'd': {
            double value = 0;
            if (!TryStrToFloat(text, value)) FParser.Error("Invalid property value");
            WriteByte(vaDate);
            WriteUInt64(std::bit_cast<uint64_t>(value));
            return;
        }
        default:
            break;
        }
        if (FParser.Token() == TToken::Integer) {
            const int64_t value = FParser.TokenInt();
            if (FitsInt32(value)) {
                WriteInteger(static_cast<int32_t>(value));
            } else {
                WriteByte(vaInt64);
                WriteUInt64(static_cast<uint64_t>(value));
            }
            return;
        }
        // Digits alone that do not fit in 64 bits are an integer too wide for any integer tag.
        if (text.find_first_of(".eE") == std::string_view::npos && text != "-INF")
            FParser.Error("Integer out of range");
        Extended value = 0;
        if (!FParser.TokenFloat(value)) FParser.Error("Invalid property value");
        WriteFloat(value);
    }

    void ConvertSymbol() {
        const std::string_view text = FParser.TokenString();
        if (IsWord(text, "false")) {
            WriteByte(vaFalse);
        } else if (IsWord(text, "true")) {
            WriteByte(vaTrue);
        } else if (IsWord(text, "nil")) {
            WriteByte(vaNil);
        } else if (text == "INF" || text == "NAN") {
            // As the float format writes infinity and not-a-number.
            Extended value = 0;
            FParser.TokenFloat(value);
            WriteFloat(value);
        } else {
            if (!IsFormIdentifier(text, true)) FParser.Error("Invalid property value");
            if (text.size() > MaxShortString) FParser.Error("Identifier too long");
            WriteByte(vaIdent);
            WriteShortString(text);
        }
    }

    void ConvertString() {
        FParser.TakeTokenString(FString);
        FParser.NextToken();
        while (FParser.TokenCharIs('+')) {
            FParser.NextToken();
            if (FParser.Token() != TToken::String) FParser.Error("String expected");
            FString += FParser.TokenString();
            FParser.NextToken();
        }
        WriteString(FString);
    }

    void ConvertList() {
        Enter();
        WriteByte(vaList);
        FParser.NextToken();
        while (!FParser.TokenCharIs(')')) {
            if (FParser.Token() == TToken::EndOfInput) FParser.ErrorExpected(")");
            ConvertValue();
        }
        WriteByte(0);
        Leave();
    }

    void ConvertSet() {
        WriteByte(vaSet);
        FParser.NextToken();
        if (!FParser.TokenCharIs(']')) {
            for (;;) {
                WriteShortString(Identifier(MaxShortString));
                FParser.NextToken();
                if (FParser.TokenCharIs(']')) break;
                if (!FParser.TokenCharIs(',')) FParser.ErrorExpected("]");
                FParser.NextToken();
            }
        }
        WriteByte(0);
    }

    void ConvertBinary() {
        FString.clear();
        FParser.ReadHexBinary(FString);
        WriteByte(vaBinary);
        WriteLength(FString.size());
        FOutput.Write(FString);
    }

    void ConvertCollection() {
        Enter();
        WriteByte(vaCollection);
        FParser.NextToken();
        while (!FParser.TokenCharIs('>')) {
            if (FParser.Token() == TToken::EndOfInput) FParser.ErrorExpected(">");
            if (!FParser.TokenSymbolIs("item")) FParser.ErrorExpected("item");
            FParser.NextToken();
            if (FParser.TokenCharIs('[')) {
                FParser.NextToken();
                WriteInteger(SmallInteger());
                FParser.NextToken();
                Expect(']');
            }
            WriteByte(vaList);
            ConvertProperties();
            if (!FParser.TokenSymbolIs("end")) FParser.ErrorExpected("end");
            FParser.NextToken();
        }
        WriteByte(0);
        Leave();
    }

    TParser FParser;
    TBufferedOutput FOutput;
    int FDepth = 0;
    std::string FString; // scratch for string and binary values
};

} // namespace

void ObjectTextToBinary(TStream& input, TStream& output, int firstLine) {
    TTextToBinary(input, output, firstLine).Run();
}
