#include "streaming/Parser.h"

#include "core/Unicode.h"

#include <array>
#include <cstring>

namespace {

enum : uint8_t {
    cBlank = 1,      // space, tab, CR, LF, VT, FF
    cIdentStart = 2, // letters, "_" and every byte of a non-ASCII character (checked by IsFormIdentifier)
    cDigit = 4,
    cQuoted = 8, // may stand inside quotes: anything but the quote, CR, LF and the zero byte
    cHex = 16,
};

constexpr std::array<uint8_t, 256> MakeClasses() {
    std::array<uint8_t, 256> classes{};
    for (int c = 1; c < 256; ++c)
        if (c != '\'' && c != '\r' && c != '\n') classes[c] |= cQuoted;
    for (const char c : {' ', '\t', '\r', '\n', '\v', '\f'})
        classes[static_cast<uint8_t>(c)] |= cBlank;
    for (int c = 'A'; c <= 'Z'; ++c)
        classes[c] |= cIdentStart, classes[c + 'a' - 'A'] |= cIdentStart;
    classes['_'] |= cIdentStart;
    for (int c = 0x80; c < 256; ++c)
        classes[c] |= cIdentStart;
    for (int c = '0'; c <= '9'; ++c)
        classes[c] |= cDigit | cHex;
    for (int c = 'A'; c <= 'F'; ++c)
        classes[c] |= cHex, classes[c + 'a' - 'A'] |= cHex;
    return classes;
}

constexpr std::array<uint8_t, 256> Classes = MakeClasses();

inline bool Is(int c, uint8_t mask) {
    return c >= 0 && (Classes[static_cast<uint8_t>(c)] & mask) != 0;
}

inline int HexValue(int c) {
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

} // namespace

TParser::TParser(TStream& input, int firstLine) : FInput(input), FLine(firstLine) {
    FInput.Refill();
    const char* p = FInput.Current();
    if (FInput.End() - p >= 3 && p[0] == '\xEF' && p[1] == '\xBB' && p[2] == '\xBF') FInput.Advance(3);
}

bool TParser::TokenFloat(Extended& value) const {
    return TryStrToFloat(FView, value);
}

void TParser::Error(std::string_view message, int line) const {
    throw EParserError(Format("%s on line %d", message, line));
}

void TParser::ErrorExpected(std::string_view what) const {
    Error(Format("'%s' expected", what));
}

void TParser::SkipBlanks() {
    for (;;) {
        const char* p = FInput.Current();
        for (;;) {
            // Indentation comes in long runs of spaces: skip them eight at a time (the buffer keeps
            // readable bytes after its end, and the zero byte there ends any run).
            uint64_t word;
            for (std::memcpy(&word, p, 8); word == 0x2020202020202020u; std::memcpy(&word, p, 8))
                p += 8;
            while (*p == ' ')
                ++p;
            if (!(Classes[static_cast<uint8_t>(*p)] & cBlank)) break;
            if (*p == '\n') ++FLine;
            ++p;
        }
        FInput.SetCurrent(p);
        if (p != FInput.End() || !FInput.Refill()) return;
    }
}

void TParser::ScanRun(uint8_t mask, std::string& text) {
    for (;;) {
        const char* start = FInput.Current();
        const char* p = start;
        while (Classes[static_cast<uint8_t>(*p)] & mask) // stops at the zero byte after the buffer
            ++p;
        text.append(start, p);
        FInput.SetCurrent(p);
        if (p != FInput.End() || !FInput.Refill()) return;
    }
}

void TParser::NextToken() {
    const bool carriedSurrogate = FHighSurrogate != 0;
    SkipBlanks();
    FTokenLine = FLine;
    FText.clear();
    bool inBuffer = false;
    const int c = Peek();
    if (c < 0) {
        FToken = TToken::EndOfInput;
    } else if (Is(c, cIdentStart)) {
        inBuffer = ScanSymbol();
    } else if (Is(c, cDigit) || c == '-') {
        inBuffer = ScanNumber();
    } else if (c == '\'' || c == '#') {
        ScanString();
    } else {
        FToken = TToken::Char;
        FChar = static_cast<char>(c);
        FInput.Advance(1);
    }
    if (!inBuffer) FView = FText;
    if (carriedSurrogate) CheckSurrogateContinues();
}

// A string that ended in a high surrogate goes on, after "+", with a string that starts with the low
// one (ScanCharCode joins them); anything else leaves the surrogate alone, which is no character.
void TParser::CheckSurrogateContinues() {
    if (!FSurrogateAfterPlus && FToken == TToken::Char && FChar == '+') {
        FSurrogateAfterPlus = true;
        return;
    }
    if (!FSurrogateAfterPlus || FToken != TToken::String) Error("Invalid property value", FHighSurrogateLine);
    FSurrogateAfterPlus = false;
}

bool TParser::ScanSymbol() {
    FToken = TToken::Symbol;
    // Mostly the symbol lies whole in the buffer and is used from there.
    const char* start = FInput.Current();
    const char* p = start;
    while (Classes[static_cast<uint8_t>(*p)] & (cIdentStart | cDigit))
        ++p;
    if (p != FInput.End() && *p != '.') {
        FView = std::string_view(start, static_cast<size_t>(p - start));
        FInput.SetCurrent(p);
        return true;
    }
    for (;;) {
        ScanRun(cIdentStart | cDigit, FText);
        if (Peek() != '.') return false;
        FInput.Advance(1);
        FText += '.';
        if (!Is(Peek(), cIdentStart)) Error("Identifier expected");
    }
}

// Decimal digits with an optional "-"; false when the value does not fit in 64 bits.
static bool ParseInteger(std::string_view text, int64_t& result) {
    // Accumulate negatively so that INT64_MIN fits.
    const bool negative = text[0] == '-';
    int64_t value = 0;
    for (size_t i = negative ? 1 : 0; i < text.size(); ++i) {
        const int digit = text[i] - '0';
        if (value < (INT64_MIN + digit) / 10) return false;
        value = value * 10 - digit;
    }
    if (!negative && value == INT64_MIN) return false;
    result = negative ? value : -value;
    return true;
}

bool TParser::ScanNumber() {
    FSuffix = 0;
    // Plain integers lying whole in the buffer are read from there.
    const char* start = FInput.Current();
    const char* p = start + (*start == '-' ? 1 : 0);
    const char* digits = p;
    while (Classes[static_cast<uint8_t>(*p)] & cDigit)
        ++p;
    if (p != digits && p != FInput.End() && *p != '.' && !(Classes[static_cast<uint8_t>(*p)] & cIdentStart)) {
        FView = std::string_view(start, static_cast<size_t>(p - start));
        FInput.SetCurrent(p);
        FToken = ParseInteger(FView, FInt) ? TToken::Integer : TToken::Float;
        return true;
    }

    if (Peek() == '-') {
        FInput.Advance(1);
        FText += '-';
        if (Is(Peek(), cIdentStart)) {
            // "-INF" is how negative infinity is written; anything else after "-" is no value.
            ScanRun(cIdentStart | cDigit, FText);
            FToken = FText == "-INF" ? TToken::Float : TToken::Char;
            FChar = '-';
            return false;
        }
        if (!Is(Peek(), cDigit)) {
            FToken = TToken::Char;
            FChar = '-';
            return false;
        }
    }
    ScanRun(cDigit, FText);
    bool isFloat = false;
    if (Peek() == '.') {
        isFloat = true;
        FInput.Advance(1);
        FText += '.';
        ScanRun(cDigit, FText);
    }
    const int e = Peek();
    if (e == 'e' || e == 'E') {
        isFloat = true;
        FInput.Advance(1);
        FText += 'e';
        const int sign = Peek();
        if (sign == '+' || sign == '-') {
            FInput.Advance(1);
            FText += static_cast<char>(sign);
        }
        ScanRun(cDigit, FText);
    }
    ScanSuffix();
    FToken = !isFloat && ParseInteger(FText, FInt) ? TToken::Integer : TToken::Float;
    return false;
}

// Letters right after a number: one of the type suffixes s, c, d (either case), or an error here, on the
// number's line, rather than a symbol that would be taken for the next property's name.
void TParser::ScanSuffix() {
    if (!Is(Peek(), cIdentStart)) return;
    std::string letters;
    ScanRun(cIdentStart | cDigit, letters);
    const char suffix = static_cast<char>(letters[0] | 0x20);
    if (letters.size() != 1 || (suffix != 's' && suffix != 'c' && suffix != 'd'))
        Error("Invalid property value");
    FSuffix = suffix;
}

void TParser::ScanString() {
    FToken = TToken::String;
    for (;;) {
        const int c = Peek();
        if (c == '\'') {
            FInput.Advance(1);
            ScanQuotedRun();
        } else if (c == '#') {
            FInput.Advance(1);
            ScanCharCode();
        } else {
            return;
        }
    }
}

// After the opening quote: the characters up to the closing one; a doubled quote stands for one quote.
void TParser::ScanQuotedRun() {
    if (FHighSurrogate) Error("Invalid property value", FHighSurrogateLine);
    for (;;) {
        ScanRun(cQuoted, FText);
        const char* p = FInput.Current();
        if (p == FInput.End()) ErrorExpected("'"); // end of input (ScanRun refills while it can)
        if (*p == '\'') {
            FInput.Advance(1);
            if (Peek() != '\'') return;
            FInput.Advance(1);
            FText += '\'';
        } else if (*p == '\0') {
            FInput.Advance(1);
            FText += '\0';
        } else {
            ErrorExpected("'"); // a line break inside quotes
        }
    }
}

// After "#": a decimal character code, written as the UTF-8 bytes of that code point. A UTF-16
// surrogate pair written as two codes ("#55357#57032") is the one character it encodes.
void TParser::ScanCharCode() {
    if (!Is(Peek(), cDigit)) Error("Number expected");
    uint32_t code = 0;
    bool valid = true;
    for (int c = Peek(); Is(c, cDigit); c = Peek()) {
        code = code * 10 + static_cast<uint32_t>(c - '0');
        if (code > 0x10FFFF) valid = false, code = 0x110000;
        FInput.Advance(1);
    }
    const bool high = code >= 0xD800 && code <= 0xDBFF;
    const bool low = code >= 0xDC00 && code <= 0xDFFF;
    if (!valid || (low && !FHighSurrogate) || (!low && FHighSurrogate))
        Error("Invalid property value", FHighSurrogate ? FHighSurrogateLine : FLine);
    if (high) {
        FHighSurrogate = code;
        FHighSurrogateLine = FLine;
        return;
    }
    if (low) {
        code = 0x10000 + ((FHighSurrogate - 0xD800) << 10) + (code - 0xDC00);
        FHighSurrogate = 0;
    }
    AppendUtf8(FText, code);
}

void TParser::ReadHexBinary(std::string& data) {
    for (;;) {
        SkipBlanks();
        const char* p = FInput.Current();
        // Whole pairs inside the buffer; the zero byte after the buffer stops the loop.
        for (;;) {
            char chunk[128];
            size_t n = 0;
            while (n < sizeof chunk && (Classes[static_cast<uint8_t>(p[0])] & cHex) &&
                   (Classes[static_cast<uint8_t>(p[1])] & cHex)) {
                chunk[n++] = static_cast<char>(HexValue(p[0]) << 4 | HexValue(p[1]));
                p += 2;
            }
            data.append(chunk, n);
            if (n < sizeof chunk) break;
        }
        FInput.SetCurrent(p);
        FTokenLine = FLine;
        const int c = Peek();
        if (c == '}') {
            FInput.Advance(1);
            return;
        }
        if (c < 0) ErrorExpected("}");
        if (Is(c, cBlank)) continue;
        if (!Is(c, cHex)) Error("Invalid property value");
        FInput.Advance(1); // a pair split by the end of the buffer
        const int low = Peek();
        if (!Is(low, cHex)) Error("Invalid property value");
        FInput.Advance(1);
        data += static_cast<char>(HexValue(c) << 4 | HexValue(low));
    }
}

bool IsFormIdentifier(std::string_view text, bool dotted) {
    const uint8_t* p = reinterpret_cast<const uint8_t*>(text.data());
    const uint8_t* end = p + text.size();
    const uint8_t* part = p;
    for (;;) {
        if (p == end || !(Classes[*p] & cIdentStart)) return false;
        bool ascii = *p < 0x80;
        ++p;
        while (p != end && (Classes[*p] & (cIdentStart | cDigit)))
            ascii &= *p++ < 0x80;
        // Letters of other scripts are checked character by character.
        if (!ascii && !IsValidIdent(std::string_view(reinterpret_cast<const char*>(part),
                                                     static_cast<size_t>(p - part))))
            return false;
        if (p == end) return true;
        if (*p != '.' || !dotted) return false;
        part = ++p;
    }
}

bool IsFormKeyword(std::string_view text) {
    switch (text.size()) {
    case 3:
        return IsWord(text, "end");
    case 6:
        return IsWord(text, "object") || IsWord(text, "inline");
    case 9:
        return IsWord(text, "inherited");
    default:
        return false;
    }
}
