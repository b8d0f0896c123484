#include "core/Unicode.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace {

struct TRange {
    char32_t First;
    char32_t Last;
    uint8_t Kind; // 2 starts an identifier, 1 only continues one
};

constexpr TRange IdentifierRanges[] = {
#include "core/IdentifierRanges.inc"
};

// 0 for characters outside identifiers.
int IdentifierKind(char32_t code) {
    if (code < 0x80) {
        if ((code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z') || code == '_') return 2;
        return code >= '0' && code <= '9' ? 1 : 0;
    }
    const auto* end = std::end(IdentifierRanges);
    const auto* range = std::upper_bound(std::begin(IdentifierRanges), end, code,
                                         [](char32_t c, const TRange& r) { return c < r.First; });
    if (range == std::begin(IdentifierRanges)) return 0;
    --range;
    return code <= range->Last ? range->Kind : 0;
}

} // namespace

bool DecodeUtf8(std::string_view text, size_t& pos, char32_t& code) {
    if (pos >= text.size()) return false;
    auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(pos);
    size_t length;
    char32_t value;
    char32_t least; // the smallest code that needs this many bytes: anything less is overlong
    if (lead < 0x80) {
        code = lead;
        ++pos;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, least = 0x10000;
    } else {
        return false;
    }
    if (text.size() - pos < length) return false;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) return false;
        value = value << 6 | (byte(pos + i) & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    code = value;
    pos += length;
    return true;
}

bool IsIdentifierStart(char32_t code) {
    return IdentifierKind(code) == 2;
}

bool IsIdentifierPart(char32_t code) {
    return IdentifierKind(code) != 0;
}

void AppendUtf8(std::string& text, char32_t code) {
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else if (code < 0x800) {
        text += static_cast<char>(0xC0 | (code >> 6));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        text += static_cast<char>(0xE0 | (code >> 12));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (code >> 18));
        text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void AppendUtf16LEAsUtf8(std::string& text, std::string_view utf16le) {
    const size_t units = utf16le.size() / 2;
    const auto unit = [&](size_t i) -> char32_t {
        return static_cast<uint8_t>(utf16le[2 * i]) | static_cast<uint8_t>(utf16le[2 * i + 1]) << 8;
    };
    for (size_t i = 0; i < units; ++i) {
        char32_t code = unit(i);
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < units) {
            const char32_t low = unit(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        AppendUtf8(text, code);
    }
}
