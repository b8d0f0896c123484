#include "DesignSnapshot.h"

#include "DesignIdentities.h"
#include "EditContainer.h"
#include "Formwright.h"
#include "PropertyRecorder.h"
#include "ui/Form.h"
#include "ui/WinControl.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>

namespace {

// A table from objects to values, in one block: a capture fills one entry per control of the design, and
// thousands of node allocations would cost more than everything else it does.
template <class T> class TPointerTable {
public:
    explicit TPointerTable(size_t count) { Reserve(count); }
    // The entry of the key, made with a default value when there is none.
    T& operator[](const void* key) {
        if ((FCount + 1) * 2 > FSlots.size()) Reserve(FCount + 1);
        TSlot& slot = SlotOf(key);
        if (!slot.Key) {
            slot.Key = key;
            ++FCount;
        }
        return slot.Value;
    }
    const T* Find(const void* key) const {
        const TSlot& slot = SlotOf(key);
        return slot.Key ? &slot.Value : nullptr;
    }

private:
    struct TSlot {
        const void* Key = nullptr;
        T Value{};
    };
    // Room for `count` entries with the table at most half full.
    void Reserve(size_t count) {
        size_t capacity = 16;
        while (capacity < count * 2)
            capacity *= 2;
        if (capacity <= FSlots.size()) return;
        std::vector<TSlot> old = std::exchange(FSlots, std::vector<TSlot>(capacity));
        for (TSlot& slot : old)
            if (slot.Key) SlotOf(slot.Key) = std::move(slot);
    }
    // The key's slot, or the empty one where it would go.
    TSlot& SlotOf(const void* key) const {
        const size_t mask = FSlots.size() - 1;
        size_t i = ((reinterpret_cast<uintptr_t>(key) >> 4) * 0x9E3779B97F4A7C15ull >> 20) & mask;
        while (FSlots[i].Key && FSlots[i].Key != key)
            i = (i + 1) & mask;
        return const_cast<TSlot&>(FSlots[i]);
    }

    std::vector<TSlot> FSlots;
    size_t FCount = 0;
};

struct TPlace {
    int ZIndex = -1;
    int TabOrder = -1;
};

bool SameRecord(const TComponentRecordPtr& a, const TComponentRecordPtr& b) {
    return a == b || (a && b && *a == *b);
}

// What a capture learns of a component without writing its values.
struct TFacts {
    uint32_t Id = 0;
    TClass Class = nullptr;
    const std::string* Name = nullptr;
    uint32_t OwnerId = 0;
    uint32_t ParentId = 0;
    int ZIndex = -1;
    int ChildIndex = -1;
    int TabOrder = -1;
    bool Inline = false;
    TRect Bounds;
    uint32_t DesignInfo = 0;
    bool Renamed = false; // its name or owner differs from its previous record's

    // Whether the stored values may differ when these facts do: bounds and tab order are stored values,
    // and a component in another place, of another owner or class may write them differently.
    bool ValuesMayDiffer(const TComponentRecord& r) const {
        return Class != r.Class || OwnerId != r.OwnerId || ParentId != r.ParentId || Inline != r.Inline ||
               Bounds != r.Bounds || TabOrder != r.TabOrder || DesignInfo != r.DesignInfo;
    }
    // Against the previous record (Renamed compares the names).
    bool SameAs(const TComponentRecord& r) const {
        return !ValuesMayDiffer(r) && !Renamed && ZIndex == r.ZIndex && ChildIndex == r.ChildIndex;
    }
    TComponentRecord Record() const {
        TComponentRecord r;
        r.Id = Id;
        r.Class = Class;
        r.Name = *Name;
        r.OwnerId = OwnerId;
        r.ParentId = ParentId;
        r.ZIndex = ZIndex;
        r.ChildIndex = ChildIndex;
        r.TabOrder = TabOrder;
        r.Inline = Inline;
        r.Bounds = Bounds;
        r.DesignInfo = DesignInfo;
        return r;
    }
};

// The components of the design in owned order: the root's own, then, when a container is designed, the
// designed form's components that belong to it.
std::vector<TComponent*> DesignComponents(TFormwright& designer) {
    std::vector<TComponent*> components;
    TWinControl* root = designer.Root();
    components.reserve(static_cast<size_t>(root->ComponentCount()));
    for (int i = 0; i < root->ComponentCount(); ++i)
        components.push_back(root->Components(i));
    TCustomForm* form = designer.DesignedForm();
    if (form && form != root)
        for (int i = 0; i < form->ComponentCount(); ++i)
            if (designer.IsInDesign(form->Components(i))) components.push_back(form->Components(i));
    return components;
}

// One capture of the design.
class TCapture {
public:
    TCapture(TFormwright& designer, TDesignIdentities& ids, TBinaryCache& cache, const TDesignState* previous,
             const TChangeNotes* notes)
        : FDesigner(designer), FIds(ids), FPrevious(previous),
          FNotes(previous && notes && notes->Described ? notes : nullptr), FScope(DesignStreamRoot(designer)),
          FRecorder(FScope, cache), FPlaces(0) {}

