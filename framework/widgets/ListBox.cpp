// TCustomListBox: items storage, geometry, painting, mouse and keyboard.
//
//   1. the items (TListBoxStrings)
//   2. lifetime, properties and geometry
//   3. painting
//   4. input: mouse, keys, typed prefix search
#include "widgets/ListBox.h"
#include "core/ClassRegistry.h"

#include "core/SysUtils.h"
#include "graphics/Canvas.h"
#include "graphics/Font.h"
#include "graphics/QtConvert.h"
#include "ui/WindowRecord.h"
#include "ui/Windows.h"
#include "widgets/ControlScrollBars.h"
#include "widgets/ControlTypes.h"
#include "widgets/ItemStrings.h"
#include "widgets/StandardProperties.h"

#include <QFontMetrics>

#include <algorithm>
#include <vector>

// ---- 1. the items -----------------------------------------------------------------------------------------

// The lines of a list box, shown by the list at once.
class TListBoxStrings : public TItemStrings {
    FW_CLASS(TListBoxStrings, TItemStrings)
public:
    explicit TListBoxStrings(TCustomListBox* listBox) : FListBox(listBox) {}

protected:
    bool Sorted() const override { return FListBox->Sorted(); }
    void ItemsChanged() override { FListBox->ItemsChanged(); }
    void ItemInserted(int index) override { FListBox->ItemInserted(index); }
    void ItemDeleted(int index) override { FListBox->ItemDeleted(index); }
    void ItemsCleared() override {
        FListBox->FItemIndex = -1;
        FListBox->FTopIndex = 0;
    }
    void SetUpdateState(bool updating) override {
        FListBox->FUpdating = updating;
        if (!updating) FListBox->ItemsChanged();
    }

private:
    TCustomListBox* FListBox;
};

FW_PUBLISH(TListBoxStrings) {
}

// ---- 2. lifetime, properties and geometry -----------------------------------------------------------------

FW_PUBLISH(TCustomListBox) {
}

TCustomListBox::TCustomListBox(TComponent* owner)
    : TCustomControl(owner), FItems(std::make_unique<TListBoxStrings>(this)),
      FScrollBars(std::make_unique<TControlScrollBars>([this](int bar, int position) {
          if (bar == SB_VERT) SetTopIndex(position);
      })) {
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
    // The list reports clicks itself: when a press selects an item, not on every release.
    TControlStyle style = ControlStyle();
    style.Exclude(csClickEvents);
    SetControlStyle(style);
}

TCustomListBox::~TCustomListBox() = default;

TStrings* TCustomListBox::Items() const {
    return FItems.get();
}

void TCustomListBox::SetItems(TStrings* items) {
    if (items && items != FItems.get()) FItems->Assign(*items);
}

void TCustomListBox::Clear() {
    FItems->Clear();
}

void TCustomListBox::SetSorted(bool sorted) {
    if (sorted == FSorted) return;
    FSorted = sorted;
    if (sorted) FItems->Sort();
}

void TCustomListBox::SetItemIndex(int index) {
    if (index < -1 || index >= FItems->Count()) index = -1;
    const int old = FItemIndex;
    FItemIndex = index;
    if (HandleAllocated() && index != old) {
        for (int i : {old, index}) {
            if (i < 0) continue;
            const TRect r = ItemRect(i);
            InvalidateRect(Handle(), &r, false);
        }
    }
    if (index >= 0) ScrollInView(index);
}

void TCustomListBox::SetTopIndex(int index) {
    const int maxTop = std::max(FItems->Count() - std::max(VisibleItemCount(), 1), 0);
    index = std::clamp(index, 0, maxTop);
    if (index == FTopIndex) return;
    FTopIndex = index;
    UpdateScrollBar();
    Invalidate();
}

void TCustomListBox::ScrollInView(int index) {
    const int visible = std::max(VisibleItemCount(), 1);
    if (index < FTopIndex)
        SetTopIndex(index);
    else if (index >= FTopIndex + visible)
        SetTopIndex(index - visible + 1);
}

void TCustomListBox::SetStyle(TListBoxStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    ItemsChanged();
}

int TCustomListBox::ItemHeight() const {
    if (FStyle != lbStandard) return FItemHeight;
    return std::max(QFontMetrics(ToQFont(*Font())).height(), 1);
}

void TCustomListBox::SetItemHeight(int height) {
    if (height <= 0) return;
    FItemHeight = height;
    ItemsChanged();
}

