#include "widgets/Panel.h"
#include "core/ClassRegistry.h"

#include "graphics/Canvas.h"
#include "ui/WindowRecord.h"
#include "widgets/StandardProperties.h"

FW_PUBLISH(TPanel) {
    PublishAlign(p);
    p.Property("Alignment", &TPanel::Alignment, &TPanel::SetAlignment).Default(taCenter);
    p.Property("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner).Default(bvNone);
    p.Property("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter).Default(bvRaised);
    p.Property("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth).Default(1);
    p.Property("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth).Default(0);
    p.Property("Caption", &TPanel::Caption, &TPanel::SetCaption);
    PublishColor(p, clBtnFace);
    PublishDragMode(p);
    PublishEnabled(p);
    PublishFont(p);
    PublishParentColor(p, false);
    PublishParentFont(p);
    PublishShowHint(p);
    PublishTabOrderAndStop(p, false);
    PublishVisible(p);
    p.Event("OnClick", &TPanel::OnClick);
    p.Event("OnDblClick", &TPanel::OnDblClick);
    PublishDragEvents(p);
    PublishFocusEvents(p);
    PublishMouseEvents(p);
    p.Event("OnResize", &TPanel::OnResize);
}
FW_STREAMABLE(TPanel);

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    TControlStyle style = ControlStyle();
    style.Include(csAcceptsControls);
    style.Include(csOpaque);
    SetControlStyle(style);
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TPanel::CreateHandle() {
    TCustomControl::CreateHandle();
    // A click on a panel leaves the focus where it is.
    if (!TabStop())
        if (QWidget* widget = WidgetOf(Handle())) widget->setFocusPolicy(Qt::NoFocus);
}

void TPanel::Paint() {
    TCanvas& canvas = *Canvas();
    TRect r = ClientRect();
    auto bevel = [&](TPanelBevel kind) {
        if (kind == bvNone) return;
        const bool lowered = kind == bvLowered;
        canvas.Frame3D(r, lowered ? clBtnShadow : clBtnHighlight, lowered ? clBtnHighlight : clBtnShadow,
                       FBevelWidth);
    };
    bevel(FBevelOuter);
    canvas.Frame3D(r, Color(), Color(), FBorderWidth);
    bevel(FBevelInner);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(r);
    canvas.Brush()->SetStyle(bsClear);
    static constexpr unsigned alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    canvas.DrawText(r, Caption(), DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | alignments[FAlignment]);
}

void TPanel::AlignControls(TControl* control, TRect& rect) {
    int inset = FBorderWidth;
    if (FBevelOuter != bvNone) inset += FBevelWidth;
    if (FBevelInner != bvNone) inset += FBevelWidth;
    rect.Inflate(-inset, -inset);
    TCustomControl::AlignControls(control, rect);
}

void TPanel::FrameChanged() {
    Realign();
    Invalidate();
}

void TPanel::SetAlignment(TAlignment value) {
    FAlignment = value;
    Invalidate();
}

void TPanel::SetBevelInner(TPanelBevel value) {
    FBevelInner = value;
    FrameChanged();
}

void TPanel::SetBevelOuter(TPanelBevel value) {
    FBevelOuter = value;
    FrameChanged();
}

void TPanel::SetBevelWidth(int value) {
    FBevelWidth = std::max(value, 1);
    FrameChanged();
}

void TPanel::SetBorderWidth(int value) {
    FBorderWidth = std::max(value, 0);
    FrameChanged();
}
