// Fuzz target: binary form stream -> a live form with the framework's real controls (widgets, fonts,
// pictures, string lists, collections). Input that reads must write back, and from there on
// write -> read -> write is a fixed point; the form is never shown, as a form read from a resource is not
// before its constructor returns.
#include "core/ClassRegistry.h"
#include "core/Streams.h"
#include "streaming/Reader.h"
#include "streaming/Writer.h"
#include "ui/Application.h"
#include "ui/Form.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

std::string Write(TComponent* root) {
    TStringStream stream;
    {
        TWriter writer(stream);
        writer.WriteRootComponent(root);
    }
    return stream.DataString();
}

void Read(const std::string& binary, TComponent* root) {
    TStringStream stream(binary);
    TReader reader(stream);
    reader.ReadRootComponent(root);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_LOGGING_RULES", "*=false", 0);
    Application->Initialize();
    RegisterStreamableClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto first = std::make_unique<TForm>(nullptr);
    try {
        Read(std::string(reinterpret_cast<const char*>(data), size), first.get());
    } catch (const Exception&) {
        return 0; // rejected input is fine; crashes, leaks and sanitizer reports are not
    }
    // Exceptions from here on escape and count as findings.
    const std::string written = Write(first.get());
    auto second = std::make_unique<TForm>(nullptr);
    Read(written, second.get());
    if (Write(second.get()) != written) std::abort();
    return 0;
}
