// The designer's services besides the mouse: selecting on the inspector's behalf, unique names, the
// keyboard, and the clipboard (the selection travels as text form blocks, one per copied object).
#include "ComponentList.h"
#include "CustomObjectInspector.h"
#include "DesignIdentities.h"
#include "EditContainer.h"
#include "EditGrab.h"
#include "Formwright.h"
#include "core/Exceptions.h"
#include "core/MemoryBudget.h"
#include "core/ScopeGuard.h"
#include "core/Streams.h"
#include "core/SysUtils.h"
#include "graphics/Clipboard.h"
#include "streaming/ObjectText.h"
#include "streaming/Reader.h"
#include "streaming/Writer.h"
#include "ui/Form.h"
#include "ui/Messages.h"
#include "ui/WinControl.h"

#include <algorithm>
#include <memory>
#include <unordered_set>
#include <vector>

namespace {

TShiftState KeyShiftState() {
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
    return shift;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0';
}

// The object blocks of clipboard text, each converted to its own binary form stream. Everything is
// converted before anything is read, so text that is not in the textual form format creates nothing.
// The blocks are read one after the other from one stream over the text, and a syntax error names its
// line in the whole text.
std::vector<std::unique_ptr<TMemoryStream>> ConvertBlocks(const std::string& text) {
    std::vector<std::unique_ptr<TMemoryStream>> blocks;
    TStringStream input(text);
    size_t start = 0;
    int line = 1;
    for (;;) {
        while (start < text.size() && IsBlank(text[start])) {
            if (text[start] == '\n') ++line;
            ++start;
        }
        if (start >= text.size()) break;
        input.SetPosition(static_cast<int64_t>(start));
        auto block = std::make_unique<TMemoryStream>();
        ObjectTextToBinary(input, *block, line);
        block->SetPosition(0);
        blocks.push_back(std::move(block));
        const size_t end = static_cast<size_t>(input.Position());
        line += static_cast<int>(
            std::count(text.begin() + static_cast<long>(start), text.begin() + static_cast<long>(end), '\n'));
        start = end;
    }
    return blocks;
}

} // namespace

// ---- designer interface -----------------------------------------------------------------------------------

// ------------------------------------------------------------------------------------

void TFormwright::SelectComponent(TPersistent* component) {
    if (SelectionCount() == 1 && static_cast<TPersistent*>(Selected(0)) == component) return;
    if (SelectionCount() == 0 && FSelectedChild && FSelectedChild == component) return;
    TControl* target = nullptr;
    if (auto* control = dynamic_cast<TControl*>(component)) {
        if (control != FRoot && IsInDesign(control)) target = control;
    } else if (auto* nonVisual = dynamic_cast<TComponent*>(component)) {
        if (IsWrittenInDesign(nonVisual)) {
            // No box stands for it: it is selected as itself.
            ClearSelection(true);
            FSelectedChild = nonVisual;
            FGrab->FreeNotification(nonVisual);
            SelectionChanged();
            return;
        }
        target = PlaceholderOf(nonVisual);
    }
    if (target)
        SelectObject(target, true);
    else
        ClearSelection(true);
    SelectionChanged();
}

bool TFormwright::ComponentNameExists(const std::string& name) {
    return FDesignedForm && !name.empty() && FDesignedForm->FindComponent(name) != nullptr;
}

std::string TFormwright::UniqueComponentName(const std::string& baseName) {
    if (!FDesignedForm) return baseName + "1";
    // A paste names up to one component per block: it keeps the numbers in use instead of reading every
    // name of the form for each.
    if (FPastedComponents) {
        if (!FPasteNames) FPasteNames = std::make_unique<TNameNumbers>(*FDesignedForm);
        return baseName + std::to_string(FPasteNames->Next(baseName));
    }
    return baseName + std::to_string(TNameNumbers(*FDesignedForm).Next(baseName));
}

void TFormwright::ValidateComponentRename(TComponent* component, const std::string& curName,
                                          const std::string& newName) {
    if (!FPasteNames || !component || component->Owner() != FDesignedForm) return;
    FPasteNames->Removed(curName);
    FPasteNames->Added(newName);
}

// ---- keyboard ---------------------------------------------------------------------------------------------

// ----------------------------------------------------------------------------------------------

