#include "blank_png.h"

#include <cstdint>
#include <vector>

namespace {

uint32_t Crc32(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

std::string BigEndian(uint32_t value) {
    return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
}

std::string Chunk(const std::string& type, const std::string& data) {
    return BigEndian(uint32_t(data.size())) + type + data + BigEndian(Crc32(type + data));
}

// Deflate's bits: fields least significant bit first, Huffman codes most significant bit first.
class TBits {
public:
    void Field(uint32_t value, int count) {
        for (int i = 0; i < count; ++i)
            Bit((value >> i) & 1);
    }
    void Code(uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i)
            Bit((code >> i) & 1);
    }
    std::string Bytes() {
        if (FUsed) FBytes.push_back(char(FCurrent));
        FUsed = 0;
        FCurrent = 0;
        return FBytes;
    }

private:
    void Bit(uint32_t bit) {
        FCurrent |= bit << FUsed;
        if (++FUsed == 8) {
            FBytes.push_back(char(FCurrent));
            FUsed = 0;
            FCurrent = 0;
        }
    }
    std::string FBytes;
    uint32_t FCurrent = 0;
    int FUsed = 0;
};

// `size` zero bytes as a zlib stream: one fixed-Huffman block of a literal 0 and copies of the byte before.
std::string ZeroBytesZlib(uint64_t size) {
    TBits bits;
    bits.Field(1, 1); // the last block
    bits.Field(1, 2); // fixed Huffman codes
    uint64_t left = size;
    if (left > 0) {
        bits.Code(0x30, 8); // literal 0
        --left;
    }
    for (; left >= 258; left -= 258) {
        bits.Code(0xC5, 8); // length 258 (code 285)
        bits.Code(0, 5);    // distance 1
    }
    for (; left > 0; --left)
        bits.Code(0x30, 8);
    bits.Code(0, 7); // end of block
    const uint32_t adler = uint32_t(size % 65521) << 16 | 1;
    return std::string("\x78\x01", 2) + bits.Bytes() + BigEndian(adler);
}

} // namespace

std::string BlankPng(int width, int height) {
    std::string header = BigEndian(uint32_t(width)) + BigEndian(uint32_t(height));
    header += std::string("\x01\x00\x00\x00\x00", 5); // 1 bit, grey, deflate, no filter, not interlaced
    const uint64_t rowBytes = 1 + (uint64_t(width) + 7) / 8; // the filter byte and the pixels
    return std::string("\x89PNG\r\n\x1A\n", 8) + Chunk("IHDR", header) +
           Chunk("IDAT", ZeroBytesZlib(rowBytes * uint64_t(height))) + Chunk("IEND", "");
}

std::string PictureData(const std::string& graphicClass, const std::string& bytes,
                        const std::string& indent) {
    static const char digits[] = "0123456789ABCDEF";
    const std::string data = char(graphicClass.size()) + graphicClass + bytes;
    std::string text = "{";
    for (size_t i = 0; i < data.size(); ++i) {
        if (i % 32 == 0) text += "\r\n" + indent;
        text += digits[static_cast<unsigned char>(data[i]) >> 4];
        text += digits[static_cast<unsigned char>(data[i]) & 15];
    }
    return text + "}";
}
