// Conversion between the binary form stream and the textual form format.
//
// Text:                                  Binary:
//   object Button1: TButton [2]            "TPF0", then one component record: optional flags prefix
//     Caption = 'OK'                       (0xF0 | flags, child position), class and component name,
//     Items.Strings = (                    properties (name + tagged value) up to a zero byte, child
//       'one'                              records up to a zero byte.
//       'two')
//   end
//
// Both directions treat one object block and leave the input stream just after it, so several blocks
// in one stream convert one call at a time; what follows a block is never read.
#pragma once

#include "core/Streams.h"
#include "streaming/FormHeader.h"

#include <string>

#pragma GCC visibility push(default)

// Objects, lists and collections nested deeper than this fail to convert rather than exhaust the stack.
inline constexpr int MaxFormNesting = 256;
inline std::string NestingTooDeepMessage() {
    return "Nesting deeper than " + std::to_string(MaxFormNesting) + " levels";
}

// One level of nesting (record, collection, list) for as long as it lives: the form reader and writer count
// their depth with it, and a level beyond MaxFormNesting fails with `E`.
template <class E> class TFormNesting {
public:
    explicit TFormNesting(int& depth) : FDepth(depth) {
        if (FDepth >= MaxFormNesting) throw E(NestingTooDeepMessage());
        ++FDepth;
    }
    ~TFormNesting() { --FDepth; }
    TFormNesting(const TFormNesting&) = delete;
    TFormNesting& operator=(const TFormNesting&) = delete;

private:
    int& FDepth;
};

// Reads one object block of text at the input's position and writes the signature and the component
// record at the output's position. The input is left just after the block's final "end".
//
// Numbers: an integer takes the smallest integer tag that holds it, up to 64 bits (vaInt64); wider ones
// fail with "Integer out of range". A number with "." or an exponent is a float (vaExtended), as are INF,
// -INF and NAN. A suffix right after the digits types the number: "721s" a single (vaSingle), "25000c" a
// currency amount (vaCurrency, exact to four decimals), "38353d" a date (vaDate).
//
// Strings: "#n" stands for code point n in UTF-8, and a UTF-16 surrogate pair "#55357#57032" (also split
// by " +" at a line break) for the one character it encodes; a lone surrogate is an invalid value. A
// doubled quote inside quotes stands for one quote. A string is written as vaString up to 255 bytes of
// UTF-8, else as vaLString.
//
// Identifiers are UTF-8 with letters of any script (IsFormIdentifier). A header starts with "object",
// "inherited" (flag ffInherited) or "inline" (ffInline). A UTF-8 byte order mark at the start is skipped.
// Syntax errors fail with EParserError "<message> on line <n>", n being the line of the token at fault:
// "Identifier expected", "String expected", "Number expected", "'<token>' expected", "Invalid property
// value", "Integer out of range", "Identifier too long" (a name over 255 bytes, a class name over 239) and
// the nesting limit. Lines are numbered from `firstLine` at the input's position, so a block further down
// a larger text names its line in that text.
void ObjectTextToBinary(TStream& input, TStream& output, int firstLine = 1);

// Reads the signature (after a resource header, FormHeader.h) and one component record at the input's
// position and writes the text of the object block at the output's position, lines ending with CR LF.
// The input is left just after the record; `header`, when given, receives what came before the record.
// A record flagged both inherited and inline is written "inherited".
//
// Values are written so that they read back as the same value of the same kind: floats with the
// shortest digits that give back the same 80-bit value and always as floats ("505.0", "1E20"); singles,
// currency amounts and dates with their suffix; 64-bit integers in decimal. Wide (UTF-16) and UTF-8
// strings are written as strings like the others, and so read back as vaString or vaLString.
//
// Failures are EReadError: "Invalid stream format" (signature, record header, or a name the text format
// cannot carry), "Invalid property value" (unknown or misplaced value tag, a single or a date that is
// infinite or NaN), "Stream read error" (the data ends early), and the nesting limit.
void ObjectBinaryToText(TStream& input, TStream& output, TFormHeader* header = nullptr);

#pragma GCC visibility pop