void TFormwright::KeyPressed(MSG& msg) {
    // While designing, typing never reaches the designed form's controls.
    msg.message = WM_NULL;
    // A drag applies to the selection it started with when the button goes up: keys that would change
    // or free that selection meanwhile are ignored.
    if (FDragMode != ddNone) return;
    const uint16_t key = static_cast<uint16_t>(msg.wParam);
    const TShiftState shift = KeyShiftState();
    const bool none = shift == TShiftState{};
    const bool shiftOnly = shift == TShiftState{ssShift};
    const bool ctrlOnly = shift == TShiftState{ssCtrl};
    const bool ctrlShift = shift == TShiftState{ssShift, ssCtrl};

    auto nudge = [this](int dx, int dy) {
        KeepSiblingsOnly(nullptr);
        MoveSelectionBy(dx, dy);
    };
    int dx = 0, dy = 0;
    switch (key) {
    case VK_LEFT:
        dx = -1;
        break;
    case VK_RIGHT:
        dx = 1;
        break;
    case VK_UP:
        dy = -1;
        break;
    case VK_DOWN:
        dy = 1;
        break;
    default:
        break;
    }
    const bool arrow = dx != 0 || dy != 0;

    if (key == VK_TAB) {
        if (none)
            SelectInTabOrder(true);
        else if (shiftOnly)
            SelectInTabOrder(false);
    } else if (arrow) {
        if (none)
            SelectInTabOrder(dx > 0 || dy > 0);
        else if (shiftOnly)
            ResizeSelectionBy(dx, dy);
        else if (ctrlOnly)
            nudge(dx, dy);
        else if (ctrlShift)
            nudge(dx * FGridX, dy * FGridY);
    } else if (key == VK_INSERT) {
        if (shiftOnly)
            PasteSelection();
        else if (ctrlOnly)
            CopySelection();
    } else if (key == VK_DELETE) {
        if (none || ctrlOnly)
            DeleteSelection();
        else if (shiftOnly)
            CutSelection();
    } else if (ctrlOnly || ctrlShift) {
        // The common editing keys, beside the ones above.
        switch (key) {
        case 'Z':
            ctrlOnly ? Undo() : Redo();
            break;
        case 'Y':
            if (ctrlOnly) Redo();
            break;
        case 'C':
            if (ctrlOnly) CopySelection();
            break;
        case 'X':
            if (ctrlOnly) CutSelection();
            break;
        case 'V':
            if (ctrlOnly) PasteSelection();
            break;
        case 'A':
            if (ctrlOnly) SelectAll();
            break;
        default:
            break;
        }
    } else if (key == VK_ESCAPE && none) {
        SelectParent();
    }
}

void TFormwright::SelectAll() {
    if (!FRoot) return;
    TMarksBatch batch(this);
    ClearSelection(true);
    for (int i = 0; i < FRoot->ControlCount(); ++i) {
        TControl* child = FRoot->Controls(i);
        if (IsInDesign(child)) SelectObject(child, false);
    }
    for (TEditContainer* placeholder : FPlaceholders)
        SelectObject(placeholder, false);
    SelectionChanged();
}

void TFormwright::SelectParent() {
    if (!FRoot || SelectionCount() == 0) return;
    TControl* current = FGrab->Control() ? FGrab->Control() : Selected(0);
    // The root is the top: there is nothing of the design above it.
    if (current == FRoot) return;
    // A placeholder lies on the root.
    TControl* parent = dynamic_cast<TEditContainer*>(current) ? nullptr : current->Parent();
    if (!parent || !IsInDesign(parent)) parent = FRoot;
    SelectObject(parent, true);
    SelectionChanged();
}

void TFormwright::ResizeSelectionBy(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    const TDesignChange change(this);
    KeepSiblingsOnly(nullptr);
    for (int i = 0; i < SelectionCount(); ++i) {
        TControl* object = Selected(i);
        object->SetBounds(object->Left(), object->Top(), object->Width() + dx, object->Height() + dy);
    }
    if (FGrab->Visible()) FGrab->Reposition();
    NoteSelectionChanged();
    Modified();
}

