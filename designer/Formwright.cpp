// TFormwright: construction, attaching to a root and letting it go, the two message hooks that intercept
// the design surface's input, the root's replaced window procedure (grid painting) and the component
// notifications of the designed form.
#include "Formwright.h"

#include "ComponentList.h"
#include "CustomObjectInspector.h"
#include "DesignCheckWindow.h"
#include "DesignHistory.h"
#include "DesignIdentities.h"
#include "DragGuides.h"
#include "EditContainer.h"
#include "EditGrab.h"
#include "EditSelector.h"
#include "PropertyRecorder.h"
#include "core/Exceptions.h"
#include "core/ScopeGuard.h"
#include "core/SysUtils.h"
#include "dialogs/MessageBox.h"
#include "graphics/Canvas.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/WinControl.h"
#include "widgets/Menus.h"

#include <algorithm>
#include <vector>

FW_PUBLISH(TFormwright) {
    p.Property("SnapToGuides", &TFormwright::SnapToGuides, &TFormwright::SetSnapToGuides).Default(false);
}

// ---- process-wide state of the designer module ------------------------------------------------------------

namespace {

TFormwright* activeDesigner = nullptr;
HHOOK getMessageHookHandle = nullptr;
HHOOK callWndProcHookHandle = nullptr;
// True while a menu loop or a window move/size loop runs: the hooks then pass everything through.
bool hooksSuspended = false;

} // namespace

TFormwright* ActiveDesigner() {
    return activeDesigner;
}

// The hook procedures; a friend of the designer so they can reach its root window state.
struct TFormwrightHooks {
    // Exceptions of the framework raised while the designer handles intercepted input are shown and
    // swallowed, so the user can go on designing; anything else propagates.
    template <class F> static void Guarded(F&& handler) {
        try {
            handler();
        } catch (const Exception& error) {
            TMessageBox::Show(error.Message(), "", MB_OK | MB_ICONERROR);
        }
    }

    static LRESULT GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
        const LRESULT result = CallNextHookEx(getMessageHookHandle, code, wParam, lParam);
        if (code == HC_ACTION && wParam == PM_REMOVE && activeDesigner && !hooksSuspended) {
            MSG& msg = HookRecord<MSG>(lParam);
            Guarded([&] { activeDesigner->HandlePostedMessage(msg); });
        }
        return result;
    }

    static LRESULT CallWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
        const LRESULT result = CallNextHookEx(callWndProcHookHandle, code, wParam, lParam);
        CWPSTRUCT& info = HookRecord<CWPSTRUCT>(lParam);
        switch (info.message) {
        case WM_DESTROY:
            if (activeDesigner && activeDesigner->FRoot && info.hwnd == activeDesigner->FRootWindow) {
                activeDesigner->FRootWindowDestroyed = true;
                Guarded([] { activeDesigner->SetRoot(nullptr); });
                return result;
            }
            break;
        case WM_ENTERMENULOOP:
        case WM_ENTERSIZEMOVE:
            hooksSuspended = true;
            break;
        case WM_EXITMENULOOP:
        case WM_EXITSIZEMOVE:
            hooksSuspended = false;
            break;
        default:
            break;
        }
        if (code == HC_ACTION && activeDesigner && !hooksSuspended)
            Guarded([&] { activeDesigner->HandleSentMessage(info); });
        return result;
    }

    static void Install() {
        if (!getMessageHookHandle) getMessageHookHandle = SetWindowsHookEx(WH_GETMESSAGE, &GetMessageHook);
        if (!callWndProcHookHandle)
            callWndProcHookHandle = SetWindowsHookEx(WH_CALLWNDPROC, &CallWndProcHook);
    }

    static void Remove() {
        if (getMessageHookHandle) UnhookWindowsHookEx(getMessageHookHandle);
        if (callWndProcHookHandle) UnhookWindowsHookEx(callWndProcHookHandle);
        getMessageHookHandle = callWndProcHookHandle = nullptr;
        hooksSuspended = false;
    }
};

// ---- construction -----------------------------------------------------------------------------------------

TFormwright::TFormwright()
    : FIds(std::make_unique<TDesignIdentities>()), FHistory(std::make_unique<TDesignHistory>()),
      FBinaries(std::make_unique<TBinaryCache>()) {
    activeDesigner = this;
    FGrab = std::make_unique<TEditGrab>(this);
    FGuides = std::make_unique<TDragGuides>(this);
    LoadGuideSettings();
}

