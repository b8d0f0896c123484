// TFormwright: the designer menu and the arrangement commands behind it. Align to grid, bring to front,
// send to back, align and size (through their dialogs), tab order and creation order, each on the current
// selection, where a placeholder stands for its non-visual component.
#include "EditContainer.h"
#include "EditGrab.h"
#include "Formwright.h"
#include "ObjAlign.h"
#include "ObjCreat.h"
#include "ObjSize.h"
#include "ObjTab.h"
#include "ui/WinControl.h"
#include "widgets/Menus.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <iterator>
#include <vector>

namespace {

// The slots of FMenuItems.
enum TDesignerMenuSlot {
    miAlignToGrid,
    miBringToFront,
    miSendToBack,
    miRevert,
    miAlign,
    miSize,
    miScale,
    miTabOrder,
    miCreationOrder,
};

bool IsPlaceholder(TControl* object) {
    return dynamic_cast<TEditContainer*>(object) != nullptr;
}

// The position and extent of a design object along one axis.
struct TAxis {
    bool horizontal;
    int Position(TControl* c) const { return horizontal ? c->Left() : c->Top(); }
    int Extent(TControl* c) const { return horizontal ? c->Width() : c->Height(); }
    void SetPosition(TControl* c, int value) const { horizontal ? c->SetLeft(value) : c->SetTop(value); }
};

} // namespace

// ---- the menu ---------------------------------------------------------------------------------------------

std::unique_ptr<TPopupMenu> TFormwright::CreateDesignerMenu() {
    auto menu = std::make_unique<TPopupMenu>(nullptr);
    auto add = [&menu](const char* caption, TNotifyEvent onClick, bool enabled) {
        auto* item = new TMenuItem(nullptr);
        item->SetCaption(caption);
        item->OnClick = onClick;
        item->SetEnabled(enabled);
        menu->Items()->Add(item);
        return item;
    };
    add("Align To &Grid", TNotifyEvent::Bind<&TFormwright::AlignToGridClick>(this), true);
    add("Bring To &Front", TNotifyEvent::Bind<&TFormwright::BringToFrontClick>(this), true);
    add("Send To &Back", TNotifyEvent::Bind<&TFormwright::SendToBackClick>(this), true);
    FMenuItems[miRevert] = add("Revert to &inherited", TNotifyEvent(), false);
    add("-", TNotifyEvent(), true);
    add("&Align...", TNotifyEvent::Bind<&TFormwright::AlignClick>(this), true);
    add("&Size...", TNotifyEvent::Bind<&TFormwright::SizeClick>(this), true);
    add("Scal&e...", TNotifyEvent::Bind<&TFormwright::ScaleClick>(this), false);
    add("Tab &Order...", TNotifyEvent::Bind<&TFormwright::TabOrderClick>(this), true);
    add("&Creation Order...", TNotifyEvent::Bind<&TFormwright::CreationOrderClick>(this), true);
    add("-", TNotifyEvent(), true);
    add("Undo", TNotifyEvent::Bind<&TFormwright::UndoClick>(this), false);
    add("Redo", TNotifyEvent::Bind<&TFormwright::RedoClick>(this), false);
    add("-", TNotifyEvent(), true);
    add("Snap to G&uides", TNotifyEvent::Bind<&TFormwright::SnapToGuidesClick>(this), true)
        ->SetChecked(FSnapToGuides);
    add("Check &Design...", TNotifyEvent::Bind<&TFormwright::CheckDesignClick>(this), true);
    return menu;
}

TPopupMenu* TFormwright::DesignerMenu() {
    if (!FPopupMenu) {
        FPopupMenu = CreateDesignerMenu();
        FindMenuItems();
    }
    return FPopupMenu.get();
}

