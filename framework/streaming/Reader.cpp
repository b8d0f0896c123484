#include "streaming/Reader.h"

#include "core/ClassRegistry.h"
#include "core/Collection.h"
#include "core/ScopeGuard.h"
#include "core/Streams.h"
#include "core/SysUtils.h"
#include "core/Unicode.h"
#include "rtti/Properties.h"
#include "streaming/Extended80.h"
#include "streaming/ObjectText.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <exception>
#include <utility>

namespace {

[[noreturn]] void InvalidValue() {
    throw EReadError("Invalid property value");
}

using TNesting = TFormNesting<EReadError>;

int32_t GetInt32(const uint8_t* bytes) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | bytes[i];
    return static_cast<int32_t>(v);
}

uint64_t GetUInt64(const uint8_t* bytes) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | bytes[i];
    return v;
}

bool IsStringTag(TValueType tag) {
    return tag == vaString || tag == vaLString || tag == vaWString || tag == vaUTF8String;
}

// The one UTF-16 code unit a WideChar property holds, from UTF-8 text of exactly one character.
int64_t DecodeWideChar(const std::string& text) {
    auto b = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    if (text.size() == 1 && b(0) < 0x80) return b(0);
    if (text.size() == 2 && (b(0) & 0xE0) == 0xC0 && (b(1) & 0xC0) == 0x80)
        return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    if (text.size() == 3 && (b(0) & 0xF0) == 0xE0 && (b(1) & 0xC0) == 0x80 && (b(2) & 0xC0) == 0x80)
        return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    InvalidValue();
}

} // namespace

// Hears of the destruction of the components the reader remembers, so that it never touches a freed one.
class TReader::TTracker : public TComponent {
public:
    explicit TTracker(TReader& reader) : TComponent(nullptr), FReader(reader) {}
    void Notification(TComponent* component, TOperation operation) override {
        if (operation == opRemove) FReader.Forget(component);
        TComponent::Notification(component, operation);
    }

private:
    TReader& FReader;
};

TReader::TReader(TStream& stream, int bufferSize)
    : FInput(stream, static_cast<size_t>(std::max(bufferSize, 16))), FTracker(new TTracker(*this)) {
}

TReader::~TReader() {
    try {
        FInput.ReturnUnread();
    } catch (...) {
        // A stream that cannot seek back keeps its position; nothing else depends on it here.
    }
    for (TComponent* c : FLoaded)
        if (c) c->SetLoading(false);
    FLoaded.clear();
    FLoadedAt.clear();
    ClearFixups();
    Untrack();
}

// ---- bytes ------------------------------------------------------------------------------------------------

uint8_t TReader::PeekByte() {
    if (FInput.Current() == FInput.End() && !FInput.Refill()) TBufferedInput::ThrowReadError();
    return static_cast<uint8_t>(*FInput.Current());
}

void TReader::Read(void* data, int64_t size) {
    if (size < 0) InvalidValue();
    FInput.Read(data, static_cast<size_t>(size));
}

std::string TReader::ReadStr() {
    uint8_t length = FInput.ReadByte();
    std::string text;
    FInput.ReadAppend(text, length);
    return text;
}

TFormHeader TReader::ReadSignature() {
    return ReadFormHeader(FInput);
}

// ---- values -----------------------------------------------------------------------------------------------

TValueType TReader::ReadValue() {
    return static_cast<TValueType>(FInput.ReadByte());
}

TValueType TReader::NextValue() {
    return static_cast<TValueType>(PeekByte());
}

bool TReader::EndOfList() {
    return NextValue() == vaNull;
}

void TReader::ReadListBegin() {
    if (ReadValue() != vaList) InvalidValue();
}

void TReader::ReadListEnd() {
    if (ReadValue() != vaNull) InvalidValue();
}

int64_t TReader::ReadInteger() {
    uint8_t bytes[8] = {};
    switch (ReadValue()) {
    case vaInt8:
        Read(bytes, 1);
        return static_cast<int8_t>(bytes[0]);
    case vaInt16:
        Read(bytes, 2);
        return static_cast<int16_t>(bytes[0] | (bytes[1] << 8));
    case vaInt32:
        Read(bytes, 4);
        return GetInt32(bytes);
    case vaInt64:
        Read(bytes, 8);
        return static_cast<int64_t>(GetUInt64(bytes));
    case vaExtended: {
        uint8_t encoded[Extended80Size];
        Read(encoded, Extended80Size);
        long double v = DecodeExtended80(encoded);
        constexpr long double limit = 9223372036854775808.0L; // 2^63
        if (!std::isfinite(v) || v != std::trunc(v) || v < -limit || v >= limit) InvalidValue();
        return static_cast<int64_t>(v);
    }
    default:
        InvalidValue();
    }
}

