#include "StoredProperties.h"

#include "core/Exceptions.h"
#include "core/Streams.h"
#include "core/SysUtils.h"
#include "rtti/Properties.h"
#include "streaming/Reader.h"
#include "streaming/ValueType.h"
#include "streaming/Writer.h"
#include "ui/Form.h"

namespace {

constexpr int FilerBufferSize = 1024;

[[noreturn]] void NoPropertyList() {
    throw EReadError("Invalid property value");
}

class TByteCursor {
public:
    explicit TByteCursor(std::string_view bytes, size_t position = 0) : FBytes(bytes), FPosition(position) {}

    size_t Position() const { return FPosition; }
    bool AtEnd() const { return FPosition >= FBytes.size(); }
    uint8_t Peek() const {
        if (AtEnd()) NoPropertyList();
        return static_cast<uint8_t>(FBytes[FPosition]);
    }
    uint8_t Byte() {
        const uint8_t b = Peek();
        ++FPosition;
        return b;
    }
    void Skip(size_t count) {
        if (count > FBytes.size() - FPosition) NoPropertyList();
        FPosition += count;
    }
    std::string_view ShortString() {
        const size_t length = Byte();
        const size_t start = FPosition;
        Skip(length);
        return FBytes.substr(start, length);
    }
    uint32_t Length32() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= static_cast<uint32_t>(Byte()) << (8 * i);
        return value;
    }

    // Steps over one tagged value.
    void SkipValue() {
        switch (Byte()) {
        case vaNull:
        case vaFalse:
        case vaTrue:
        case vaNil:
            break;
        case vaList:
            while (Peek() != vaNull)
                SkipValue();
            Byte();
            break;
        case vaInt8:
            Skip(1);
            break;
        case vaInt16:
            Skip(2);
            break;
        case vaInt32:
            Skip(4);
            break;
        case vaExtended:
            Skip(10);
            break;
        case vaString:
        case vaIdent:
            ShortString();
            break;
        case vaLString:
        case vaBinary:
            Skip(Length32());
            break;
        case vaSet:
            while (!ShortString().empty()) {
            }
            break;
        case vaCollection:
            while (Peek() != vaNull) {
                if (const uint8_t tag = Peek(); tag == vaInt8 || tag == vaInt16 || tag == vaInt32)
                    SkipValue();
                if (Byte() != vaList) NoPropertyList();
                while (Peek() != vaNull) {
                    ShortString();
                    SkipValue();
                }
                Byte();
            }
            Byte();
            break;
        default:
            NoPropertyList();
        }
    }

private:
    std::string_view FBytes;
    size_t FPosition;
};

// Asks an object for one of its defined values and writes it as the form stream would, whether or not
// the object would store it.
class TDefinedValueCapture : public TFiler {
public:
    explicit TDefinedValueCapture(std::string_view name) : FName(name) {}

    bool Found() const { return FFound; }
    const std::string& Value() const { return FValue.DataString(); }

    void DefineProperty(const std::string& name, const std::function<void(TReader&)>&,
                        const std::function<void(TWriter&)>& write, bool) override {
        if (FFound || !write || !SameText(name, FName)) return;
        FFound = true;
        TWriter writer(FValue, FilerBufferSize);
        write(writer);
        writer.FlushBuffer();
    }
    void DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>&,
                              const std::function<void(TStream&)>& write, bool) override {
        if (FFound || !write || !SameText(name, FName)) return;
        FFound = true;
        TMemoryStream data;
        write(data);
        TWriter writer(FValue, FilerBufferSize);
        writer.WriteBinary(data.Memory(), data.Size());
        writer.FlushBuffer();
    }

private:
    std::string FName;
    bool FFound = false;
    TStringStream FValue;
};

std::vector<std::string> PathSegments(const std::string& path) {
    std::vector<std::string> segments;
    size_t start = 0;
    for (size_t dot; (dot = path.find('.', start)) != std::string::npos; start = dot + 1)
        segments.push_back(path.substr(start, dot - start));
    segments.push_back(path.substr(start));
    return segments;
}

// The sub-object that holds the last segment of the path, or null when the path leads nowhere or into
// another component (a reference is stored as a name, never by its values).
TPersistent* HolderOf(TPersistent* instance, const std::vector<std::string>& segments) {
    TPersistent* target = instance;
    for (size_t i = 0; i + 1 < segments.size() && target; ++i) {
        const TPropInfo* prop = target->ClassType()->FindProperty(segments[i]);
        if (!prop || prop->PropType->Kind != tkClass || !prop->GetOrd) return nullptr;
        target = dynamic_cast<TPersistent*>(GetObjectProp(target, prop));
        if (dynamic_cast<TComponent*>(target)) return nullptr;
    }
    return target;
}

} // namespace

std::string WriteStoredProperties(TPersistent* instance, TComponent* root) {
    TStringStream stream;
    TWriter writer(stream, FilerBufferSize);
    writer.SetRoot(root);
    writer.WriteProperties(instance);
    writer.FlushBuffer();
    return stream.DataString();
}

TStoredValues SplitStoredProperties(std::string_view bytes) {
    TStoredValues values;
    TByteCursor cursor(bytes);
    while (!cursor.AtEnd()) {
        TStoredValue value;
        value.Path = std::string(cursor.ShortString());
        const size_t start = cursor.Position();
        cursor.SkipValue();
        value.Value = std::string(bytes.substr(start, cursor.Position() - start));
        values.push_back(std::move(value));
    }
    return values;
}

