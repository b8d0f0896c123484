// TLabel: text drawn on its parent, with no window of its own.
//
// "&" in the caption underlines the next character ("&&" is a plain "&") unless ShowAccelChar is off;
// pressing Alt and that character moves the focus to FocusControl. AutoSize keeps the label exactly as
// large as its text (growing to the right, or to the left when right-aligned); with WordWrap the width
// stays and the text breaks into lines. Alignment places the text horizontally, Layout vertically. A
// label that is not Transparent fills its rectangle with Color first. Disabled labels draw embossed.
#pragma once

#include "ui/GraphicControl.h"
#include "widgets/ControlTypes.h"

#include <memory>

#pragma GCC visibility push(default)

class TWinControl;

class TLabel : public TGraphicControl {
    FW_CLASS(TLabel, TGraphicControl)
public:
    explicit TLabel(TComponent* owner);
    ~TLabel() override;

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* control);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);

    void SetParent(TWinControl* parent) override;
    void Loaded() override;

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    // Fits the bounds to the text when AutoSize is on.
    void AdjustBounds();

private:
    struct TAccelerator;
    // Hears of the focus control's destruction, so that the label itself need not hear of every
    // component its owner gains or loses.
    struct TFocusWatcher;
    unsigned TextFlags() const;
    // Keeps the Alt+character shortcut in line with caption, focus control and parent window.
    void UpdateAccelerator();
    void AcceleratorPressed();

    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    TWinControl* FFocusControl = nullptr;
    TTextLayout FLayout = tlTop;
    bool FShowAccelChar = true;
    bool FTransparent = false;
    bool FWordWrap = false;
    std::unique_ptr<TAccelerator> FAccelerator;
    std::unique_ptr<TFocusWatcher> FFocusWatcher;
};

#pragma GCC visibility pop