bool TReader::ReadBoolean() {
    switch (ReadValue()) {
    case vaFalse:
        return false;
    case vaTrue:
        return true;
    default:
        InvalidValue();
    }
}

char TReader::ReadChar() {
    if (ReadValue() != vaString || FInput.ReadByte() != 1) InvalidValue();
    return static_cast<char>(FInput.ReadByte());
}

long double TReader::ReadFloat() {
    uint8_t bytes[Extended80Size];
    switch (NextValue()) {
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
        return static_cast<long double>(ReadInteger()); // exact: the mantissa holds 64 bits
    case vaExtended:
        ReadValue();
        Read(bytes, Extended80Size);
        return DecodeExtended80(bytes);
    case vaSingle:
        ReadValue();
        Read(bytes, 4);
        return std::bit_cast<float>(static_cast<uint32_t>(GetInt32(bytes)));
    case vaDate:
        ReadValue();
        Read(bytes, 8);
        return std::bit_cast<double>(GetUInt64(bytes));
    case vaCurrency:
        ReadValue();
        Read(bytes, 8);
        return static_cast<long double>(static_cast<int64_t>(GetUInt64(bytes))) / CurrencyScale;
    default:
        InvalidValue();
    }
}

std::string TReader::ReadString() {
    switch (ReadValue()) {
    case vaString:
        return ReadStr();
    case vaLString:
    case vaUTF8String: {
        std::string text;
        FInput.ReadAppend(text, ReadLength());
        return text;
    }
    case vaWString: {
        std::string utf16;
        FInput.ReadAppend(utf16, 2 * ReadLength());
        std::string text;
        AppendUtf16LEAsUtf8(text, utf16);
        return text;
    }
    default:
        InvalidValue();
    }
}

size_t TReader::ReadLength() {
    uint8_t bytes[4];
    Read(bytes, 4);
    const int32_t length = GetInt32(bytes);
    if (length < 0) InvalidValue();
    return static_cast<size_t>(length);
}

std::string TReader::ReadIdent() {
    switch (ReadValue()) {
    case vaIdent:
        return ReadStr();
    case vaFalse:
        return "False";
    case vaTrue:
        return "True";
    case vaNil:
        return "nil";
    default:
        InvalidValue();
    }
}

std::vector<std::string> TReader::ReadSet() {
    if (ReadValue() != vaSet) InvalidValue();
    std::vector<std::string> names;
    for (std::string name = ReadStr(); !name.empty(); name = ReadStr())
        names.push_back(std::move(name));
    return names;
}

std::vector<uint8_t> TReader::ReadBinary() {
    if (ReadValue() != vaBinary) InvalidValue();
    std::string data; // grows with what the stream really holds, whatever the length claims
    FInput.ReadAppend(data, ReadLength());
    return std::vector<uint8_t>(data.begin(), data.end());
}

void TReader::SkipValue() {
    uint8_t scratch[Extended80Size];
    const TValueType tag = ReadValue();
    switch (tag) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil:
        break;
    case vaList: {
        TNesting nesting(FDepth);
        while (!EndOfList())
            SkipValue();
        ReadListEnd();
        break;
    }
    case vaInt8:
        Read(scratch, 1);
        break;
    case vaInt16:
        Read(scratch, 2);
        break;
    case vaInt32:
        Read(scratch, 4);
        break;
    case vaExtended:
        Read(scratch, Extended80Size);
        break;
    case vaSingle:
        Read(scratch, 4);
        break;
    case vaCurrency:
    case vaDate:
    case vaInt64:
        Read(scratch, 8);
        break;
    case vaString:
    case vaIdent:
        ReadStr();
        break;
    case vaLString:
    case vaUTF8String:
    case vaBinary:
    case vaWString:
        for (size_t left = ReadLength() * (tag == vaWString ? 2 : 1); left > 0;)
            left -= FInput.Take(left).size();
        break;
    case vaSet:
        while (!ReadStr().empty()) {
        }
        break;
    case vaCollection: {
        TNesting nesting(FDepth);
        while (!EndOfList()) {
            if (TValueType t = NextValue(); t == vaInt8 || t == vaInt16 || t == vaInt32) ReadInteger();
            ReadListBegin();
            while (!EndOfList()) {
                ReadStr();
                SkipValue();
            }
            ReadListEnd();
        }
        ReadListEnd();
        break;
    }
    default:
        InvalidValue();
    }
}