void TFormwright::SelectInTabOrder(bool forward) {
    if (!FRoot) return;
    std::vector<TWinControl*> tabOrder;
    FRoot->GetTabOrderList(tabOrder);
    // Only design objects: not what an embedded frame or a grid owns itself.
    std::erase_if(tabOrder, [this](TWinControl* control) { return !IsInDesign(control); });
    // Going forwards from nothing gives the first entry, backwards the last.
    auto neighbour = [&](TControl* start, bool ahead) -> TWinControl* {
        if (tabOrder.empty()) return nullptr;
        auto it = std::find(tabOrder.begin(), tabOrder.end(), start);
        if (it == tabOrder.end()) return ahead ? tabOrder.front() : tabOrder.back();
        if (ahead) return it + 1 == tabOrder.end() ? nullptr : *(it + 1);
        return it == tabOrder.begin() ? nullptr : *(it - 1);
    };

    TControl* start = FGrab->Control();
    if (!start && FRoot->ControlCount() > 0) {
        // The first child control, graphic controls before windowed ones.
        for (int i = 0; i < FRoot->ControlCount() && !start; ++i)
            if (!dynamic_cast<TWinControl*>(FRoot->Controls(i))) start = FRoot->Controls(i);
        if (!start) start = FRoot->Controls(0);
    }
    if (!start) return;
    if (!dynamic_cast<TWinControl*>(start)) {
        start = neighbour(nullptr, false);
        if (!start) return;
    }
    if (TWinControl* next = neighbour(start, forward)) {
        SelectObject(next, true);
        SelectionChanged();
    }
}

// ---- deleting and the clipboard ---------------------------------------------------------------------------

// ----------------------------------------------------------------------------

namespace {

// The selected objects whose parent chain holds no other selected object, in selection order: the ones
// that go as a whole (with what they contain).
std::vector<TControl*> TopLevelSelection(const TFormwright& designer) {
    std::vector<TControl*> result;
    for (int i = 0; i < designer.SelectionCount(); ++i) {
        TControl* object = designer.Selected(i);
        bool nested = false;
        for (TControl* p = object->Parent(); p && !nested; p = p->Parent())
            nested = designer.IsSelected(p);
        if (!nested) result.push_back(object);
    }
    return result;
}

} // namespace

void TFormwright::DeleteSelection() {
    // Decide everything first: freeing a container frees the selected objects inside it.
    std::vector<TComponent*> doomed;
    for (TControl* object : TopLevelSelection(*this)) {
        // The root (selectable by a double-click) is the user's form or container: it is never freed.
        if (object == FRoot) continue;
        if (auto* placeholder = dynamic_cast<TEditContainer*>(object))
            doomed.push_back(placeholder->Component()); // the box frees itself with its component
        else
            doomed.push_back(object);
    }
    if (doomed.empty() && FSelectedChild) doomed.push_back(FSelectedChild);
    // Nothing to delete is no edit.
    if (doomed.empty() || !FRoot) return;
    const TDesignChange change(this);
    NoteRestacked();
    FGrab->SetControl(nullptr);
    // Freeing one component may free others with it (a menu its items): each is known by its number,
    // which is forgotten when it goes, so none is freed twice.
    std::vector<uint32_t> ids;
    for (TComponent* component : doomed) {
        ids.push_back(FIds->IdOf(component));
        // What it was written inside may keep more of it than a child (a page control its active page).
        if (component->HasParent()) NoteChanged(component->GetParentComponent());
    }
    ClearSelection(true);
    // The inspector's list of components drops their entries together.
    {
        const auto update = ComponentUpdateScope(Inspector());
        for (uint32_t id : ids)
            if (TComponent* component = FIds->Find(id)) delete component;
    }
    if (TComponent* last = LastDesignComponent()) {
        if (auto* control = dynamic_cast<TControl*>(last))
            SelectObject(control, false);
        else
            SelectObject(PlaceholderOf(last), false);
    }
    SelectionChanged();
    DesignChanged();
}

void TFormwright::CopySelection() {
    std::vector<TComponent*> copied;
    for (TControl* object : TopLevelSelection(*this))
        // The root (selectable by a double-click) is the design itself, not a part to paste elsewhere.
        if (object != FRoot) copied.push_back(ComponentOf(object));
    if (copied.empty() && FSelectedChild) copied.push_back(FSelectedChild);
    std::string text;
    for (TComponent* object : copied) {
        TMemoryStream binary;
        {
            TWriter writer(binary, 4096);
            writer.SetRoot(FDesignedForm);
            writer.WriteSignature();
            writer.WriteComponent(object);
            writer.FlushBuffer();
        }
        binary.SetPosition(0);
        TStringStream block;
        ObjectBinaryToText(binary, block);
        text += block.DataString();
    }
    if (!text.empty()) Clipboard()->SetAsText(text);
}

void TFormwright::PasteSetName(TReader&, TComponent* component, std::string& name) {
    if (!ComponentNameExists(name)) return;
    std::string base = component->ClassName();
    if (!base.empty() && (base[0] == 'T' || base[0] == 't')) base.erase(0, 1);
    name = UniqueComponentName(base);
}

