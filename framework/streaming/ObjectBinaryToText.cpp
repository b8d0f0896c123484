// Binary to text: walks one component record and writes its object block, two spaces per level.
#include "core/Unicode.h"
#include "streaming/Extended80.h"
#include "streaming/ObjectText.h"
#include "streaming/Parser.h"
#include "streaming/ValueType.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr size_t SegmentLength = 64;
constexpr size_t BinaryBytesPerLine = 32;
constexpr size_t MaxIndent = 2 * (3 * MaxFormNesting + 4);

class TBinaryToText {
public:
    TBinaryToText(TStream& input, TStream& output) : FInput(input), FOutput(output) {
        std::memset(FSpaces, ' ', sizeof FSpaces);
    }

    void Run(TFormHeader* header) {
        const TFormHeader found = ReadFormHeader(FInput);
        if (header) *header = found;
        ConvertObject(0, FInput.ReadByte());
        FOutput.Flush();
        FInput.ReturnUnread();
    }

private:
    [[noreturn]] static void Fail(const char* message) { throw EReadError(message); }

    void Enter() {
        if (++FDepth > MaxFormNesting)
            throw EReadError(Format("Nesting deeper than %d levels", MaxFormNesting));
    }
    void Leave() { --FDepth; }

    // ---- binary input

    int32_t ReadIntegerBody(uint8_t tag) {
        switch (tag) {
        case vaInt8:
            return static_cast<int8_t>(FInput.ReadByte());
        case vaInt16: {
            const uint8_t low = FInput.ReadByte();
            return static_cast<int16_t>(low | FInput.ReadByte() << 8);
        }
        default:
            return static_cast<int32_t>(ReadUInt32());
        }
    }

    static bool IsIntegerTag(uint8_t tag) { return tag == vaInt8 || tag == vaInt16 || tag == vaInt32; }

    uint32_t ReadUInt32() {
        uint8_t bytes[4];
        FInput.Read(bytes, 4);
        return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t(bytes[3]) << 24;
    }

    uint64_t ReadUInt64() {
        const uint64_t low = ReadUInt32();
        return low | uint64_t(ReadUInt32()) << 32;
    }

    // Valid until the next read.
    std::string_view ReadShortString(size_t length) { return FInput.ReadView(length, FName); }

    // ---- text output

    void Write(std::string_view text) { FOutput.Write(text); }
    void Indent(int level) { FOutput.Write(FSpaces, static_cast<size_t>(2 * level)); }
    void NewLine(int level) {
        FOutput.Write("\r\n", 2);
        Indent(level);
    }
    void WriteInteger(int64_t value) {
        char* out = FOutput.Reserve(24);
        FOutput.Commit(static_cast<size_t>(std::to_chars(out, out + 24, value).ptr - out));
    }

    // ---- record

    // The record whose first byte (flags prefix or class name length) has been read.
    void ConvertObject(int level, uint8_t first) {
        Enter();
        uint8_t flags = 0;
        int32_t position = 0;
        if ((first & 0xF0) == 0xF0) {
            flags = first & 0x0F;
            if (flags & ~(ffInherited | ffChildPos | ffInline)) Fail("Invalid stream format");
            if (flags & ffChildPos) {
                const uint8_t tag = FInput.ReadByte();
                if (!IsIntegerTag(tag)) Fail("Invalid stream format");
                position = ReadIntegerBody(tag);
            }
            first = FInput.ReadByte();
        }
        FClassName.assign(ReadShortString(first));
        const std::string& className = FClassName;
        if (!IsFormIdentifier(className, false)) Fail("Invalid stream format");
        const std::string_view name = ReadShortString(FInput.ReadByte());
        if (!name.empty() && !IsFormIdentifier(name, false)) Fail("Invalid stream format");

        Indent(level);
        // An inherited record that is also inline is written as inherited: the ancestor made it inline.
        Write(flags & ffInherited ? "inherited " : flags & ffInline ? "inline " : "object ");
        if (!name.empty()) {
            Write(name);
            Write(": ");
        }
        Write(className);
        if (flags & ffChildPos) {
            Write(" [");
            WriteInteger(position);
            Write("]");
        }
        Write("\r\n");

        for (uint8_t length = FInput.ReadByte(); length != 0; length = FInput.ReadByte()) {
            Indent(level + 1);
            ConvertProperty(level + 1, length);
            Write("\r\n");
        }
        for (uint8_t next = FInput.ReadByte(); next != 0; next = FInput.ReadByte())
            ConvertObject(level + 1, next);
        Indent(level);
        Write("end\r\n");
        Leave();
    }