    TDesignStatePtr Run() {
        auto state = std::make_shared<TDesignState>();
        TWinControl* root = FDesigner.Root();
        if (!root) return state;
        CollectComponents();
        FPlaces = TPointerTable<TPlace>(FComponents.size() + 1);
        IndexContainers();
        std::vector<TFacts> facts(FComponents.size());
        for (size_t i = 0; i < FComponents.size(); ++i)
            FillFacts(i, facts[i]);
        FindStaleReferences(facts);
        NoteTouched();

        TFacts rootFacts;
        rootFacts.Id = FIds.IdOf(root);
        rootFacts.Class = root->ClassType();
        rootFacts.Name = &root->Name();
        // The root is written every time: it is one component, and a move of its window changes it.
        state->Root = Finish(root, rootFacts, FPrevious ? &FPrevious->Root : nullptr, true);

        state->Components.reserve(FComponents.size());
        for (size_t i = 0; i < FComponents.size(); ++i) {
            const TFacts& f = facts[i];
            const TComponentRecordPtr* before = FBefore[i];
            const bool write = !before || !FNotes || FTouched.Find(FComponents[i]) ||
                               f.ValuesMayDiffer(**before) || FStale.count(f.Id);
            state->Components.push_back(Finish(FComponents[i], f, before, write));
        }

        for (TEditContainer* placeholder : FDesigner.Placeholders())
            if (placeholder->Component())
                state->Placeholders.push_back(
                    {FIds.IdOf(placeholder->Component()), placeholder->Left(), placeholder->Top()});
        // Looking at every window of a large design costs more than all the rest: only an edit that may
        // have made, freed or moved windows in the stacking has it looked at.
        if (FNotes && !FNotes->Restacked)
            state->Stacking = FPrevious->Stacking;
        else
            state->Stacking = CaptureStacking(FDesigner, FIds);
        state->FullBytes =
            FPrevious ? FPrevious->FullBytes + state->ByteSize(FPrevious) - FPrevious->ByteSize(state.get())
                      : state->ByteSize(nullptr);
        return state;
    }

private:
    // The design's components in owned order, then what is written inside them but is not among them;
    // with the place of each among what its parent writes inside it.
    void CollectComponents() {
        FComponents = DesignComponents(FDesigner);
        FChildIndex.assign(FComponents.size(), -1);
        // Where each component is in the list (plus one; 0 for none), made when the first child shows.
        std::unique_ptr<TPointerTable<size_t>> at;
        int index = 0;
        // One procedure for all: made for each component, it would cost an allocation each.
        const TGetChildProc child = [&](TComponent* found) {
            if (!at) {
                at = std::make_unique<TPointerTable<size_t>>(FComponents.size());
                for (size_t k = 0; k < FComponents.size(); ++k)
                    (*at)[FComponents[k]] = k + 1;
            }
            size_t& position = (*at)[found];
            if (position == 0) {
                FComponents.push_back(found);
                FChildIndex.push_back(-1);
                position = FComponents.size();
            }
            FChildIndex[position - 1] = index++;
        };
        for (size_t i = 0; i < FComponents.size(); ++i) {
            TComponent* component = FComponents[i];
            // An embedded frame writes the components it owns inside it.
            index = 0;
            component->GetChildren(child,
                                   component->ComponentState().Contains(csInline) ? component : FScope);
        }
    }

    // The z-order and tab order of every control of the design, from the containers' lists.
    void IndexContainers() {
        auto index = [this](TWinControl* container) {
            for (int i = 0; i < container->ControlCount(); ++i)
                FPlaces[container->Controls(i)].ZIndex = i;
            const std::vector<TWinControl*>& tabs = container->TabList();
            for (size_t k = 0; k < tabs.size(); ++k)
                FPlaces[tabs[k]].TabOrder = static_cast<int>(k);
        };
        index(FDesigner.Root());
        for (TComponent* component : FComponents)
            if (component->InheritsFrom(TWinControl::StaticClass()))
                if (auto* container = static_cast<TWinControl*>(component); container->ControlCount() > 0)
                    index(container);
    }

