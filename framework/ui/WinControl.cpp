// TWinControl: the window, children, tab order, focus, keys and painting.
//
//   1. lifetime and the window
//   2. children and alignment
//   3. tab order and focus
//   4. messages: dispatch, keys, painting, position changes
#include "ui/WinControl.h"
#include "core/ScopeGuard.h"
#include "core/SysUtils.h"

#include "graphics/Canvas.h"
#include "graphics/CanvasPrivate.h"
#include "graphics/Font.h"
#include "graphics/QtConvert.h"
#include "ui/DragSession.h"
#include "ui/Form.h"
#include "ui/NativeDispatch.h"
#include "ui/WidgetLook.h"
#include "ui/WindowRecord.h"
#include "ui/Windows.h"

#include <QPainter>
#include <QRegion>
#include <QWidget>

#include <algorithm>
#include <optional>
#include <unordered_set>
#include <utility>

namespace {

// The window's colours from the control's colour and font colour.
void ApplyWidgetColors(TWinControl* control) {
    if (QWidget* widget = control->HandleAllocated() ? WidgetOf(control->Handle()) : nullptr) {
        const QColor text = ToQColor(control->Font()->Color());
        SetWidgetColors(widget, {{QPalette::Window, ToQColor(control->Color())},
                                 {QPalette::WindowText, text},
                                 {QPalette::ButtonText, text},
                                 {QPalette::Text, text}});
    }
}

// The live windows of the control's windowed children.
std::vector<QWidget*> ChildWidgets(const TWinControl* control) {
    std::vector<QWidget*> widgets;
    for (int i = 0; i < control->ControlCount(); ++i)
        if (auto* child = dynamic_cast<TWinControl*>(control->Controls(i)); child && child->HandleAllocated())
            if (QWidget* widget = WidgetOf(child->Handle())) widgets.push_back(widget);
    return widgets;
}

} // namespace

FW_PUBLISH(TWinControl) {
}

// ================================================================================================
// 1. lifetime and the window
// ================================================================================================

TWinControl* FindControl(HWND window) {
    return dynamic_cast<TWinControl*>(FindWindowOwner(window));
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
}

TWinControl::~TWinControl() {
    Destroying();
    // Children go first, while this control is still whole.
    while (!FControls.empty()) {
        TControl* child = FControls.back();
        RemoveControl(child);
        delete child;
    }
    // The parent forgets this control while it is still a windowed one, tab list included: the base
    // class's destructor would leave a freed control in that list.
    if (Parent()) Parent()->RemoveControl(this);
    if (FHandle) DestroyWnd();
}

HWND TWinControl::Handle() {
    if (!FHandle) {
        if (Parent()) Parent()->HandleNeeded();
        if (!FHandle) CreateWnd();
    }
    if (FWindowDeferred && FHandle) {
        FWindowDeferred = false;
        Parent()->DeferredWindowCreated(this);
    }
    return FHandle;
}

void TWinControl::DeferredWindowCreated(TWinControl* child) {
    // The new window is on top. Children mostly get their windows in the order they stand, which leaves
    // every window in its place; whatever is out of place is restacked once, when no window is deferred
    // any more.
    if (FControls.back() != child) FRestackDeferred = true;
    if (--FDeferredWindows == 0 && std::exchange(FRestackDeferred, false)) UpdateWindowStacking();
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.Caption = Text();
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    if (Parent()) {
        params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
        params.WndParent = Parent()->FHandle;
    } else if (FParentWindow) {
        params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
        params.WndParent = FParentWindow;
    } else {
        params.Style = WS_POPUP;
    }
    if (Visible()) params.Style |= WS_VISIBLE;
    if (!Enabled()) params.Style |= WS_DISABLED;
    if (FTabStop) params.Style |= WS_TABSTOP;
}

HWND TWinControl::CreateWindowHandle(const TCreateParams& params) {
    return CreateFrameworkWindow(this, params);
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    FHandle = CreateWindowHandle(params);
    CreateHandle();
    for (TControl* child : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(child)) w->HandleNeeded();
    UpdateWindowStacking();
    QWidget* widget = WidgetOf(FHandle);
    if (widget && !widget->isWindow())
        widget->setVisible(Visible() || ComponentState().Contains(csDesigning));
}

