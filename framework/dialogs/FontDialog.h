// TFontDialog: choosing a font's name, style and size.
#pragma once

#include "dialogs/CommonDialog.h"

#pragma GCC visibility push(default)

class TFont;

FW_ENUM(TFontDialogOption, fdAnsiOnly, fdTrueTypeOnly, fdEffects, fdFixedPitchOnly, fdForceFontExist,
        fdNoFaceSel, fdNoOEMFonts, fdNoSimulations, fdNoSizeSel, fdNoStyleSel, fdNoVectorFonts, fdShowHelp,
        fdWysiwyg, fdLimitSize, fdScalableOnly, fdApplyButton);
FW_SET(TFontDialogOptions, TFontDialogOption);

class TFontDialog : public TCommonDialog {
    FW_CLASS(TFontDialog, TCommonDialog)
public:
    explicit TFontDialog(TComponent* owner);
    ~TFontDialog() override;

    // Opens the dialog on Font. When the user accepts, Font takes the chosen name, size and style (bold,
    // italic, underline, strike-out); its colour and character set stay. With fdForceFontExist a typed
    // name that no installed font has is refused with a message box and the dialog stays open.
    // fdFixedPitchOnly and fdScalableOnly restrict the list; fdShowHelp adds the Help button.
    bool Execute() override;

    TFont* Font() const { return FFont; }
    void SetFont(TFont* font); // copies
    TFontDialogOptions Options() const { return FOptions; }
    void SetOptions(TFontDialogOptions options) { FOptions = options; }

private:
    TFont* FFont;
    TFontDialogOptions FOptions{fdEffects};
};

#pragma GCC visibility pop
