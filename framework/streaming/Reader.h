// TReader: reads components from the binary form stream into new or existing components.
//
// Reading a record: the class name resolves first among the classes of Root()'s published fields, then
// among the registered classes ("Class %s not found"); a new component is created through its class's
// virtual constructor with Owner() (Root() when no owner is set) and offered Parent() when it HasParent().
// Its name goes through OnSetName, then SetName, which also binds the owner's published field of that
// name. A record flagged inherited reads into the component of its name that the owner already has
// ("Ancestor for '%s' not found" when there is none). A record flagged inline (an embedded frame) puts its
// component into csInline state, and the components of its child records are owned by it. Unknown flags
// fail with "Invalid stream format". While a component is read it is in csLoading and
// csReading state. A failure while setting a property is reported as EReadError
// "Error reading <component>.<property path>: <message>"; a component the reader created for a record
// that fails is freed again. Loaded runs in reading order, a parent before its children.
//
// Values go into a property whose type can hold them: integers up to 64 bits into an integer property
// of a range that holds them (else "<value> is out of range (<min> to <max>)"), any number into a float
// property, any kind of string into a string property.
//
// References and Loaded: component references are recorded by name and set later, since they may name
// components that come later in the stream. Within BeginReferences ... EndReferences the caller decides:
// FixupReferences sets every reference it can resolve and then calls Loaded on each component read so
// far; EndReferences drops the references still pending and calls Loaded on the components that have not
// had it yet, so nothing is left in loading state. Without that bracket, ReadRootComponent and
// ReadComponent do both themselves: references are resolved and Loaded called before they return.
//
// Bad input never reads past the end of the stream ("Stream read error"), never allocates more than the
// stream holds, and nesting deeper than MaxFormNesting (ObjectText.h) fails; every failure is an EReadError
// (or the framework exception of the operation that refused the value). What the values make the
// components allocate (decoded pictures) is charged to one memory budget per reader (core/MemoryBudget.h),
// or to the one a caller opened around several readers.
#pragma once

#include "core/Component.h"
#include "core/MemoryBudget.h"
#include "streaming/BufferedStreams.h"
#include "streaming/Filer.h"
#include "streaming/FormHeader.h"
#include "streaming/ValueType.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#pragma GCC visibility push(default)

class TCollection;

class TReader : public TFiler {
public:
    explicit TReader(TStream& stream, int bufferSize = 4096);
    // Puts the stream back right after the last byte consumed (the reader reads ahead), so several
    // records can be read in turn. Pending references are dropped without calling Loaded.
    ~TReader() override;

    // The owner and parent of components the reader creates.
    TComponent* Owner() const { return FOwner; }
    void SetOwner(TComponent* owner) { FOwner = owner; }
    TComponent* Parent() const { return FParent; }
    void SetParent(TComponent* parent) { FParent = parent; }

    // Lets the caller change the name a component gets from its record (the designer makes pasted names
    // unique). Called for every record read, the root's included.
    std::function<void(TReader& reader, TComponent* component, std::string& name)> OnSetName;

    // The signature, also after a resource header (FormHeader.h); fails with "Invalid stream format".
    TFormHeader ReadSignature();
    // Signature, then one component record into `root`, or into a new component of the record's class
    // (found among the registered classes) when root is null. The root takes the record's name; the class
    // name in the record is not compared with an existing root's class. Returns the root.
    TComponent* ReadRootComponent(TComponent* root);
    // One component record (no signature) into `component`, or into a new component of the record's class
    // when null.
    TComponent* ReadComponent(TComponent* component);
    // The properties and children of a record, after its header; TComponent::ReadState calls it.
    void ReadData(TComponent* instance);
    void ReadProperty(TPersistent* instance);
    // Replaces the collection's items with those of a collection value (its tag already read).
    void ReadCollection(TCollection* collection);

