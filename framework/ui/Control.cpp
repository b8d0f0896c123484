// TControl: bounds, look, messages, mouse input and drag and drop.
//
//   1. publishing and lifetime
//   2. messages
//   3. place and look
//   4. mouse input
//   5. drag and drop
#include "ui/Control.h"

#include "graphics/Font.h"
#include "ui/Designer.h"
#include "ui/DragSession.h"
#include "ui/Form.h"
#include "ui/WinControl.h"
#include "ui/Windows.h"

#include <algorithm>

// ---- 1. publishing and lifetime ---------------------------------------------------------------------------

FW_PUBLISH(TControl) {
    p.Property("Left", &TControl::Left, &TControl::SetLeft);
    p.Property("Top", &TControl::Top, &TControl::SetTop);
    p.Property("Width", &TControl::Width, &TControl::SetWidth);
    p.Property("Height", &TControl::Height, &TControl::SetHeight);
    p.Property("Cursor", &TControl::Cursor, &TControl::SetCursor).Default(crDefault);
    p.Property("Hint", &TControl::Hint, &TControl::SetHint);
}

TControl::TControl(TComponent* owner)
    : TComponent(owner), FColor(clWindow), FFont(new TFont),
      FCursor(crDefault), FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks} {
    WindowProc = TWndMethod::Bind<&TControl::WndProc>(this);
    FFont->OnChange = TNotifyEvent::Bind<&TControl::FontChangedHandler>(this);
}

TControl::~TControl() {
    Destroying();
    if (TDragSession::Current().Source == this) TDragSession::Current().Cancel();
    if (TDragSession::Current().CaptureControl == this) TDragSession::Current().CaptureControl = nullptr;
    if (FParent) FParent->RemoveControl(this);
    delete FFont;
}

// ---- 2. messages ------------------------------------------------------------------------------------------

LRESULT TControl::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
    return Perform(TMessage{message, wParam, lParam, 0});
}

LRESULT TControl::Perform(TMessage message) {
    WindowProc(message);
    return message.Result;
}

void TControl::SendCancelMode(TControl* sender) {
    TCustomForm* form = GetParentForm(this);
    if (!form || !form->ActiveControl()) return;
    // The active control first, then the controls it sits in: a drop-down may be watched by either.
    for (TControl* c = form->ActiveControl(); c && c != form;) {
        TControl* next = c->Parent();
        c->Perform(TCMCancelMode{sender}.ToMessage());
        c = next;
    }
}

void TControl::WndProc(TMessage& message) {
    // A designed control offers every message to its form's designer first.
    if (ComponentState().Contains(csDesigning)) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Designer() && form->Designer()->IsDesignMsg(this, message)) return;
    }
    if (TDragSession::Current().HandleMessage(this, message)) return;
    switch (message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        HandleMouseMessage(message);
        break;
    default:
        break;
    }
    Dispatch(message);
}

void TControl::Dispatch(TMessage& message) {
    if (message.Msg == WM_PAINT && TWMPaint::From(message).Canvas) {
        PaintGraphic(*TWMPaint::From(message).Canvas);
        return;
    }
    DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage&) {
}

void TControl::PaintGraphic(TCanvas&) {
}

TShiftState KeysToShiftState(WPARAM keys) {
    TShiftState shift;
    if (keys & MK_SHIFT) shift.Include(ssShift);
    if (keys & MK_CONTROL) shift.Include(ssCtrl);
    if (keys & MK_LBUTTON) shift.Include(ssLeft);
    if (keys & MK_RBUTTON) shift.Include(ssRight);
    if (keys & MK_MBUTTON) shift.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
    return shift;
}

TShiftState KeyboardStateToShiftState() {
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
    if (GetKeyState(VK_LBUTTON) < 0) shift.Include(ssLeft);
    if (GetKeyState(VK_RBUTTON) < 0) shift.Include(ssRight);
    return shift;
}

