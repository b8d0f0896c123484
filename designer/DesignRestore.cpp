#include "DesignRestore.h"

#include "DesignIdentities.h"
#include "EditContainer.h"
#include "Formwright.h"
#include "PropertyRecorder.h"
#include "StoredProperties.h"
#include "core/Exceptions.h"
#include "core/Streams.h"
#include "streaming/Reader.h"
#include "streaming/Writer.h"
#include "ui/Form.h"
#include "ui/WinControl.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr int FilerBufferSize = 1024;

// The indices of a longest increasing run of the ranks (patience sorting with back links).
std::vector<bool> LongestIncreasingRun(const std::vector<int>& ranks) {
    std::vector<int> tails;
    std::vector<int> previous(ranks.size(), -1);
    for (int i = 0; i < static_cast<int>(ranks.size()); ++i) {
        auto it = std::lower_bound(
            tails.begin(), tails.end(), ranks[static_cast<size_t>(i)],
            [&ranks](int index, int rank) { return ranks[static_cast<size_t>(index)] < rank; });
        if (it != tails.begin()) previous[static_cast<size_t>(i)] = *(it - 1);
        if (it == tails.end())
            tails.push_back(i);
        else
            *it = i;
    }
    std::vector<bool> keep(ranks.size(), false);
    for (int i = tails.empty() ? -1 : tails.back(); i >= 0; i = previous[static_cast<size_t>(i)])
        keep[static_cast<size_t>(i)] = true;
    return keep;
}

// A full list in which the slots of the listed items take those items in the desired order, the other
// items keeping their places. Empty when the list does not hold exactly the desired items.
std::vector<void*> WithItemsInOrder(const std::vector<void*>& full, const std::vector<void*>& desiredItems) {
    const std::unordered_set<void*> items(desiredItems.begin(), desiredItems.end());
    std::vector<void*> result = full;
    size_t next = 0;
    for (void*& slot : result)
        if (items.count(slot)) {
            if (next == desiredItems.size()) return {};
            slot = desiredItems[next++];
        }
    return next == desiredItems.size() ? result : std::vector<void*>{};
}

} // namespace

void ReorderWithFewMoves(const std::vector<void*>& current, const std::vector<void*>& desired,
                         const std::function<void(void* item, int index)>& moveTo) {
    if (current == desired || current.size() != desired.size()) return;
    std::unordered_map<void*, int> rank;
    for (size_t i = 0; i < desired.size(); ++i)
        rank[desired[i]] = static_cast<int>(i);
    std::vector<int> ranks;
    ranks.reserve(current.size());
    for (void* item : current) {
        auto it = rank.find(item);
        if (it == rank.end()) return;
        ranks.push_back(it->second);
    }
    const std::vector<bool> keep = LongestIncreasingRun(ranks);
    std::unordered_set<void*> kept;
    for (size_t i = 0; i < current.size(); ++i)
        if (keep[i]) kept.insert(current[i]);
    std::vector<void*> list = current;
    for (size_t i = 0; i < desired.size(); ++i) {
        void* item = desired[i];
        if (kept.count(item)) continue;
        list.erase(std::find(list.begin(), list.end(), item));
        int index = 0;
        if (i > 0)
            index = static_cast<int>(std::find(list.begin(), list.end(), desired[i - 1]) - list.begin()) + 1;
        list.insert(list.begin() + index, item);
        moveTo(item, index);
    }
}

// ---- one restore ------------------------------------------------------------------------------------------

class TDesignRestorer::TRun {
public:
    TRun(TFormwright& designer, TDesignIdentities& ids, TBinaryCache& cache, const TDesignState& live,
         const TDesignState& target)
        : FDesigner(designer), FIds(ids), FLive(live), FTarget(target), FRoot(designer.Root()),
          FWriterRoot(DesignStreamRoot(designer)), FRecorder(FWriterRoot, cache) {}

