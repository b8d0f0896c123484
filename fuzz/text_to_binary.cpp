// Fuzz target: text form -> binary. Input that converts must survive the way back without a change of
// any value: the text written from the binary converts to the same bytes, and from there on text ->
// binary -> text is a fixed point (the first text written may differ from the input's layout: "1.50" is
// written "1.5", strings joined by "+" as one, a child position of 0 is dropped).
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
    if (binary2 != binary || text1 != text2 || binary3 != binary) std::abort();
    return 0;
}
