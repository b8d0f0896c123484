// UTF-8 decoding and the character classes of identifiers.
//
// Identifiers (component names, property names, identifier values of the form format) are UTF-8: an
// ASCII letter, "_" or a letter of any script first, then such characters, digits, combining marks and
// connector punctuation.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#pragma GCC visibility push(default)

// Decodes the UTF-8 character at `pos` into `code` and moves `pos` past it. False, leaving `pos` as it
// is, for a malformed sequence: a stray continuation byte, a truncated or overlong sequence, a surrogate
// or a code above U+10FFFF.
bool DecodeUtf8(std::string_view text, size_t& pos, char32_t& code);

// Appends the UTF-8 bytes of `code` (up to U+10FFFF). A surrogate code is encoded like any other code
// point, so a lone UTF-16 surrogate keeps its value through the framework's UTF-8 strings.
void AppendUtf8(std::string& text, char32_t code);
// Appends UTF-16LE text (two bytes per code unit; an odd last byte is ignored) as UTF-8: surrogate pairs
// become the character they encode, lone surrogates their own code point.
void AppendUtf16LEAsUtf8(std::string& text, std::string_view utf16le);

// A character that may start an identifier: ASCII letters, "_", and letters of any script.
bool IsIdentifierStart(char32_t code);
// A character that may continue an identifier: the starts, digits, combining marks and connectors.
bool IsIdentifierPart(char32_t code);

#pragma GCC visibility pop
