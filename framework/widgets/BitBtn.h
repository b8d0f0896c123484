// TBitBtn: a push button with a glyph beside its caption.
//
// Kind gives a standard button: setting it to anything but bkCustom sets the caption ("OK", "Cancel",
// "&Help", ...; while a form is read only when no caption was read before), the glyph, the modal result
// and Default (OK, Yes) or Cancel (Cancel, No). Kind reads bkCustom again once Default, Cancel,
// ModalResult or the glyph no longer match the kind; forms store those, and the caption, only where
// they differ from the kind's. A Close button closes its form after OnClick.
#pragma once

#include "widgets/Button.h"
#include "widgets/ButtonGlyph.h"

#include <memory>

#pragma GCC visibility push(default)

class TBitmap;

FW_ENUM(TBitBtnKind, bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore,
        bkAll);

// The standard caption and modal result of a kind ("" and mrNone for bkCustom).
const char* BitBtnCaption(TBitBtnKind kind);
TModalResult BitBtnModalResult(TBitBtnKind kind);

class TBitBtn : public TButton {
    FW_CLASS(TBitBtn, TButton)
public:
    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;

    TBitBtnKind Kind() const;
    void SetKind(TBitBtnKind kind);
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

    void Click() override;

protected:
    void PaintWindow(TCanvas& canvas) override;
    // The caption is drawn by the control; the native button keeps only its mnemonic.
    void UpdateNativeCaption() override;

private:
    void GlyphChanged(TObject* sender);
    bool IsCustom() const { return Kind() == bkCustom; }
    bool IsCustomCaption() const;

    std::unique_ptr<TBitmap> FGlyph;
    TBitBtnKind FKind = bkCustom;
    bool FModifiedGlyph = false;
    bool FSettingGlyph = false;
    TNumGlyphs FNumGlyphs = TNumGlyphs(1);
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
};

#pragma GCC visibility pop
