// TPageControl: pages, tabs, their painting and the choice of the active page.
#include "widgets/PageControl.h"
#include "core/ClassRegistry.h"

#include "core/SysUtils.h"
#include "graphics/Canvas.h"
#include "graphics/Font.h"

#include <algorithm>

FW_PUBLISH(TPageControl) {
    p.Property("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
    p.Property("Align", &TPageControl::Align, &TPageControl::SetAlign).Default(alNone);
    p.Property("Enabled", &TPageControl::Enabled, &TPageControl::SetEnabled).Default(true);
    p.Property("Font", &TPageControl::Font, &TPageControl::SetFont).Stored([](TPageControl* c) {
        return !c->ParentFont();
    });
    p.Property("ParentFont", &TPageControl::ParentFont, &TPageControl::SetParentFont).Default(true);
    p.Property("ShowHint", &TPageControl::ShowHint, &TPageControl::SetShowHint).Default(false);
    p.Property("TabHeight", &TPageControl::TabHeight, &TPageControl::SetTabHeight).Default(0);
    p.Property(
         "TabOrder", [](TPageControl* c) { return TTabOrder(c->TabOrder()); },
         [](TPageControl* c, TTabOrder order) { c->SetTabOrder(order); })
        .Default(TTabOrder(-1));
    p.Property("TabStop", &TPageControl::TabStop, &TPageControl::SetTabStop).Default(true);
    p.Property("TabWidth", &TPageControl::TabWidth, &TPageControl::SetTabWidth).Default(0);
    p.Property("Visible", &TPageControl::Visible, &TPageControl::SetVisible).Default(true);
    p.Event("OnChange", &TPageControl::OnChange);
    p.Event("OnChanging", &TPageControl::OnChanging);
    p.Event("OnEnter", &TPageControl::OnEnter);
    p.Event("OnExit", &TPageControl::OnExit);
    p.Event("OnMouseDown", &TPageControl::OnMouseDown);
    p.Event("OnMouseMove", &TPageControl::OnMouseMove);
    p.Event("OnMouseUp", &TPageControl::OnMouseUp);
}
FW_STREAMABLE(TPageControl);

namespace {
constexpr int TabPadding = 12;  // caption to tab edges, both sides together
constexpr int FirstTabLeft = 2; // the first tab's left edge
constexpr int ActiveRaise = 2;  // the active tab stands this much higher and wider
} // namespace

TPageControl::TPageControl(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 289, 193);
    SetColor(clBtnFace);
    SetParentColor(false);
    SetTabStop(true);
    TControlStyle style = ControlStyle();
    style.Include(csAcceptsControls);
    SetControlStyle(style);
}

TPageControl::~TPageControl() {
    Destroying();
    for (TTabSheet* page : FPages)
        page->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount()) throw EListError(Format("List index out of bounds (%d)", index));
    return FPages[static_cast<size_t>(index)];
}

// ---- pages ------------------------------------------------------------------------------------------------

void TPageControl::InsertPage(TTabSheet* page) {
    if (std::find(FPages.begin(), FPages.end(), page) != FPages.end()) return;
    FPages.push_back(page);
    page->FPageControl = this;
    if (!FActivePage)
        SetActivePage(page);
    else
        page->SetVisible(false);
    PagesChanged();
}

void TPageControl::RemovePage(TTabSheet* page) {
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end()) return;
    TTabSheet* next = page == FActivePage ? FindNextPage(page, true) : FActivePage;
    FPages.erase(it);
    page->FPageControl = nullptr;
    if (page == FActivePage) {
        FActivePage = nullptr;
        if (!ComponentState().Contains(csDestroying)) SetActivePage(next == page ? nullptr : next);
    }
    PagesChanged();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end()) return;
    FPages.erase(it);
    index = std::clamp(index, 0, PageCount());
    FPages.insert(FPages.begin() + index, page);
    PagesChanged();
}

void TPageControl::PagesChanged() {
    Realign();
    Invalidate();
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->FPageControl != this) return;
    FActivePage = page;
    for (TTabSheet* sheet : FPages)
        if (sheet != page) sheet->SetVisible(false);
    if (page) {
        page->SetBounds(DisplayRect().Left, DisplayRect().Top, DisplayRect().Width(), DisplayRect().Height());
        page->SetVisible(true);
        page->BringToFront();
    }
    Invalidate();
}

int TPageControl::ActivePageIndex() const {
    return FActivePage ? FActivePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? FPages[static_cast<size_t>(index)] : nullptr);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool forward) const {
    const int count = PageCount();
    if (count == 0) return nullptr;
    auto it = std::find(FPages.begin(), FPages.end(), current);
    int index = it == FPages.end() ? (forward ? count - 1 : 0) : static_cast<int>(it - FPages.begin());
    for (int step = 0; step < count; ++step) {
        index = (index + (forward ? 1 : -1) + count) % count;
        if (FPages[static_cast<size_t>(index)]->TabVisible()) return FPages[static_cast<size_t>(index)];
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool forward) {
    if (TTabSheet* next = FindNextPage(FActivePage, forward); next && next != FActivePage)
        ChangeActivePage(next);
}

bool TPageControl::ChangeActivePage(TTabSheet* page) {
    if (page == FActivePage) return true;
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    if (!allow) return false;
    SetActivePage(page);
    if (OnChange) OnChange(this);
    return true;
}

void TPageControl::Loaded() {
    TCustomControl::Loaded();
    SetActivePage(FActivePage ? FActivePage : (FPages.empty() ? nullptr : FPages.front()));
}

void TPageControl::GetChildren(const TGetChildProc& proc, TComponent* root) {
    // Pages in page order first, so that a form reads them back in that order.
    for (TTabSheet* page : FPages)
        if (page->Owner() == root) proc(page);
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (child->Owner() == root && std::find(FPages.begin(), FPages.end(), child) == FPages.end())
            proc(child);
    }
}

