// TWriter: writes components to the binary form stream.
//
// A component record is: optional prefix (0xF0 | flags, then the child position when ffChildPos is set),
// class name, component name, the properties (name, tagged value) up to a zero byte, then the child
// records up to a zero byte. Properties are written in declaration order and only when they differ from
// their default: an ordinal equal to its declared default, a zero float, an empty string, a nil method or
// a nil object is left out, and so is every property whose stored test says no. A sub-object (a
// TPersistent that is not a component) writes its own properties under a dotted path ("Font.Name"), a
// collection writes its items, and a component reference writes the referenced component's name. A
// single or double property is written as the 80-bit float nearest to its own shortest decimal text, which
// reads back into the property as the same value and keeps its text form short ("0.1", not the digits of
// 0.1 widened to 80 bits).
#pragma once

#include "core/Component.h"
#include "streaming/Filer.h"
#include "streaming/ValueType.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#pragma GCC visibility push(default)

class TCollection;

class TWriter : public TFiler {
public:
    explicit TWriter(TStream& stream, int bufferSize = 4096);
    // Flushes what is buffered. A flush that fails is reported by this destructor, unless it runs
    // because of another exception (call FlushBuffer first to see every failure).
    ~TWriter() noexcept(false) override;
    void FlushBuffer();

    void WriteSignature();
    // Signature, then `root` as one component record with its children; root becomes Root().
    void WriteRootComponent(TComponent* root);
    // One component record through the component's WriteState (which calls WriteData). The children
    // are what component->GetChildren(proc, Root()) enumerates; those of a component in csInline state
    // (an embedded frame, written with the inline flag) are what it enumerates as its own root.
    void WriteComponent(TComponent* component);
    void WriteData(TComponent* instance);
    // Flags 0 writes nothing; ffChildPos writes the child position after the prefix byte.
    void WritePrefix(uint8_t flags, int childPos);
    // Published properties in declaration order, then the instance's DefineProperties.
    void WriteProperties(TPersistent* instance);
    // vaCollection, then each item: vaList, its properties, end of list; then end of list.
    void WriteCollection(TCollection* collection);

    // Values, each with its tag.
    void WriteListBegin() { WriteValue(vaList); }
    void WriteListEnd() { WriteValue(vaNull); }
    void WriteInteger(int64_t value); // the smallest integer tag that holds it; beyond 32 bits a float
    void WriteBoolean(bool value);
    void WriteChar(char value); // a one-character string
    void WriteFloat(long double value);
    void WriteString(std::string_view value); // short string up to 255 bytes, else long string
    void WriteIdent(std::string_view ident);  // False, True and nil (any case) get their own tags
    void WriteSet(const std::vector<std::string>& names);
    void WriteBinary(const void* data, int64_t size); // fails with EWriteError beyond 2 GB
    // Untagged pieces.
    void WriteValue(TValueType type);
    // Short string: length byte and bytes. Longer text fails with EWriteError "String too long".
    void WriteStr(std::string_view text);
    void Write(const void* data, int64_t size);

    void DefineProperty(const std::string& name, const std::function<void(TReader&)>& read,
                        const std::function<void(TWriter&)>& write, bool hasData) override;
    void DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& read,
                              const std::function<void(TStream&)>& write, bool hasData) override;

protected:
    // The name of the next value, under the path of the sub-object being written ("Font.Name").
    void WritePropName(std::string_view name);

private:
    void WriteProperty(TPersistent* instance, const TPropInfo* prop);
    void WriteOrdinalProp(TPersistent* instance, const TPropInfo* prop);
    void WriteObjectProp(TPersistent* instance, const TPropInfo* prop);
    // The name under which a referenced component is written; empty when it cannot be referenced.
    std::string ReferenceName(const TComponent* component) const;

    TStream& FStream;
    std::vector<uint8_t> FBuffer;
    size_t FBufferUsed = 0;
    std::string FPropPath; // prefix of sub-object properties, e.g. "Font."
    int FDepth = 0;        // records and collections being written
    int FUncaughtAtStart;  // exceptions in flight when the writer was made: more at its end means unwinding
};

#pragma GCC visibility pop