void TFormwright::FindMenuItems() {
    const TMethod handlers[] = {
        TNotifyEvent::Bind<&TFormwright::AlignToGridClick>(this).Method(),
        TNotifyEvent::Bind<&TFormwright::BringToFrontClick>(this).Method(),
        TNotifyEvent::Bind<&TFormwright::SendToBackClick>(this).Method(),
        TMethod{},
        TNotifyEvent::Bind<&TFormwright::AlignClick>(this).Method(),
        TNotifyEvent::Bind<&TFormwright::SizeClick>(this).Method(),
        TNotifyEvent::Bind<&TFormwright::ScaleClick>(this).Method(),
        TNotifyEvent::Bind<&TFormwright::TabOrderClick>(this).Method(),
        TNotifyEvent::Bind<&TFormwright::CreationOrderClick>(this).Method(),
    };
    const TMethod undo = TNotifyEvent::Bind<&TFormwright::UndoClick>(this).Method();
    const TMethod redo = TNotifyEvent::Bind<&TFormwright::RedoClick>(this).Method();
    const TMethod snap = TNotifyEvent::Bind<&TFormwright::SnapToGuidesClick>(this).Method();
    const TMethod check = TNotifyEvent::Bind<&TFormwright::CheckDesignClick>(this).Method();
    // Every item of the menu, at any depth: the standard ones may have been moved into submenus.
    std::vector<TMenuItem*> items;
    std::function<void(TMenuItem*)> collect = [&](TMenuItem* parent) {
        for (int i = 0; i < parent->Count(); ++i) {
            items.push_back(parent->Items(i));
            collect(parent->Items(i));
        }
    };
    if (FPopupMenu) collect(FPopupMenu->Items());
    // The item without a handler is known by the pointer kept while building, if the menu still has it.
    TMenuItem* revert = std::find(items.begin(), items.end(), FMenuItems[miRevert]) != items.end()
                            ? FMenuItems[miRevert]
                            : nullptr;
    std::fill(std::begin(FMenuItems), std::end(FMenuItems), nullptr);
    FMenuItems[miRevert] = revert;
    FUndoItem = FRedoItem = FSnapItem = FCheckItem = nullptr;
    for (TMenuItem* item : items) {
        const TMethod method = item->OnClick.Method();
        if (!method) continue;
        for (int slot = 0; slot < static_cast<int>(std::size(handlers)); ++slot)
            if (method == handlers[slot]) FMenuItems[slot] = item;
        if (method == undo) FUndoItem = item;
        if (method == redo) FRedoItem = item;
        if (method == snap) FSnapItem = item;
        if (method == check) FCheckItem = item;
    }
    if (FSnapItem) FSnapItem->SetChecked(FSnapToGuides);
}

TMenuItem* TFormwright::DesignerMenuItem(int index) {
    DesignerMenu();
    return index >= 0 && index < static_cast<int>(std::size(FMenuItems)) ? FMenuItems[index] : nullptr;
}

TMenuItem* TFormwright::UndoMenuItem() {
    DesignerMenu();
    return FUndoItem;
}

TMenuItem* TFormwright::RedoMenuItem() {
    DesignerMenu();
    return FRedoItem;
}

TMenuItem* TFormwright::SnapToGuidesMenuItem() {
    DesignerMenu();
    return FSnapItem;
}

TMenuItem* TFormwright::CheckDesignMenuItem() {
    DesignerMenu();
    return FCheckItem;
}

void TFormwright::ShowDesignerMenu(TPoint screenPoint) {
    TPopupMenu* menu = DesignerMenu();
    if (!menu) return;
    const bool selected = SelectionCount() > 0;
    for (int slot : {miAlignToGrid, miBringToFront, miSendToBack, miAlign, miSize})
        if (FMenuItems[slot]) FMenuItems[slot]->SetEnabled(selected);
    if (FUndoItem) FUndoItem->SetEnabled(CanUndo());
    if (FRedoItem) FRedoItem->SetEnabled(CanRedo());
    // The root's window hears the menu-loop messages, which suspend the hooks while the menu runs.
    menu->SetPopupComponent(FRoot);
    menu->Popup(screenPoint.X, screenPoint.Y);
}

void TFormwright::AlignToGridClick(TObject*) {
    AlignSelectionToGrid();
}

void TFormwright::BringToFrontClick(TObject*) {
    BringSelectionToFront();
}

