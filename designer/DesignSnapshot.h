// DesignSnapshot: what undo and redo put back. A design state holds every component of the design as the
// form stream keeps it: class, name, owner, the component it is written inside (a control's parent, a menu
// item's menu or item, an embedded frame's children inside the frame), its place there (the z-order of a
// control, the order of pages and menu items), the inline flag of an embedded frame, its tab order and the
// values the stream stores for it; then the placeholders with their positions and the stacking of the
// root's windows. The selection is kept beside it. Components are known by their lasting numbers
// (TDesignIdentities).
//
// A record that did not change since the previous state is shared with it, so a history of many states
// of a large design holds each unchanged component once. Capturing costs what changed: given what an edit
// touched, only those components, those whose place, name, bounds or tab order changed, and those whose
// values name a component that was renamed or freed have their values written again; the others keep the
// records they had.
#pragma once

#include "PropertyBytes.h"
#include "graphics/Types.h"
#include "rtti/ClassInfo.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#pragma GCC visibility push(default)

class TBinaryCache;
class TComponent;
class TDesignIdentities;
class TFormwright;

struct TComponentRecord {
    uint32_t Id = 0;
    TClass Class = nullptr;
    std::string Name;
    uint32_t OwnerId = 0;
    uint32_t ParentId = 0; // the component it is written inside; 0 for none (written at the root's level)
    int ZIndex = -1;       // a control's place among its parent's controls, bottom first
    int ChildIndex = -1;   // its place among what its parent writes inside it (pages, menu items, controls)
    int TabOrder = -1;     // a windowed control's place in its parent's tab order
    bool Inline = false;   // an embedded frame: written inline, owning what is written inside it
    TRect Bounds;          // a control's bounds
    uint32_t DesignInfo = 0;
    TPropertyBytes Properties;        // the property list the form stream writes for it
    std::vector<uint32_t> References; // the components its values refer to
    bool operator==(const TComponentRecord&) const = default;
};
using TComponentRecordPtr = std::shared_ptr<const TComponentRecord>;

struct TPlaceholderRecord {
    uint32_t Id = 0; // the component the placeholder stands for
    int Left = 0;
    int Top = 0;
    bool operator==(const TPlaceholderRecord&) const = default;
};

struct TDesignState {
    TComponentRecordPtr Root;
    // The root's own components, then those of the designed form that belong to a designed container, in
    // the order their owners hold them; then what is written inside them but owned elsewhere (the
    // children of an embedded frame, the items of a menu pasted into a designed container).
    std::vector<TComponentRecordPtr> Components;
    std::vector<TPlaceholderRecord> Placeholders; // in the designer's placeholder order
    std::vector<uint32_t> Stacking;               // the root window's design windows, bottom first
    // All the memory the state holds, the records it shares included; kept from its capture, which takes
    // it from the previous state's and what differs.
    size_t FullBytes = 0;

    bool SameAs(const TDesignState& other) const;
    // The memory this state holds beyond what it shares with `previous` (null: all of it).
    size_t ByteSize(const TDesignState* previous) const;
};
using TDesignStatePtr = std::shared_ptr<const TDesignState>;

// The selected objects: the numbers of their components (a placeholder's component stands for it).
using TSelectionState = std::vector<uint32_t>;

// What an edit is known to have changed. With `Described` false nothing is known and every component's
// values are written again; otherwise only those of the listed components (by number) and those that the
// capture finds changed by itself. `Restacked` says that windows may have been made, freed or moved in the
// stacking order (only then is the stacking looked at again).
struct TChangeNotes {
    bool Described = false;
    bool Restacked = false;
    std::unordered_set<uint32_t> Ids;
};

// The design the designer is attached to now. Records equal to those of `previous` are shared with it;
// without `previous`, or with notes that describe nothing, every value is written.
TDesignStatePtr CaptureDesign(TFormwright& designer, TDesignIdentities& ids, TBinaryCache& cache,
                              const TDesignState* previous, const TChangeNotes* notes);
TSelectionState CaptureSelection(TFormwright& designer, TDesignIdentities& ids);
// The root window's design windows (controls and placeholders), bottom first.
std::vector<uint32_t> CaptureStacking(TFormwright& designer, TDesignIdentities& ids);
// The component the design's values are written under (it names their handlers and references): the
// designed form, or the root when there is none.
TComponent* DesignStreamRoot(TFormwright& designer);

#pragma GCC visibility pop