    void Run() {
        if (!FRoot || !FTarget.Root) return;
        for (const TComponentRecordPtr& record : FTarget.Components)
            FTargetById[record->Id] = record.get();
        for (const TComponentRecordPtr& record : FLive.Components)
            FLiveById[record->Id] = record.get();
        FreeDoomed();
        Rename();
        CreateMissing();
        Reparent();
        ApplyValues();
        CheckStillDesigning();
        RestoreOwnedOrder();
        RestoreWrittenOrders();
        RestoreChildOrders();
        RestorePlaceholders();
    }

private:
    TComponent* Live(uint32_t id) const { return FIds.Find(id); }
    TComponent* LiveParent(uint32_t id) const { return id ? Live(id) : nullptr; }
    TWinControl* LiveContainer(uint32_t id) const { return dynamic_cast<TWinControl*>(LiveParent(id)); }

    void CheckStillDesigning() const {
        // A value that made the root's window anew ends designing.
        if (FDesigner.Root() != FRoot) throw EInvalidOperation("No component is being designed");
    }

    void Touch(uint32_t parentId) {
        if (parentId) FTouchedParents.insert(parentId);
    }

    void FreeDoomed() {
        std::vector<uint32_t> doomed;
        std::unordered_set<uint32_t> doomedSet;
        for (const TComponentRecordPtr& record : FLive.Components)
            if (!FTargetById.count(record->Id)) {
                doomed.push_back(record->Id);
                doomedSet.insert(record->Id);
                Touch(record->ParentId);
            }
        if (doomed.empty()) return;
        // What stays must not go with a parent that goes: it moves to its parent in the state first.
        for (const TComponentRecordPtr& record : FLive.Components) {
            if (doomedSet.count(record->Id) || !doomedSet.count(record->ParentId)) continue;
            TComponent* component = Live(record->Id);
            if (!component) continue;
            const uint32_t targetParent = FTargetById.at(record->Id)->ParentId;
            TComponent* parent = doomedSet.count(targetParent) ? nullptr : LiveParent(targetParent);
            if (auto* control = dynamic_cast<TControl*>(component)) {
                auto* container = dynamic_cast<TWinControl*>(parent);
                control->SetParent(container ? container : FRoot);
            } else if (parent) {
                component->SetParentComponent(parent);
            }
        }
        // A component freed with another (a menu's items, a container's controls, a frame's own) is
        // not freed twice: only those still alive are.
        for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
            if (TComponent* component = Live(*it)) delete component;
    }

    void Rename() {
        std::vector<std::pair<TComponent*, const std::string*>> renames;
        if (FRoot->Name() != FTarget.Root->Name) renames.emplace_back(FRoot, &FTarget.Root->Name);
        for (const TComponentRecordPtr& record : FTarget.Components)
            if (TComponent* component = Live(record->Id); component && component->Name() != record->Name)
                renames.emplace_back(component, &record->Name);
        // Names may be swapped among them: each lets go of its name first.
        if (renames.size() > 1)
            for (auto& [component, name] : renames)
                component->SetName(std::string());
        for (auto& [component, name] : renames)
            component->SetName(*name);
    }

    void CreateMissing() {
        std::vector<const TComponentRecord*> order;
        std::unordered_set<uint32_t> placed;
        // Owners and parents before what they own and hold.
        std::function<void(const TComponentRecord&)> visit = [&](const TComponentRecord& record) {
            if (!placed.insert(record.Id).second) return;
            for (uint32_t first : {record.OwnerId, record.ParentId})
                if (first && !Live(first))
                    if (auto it = FTargetById.find(first); it != FTargetById.end()) visit(*it->second);
            order.push_back(&record);
        };
        for (const TComponentRecordPtr& record : FTarget.Components)
            if (!Live(record->Id)) visit(*record);
        if (order.empty()) return;

        // One reader for all records, so references among them resolve once all exist.
        TMemoryStream stream;
        {
            TWriter writer(stream, FilerBufferSize);
            for (const TComponentRecord* record : order) {
                if (record->Inline) writer.WritePrefix(ffInline, 0);
                writer.WriteStr(record->Class->Name);
                writer.WriteStr(record->Name);
                for (const TBytePiece& piece : record->Properties.Pieces())
                    writer.Write(piece->data(), static_cast<int64_t>(piece->size()));
                writer.WriteListEnd();
                writer.WriteListEnd();
            }
            writer.FlushBuffer();
        }
        stream.SetPosition(0);
        TReader reader(stream, FilerBufferSize);
        reader.SetRoot(FWriterRoot);
        reader.BeginReferences();
        for (const TComponentRecord* record : order) {
            TComponent* owner = Live(record->OwnerId);
            if (!owner) owner = FWriterRoot;
            TComponent* component = TComponent::CreateInstance(record->Class, owner);
            FIds.Bind(component, record->Id);
            FCreated.insert(record->Id);
            Touch(record->ParentId);
            reader.SetOwner(owner);
            reader.SetParent(LiveParent(record->ParentId));
            reader.ReadComponent(component);
        }
        reader.FixupReferences();
        reader.EndReferences();
    }

