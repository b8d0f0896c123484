// TReader: reads components from the binary form stream into new or existing components.
#pragma once

#include "core/Component.h"
#include "streaming/Filer.h"
#include "streaming/ValueType.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TCollection;

class TReader : public TFiler {
public:
    explicit TReader(TStream& stream, int bufferSize = 4096);
    // Puts the stream back right after the last byte read, so several records can be read in turn.
    ~TReader() override;

    // The owner and parent of components the reader creates.
    TComponent* Owner() const { return FOwner; }
    void SetOwner(TComponent* owner) { FOwner = owner; }
    TComponent* Parent() const { return FParent; }
    void SetParent(TComponent* parent) { FParent = parent; }

    // Lets the caller change the name a new component gets (the designer makes pasted names unique).
    std::function<void(TReader& reader, TComponent* component, std::string& name)> OnSetName;

    void ReadSignature(); // fails with "Invalid stream format"
    // Signature, then one component record into `root` (created from its class name when null).
    TComponent* ReadRootComponent(TComponent* root);
    // One component record into `component`, or into a new component of the record's class when null.
    TComponent* ReadComponent(TComponent* component);
    void ReadData(TComponent* instance);
    void ReadProperty(TPersistent* instance);
    void ReadCollection(TCollection* collection);

    // Component references read from the stream are kept by name and resolved by FixupReferences;
    // EndReferences drops what is left unresolved.
    void BeginReferences();
    void FixupReferences();
    void EndReferences();

    // Values.
    TValueType ReadValue();
    TValueType NextValue();
    bool EndOfList();
    void ReadListBegin();
    void ReadListEnd();
    int64_t ReadInteger();
    bool ReadBoolean();
    char ReadChar();
    long double ReadFloat(); // accepts integer values too
    std::string ReadString();
    std::string ReadIdent();
    std::vector<std::string> ReadSet();
    std::vector<uint8_t> ReadBinary();
    void SkipValue();
    std::string ReadStr(); // untagged short string
    void Read(void* data, int64_t size);

    void DefineProperty(const std::string& name, const std::function<void(TReader&)>& read,
                        const std::function<void(TWriter&)>& write, bool hasData) override;
    void DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& read,
                              const std::function<void(TStream&)>& write, bool hasData) override;

private:
    TStream& FStream;
    TComponent* FOwner = nullptr;
    TComponent* FParent = nullptr;
};
