// .bmp files made by hand for the picture tests: a file header and an information header for any size
// and pixel format, followed by the palette and the pixel data as given (which may claim far more
// pixels than they hold).
#pragma once

#include <cstdint>
#include <string>

// Pixel data compression of the information header.
inline constexpr uint32_t BitmapUncompressed = 0, BitmapRunLength8 = 1;

inline std::string BitmapFile(int32_t width, int32_t height, int bitsPerPixel, uint32_t compression,
                              const std::string& palette, const std::string& pixels) {
    std::string file(54, '\0');
    const auto put32 = [&](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = char(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, uint32_t(54 + palette.size() + pixels.size()));
    put32(10, uint32_t(54 + palette.size()));
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(height));
    file[26] = 1; // planes
    file[28] = char(bitsPerPixel);
    put32(30, compression);
    put32(34, uint32_t(pixels.size()));
    put32(46, uint32_t(palette.size() / 4)); // colours used
    return file + palette + pixels;
}

// An 8-bit run-length encoded .bmp of side x side pixels in 64 bytes: its pixel data ends at once, and
// a decoder still makes the whole picture.
inline std::string RunLengthBomb(int32_t side) {
    return BitmapFile(side, side, 8, BitmapRunLength8, std::string("\0\0\0\0\xFF\xFF\xFF\0", 8),
                      std::string("\0\1", 2));
}