// ---- components -------------------------------------------------------------------------------------------

TComponent* TReader::ReadRootComponent(TComponent* root) {
    ReadSignature();
    bool own = !FReferencing;
    if (own) BeginReferences();
    auto failed = ScopeGuard([&] {
        if (own) FinishOwnReferences(false);
    });
    TComponent* result = ReadRecord(root, true);
    failed.Dismiss();
    if (own) FinishOwnReferences(true);
    return result;
}

TComponent* TReader::ReadComponent(TComponent* component) {
    bool own = !FReferencing;
    if (own) BeginReferences();
    auto failed = ScopeGuard([&] {
        if (own) FinishOwnReferences(false);
    });
    TComponent* result = ReadRecord(component, false);
    failed.Dismiss();
    if (own) FinishOwnReferences(true);
    return result;
}

void TReader::EndReferencesQuietly() {
    // Already failing: end the bookkeeping, but report the first failure rather than one of Loaded's.
    try {
        EndReferences();
    } catch (...) {
    }
}

void TReader::FinishOwnReferences(bool succeeded) {
    if (!succeeded) {
        EndReferencesQuietly();
        return;
    }
    auto failed = ScopeGuard([this] { EndReferencesQuietly(); });
    FixupReferences();
    failed.Dismiss();
    EndReferences();
}

void TReader::ReadPrefix(uint8_t& flags, int& childPos) {
    flags = 0;
    childPos = -1;
    // A class name is at most 239 bytes long, so its length byte never looks like a prefix.
    if ((PeekByte() & 0xF0) != 0xF0) return;
    flags = FInput.ReadByte() & 0x0F;
    if (flags & ~(ffInherited | ffChildPos | ffInline)) throw EReadError("Invalid stream format");
    if (flags & ffChildPos) {
        int64_t position = ReadInteger();
        if (position < INT32_MIN || position > INT32_MAX) InvalidValue();
        childPos = static_cast<int>(position);
    }
}

TClass TReader::FindComponentClass(const std::string& name) const {
    TClass componentClass = TComponent::StaticClass();
    if (Root())
        for (TClass c : Root()->ClassType()->FieldClasses())
            if (SameText(c->Name, name) && c->InheritsFrom(componentClass)) return c;
    TClass c = GetClass(name);
    if (!c || !c->InheritsFrom(componentClass)) throw EClassNotFound(Format("Class %s not found", name));
    return c;
}

TComponent* TReader::ReadRecord(TComponent* component, bool asRoot) {
    TNesting nesting(FDepth);
    uint8_t flags;
    int childPos;
    ReadPrefix(flags, childPos);
    std::string className = ReadStr();
    std::string name = ReadStr();

    // An inherited record describes a component the owner already has (made by an ancestor's stream).
    bool inherited = (flags & ffInherited) != 0;
    if (inherited && !component && !asRoot) {
        TComponent* owner = FOwner ? FOwner : Root();
        component = owner ? owner->FindComponent(name) : nullptr;
        if (!component) throw EReadError(Format("Ancestor for '%s' not found", name));
    }
    bool created = component == nullptr;
    if (created) {
        TClass cls;
        TComponent* owner = nullptr;
        if (asRoot) {
            cls = GetClass(className);
            if (!cls || !cls->InheritsFrom(TComponent::StaticClass()))
                throw EClassNotFound(Format("Class %s not found", className));
        } else {
            cls = FindComponentClass(className);
            owner = FOwner ? FOwner : Root();
        }
        if (!cls->InheritsFrom(TComponent::StaticClass()))
            throw EClassNotFound(Format("Class %s not found", className));
        component = TComponent::CreateInstance(cls, owner);
    }
    if (asRoot) SetRoot(component);

    TRestore<TComponent*> recordComponent(FRecordComponent);
    auto failed = ScopeGuard([&] {
        if (created) {
            if (asRoot && Root() == component) SetRoot(nullptr);
            delete component; // the tracker drops it from the bookkeeping
        } else {
            component->FComponentState.Exclude(csReading);
        }
    });
    Track(component);
    if (FLoadedAt.emplace(component, FLoaded.size()).second) FLoaded.push_back(component);
    component->SetLoading(true);
    if (flags & ffInline) component->FComponentState.Include(csInline);
    if (!inherited) {
        if (OnSetName) OnSetName(*this, component, name);
        component->SetName(name);
    }
    // A root offered as its own parent (the designer reads a root with itself as parent) keeps the
    // parent it has.
    if (component->HasParent() && FParent && FParent != component) component->SetParentComponent(FParent);
    FRecordComponent = component;
    component->ReadState(*this);
    component->FComponentState.Exclude(csReading);
    if ((flags & ffChildPos) && FParent) FParent->SetChildOrder(component, childPos);
    failed.Dismiss();
    return component;
}

