// PopCtrls: TPopupListbox, a list box that pops up as a thin-bordered top-level tool window next to a
// text window. The user picks an entry with the mouse or the keyboard while the keyboard focus stays in
// the text window; the chosen text then goes to that window (or to OnSendValue).
//
// While the list is open it hooks two things:
//   - the target text window's window procedure: its key-down and character messages go to the list
//     (arrows move the selection, typed characters search, Enter chooses, Escape cancels), and the list
//     closes without a choice when the target loses the focus, moves, is hidden or is destroyed;
//   - the owner control's message handler: a cancel-mode notice (a press on another control of the form)
//     closes the list unless OnCancelMode says otherwise.
//
// Two ways to open it: DropDownAt (below a given point, as a drop-down of an editor) and PopupAtCaret
// (at the text caret, with items fetched through OnGetItems; armed with StartCaretPopup).
#pragma once

#include "ui/Control.h"
#include "widgets/ListBox.h"

#include <string>

#pragma GCC visibility push(default)

// (Sender, Kind, S, Offset, AutoSend): called with the chosen text before it is sent; may change all
// three; AutoSend false keeps the list from inserting the text itself.
FW_EVENT_TYPE(TSendValueEvent, void(TObject* Sender, int Kind, std::string& S, int& Offset, bool& AutoSend));
// (Sender, Kind, List): fills the list for a caret popup of the given kind.
FW_EVENT_TYPE(TGetItemsEvent, void(TObject* Sender, int Kind, TStrings* List));
// (Sender, CaretHeight, Pos): may move a caret popup (Pos is the caret in screen coordinates) and change
// the line height it opens below.
FW_EVENT_TYPE(TPopupEvent, void(TObject* Sender, int& CaretHeight, TPoint& Pos));
// (Sender, Message, CanClose): a cancel-mode notice reached the owner control while the list is open;
// CanClose false keeps the list open.
FW_EVENT_TYPE(TCancelModeEvent, void(TObject* Sender, TCMCancelMode& Message, bool& CanClose));

class TPopupListbox : public TListBox {
    FW_CLASS(TPopupListbox, TListBox)
public:
    // Invisible, owner-drawn rows of height 16, whole rows only, colour clInfoBk.
    explicit TPopupListbox(TComponent* owner);
    ~TPopupListbox() override;

    // Opens the list at `p` (screen coordinates) moved down by `offset`, `width` x `height`; near the
    // bottom of the screen it opens above instead (its bottom at p.Y), near the right edge it moves left
    // by its width. `p` receives the position used. `control` is the owner control whose cancel-mode
    // notices close the list, `wnd` the text window whose keys the list takes. Does nothing while open,
    // for an empty list, or when `wnd` is not a visible window.
    void DropDownAt(TWinControl* control, HWND wnd, TPoint& p, int offset, int width, int height);
    // Opens the list at the caret of the focused text window `wnd`, one text line below it, as wide as
    // the widest item; same entry tests as DropDownAt.
    void PopupAtCaret(TWinControl* control, HWND wnd);
    // Closes the list: with `accept` and a selected item, Value() becomes the item's text and it is
    // sent to the target window (SendValue); otherwise Value() is empty. Does nothing when closed.
    void CloseUp(bool accept);
    // Delivers a chosen text: OnSendValue first (without one, kind 2 appends "()" and puts the caret
    // between the parentheses), then, if AutoSend, replaces the target's selection with S and moves the
    // caret `offset` characters from the end of the inserted text (0: leaves it there).
    virtual void SendValue(HWND wnd, std::string S, int offset);

    // Arms the caret popup: after `delay` milliseconds (timer 1 of the list's window) the items are
    // fetched when needed and the list opens at the caret of PopupWindow() for PopupControl().
    void StartCaretPopup(unsigned delay = 0);

    const std::string& Value() const { return FValue; }
    bool DroppedDown() const { return FDroppedDown; }
    // 1 after a close with a choice, 2 after one without.
    int CloseResult() const { return FCloseResult; }
    const std::string& SearchText() const { return FSearchText; }
    // A caller-defined category of the list, handed to OnGetItems and OnSendValue.
    int Kind() const { return FKind; }
    void SetKind(int kind) { FKind = kind; }
    // Fetch the items anew before every caret popup (else only when the kind changed or the list is empty).
    bool AlwaysFetch() const { return FAlwaysFetch; }
    void SetAlwaysFetch(bool value) { FAlwaysFetch = value; }
    TWinControl* PopupControl() const { return FPopupControl; }
    void SetPopupControl(TWinControl* control) { FPopupControl = control; }
    HWND PopupWindow() const { return FPopupWindow; }
    void SetPopupWindow(HWND window) { FPopupWindow = window; }

    TNotifyEvent OnCloseUp;
    TNotifyEvent OnControlChanged;
    TSendValueEvent OnSendValue;
    TGetItemsEvent OnGetItems;
    TPopupEvent OnPopup;
    TCancelModeEvent OnCancelMode;

    void Dispatch(TMessage& message) override;
    // Enter and Escape are the list's own (choose, cancel), not the form's default and cancel buttons.
    bool WantsKey(uint16_t key) const override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void Open(TPoint& p, int offset, int width, int height);
    bool CanOpen(HWND wnd) const;
    void HookTarget(TWinControl* control, HWND wnd);
    void Unhook();
    void TargetWindowProc(TMessage& message);
    void OwnerWindowProc(TMessage& message);
    void CharMessage(TMessage& message);
    bool SearchFor(const std::string& text);
    void TimerMessage(TMessage& message);

    std::string FSearchText;
    std::string FValue;
    HWND FTargetWindow = nullptr;
    TWinControl* FTargetControl = nullptr;
    TWndMethod FSavedTargetProc;
    TWinControl* FOwnerControl = nullptr;
    TWndMethod FSavedOwnerProc;
    int FCloseResult = 0;
    int FKind = 0;
    int FLastKind = 0;
    bool FAlwaysFetch = true;
    bool FDroppedDown = false;
    TWinControl* FPopupControl = nullptr;
    HWND FPopupWindow = nullptr;
};

#pragma GCC visibility pop