void TFormwright::SendToBackClick(TObject*) {
    SendSelectionToBack();
}

void TFormwright::AlignClick(TObject*) {
    const TDesignChange change(this);
    TAlignCode horizontal = acNoChange, vertical = acNoChange;
    ShowAlignDialog(horizontal, vertical);
    if (horizontal != acNoChange) AlignSelection(horizontal);
    if (vertical != acNoChange) AlignSelection(vertical);
}

void TFormwright::SizeClick(TObject*) {
    const TDesignChange change(this);
    TSizeCode widthCode = szNoChange, heightCode = szNoChange;
    int width = 0, height = 0;
    ShowSizeDialog(widthCode, heightCode, width, height);
    SizeSelection(widthCode, heightCode, width, height);
}

void TFormwright::ScaleClick(TObject*) {
    // The item stays disabled: there is no scaling command.
}

void TFormwright::TabOrderClick(TObject*) {
    const TDesignChange change(this);
    if (TWinControl* container = TabOrderContainer(); container && EditTabOrder(container)) {
        NoteChanged(nullptr); // the tab orders, which a step records by themselves
        Modified();
    }
}

void TFormwright::CreationOrderClick(TObject*) {
    const TDesignChange change(this);
    if (FRoot && EditCreationOrder(FRoot)) {
        NoteChanged(nullptr); // the owned order, which a step records by itself
        DesignChanged();
        // Taking the components out of the form and putting them back cleared the inspector.
        SelectionChanged();
    }
}

TWinControl* TFormwright::TabOrderContainer() const {
    if (FGrab->Visible() && FGrab->Control()) {
        for (TControl* control = FGrab->Control(); control; control = control->Parent()) {
            auto* container = dynamic_cast<TWinControl*>(control);
            if (container && control->ControlStyle().Contains(csAcceptsControls)) return container;
            if (control == FRoot) break;
        }
    }
    return FRoot;
}

// ---- alignment --------------------------------------------------------------------------------------------

void TFormwright::AlignSelection(TAlignCode code) {
    if (SelectionCount() < 2) return;
    const TDesignChange change(this);
    KeepSiblingsOnly(nullptr);
    if (code == acNoChange || code > acVCenterInWindow) return;
    const TAxis axis{code <= acHCenterInWindow};
    const int count = SelectionCount();
    TControl* first = Selected(0);
    switch (code) {
    case acLeftSides:
    case acTops:
        for (int i = 1; i < count; ++i)
            axis.SetPosition(Selected(i), axis.Position(first));
        break;
    case acHCenters:
    case acVCenters: {
        const int middle = axis.Position(first) + axis.Extent(first) / 2;
        for (int i = 1; i < count; ++i)
            axis.SetPosition(Selected(i), middle - axis.Extent(Selected(i)) / 2);
        break;
    }
    case acRightSides:
    case acBottoms:
        for (int i = 1; i < count; ++i)
            axis.SetPosition(Selected(i),
                             axis.Position(first) + axis.Extent(first) - axis.Extent(Selected(i)));
        break;
    case acHSpaceEqually:
    case acVSpaceEqually: {
        // The sorted order stays: the leftmost (topmost) object is the reference of the next command.
        FSelection.Sort([&axis](TControl* a, TControl* b) {
            const int pa = axis.Position(a), pb = axis.Position(b);
            return pa < pb ? -1 : pa > pb ? 1 : 0;
        });
        if (count < 2) break;
        int gaps = 0;
        for (int i = 1; i < count; ++i)
            gaps +=
                axis.Position(Selected(i)) - (axis.Position(Selected(i - 1)) + axis.Extent(Selected(i - 1)));
        const int gap = gaps / (count - 1);
        for (int i = 1; i < count; ++i)
            axis.SetPosition(Selected(i),
                             axis.Position(Selected(i - 1)) + axis.Extent(Selected(i - 1)) + gap);
        break;
    }
    case acHCenterInWindow:
    case acVCenterInWindow: {
        if (count < 2) break;
        // The group's bounding box is centred in the parent's client area (placeholders live in the
        // root's); the objects keep their places relative to each other.
        TWinControl* parent = first->Parent() ? first->Parent() : FRoot;
        int low = INT_MAX, high = INT_MIN;
        for (int i = 0; i < count; ++i) {
            low = std::min(low, axis.Position(Selected(i)));
            high = std::max(high, axis.Position(Selected(i)) + axis.Extent(Selected(i)));
        }
        const int space = axis.horizontal ? parent->ClientWidth() : parent->ClientHeight();
        const int offset = (space - (high - low)) / 2 - low;
        for (int i = 0; i < count; ++i)
            axis.SetPosition(Selected(i), axis.Position(Selected(i)) + offset);
        break;
    }
    default:
        break;
    }
    NoteSelectionChanged();
    Modified();
}