void TReader::ReadData(TComponent* instance) {
    while (!EndOfList())
        ReadProperty(instance);
    ReadListEnd();
    TRestore<TComponent*> owner(FOwner);
    TRestore<TComponent*> parent(FParent);
    FParent = instance->GetChildParent();
    FOwner = instance->GetChildOwner();
    // An embedded frame owns what its record holds.
    if (!FOwner) FOwner = instance->ComponentState().Contains(csInline) ? instance : Root();
    while (!EndOfList())
        ReadRecord(nullptr, false);
    ReadListEnd();
}

// ---- properties -------------------------------------------------------------------------------------------

void TReader::ReadProperty(TPersistent* instance) {
    std::string path = ReadStr();
    TRestore<std::string> propName(FPropName);
    TRestore<bool> propFound(FPropFound);
    try {
        TPersistent* target = instance;
        size_t start = 0;
        for (size_t dot; (dot = path.find('.', start)) != std::string::npos; start = dot + 1) {
            const TPropInfo* prop = target->ClassType()->FindProperty(path.substr(start, dot - start));
            TObject* value = prop && prop->PropType->Kind == tkClass && prop->GetOrd
                                 ? GetObjectProp(target, prop)
                                 : nullptr;
            target = dynamic_cast<TPersistent*>(value);
            if (!target) throw EReadError("Invalid property path");
        }
        FPropName = path.substr(start);
        if (const TPropInfo* prop = target->ClassType()->FindProperty(FPropName)) {
            ReadPropValue(target, prop);
        } else {
            FPropFound = false;
            target->DefineProperties(*this);
            if (!FPropFound) throw EReadError("Property does not exist");
        }
    } catch (const Exception& e) {
        auto* component = dynamic_cast<TComponent*>(instance);
        std::string owner =
            component && !component->Name().empty() ? component->Name() : instance->ClassName();
        throw EReadError(Format("Error reading %s.%s: %s", owner, path, e.Message()));
    }
}

void TReader::ReadPropValue(TPersistent* instance, const TPropInfo* prop) {
    switch (prop->PropType->Kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
        ReadOrdinalValue(instance, prop);
        break;
    case tkFloat:
        SetFloatProp(instance, prop, ReadFloat());
        break;
    case tkString:
    case tkLString:
    case tkWString:
        SetStrProp(instance, prop, ReadString());
        break;
    case tkMethod:
        ReadMethodValue(instance, prop);
        break;
    case tkClass:
        ReadObjectValue(instance, prop);
        break;
    default:
        InvalidValue();
    }
}

void TReader::ReadOrdinalValue(TPersistent* instance, const TPropInfo* prop) {
    const TTypeInfo* type = prop->PropType;
    const TTypeData& data = type->Data;
    int64_t value = 0;
    switch (type->Kind) {
    case tkChar:
        value = static_cast<uint8_t>(ReadChar());
        break;
    case tkWChar:
        value = IsStringTag(NextValue()) ? DecodeWideChar(ReadString()) : ReadInteger();
        break;
    case tkEnumeration:
        value = GetEnumValue(type, ReadIdent());
        if (value < 0) InvalidValue();
        break;
    case tkSet: {
        const TTypeInfo* element = data.CompType;
        for (const std::string& name : ReadSet()) {
            int64_t bit = element ? GetEnumValue(element, name) : -1;
            if (bit < 0 && (!element || element->Kind != tkEnumeration)) {
                int number = 0;
                if (TryStrToInt(name, number)) bit = number;
            }
            if (bit < 0 || bit >= 32 ||
                (element && (bit < element->Data.MinValue || bit > element->Data.MaxValue)))
                InvalidValue();
            value |= int64_t(1) << bit;
        }
        SetOrdProp(instance, prop, value);
        return;
    }
    default:
        if (NextValue() == vaIdent && data.IdentToInt) {
            int32_t named = 0;
            if (!data.IdentToInt(ReadIdent(), named)) InvalidValue();
            value = named;
        } else {
            value = ReadInteger();
        }
        break;
    }
    if (data.MinValue < data.MaxValue && (value < data.MinValue || value > data.MaxValue)) {
        if (type->Kind != tkInteger) InvalidValue();
        throw EReadError(Format("%d is out of range (%d to %d)", value, data.MinValue, data.MaxValue));
    }
    SetOrdProp(instance, prop, value);
}