    uint32_t CachedId(TComponent* component, TComponent*& last, uint32_t& lastId) {
        if (component != last) {
            last = component;
            lastId = FIds.IdOf(component);
        }
        return lastId;
    }

    void FillFacts(size_t i, TFacts& facts) {
        TComponent* component = FComponents[i];
        facts.Id = FIds.IdOf(component);
        facts.Class = component->ClassType();
        facts.Name = &component->Name();
        facts.OwnerId = CachedId(component->Owner(), FLastOwner, FLastOwnerId);
        if (component->HasParent())
            if (TComponent* parent = component->GetParentComponent())
                facts.ParentId = CachedId(parent, FLastParent, FLastParentId);
        facts.ChildIndex = FChildIndex[i];
        facts.Inline = component->ComponentState().Contains(csInline);
        // The class records answer at once; a dynamic cast compares type names across libraries.
        if (component->InheritsFrom(TControl::StaticClass())) {
            auto* control = static_cast<TControl*>(component);
            facts.Bounds = control->BoundsRect();
            if (const TPlace* place = FPlaces.Find(control)) {
                facts.ZIndex = place->ZIndex;
                facts.TabOrder = place->TabOrder;
            }
        } else {
            facts.DesignInfo = component->DesignInfo();
        }
        const TComponentRecordPtr* before = PreviousRecord(i, facts.Id);
        facts.Renamed = before && ((*before)->Name != *facts.Name || (*before)->OwnerId != facts.OwnerId);
        FBefore.push_back(before);
    }

    // The components the notes name, for a look-up that costs nothing per component.
    void NoteTouched() {
        if (!FNotes) return;
        for (uint32_t id : FNotes->Ids)
            if (TComponent* component = FIds.Find(id)) FTouched[component] = true;
    }

    // The previous record of the component at index i: usually at the same index.
    const TComponentRecordPtr* PreviousRecord(size_t i, uint32_t id) {
        if (!FPrevious) return nullptr;
        const auto& previous = FPrevious->Components;
        if (i < previous.size() && previous[i]->Id == id) return &previous[i];
        FMatchedByIndex = false;
        if (FPreviousById.empty())
            for (const TComponentRecordPtr& record : previous)
                FPreviousById.emplace(record->Id, &record);
        auto it = FPreviousById.find(id);
        return it == FPreviousById.end() ? nullptr : it->second;
    }

    // The components whose values name a component that was renamed, moved to another owner or freed:
    // the names they write changed.
    void FindStaleReferences(const std::vector<TFacts>& facts) {
        if (!FPrevious) return;
        std::unordered_set<uint32_t> changed;
        for (const TFacts& f : facts)
            if (f.Renamed) changed.insert(f.Id);
        if (FPrevious->Root && FPrevious->Root->Name != FDesigner.Root()->Name())
            changed.insert(FPrevious->Root->Id);
        if (!FMatchedByIndex || FPrevious->Components.size() != facts.size()) {
            std::unordered_set<uint32_t> present;
            present.reserve(facts.size());
            for (const TFacts& f : facts)
                present.insert(f.Id);
            for (const TComponentRecordPtr& record : FPrevious->Components)
                if (!present.count(record->Id)) changed.insert(record->Id);
        }
        if (changed.empty()) return;
        for (const TComponentRecordPtr& record : FPrevious->Components)
            for (uint32_t id : record->References)
                if (changed.count(id)) FStale.insert(record->Id);
    }

    // The previous record when nothing differs, else a record with the values written anew or taken over.
    TComponentRecordPtr Finish(TComponent* component, const TFacts& facts, const TComponentRecordPtr* before,
                               bool write) {
        if (!write && before) {
            if (facts.SameAs(**before)) return *before;
            TComponentRecord record = facts.Record();
            record.Properties = (*before)->Properties;
            record.References = (*before)->References;
            return std::make_shared<const TComponentRecord>(std::move(record));
        }
        TComponentRecord record = facts.Record();
        record.Properties = FRecorder.Record(component);
        TPropertyRecorder::ForEachReference(component, [&](TComponent* referenced) {
            const uint32_t id = FIds.IdOf(referenced);
            if (std::find(record.References.begin(), record.References.end(), id) == record.References.end())
                record.References.push_back(id);
        });
        if (before && **before == record) return *before;
        return std::make_shared<const TComponentRecord>(std::move(record));
    }

