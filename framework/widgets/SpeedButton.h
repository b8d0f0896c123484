// TSpeedButton: a button without a window of its own, drawn on its parent, typically with a glyph.
//
// It is pressed while the left button is held on it and clicks when the button is released inside it
// (OnClick). Speed buttons with the same non-zero GroupIndex and the same parent form a group: clicking
// one puts it down and stays down, and the one that was down comes up. With AllowAllUp, clicking the
// down button of a group brings it up; without it, one button of the group stays down. GroupIndex 0
// makes a plain push button that never stays down. A Flat button shows its frame only while pressed or
// down.
#pragma once

#include "ui/GraphicControl.h"
#include "widgets/ButtonGlyph.h"

#include <memory>

#pragma GCC visibility push(default)

class TBitmap;

class TSpeedButton : public TGraphicControl {
    FW_CLASS(TSpeedButton, TGraphicControl)
public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;

    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value); // for the whole group
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value);
    bool Down() const { return FDown; }
    // Putting a button down brings the group's other button up; bringing the down button up needs
    // AllowAllUp. Without a group a button cannot be down.
    void SetDown(bool value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* glyph); // copies
    TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(TNumGlyphs value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);

    void Loaded() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void GlyphChanged(TObject* sender);
    // Brings the other buttons of the group up and hands them this button's AllowAllUp.
    void UpdateGroup();

    std::unique_ptr<TBitmap> FGlyph;
    TNumGlyphs FNumGlyphs = TNumGlyphs(1);
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FFlat = false;
    bool FTracking = false; // the left button went down on it and is held
    bool FPressed = false;  // drawn pushed in while tracking with the pointer inside
};

#pragma GCC visibility pop
