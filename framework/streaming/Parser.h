// TParser: the tokenizer of the textual form format.
//
// Tokens are symbols (identifiers, with dots allowed between the parts: "Font.Name"), strings (quoted runs
// and "#" character codes written without blanks between them form one string), numbers and single
// characters. Blanks and line breaks separate tokens; lines are counted for error messages.
#pragma once

#include "core/SysUtils.h"
#include "streaming/BufferedStreams.h"

#include <cstdint>
#include <string>
#include <string_view>

#pragma GCC visibility push(default)

// `text` equals `word`, a word of lower-case ASCII letters, regardless of letter case.
inline bool IsWord(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) return false;
    for (size_t i = 0; i < word.size(); ++i)
        if ((text[i] | 0x20) != word[i]) return false;
    return true;
}

enum class TToken {
    EndOfInput,
    Symbol,
    String,
    Integer, // digits with an optional "-" that fit in 64 bits
    Float,   // a number with "." or an exponent, a longer integer, or -INF
    Char,    // any other single character
};
// Numbers may carry a type suffix directly after their last digit: "721s" (single precision), "25000c"
// (currency), "38353d" (date). Any other letters there fail with "Invalid property value" on the
// number's line.

class TParser {
public:
    // Starts reading at the stream's position, whose line is numbered `firstLine` in messages. A UTF-8
    // byte order mark there is skipped.
    explicit TParser(TStream& input, int firstLine = 1);

    void NextToken();
    TToken Token() const { return FToken; }
    int TokenLine() const { return FTokenLine; }
    // Symbol text, decoded string bytes, or number text; valid until the next token is read.
    std::string_view TokenString() const { return FView; }
    int64_t TokenInt() const { return FInt; }
    // The type suffix of an Integer or Float token in lower case ('s', 'c' or 'd'), else 0. The token
    // text leaves it out.
    char TokenSuffix() const { return FToken == TToken::Integer || FToken == TToken::Float ? FSuffix : 0; }
    // The value of a Float token; false when the number is malformed (such as "1e").
    bool TokenFloat(Extended& value) const;
    char TokenChar() const { return FChar; }
    bool TokenCharIs(char c) const { return FToken == TToken::Char && FChar == c; }
    // A symbol equal to `word` (lower-case letters) regardless of letter case.
    bool TokenSymbolIs(std::string_view word) const {
        return FToken == TToken::Symbol && IsWord(FView, word);
    }
    // Moves the text of a String token into `text` (swapping buffers, no copy).
    void TakeTokenString(std::string& text) {
        std::swap(text, FText);
        FView = {};
    }

    // Fails with EParserError "<message> on line <line of the current token>".
    [[noreturn]] void Error(std::string_view message) const { Error(message, FTokenLine); }
    [[noreturn]] void Error(std::string_view message, int line) const;
    // Fails with "'<what>' expected on line ...".
    [[noreturn]] void ErrorExpected(std::string_view what) const;

    // Call with the current token being "{": reads hexadecimal byte pairs, blanks allowed between pairs,
    // through the closing "}" and appends the bytes to `data`. The current token is left stale; call
    // NextToken next.
    void ReadHexBinary(std::string& data);

    // Moves the input stream back to just after the current token, undoing the parser's read-ahead.
    void ReturnUnread() { FInput.ReturnUnread(); }

private:
    int Peek() {
        if (FInput.Current() == FInput.End() && !FInput.Refill()) return -1;
        return static_cast<uint8_t>(*FInput.Current());
    }
    void SkipBlanks();
    // Appends to `text` the run of bytes whose character class has one of the bits of `mask`.
    void ScanRun(uint8_t mask, std::string& text);
    // Both return true when the token text is left in the buffer (FView) rather than in FText.
    bool ScanSymbol();
    bool ScanNumber();
    void ScanSuffix();
    void ScanString();
    void ScanQuotedRun();
    void ScanCharCode();
    void CheckSurrogateContinues();

    TBufferedInput FInput;
    int FLine = 1;
    TToken FToken = TToken::EndOfInput;
    int FTokenLine = 1;
    std::string FText;      // token text built up across buffer refills
    std::string_view FView; // the token text: FText, or the token in the buffer when it lies there whole
    int64_t FInt = 0;
    char FChar = 0;
    char FSuffix = 0;
    // A high surrogate code read last, waiting for its low half (after "+" when the string ended).
    uint32_t FHighSurrogate = 0;
    int FHighSurrogateLine = 0;
    bool FSurrogateAfterPlus = false;
};

// True for an identifier of the form format (IsValidIdent: UTF-8, letters of any script), and with
// `dotted` for several joined by single dots (property paths such as "Font.Name").
bool IsFormIdentifier(std::string_view text, bool dotted);
// "object", "inherited", "inline" or "end" in any letter case: words that cannot name a property.
bool IsFormKeyword(std::string_view text);

#pragma GCC visibility pop