namespace {

void ShowPastedPlaceholder(void* object) {
    if (auto* placeholder = dynamic_cast<TEditContainer*>(static_cast<TControl*>(object))) {
        placeholder->MoveToDesignPosition();
        placeholder->Show();
    }
}

} // namespace

void TFormwright::PasteSelection() {
    if (!FRoot || !FDesignedForm) return;
    TClipboard* clipboard = Clipboard();
    const std::string text = clipboard->HasFormat(CF_TEXT) ? clipboard->AsText() : std::string();
    if (text.empty()) return;
    const auto blocks = ConvertBlocks(text);
    if (blocks.empty()) return;
    const TDesignChange change(this);

    TWinControl* target = nullptr;
    if (FGrab->Visible())
        for (TControl* c = FGrab->Control(); c && !target; c = c->Parent()) {
            if (c == FRoot) break;
            // An embedded frame writes only what it owns: what is pasted goes beside it.
            if (c->ControlStyle().Contains(csAcceptsControls) && !c->ComponentState().Contains(csInline))
                target = dynamic_cast<TWinControl*>(c);
        }
    if (!target) target = FRoot;

    // Components written inside another one (menu items) go beside the selected one of their kind, or
    // into the selected menu.
    TComponent* childParent = FSelectedChild ? FSelectedChild->GetParentComponent() : nullptr;
    if (!childParent && SelectionCount() == 1)
        if (auto* box = dynamic_cast<TEditContainer*>(Selected(0))) childParent = box->Component();
    // What is there may change with what comes (a pasted radio button that is checked unchecks the
    // others).
    NoteRestacked();
    NoteChanged(childParent);
    NoteChanged(target);
    for (int i = 0; i < target->ControlCount(); ++i)
        NoteChanged(target->Controls(i));

    // The insert notification collects every new control and placeholder into this list, and the number
    // of every component the paste makes.
    auto pasted = std::make_unique<TList>();
    std::vector<uint32_t> made;
    auto failed = ScopeGuard([&] {
        // A paste is all or nothing: what was read goes again, last first (a component freed with another
        // is not freed twice).
        const auto update = ComponentUpdateScope(Inspector());
        for (auto it = made.rbegin(); it != made.rend(); ++it)
            if (TComponent* component = FIds->Find(*it)) delete component;
    });
    {
        const TMemoryBudgetScope budget; // one for the pictures of every block
        const auto update = ComponentUpdateScope(Inspector());
        FPastedComponents = pasted.get();
        FPastedIds = &made;
        const auto endPasting = ScopeGuard([this] {
            FPastedComponents = nullptr;
            FPastedIds = nullptr;
            FPasteNames.reset();
        });
        for (const auto& block : blocks) {
            TReader reader(*block, 4096);
            reader.SetRoot(FDesignedForm);
            reader.SetOwner(FDesignedForm);
            reader.SetParent(target);
            reader.OnSetName = [this](TReader& r, TComponent* c, std::string& n) { PasteSetName(r, c, n); };
            reader.ReadComponentDroppingReferences(nullptr);
        }
    }
    for (uint32_t id : made) {
        TComponent* component = FIds->Find(id);
        if (!component || HasDesignObject(component) || component->GetParentComponent()) continue;
        if (childParent) component->SetParentComponent(childParent);
        if (!component->GetParentComponent())
            throw EComponentError(
                Format("Cannot paste %s: select the component it goes into", component->Name()));
    }
    failed.Dismiss();

    TMarksBatch batch(this);
    ClearSelection(true);
    const std::unordered_set<const void*> pastedSet(pasted->begin(), pasted->end());
    for (int i = 0; i < pasted->Count(); ++i) {
        auto* object = static_cast<TControl*>(pasted->Items(i));
        ShowPastedPlaceholder(object);
        bool nested = false;
        for (TControl* p = object->Parent(); p && !nested; p = p->Parent())
            nested = pastedSet.count(p) > 0;
        if (!nested) SelectObject(object, false);
    }
    // Pasted menu items have no design object: the first one put beside the selected item is selected.
    if (SelectionCount() == 0 && childParent)
        for (uint32_t id : made)
            if (TComponent* component = FIds->Find(id);
                component && !HasDesignObject(component) && component->GetParentComponent() == childParent) {
                FSelectedChild = component;
                FGrab->FreeNotification(component);
                break;
            }
    SelectionChanged();
    DesignChanged();
}

void TFormwright::CutSelection() {
    const TDesignChange change(this);
    CopySelection();
    DeleteSelection();
}
