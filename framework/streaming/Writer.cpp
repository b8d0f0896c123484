#include "streaming/Writer.h"

#include "core/Collection.h"
#include "core/ScopeGuard.h"
#include "core/Streams.h"
#include "core/SysUtils.h"
#include "core/Unicode.h"
#include "rtti/Properties.h"
#include "streaming/Extended80.h"
#include "streaming/ObjectText.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <exception>

namespace {

using TNesting = TFormNesting<EWriteError>;

void PutLittleEndian(uint8_t* out, uint64_t value, int size) {
    for (int i = 0; i < size; ++i)
        out[i] = static_cast<uint8_t>(value >> (8 * i));
}

// A single or double property's value as the 80-bit float nearest to its shortest decimal text, when
// that float reads back into the property as the same value: the text form then shows "0.1" for a
// double 0.1 rather than every digit of its 80-bit widening. (Rounding twice, decimal to 80 bits to the
// property's type, could land elsewhere in rare halfway cases; those keep the widened value.)
template <class T> Extended NearestToShortestText(T value) {
    Extended nearest = 0;
    if (!TryStrToFloat(FloatToStrShortest(value), nearest) || static_cast<T>(nearest) != value) return value;
    return nearest;
}

Extended AsWrittenInText(Extended value, TFloatType type) {
    if (!std::isfinite(value)) return value;
    switch (type) {
    case ftSingle:
        return NearestToShortestText(static_cast<float>(value));
    case ftDouble:
        return NearestToShortestText(static_cast<double>(value));
    default:
        return value;
    }
}

} // namespace

TWriter::TWriter(TStream& stream, int bufferSize)
    : FStream(stream), FBuffer(static_cast<size_t>(std::max(bufferSize, 16))),
      FUncaughtAtStart(std::uncaught_exceptions()) {
}

TWriter::~TWriter() noexcept(false) {
    if (std::uncaught_exceptions() > FUncaughtAtStart) {
        try {
            FlushBuffer();
        } catch (...) {
            // Already failing: the first exception is the one to report.
        }
        return;
    }
    FlushBuffer();
}

void TWriter::FlushBuffer() {
    if (FBufferUsed == 0) return;
    size_t count = FBufferUsed;
    FBufferUsed = 0;
    FStream.WriteBuffer(FBuffer.data(), static_cast<int64_t>(count));
}

void TWriter::Write(const void* data, int64_t size) {
    if (size <= 0) return;
    auto bytes = static_cast<const uint8_t*>(data);
    auto count = static_cast<size_t>(size);
    if (count > FBuffer.size() - FBufferUsed) {
        FlushBuffer();
        if (count >= FBuffer.size()) {
            FStream.WriteBuffer(bytes, size);
            return;
        }
    }
    std::memcpy(FBuffer.data() + FBufferUsed, bytes, count);
    FBufferUsed += count;
}

// ---- components -------------------------------------------------------------------------------------------

void TWriter::WriteSignature() {
    Write(FormSignature, sizeof FormSignature);
}

void TWriter::WriteRootComponent(TComponent* root) {
    SetRoot(root);
    WriteSignature();
    WriteComponent(root);
}

void TWriter::WriteComponent(TComponent* component) {
    const bool wasWriting = component->FComponentState.Contains(csWriting);
    component->FComponentState.Include(csWriting);
    const auto endWriting = ScopeGuard([&] {
        if (!wasWriting) component->FComponentState.Exclude(csWriting);
    });
    component->WriteState(*this);
}

void TWriter::WriteData(TComponent* instance) {
    TNesting nesting(FDepth);
    // No ancestor, so neither inherited nor moved children; an embedded frame is marked inline.
    const bool isInline = instance->ComponentState().Contains(csInline);
    WritePrefix(isInline ? ffInline : 0, 0);
    // A longer class name's length byte would read as a prefix byte (0xF0 and up).
    if (instance->ClassName().size() > 239)
        throw EWriteError(Format("Class name too long: %s", instance->ClassName()));
    WriteStr(instance->ClassName());
    WriteStr(instance->Name());
    WriteProperties(instance);
    WriteListEnd();
    // The children of an embedded frame are the components it owns.
    instance->GetChildren([this](TComponent* child) { WriteComponent(child); }, isInline ? instance : Root());
    WriteListEnd();
}

void TWriter::WritePrefix(uint8_t flags, int childPos) {
    flags &= 0x0F;
    if (flags == 0) return;
    uint8_t prefix = 0xF0 | flags;
    Write(&prefix, 1);
    if (flags & ffChildPos) WriteInteger(childPos);
}

