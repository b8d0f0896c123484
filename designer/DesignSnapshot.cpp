#include "DesignSnapshot.h"

#include "DesignIdentities.h"
#include "EditContainer.h"
#include "Formwright.h"
#include "core/Streams.h"
#include "streaming/Writer.h"
#include "ui/Form.h"
#include "ui/WinControl.h"

#include <unordered_map>

namespace {

bool SameRecord(const TComponentRecordPtr& a, const TComponentRecordPtr& b) {
    return a == b || (a && b && *a == *b);
}

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

// Writes the property lists of many objects through one writer; each list is taken from the stream as
// soon as it is written.
class TPropertyListWriter {
public:
    explicit TPropertyListWriter(TComponent* root) : FWriter(FStream, 4096) { FWriter.SetRoot(root); }

    std::string Write(TPersistent* instance) {
        const size_t start = FStream.DataString().size();
        FWriter.WriteProperties(instance);
        FWriter.FlushBuffer();
        return FStream.DataString().substr(start);
    }

private:
    TStringStream FStream;
    TWriter FWriter;
};

} // namespace

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
    auto own = [](const TComponentRecordPtr& record) {
        return record ? sizeof(TComponentRecord) + record->Name.capacity() + record->Properties.capacity()
                      : 0;
    };
    if (!previous || previous->Root != Root) size += own(Root);
    for (size_t i = 0; i < Components.size(); ++i) {
        const bool shared =
            previous && i < previous->Components.size() && previous->Components[i] == Components[i];
        if (!shared) size += own(Components[i]);
    }
    return size;
}

TDesignStatePtr CaptureDesign(TFormwright& designer, TDesignIdentities& ids, const TDesignState* previous) {
    auto state = std::make_shared<TDesignState>();
    TWinControl* root = designer.Root();
    if (!root) return state;
    TCustomForm* form = designer.DesignedForm();
    const std::vector<TComponent*> components = DesignComponents(designer);

    std::unordered_map<const TControl*, int> zIndex;
    zIndex.reserve(components.size());
    auto indexChildren = [&zIndex](TWinControl* container) {
        for (int i = 0; i < container->ControlCount(); ++i)
            zIndex[container->Controls(i)] = i;
    };
    indexChildren(root);
    for (TComponent* component : components)
        if (auto* container = dynamic_cast<TWinControl*>(component);
            container && container->ControlCount() > 0)
            indexChildren(container);

    // Records of the previous state, by number, for the components that moved in the owned order.
    std::unordered_map<uint32_t, const TComponentRecordPtr*> previousById;
    auto previousRecord = [&](size_t index, uint32_t id) -> const TComponentRecordPtr* {
        if (!previous) return nullptr;
        if (index < previous->Components.size() && previous->Components[index]->Id == id)
            return &previous->Components[index];
        if (previousById.empty())
            for (const TComponentRecordPtr& record : previous->Components)
                previousById.emplace(record->Id, &record);
        auto it = previousById.find(id);
        return it == previousById.end() ? nullptr : it->second;
    };

    TPropertyListWriter writer(form ? static_cast<TComponent*>(form) : root);
    TComponentRecord rootRecord{ids.IdOf(root),    root->ClassType(), root->Name(), 0, 0, -1,
                                writer.Write(root)};
    state->Root = previous && previous->Root && *previous->Root == rootRecord
                      ? previous->Root
                      : std::make_shared<const TComponentRecord>(std::move(rootRecord));

    state->Components.reserve(components.size());
    for (size_t i = 0; i < components.size(); ++i) {
        TComponent* component = components[i];
        auto* control = dynamic_cast<TControl*>(component);
        TWinControl* parent = control ? control->Parent() : nullptr;
        TComponentRecord record{
            ids.IdOf(component),          component->ClassType(),        component->Name(),
            ids.IdOf(component->Owner()), parent ? ids.IdOf(parent) : 0, -1,
            writer.Write(component)};
        if (control) {
            auto it = zIndex.find(control);
            if (it != zIndex.end()) record.ZIndex = it->second;
        }
        const TComponentRecordPtr* earlier = previousRecord(i, record.Id);
        state->Components.push_back(earlier && **earlier == record
                                        ? *earlier
                                        : std::make_shared<const TComponentRecord>(std::move(record)));
    }

    for (TEditContainer* placeholder : designer.Placeholders()) {
        if (placeholder->Component())
            state->Placeholders.push_back(
                {ids.IdOf(placeholder->Component()), placeholder->Left(), placeholder->Top()});
    }
    state->Stacking = CaptureStacking(designer, ids);
    return state;
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
    return selection;
}
