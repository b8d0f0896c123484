// Fuzz target: text form -> binary. Input that converts must survive the way back: the text written from
// the binary converts again, and from there on text -> binary -> text is a fixed point (the first round
// may normalise, e.g. 1.0 reads back as the integer 1 and a child position of 0 is dropped).
#include "../tests/framework/object_text_support.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string binary;
    try {
        binary = ToBinary(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const Exception&) {
        return 0; // rejected input is fine; crashes and sanitizer reports are not
    }
    // Exceptions from here on escape and count as findings.
    const std::string text1 = ToText(binary);
    const std::string binary2 = ToBinary(text1);
    const std::string text2 = ToText(binary2);
    const std::string binary3 = ToBinary(text2);
    if (text1 != text2 || binary2 != binary3) std::abort();
    return 0;
}