    TFormwright& FDesigner;
    TDesignIdentities& FIds;
    const TDesignState* FPrevious;
    const TChangeNotes* FNotes;
    TComponent* FScope;
    TPropertyRecorder FRecorder;
    std::vector<TComponent*> FComponents;
    std::vector<int> FChildIndex;
    std::vector<const TComponentRecordPtr*> FBefore;
    TPointerTable<TPlace> FPlaces;
    TPointerTable<bool> FTouched{0};
    std::unordered_map<uint32_t, const TComponentRecordPtr*> FPreviousById;
    bool FMatchedByIndex = true;
    std::unordered_set<uint32_t> FStale;
    TComponent* FLastOwner = nullptr;
    uint32_t FLastOwnerId = 0;
    TComponent* FLastParent = nullptr;
    uint32_t FLastParentId = 0;
};

} // namespace

TComponent* DesignStreamRoot(TFormwright& designer) {
    TCustomForm* form = designer.DesignedForm();
    return form ? static_cast<TComponent*>(form) : designer.Root();
}

bool TDesignState::SameAs(const TDesignState& other) const {
    if (!SameRecord(Root, other.Root) || Components.size() != other.Components.size()) return false;
    for (size_t i = 0; i < Components.size(); ++i)
        if (!SameRecord(Components[i], other.Components[i])) return false;
    return Placeholders == other.Placeholders && Stacking == other.Stacking;
}

size_t TDesignState::ByteSize(const TDesignState* previous) const {
    size_t size = sizeof(TDesignState) + Components.capacity() * sizeof(TComponentRecordPtr) +
                  Placeholders.capacity() * sizeof(TPlaceholderRecord) +
                  Stacking.capacity() * sizeof(uint32_t);
    auto own = [](const TComponentRecordPtr& record, const TComponentRecordPtr* earlier) {
        if (!record) return size_t(0);
        const TPropertyBytes* shared = earlier && *earlier ? &(*earlier)->Properties : nullptr;
        return sizeof(TComponentRecord) + record->Name.capacity() + record->Properties.OwnBytes(shared) +
               record->References.capacity() * sizeof(uint32_t);
    };
    if (!previous || previous->Root != Root) size += own(Root, previous ? &previous->Root : nullptr);
    for (size_t i = 0; i < Components.size(); ++i) {
        const TComponentRecordPtr* earlier =
            previous && i < previous->Components.size() && previous->Components[i]->Id == Components[i]->Id
                ? &previous->Components[i]
                : nullptr;
        if (!earlier || *earlier != Components[i]) size += own(Components[i], earlier);
    }
    return size;
}

TDesignStatePtr CaptureDesign(TFormwright& designer, TDesignIdentities& ids, TBinaryCache& cache,
                              const TDesignState* previous, const TChangeNotes* notes) {
    return TCapture(designer, ids, cache, previous, notes).Run();
}

std::vector<uint32_t> CaptureStacking(TFormwright& designer, TDesignIdentities& ids) {
    std::vector<uint32_t> stacking;
    TWinControl* root = designer.Root();
    TCustomForm* form = designer.DesignedForm();
    if (!root || !designer.RootWindow()) return stacking;
    for (HWND window : GetChildWindows(designer.RootWindow())) {
        if (GetWindowLong(window, GWL_USERDATA) == GrabHandleMarker) continue;
        TWinControl* control = FindControl(window);
        if (auto* placeholder = dynamic_cast<TEditContainer*>(control))
            stacking.push_back(ids.IdOf(placeholder->Component()));
        else if (control && (control->Owner() == root || (form && control->Owner() == form)))
            stacking.push_back(ids.IdOf(control));
    }
    return stacking;
}

TSelectionState CaptureSelection(TFormwright& designer, TDesignIdentities& ids) {
    TSelectionState selection;
    selection.reserve(static_cast<size_t>(designer.SelectionCount()));
    for (int i = 0; i < designer.SelectionCount(); ++i)
        selection.push_back(ids.IdOf(TFormwright::ComponentOf(designer.Selected(i))));
    if (selection.empty() && designer.SelectedChild())
        selection.push_back(ids.IdOf(designer.SelectedChild()));
    return selection;
}