    // "Name = value" of the property whose name length has been read.
    void ConvertProperty(int level, uint8_t nameLength) {
        const std::string_view name = ReadShortString(nameLength);
        // A name the text could not read back would corrupt the block around it.
        if (!IsFormIdentifier(name, true) || IsFormKeyword(name)) Fail("Invalid stream format");
        Write(name);
        Write(" = ");
        ConvertValue(level, FInput.ReadByte());
    }

    void ConvertValue(int level, uint8_t tag) {
        switch (tag) {
        case vaList:
            Enter();
            Write("(");
            for (uint8_t item = FInput.ReadByte(); item != vaNull; item = FInput.ReadByte()) {
                NewLine(level + 1);
                ConvertValue(level + 1, item);
            }
            Write(")");
            Leave();
            break;
        case vaInt8:
        case vaInt16:
        case vaInt32:
            WriteInteger(ReadIntegerBody(tag));
            break;
        case vaInt64:
            WriteInteger(static_cast<int64_t>(ReadUInt64()));
            break;
        case vaExtended: {
            uint8_t bytes[Extended80Size];
            FInput.Read(bytes, Extended80Size);
            // Every digit it takes to read back the same value, and a float stays a float: "505.0".
            const std::string text = FloatToStrShortest(DecodeExtended80(bytes));
            Write(text);
            if (text.find_first_not_of("-0123456789") == std::string::npos) Write(".0");
            break;
        }
        case vaSingle:
            WriteTypedFloat(std::bit_cast<float>(ReadUInt32()), 's');
            break;
        case vaDate:
            WriteTypedFloat(std::bit_cast<double>(ReadUInt64()), 'd');
            break;
        case vaCurrency:
            Write(CurrencyToStr(static_cast<int64_t>(ReadUInt64())));
            Write("c");
            break;
        case vaString:
            ConvertString(level, FInput.ReadView(FInput.ReadByte(), FString));
            break;
        case vaLString:
        case vaUTF8String:
            ConvertString(level, FInput.ReadView(ReadUInt32(), FString));
            break;
        case vaWString: {
            const std::string_view utf16 = FInput.ReadView(size_t{2} * ReadUInt32(), FString);
            FWide.clear();
            AppendUtf16LEAsUtf8(FWide, utf16);
            ConvertString(level, FWide);
            break;
        }
        case vaIdent: {
            const std::string_view ident = ReadShortString(FInput.ReadByte());
            if (!IsFormIdentifier(ident, true)) Fail("Invalid property value");
            Write(ident);
            break;
        }
        case vaFalse:
            Write("False");
            break;
        case vaTrue:
            Write("True");
            break;
        case vaNil:
            Write("nil");
            break;
        case vaBinary:
            ConvertBinary(level, ReadUInt32());
            break;
        case vaSet:
            ConvertSet();
            break;
        case vaCollection:
            ConvertCollection(level);
            break;
        default:
            Fail("Invalid property value");
        }
    }

    void ConvertSet() {
        Write("[");
        bool first = true;
        for (uint8_t length = FInput.ReadByte(); length != 0; length = FInput.ReadByte()) {
            const std::string_view element = ReadShortString(length);
            if (!IsFormIdentifier(element, false)) Fail("Invalid property value");
            if (!first) Write(", ");
            Write(element);
            first = false;
        }
        Write("]");
    }