void TWinControl::CreateHandle() {
    QWidget* widget = WidgetOf(FHandle);
    if (!widget) return;
    SetWidgetFont(widget, ToQFont(*Font()));
    ApplyWidgetColors(this);
    FHandle->FillsBackground = true;
    widget->setCursor(ToQtCursorShape(Cursor()));
    FHandle->Cursor = Cursor();
    widget->setFocusPolicy(FTabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TWinControl::DestroyWnd() {
    HWND handle = FHandle;
    // Children's windows die with this one; they forget their handles through ForgetWidget.
    DestroyFrameworkWindow(handle);
    FHandle = nullptr;
}

void TWinControl::ReleaseHandle() {
    FHandle = nullptr;
}

void TWinControl::RecreateWnd() {
    if (!FHandle) return;
    const bool shown = IsWindowVisible(FHandle);
    DestroyWnd();
    HandleNeeded();
    if (shown) ShowWindow(FHandle, SW_SHOW);
}

void TWinControl::SetParentWindow(HWND window) {
    if (Parent() || window == FParentWindow) return;
    FParentWindow = window;
    if (FHandle && window) {
        ::SetParent(FHandle, window);
    } else if (FHandle) {
        DestroyWnd();
    } else if (window && Visible()) {
        HandleNeeded();
        ShowWindow(FHandle, SW_SHOW);
    }
}

// ================================================================================================
// 2. children and alignment
// ================================================================================================

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw EListError(Format("List index out of bounds (%d)", index));
    return FControls[static_cast<size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control ? control->Parent() : nullptr; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

void TWinControl::InsertControl(TControl* control) {
    control->FParent = this;
    FControls.push_back(control);
    if (control->Align() != alNone) ++FAlignedChildren;
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (windowed) {
        UpdateTabList(windowed, true);
        if (windowed->FHandle && FHandle)
            ::SetParent(windowed->FHandle, FHandle);
        else if (windowed->FHandle)
            windowed->DestroyWnd();
        if (FHandle && !windowed->FHandle && windowed->ComponentState().Contains(csLoading)) {
            windowed->FWindowDeferred = true;
            ++FDeferredWindows;
        } else if (FHandle) {
            windowed->HandleNeeded();
            StackChildWindow(windowed);
            if (FDeferredWindows > 0) FRestackDeferred = true;
        }
    }
    control->ParentChanged();
    Realign();
    control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
    // Controls mostly go in reverse order of coming (the destructors free the last first).
    auto last = std::find(FControls.rbegin(), FControls.rend(), control);
    if (last == FControls.rend()) return;
    control->Invalidate();
    FControls.erase(std::next(last).base());
    if (control->Align() != alNone) --FAlignedChildren;
    auto& drag = TDragSession::Current();
    if (drag.CaptureControl == control) drag.CaptureControl = nullptr;
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        UpdateTabList(windowed, false);
        if (std::exchange(windowed->FWindowDeferred, false)) --FDeferredWindows;
        // A window without a parent control would turn into a top-level window.
        if (windowed->FHandle && !windowed->FParentWindow) windowed->DestroyWnd();
    }
    control->FParent = nullptr;
    Realign();
}

TControl* TWinControl::ControlAtPos(TPoint point, bool allowDisabled, bool allowWindowed) const {
    const bool designing = ComponentState().Contains(csDesigning);
    auto hit = [&](TControl* c, bool windowed) {
        if ((dynamic_cast<TWinControl*>(c) != nullptr) != windowed) return false;
        const bool visible = c->Visible() || (designing && !c->ControlStyle().Contains(csNoDesignVisible));
        return visible && (c->Enabled() || allowDisabled) && c->BoundsRect().Contains(point);
    };
    // Windows lie above the graphic controls drawn on the parent's surface.
    if (allowWindowed)
        for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
            if (hit(*it, true)) return *it;
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
        if (hit(*it, false)) return *it;
    return nullptr;
}

void TWinControl::EnableAlign() {
    if (--FAlignLevel <= 0) {
        FAlignLevel = 0;
        Realign();
    }
}

void TWinControl::Realign() {
    if (FAlignLevel > 0 || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying))
        return;
    TRect rect = ClientRect();
    ++FAlignLevel; // children resizing themselves must not realign again
    AlignControls(nullptr, rect);
    --FAlignLevel;
}

void TWinControl::AlignControls(TControl*, TRect& rect) {
    if (FAlignedChildren == 0) return;
    // Top and bottom take the full width first, then left and right the height left over, then client.
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* c : FControls) {
            if (c->Align() != align || !c->Visible()) continue;
            switch (align) {
            case alTop:
                c->SetBounds(rect.Left, rect.Top, rect.Width(), c->Height());
                rect.Top += c->Height();
                break;
            case alBottom:
                c->SetBounds(rect.Left, rect.Bottom - c->Height(), rect.Width(), c->Height());
                rect.Bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(rect.Left, rect.Top, c->Width(), rect.Height());
                rect.Left += c->Width();
                break;
            case alRight:
                c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), rect.Height());
                rect.Right -= c->Width();
                break;
            case alClient:
                c->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
                break;
            default:
                break;
            }
        }
    }
}

