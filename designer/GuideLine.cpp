#include "GuideLine.h"

#include "Formwright.h"
#include "ui/Windows.h"

FW_PUBLISH(TGuideLine) {
}

TGuideLine::TGuideLine(HWND window, TColor color) : TWinControl(nullptr) {
    SetVisible(false);
    SetColor(color);
    SetParentWindow(window);
}

void TGuideLine::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
}

void TGuideLine::CreateWnd() {
    TWinControl::CreateWnd();
    SetWindowLong(Handle(), GWL_USERDATA, GrabHandleMarker);
}

void TGuideLine::ShowAt(const TRect& rect) {
    // The window the line was made for may have gone with its control; the line then stays unseen.
    if (!ParentWindow() || !IsWindow(ParentWindow())) return;
    if (BoundsRect() != rect) SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    if (!FShown) {
        SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ShowWindow(Handle(), SW_SHOW);
        FShown = true;
    }
}

void TGuideLine::Hide() {
    if (FShown && HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    FShown = false;
}