void TPageControl::SetChildOrder(TComponent* child, int order) {
    if (auto* page = dynamic_cast<TTabSheet*>(child); page && page->FPageControl == this)
        MovePage(page, order);
    else
        TCustomControl::SetChildOrder(child, order);
}

// ---- geometry ---------------------------------------------------------------------------------------------

void TPageControl::SetTabWidth(int width) {
    FTabWidth = std::max(0, width);
    PagesChanged();
}

void TPageControl::SetTabHeight(int height) {
    FTabHeight = std::max(0, height);
    PagesChanged();
}

void TPageControl::FontChanged() {
    TCustomControl::FontChanged();
    PagesChanged();
}

int TPageControl::RowHeight() const {
    if (FTabHeight > 0) return FTabHeight + ActiveRaise;
    TCanvas measure;
    measure.SetFont(Font());
    return measure.TextHeight("Ag") + 6 + ActiveRaise;
}

TRect TPageControl::TabRect(int pageIndex) const {
    if (pageIndex < 0 || pageIndex >= PageCount() || !FPages[static_cast<size_t>(pageIndex)]->TabVisible())
        return {};
    TCanvas measure;
    measure.SetFont(Font());
    const int height = RowHeight() - ActiveRaise;
    int left = FirstTabLeft;
    for (int i = 0; i < PageCount(); ++i) {
        TTabSheet* page = FPages[static_cast<size_t>(i)];
        if (!page->TabVisible()) continue;
        const int width = FTabWidth > 0 ? FTabWidth : measure.TextWidth(page->Caption()) + TabPadding;
        if (i == pageIndex) return {left, ActiveRaise, left + width, ActiveRaise + height};
        left += width;
    }
    return {};
}

int TPageControl::IndexOfTabAt(int x, int y) const {
    for (int i = 0; i < PageCount(); ++i) {
        TRect r = TabRect(i);
        if (FPages[static_cast<size_t>(i)] == FActivePage)
            r = {r.Left - ActiveRaise, 0, r.Right + ActiveRaise, r.Bottom};
        if (!r.IsEmpty() && r.Contains({x, y})) return i;
    }
    return -1;
}

TRect TPageControl::DisplayRect() const {
    const TRect client = ClientRect();
    return {client.Left + 4, client.Top + RowHeight() + 4, std::max(client.Left + 4, client.Right - 4),
            std::max(client.Top + RowHeight() + 4, client.Bottom - 4)};
}

void TPageControl::AlignControls(TControl* control, TRect& rect) {
    TCustomControl::AlignControls(control, rect);
    const TRect display = DisplayRect();
    for (TTabSheet* page : FPages)
        page->SetBounds(display.Left, display.Top, display.Width(), display.Height());
}

// ---- input and painting -----------------------------------------------------------------------------------

void TPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        const int index = IndexOfTabAt(x, y);
        if (index >= 0) {
            if (TabStop() && CanFocus()) SetFocus();
            ChangeActivePage(FPages[static_cast<size_t>(index)]);
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TPageControl::KeyDown(uint16_t& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == VK_RIGHT || key == VK_LEFT) {
        SelectNextPage(key == VK_RIGHT);
        key = 0;
    } else if (key == VK_TAB && shift.Contains(ssCtrl)) {
        SelectNextPage(!shift.Contains(ssShift));
        key = 0;
    }
}

void TPageControl::Paint() {
    TCanvas& canvas = *Canvas();
    const TRect client = ClientRect();
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(client);
    const int rowBottom = RowHeight();

    // The body's raised frame below the tabs.
    const TRect body{client.Left, rowBottom, client.Right, client.Bottom};
    canvas.Pen()->SetColor(clBtnHighlight);
    canvas.MoveTo(body.Left, body.Bottom - 1);
    canvas.LineTo(body.Left, body.Top);
    canvas.LineTo(body.Right - 1, body.Top);
    canvas.Pen()->SetColor(clBtnShadow);
    canvas.LineTo(body.Right - 1, body.Bottom - 1);
    canvas.LineTo(body.Left, body.Bottom - 1);

    canvas.Brush()->SetStyle(bsClear);
    for (int i = 0; i < PageCount(); ++i) {
        TRect tab = TabRect(i);
        if (tab.IsEmpty()) continue;
        const bool active = FPages[static_cast<size_t>(i)] == FActivePage;
        if (active) tab = {tab.Left - ActiveRaise, 0, tab.Right + ActiveRaise, rowBottom + 1};
        if (active) {
            canvas.Brush()->SetStyle(bsSolid);
            canvas.Brush()->SetColor(Color());
            canvas.FillRect(tab);
            canvas.Brush()->SetStyle(bsClear);
        }
        canvas.Pen()->SetColor(clBtnHighlight);
        canvas.MoveTo(tab.Left, active ? tab.Bottom : tab.Bottom - 1);
        canvas.LineTo(tab.Left, tab.Top + 2);
        canvas.LineTo(tab.Left + 2, tab.Top);
        canvas.LineTo(tab.Right - 2, tab.Top);
        canvas.Pen()->SetColor(clBtnShadow);
        canvas.MoveTo(tab.Right - 2, tab.Top + 1);
        canvas.LineTo(tab.Right - 1, tab.Top + 2);
        canvas.LineTo(tab.Right - 1, active ? tab.Bottom : tab.Bottom - 1);
        TRect text = tab;
        canvas.Font()->Assign(Font());
        canvas.DrawText(text, FPages[static_cast<size_t>(i)]->Caption(),
                        DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    canvas.Brush()->SetStyle(bsSolid);
}