void TWinControl::GetChildren(const TGetChildProc& proc, TComponent* root) {
    for (TControl* c : FControls)
        if (c->Owner() == root) proc(c);
}

void TWinControl::SetChildOrder(TComponent* child, int order) {
    auto it = std::find(FControls.begin(), FControls.end(), child);
    if (it == FControls.end()) return;
    TControl* control = *it;
    FControls.erase(it);
    order = std::clamp(order, 0, static_cast<int>(FControls.size()));
    FControls.insert(FControls.begin() + order, control);
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) StackChildWindow(windowed);
    if (FDeferredWindows > 0) FRestackDeferred = true;
    // Aligned controls take their places in this order.
    if (control->Align() != alNone) Realign();
}

void TWinControl::SetZOrder(bool topMost) {
    TControl::SetZOrder(topMost);
    if (FHandle) SetWindowPos(FHandle, topMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TWinControl::UpdateWindowStacking() {
    std::vector<QWidget*> wanted; // the children's windows, bottom first
    for (TControl* c : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(c))
            if (QWidget* widget = WidgetOf(w->FHandle)) wanted.push_back(widget);
    // The windows already stacked in that order among themselves stay; from the first one out of place
    // on, each is raised in turn. Raising a window repaints it, so raising all of them would repaint the
    // whole parent.
    size_t inPlace = 0;
    if (QWidget* own = WidgetOf(FHandle); own && !wanted.empty()) {
        const std::unordered_set<const QObject*> windows(wanted.begin(), wanted.end());
        for (const QObject* sibling : own->children()) {
            if (inPlace == wanted.size() || (windows.count(sibling) && sibling != wanted[inPlace])) break;
            if (sibling == wanted[inPlace]) ++inPlace;
        }
    }
    for (size_t i = inPlace; i < wanted.size(); ++i)
        wanted[i]->raise();
}

void TWinControl::StackChildWindow(TWinControl* child) {
    QWidget* widget = WidgetOf(child->FHandle);
    if (!widget) return;
    // Only the window that moved is restacked: under the window of the next windowed sibling that has
    // one, or on top.
    auto it = std::find(FControls.rbegin(), FControls.rend(), child);
    for (auto next = it.base(); next != FControls.end(); ++next)
        if (auto* w = dynamic_cast<TWinControl*>(*next))
            if (QWidget* above = WidgetOf(w->FHandle);
                above && above->parentWidget() == widget->parentWidget()) {
                widget->stackUnder(above);
                return;
            }
    widget->raise();
}

void TWinControl::ParentChanged() {
    TControl::ParentChanged();
    if (Parent() && Parent()->FHandle && !FHandle && !FWindowDeferred) HandleNeeded();
}

// ================================================================================================
// 3. tab order and focus
// ================================================================================================

void TWinControl::UpdateTabList(TWinControl* control, bool add) {
    // InsertControl and RemoveControl pair up, so a control joins only a list it is not in. Controls
    // mostly go in reverse order of coming, so the search runs from the back.
    if (add) {
        FTabList.push_back(control);
        return;
    }
    auto it = std::find(FTabList.rbegin(), FTabList.rend(), control);
    if (it != FTabList.rend()) FTabList.erase(std::next(it).base());
}

int TWinControl::TabOrder() const {
    if (!Parent()) return -1;
    if (FPendingTabOrder != -2) return FPendingTabOrder;
    const auto& list = Parent()->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (ComponentState().Contains(csLoading)) {
        FPendingTabOrder = order;
        return;
    }
    MoveInTabList(order);
}

void TWinControl::MoveInTabList(int order) {
    if (!Parent()) return;
    auto& list = Parent()->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    const int count = static_cast<int>(list.size());
    if (order < 0 || order >= count) order = count - 1;
    list.erase(it);
    list.insert(list.begin() + order, this);
}

void TWinControl::Loaded() {
    TControl::Loaded();
    if (FWindowDeferred) {
        if (Parent()->FHandle)
            HandleNeeded();
        else if (std::exchange(FWindowDeferred, false))
            Parent()->DeferredWindowCreated(this);
    }
    if (FPendingTabOrder != -2) {
        if (Parent())
            Parent()->ApplyPendingTabOrders();
        else
            FPendingTabOrder = -2;
    }
    Realign();
}

void TWinControl::ApplyPendingTabOrders() {
    // Children are read in creation order, not in tab order: their tab orders are applied lowest first,
    // so each lands where it was read whatever order the children came in.
    std::vector<TWinControl*> pending;
    for (TWinControl* c : FTabList)
        if (c->FPendingTabOrder != -2) pending.push_back(c);
    std::stable_sort(pending.begin(), pending.end(), [](const TWinControl* a, const TWinControl* b) {
        return a->FPendingTabOrder < b->FPendingTabOrder;
    });
    for (TWinControl* c : pending) {
        const int order = c->FPendingTabOrder;
        c->FPendingTabOrder = -2;
        c->MoveInTabList(order);
    }
}

void TWinControl::SetTabStop(bool value) {
    FTabStop = value;
    if (QWidget* widget = WidgetOf(FHandle)) widget->setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : FTabList) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

bool TWinControl::Focused() const {
    QWidget* widget = WidgetOf(FHandle);
    return widget && widget->hasFocus();
}

void TWinControl::SetFocus() {
    if (TCustomForm* form = GetParentForm(this); form && form != this) form->SetActiveControl(this);
    if (QWidget* widget = WidgetOf(Handle())) widget->setFocus(Qt::OtherFocusReason);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

// ================================================================================================
// 4. messages
// ================================================================================================

void TWinControl::WndProc(TMessage& message) {
    if (message.Msg >= WM_MOUSEMOVE && message.Msg <= WM_MBUTTONDBLCLK && ForwardMouseToGraphicChild(message))
        return;
    TControl::WndProc(message);
}

// Mouse messages over a graphic child, or for the graphic child holding the capture, go to that child.
bool TWinControl::ForwardMouseToGraphicChild(TMessage& message) {
    const TPoint p = PointFromLParam(message.LParam);
    TControl* child = TDragSession::Current().CaptureControl;
    if (child && child->Parent() != this) child = nullptr;
    if (child && dynamic_cast<TWinControl*>(child)) child = nullptr;
    if (!child && GetCapture() == FHandle && TDragSession::Current().CaptureControl == this) return false;
    if (!child) child = ControlAtPos(p, false);
    if (!child) return false;
    TMessage forwarded = message;
    forwarded.LParam = MAKELPARAM(p.X - child->Left(), p.Y - child->Top());
    child->WindowProc(forwarded);
    message.Result = forwarded.Result;
    return true;
}

void TWinControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        WMPaint(message);
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        uint16_t key = TWMKey::From(message).Key;
        // A form that previews keys sees them before its focused control does.
        TCustomForm* previewer = GetParentForm(this);
        if (previewer && previewer != this && previewer->KeyPreview()) {
            previewer->KeyDown(key, KeyboardStateToShiftState());
            if (key == 0) return;
        }
        KeyDown(key, KeyboardStateToShiftState());
        if (key == 0) return;
        if ((key == VK_RETURN || key == VK_ESCAPE || key == VK_TAB) && !WantsKey(key)) {
            TCustomForm* form = GetParentForm(this);
            if (form && form->DialogKey(key, KeyboardStateToShiftState())) return;
        }
        TWMKey::SetKey(message, key);
        break;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
        char key = static_cast<char>(TWMChar::From(message).Char);
        KeyPress(key);
        if (key == 0) return;
        TWMChar::SetChar(message, static_cast<unsigned char>(key));
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        uint16_t key = TWMKey::From(message).Key;
        KeyUp(key, KeyboardStateToShiftState());
        if (key == 0) return;
        break;
    }
    case WM_SETFOCUS:
        if (TCustomForm* form = GetParentForm(this); form && form != this) form->FocusChanged(this);
        DefaultHandler(message);
        DoEnter();
        return;
    case WM_KILLFOCUS:
        DefaultHandler(message);
        DoExit();
        return;
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(message);
        WindowPosChanged(message);
        return;
    default:
        break;
    }
    TControl::Dispatch(message);
}