TFormwright::~TFormwright() {
    try {
        SetRoot(nullptr);
    } catch (...) {
        // A destructor cannot report; the root is let go of as far as it went.
    }
    if (activeDesigner == this) activeDesigner = nullptr;
    FGuides.reset();
    FGrab.reset();
    FreePlaceholders();
    FPopupMenu.reset();
}

// ---- the design surface -----------------------------------------------------------------------------------

TComponent* TFormwright::ComponentOf(TControl* designObject) {
    if (auto* placeholder = dynamic_cast<TEditContainer*>(designObject)) return placeholder->Component();
    return designObject;
}

bool TFormwright::HasDesignObject(TComponent* component) {
    return dynamic_cast<TControl*>(component) || !component->HasParent();
}

bool TFormwright::IsInDesign(TComponent* component) const {
    if (!component || !FRoot || component == FRoot) return false;
    if (component->Owner() != FRoot && (!FDesignedForm || component->Owner() != FDesignedForm)) return false;
    auto* control = dynamic_cast<TControl*>(component);
    if (!control) return FindPlaceholder(component) != nullptr;
    for (TWinControl* parent = control->Parent(); parent; parent = parent->Parent())
        if (parent == FRoot) return true;
    return false;
}

TComponent* TFormwright::LastDesignComponent() const {
    if (!FRoot) return nullptr;
    if (FDesignedForm && FDesignedForm != FRoot)
        for (int i = FDesignedForm->ComponentCount() - 1; i >= 0; --i)
            if (IsInDesign(FDesignedForm->Components(i))) return FDesignedForm->Components(i);
    for (int i = FRoot->ComponentCount() - 1; i >= 0; --i)
        if (TComponent* component = FRoot->Components(i); HasDesignObject(component)) return component;
    return nullptr;
}

bool TFormwright::IsWrittenInDesign(TComponent* component) const {
    if (!component || !FRoot || dynamic_cast<TControl*>(component) || !component->HasParent()) return false;
    if (component->Owner() != FRoot && (!FDesignedForm || component->Owner() != FDesignedForm)) return false;
    for (TComponent* parent = component->GetParentComponent(); parent;
         parent = parent->HasParent() ? parent->GetParentComponent() : nullptr)
        if (IsInDesign(parent)) return true;
    return false;
}

TRect TFormwright::DesignRectOf(TControl* control) const {
    // The root's bounds are in its parent's (or the screen's) coordinates; in its own window it spans
    // its client area.
    if (control == FRoot) return FRoot->ClientRect();
    return control->BoundsRect();
}

HWND TFormwright::DesignWindowOf(TControl* control) const {
    if (!control) return nullptr;
    if (control == FRoot || dynamic_cast<TEditContainer*>(control)) return FRootWindow;
    if (TWinControl* parent = control->Parent()) {
        // The first container the design knows: the root, or a component of the root or of the designed
        // form. Sub-controls owned by something else (a grid's in-place editor) are skipped.
        for (; parent; parent = parent->Parent()) {
            if (parent == FRoot || (FRoot && parent->Owner() == FRoot) ||
                (FDesignedForm && parent->Owner() == FDesignedForm))
                return parent->Handle();
        }
        return nullptr;
    }
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) return windowed->Handle();
    return nullptr;
}

bool TFormwright::IsDesignWindow(HWND window) const {
    if (!window || !FRootWindow) return false;
    if (window == FRootWindow) return true;
    return IsChild(FRootWindow, window) && GetWindowLong(window, GWL_USERDATA) != GrabHandleMarker;
}

TEditContainer* TFormwright::FindPlaceholder(TComponent* component) const {
    for (TEditContainer* placeholder : FPlaceholders)
        if (placeholder->Component() == component) return placeholder;
    return nullptr;
}

TEditContainer* TFormwright::PlaceholderOf(TComponent* component) const {
    if (TEditContainer* placeholder = FindPlaceholder(component)) return placeholder;
    throw EComponentError("Can not find container of this component");
}

void TFormwright::FreePlaceholders() {
    // A placeholder takes itself out of the list when it is freed.
    while (FPlaceholders.Count() > 0) {
        TEditContainer* placeholder = FPlaceholders.Last();
        delete placeholder;
        if (FPlaceholders.Count() > 0 && FPlaceholders.Last() == placeholder)
            FPlaceholders.Delete(FPlaceholders.Count() - 1);
    }
}

// ---- attaching --------------------------------------------------------------------------------------------