    void Reparent() {
        for (const TComponentRecordPtr& record : FTarget.Components) {
            TComponent* component = Live(record->Id);
            if (!component || FCreated.count(record->Id) || !component->HasParent()) continue;
            TComponent* parent = LiveParent(record->ParentId);
            if (record->ParentId && !parent) continue;
            TComponent* current = component->GetParentComponent();
            if (current == parent) continue;
            if (auto* control = dynamic_cast<TControl*>(component)) {
                auto* container = dynamic_cast<TWinControl*>(parent);
                if (parent && !container) continue;
                control->SetParent(container);
            } else if (parent) {
                component->SetParentComponent(parent);
            } else {
                continue;
            }
            if (current) Touch(FIds.IdOf(current));
            Touch(record->ParentId);
            FReparented.insert(record->Id);
        }
    }

    void ApplyValues() {
        ApplyValues(FRoot, FLive.Root->Properties, FTarget.Root->Properties);
        CheckStillDesigning();
        for (const TComponentRecordPtr& record : FTarget.Components) {
            if (FCreated.count(record->Id)) continue;
            auto live = FLiveById.find(record->Id);
            if (live == FLiveById.end()) continue;
            const TComponentRecord& before = *live->second;
            if (before.ZIndex != record->ZIndex || before.ChildIndex != record->ChildIndex ||
                before.TabOrder != record->TabOrder || before.ParentId != record->ParentId) {
                Touch(before.ParentId);
                Touch(record->ParentId);
            }
            TComponent* component = Live(record->Id);
            const bool same = before.Properties == record->Properties;
            // Freeing, making and moving components may have moved what is around them (an aligned
            // sibling): such values are taken as they are now.
            const bool stale = FReparented.count(record->Id) || MovedMeanwhile(component, *record);
            if (same && !stale) continue;
            ApplyValues(component, stale ? FRecorder.Record(component) : before.Properties,
                        record->Properties);
        }
    }

    static bool MovedMeanwhile(TComponent* component, const TComponentRecord& record) {
        if (auto* control = dynamic_cast<TControl*>(component)) return control->BoundsRect() != record.Bounds;
        return component->DesignInfo() != record.DesignInfo;
    }

    void ApplyValues(TComponent* component, const TPropertyBytes& current, const TPropertyBytes& target) {
        if (current == target) return;
        const TStoredValues currentValues = SplitStoredProperties(current.Joined());
        const TStoredValues targetValues = SplitStoredProperties(target.Joined());
        std::unordered_map<std::string, const std::string*> targetByPath, currentByPath;
        for (const TStoredValue& value : targetValues)
            targetByPath[value.Path] = &value.Value;
        for (const TStoredValue& value : currentValues)
            currentByPath[value.Path] = &value.Value;
        for (const TStoredValue& value : currentValues)
            if (!targetByPath.count(value.Path)) FDefaults.Reset(component, value.Path, FWriterRoot);
        std::vector<const TStoredValue*> reads;
        for (const TStoredValue& value : targetValues) {
            auto it = currentByPath.find(value.Path);
            if (it == currentByPath.end() || *it->second != value.Value) reads.push_back(&value);
        }
        ReadStoredValues(component, FWriterRoot, reads);
        const TPropertyBytes after = FRecorder.Record(component);
        if (after == target) return;
        // Values that decide about each other (a colour and whether it is the parent's): back to the
        // defaults, then every value in order, as a load sets them.
        for (const TStoredValue& value : SplitStoredProperties(after.Joined()))
            if (!targetByPath.count(value.Path)) FDefaults.Reset(component, value.Path, FWriterRoot);
        std::vector<const TStoredValue*> all;
        for (const TStoredValue& value : targetValues)
            all.push_back(&value);
        ReadStoredValues(component, FWriterRoot, all);
    }