void TWinControl::DefaultHandler(TMessage& message) {
    message.Result = RunNativeHandling(this, message) ? 1 : 0;
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::WMPaint(TMessage& message) {
    if (TCanvas* canvas = TWMPaint::From(message).Canvas) {
        PaintWindow(*canvas);
        PaintControls(*canvas);
        return;
    }
    const TPaintScope paint(FHandle, message);
    if (!paint.Canvas()) return;
    PaintWindow(*paint.Canvas());
    PaintControls(*paint.Canvas());
}

void TWinControl::PaintWindow(TCanvas&) {
}

void TWinControl::PaintControls(TCanvas& canvas) {
    const bool designing = ComponentState().Contains(csDesigning);
    TCanvasPrivate& surface = TCanvasAccess::Private(canvas);
    const TPoint origin = canvas.Origin();
    const std::optional<QRegion> clip = surface.Clip;
    const TRect visible = canvas.ClipRect();
    for (TControl* c : FControls) {
        if (dynamic_cast<TWinControl*>(c)) continue;
        if (!c->Visible() && !(designing && !c->ControlStyle().Contains(csNoDesignVisible))) continue;
        const TRect bounds = c->BoundsRect();
        if (!visible.Intersects(bounds)) continue;
        // The child draws in its own coordinates, clipped to its bounds; the canvas is put back after.
        canvas.SetOrigin({origin.X + bounds.Left, origin.Y + bounds.Top});
        canvas.IntersectClipRect({0, 0, bounds.Width(), bounds.Height()});
        const auto restoreCanvas = ScopeGuard([&] {
            canvas.SetOrigin(origin);
            surface.Clip = clip;
        });
        c->Perform(TWMPaint{&canvas}.ToMessage());
    }
}

void TWinControl::WindowPosChanged(const TMessage& message) {
    const WINDOWPOS* pos = TWMWindowPos::From(message).WindowPos;
    if (!pos) return;

    const bool moved = !(pos->flags & SWP_NOMOVE) && (pos->x != Left() || pos->y != Top());
    const bool sized = !(pos->flags & SWP_NOSIZE) && (pos->cx != Width() || pos->cy != Height());
    // The window moved on its own (the user dragged a form's frame): adopt its bounds.
    if (moved || sized)
        TControl::SetBounds(moved ? pos->x : Left(), moved ? pos->y : Top(), sized ? pos->cx : Width(),
                            sized ? pos->cy : Height());
    // A new frame changes the client area within the same bounds.
    if ((pos->flags & SWP_FRAMECHANGED) && !sized) {
        Realign();
        Resize();
    }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    TControl::SetBounds(left, top, width, height);
}

void TWinControl::BoundsChanged() {
    if (FHandle) {
        SetWindowPos(FHandle, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        Realign();
    }
}

TRect TWinControl::ClientRect() const {
    if (QWidget* widget = WidgetOf(FHandle)) return {0, 0, widget->width(), widget->height()};
    return TControl::ClientRect();
}

TPoint TWinControl::ClientOrigin() const {
    if (FHandle) return ::ClientToScreen(FHandle, TPoint{0, 0});
    return TControl::ClientOrigin();
}

void TWinControl::Invalidate() {
    if (FHandle) InvalidateRect(FHandle, nullptr, true);
}

void TWinControl::Update() {
    if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::VisibleChanged() {
    if (ComponentState().Contains(csDesigning) && !dynamic_cast<TCustomForm*>(this)) return;
    if (Visible()) {
        if (Parent() || FParentWindow || dynamic_cast<TCustomForm*>(this)) ShowWindow(Handle(), SW_SHOW);
    } else if (FHandle) {
        ShowWindow(FHandle, SW_HIDE);
    }
}

void TWinControl::EnabledChanged() {
    if (QWidget* widget = WidgetOf(FHandle)) widget->setEnabled(Enabled());
}

void TWinControl::ColorChanged() {
    if (FHandle) {
        // The children's windows inherit what they share with this one; the children that follow this
        // control's colour take the new one once told, the others keep theirs.
        for (QWidget* child : ChildWidgets(this))
            KeepWidgetColors(child);
        ApplyWidgetColors(this);
    }
    TControl::ColorChanged();
}

void TWinControl::FontChanged() {
    if (QWidget* widget = WidgetOf(FHandle)) {
        for (QWidget* child : ChildWidgets(this)) {
            KeepWidgetFont(child);
            KeepWidgetColors(child);
        }
        SetWidgetFont(widget, ToQFont(*Font()));
        ApplyWidgetColors(this);
    }
    TControl::FontChanged();
}

void TWinControl::TextChanged() {
    if (QWidget* widget = WidgetOf(FHandle); widget && widget->isWindow())
        widget->setWindowTitle(ToQString(Text()));
    TControl::TextChanged();
}

void TWinControl::CursorChanged() {
    if (QWidget* widget = WidgetOf(FHandle)) {
        widget->setCursor(ToQtCursorShape(Cursor()));
        FHandle->Cursor = Cursor();
    }
}
