// How the core classes stream themselves: a component's published state and its design position, a string
// list's lines. They live with the streams, so that the core knows nothing of readers and writers.
#include "core/Component.h"
#include "core/ScopeGuard.h"
#include "core/Strings.h"
#include "streaming/Filer.h"
#include "streaming/Reader.h"
#include "streaming/Writer.h"

// ---- components -------------------------------------------------------------------------------------------

void TComponent::ReadState(TReader& reader) {
    reader.ReadData(this);
}

void TComponent::WriteState(TWriter& writer) {
    writer.WriteData(this);
}

void TComponent::DefineProperties(TFiler& filer) {
    auto* ancestor = filer.Ancestor();
    uint32_t info = ancestor ? ancestor->FDesignInfo : 0;
    filer.DefineProperty(
        "Left",
        [this](TReader& r) {
            FDesignInfo = (FDesignInfo & 0xFFFF0000u) | (uint32_t(r.ReadInteger()) & 0xFFFFu);
        },
        [this](TWriter& w) { w.WriteInteger(int32_t(FDesignInfo & 0xFFFFu)); },
        (FDesignInfo & 0xFFFFu) != (info & 0xFFFFu));
    filer.DefineProperty(
        "Top",
        [this](TReader& r) {
            FDesignInfo = (FDesignInfo & 0x0000FFFFu) | ((uint32_t(r.ReadInteger()) & 0xFFFFu) << 16);
        },
        [this](TWriter& w) { w.WriteInteger(int32_t(FDesignInfo >> 16)); },
        (FDesignInfo >> 16) != (info >> 16));
}

// ---- string lists -----------------------------------------------------------------------------------------

void TStrings::DefineProperties(TFiler& filer) {
    filer.DefineProperty(
        "Strings", [this](TReader& reader) { ReadData(reader); },
        [this](TWriter& writer) { WriteData(writer); }, Count() > 0);
}

void TStrings::ReadData(TReader& reader) {
    reader.ReadListBegin();
    {
        const auto update = UpdateScope(*this);
        Clear();
        while (!reader.EndOfList())
            Add(reader.ReadString());
    }
    reader.ReadListEnd();
}

void TStrings::WriteData(TWriter& writer) const {
    writer.WriteListBegin();
    for (int i = 0; i < Count(); ++i)
        writer.WriteString(Strings(i));
    writer.WriteListEnd();
}
