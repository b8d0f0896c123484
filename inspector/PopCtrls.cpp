// TPopupListbox: opening and closing, the two hooks, typed search, choosing and sending the value, the
// caret popup.
#include "PopCtrls.h"

#include "core/ScopeGuard.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/Font.h"
#include "ui/Windows.h"
#include "widgets/Edit.h"

#include <algorithm>

namespace {

// The start of a multi-byte character typed so far; one buffer for all lists, as there is one keyboard.
std::string& PendingBytes() {
    static std::string bytes;
    return bytes;
}

// The number of bytes of the UTF-8 sequence that begins with `lead`; 0 for a continuation byte.
size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 0;
}

// Moves the popup so that it fits on the screen: below the line by default, above it near the bottom,
// left by its width near the right edge.
void AdjustPosition(TPoint& p, int offset, int height, int width) {
    p.Y += offset;
    if (p.Y + height > GetSystemMetrics(SM_CYSCREEN)) p.Y -= offset + height;
    if (p.X + width > GetSystemMetrics(SM_CXSCREEN)) p.X -= width;
}

enum : uintptr_t { kCaretPopupTimer = 1 };

} // namespace

FW_PUBLISH(TPopupListbox) {
    p.Event("OnCloseUp", &TPopupListbox::OnCloseUp);
    p.Event("OnControlChanged", &TPopupListbox::OnControlChanged);
    p.Event("OnSendValue", &TPopupListbox::OnSendValue);
    p.Event("OnGetItems", &TPopupListbox::OnGetItems);
    p.Event("OnPopup", &TPopupListbox::OnPopup);
    p.Event("OnCancelMode", &TPopupListbox::OnCancelMode);
}

TPopupListbox::TPopupListbox(TComponent* owner) : TListBox(owner) {
    SetVisible(false);
    SetStyle(lbOwnerDrawFixed);
    SetItemHeight(16);
    SetIntegralHeight(true);
    SetColor(clInfoBk);
    // The list never takes the focus: the text window keeps it while the list is open.
    SetTabStop(false);
}

TPopupListbox::~TPopupListbox() {
    if (HandleAllocated()) KillTimer(Handle(), kCaretPopupTimer);
    Unhook();
}

// ---- the window -------------------------------------------------------------------------------------------

void TPopupListbox::CreateParams(TCreateParams& params) {
    TListBox::CreateParams(params);
    params.Style |= WS_BORDER;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    if (!ComponentState().Contains(csDesigning)) {
        // A top-level window of its own, so the list can reach outside its owner's form.
        params.Style &= ~(WS_CHILD | WS_POPUP | WS_VISIBLE);
        params.WndParent = nullptr;
    }
}

void TPopupListbox::CreateWnd() {
    TListBox::CreateWnd();
    // The list looks focused (its selection shows as a focused one) while the focus stays elsewhere.
    TMessage setFocus{WM_SETFOCUS, 0, 0, 0};
    TListBox::DefaultHandler(setFocus);
}

