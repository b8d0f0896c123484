// TComponentList: the list in which a multiple selection travels from the designer to the inspector and
// from the inspector to the property-editor enumeration.
//
// The items are persistent objects, normally components, in the order added. The list never owns them:
// freeing a TComponentList leaves every item alive. A list is built once and then read; there is no
// removal. Whoever passes a list to an inspector's InspectList hands it over with the call.
#pragma once

#include "core/List.h"
#include "core/Persistent.h"

#pragma GCC visibility push(default)

class TComponentList : public TObject {
    FW_CLASS(TComponentList, TObject)
public:
    TComponentList() = default;

    int Count() const { return FItems.Count(); }
    // Fails with the pointer list's EListError "List index out of bounds (%d)".
    TPersistent* Items(int index) const { return static_cast<TPersistent*>(FItems.Items(index)); }
    TPersistent* operator[](int index) const { return Items(index); }
    // Appends the item and returns its index.
    int Add(TPersistent* item) { return FItems.Add(item); }
    // The index of the item, or -1.
    int IndexOf(const TPersistent* item) const { return FItems.IndexOf(item); }

private:
    TList FItems;
};

#pragma GCC visibility pop