    void RestoreOwnedOrder() {
        std::unordered_map<uint32_t, std::vector<void*>> desiredByOwner;
        for (const TComponentRecordPtr& record : FTarget.Components)
            if (TComponent* component = Live(record->Id))
                desiredByOwner[record->OwnerId].push_back(component);
        for (auto& [ownerId, desiredItems] : desiredByOwner) {
            TComponent* owner = Live(ownerId);
            if (!owner) continue;
            std::vector<void*> full;
            for (int i = 0; i < owner->ComponentCount(); ++i)
                full.push_back(owner->Components(i));
            const std::vector<void*> desired = WithItemsInOrder(full, desiredItems);
            if (desired.empty()) continue;
            ReorderWithFewMoves(full, desired, [](void* item, int index) {
                static_cast<TComponent*>(item)->SetComponentIndex(index);
            });
        }
    }

    // The order of what each touched component writes inside it, through its own SetChildOrder: the
    // pages of a page control, the items of a menu. (A container's controls follow in the z-order after.)
    void RestoreWrittenOrders() {
        std::unordered_map<uint32_t, std::vector<const TComponentRecord*>> children;
        for (const TComponentRecordPtr& record : FTarget.Components)
            if (record->ChildIndex >= 0 && FTouchedParents.count(record->ParentId))
                children[record->ParentId].push_back(record.get());
        for (auto& [parentId, records] : children) {
            TComponent* parent = LiveParent(parentId);
            if (!parent || records.size() < 2) continue;
            std::stable_sort(records.begin(), records.end(),
                             [](const TComponentRecord* a, const TComponentRecord* b) {
                                 return a->ChildIndex < b->ChildIndex;
                             });
            std::vector<void*> desiredItems, full;
            for (const TComponentRecord* record : records)
                if (TComponent* child = Live(record->Id)) desiredItems.push_back(child);
            TComponent* scope = parent->ComponentState().Contains(csInline) ? parent : FWriterRoot;
            parent->GetChildren([&full](TComponent* child) { full.push_back(child); }, scope);
            const std::vector<void*> desired = WithItemsInOrder(full, desiredItems);
            if (!desired.empty())
                ReorderWithFewMoves(full, desired, [parent](void* item, int index) {
                    parent->SetChildOrder(static_cast<TComponent*>(item), index);
                });
        }
    }

    // The z-order and the tab order of every container whose children changed.
    void RestoreChildOrders() {
        std::unordered_map<uint32_t, std::vector<const TComponentRecord*>> children;
        for (const TComponentRecordPtr& record : FTarget.Components)
            if (record->ParentId && FTouchedParents.count(record->ParentId))
                children[record->ParentId].push_back(record.get());
        for (auto& [parentId, records] : children) {
            TWinControl* parent = LiveContainer(parentId);
            if (!parent) continue;
            std::stable_sort(
                records.begin(), records.end(),
                [](const TComponentRecord* a, const TComponentRecord* b) { return a->ZIndex < b->ZIndex; });
            std::vector<void*> desiredItems, full;
            for (const TComponentRecord* record : records)
                if (auto* control = dynamic_cast<TControl*>(Live(record->Id)))
                    desiredItems.push_back(control);
            for (int i = 0; i < parent->ControlCount(); ++i)
                full.push_back(parent->Controls(i));
            const std::vector<void*> desired = WithItemsInOrder(full, desiredItems);
            // The controls' own order, whatever the container makes of SetChildOrder (a page control
            // moves its pages with it).
            if (!desired.empty())
                ReorderWithFewMoves(full, desired, [parent](void* item, int index) {
                    parent->TWinControl::SetChildOrder(static_cast<TControl*>(item), index);
                });
            RestoreTabOrder(parent, records);
        }
    }

