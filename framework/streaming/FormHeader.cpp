#include "streaming/FormHeader.h"

#include "streaming/ValueType.h"

#include <cstring>

namespace {

constexpr uint8_t ResourceTypeMark[3] = {0xFF, 0x0A, 0x00};

[[noreturn]] void InvalidFormat() {
    throw EReadError("Invalid stream format");
}

uint8_t NextByte(TBufferedInput& input) {
    if (input.Current() == input.End() && !input.Refill()) InvalidFormat();
    return input.ReadByte();
}

} // namespace

TFormHeader ReadFormHeader(TBufferedInput& input) {
    TFormHeader header;
    uint8_t first = NextByte(input);
    if (first == ResourceTypeMark[0]) {
        for (size_t i = 1; i < sizeof ResourceTypeMark; ++i)
            if (NextByte(input) != ResourceTypeMark[i]) InvalidFormat();
        for (uint8_t c = NextByte(input); c != 0; c = NextByte(input)) {
            if (header.ResourceName.size() == MaxResourceName) InvalidFormat();
            header.ResourceName += static_cast<char>(c);
        }
        NextByte(input); // the flags
        NextByte(input);
        for (int i = 0; i < 4; ++i)
            header.ResourceSize |= static_cast<uint32_t>(NextByte(input)) << (8 * i);
        header.HasResourceHeader = true;
        first = NextByte(input);
    }
    char signature[sizeof FormSignature] = {static_cast<char>(first)};
    for (size_t i = 1; i < sizeof signature; ++i)
        signature[i] = static_cast<char>(NextByte(input));
    if (std::memcmp(signature, FormSignature, sizeof FormSignature) != 0) InvalidFormat();
    return header;
}
