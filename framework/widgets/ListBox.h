// TCustomListBox and TListBox: a list of text lines, each with an attached object, of which the user
// selects one with the mouse or the keyboard.
//
// The list draws itself. Items are drawn in rows of equal height: lbStandard draws the text, and
// lbOwnerDrawFixed hands every row to DrawItem (OnDrawItem) with the canvas already set up for the
// row's state (highlight brush and text colour for the selected row). A vertical scroll bar appears when
// the items overflow. Typing characters selects the next item that begins with the typed prefix (letter
// case ignored; a pause of a second starts a new prefix). Changes to Items show at once.
//
// Coordinates are client coordinates of the list's window; the sunken edge (and the thin border of a
// window made with WS_BORDER) lies inside the window, and the rows start inside it.
#pragma once

#include "core/Strings.h"
#include "ui/CustomControl.h"
#include "ui/Form.h"

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#pragma GCC visibility push(default)

FW_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed);
FW_ENUM(TOwnerDrawStateFlag, odSelected, odGrayed, odDisabled, odChecked, odFocused);
FW_SET(TOwnerDrawState, TOwnerDrawStateFlag);
// Draws one row: `Rect` is the row in client coordinates of `Control`, whose Canvas() to draw on.
FW_EVENT_TYPE(TDrawItemEvent,
              void(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State));

class TControlScrollBars;
class TListBoxStrings;

class TCustomListBox : public TCustomControl {
    FW_CLASS(TCustomListBox, TCustomControl)
public:
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;

    // ---- items
    TStrings* Items() const;
    void SetItems(TStrings* items); // copies the lines and their objects
    void Clear();
    // On a sorted list, added lines go to their place in CompareText order (inserted lines stay where
    // they are put); switching Sorted on sorts the lines.
    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted);

    // ---- selection and scrolling
    // -1 when nothing is selected; out-of-range values select nothing. Setting it scrolls the item into
    // view and fires no event.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int index);
    // The first row shown.
    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int index);
    // The number of whole rows the list shows.
    int VisibleItemCount() const;

    // ---- look
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle style);
    // The row height: the font's line height for lbStandard, the set value for owner-drawn lists.
    int ItemHeight() const;
    void SetItemHeight(int height);
    // bsSingle: a sunken edge inside the window; bsNone: no frame.
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    // The list shows only whole rows: the strip below the last whole row stays empty.
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool value);

    // ---- geometry
    // The row under `pos` (client coordinates). Outside the rows' area, -1. Inside it but below the last
    // item: -1 when `existing`, else Items()->Count().
    int ItemAtPos(TPoint pos, bool existing) const;
    // The rectangle of the row `index` in client coordinates (also for rows scrolled out of view).
    TRect ItemRect(int index) const;
    // The area the rows are drawn in: inside the border, left of the scroll bar, whole rows only when
    // IntegralHeight.
    TRect ItemsArea() const;

    // The first item from `start` on, wrapping around, that begins with `prefix` (ASCII letter case
    // ignored); -1 when none does.
    int FindPrefix(std::string_view prefix, int start = 0) const;

    TDrawItemEvent OnDrawItem;

    // ---- overrides
    int ScrollPosition(int bar) const override;
    void ScrollRange(int bar, int& min, int& max) const override;
    void Dispatch(TMessage& message) override;
    // The native list behaviour: focus look, arrow and page keys, typed prefix search.
    void DefaultHandler(TMessage& message) override;

protected:
    // Draws row `index` on Canvas(): OnDrawItem when assigned, else the brush-filled row with its text
    // 2 pixels from the left, vertically centred.
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    void CreateParams(TCreateParams& params) override;
    HWND CreateWindowHandle(const TCreateParams& params) override;
    void CreateHandle() override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Resize() override;
    void FontChanged() override;
    // The width of the frame inside the window (sunken edge 2, thin border 1).
    int BorderWidth() const { return FBorderWidth; }

private:
    friend class TListBoxStrings;
    void ItemsChanged();
    void ItemInserted(int index);
    void ItemDeleted(int index);
    void UpdateScrollBar();
    void ScrollInView(int index);
    void SelectByUser(int index);
    void MoveSelection(uint16_t key);
    void TypeCharacter(char ch);
    void DrawFrame(TCanvas& canvas);

    std::unique_ptr<TListBoxStrings> FItems;
    std::unique_ptr<TControlScrollBars> FScrollBars;
    int FItemIndex = -1;
    int FTopIndex = 0;
    int FItemHeight = 16;
    int FBorderWidth = 2;
    bool FThinBorder = false;
    bool FSunkenEdge = true;
    bool FSorted = false;
    bool FIntegralHeight = false;
    bool FFocusLook = false;
    bool FTracking = false;
    bool FPressSelected = false;
    bool FUpdating = false;
    TListBoxStyle FStyle = lbStandard;
    TFormBorderStyle FBorderStyle = bsSingle;
    std::string FSearchText;
    std::string FPendingBytes; // the start of a multi-byte character typed so far
    std::chrono::steady_clock::time_point FLastTyped;
};

class TListBox : public TCustomListBox {
    FW_CLASS(TListBox, TCustomListBox)
public:
    explicit TListBox(TComponent* owner);
};

#pragma GCC visibility pop
