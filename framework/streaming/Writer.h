// TWriter: writes components to the binary form stream.
#pragma once

#include "core/Component.h"
#include "streaming/Filer.h"
#include "streaming/ValueType.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TCollection;

class TWriter : public TFiler {
public:
    explicit TWriter(TStream& stream, int bufferSize = 4096);
    ~TWriter() override; // flushes what is buffered
    void FlushBuffer();

    void WriteSignature();
    // Signature, then `root` as one component record with its children; root becomes Root().
    void WriteRootComponent(TComponent* root);
    // One component record: prefix, class and name, properties, children.
    void WriteComponent(TComponent* component);
    void WriteData(TComponent* instance);
    void WriteProperties(TPersistent* instance);
    void WriteCollection(TCollection* collection);

    // Values, each with its tag.
    void WriteListBegin() { WriteValue(vaList); }
    void WriteListEnd() { WriteValue(vaNull); }
    void WriteInteger(int64_t value); // the smallest integer tag that holds it; beyond 32 bits a float
    void WriteBoolean(bool value);
    void WriteChar(char value);
    void WriteFloat(long double value);
    void WriteString(std::string_view value); // short string up to 255 bytes, else long string
    void WriteIdent(std::string_view ident);  // False, True and nil get their own tags
    void WriteSet(const std::vector<std::string>& names);
    void WriteBinary(const void* data, int32_t size);
    // Untagged pieces.
    void WriteValue(TValueType type);
    void WriteStr(std::string_view text); // short string: length byte and bytes (at most 255)
    void Write(const void* data, int64_t size);

    void DefineProperty(const std::string& name, const std::function<void(TReader&)>& read,
                        const std::function<void(TWriter&)>& write, bool hasData) override;
    void DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& read,
                              const std::function<void(TStream&)>& write, bool hasData) override;

private:
    struct Impl;
    // see Writer.cpp
    TStream& FStream;
    std::vector<uint8_t> FBuffer;
    size_t FBufferUsed = 0;
    std::string FPropPath;
};
