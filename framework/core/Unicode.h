// UTF-8 decoding and the character classes of identifiers.
//
// Identifiers (component names, property names, identifier values of the form format) are UTF-8: an
// ASCII letter, "_" or a letter of any script first, then such characters, digits, combining marks and
// connector punctuation.
#pragma once

#include <cstddef>
#include <string_view>

#pragma GCC visibility push(default)

// Decodes the UTF-8 character at `pos` into `code` and moves `pos` past it. False, leaving `pos` as it
// is, for a malformed sequence: a stray continuation byte, a truncated or overlong sequence, a surrogate
// or a code above U+10FFFF.
bool DecodeUtf8(std::string_view text, size_t& pos, char32_t& code);

// A character that may start an identifier: ASCII letters, "_", and letters of any script.
bool IsIdentifierStart(char32_t code);
// A character that may continue an identifier: the starts, digits, combining marks and connectors.
bool IsIdentifierPart(char32_t code);

#pragma GCC visibility pop
