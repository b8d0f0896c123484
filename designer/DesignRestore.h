// TDesignRestorer: makes the live design equal to a recorded design state (DesignSnapshot.h).
//
// Components that exist in both keep their identity: they are renamed, re-parented and get the values
// that differ, value by value (a value the state does not store goes back to its default). Components
// the state lacks are freed; components only the state has are made again from their record (an embedded
// frame inline again, a menu item inside its menu) and take their old numbers. Then the owned order, the
// order of what each component writes inside it (pages, menu items), the z-order and the tab order of
// every container, and the placeholders' positions, order and stacking follow the state. The selection
// is the caller's.
#pragma once

#include "DesignSnapshot.h"

#include <functional>
#include <vector>

#pragma GCC visibility push(default)

class TBinaryCache;
class TComponent;
class TDesignIdentities;
class TFormwright;

class TDesignRestorer {
public:
    TDesignRestorer(TFormwright& designer, TDesignIdentities& ids, TBinaryCache& cache);
    // `live` is the design as it is now (a capture of it).
    void Restore(const TDesignState& live, const TDesignState& target);

private:
    class TRun;

    TFormwright& FDesigner;
    TDesignIdentities& FIds;
    TBinaryCache& FCache;
};

// Reorders a list into the desired order of the same items with few moves: the items of a longest run
// already in desired order stay, each other item goes right after its desired predecessor. `moveTo` takes
// an item out of the list and puts it at the index (of the list without it).
void ReorderWithFewMoves(const std::vector<void*>& current, const std::vector<void*>& desired,
                         const std::function<void(void* item, int index)>& moveTo);

#pragma GCC visibility pop