void TFormwright::SetRoot(TComponent* newRootComponent) {
    if (newRootComponent == FRoot) return;
    auto* newRoot = dynamic_cast<TWinControl*>(newRootComponent);
    if (newRootComponent && (!newRoot || !GetParentForm(newRoot)))
        throw EInvalidOperation(
            Format("Cannot design %s: it is not a windowed control on a form", newRootComponent->Name()));
    // An embedded frame writes only the controls it owns, and what would be placed in it belongs to the
    // form: it is designed with the form it is on.
    if (newRoot && newRoot->ComponentState().Contains(csInline))
        throw EInvalidOperation(
            Format("Cannot design %s: it is an embedded frame, designed with its form", newRoot->Name()));

    TWinControl* const previousRoot = FRoot;
    auto failed = ScopeGuard([&] {
        // Leave a consistent state: whatever of the new root was taken over is given back, and the
        // previous root is designed again; when that fails too, nothing is designed.
        try {
            Detach();
            if (previousRoot && previousRoot != newRoot) {
                if (Inspector()) {
                    Inspector()->ClearInspection();
                    Inspector()->SetInspectedRoot(previousRoot);
                }
                Attach(previousRoot);
            } else {
                TFormwrightHooks::Remove();
            }
        } catch (...) {
            Detach();
            TFormwrightHooks::Remove();
        }
    });
    Detach();
    if (Inspector()) {
        Inspector()->ClearInspection();
        Inspector()->SetInspectedRoot(newRoot);
    }
    if (newRoot)
        Attach(newRoot);
    else
        TFormwrightHooks::Remove();
    HistoryChanged();
    failed.Dismiss();
}

void TFormwright::Detach() {
    StopDrag();
    EndHistory();
    const bool destroyed = FRootWindowDestroyed;
    // The grab and the selectors chained into the window procedures of the selected objects (the root
    // itself among them after a double-click on it) let go first, in reverse order of attaching.
    ClearSelection(!destroyed);
    if (FRoot) {
        if (FSavedRootWindowProc) {
            FRoot->WindowProc = FSavedRootWindowProc;
            FSavedRootWindowProc = TWndMethod();
        }
        if (!destroyed && FDesignedForm) {
            FDesignedForm->SetDesigning(false);
            if (FDesignedForm->Designer() == this) FDesignedForm->SetDesigner(nullptr);
            RepaintPass(FRoot, false);
        } else if (destroyed && FDesignedForm && !FDesignedForm->ComponentState().Contains(csDestroying) &&
                   FDesignedForm->Designer() == this) {
            // The window is re-created under a living form: it must not keep a designer that let go.
            FDesignedForm->SetDesigner(nullptr);
        }
    }
    FRootWindow = nullptr;
    FreePlaceholders();
    FRootWindowDestroyed = false;
    FRoot = nullptr;
}

void TFormwright::Attach(TWinControl* newRoot) {
    FRoot = newRoot;
    FRootWindow = newRoot->Handle();
    TCustomForm* form = GetParentForm(newRoot);
    form->SetActiveControl(nullptr);
    for (int i = 0; i < newRoot->ComponentCount(); ++i) {
        TComponent* component = newRoot->Components(i);
        if (!HasDesignObject(component) || dynamic_cast<TControl*>(component)) continue;
        auto* placeholder = new TEditContainer(this, component);
        placeholder->Show();
    }
    TFormwrightHooks::Install();
    FSavedRootWindowProc = newRoot->WindowProc;
    newRoot->WindowProc = TWndMethod::Bind<&TFormwright::RootWindowProc>(this);
    newRoot->SetDesigning(true);
    FDesignedForm = form;
    // The designer keeps the form after designing ends, and must hear when it is freed.
    form->FreeNotification(FGrab.get());
    form->SetDesigner(this);
    // The surface the drag feedback is drawn on covers the whole window: made now, it appears with the
    // repaint that attaching causes anyway, not with a second one at the first click.
    ReleaseDC(FRootWindow, GetDC(FRootWindow));
    RepaintPass(newRoot, true);
    StartHistory();
}

void TFormwright::RepaintPass(TControl* control, bool attached) {
    // Repainting the form's window repaints every window in it; asking each of them as well would make
    // Qt weigh every window against all its siblings.
    const bool formRepainted = FDesignedForm && FDesignedForm->HandleAllocated();
    if (formRepainted) InvalidateRect(FDesignedForm->Handle(), nullptr, true);
    RepaintTree(control, attached, !formRepainted);
}

