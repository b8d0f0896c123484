#include "widgets/TabSheet.h"
#include "core/ClassRegistry.h"

#include "graphics/Canvas.h"
#include "widgets/PageControl.h"
#include "widgets/StandardProperties.h"

FW_PUBLISH(TTabSheet) {
    p.Property("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption);
    p.Property("Enabled", &TTabSheet::Enabled, &TTabSheet::SetEnabled).Default(true);
    p.Property("Font", &TTabSheet::Font, &TTabSheet::SetFont).Stored([](TTabSheet* s) {
        return !s->ParentFont();
    });
    p.Property("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex).Stored(false);
    p.Property("ParentFont", &TTabSheet::ParentFont, &TTabSheet::SetParentFont).Default(true);
    p.Property("ShowHint", &TTabSheet::ShowHint, &TTabSheet::SetShowHint).Default(false);
    // A sheet outside a page control is a plain container in its parent's tab order: a form that did
    // not store its place there would number the controls after it differently when read back.
    p.Property(
         "TabOrder", [](TTabSheet* s) { return TTabOrder(s->TabOrder()); },
         [](TTabSheet* s, TTabOrder order) { s->SetTabOrder(order); })
        .Default(TTabOrder(-1))
        .Stored([](TTabSheet* s) { return !s->PageControl(); });
    p.Property("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible).Default(true);
    p.Event("OnEnter", &TTabSheet::OnEnter);
    p.Event("OnExit", &TTabSheet::OnExit);
    p.Event("OnMouseDown", &TTabSheet::OnMouseDown);
    p.Event("OnMouseMove", &TTabSheet::OnMouseMove);
    p.Event("OnMouseUp", &TTabSheet::OnMouseUp);
    p.Event("OnResize", &TTabSheet::OnResize);
}
FW_STREAMABLE(TTabSheet);

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner) {
    SetColor(clBtnFace);
    SetParentColor(false);
    SetVisible(false); // the page control shows its active page
    TControlStyle style = ControlStyle();
    style.Include(csAcceptsControls);
    SetControlStyle(style);
}

TTabSheet::~TTabSheet() {
    Destroying();
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* pageControl) {
    SetParent(pageControl);
}

void TTabSheet::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    if (FPageControl) FPageControl->RemovePage(this);
    TCustomControl::SetParent(parent);
    if (auto* pageControl = dynamic_cast<TPageControl*>(parent)) pageControl->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    const auto& pages = FPageControl->FPages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index) {
    if (FPageControl) FPageControl->MovePage(this, index);
}

void TTabSheet::SetTabVisible(bool value) {
    FTabVisible = value;
    if (FPageControl) FPageControl->PagesChanged();
}

void TTabSheet::TextChanged() {
    TCustomControl::TextChanged();
    if (FPageControl) FPageControl->PagesChanged();
}

void TTabSheet::Paint() {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}
