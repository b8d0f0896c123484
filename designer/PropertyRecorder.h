// TPropertyRecorder: writes the property lists of components as the form stream stores them, for the
// undo history, without writing a picture's data again while the picture is unchanged.
//
// Binary values that carry a content key (TFiler::DefineKeyedBinaryProperty: pictures, glyphs, image
// lists) are written once per key; later lists take the same bytes from the cache as a shared piece. The
// recorder also notes which components each list names (a label's FocusControl, a page control's
// ActivePage), so that a list can be written again when one of those is renamed or freed.
#pragma once

#include "PropertyBytes.h"
#include "core/Streams.h"
#include "streaming/Writer.h"

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#pragma GCC visibility push(default)

class TComponent;
class TPersistent;

// The keyed binary values written so far, by content key, for as long as some record holds them.
class TBinaryCache {
public:
    // The bytes written for the key, or null.
    TBytePiece Find(uint64_t key);
    void Keep(uint64_t key, const TBytePiece& bytes);

private:
    std::unordered_map<uint64_t, std::weak_ptr<const std::string>> FEntries;
    size_t FSweepAt = 64;
};

namespace detail {
// Made before the writer that writes into it.
struct TRecorderStream {
    TStringStream Stream;
};
} // namespace detail

class TPropertyRecorder : private detail::TRecorderStream, public TWriter {
public:
    // Lists are written as under `root` (which names handlers and references).
    TPropertyRecorder(TComponent* root, TBinaryCache& cache);

    // The instance's property list (published properties, then defined ones).
    TPropertyBytes Record(TPersistent* instance);
    // Each component the instance's published values refer to, at any depth of sub-objects and
    // collection items (more than the list may name: only names matter to the caller).
    static void ForEachReference(TPersistent* instance, const std::function<void(TComponent*)>& found);

    void DefineKeyedBinaryProperty(const std::string& name, const std::function<void(TStream&)>& read,
                                   const std::function<void(TStream&)>& write, bool hasData,
                                   uint64_t contentKey) override;

private:
    // Ends the piece being written at the stream's end.
    void CutPiece();

    TBinaryCache& FCache;
    TPropertyBytes FBytes;
    size_t FPieceStart = 0;
};

#pragma GCC visibility pop
