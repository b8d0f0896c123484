// DesignSnapshot: what undo and redo put back. A design state holds every component of the design with
// its class, name, owner, parent, place among its parent's controls and the values the form stream
// stores for it, the placeholders with their positions, and the stacking of the root's windows; the
// selection is kept beside it. Components are known by their lasting numbers (TDesignIdentities).
//
// A record that did not change since the previous state is shared with it, so a history of many states
// of a large design holds each unchanged component once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "rtti/ClassInfo.h"

#pragma GCC visibility push(default)

class TDesignIdentities;
class TFormwright;

struct TComponentRecord {
    uint32_t Id = 0;
    TClass Class = nullptr;
    std::string Name;
    uint32_t OwnerId = 0;
    uint32_t ParentId = 0;  // 0: no parent (a non-visual component)
    int ZIndex = -1;        // place among the parent's child controls, bottom first
    std::string Properties; // the property list the form stream writes for it
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
    // the order their owners hold them.
    std::vector<TComponentRecordPtr> Components;
    std::vector<TPlaceholderRecord> Placeholders; // in the designer's placeholder order
    std::vector<uint32_t> Stacking;               // the root window's design windows, bottom first

    bool SameAs(const TDesignState& other) const;
    // The memory this state holds beyond what it shares with `previous` (null: all of it).
    size_t ByteSize(const TDesignState* previous) const;
};
using TDesignStatePtr = std::shared_ptr<const TDesignState>;

// The selected objects: the numbers of their components (a placeholder's component stands for it).
using TSelectionState = std::vector<uint32_t>;

// The design the designer is attached to now. Records equal to those of `previous` are shared with it.
TDesignStatePtr CaptureDesign(TFormwright& designer, TDesignIdentities& ids, const TDesignState* previous);
TSelectionState CaptureSelection(TFormwright& designer, TDesignIdentities& ids);
// The root window's design windows (controls and placeholders), bottom first.
std::vector<uint32_t> CaptureStacking(TFormwright& designer, TDesignIdentities& ids);

#pragma GCC visibility pop
