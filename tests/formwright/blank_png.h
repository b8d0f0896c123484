// Hostile pictures for the memory tests, made without an image library: a PNG of the given size whose
// pixels are all black, 1 bit each, compressed as a run of one byte (about 13 bits per 258 bytes of
// pixels). A 16384 x 16384 one is about 200 KB and becomes 1 GiB once converted to 32-bit pixels.
#pragma once

#include <string>

std::string BlankPng(int width, int height);
// The picture as the text form writes an image's Picture.Data: the graphic's class, then its bytes, in
// lines of hexadecimal digits indented by `indent`.
std::string PictureData(const std::string& graphicClass, const std::string& bytes, const std::string& indent);