bool StoresPath(const TStoredValues& values, std::string_view path) {
    for (const TStoredValue& value : values) {
        if (value.Path.size() < path.size() ||
            !SameText(std::string_view(value.Path).substr(0, path.size()), path))
            continue;
        if (value.Path.size() == path.size() || value.Path[path.size()] == '.') return true;
    }
    return false;
}

void ReadStoredValues(TPersistent* instance, TComponent* root,
                      const std::vector<const TStoredValue*>& values) {
    if (values.empty()) return;
    TMemoryStream stream;
    {
        TWriter writer(stream, FilerBufferSize);
        for (const TStoredValue* value : values) {
            writer.WriteStr(value->Path);
            writer.Write(value->Value.data(), static_cast<int64_t>(value->Value.size()));
        }
        writer.FlushBuffer();
    }
    stream.SetPosition(0);
    TReader reader(stream, FilerBufferSize);
    reader.SetRoot(root);
    reader.BeginReferences();
    for (size_t i = 0; i < values.size(); ++i)
        reader.ReadProperty(instance);
    reader.FixupReferences();
    reader.EndReferences();
}

// ---- defaults ---------------------------------------------------------------------------------------------

TPropertyDefaults::TPropertyDefaults() = default;
TPropertyDefaults::~TPropertyDefaults() = default;

TComponent* TPropertyDefaults::Fresh(TClass cls) {
    if (auto it = FFresh.find(cls); it != FFresh.end()) return it->second.get();
    std::unique_ptr<TComponent> fresh;
    // A form class reads its own form resource when it is made: that is no default to go back to.
    if (!cls->InheritsFrom(TCustomForm::StaticClass())) {
        try {
            fresh.reset(dynamic_cast<TComponent*>(cls->Create(nullptr)));
        } catch (const Exception&) {
            // An abstract class or one that cannot be made alone has no defined defaults to offer.
        }
    }
    return FFresh.emplace(cls, std::move(fresh)).first->second.get();
}

TPersistent* TPropertyDefaults::FreshHolder(TComponent* instance, const std::vector<std::string>& segments) {
    TComponent* fresh = Fresh(instance->ClassType());
    return fresh ? HolderOf(fresh, segments) : nullptr;
}

void TPropertyDefaults::Reset(TComponent* instance, const std::string& path, TComponent* root,
                              TDefault kind) {
    ToDefault(instance, path, root, kind, true);
}

bool TPropertyDefaults::Differs(TComponent* instance, const std::string& path, TComponent* root,
                                TDefault kind) {
    return ToDefault(instance, path, root, kind, false);
}

bool TPropertyDefaults::ToDefault(TComponent* instance, const std::string& path, TComponent* root,
                                  TDefault kind, bool apply) {
    const std::vector<std::string> segments = PathSegments(path);
    TPersistent* holder = HolderOf(instance, segments);
    if (!holder) return false;
    if (const TPropInfo* prop = holder->ClassType()->FindProperty(segments.back())) {
        if (!prop->HasWrite() || !IsStoredProp(holder, prop)) return false;
        TPersistent* fresh = kind == dkFresh ? FreshHolder(instance, segments) : nullptr;
        switch (prop->PropType->Kind) {
        case tkInteger:
        case tkChar:
        case tkWChar:
        case tkEnumeration:
        case tkSet: {
            int64_t value = prop->Default;
            if (prop->Default == TPropInfo::NoDefault) {
                // Without a declared default (a font's height) the value of a fresh object is the default.
                TPersistent* freshHolder = fresh ? fresh : FreshHolder(instance, segments);
                if (!freshHolder) return false;
                value = GetOrdProp(freshHolder, prop);
            }
            if (GetOrdProp(holder, prop) == value) return false;
            if (apply) SetOrdProp(holder, prop, value);
            return true;
        }
        case tkFloat: {
            const Extended value = fresh ? GetFloatProp(fresh, prop) : 0;
            if (GetFloatProp(holder, prop) == value) return false;
            if (apply) SetFloatProp(holder, prop, value);
            return true;
        }
        case tkString:
        case tkLString:
        case tkWString: {
            const std::string value = fresh ? GetStrProp(fresh, prop) : std::string();
            if (GetStrProp(holder, prop) == value) return false;
            if (apply) SetStrProp(holder, prop, value);
            return true;
        }
        case tkMethod:
            if (!GetMethodProp(holder, prop)) return false;
            if (apply) SetMethodProp(holder, prop, TMethod{});
            return true;
        case tkClass:
            if (!dynamic_cast<TComponent*>(GetObjectProp(holder, prop))) return false;
            if (apply) SetObjectProp(holder, prop, nullptr);
            return true;
        default:
            return false;
        }
    }
    TPersistent* freshHolder = FreshHolder(instance, segments);
    if (!freshHolder) return false;
    TDefinedValueCapture freshValue(segments.back());
    freshHolder->DefineProperties(freshValue);
    if (!freshValue.Found()) return false;
    TDefinedValueCapture current(segments.back());
    holder->DefineProperties(current);
    if (current.Found() && current.Value() == freshValue.Value()) return false;
    if (apply) {
        const TStoredValue value{path, freshValue.Value()};
        ReadStoredValues(instance, root, {&value});
    }
    return true;
}