// ---- 3. place and look ------------------------------------------------------------------------------------

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    // Reading a root offers the root as its own parent; that is ignored, never an error.
    if (parent == this) return;
    if (FParent) FParent->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const {
    return FParent;
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* p = dynamic_cast<TWinControl*>(parent)) SetParent(p);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    // Within these every edge (left + width) and every size between edges fits an int.
    constexpr int Farthest = 1 << 30, Largest = (1 << 30) - 1;
    left = std::clamp(left, -Farthest, Farthest);
    top = std::clamp(top, -Farthest, Farthest);
    width = std::clamp(width, 0, Largest);
    height = std::clamp(height, 0, Largest);
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    const TRect old = BoundsRect();
    const bool resized = width != FWidth || height != FHeight;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    if (FParent && FParent->HandleAllocated() && !dynamic_cast<TWinControl*>(this)) {
        // A graphic control is part of its parent's surface: repaint where it was and where it is.
        InvalidateRect(FParent->Handle(), &old, true);
        const TRect now = BoundsRect();
        InvalidateRect(FParent->Handle(), &now, true);
    }
    BoundsChanged();
    RequestAlign();
    if (resized) Resize();
    // A graphic control has no window to report the change; its window procedure hears it without a
    // position record, so whoever watches it (a designer's grab handles) can follow.
    if (!dynamic_cast<TWinControl*>(this)) Perform(WM_WINDOWPOSCHANGED, 0, 0);
}

void TControl::BoundsChanged() {
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::SetClientSize(int width, int height) {
    const TRect client = ClientRect();
    SetBounds(FLeft, FTop, FWidth + width - client.Width(), FHeight + height - client.Height());
}

TPoint TControl::ClientOrigin() const {
    if (!FParent) return {FLeft, FTop};
    TPoint origin = FParent->ClientOrigin();
    return {origin.X + FLeft, origin.Y + FTop};
}

TPoint TControl::ClientToScreen(TPoint point) const {
    TPoint origin = ClientOrigin();
    return {point.X + origin.X, point.Y + origin.Y};
}

TPoint TControl::ScreenToClient(TPoint point) const {
    TPoint origin = ClientOrigin();
    return {point.X - origin.X, point.Y - origin.Y};
}

void TControl::SetAlign(TAlign align) {
    if (align == FAlign) return;
    if (FParent) FParent->FAlignedChildren += (align != alNone) - (FAlign != alNone);
    FAlign = align;
    RequestAlign();
}

void TControl::RequestAlign() {
    if (FParent) FParent->Realign();
}

void TControl::SetVisible(bool visible) {
    if (visible == FVisible) return;
    FVisible = visible;
    VisibleChanged();
    RequestAlign();
}

void TControl::VisibleChanged() {
    if (FParent && FParent->HandleAllocated()) {
        const TRect r = BoundsRect();
        InvalidateRect(FParent->Handle(), &r, true);
    }
}

bool TControl::IsShowing() const {
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FVisible) return false;
    return true;
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    EnabledChanged();
    Invalidate();
}

void TControl::SetColor(TColor color) {
    FColor = color;
    FParentColor = false;
    ColorChanged();
}

void TControl::SetParentColor(bool value) {
    FParentColor = value;
    if (value && FParent) {
        FColor = FParent->Color();
        ColorChanged();
    }
}

void TControl::ColorChanged() {
    Invalidate();
    if (auto* self = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < self->ControlCount(); ++i)
            self->Controls(i)->ParentChanged();
}

void TControl::SetFont(TFont* font) {
    if (font) FFont->Assign(font);
}

void TControl::FontChangedHandler(TObject*) {
    FParentFont = false;
    FontChanged();
}

void TControl::SetParentFont(bool value) {
    FParentFont = value;
    if (value && FParent) {
        FFont->OnChange.Clear();
        FFont->Assign(FParent->Font());
        FFont->OnChange = TNotifyEvent::Bind<&TControl::FontChangedHandler>(this);
        FontChanged();
    }
}

void TControl::FontChanged() {
    Invalidate();
    if (auto* self = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < self->ControlCount(); ++i)
            self->Controls(i)->ParentChanged();
}

void TControl::ParentChanged() {
    if (!FParent) return;
    if (FParentColor && FColor != FParent->Color()) {
        FColor = FParent->Color();
        ColorChanged();
    }
    if (FParentFont) SetParentFont(true);
}

void TControl::Changed() {
    Invalidate();
}