    void RestoreTabOrder(TWinControl* parent, const std::vector<const TComponentRecord*>& records) {
        // The places now, from the parent's list (asking each control would search the list each time).
        std::unordered_map<const TWinControl*, int> now;
        const std::vector<TWinControl*>& tabs = parent->TabList();
        for (size_t k = 0; k < tabs.size(); ++k)
            now[tabs[k]] = static_cast<int>(k);
        std::vector<std::pair<int, TWinControl*>> orders;
        bool differs = false;
        for (const TComponentRecord* record : records) {
            auto* windowed = dynamic_cast<TWinControl*>(Live(record->Id));
            if (!windowed || record->TabOrder < 0) continue;
            orders.emplace_back(record->TabOrder, windowed);
            auto it = now.find(windowed);
            differs = differs || it == now.end() || it->second != record->TabOrder;
        }
        if (!differs) return;
        std::stable_sort(orders.begin(), orders.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& [order, windowed] : orders)
            windowed->SetTabOrder(order);
    }

    void RestorePlaceholders() {
        std::vector<TEditContainer*> order;
        for (const TPlaceholderRecord& record : FTarget.Placeholders) {
            TEditContainer* placeholder = FDesigner.FindPlaceholder(Live(record.Id));
            if (!placeholder) continue;
            if (placeholder->Left() != record.Left || placeholder->Top() != record.Top)
                placeholder->SetBounds(record.Left, record.Top, TEditContainer::BoxSize,
                                       TEditContainer::BoxSize);
            if (!placeholder->Visible()) placeholder->Show();
            order.push_back(placeholder);
        }
        auto& list = FDesigner.FPlaceholders;
        for (TEditContainer* placeholder : list)
            if (std::find(order.begin(), order.end(), placeholder) == order.end())
                order.push_back(placeholder);
        list.Clear();
        for (TEditContainer* placeholder : order)
            list.Add(placeholder);
        RestoreStacking();
    }

    void RestoreStacking() {
        if (!FDesigner.RootWindow() || CaptureStacking(FDesigner, FIds) == FTarget.Stacking) return;
        // The controls' windows follow their z-order already; each box goes right under the window that
        // is above it, from the top down.
        HWND above = nullptr;
        for (auto it = FTarget.Stacking.rbegin(); it != FTarget.Stacking.rend(); ++it) {
            TComponent* component = Live(*it);
            if (!component) continue;
            if (TEditContainer* placeholder = FDesigner.FindPlaceholder(component)) {
                SetWindowPos(placeholder->Handle(), above, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                above = placeholder->Handle();
            } else if (auto* windowed = dynamic_cast<TWinControl*>(component);
                       windowed && windowed->HandleAllocated()) {
                above = windowed->Handle();
            }
        }
    }

    TFormwright& FDesigner;
    TDesignIdentities& FIds;
    const TDesignState& FLive;
    const TDesignState& FTarget;
    TWinControl* FRoot;
    TComponent* FWriterRoot;
    TPropertyRecorder FRecorder;
    std::unordered_map<uint32_t, const TComponentRecord*> FTargetById, FLiveById;
    std::unordered_set<uint32_t> FCreated, FReparented, FTouchedParents;
    TPropertyDefaults FDefaults;
};

TDesignRestorer::TDesignRestorer(TFormwright& designer, TDesignIdentities& ids, TBinaryCache& cache)
    : FDesigner(designer), FIds(ids), FCache(cache) {
}

void TDesignRestorer::Restore(const TDesignState& live, const TDesignState& target) {
    TRun(FDesigner, FIds, FCache, live, target).Run();
}
