// Fuzz target: binary form stream -> text. Whatever converts must read back: the text converts to binary,
// and from the second round on text -> binary -> text is a fixed point (the first may normalise: a child
// position of 0 is written but reads back without its flag, integers take their smallest tag, wide and
// UTF-8 strings become the framework's own strings).
#include "../tests/framework/object_text_support.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text1;
    try {
        text1 = ToText(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const Exception&) {
        return 0; // rejected input is fine; crashes and sanitizer reports are not
    }
    // Exceptions from here on escape and count as findings.
    const std::string text2 = ToText(ToBinary(text1));
    const std::string text3 = ToText(ToBinary(text2));
    if (text2 != text3) std::abort();
    return 0;
}