void TCustomListBox::SetIntegralHeight(bool value) {
    FIntegralHeight = value;
    ItemsChanged();
}

TRect TCustomListBox::ItemsArea() const {
    TRect area = ClientRect();
    area.Inflate(-FBorderWidth, -FBorderWidth);
    if (FScrollBars->Shown(SB_VERT)) area.Right -= TControlScrollBars::Extent();
    if (FIntegralHeight) {
        const int height = ItemHeight();
        area.Bottom = area.Top + std::max(area.Height(), 0) / height * height;
    }
    area.Right = std::max(area.Right, area.Left);
    area.Bottom = std::max(area.Bottom, area.Top);
    return area;
}

int TCustomListBox::VisibleItemCount() const {
    TRect inner = ClientRect();
    inner.Inflate(-FBorderWidth, -FBorderWidth);
    return std::max(inner.Height(), 0) / ItemHeight();
}

TRect TCustomListBox::ItemRect(int index) const {
    const TRect area = ItemsArea();
    const int height = ItemHeight();
    const int top = area.Top + (index - FTopIndex) * height;
    return {area.Left, top, area.Right, top + height};
}

int TCustomListBox::ItemAtPos(TPoint pos, bool existing) const {
    const TRect area = ItemsArea();
    if (!area.Contains(pos)) return -1;
    const int index = FTopIndex + (pos.Y - area.Top) / ItemHeight();
    if (index < FItems->Count()) return index;
    return existing ? -1 : FItems->Count();
}

int TCustomListBox::FindPrefix(std::string_view prefix, int start) const {
    const int count = FItems->Count();
    if (count == 0 || prefix.empty()) return -1;
    start = ((start % count) + count) % count;
    for (int n = 0; n < count; ++n) {
        const int i = (start + n) % count;
        const std::string text = FItems->Strings(i);
        if (text.size() >= prefix.size() && SameText(std::string_view(text).substr(0, prefix.size()), prefix))
            return i;
    }
    return -1;
}

void TCustomListBox::ItemsChanged() {
    if (FUpdating) return;
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    const int maxTop = std::max(FItems->Count() - std::max(VisibleItemCount(), 1), 0);
    FTopIndex = std::clamp(FTopIndex, 0, maxTop);
    UpdateScrollBar();
    Invalidate();
}

void TCustomListBox::ItemInserted(int index) {
    // The selection stays on the item it was on.
    if (FItemIndex >= index) ++FItemIndex;
    ItemsChanged();
}

void TCustomListBox::ItemDeleted(int index) {
    if (FItemIndex == index)
        FItemIndex = -1;
    else if (FItemIndex > index)
        --FItemIndex;
    ItemsChanged();
}

void TCustomListBox::UpdateScrollBar() {
    const int visible = std::max(VisibleItemCount(), 1);
    const int maxTop = std::max(FItems->Count() - visible, 0);
    const bool wasShown = FScrollBars->Shown(SB_VERT);
    FScrollBars->Set(SB_VERT, maxTop, visible, FTopIndex, true);
    TRect inner = ClientRect();
    inner.Inflate(-FBorderWidth, -FBorderWidth);
    FScrollBars->Layout(inner);
    if (wasShown != FScrollBars->Shown(SB_VERT)) Invalidate();
}

int TCustomListBox::ScrollPosition(int bar) const {
    return bar == SB_VERT && FScrollBars->Shown(SB_VERT) ? FScrollBars->Position(SB_VERT) : 0;
}

void TCustomListBox::ScrollRange(int bar, int& min, int& max) const {
    min = 0;
    max = bar == SB_VERT && FScrollBars->Shown(SB_VERT) ? FScrollBars->Max(SB_VERT) : 0;
}

void TCustomListBox::SetBorderStyle(TFormBorderStyle style) {
    style = style == bsNone ? bsNone : bsSingle;
    if (style == FBorderStyle) return;
    FBorderStyle = style;
    FSunkenEdge = style == bsSingle;
    FBorderWidth = (FSunkenEdge ? 2 : 0) + (FThinBorder ? 1 : 0);
    RecreateWnd();
    ItemsChanged();
}

void TCustomListBox::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

HWND TCustomListBox::CreateWindowHandle(const TCreateParams& params) {
    // The frame follows the window's parameters, so a descendant can choose a thin border instead.
    FSunkenEdge = params.ExStyle & WS_EX_CLIENTEDGE;
    FThinBorder = params.Style & WS_BORDER;
    FBorderWidth = (FSunkenEdge ? 2 : 0) + (FThinBorder ? 1 : 0);
    return TCustomControl::CreateWindowHandle(params);
}