void TFormwright::RepaintTree(TControl* control, bool attached, bool invalidate) {
    if (invalidate) control->Invalidate();
    auto* container = dynamic_cast<TWinControl*>(control);
    if (!container) return;
    for (int i = 0; i < container->ControlCount(); ++i) {
        TControl* child = container->Controls(i);
        if (invalidate) child->Invalidate();
        auto* windowed = dynamic_cast<TWinControl*>(child);
        if (!windowed) continue;
        if (windowed->Visible())
            RepaintTree(windowed, attached, invalidate);
        else if (attached)
            ShowWindow(windowed->Handle(), SW_SHOW); // hidden at run time, visible while designed
        else if (windowed->HandleAllocated())
            ShowWindow(windowed->Handle(), SW_HIDE);
    }
}

// ---- interception -----------------------------------------------------------------------------------------

void TFormwright::HandlePostedMessage(MSG& msg) {
    if (!FRoot) return;
    if (!IsDesignWindow(msg.hwnd)) {
        // Keys typed anywhere in the designed form still reach the designer.
        HWND form = FDesignedForm && FDesignedForm->HandleAllocated() ? FDesignedForm->Handle() : nullptr;
        const bool inForm = form && (msg.hwnd == form || IsChild(form, msg.hwnd));
        if ((msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || !inForm) return;
    }
    // What a key or a click changes is one step of the history; moving the mouse changes nothing.
    const bool edits = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN ||
                       msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONUP ||
                       msg.message == WM_LBUTTONDBLCLK || msg.message == WM_RBUTTONDOWN;
    const TDesignChange change(edits ? this : nullptr);
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: // a key with Alt: matches no key of the designer, but must not reach a control
        KeyPressed(msg);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_RBUTTONDBLCLK:
        msg.message = WM_NULL;
        break;
    case WM_MOUSEMOVE:
        MouseMoved(msg);
        break;
    case WM_LBUTTONDOWN:
        LeftButtonDown(msg);
        break;
    case WM_LBUTTONUP:
        LeftButtonUp(msg);
        break;
    case WM_LBUTTONDBLCLK:
        DoubleClicked(msg);
        break;
    case WM_RBUTTONDOWN:
        RightButtonDown(msg);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        // The middle button would paste the selection into an edit of the design.
        msg.message = WM_NULL;
        break;
    case WM_MOUSEWHEEL:
        // The wheel would change a designed control's value (a combo box's item); the root may scroll.
        if (msg.hwnd != FRootWindow) msg.message = WM_NULL;
        break;
    default:
        break;
    }
}

void TFormwright::HandleSentMessage(CWPSTRUCT& info) {
    if (!IsDesignWindow(info.hwnd)) return;
    if (info.message == WM_CLOSE)
        CloseRequested(info);
    else if (info.message == WM_CANCELMODE)
        StopDrag();
}

void TFormwright::CloseRequested(CWPSTRUCT& info) {
    if (info.hwnd != FRootWindow) return;
    auto* form = dynamic_cast<TCustomForm*>(FRoot);
    if (form && form != Application->MainForm()) ShowWindow(FRootWindow, SW_HIDE);
}

void TFormwright::RootWindowProc(TMessage& message) {
    if (message.Msg == WM_PAINT) {
        // The grid goes on top of the root's own painting (a container paints its face over whatever was
        // there) and under its children: windowed ones are windows of their own, graphic ones are spared.
        // A canvas handed down by an outer window procedure (a selector's corner marks) gets it too.
        if (TCanvas* canvas = TWMPaint::From(message).Canvas) {
            FSavedRootWindowProc(message);
            PaintGrid(*canvas, canvas->ClipRect());
            return;
        }
        const TPaintScope paint(FRootWindow, message);
        if (!paint.Canvas()) {
            FSavedRootWindowProc(message);
            return;
        }
        TWMPaint::SetCanvas(message, paint.Canvas());
        FSavedRootWindowProc(message);
        PaintGrid(*paint.Canvas(), paint.Canvas()->ClipRect());
        TWMPaint::SetCanvas(message, nullptr);
        return;
    }
    FSavedRootWindowProc(message);
    // A load puts the bounds of the file on the root, and a window manager framing the root's window may
    // size it; neither is a change of the user's.
    if (message.Msg == WM_WINDOWPOSCHANGED && FReadingDepth == 0) {
        const WINDOWPOS* pos = TWMWindowPos::From(message).WindowPos;
        const UINT unchanged = SWP_NOSIZE | SWP_NOMOVE;
        if (!pos || ((pos->flags & unchanged) != unchanged && !(pos->flags & SWP_FRAMECHANGED))) {
            FRootWindowChange = FChangeDepth == 0;
            const auto endChange = ScopeGuard([this] { FRootWindowChange = false; });
            NoteChanged(nullptr); // the root, which is written at every step anyway
            Modified();
        }
    }
}

