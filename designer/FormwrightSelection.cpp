// TFormwright: the ordered selection, its corner marks and the report to the inspector.
#include "ComponentList.h"
#include "CustomObjectInspector.h"
#include "EditGrab.h"
#include "EditSelector.h"
#include "Formwright.h"
#include "ui/WinControl.h"
#include "ui/Windows.h"

#include <optional>
#include <utility>

void TFormwright::SelectObject(TControl* object, bool exclusive) {
    if (exclusive) ClearSelection(true);
    FSelectedChild = nullptr;
    if (!object || IsSelected(object)) return;
    FSelection.Add(object);
    FSelected.insert(object);
    // The grab hears of the object's destruction, so no pointer to a freed object stays behind.
    object->FreeNotification(FGrab.get());
    if (SelectionCount() == 1) {
        FGrab->SetControl(object);
        FGrab->SetVisible(FDragMode == ddNone);
    } else {
        if (FGrab->Visible()) {
            FGrab->SetVisible(false);
            DrawMarks(FGrab->Control());
        }
        DrawMarks(object);
    }
    new TEditSelector(this, object);
}

void TFormwright::UnselectObject(TControl* object) {
    if (FSelection.Remove(object) < 0) return;
    FSelected.erase(object);
    object->Perform(WM_DESIGNRELEASE, 0, 0);
    InvalidateMarks(object);
    if (SelectionCount() == 1) {
        TControl* remaining = Selected(0);
        InvalidateMarks(remaining);
        if (FGrab->Control() == remaining)
            FGrab->Reposition();
        else
            FGrab->SetControl(remaining);
        if (FDragMode == ddNone) FGrab->SetVisible(true);
    } else if (SelectionCount() == 0) {
        FGrab->SetControl(nullptr);
    }
}

void TFormwright::ClearSelection(bool release) {
    // The corner-mark watchers always let go: the objects outlive their windows in this framework, and a
    // watcher left in an object's window procedure would outlive the designer. Only the marks on screen
    // are left alone when the windows are gone.
    TMarksBatch batch(this);
    const int count = SelectionCount();
    for (int i = 0; i < count; ++i) {
        TControl* object = Selected(i);
        object->Perform(WM_DESIGNRELEASE, 0, 0);
        if (release) InvalidateMarks(object);
    }
    FSelection.Clear();
    FSelected.clear();
    FSelectedChild = nullptr;
    FGrab->SetControl(nullptr);
}

void TFormwright::KeepSiblingsOnly(TControl* reference) {
    UnselectOtherParents(reference);
    SelectionChanged();
}

bool TFormwright::UnselectOtherParents(TControl* reference) {
    const int count = SelectionCount();
    if (count > 0) {
        TWinControl* parent = reference ? reference->Parent() : Selected(0)->Parent();
        for (int i = SelectionCount() - 1; i >= 0; --i)
            if (i < SelectionCount() && Selected(i)->Parent() != parent) UnselectObject(Selected(i));
    }
    return SelectionCount() != count;
}

TRect TFormwright::MarksRect(TControl* object, HWND& window) const {
    if (auto* windowed = dynamic_cast<TWinControl*>(object); windowed && windowed->HandleAllocated()) {
        window = windowed->Handle();
        return windowed->ClientRect();
    }
    window = DesignWindowOf(object);
    return object->BoundsRect();
}

void TFormwright::DrawMarks(TControl* object) {
    if (!object || SelectionCount() == 1) return;
    // The object's selector paints the marks with the object, so they survive its repaints; asking for
    // the paint of the four squares puts them on screen.
    HWND window = nullptr;
    const TRect rect = MarksRect(object, window);
    if (!window) return;
    for (int corner = 0; corner < 4; ++corner)
        InvalidateMark(window, CornerMark(rect, corner));
}

void TFormwright::InvalidateMarks(TControl* object) {
    if (!object) return;
    HWND window = nullptr;
    const TRect rect = MarksRect(object, window);
    if (!window || !IsWindow(window)) return;
    for (int corner = 0; corner < 4; ++corner)
        InvalidateMark(window, CornerMark(rect, corner));
}

void TFormwright::InvalidateMark(HWND window, const TRect& mark) {
    if (FMarksBatchDepth > 0)
        FPendingMarks.emplace_back(window, mark);
    else
        InvalidateRect(window, &mark, true);
}

void TFormwright::FlushMarks() {
    // A few marks are repainted where they are; beyond that, one rectangle costs less than their region.
    constexpr size_t MaxSeparateMarks = 64;
    const std::vector<std::pair<HWND, TRect>> marks = std::exchange(FPendingMarks, {});
    const bool together = marks.size() > MaxSeparateMarks && FRootWindow && IsWindow(FRootWindow);
    std::optional<TRect> bounds;
    for (const auto& [window, mark] : marks) {
        if (!IsWindow(window)) continue;
        if (!together) {
            InvalidateRect(window, &mark, true);
            continue;
        }
        const TRect inRoot = MapWindowRect(window, FRootWindow, mark);
        bounds = bounds ? bounds->Union(inRoot) : inRoot;
    }
    if (bounds) InvalidateRect(FRootWindow, &*bounds, true);
}

void TFormwright::SelectionChanged() {
    TCustomObjectInspector* inspector = Inspector();
    if (!inspector) return;
    if (SelectionCount() >= 2) {
        auto* list = new TComponentList;
        for (int i = 0; i < SelectionCount(); ++i)
            list->Add(ComponentOf(Selected(i)));
        inspector->InspectList(list);
    } else if (SelectionCount() == 1) {
        inspector->InspectObject(ComponentOf(Selected(0)));
    } else if (FSelectedChild) {
        inspector->InspectObject(FSelectedChild);
    } else if (FRoot) {
        inspector->InspectObject(FRoot);
    }
}
