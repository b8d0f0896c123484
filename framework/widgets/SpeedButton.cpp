#include "widgets/SpeedButton.h"
#include "core/ClassRegistry.h"

#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "ui/WinControl.h"
#include "widgets/StandardProperties.h"

FW_PUBLISH(TSpeedButton) {
    // GroupIndex comes before Down: a button outside a group cannot be down.
    p.Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
    p.Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
    p.Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false);
    p.Property("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption);
    PublishEnabled(p);
    p.Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false);
    PublishFont(p);
    p.Property("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
    p.Property("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout).Default(blGlyphLeft);
    p.Property("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin).Default(-1);
    p.Property("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs).Default(TNumGlyphs(1));
    PublishParentFont(p);
    PublishShowHint(p);
    p.Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing).Default(4);
    PublishVisible(p);
    p.Event("OnClick", &TSpeedButton::OnClick);
    p.Event("OnDblClick", &TSpeedButton::OnDblClick);
    PublishMouseEvents(p);
}
FW_STREAMABLE(TSpeedButton);

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), FGlyph(std::make_unique<TBitmap>()) {
    // Clicks are decided here, on release inside the button; no framework click on top.
    SetControlStyle({csCaptureMouse, csDoubleClicks});
    SetBounds(0, 0, 23, 22);
    FGlyph->OnChange = TNotifyEvent::Bind<&TSpeedButton::GlyphChanged>(this);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::GlyphChanged(TObject*) {
    Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* glyph) {
    FGlyph->Assign(glyph);
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs value) {
    FNumGlyphs = TNumGlyphs(std::clamp<int>(value, 1, 4));
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout value) {
    FLayout = value;
    Invalidate();
}

void TSpeedButton::SetMargin(int value) {
    FMargin = std::max(value, -1);
    Invalidate();
}

void TSpeedButton::SetSpacing(int value) {
    FSpacing = std::max(value, -1);
    Invalidate();
}

void TSpeedButton::SetFlat(bool value) {
    FFlat = value;
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int value) {
    FGroupIndex = value;
    if (FGroupIndex == 0) SetDown(false);
    UpdateGroup();
}

void TSpeedButton::SetAllowAllUp(bool value) {
    FAllowAllUp = value;
    UpdateGroup();
}

void TSpeedButton::SetDown(bool value) {
    if (FGroupIndex == 0) value = false;
    if (value == FDown) return;
    if (FDown && !FAllowAllUp) return;
    FDown = value;
    Invalidate();
    if (value) UpdateGroup();
}

void TSpeedButton::UpdateGroup() {
    // While a form is read, the group settles once every button has its properties (Loaded).
    if (FGroupIndex == 0 || !Parent() || ComponentState().Contains(csLoading)) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        if (!other || other == this || other->FGroupIndex != FGroupIndex) continue;
        if (FDown && other->FDown) {
            other->FDown = false;
            other->Invalidate();
        }
        other->FAllowAllUp = FAllowAllUp;
    }
}

void TSpeedButton::Loaded() {
    TGraphicControl::Loaded();
    if (FDown) UpdateGroup();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    FTracking = true;
    FPressed = true;
    Repaint();
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!FTracking) return;
    const bool inside = ClientRect().Contains({x, y});
    if (inside != FPressed) {
        FPressed = inside;
        Repaint();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !FTracking) return;
    FTracking = false;
    FPressed = false;
    const bool inside = ClientRect().Contains({x, y});
    if (inside && FGroupIndex != 0) SetDown(!FDown);
    Repaint();
    if (inside) Click();
}

void TSpeedButton::Paint() {
    TCanvas& canvas = *Canvas();
    TRect face = ClientRect();
    const bool pushed = FPressed || FDown;
    if (!FFlat) {
        face = canvas.DrawButtonFrame(face, pushed);
        if (pushed) face.Offset(-1, -1); // the content offset is applied below
    } else if (pushed) {
        canvas.DrawEdge(face, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    }
    if (FDown && !FPressed) {
        // A button that stays down shows a lighter face, like a latched key.
        const int32_t a = ColorToRGB(clBtnFace), b = ColorToRGB(clBtnHighlight);
        canvas.Brush()->SetColor(RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
                                     (GetBValue(a) + GetBValue(b)) / 2));
        canvas.FillRect(face);
    }
    const TGlyphState state = !Enabled() ? TGlyphState::Disabled
                              : FPressed ? TGlyphState::Pressed
                              : FDown    ? TGlyphState::Down
                                         : TGlyphState::Up;
    const TPoint offset = pushed ? TPoint{1, 1} : TPoint{0, 0};
    DrawButtonContent(canvas, face, FGlyph.get(), FNumGlyphs, state, Caption(), FLayout, FMargin, FSpacing,
                      offset);
}