// ---- properties -------------------------------------------------------------------------------------------

void TWriter::WriteProperties(TPersistent* instance) {
    for (const TPropInfo* prop : instance->ClassType()->Properties())
        WriteProperty(instance, prop);
    instance->DefineProperties(*this);
}

void TWriter::WritePropName(std::string_view name) {
    std::string path = FPropPath;
    path += name;
    if (path.size() > 255) throw EWriteError(Format("Property path too long: %s", path));
    WriteStr(path);
}

void TWriter::WriteProperty(TPersistent* instance, const TPropInfo* prop) {
    if (!prop->HasRead() || !IsStoredProp(instance, prop)) return;
    // A read-only class property can still stream the sub-object it holds; anything else read-only cannot
    // be read back, so it is not written.
    if (!prop->HasWrite() && prop->PropType->Kind != tkClass) return;

    switch (prop->PropType->Kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
        WriteOrdinalProp(instance, prop);
        break;
    case tkFloat:
        if (Extended value = GetFloatProp(instance, prop); value != 0) {
            WritePropName(prop->Name);
            WriteFloat(AsWrittenInText(value, prop->PropType->Data.FloatType));
        }
        break;
    case tkString:
    case tkLString:
    case tkWString:
        if (std::string value = GetStrProp(instance, prop); !value.empty()) {
            WritePropName(prop->Name);
            WriteString(value);
        }
        break;
    case tkMethod: {
        TMethod value = GetMethodProp(instance, prop);
        if (!value.Code || !Root()) break;
        // Only handlers the root publishes have a name to bind to when the stream is read back.
        std::string name = Root()->MethodName(value.Code);
        if (name.empty()) break;
        WritePropName(prop->Name);
        WriteIdent(name);
        break;
    }
    case tkClass:
        WriteObjectProp(instance, prop);
        break;
    default:
        break; // variants, arrays, records and interfaces do not stream
    }
}

void TWriter::WriteOrdinalProp(TPersistent* instance, const TPropInfo* prop) {
    int64_t value = GetOrdProp(instance, prop);
    if (prop->Default != TPropInfo::NoDefault && value == prop->Default) return;
    const TTypeInfo* type = prop->PropType;
    WritePropName(prop->Name);
    switch (type->Kind) {
    case tkChar:
        WriteChar(static_cast<char>(value));
        break;
    case tkWChar: {
        // UTF-8 of the UTF-16 code unit (a lone surrogate is encoded as its code point).
        std::string text;
        AppendUtf8(text, static_cast<char32_t>(value & 0xFFFF));
        WriteString(text);
        break;
    }
    case tkEnumeration:
        WriteIdent(GetEnumName(type, value));
        break;
    case tkSet: {
        std::vector<std::string> names;
        const TTypeInfo* element = type->Data.CompType;
        for (int bit = 0; bit < 32; ++bit) {
            if (!(value & (int64_t(1) << bit))) continue;
            std::string name = element ? GetEnumName(element, bit) : std::string();
            names.push_back(name.empty() ? IntToStr(bit) : name);
        }
        WriteSet(names);
        break;
    }
    default: {
        std::string ident;
        if (type->Data.IntToIdent && type->Data.IntToIdent(static_cast<int32_t>(value), ident))
            WriteIdent(ident);
        else
            WriteInteger(value);
        break;
    }
    }
}

void TWriter::WriteObjectProp(TPersistent* instance, const TPropInfo* prop) {
    TObject* value = GetObjectProp(instance, prop);
    if (!value) return;
    if (auto* component = dynamic_cast<TComponent*>(value)) {
        if (!prop->HasWrite()) return;
        std::string name = ReferenceName(component);
        if (name.empty()) return;
        WritePropName(prop->Name);
        // Always as an identifier: WriteIdent would turn a component named nil into a nil reference.
        WriteValue(vaIdent);
        WriteStr(name);
    } else if (auto* collection = dynamic_cast<TCollection*>(value)) {
        WritePropName(prop->Name);
        WriteCollection(collection);
    } else if (auto* persistent = dynamic_cast<TPersistent*>(value)) {
        // No nesting count: the 255-byte limit of the property path bounds sub-object depth (and cycles).
        TRestore<std::string> path(FPropPath);
        FPropPath += prop->Name;
        FPropPath += '.';
        WriteProperties(persistent);
    }
}

std::string TWriter::ReferenceName(const TComponent* component) const {
    if (component->Name().empty()) return {};
    TComponent* owner = component->Owner();
    if (component == Root() || owner == Root()) return component->Name();
    if (!owner || owner->Name().empty()) return {};
    return owner->Name() + "." + component->Name();
}