    void ConvertCollection(int level) {
        Enter();
        Write("<");
        for (uint8_t tag = FInput.ReadByte(); tag != vaNull; tag = FInput.ReadByte()) {
            NewLine(level + 1);
            Write("item");
            if (IsIntegerTag(tag)) {
                Write(" [");
                WriteInteger(ReadIntegerBody(tag));
                Write("]");
                tag = FInput.ReadByte();
            }
            if (tag != vaList) Fail("Invalid property value");
            for (uint8_t length = FInput.ReadByte(); length != 0; length = FInput.ReadByte()) {
                NewLine(level + 2);
                ConvertProperty(level + 2, length);
            }
            NewLine(level + 1);
            Write("end");
        }
        Write(">");
        Leave();
    }

    // 32 bytes per line, each on a line of its own once the data fills one; shorter data stays inline.
    void ConvertBinary(int level, uint32_t length) {
        static constexpr char Digits[] = "0123456789ABCDEF";
        const bool onLines = length >= BinaryBytesPerLine;
        Write("{");
        uint8_t bytes[BinaryBytesPerLine];
        while (length > 0) {
            const size_t n = std::min<size_t>(length, BinaryBytesPerLine);
            FInput.Read(bytes, n);
            if (onLines) NewLine(level + 1);
            char* out = FOutput.Reserve(2 * n);
            for (size_t i = 0; i < n; ++i) {
                out[2 * i] = Digits[bytes[i] >> 4];
                out[2 * i + 1] = Digits[bytes[i] & 15];
            }
            FOutput.Commit(2 * n);
            length -= static_cast<uint32_t>(n);
        }
        Write("}");
    }

    // A single or a date with its suffix. The text has no way to write their infinities and NaN.
    template <class T> void WriteTypedFloat(T value, char suffix) {
        if (!std::isfinite(value)) Fail("Invalid property value");
        Write(FloatToStrShortest(value));
        FOutput.Put(suffix);
    }

    void ConvertString(int level, std::string_view s) {
        if (s.empty()) {
            Write("''");
            return;
        }
        if (s.size() > SegmentLength) NewLine(level + 1);
        size_t start = 0;
        while (start < s.size()) {
            size_t end = start + SegmentLength;
            if (end >= s.size()) {
                end = s.size();
            } else {
                // Never end a segment inside a UTF-8 sequence: back up to the character's first byte
                // (at most three continuation bytes; longer runs are not UTF-8 and break where they are).
                size_t lead = end;
                while (lead > end - 3 && (static_cast<uint8_t>(s[lead]) & 0xC0) == 0x80)
                    --lead;
                if ((static_cast<uint8_t>(s[lead]) & 0xC0) != 0x80) end = lead;
            }
            WriteSegment(s.substr(start, end - start));
            start = end;
            if (start < s.size()) {
                Write(" +");
                NewLine(level + 1);
            }
        }
    }

    // Quoted runs of printable bytes; control characters and the quote as "#" codes.
    void WriteSegment(std::string_view segment) {
        size_t i = 0;
        while (i < segment.size()) {
            const uint8_t c = static_cast<uint8_t>(segment[i]);
            if (c < 32 || c == '\'') {
                Write("#");
                WriteInteger(c);
                ++i;
                continue;
            }
            size_t j = i + 1;
            while (j < segment.size() && static_cast<uint8_t>(segment[j]) >= 32 && segment[j] != '\'')
                ++j;
            Write("'");
            Write(segment.substr(i, j - i));
            Write("'");
            i = j;
        }
    }

    TBufferedInput FInput;
    TBufferedOutput FOutput;
    int FDepth = 0;
    std::string FName;      // scratch for names
    std::string FClassName; // the record's class name while its name is read
    std::string FString;    // scratch for string values
    std::string FWide;      // a UTF-16 string value as UTF-8
    char FSpaces[MaxIndent];
};

} // namespace

void ObjectBinaryToText(TStream& input, TStream& output, TFormHeader* header) {
    TBinaryToText(input, output).Run(header);
}
