// TPanel: a container that draws itself: an outer bevel, a border of BorderWidth pixels in the panel's
// colour, an inner bevel, the face, and the caption centred vertically and placed by Alignment. Each
// bevel is BevelWidth pixels wide, raised (light top-left, dark bottom-right) or lowered. Aligned child
// controls fill the area inside the bevels and border.
#pragma once

#include "ui/CustomControl.h"
#include "widgets/ControlTypes.h"

#pragma GCC visibility push(default)

FW_ENUM(TPanelBevel, bvNone, bvLowered, bvRaised);

class TPanel : public TCustomControl {
    FW_CLASS(TPanel, TCustomControl)
public:
    explicit TPanel(TComponent* owner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TPanelBevel BevelInner() const { return FBevelInner; }
    void SetBevelInner(TPanelBevel value);
    TPanelBevel BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TPanelBevel value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);

protected:
    void Paint() override;
    void CreateHandle() override;
    void AlignControls(TControl* control, TRect& rect) override;

private:
    void FrameChanged();

    TAlignment FAlignment = taCenter;
    TPanelBevel FBevelInner = bvNone;
    TPanelBevel FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
};

#pragma GCC visibility pop
