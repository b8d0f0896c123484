#include "PropertyRecorder.h"

#include "core/Collection.h"
#include "core/Component.h"
#include "core/Exceptions.h"
#include "core/SysUtils.h"
#include "rtti/Properties.h"
#include "streaming/ValueType.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int RecorderBufferSize = 4096;
// Sub-objects deeper than this are not looked into for references (a chain of sub-objects that leads
// back to itself would never end).
constexpr int MaxSubObjectDepth = 16;

void VisitReferences(TPersistent* instance, const std::function<void(TComponent*)>& found, int depth) {
    if (!instance || depth > MaxSubObjectDepth) return;
    for (const TPropInfo* prop : instance->ClassType()->Properties()) {
        if (prop->PropType->Kind != tkClass || !prop->HasRead()) continue;
        TObject* value = GetObjectProp(instance, prop);
        if (auto* component = dynamic_cast<TComponent*>(value)) {
            found(component);
        } else if (auto* collection = dynamic_cast<TCollection*>(value)) {
            for (int i = 0; i < collection->Count(); ++i)
                VisitReferences(collection->Items(i), found, depth + 1);
        } else if (auto* persistent = dynamic_cast<TPersistent*>(value)) {
            VisitReferences(persistent, found, depth + 1);
        }
    }
}

} // namespace

// ---- the cache --------------------------------------------------------------------------------------------

TBytePiece TBinaryCache::Find(uint64_t key) {
    auto it = FEntries.find(key);
    if (it == FEntries.end()) return nullptr;
    TBytePiece bytes = it->second.lock();
    if (!bytes) FEntries.erase(it);
    return bytes;
}

void TBinaryCache::Keep(uint64_t key, const TBytePiece& bytes) {
    FEntries[key] = bytes;
    if (FEntries.size() < FSweepAt) return;
    // Now and then the entries that no record holds any more go, so the map stays about as large as what
    // the history holds.
    std::erase_if(FEntries, [](const auto& entry) { return entry.second.expired(); });
    FSweepAt = std::max<size_t>(64, FEntries.size() * 2);
}

// ---- the recorder -----------------------------------------------------------------------------------------

TPropertyRecorder::TPropertyRecorder(TComponent* root, TBinaryCache& cache)
    : TWriter(Stream, RecorderBufferSize), FCache(cache) {
    SetRoot(root);
}

TPropertyBytes TPropertyRecorder::Record(TPersistent* instance) {
    FBytes = TPropertyBytes();
    WriteProperties(instance);
    CutPiece();
    return std::move(FBytes);
}

void TPropertyRecorder::CutPiece() {
    FlushBuffer();
    FBytes.Append(Stream.DataString());
    Stream.SetSize(0);
    Stream.SetPosition(0);
}

void TPropertyRecorder::DefineKeyedBinaryProperty(const std::string& name,
                                                  const std::function<void(TStream&)>&,
                                                  const std::function<void(TStream&)>& write, bool hasData,
                                                  uint64_t contentKey) {
    if (!hasData || !write) return;
    TBytePiece bytes = contentKey ? FCache.Find(contentKey) : nullptr;
    if (!bytes) {
        TMemoryStream data;
        write(data);
        bytes = std::make_shared<const std::string>(static_cast<const char*>(data.Memory()),
                                                    static_cast<size_t>(data.Size()));
        if (contentKey) FCache.Keep(contentKey, bytes);
    }
    if (bytes->size() > INT32_MAX) throw EWriteError("Binary data too large to stream");
    // The name and the value's header as WriteBinary writes them; the bytes themselves are the shared
    // piece.
    WritePropName(name);
    WriteValue(vaBinary);
    const auto size = static_cast<uint32_t>(bytes->size());
    const uint8_t length[4] = {uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16), uint8_t(size >> 24)};
    TWriter::Write(length, 4);
    CutPiece();
    FBytes.AppendShared(std::move(bytes));
}

void TPropertyRecorder::ForEachReference(TPersistent* instance,
                                         const std::function<void(TComponent*)>& found) {
    VisitReferences(instance, found, 0);
}