void TReader::ReadMethodValue(TPersistent* instance, const TPropInfo* prop) {
    if (NextValue() == vaNil) {
        ReadValue();
        SetMethodProp(instance, prop, TMethod{});
        return;
    }
    std::string name = ReadIdent();
    if (!Root()) InvalidValue();
    const TMethodEntry* entry = Root()->ClassType()->FindMethod(name);
    if (!entry || !entry->Code) InvalidValue();
    const std::type_info* wanted = prop->PropType->Data.Signature;
    if (wanted && entry->Signature && *wanted != *entry->Signature) InvalidValue();
    SetMethodProp(instance, prop, TMethod{entry->Code, Root()});
}

void TReader::ReadObjectValue(TPersistent* instance, const TPropInfo* prop) {
    switch (NextValue()) {
    case vaNil:
        ReadValue();
        SetObjectProp(instance, prop, nullptr);
        return;
    case vaCollection: {
        ReadValue();
        auto* collection = dynamic_cast<TCollection*>(GetObjectProp(instance, prop));
        if (!collection) InvalidValue();
        ReadCollection(collection);
        return;
    }
    default: {
        std::string name = ReadIdent();
        TClass cls = prop->PropType->Data.ClassType;
        if (!cls || !cls->InheritsFrom(TComponent::StaticClass())) InvalidValue();
        if (!prop->SetOrd) throw EPropertyError(Format("Property %s is read-only", prop->Name));
        TComponent* component = FRecordComponent;
        if (!component) component = dynamic_cast<TComponent*>(instance);
        if (component) Track(component);
        AddFixup(TFixup{component, instance, prop, std::move(name), FCollections});
        return;
    }
    }
}

void TReader::ReadCollection(TCollection* collection) {
    TNesting nesting(FDepth);
    // Reading a collection from inside one of its own items would free the item being read.
    if (std::find(FCollections.begin(), FCollections.end(), collection) != FCollections.end()) InvalidValue();
    // References recorded in an earlier value of this collection point into items about to be freed.
    const auto [first, last] = FFixupsWithin.equal_range(collection);
    for (auto it = first; it != last; ++it)
        FFixups[it->second].Done = true;
    const auto update = UpdateScope(*collection);
    FCollections.push_back(collection);
    const auto popCollection = ScopeGuard([this] { FCollections.pop_back(); });
    collection->Clear();
    while (!EndOfList()) {
        if (TValueType t = NextValue(); t == vaInt8 || t == vaInt16 || t == vaInt32)
            ReadInteger(); // the item's index only matters to inherited forms
        TCollectionItem* item = collection->Add();
        ReadListBegin();
        while (!EndOfList())
            ReadProperty(item);
        ReadListEnd();
    }
    ReadListEnd();
}

void TReader::DefineProperty(const std::string& name, const std::function<void(TReader&)>& read,
                             const std::function<void(TWriter&)>&, bool) {
    if (FPropFound || !read || !SameText(name, FPropName)) return;
    FPropFound = true;
    read(*this);
}

void TReader::DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& read,
                                   const std::function<void(TStream&)>&, bool) {
    if (FPropFound || !read || !SameText(name, FPropName)) return;
    FPropFound = true;
    std::vector<uint8_t> bytes = ReadBinary();
    TMemoryStream data;
    data.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    data.SetPosition(0);
    read(data);
}

// ---- references and Loaded --------------------------------------------------------------------------------

void TReader::BeginReferences() {
    FReferencing = true;
}

TComponent* TReader::FindReference(const std::string& name) const {
    TComponent* root = Root();
    if (!root || name.empty()) return nullptr;
    size_t dot = name.find('.');
    if (dot == std::string::npos) {
        if (TComponent* c = root->FindComponent(name)) return c;
        return SameText(root->Name(), name) ? root : nullptr;
    }
    std::string ownerName = name.substr(0, dot);
    if (ownerName.empty()) return nullptr;
    TComponent* owner = SameText(root->Name(), ownerName) ? root : root->FindComponent(ownerName);
    if (!owner && root->Owner()) owner = root->Owner()->FindComponent(ownerName);
    return owner ? owner->FindComponent(name.substr(dot + 1)) : nullptr;
}

