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
// record at the output's position. The input is left just after the block's final "end". Integers take
// the smallest integer tag; one without "." or exponent that does not fit in 32 bits becomes a float, as
// do INF, -INF and NAN (the way the float format writes them). "#n" stands for code point n in UTF-8, and
// a UTF-16 surrogate pair "#55357#57032" (also split by " +" at a line break) for the one character it
// encodes; a lone surrogate is an invalid value. A doubled quote inside quotes stands for one quote.
// Identifiers are UTF-8 with letters of any script (IsFormIdentifier). A header starts with "object",
// "inherited" (flag ffInherited) or "inline" (ffInline). A UTF-8 byte order mark at the start is skipped.
// Syntax errors fail with EParserError "<message> on line <n>": "Identifier expected", "String expected",
// "Number expected", "'<token>' expected", "Invalid property value", "Identifier too long" (a name over
// 255 bytes, a class name over 239) and the nesting limit. Lines are numbered from `firstLine` at the
// input's position, so a block further down a larger text names its line in that text.
void ObjectTextToBinary(TStream& input, TStream& output, int firstLine = 1);

// Reads the signature and one component record at the input's position and writes the text of the
// object block at the output's position, lines ending with CR LF. The input is left just after the
// record. A record flagged both inherited and inline is written "inherited". Failures are EReadError:
// "Invalid stream format" (signature, record header, or a name the text
// format cannot carry), "Invalid property value" (unknown or misplaced value tag), "Stream read error"
// (the data ends early), and the nesting limit.
void ObjectBinaryToText(TStream& input, TStream& output);

#pragma GCC visibility pop
