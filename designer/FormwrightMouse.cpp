// TFormwright: mouse editing. Choosing the object under the pointer, selecting by click, shift-click and
// rubber band, moving the selection, resizing from a grab handle, placing new components, double-click
// and the right button. Every drag is one small state machine (move, rubber band, resize, place) whose
// feedback is dotted frames drawn by exclusive-or on the drag window; nothing on the form changes until
// the button is released.
#include "ComponentEditors.h"
#include "CustomObjectInspector.h"
#include "DragGuides.h"
#include "EditContainer.h"
#include "EditGrab.h"
#include "Formwright.h"
#include "core/ScopeGuard.h"
#include "graphics/Brush.h"
#include "graphics/Canvas.h"
#include "graphics/Pen.h"
#include "rtti/ClassInfo.h"
#include "ui/WinControl.h"

#include <algorithm>
#include <memory>

namespace {

TPoint MessagePoint(const MSG& msg) {
    return PointFromLParam(msg.lParam);
}

TPoint MapPoint(HWND from, HWND to, TPoint point) {
    if (from != to) MapWindowPoints(from, to, &point, 1);
    return point;
}

TRect Spanned(TPoint a, TPoint b) {
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

// An embedded frame takes no controls: it writes only what it owns itself, so a control of the design
// placed in it would never be saved.
bool AcceptsControls(TControl* control) {
    return dynamic_cast<TWinControl*>(control) && control->ControlStyle().Contains(csAcceptsControls) &&
           !control->ComponentState().Contains(csInline);
}

bool DefaultCursorShown() {
    return GetCursor() == static_cast<int>(crDefault);
}

} // namespace

// ---- the object under the pointer -------------------------------------------------------------------------

TControl* TFormwright::DesignTargetAt(HWND window, TPoint point) const {
    TControl* target = FindControl(window);
    if (!target) return nullptr;
    if (dynamic_cast<TEditContainer*>(target)) return target;
    if (auto* container = dynamic_cast<TWinControl*>(target))
        if (TControl* child = container->ControlAtPos(point, true, true)) target = child;
    // Sub-controls the design does not own (a grid's in-place editor) resolve to their owning control.
    for (; target; target = target->Parent())
        if (target == FRoot || (FDesignedForm && target->Owner() == FDesignedForm)) return target;
    return nullptr;
}

// ---- drag primitives --------------------------------------------------------------------------------------

void TFormwright::BeginDrag(HWND window, TPoint point, TDesignDrag mode) {
    FDragMode = mode;
    FDragWindow = window;
    FDragOrigin = FDragPoint = point;
    FSnap = true;
    FFrameShown = false;
}

void TFormwright::StopDrag() {
    if (FDragMode == ddNone) return;
    // Mode none first: giving up the capture may send messages that end up here again.
    FDragMode = ddNone;
    ClipCursor(nullptr);
    ReleaseCapture();
    if (FFrameShown) (this->*FFeedbackStep)(FDragPoint);
    FFrameShown = false;
    FGuides->End();
}

void TFormwright::SnapToGrid(TPoint& point) const {
    if (FGridX > 1) point.X = (point.X - FDragOrigin.X) / FGridX * FGridX + FDragOrigin.X;
    if (FGridY > 1) point.Y = (point.Y - FDragOrigin.Y) / FGridY * FGridY + FDragOrigin.Y;
}

void TFormwright::ClipAndCapture(HWND clipWindow, HWND captureWindow) {
    const TRect clip = MapWindowRect(clipWindow, nullptr, GetClientRect(clipWindow));
    ClipCursor(&clip);
    SetCapture(captureWindow);
}

void TFormwright::GenericMoveStep(TPoint point) {
    if (FFrameShown) (this->*FFeedbackStep)(FDragPoint);
    (this->*FFeedbackStep)(point);
    FFrameShown = true;
    FDragPoint = point;
}

void TFormwright::PinnedMoveStep(TPoint point) {
    Pin(point);
    GenericMoveStep(point);
}

void TFormwright::Pin(TPoint& point) const {
    if (FFixedX != NotFixed) point.X = FFixedX;
    if (FFixedY != NotFixed) point.Y = FFixedY;
}

void TFormwright::DrawFrameRect(const TRect& rect) {
    HDC dc = GetDC(FDragWindow);
    if (!dc) return;
    dc->SetClipRect(GetClientRect(FDragWindow));
    dc->Pen()->SetMode(pmXor);
    dc->Pen()->SetColor(FFrameColor);
    dc->Pen()->SetStyle(psDot);
    dc->Brush()->SetStyle(bsClear);
    dc->Rectangle(rect.Left, rect.Top, rect.Right + 1, rect.Bottom + 1);
    ReleaseDC(FDragWindow, dc);
}

void TFormwright::DrawFrame(TPoint from, TPoint to) {
    DrawFrameRect(Spanned(from, to));
}

void TFormwright::DrawFrameTo(TPoint point) {
    DrawFrame(FDragOrigin, point);
}

void TFormwright::DrawSelectionFrames(TPoint point) {
    const int dx = point.X - FDragOrigin.X, dy = point.Y - FDragOrigin.Y;
    for (int i = 0; i < SelectionCount(); ++i) {
        TRect bounds = Selected(i)->BoundsRect();
        bounds.Offset(dx, dy);
        DrawFrameRect(bounds);
    }
}

// ---- messages ---------------------------------------------------------------------------------------------

// A resize's drag window is the root window, the coordinates of its press point.
void TFormwright::NoteResizeMove(TPoint point) {
    if (FDragMode == ddResize && point != FResizePress) FResizeMoved = true;
}

void TFormwright::MouseMoved(MSG& msg) {
    if (FDragMode == ddNone) return;
    TPoint point = MapPoint(msg.hwnd, FDragWindow, MessagePoint(msg));
    NoteResizeMove(point);
    SnapDragPoint(point);
    if (point != FDragPoint) (this->*FMoveStep)(point);
}

void TFormwright::LeftButtonUp(MSG& msg) {
    if (FDragMode == ddNone) return;
    TPoint point = MapPoint(msg.hwnd, FDragWindow, MessagePoint(msg));
    NoteResizeMove(point);
    SnapDragPoint(point);
    // Follow a release away from the last move first, so the frame on screen is the one erased.
    if (point != FDragPoint) (this->*FMoveStep)(point);
    (this->*FUpStep)(FDragPoint);
}

void TFormwright::LeftButtonDown(MSG& msg) {
    if (!DefaultCursorShown()) return;
    // A press while a drag runs means its release never arrived (it went to another application): that
    // drag is abandoned, its frame erased, before the press starts anything.
    StopDrag();
    const TPoint point = MessagePoint(msg);
    TControl* target = DesignTargetAt(msg.hwnd, point);
    msg.message = WM_NULL;

    if (FClassToPlace) {
        if (target && target != FRoot && FClassToPlace->InheritsFrom(TControl::StaticClass())) {
            HWND window = AcceptsControls(target) ? static_cast<TWinControl*>(target)->Handle()
                                                  : DesignWindowOf(target);
            StartPlacement(window, MapPoint(msg.hwnd, window, point));
        } else if (target) {
            StartPlacement(FRootWindow, MapPoint(msg.hwnd, FRootWindow, point));
        }
        return;
    }
    if (!target) return;
    if (target == FRoot) {
        ClearSelection(true);
        StartRubberBand(FRootWindow, MapPoint(msg.hwnd, FRootWindow, point));
        return;
    }
    if (msg.wParam & MK_CONTROL) {
        HWND window = AcceptsControls(target) ? static_cast<TWinControl*>(target)->Handle()
                      : target->Parent()      ? target->Parent()->Handle()
                                              : FRootWindow;
        StartRubberBand(window, MapPoint(msg.hwnd, window, point));
    } else if (msg.wParam & MK_SHIFT) {
        if (IsSelected(target))
            UnselectObject(target);
        else
            SelectObject(target, false);
        SelectionChanged();
    } else {
        // Moving first, so that selecting does not show the handles.
        FDragMode = ddMove;
        if (!IsSelected(target)) {
            SelectObject(target, true);
            SelectionChanged();
        }
        StartMove(target, MapPoint(msg.hwnd, DesignWindowOf(target), point));
    }
}

void TFormwright::DoubleClicked(MSG& msg) {
    TControl* target = DesignTargetAt(msg.hwnd, MessagePoint(msg));
    if (!target) return;
    msg.message = WM_NULL;
    SelectObject(target, true);
    if (FGrab->Visible() && FGrab->ComponentEditor()) FGrab->ComponentEditor()->Edit();
}

void TFormwright::RightButtonDown(MSG& msg) {
    // A drag keeps the selection it started with until the left button goes up.
    if (!DefaultCursorShown() || FDragMode != ddNone) return;
    const TPoint point = MessagePoint(msg);
    TControl* target = DesignTargetAt(msg.hwnd, point);
    if (target == FRoot) {
        ClearSelection(true);
        SelectionChanged();
    } else if (target && !IsSelected(target)) {
        SelectObject(target, true);
        SelectionChanged();
    }
    ShowDesignerMenu(ClientToScreen(msg.hwnd, point));
}

// ---- move -------------------------------------------------------------------------------------------------

void TFormwright::StartMove(TControl* target, TPoint point) {
    // The inspector already shows the selection; it hears again only when the selection shrank.
    if (UnselectOtherParents(target)) SelectionChanged();
    BeginDrag(DesignWindowOf(target), point, ddMove);
    if (FSnapToGuides) FGuides->BeginMove(target);
    FGrab->SetVisible(false);
    FFeedbackStep = &TFormwright::DrawSelectionFrames;
    FMoveStep = &TFormwright::GenericMoveStep;
    FUpStep = &TFormwright::FinishMove;
    DrawSelectionFrames(FDragPoint);
    FFrameShown = true;
    ClipAndCapture(FDragWindow, FDragWindow);
}

void TFormwright::FinishMove(TPoint) {
    StopDrag();
    MoveSelectionBy(FDragPoint.X - FDragOrigin.X, FDragPoint.Y - FDragOrigin.Y);
    FGrab->Reposition();
    if (SelectionCount() == 1) FGrab->SetVisible(true);
}

void TFormwright::MoveSelectionBy(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    const TDesignChange change(this);
    for (int i = 0; i < SelectionCount(); ++i) {
        TControl* object = Selected(i);
        object->SetBounds(object->Left() + dx, object->Top() + dy, object->Width(), object->Height());
    }
    if (FGrab->Visible()) FGrab->Reposition();
    NoteSelectionChanged();
    Modified();
}

// ---- rubber band ------------------------------------------------------------------------------------------

void TFormwright::StartRubberBand(HWND window, TPoint point) {
    BeginDrag(window, point, ddRubberBand);
    FSnap = false;
    FFeedbackStep = &TFormwright::DrawFrameTo;
    FMoveStep = &TFormwright::GenericMoveStep;
    FUpStep = &TFormwright::FinishRubberBand;
    ClearSelection(true);
    FGrab->SetVisible(false);
    ClipAndCapture(window, window);
}

void TFormwright::FinishRubberBand(TPoint) {
    StopDrag();
    TMarksBatch batch(this);
    const TRect band = Spanned(FDragOrigin, FDragPoint);
    auto toggle = [this](TControl* object) {
        if (IsSelected(object))
            UnselectObject(object);
        else
            SelectObject(object, false);
    };
    if (auto* container = FindControl(FDragWindow)) {
        for (int i = 0; i < container->ControlCount(); ++i) {
            TControl* child = container->Controls(i);
            if (child->BoundsRect().Intersects(band)) toggle(child);
        }
        if (container == FRoot)
            for (TEditContainer* placeholder : FPlaceholders)
                if (placeholder->BoundsRect().Intersects(band)) toggle(placeholder);
    }
    SelectionChanged();
}

// ---- resize -----------------------------------------------------------------------------------------------

void TFormwright::StartResize(TPoint anchor, int fixedX, int fixedY, TPoint press) {
    if (!FRoot || !FGrab->Control()) return;
    // The press on a handle reaches no bracket of the design surface: the edit begins here.
    BeginDesignChange();
    EndDesignChange(true);
    BeginDrag(FRootWindow, anchor, ddResize);
    FFixedX = fixedX;
    FFixedY = fixedY;
    FResizePress = press;
    FResizeMoved = false;
    if (FSnapToGuides) FGuides->BeginResize(FGrab->Control(), anchor, fixedX, fixedY);
    FFeedbackStep = &TFormwright::DrawFrameTo;
    FMoveStep = &TFormwright::PinnedMoveStep;
    FUpStep = &TFormwright::FinishResize;
    FGrab->SetVisible(false);
    ClipAndCapture(DesignWindowOf(FGrab->Control()), FRootWindow);
}

void TFormwright::FinishResize(TPoint) {
    Pin(FDragPoint);
    StopDrag();
    // A click on a handle is no resize: the dragged corner would jump to the pressed point.
    if (FResizeMoved) ApplyResize();
    if (FGrab->Control()) FGrab->SetVisible(true);
}

void TFormwright::ApplyResize() {
    TControl* object = FGrab->Control();
    if (!object || !object->Parent()) return;
    TRect rect = Spanned(FDragOrigin, FDragPoint);
    HWND parentWindow = object->Parent()->Handle();
    if (parentWindow != FRootWindow) rect = MapWindowRect(FRootWindow, parentWindow, rect);
    if (rect == object->BoundsRect()) return;
    object->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    FGrab->Reposition();
    NoteSelectionChanged();
    Modified();
}

// ---- placement --------------------------------------------------------------------------------------------

void TFormwright::StartPlacement(HWND window, TPoint point) {
    BeginDrag(window, point, ddPlace);
    FSnap = false;
    FFeedbackStep = &TFormwright::DrawFrameTo;
    FMoveStep = &TFormwright::GenericMoveStep;
    FUpStep = &TFormwright::FinishPlacement;
    ClearSelection(true);
    FGrab->SetVisible(false);
    ClipAndCapture(window, window);
}

void TFormwright::FinishPlacement(TPoint) {
    StopDrag();
    // The class is used once, also when the placement fails: a failure must not repeat on every click.
    const auto clearClass = ScopeGuard([this] { FClassToPlace = nullptr; });
    PlaceComponent();
}

void TFormwright::PlaceComponent() {
    const TRect rect = Spanned(FDragOrigin, FDragPoint);
    const TDesignChange change(this);
    TComponent* component = nullptr;
    {
        const auto update = ComponentUpdateScope(Inspector());
        // Owned by the designed form also when a container is designed, like the components a load reads:
        // names are unique over the form, and the form's save writes the component. The form hears of it
        // once it is whole: a control announced half-made would get a placeholder box. A component that
        // could not be named is not left behind without a name.
        std::unique_ptr<TComponent> created(TComponent::CreateInstance(FClassToPlace, FDesignedForm));
        std::string baseName = FClassToPlace->Name;
        if (baseName.size() > 1 && (baseName[0] == 'T' || baseName[0] == 't')) baseName.erase(0, 1);
        created->SetName(UniqueComponentName(baseName));
        component = created.release();
    }

    if (auto* control = dynamic_cast<TControl*>(component)) {
        if (rect.Width() > 2 && rect.Height() > 2)
            control->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
        else
            control->SetBounds(rect.Left, rect.Top, control->Width(), control->Height());
        control->SetParent(FindControl(FDragWindow));
        // The container may take it as more than a child (a page control's first page is its active one).
        NoteChanged(control->Parent());
        SelectObject(control, true);
    } else {
        // Without a box the component could be neither seen nor saved: it is not left behind.
        std::unique_ptr<TComponent> unplaced(component);
        TEditContainer* placeholder = PlaceholderOf(component);
        unplaced.release();
        placeholder->SetBounds(rect.Left, rect.Top, placeholder->Width(), placeholder->Height());
        placeholder->Show();
        SelectObject(placeholder, true);
    }
    NoteChanged(component);
    NoteRestacked();
    SelectionChanged();
    DesignChanged();
}