void TReader::FixupReferences() {
    // Setters may free components, which marks entries done through Forget; so walk by index and copy.
    for (size_t i = 0; i < FFixups.size(); ++i) {
        if (FFixups[i].Done) continue;
        TFixup fixup = FFixups[i];
        TComponent* target = FindReference(fixup.Name);
        if (!target || !target->InheritsFrom(fixup.Prop->PropType->Data.ClassType)) continue;
        FFixups[i].Done = true;
        try {
            SetObjectProp(fixup.Instance, fixup.Prop, target);
        } catch (const Exception& e) {
            std::string owner = fixup.Component && !fixup.Component->Name().empty()
                                    ? fixup.Component->Name()
                                    : fixup.Instance->ClassName();
            throw EReadError(Format("Error reading %s.%s: %s", owner, fixup.Prop->Name, e.Message()));
        }
    }
    std::vector<TFixup> pending;
    for (TFixup& f : FFixups)
        if (!f.Done) pending.push_back(std::move(f));
    ClearFixups();
    for (TFixup& f : pending)
        AddFixup(std::move(f));
    CallLoaded();
}

TComponent* TReader::ReadComponentDroppingReferences(TComponent* component) {
    BeginReferences();
    auto failed = ScopeGuard([this] { EndReferencesQuietly(); });
    ReadSignature();
    TComponent* result = ReadComponent(component);
    failed.Dismiss();
    EndReferences();
    return result;
}

void TReader::EndReferences() {
    FReferencing = false;
    ClearFixups();
    std::exception_ptr failure;
    try {
        CallLoaded();
    } catch (...) {
        failure = std::current_exception();
    }
    Untrack();
    if (failure) std::rethrow_exception(failure);
}

void TReader::CallLoaded() {
    // Loaded may free components (Forget then takes them off the list), so take one at a time. Every
    // component gets its call even when an earlier one fails; the first failure is reported.
    std::exception_ptr failure;
    for (size_t i = 0; i < FLoaded.size(); ++i) {
        TComponent* component = std::exchange(FLoaded[i], nullptr);
        if (!component) continue;
        FLoadedAt.erase(component);
        component->FComponentState.Exclude(csReading);
        try {
            component->Loaded();
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    FLoaded.clear();
    if (failure) std::rethrow_exception(failure);
}

void TReader::AddFixup(TFixup fixup) {
    const size_t index = FFixups.size();
    FFixupsOf.emplace(fixup.Component, index);
    if (static_cast<const void*>(fixup.Instance) != fixup.Component) FFixupsOf.emplace(fixup.Instance, index);
    for (TCollection* scope : fixup.Scopes)
        FFixupsWithin.emplace(scope, index);
    FFixups.push_back(std::move(fixup));
}

void TReader::ClearFixups() {
    FFixups.clear();
    FFixupsOf.clear();
    FFixupsWithin.clear();
}

void TReader::Track(TComponent* component) {
    if (!FTrackedAt.emplace(component, FTracked.size()).second) return;
    FTracked.push_back(component);
    FTracker->FreeNotification(component);
}

// Called for every component freed while the reader remembers it, so it finds its entries through the
// indexes: freeing the thousands of children of a failed record costs as much as reading them.
void TReader::Forget(TComponent* component) {
    if (auto it = FTrackedAt.find(component); it != FTrackedAt.end()) {
        FTracked[it->second] = nullptr;
        FTrackedAt.erase(it);
    }
    if (auto it = FLoadedAt.find(component); it != FLoadedAt.end()) {
        FLoaded[it->second] = nullptr;
        FLoadedAt.erase(it);
    }
    const auto [first, last] = FFixupsOf.equal_range(component);
    for (auto it = first; it != last; ++it)
        FFixups[it->second].Done = true;
    if (FRecordComponent == component) FRecordComponent = nullptr;
}

void TReader::Untrack() {
    std::vector<TComponent*> tracked;
    tracked.swap(FTracked);
    FTrackedAt.clear();
    // Newest first: the tracker's list then gives each one up from its end.
    for (auto it = tracked.rbegin(); it != tracked.rend(); ++it)
        if (*it) FTracker->RemoveFreeNotification(*it);
}