void TPopupListbox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    TCanvas& canvas = *Canvas();
    canvas.FillRect(rect);
    if (index < 0 || index >= Items()->Count()) return;
    TRect text = rect;
    text.Left += 2;
    canvas.DrawText(text, Items()->Strings(index), DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

// ---- opening ----------------------------------------------------------------------------------------------

bool TPopupListbox::CanOpen(HWND wnd) const {
    return !FDroppedDown && Items()->Count() > 0 && IsWindow(wnd) && IsWindowVisible(wnd);
}

void TPopupListbox::Open(TPoint& p, int offset, int width, int height) {
    AdjustPosition(p, offset, height, width);
    FDroppedDown = true;
    SetWindowPos(Handle(), HWND_TOP, p.X, p.Y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TPopupListbox::DropDownAt(TWinControl* control, HWND wnd, TPoint& p, int offset, int width, int height) {
    if (!CanOpen(wnd)) return;
    HookTarget(control, wnd);
    Open(p, offset, width, height);
}

void TPopupListbox::PopupAtCaret(TWinControl* control, HWND wnd) {
    if (!CanOpen(wnd)) return;
    HookTarget(control, wnd);

    // One line of the target's text: the height of a double-byte character in its font.
    TBitmap measure;
    measure.SetSize(1, 1);
    if (TWinControl* target = FindControl(wnd)) measure.Canvas()->SetFont(target->Font());
    int caretHeight = measure.Canvas()->TextHeight("\xE5\x9B\xBD");

    TPoint caret;
    if (!GetCaretPos(caret)) caret = {0, 0};
    TPoint p = ::ClientToScreen(wnd, caret);

    measure.Canvas()->SetFont(Font());
    int widest = 0;
    for (int i = 0; i < Items()->Count(); ++i)
        widest = std::max(widest, measure.Canvas()->TextWidth(Items()->Strings(i)));
    const int width = widest + GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXBORDER) + 6;

    if (OnPopup) OnPopup(this, caretHeight, p);
    Open(p, caretHeight, width, Height());
}

void TPopupListbox::StartCaretPopup(unsigned delay) {
    SetTimer(Handle(), kCaretPopupTimer, delay);
}

void TPopupListbox::TimerMessage(TMessage& message) {
    if (message.WParam != kCaretPopupTimer) return;
    KillTimer(Handle(), kCaretPopupTimer);
    if (!FPopupControl) return;
    if (FAlwaysFetch || FKind != FLastKind || Items()->Count() == 0) {
        FLastKind = FKind;
        const auto update = UpdateScope(*Items());
        Items()->Clear();
        if (OnGetItems) OnGetItems(this, FKind, Items());
    }
    if (Items()->Count() > 0) PopupAtCaret(FPopupControl, FPopupWindow);
}

// ---- closing and sending ----------------------------------------------------------------------------------

void TPopupListbox::CloseUp(bool accept) {
    if (!FDroppedDown) return;
    FDroppedDown = false;
    HWND target = FTargetWindow;
    Unhook();
    if (HWND capture = GetCapture()) SendMessage(capture, WM_CANCELMODE, 0, 0);
    if (accept && ItemIndex() >= 0) {
        FValue = Items()->Strings(ItemIndex());
        FCloseResult = 1;
    } else {
        FValue.clear();
        FCloseResult = 2;
    }
    FSearchText.clear();
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    if (FCloseResult == 1) SendValue(target, FValue, 0);
    if (OnCloseUp) OnCloseUp(this);
}

void TPopupListbox::SendValue(HWND wnd, std::string S, int offset) {
    bool autoSend = true;
    if (OnSendValue) {
        OnSendValue(this, FKind, S, offset, autoSend);
    } else if (FKind == 2) {
        S += "()";
        offset = -1;
    }
    if (!autoSend) return;
    auto* edit = dynamic_cast<TEdit*>(FindControl(wnd));
    if (!edit) return;
    const int start = edit->SelStart();
    edit->SetSelText(S);
    if (offset != 0) {
        const int caret =
            std::clamp(start + static_cast<int>(S.size()) + offset, 0, static_cast<int>(edit->Text().size()));
        edit->SetSelStart(caret);
        edit->SetSelLength(0);
        edit->SetModified(true);
    }
}

// ---- the hooks --------------------------------------------------------------------------------------------

void TPopupListbox::HookTarget(TWinControl* control, HWND wnd) {
    Unhook();
    FTargetControl = FindControl(wnd);
    if (FTargetControl) {
        FTargetWindow = wnd;
        FSavedTargetProc = FTargetControl->WindowProc;
        FTargetControl->WindowProc = TWndMethod::Bind<&TPopupListbox::TargetWindowProc>(this);
        FTargetControl->FreeNotification(this);
    }
    if (control) {
        FOwnerControl = control;
        FSavedOwnerProc = control->WindowProc;
        control->WindowProc = TWndMethod::Bind<&TPopupListbox::OwnerWindowProc>(this);
        control->FreeNotification(this);
    }
}

void TPopupListbox::Unhook() {
    // In reverse order of hooking: the owner control may be the target control too.
    if (FOwnerControl) {
        FOwnerControl->WindowProc = FSavedOwnerProc;
        if (FOwnerControl != FTargetControl) FOwnerControl->RemoveFreeNotification(this);
        FOwnerControl = nullptr;
        FSavedOwnerProc = {};
    }
    if (FTargetControl) {
        FTargetControl->WindowProc = FSavedTargetProc;
        FTargetControl->RemoveFreeNotification(this);
        FTargetControl = nullptr;
        FSavedTargetProc = {};
    }
    FTargetWindow = nullptr;
}

void TPopupListbox::Notification(TComponent* component, TOperation operation) {
    TListBox::Notification(component, operation);
    if (operation != opRemove) return;
    // A hooked control going away takes its window procedure with it: nothing to put back.
    if (component == FOwnerControl) {
        FOwnerControl = nullptr;
        FSavedOwnerProc = {};
    }
    if (component == FTargetControl) {
        FTargetControl = nullptr;
        FSavedTargetProc = {};
        FTargetWindow = nullptr;
        CloseUp(false);
    }
}

void TPopupListbox::TargetWindowProc(TMessage& message) {
    switch (message.Msg) {
    case WM_DESTROY:
    case WM_KILLFOCUS:
    case WM_WINDOWPOSCHANGED:
        FSavedTargetProc(message);
        CloseUp(false);
        return;
    case WM_SHOWWINDOW:
        // A hidden target (or one whose window was hidden) takes no more keys: the list goes with it.
        FSavedTargetProc(message);
        if (message.WParam == 0) CloseUp(false);
        return;
    case WM_KEYDOWN:
        // The key's characters still follow (to this procedure, so to the list as well).
        TranslateKeyDown(FTargetWindow, message);
        WindowProc(message);
        return;
    case WM_CHAR:
        WindowProc(message);
        return;
    default:
        FSavedTargetProc(message);
        return;
    }
}

void TPopupListbox::OwnerWindowProc(TMessage& message) {
    TWndMethod saved = FSavedOwnerProc;
    if (message.Msg == CM_CANCELMODE) {
        TCMCancelMode cancel = TCMCancelMode::From(message);
        if (cancel.Sender != FOwnerControl && cancel.Sender != this) {
            bool canClose = true;
            if (OnCancelMode) OnCancelMode(this, cancel, canClose);
            if (canClose) CloseUp(false);
        }
    }
    saved(message);
}

// ---- keys and mouse ---------------------------------------------------------------------------------------

bool TPopupListbox::WantsKey(uint16_t key) const {
    return key == VK_RETURN || key == VK_ESCAPE || TListBox::WantsKey(key);
}

bool TPopupListbox::SearchFor(const std::string& text) {
    const int found = FindPrefix(text, 0);
    if (found < 0) return false;
    SetItemIndex(found);
    return true;
}

void TPopupListbox::CharMessage(TMessage& message) {
    const unsigned char ch = TWMChar::From(message).Char;
    if (ch == VK_BACK) {
        FSearchText.clear();
        SetItemIndex(-1);
    } else if (ch == VK_RETURN) {
        CloseUp(true);
    } else if (ch == VK_ESCAPE) {
        CloseUp(false);
    } else if (ch < 0x80) {
        const std::string candidate = FSearchText + static_cast<char>(ch);
        if (SearchFor(candidate)) FSearchText = candidate;
    } else {
        // A multi-byte character is searched for whole, once its last byte has arrived.
        std::string& pending = PendingBytes();
        if (SequenceLength(ch) != 0) pending.clear();
        if (pending.empty() && SequenceLength(ch) == 0) return; // a stray continuation byte
        pending += static_cast<char>(ch);
        if (pending.size() < SequenceLength(static_cast<unsigned char>(pending[0]))) return;
        const std::string candidate = FSearchText + pending;
        pending.clear();
        if (SearchFor(candidate)) FSearchText = candidate;
    }
}

void TPopupListbox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_CHAR: {
        const unsigned char ch = TWMChar::From(message).Char;
        if (ch >= 32 || ch == VK_BACK || ch == VK_RETURN || ch == VK_ESCAPE) {
            CharMessage(message);
            return;
        }
        break;
    }

    case WM_TIMER:
        TimerMessage(message);
        return;
    default:
        break;
    }
    TListBox::Dispatch(message);
}

void TPopupListbox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TListBox::MouseUp(button, shift, x, y);
    if (button == mbLeft && x > 0 && x < Width() && y > 0 && y < Height()) CloseUp(true);
}