// ---- grid -------------------------------------------------------------------------------------------------

void TFormwright::SnapPointToGrid(TPoint& point) const {
    if (FGridX > 1) point.X = point.X / FGridX * FGridX;
    if (FGridY > 1) point.Y = point.Y / FGridY * FGridY;
}

void TFormwright::AlignSelectionToGrid() {
    const TDesignChange change(this);
    for (int i = 0; i < SelectionCount(); ++i) {
        TControl* object = Selected(i);
        TWinControl* parent = object->Parent();
        if (!parent) continue;
        // The grid is anchored at the root's client origin, whatever the object's parent.
        TPoint corner{object->Left(), object->Top()};
        MapWindowPoints(parent->Handle(), FRootWindow, &corner, 1);
        SnapPointToGrid(corner);
        MapWindowPoints(FRootWindow, parent->Handle(), &corner, 1);
        object->SetBounds(corner.X, corner.Y, object->Width(), object->Height());
    }
    if (FGrab->Visible()) FGrab->Reposition();
    NoteSelectionChanged();
    Modified();
}

// ---- size -------------------------------------------------------------------------------------------------

void TFormwright::SizeSelection(TSizeCode widthCode, TSizeCode heightCode, int width, int height) {
    if (SelectionCount() < 2) return;
    const TDesignChange change(this);
    KeepSiblingsOnly(nullptr);
    auto target = [this](TSizeCode code, int absolute, int (TControl::*extent)() const) {
        const int first = (Selected(0)->*extent)();
        int value = first;
        switch (code) {
        case szNoChange:
            return 0;
        case szSameAsFirst:
            return first;
        case szShrink:
            for (int i = 1; i < SelectionCount(); ++i)
                value = std::min(value, (Selected(i)->*extent)());
            return value;
        case szGrow:
            for (int i = 1; i < SelectionCount(); ++i)
                value = std::max(value, (Selected(i)->*extent)());
            return value;
        default:
            return absolute;
        }
    };
    const int newWidth = target(widthCode, width, &TControl::Width);
    const int newHeight = target(heightCode, height, &TControl::Height);
    for (int i = 0; i < SelectionCount(); ++i) {
        if (widthCode != szNoChange) Selected(i)->SetWidth(newWidth);
        if (heightCode != szNoChange) Selected(i)->SetHeight(newHeight);
    }
    if (widthCode != szNoChange || heightCode != szNoChange) {
        NoteSelectionChanged();
        Modified();
    }
}

// ---- z-order ----------------------------------------------------------------------------------------------

void TFormwright::BringSelectionToFront() {
    const TDesignChange change(this);
    for (int i = 0; i < SelectionCount(); ++i)
        if (!IsPlaceholder(Selected(i))) Selected(i)->BringToFront();
    // Non-visual components stay above the controls, and the handles above everything.
    for (TEditContainer* placeholder : FPlaceholders)
        placeholder->BringToFront();
    if (FGrab->Visible()) FGrab->BringHandlesToFront();
    NoteSelectionChanged();
    NoteRestacked();
    DesignChanged();
}

void TFormwright::SendSelectionToBack() {
    const TDesignChange change(this);
    for (int i = 0; i < SelectionCount(); ++i)
        Selected(i)->SendToBack();
    NoteSelectionChanged();
    NoteRestacked();
    DesignChanged();
}