void TWriter::WriteCollection(TCollection* collection) {
    TNesting nesting(FDepth);
    TRestore<std::string> path(FPropPath);
    FPropPath.clear(); // item properties are named relative to the item
    WriteValue(vaCollection);
    for (int i = 0; i < collection->Count(); ++i) {
        WriteListBegin();
        WriteProperties(collection->Items(i));
        WriteListEnd();
    }
    WriteListEnd();
}

void TWriter::DefineProperty(const std::string& name, const std::function<void(TReader&)>&,
                             const std::function<void(TWriter&)>& write, bool hasData) {
    if (!hasData || !write) return;
    WritePropName(name);
    write(*this);
}

void TFiler::DefineKeyedBinaryProperty(const std::string& name, const std::function<void(TStream&)>& read,
                                       const std::function<void(TStream&)>& write, bool hasData, uint64_t) {
    DefineBinaryProperty(name, read, write, hasData);
}

uint64_t NewContentKey() {
    static std::atomic<uint64_t> next{1};
    return next++;
}

void TWriter::DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>&,
                                   const std::function<void(TStream&)>& write, bool hasData) {
    if (!hasData || !write) return;
    TMemoryStream data;
    write(data);
    WritePropName(name);
    WriteBinary(data.Memory(), data.Size());
}

// ---- values -----------------------------------------------------------------------------------------------

void TWriter::WriteValue(TValueType type) {
    uint8_t tag = type;
    Write(&tag, 1);
}

void TWriter::WriteStr(std::string_view text) {
    if (text.size() > 255) throw EWriteError(Format("String too long: %s", text.substr(0, 32)));
    uint8_t length = static_cast<uint8_t>(text.size());
    Write(&length, 1);
    Write(text.data(), static_cast<int64_t>(text.size()));
}

void TWriter::WriteInteger(int64_t value) {
    uint8_t bytes[5];
    if (value >= INT8_MIN && value <= INT8_MAX) {
        bytes[0] = vaInt8;
        PutLittleEndian(bytes + 1, static_cast<uint64_t>(value), 1);
        Write(bytes, 2);
    } else if (value >= INT16_MIN && value <= INT16_MAX) {
        bytes[0] = vaInt16;
        PutLittleEndian(bytes + 1, static_cast<uint64_t>(value), 2);
        Write(bytes, 3);
    } else if (value >= INT32_MIN && value <= INT32_MAX) {
        bytes[0] = vaInt32;
        PutLittleEndian(bytes + 1, static_cast<uint64_t>(value), 4);
        Write(bytes, 5);
    } else {
        WriteFloat(static_cast<long double>(value)); // exact: the 80-bit mantissa holds 64 bits
    }
}

void TWriter::WriteBoolean(bool value) {
    WriteValue(value ? vaTrue : vaFalse);
}

void TWriter::WriteChar(char value) {
    WriteString(std::string_view(&value, 1));
}

void TWriter::WriteFloat(long double value) {
    uint8_t bytes[1 + Extended80Size];
    bytes[0] = vaExtended;
    uint8_t encoded[Extended80Size];
    EncodeExtended80(value, encoded);
    std::memcpy(bytes + 1, encoded, Extended80Size);
    Write(bytes, sizeof bytes);
}

void TWriter::WriteString(std::string_view value) {
    if (value.size() <= 255) {
        WriteValue(vaString);
        WriteStr(value);
        return;
    }
    if (value.size() > INT32_MAX) throw EWriteError("String too long to stream");
    WriteValue(vaLString);
    uint8_t length[4];
    PutLittleEndian(length, value.size(), 4);
    Write(length, 4);
    Write(value.data(), static_cast<int64_t>(value.size()));
}

void TWriter::WriteIdent(std::string_view ident) {
    if (SameText(ident, "False"))
        WriteValue(vaFalse);
    else if (SameText(ident, "True"))
        WriteValue(vaTrue);
    else if (SameText(ident, "nil"))
        WriteValue(vaNil);
    else {
        WriteValue(vaIdent);
        WriteStr(ident);
    }
}

void TWriter::WriteSet(const std::vector<std::string>& names) {
    WriteValue(vaSet);
    for (const std::string& name : names)
        if (!name.empty()) WriteStr(name);
    WriteStr("");
}

void TWriter::WriteBinary(const void* data, int64_t size) {
    if (size < 0 || size > INT32_MAX) throw EWriteError("Binary data too large to stream");
    WriteValue(vaBinary);
    uint8_t length[4];
    PutLittleEndian(length, static_cast<uint64_t>(size), 4);
    Write(length, 4);
    Write(data, size);
}