void TControl::SetCursor(TCursor cursor) {
    FCursor = cursor;
    CursorChanged();
}

void TControl::ChangeName(const std::string& name) {
    // Not while a form is read: the stream carries the text it wants.
    const bool follow = FControlStyle.Contains(csSetCaption) && FText == Name() &&
                        !ComponentState().Contains(csLoading) &&
                        !(Owner() && Owner()->ComponentState().Contains(csLoading));
    TComponent::ChangeName(name);
    if (follow) SetText(name);
}

void TControl::SetText(const TCaption& text) {
    if (text == FText) return;
    FText = text;
    TextChanged();
}

void TControl::TextChanged() {
    Invalidate();
}

void TControl::BringToFront() {
    SetZOrder(true);
}
void TControl::SendToBack() {
    SetZOrder(false);
}

void TControl::SetZOrder(bool topMost) {
    if (!FParent) return;
    auto& list = FParent->FControls;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    if (topMost)
        list.push_back(this);
    else
        list.insert(list.begin(), this);
    // Aligned controls take their places in this order: the layout follows, as a form read back would
    // lay them out.
    if (FAlign != alNone) FParent->Realign();
    Invalidate();
}

void TControl::Invalidate() {
    if (FParent && FParent->HandleAllocated() && IsShowing()) {
        const TRect r = BoundsRect();
        InvalidateRect(FParent->Handle(), &r, true);
    }
}

void TControl::Update() {
    if (FParent) FParent->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

TCustomForm* GetParentForm(const TControl* control) {
    const TControl* c = control;
    while (c && c->Parent())
        c = c->Parent();
    return c ? dynamic_cast<TCustomForm*>(const_cast<TControl*>(c)) : nullptr;
}

// ---- 4. mouse input ---------------------------------------------------------------------------------------

void TControl::HandleMouseMessage(TMessage& message) {
    const TPoint p = PointFromLParam(message.LParam);
    TShiftState shift = KeysToShiftState(message.WParam);
    auto& drag = TDragSession::Current();
    switch (message.Msg) {
    case WM_MOUSEMOVE:
        MouseMove(shift, p.X, p.Y);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SendCancelMode(this);
        if (FControlStyle.Contains(csCaptureMouse)) drag.SetMouseCapture(this, true);
        if (FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
        if (message.Msg == WM_LBUTTONDBLCLK) {
            shift.Include(ssDouble);
            if (FControlStyle.Contains(csDoubleClicks)) DblClick();
        }
        if (FDragMode == dmAutomatic && message.Msg == WM_LBUTTONDOWN) {
            BeginDrag(false);
            drag.NoteMouseDown(this, ClientToScreen(p));
        }
        MouseDown(mbLeft, shift, p.X, p.Y);
        break;
    case WM_LBUTTONUP:
        if (drag.CaptureControl == this) drag.SetMouseCapture(this, false);
        if (FControlState.Contains(csClicked)) {
            FControlState.Exclude(csClicked);
            if (ClientRect().Contains(p)) Click();
        }
        MouseUp(mbLeft, shift, p.X, p.Y);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        SendCancelMode(this);
        if (message.Msg == WM_RBUTTONDBLCLK) shift.Include(ssDouble);
        MouseDown(mbRight, shift, p.X, p.Y);
        break;
    case WM_RBUTTONUP:
        MouseUp(mbRight, shift, p.X, p.Y);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        MouseDown(mbMiddle, shift, p.X, p.Y);
        break;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, shift, p.X, p.Y);
        break;
    default:
        break;
    }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

// ---- 5. drag and drop -------------------------------------------------------------------------------------

void TControl::BeginDrag(bool immediate, int threshold) {
    TDragSession::Current().Begin(this, immediate, threshold);
}

bool TControl::Dragging() const {
    return TDragSession::Current().Source == this;
}

void TControl::EndDrag(bool drop) {
    if (Dragging()) TDragSession::Current().Finish(drop);
}

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
    accept = static_cast<bool>(OnDragOver);
    if (OnDragOver) OnDragOver(this, source, x, y, state, accept);
}

void TControl::DragDrop(TObject* source, int x, int y) {
    if (OnDragDrop) OnDragDrop(this, source, x, y);
}