void TCustomListBox::CreateHandle() {
    TCustomControl::CreateHandle();
    FScrollBars->Attach(Handle());
    ItemsChanged();
}

void TCustomListBox::Resize() {
    ItemsChanged();
    TCustomControl::Resize();
}

void TCustomListBox::FontChanged() {
    TCustomControl::FontChanged();
    ItemsChanged();
}

// ---- 3. painting ------------------------------------------------------------------------------------------

void TCustomListBox::DrawFrame(TCanvas& canvas) {
    TRect frame = ClientRect();
    if (FThinBorder) {
        canvas.Brush()->SetColor(clWindowFrame);
        canvas.FrameRect(frame);
        frame.Inflate(-1, -1);
    }
    if (FSunkenEdge) canvas.DrawEdge(frame, EDGE_SUNKEN, BF_RECT);
}

void TCustomListBox::Paint() {
    TCanvas& canvas = *Canvas();
    TRect inner = ClientRect();
    inner.Inflate(-FBorderWidth, -FBorderWidth);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(inner);

    const TRect area = ItemsArea();
    canvas.IntersectClipRect(area);
    const TRect visible = canvas.ClipRect();
    for (int i = FTopIndex; i < FItems->Count(); ++i) {
        const TRect row = ItemRect(i);
        if (row.Top >= area.Bottom) break;
        if (!row.Intersects(visible)) continue;
        TOwnerDrawState state;
        if (i == FItemIndex) state.Include(odSelected);
        if (i == FItemIndex && FFocusLook) state.Include(odFocused);
        if (!Enabled()) state.Include(odDisabled).Include(odGrayed);
        // The canvas is set up for the row's state before it is drawn.
        canvas.SetFont(Font());
        if (state.Contains(odSelected)) {
            canvas.Brush()->SetColor(clHighlight);
            canvas.Font()->SetColor(clHighlightText);
        } else {
            canvas.Brush()->SetColor(Color());
            if (!Enabled()) canvas.Font()->SetColor(clGrayText);
        }
        DrawItem(i, row, state);
        if (state.Contains(odFocused)) canvas.DrawFocusRect(row);
    }
    canvas.ResetClip();
    DrawFrame(canvas);
}

void TCustomListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    TCanvas& canvas = *Canvas();
    canvas.FillRect(rect);
    if (index < 0 || index >= FItems->Count()) return;
    TRect text = rect;
    text.Left += 2;
    canvas.DrawText(text, FItems->Strings(index), DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

// ---- 4. input ---------------------------------------------------------------------------------------------

void TCustomListBox::SelectByUser(int index) {
    if (index < 0 || index == FItemIndex) {
        if (index >= 0) ScrollInView(index);
        return;
    }
    SetItemIndex(index);
    Click();
}

void TCustomListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        // Like the native list: the pressed item is selected before anyone hears of the press.
        const int index = ItemAtPos({x, y}, true);
        FPressSelected = index >= 0;
        FTracking = true;
        if (index >= 0) {
            SetItemIndex(index);
            Update();
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomListBox::MouseMove(TShiftState shift, int x, int y) {
    // While the button is held the selection follows the mouse, unless the press started a drag.
    if (FTracking && shift.Contains(ssLeft) && !Dragging()) {
        const TRect area = ItemsArea();
        const int clampedY = std::clamp(y, area.Top, std::max(area.Bottom - 1, area.Top));
        const int index =
            ItemAtPos({std::clamp(x, area.Left, std::max(area.Right - 1, area.Left)), clampedY}, true);
        if (index >= 0 && index != FItemIndex) {
            SetItemIndex(index);
            FPressSelected = true;
        }
        if (y < area.Top && FTopIndex > 0) SetItemIndex(FTopIndex - 1);
        if (y >= area.Bottom && FItemIndex + 1 < FItems->Count()) SetItemIndex(FItemIndex + 1);
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && FTracking) {
        FTracking = false;
        if (FPressSelected) Click();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomListBox::MoveSelection(uint16_t key) {
    const int count = FItems->Count();
    if (count == 0) return;
    const int page = std::max(VisibleItemCount() - 1, 1);
    const int current = FItemIndex;
    int target = current;
    // A list of one column steps to the neighbouring item with Left and Right as well.
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        target = current < 0 ? FTopIndex : current - 1;
        break;
    case VK_DOWN:
    case VK_RIGHT:
        target = current < 0 ? FTopIndex : current + 1;
        break;
    case VK_PRIOR:
        target = current < 0 ? FTopIndex : current - page;
        break;
    case VK_NEXT:
        target = current < 0 ? FTopIndex : current + page;
        break;
    case VK_HOME:
        target = 0;
        break;
    case VK_END:
        target = count - 1;
        break;
    default:
        return;
    }
    SelectByUser(std::clamp(target, 0, count - 1));
}

void TCustomListBox::TypeCharacter(char ch) {
    const auto now = std::chrono::steady_clock::now();
    if (now - FLastTyped > std::chrono::seconds(1)) FSearchText.clear();
    FLastTyped = now;
    // A multi-byte character is searched for as a whole, once its last byte has arrived.
    const auto byte = static_cast<unsigned char>(ch);
    if (byte >= 0x80) {
        if (byte >= 0xC0) FPendingBytes.clear();
        FPendingBytes += ch;
        const auto lead = static_cast<unsigned char>(FPendingBytes[0]);
        const size_t needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (FPendingBytes.size() < needed) return;
    } else {
        FPendingBytes = std::string(1, ch);
    }
    const std::string typed = std::move(FPendingBytes);
    FPendingBytes.clear();

    // The typed prefix first (from the current item, so it stays while it still matches); else the
    // character alone from the next item on, which steps through the items that begin with it.
    const std::string candidate = FSearchText + typed;
    const int from = FItemIndex < 0 ? 0 : FItemIndex;
    int found = FSearchText.empty() ? -1 : FindPrefix(candidate, from);
    if (found >= 0) {
        FSearchText = candidate;
    } else {
        found = FindPrefix(typed, FItemIndex + 1);
        if (found >= 0) FSearchText = typed;
    }
    if (found >= 0) SelectByUser(found);
}

void TCustomListBox::Dispatch(TMessage& message) {
    if (message.Msg == WM_MOUSEWHEEL) {
        SetTopIndex(FTopIndex - TWMMouseWheel::From(message).Lines());
        return;
    }
    if (message.Msg == WM_CANCELMODE) FTracking = false;
    TCustomControl::Dispatch(message);
}

void TCustomListBox::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        FFocusLook = message.Msg == WM_SETFOCUS;
        if (FItemIndex >= 0 && HandleAllocated()) {
            const TRect r = ItemRect(FItemIndex);
            InvalidateRect(Handle(), &r, false);
        }
        break;
    case WM_KEYDOWN:
        switch (const uint16_t key = TWMKey::From(message).Key) {
        case VK_UP:
        case VK_DOWN:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END:
            MoveSelection(key);
            return;
        default:
            break;
        }
        break;
    case WM_CHAR:
        if (const unsigned char ch = TWMChar::From(message).Char; ch >= 32) {
            TypeCharacter(static_cast<char>(ch));

            return;
        }
        break;
    default:
        break;
    }
    TCustomControl::DefaultHandler(message);
}

// ================================================================================================

FW_PUBLISH(TListBox) {
    PublishAlign(p);
    p.Property("BorderStyle", &TListBox::BorderStyle, &TListBox::SetBorderStyle)
        .Default(bsSingle)
        .Type(BorderStyleTypeInfo());
    PublishColor(p, clWindow);
    PublishDragMode(p);
    PublishEnabled(p);
    PublishFont(p);
    p.Property("IntegralHeight", &TListBox::IntegralHeight, &TListBox::SetIntegralHeight).Default(false);
    p.Property("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight);
    p.Property("Items", &TListBox::Items, &TListBox::SetItems);
    PublishParentColor(p, false);
    PublishParentFont(p);
    PublishShowHint(p);
    p.Property("Sorted", &TListBox::Sorted, &TListBox::SetSorted).Default(false);
    p.Property("Style", &TListBox::Style, &TListBox::SetStyle).Default(lbStandard);
    PublishTabOrderAndStop(p, true);
    PublishVisible(p);
    p.Event("OnClick", &TListBox::OnClick);
    p.Event("OnDblClick", &TListBox::OnDblClick);
    PublishDragEvents(p);
    p.Event("OnDrawItem", &TListBox::OnDrawItem);
    PublishFocusEvents(p);
    PublishKeyEvents(p);
    PublishMouseEvents(p);
}
FW_STREAMABLE(TListBox);

TListBox::TListBox(TComponent* owner) : TCustomListBox(owner) {
}