void TFormwright::PaintGrid(TCanvas& canvas, const TRect& rect) {
    if (FGridX < 1 || FGridY < 1) return;
    // The graphic children, painted by the root itself, keep their pixels.
    std::vector<TRect> spared;
    const bool designing = FRoot->ComponentState().Contains(csDesigning);
    const TRect painted(rect.Left, rect.Top, rect.Right + 1, rect.Bottom + 1);
    for (int i = 0; i < FRoot->ControlCount(); ++i) {
        TControl* child = FRoot->Controls(i);
        if (dynamic_cast<TWinControl*>(child)) continue;
        if (child->Visible() || (designing && !child->ControlStyle().Contains(csNoDesignVisible)))
            if (child->BoundsRect().Intersects(painted)) spared.push_back(child->BoundsRect());
    }
    const int scrollX = GetScrollPos(FRootWindow, SB_HORZ);
    const int scrollY = GetScrollPos(FRootWindow, SB_VERT);
    const int firstX = rect.Left - (rect.Left + scrollX + 1) % FGridX + 1;
    const int firstY = rect.Top - (rect.Top + scrollY + 1) % FGridY + 1;
    canvas.DotGrid({firstX, firstY}, {rect.Right, rect.Bottom}, FGridX, FGridY, FGridColor, spared);
}

// ---- notifications from the designed form -----------------------------------------------------------------

void TFormwright::ComponentNotification(TComponent* component, TOperation operation) {
    if (FPasteNames && component->Owner() == FDesignedForm)
        operation == opInsert ? FPasteNames->Added(component->Name())
                              : FPasteNames->Removed(component->Name());
    if (operation == opRemove) {
        // A control that is being destroyed is no control any more by now; only a control taken out of
        // the form alive is told to drop its corner-mark watchers.
        if (auto* control = dynamic_cast<TControl*>(component)) control->Perform(WM_DESIGNRELEASE, 1, 0);
    } else if (operation == opInsert && FDesignedForm && component->Owner() == FDesignedForm) {
        TControl* designObject = dynamic_cast<TControl*>(component);
        // A component put back into the form (a creation-order change) keeps the box it has; one written
        // inside another (a menu item) has none.
        if (!designObject && FRoot && !FindPlaceholder(component) && HasDesignObject(component))
            designObject = new TEditContainer(this, component);
        if (designObject && FPastedComponents) FPastedComponents->Add(designObject);
        if (FPastedIds) FPastedIds->push_back(FIds->IdOf(component));
    }
    if (Inspector()) Inspector()->Notification(component, operation);
}

void TFormwright::DesignObjectDestroyed(TComponent* object) {
    // The object is past its control part: it is matched by address only (a cast to TControl would be
    // undefined now), and only pointers to it are dropped, nothing is sent to it. Controls derive from
    // TComponent alone, so both pointers share the address.
    const void* address = object;
    if (static_cast<const void*>(FDesignedForm) == address) FDesignedForm = nullptr;
    if (static_cast<const void*>(FSelectedChild) == address) {
        FSelectedChild = nullptr;
        if (FDesignedForm && !FDesignedForm->ComponentState().Contains(csDestroying)) SelectionChanged();
        return;
    }
    const bool grabbed = static_cast<const void*>(FGrab->Control()) == address;
    if (!FSelected.count(address) && !grabbed) return;
    FSelection.Remove(address);
    FSelected.erase(address);
    TEditSelector::DropSelectorsOf(address);
    if (grabbed) FGrab->ForgetControl();
    // The grab and the marks follow what stays selected: a single object loses its corner marks and
    // carries the handles, a multiple selection keeps the grab on its first object.
    if (SelectionCount() == 1) {
        InvalidateMarks(Selected(0));
        FGrab->SetControl(Selected(0));
        if (FDragMode == ddNone) FGrab->SetVisible(true);
    } else if (grabbed && SelectionCount() > 1) {
        FGrab->SetControl(Selected(0));
    }
    // A form being torn down is reported by its designer letting go, not object by object.
    if (FDesignedForm && !FDesignedForm->ComponentState().Contains(csDestroying)) SelectionChanged();
}
