// A reading of the binary form stream for the tests that owes nothing to the framework's reader and
// converters: it follows the table of value tags on its own and lists every value with its path, so a
// test can check value by value what a conversion wrote.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct TDecodedValue {
    std::string Path; // "Form1.Button1.Font.Name", "Form1.L[2]", "Form1.Items<1>.Width"
    uint8_t Tag = 0;
    // "integer", "float", "single", "currency", "date", "string", "ident", "false", "true", "nil",
    // "binary", "set", "position" (a child position), "index" (a collection item's index)
    std::string Kind;
    // Exact: integers and currency amounts (times 10 000) in decimal, floats, singles and dates as their
    // stored bytes in hexadecimal, strings as UTF-8, set elements joined by ",", binary data in hexadecimal.
    std::string Value;

    bool operator==(const TDecodedValue&) const = default;
};

class TFormDecoder {
public:
    // The values of the component record after the signature (and the resource header, if any).
    static std::vector<TDecodedValue> Decode(std::string_view bytes) {
        TFormDecoder decoder(bytes);
        decoder.SkipHeader();
        decoder.Record("");
        if (decoder.FPosition != bytes.size()) throw std::runtime_error("bytes after the record");
        return std::move(decoder.FValues);
    }

private:
    explicit TFormDecoder(std::string_view bytes) : FBytes(bytes) {}

    uint8_t Byte() {
        if (FPosition >= FBytes.size()) throw std::runtime_error("the stream ends early");
        return static_cast<uint8_t>(FBytes[FPosition++]);
    }
    std::string_view Take(uint64_t count) {
        if (count > FBytes.size() - FPosition) throw std::runtime_error("the stream ends early");
        const std::string_view taken = FBytes.substr(FPosition, count);
        FPosition += count;
        return taken;
    }
    uint64_t Unsigned(int size) {
        uint64_t value = 0;
        for (int i = 0; i < size; ++i)
            value |= uint64_t(Byte()) << (8 * i);
        return value;
    }
    std::string ShortString() { return std::string(Take(Byte())); }
    static std::string Hex(std::string_view bytes) {
        static const char digits[] = "0123456789ABCDEF";
        std::string hex;
        for (const char c : bytes) {
            hex += digits[static_cast<uint8_t>(c) >> 4];
            hex += digits[static_cast<uint8_t>(c) & 15];
        }
        return hex;
    }

    void SkipHeader() {
        if (FBytes.substr(0, 3) == std::string_view("\xFF\x0A\x00", 3)) {
            FPosition = 3;
            while (Byte() != 0) {
            }
            Take(6); // flags and size
        }
        if (Take(4) != "TPF0") throw std::runtime_error("no signature");
    }

    // UTF-16LE to UTF-8; a lone surrogate is written as its own code point.
    static std::string Utf8OfUtf16(std::string_view bytes) {
        std::vector<uint32_t> units;
        for (size_t i = 0; i + 1 < bytes.size(); i += 2)
            units.push_back(static_cast<uint8_t>(bytes[i]) | static_cast<uint8_t>(bytes[i + 1]) << 8);
        std::string text;
        for (size_t i = 0; i < units.size(); ++i) {
            uint32_t c = units[i];
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                units[i + 1] < 0xE000)
                c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
            if (c < 0x80) {
                text += static_cast<char>(c);
            } else if (c < 0x800) {
                text += {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 63))};
            } else if (c < 0x10000) {
                text += {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 63)),
                         static_cast<char>(0x80 | (c & 63))};
            } else {
                text += {static_cast<char>(0xF0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 63)),
                         static_cast<char>(0x80 | (c >> 6 & 63)), static_cast<char>(0x80 | (c & 63))};
            }
        }
        return text;
    }

    void Add(const std::string& path, uint8_t tag, const char* kind, std::string value) {
        FValues.push_back({path, tag, kind, std::move(value)});
    }

    void Record(const std::string& parent) {
        uint8_t first = Byte();
        std::string position;
        if ((first & 0xF0) == 0xF0) {
            if (first & 2) position = std::to_string(SignedInteger(Byte()));
            first = Byte();
        }
        Take(first); // the class name
        const std::string name = ShortString();
        const std::string path = parent.empty() ? name : parent + "." + name;
        if (!position.empty()) Add(path, 0, "position", position);
        while (FBytes.at(FPosition) != 0) {
            const std::string property = ShortString();
            Value(path + "." + property, Byte());
        }
        ++FPosition;
        while (FBytes.at(FPosition) != 0)
            Record(path);
        ++FPosition;
    }

    int64_t SignedInteger(uint8_t tag) {
        switch (tag) {
        case 2:
            return static_cast<int8_t>(Unsigned(1));
        case 3:
            return static_cast<int16_t>(Unsigned(2));
        case 4:
            return static_cast<int32_t>(Unsigned(4));
        case 19:
            return static_cast<int64_t>(Unsigned(8));
        default:
            throw std::runtime_error("not an integer tag: " + std::to_string(tag));
        }
    }

    void Value(const std::string& path, uint8_t tag) {
        switch (tag) {
        case 1:
            for (int i = 0; FBytes.at(FPosition) != 0; ++i)
                Value(path + "[" + std::to_string(i) + "]", Byte());
            ++FPosition;
            break;
        case 2:
        case 3:
        case 4:
        case 19:
            Add(path, tag, "integer", std::to_string(SignedInteger(tag)));
            break;
        case 5:
            Add(path, tag, "float", Hex(Take(10)));
            break;
        case 6:
            Add(path, tag, "string", ShortString());
            break;
        case 7:
            Add(path, tag, "ident", ShortString());
            break;
        case 8:
            Add(path, tag, "false", "");
            break;
        case 9:
            Add(path, tag, "true", "");
            break;
        case 10:
            Add(path, tag, "binary", Hex(Take(Unsigned(4))));
            break;
        case 11: {
            std::string elements;
            for (std::string e = ShortString(); !e.empty(); e = ShortString())
                elements += elements.empty() ? e : "," + e;
            Add(path, tag, "set", elements);
            break;
        }
        case 12:
        case 20:
            Add(path, tag, "string", std::string(Take(Unsigned(4))));
            break;
        case 13:
            Add(path, tag, "nil", "");
            break;
        case 14:
            for (int i = 0; FBytes.at(FPosition) != 0; ++i) {
                const std::string item = path + "<" + std::to_string(i) + ">";
                uint8_t next = Byte();
                if (next != 1) {
                    Add(item, next, "index", std::to_string(SignedInteger(next)));
                    next = Byte();
                }
                if (next != 1) throw std::runtime_error("an item without its list tag");
                while (FBytes.at(FPosition) != 0) {
                    const std::string property = ShortString();
                    Value(item + "." + property, Byte());
                }
                ++FPosition;
            }
            ++FPosition;
            break;
        case 15:
            Add(path, tag, "single", Hex(Take(4)));
            break;
        case 16:
            Add(path, tag, "currency", std::to_string(static_cast<int64_t>(Unsigned(8))));
            break;
        case 17:
            Add(path, tag, "date", Hex(Take(8)));
            break;
        case 18:
            Add(path, tag, "string", Utf8OfUtf16(Take(2 * Unsigned(4))));
            break;
        default:
            throw std::runtime_error("unknown tag " + std::to_string(tag));
        }
    }

    std::string_view FBytes;
    size_t FPosition = 0;
    std::vector<TDecodedValue> FValues;
};
