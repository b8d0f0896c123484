// TEditGrab and TGrabHandle: the handles of a single selection.
#include "EditGrab.h"

#include "ComponentEditors.h"
#include "EditSelector.h"
#include "Formwright.h"
#include "ui/Windows.h"

FW_PUBLISH(TGrabHandle) {
}

FW_PUBLISH(TEditGrab) {
}

namespace {
const TCursor HandleCursors[8] = {crSizeNWSE, crSizeNS, crSizeNESW, crSizeWE,
                                  crSizeNWSE, crSizeNS, crSizeNESW, crSizeWE};
TEditGrab* liveGrab = nullptr; // the one grab of the process's designer
} // namespace

// ---- TGrabHandle ------------------------------------------------------------------------------------------

TGrabHandle::TGrabHandle(TEditGrab* grab, int index) : TWinControl(grab), FGrab(grab), FIndex(index) {
    SetVisible(false);
    SetBounds(0, 0, GrabHandleSize, GrabHandleSize);
    SetColor(grab->Designer()->HandleColor());
    SetCursor(HandleCursors[index]);
}

void TGrabHandle::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.WndParent = FGrab->Designer()->DesignWindowOf(FGrab->Control());
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
}

void TGrabHandle::CreateWnd() {
    TWinControl::CreateWnd();
    SetWindowLong(Handle(), GWL_USERDATA, GrabHandleMarker);
}

void TGrabHandle::WndProc(TMessage& message) {
    TWinControl::WndProc(message);
    if (message.Msg == WM_LBUTTONDOWN) FGrab->StartResize(FIndex, PointFromLParam(message.LParam));
}

// ---- TEditGrab --------------------------------------------------------------------------------------------

TEditGrab::TEditGrab(TFormwright* designer) : TComponent(nullptr), FDesigner(designer) {
    for (int i = 0; i < 8; ++i)
        FHandles[i] = new TGrabHandle(this, i);
    liveGrab = this;
}

TEditGrab::~TEditGrab() {
    if (liveGrab == this) liveGrab = nullptr;
    SetControl(nullptr);
}

void TEditGrab::SetControl(TControl* control) {
    if (control == FControl) return;
    if (FControl) Unchain();
    FComponentEditor.reset();
    FControl = control;
    if (!control) {
        SetVisible(false);
        return;
    }
    FComponentEditor = GetComponentEditor(TFormwright::ComponentOf(control), FDesigner);
    HWND designWindow = FDesigner->DesignWindowOf(control);
    for (TGrabHandle* handle : FHandles) {
        // A design window that went away took the handle windows with it.
        if (handle->ParentWindow() && !IsWindow(handle->ParentWindow())) handle->SetParentWindow(nullptr);
        handle->SetParentWindow(designWindow);
    }
    // A window re-parented on the desktop lands on top of its new siblings; keeping the old parent must
    // not leave the handles under controls created or raised since they were last shown.
    BringHandlesToFront();
    Reposition();
    FSavedWindowProc = control->WindowProc;
    control->WindowProc = TWndMethod::Bind<&TEditGrab::ControlWindowProc>(this);
}

void TEditGrab::Unchain() {
    const TWndMethod own = TWndMethod::Bind<&TEditGrab::ControlWindowProc>(this);
    if (FControl->WindowProc.Method() == own.Method())
        FControl->WindowProc = FSavedWindowProc;
    else
        TEditSelector::Relink(FControl, own, FSavedWindowProc); // a selector chained in after the grab
    FSavedWindowProc = TWndMethod();
}

void TEditGrab::ForgetControl() {
    FControl = nullptr;
    FSavedWindowProc = TWndMethod();
    FComponentEditor.reset();
    SetVisible(false);
}

bool TEditGrab::Relink(TControl* control, const TWndMethod& proc, const TWndMethod& replacement) {
    if (control != FControl || FSavedWindowProc.Method() != proc.Method()) return false;
    FSavedWindowProc = replacement;
    return true;
}

bool TEditGrab::RelinkAny(TControl* control, const TWndMethod& proc, const TWndMethod& replacement) {
    return liveGrab && liveGrab->Relink(control, proc, replacement);
}

void TEditGrab::SetVisible(bool visible) {
    if (visible == FVisible) return;
    FVisible = visible;
    for (TGrabHandle* handle : FHandles) {
        if (visible) {
            if (handle->ParentWindow() && IsWindow(handle->ParentWindow()))
                ShowWindow(handle->Handle(), SW_SHOW);
        } else if (handle->HandleAllocated()) {
            ShowWindow(handle->Handle(), SW_HIDE);
        }
    }
    if (!visible) FlushPaint();
}

void TEditGrab::Reposition() {
    if (!FControl) return;
    const TRect bounds = FDesigner->DesignRectOf(FControl);
    const int L = bounds.Left, T = bounds.Top, R = bounds.Right - 1, B = bounds.Bottom - 1;
    const int H = GrabHandleSize, h = H / 2;
    const TPoint places[8] = {
        {L - h, T - h}, {(R + L - H) / 2, T - h}, {R - h, T - h}, {R - h, (B + T - H) / 2},
        {R - h, B - h}, {(R + L - H) / 2, B - h}, {L - h, B - h}, {L - h, (B + T - H) / 2},
    };
    for (int i = 0; i < 8; ++i)
        FHandles[i]->SetBounds(places[i].X, places[i].Y, H, H);
    FlushPaint();
}

void TEditGrab::FlushPaint() const {
    // While the selection changes in bulk, its marks and handles are painted once, after it.
    if (FDesigner->FMarksBatchDepth == 0) FlushPaintMessages();
}

void TEditGrab::BringHandlesToFront() {
    for (TGrabHandle* handle : FHandles)
        if (handle->HandleAllocated())
            SetWindowPos(handle->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TEditGrab::ControlWindowProc(TMessage& message) {
    FSavedWindowProc(message);
    if (message.Msg != WM_WINDOWPOSCHANGED) return;
    if (const WINDOWPOS* pos = TWMWindowPos::From(message).WindowPos) {
        const UINT unchanged = SWP_NOSIZE | SWP_NOMOVE;
        if (!FVisible || (pos->flags & unchanged) == unchanged) return;
    }
    Reposition();
}

void TEditGrab::StartResize(int index, TPoint press) {
    if (!FControl) return;
    // The object's bounds in root window coordinates; the anchor is the corner that stays, and an edge
    // handle pins one coordinate of the dragged point so only its edge moves.
    const TRect r = MapWindowRect(FDesigner->DesignWindowOf(FControl), FDesigner->RootWindow(),
                                  FDesigner->DesignRectOf(FControl));
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    struct Grip {
        TPoint Anchor;
        int FixedX, FixedY;
    };
    const Grip grips[8] = {
        {{R, B}, NotFixed, NotFixed}, {{R, B}, L, NotFixed},        {{L, B}, NotFixed, NotFixed},
        {{L, T}, NotFixed, B},        {{L, T}, NotFixed, NotFixed}, {{L, T}, R, NotFixed},
        {{R, T}, NotFixed, NotFixed}, {{R, B}, NotFixed, T},
    };
    MapWindowPoints(FHandles[index]->Handle(), FDesigner->RootWindow(), &press, 1);
    FDesigner->StartResize(grips[index].Anchor, grips[index].FixedX, grips[index].FixedY, press);
}

void TEditGrab::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove) FDesigner->DesignObjectDestroyed(component);
}