    void BeginReferences();
    void FixupReferences();
    void EndReferences();
    // Signature, then one component record like ReadComponent, inside its own BeginReferences ...
    // EndReferences: the references the record names are dropped (a pasted or loaded copy must not point
    // into the design it came from), and the bracket is closed also when reading fails.
    TComponent* ReadComponentDroppingReferences(TComponent* component);

    // Values. Each checks the tag it expects and fails with EReadError "Invalid property value" otherwise.
    TValueType ReadValue();
    TValueType NextValue(); // without consuming it
    bool EndOfList();
    void ReadListBegin();
    void ReadListEnd();
    int64_t ReadInteger(); // integer tags, or a float holding a whole number (how big integers are written)
    bool ReadBoolean();
    char ReadChar(); // a one-character string
    // Floats, and the other numbers as the nearest float: integers (exactly), singles, dates (days since
    // 1899-12-30) and currency amounts.
    long double ReadFloat();
    // Short and long strings, UTF-8 strings, and UTF-16 strings converted to UTF-8 (AppendUtf16LEAsUtf8).
    std::string ReadString();
    std::string ReadIdent(); // identifiers; False, True and nil as those words
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
    class TTracker;
    struct TFixup {
        TComponent* Component; // whose record the reference came from
        TPersistent* Instance; // the object with the property: the component, a sub-object or an item
        const TPropInfo* Prop;
        std::string Name;
        std::vector<TCollection*> Scopes; // collections being read around it, whose items may go away
        bool Done = false;
    };

    TComponent* ReadRecord(TComponent* component, bool asRoot);
    void ReadPrefix(uint8_t& flags, int& childPos);
    TClass FindComponentClass(const std::string& name) const;
    void ReadPropValue(TPersistent* instance, const TPropInfo* prop);
    void ReadOrdinalValue(TPersistent* instance, const TPropInfo* prop);
    void ReadObjectValue(TPersistent* instance, const TPropInfo* prop);
    void ReadMethodValue(TPersistent* instance, const TPropInfo* prop);
    TComponent* FindReference(const std::string& name) const;
    // Finishes the bookkeeping ReadRootComponent or ReadComponent began for themselves.
    void FinishOwnReferences(bool succeeded);
    // EndReferences while a failure is on its way out: a failure of Loaded is not reported over it.
    void EndReferencesQuietly();
    void CallLoaded();
    void AddFixup(TFixup fixup);
    void ClearFixups();
    void Track(TComponent* component);
    void Forget(TComponent* component); // the component is being destroyed
    void Untrack();
    uint8_t PeekByte();
    size_t ReadLength(); // the 4-byte length of a long value; a negative one is an invalid value

    TBufferedInput FInput;
    TComponent* FOwner = nullptr;
    TComponent* FParent = nullptr;
    TComponent* FRecordComponent = nullptr; // the component whose record is being read
    std::string FPropName;                  // the property DefineProperty is asked about
    bool FPropFound = false;
    bool FReferencing = false; // between BeginReferences and EndReferences
    int FDepth = 0;
    std::vector<TFixup> FFixups;
    // The fixups of each component, by their Component and Instance: a freed component finds its own.
    std::unordered_multimap<const void*, size_t> FFixupsOf;
    std::unordered_multimap<const TCollection*, size_t> FFixupsWithin; // by the collections around them
    // Read and still waiting for Loaded, in reading order; a freed one's entry is null.
    std::vector<TComponent*> FLoaded;
    std::unordered_map<TComponent*, size_t> FLoadedAt; // the live entries of FLoaded and where they are
    std::vector<TCollection*> FCollections;
    // What the tracker hears of, oldest first; a freed one's entry is null.
    std::vector<TComponent*> FTracked;
    std::unordered_map<TComponent*, size_t> FTrackedAt;
    std::unique_ptr<TTracker> FTracker;
    // The pictures and other memory the stream sizes share one budget for as long as the reader reads.
    TMemoryBudgetScope FBudget;
};

#pragma GCC visibility pop
