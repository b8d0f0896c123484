// TColorDialog: choosing a colour, with sixteen custom colours the user can keep.
#pragma once

#include "dialogs/CommonDialog.h"
#include "graphics/Colors.h"

#include <memory>

#pragma GCC visibility push(default)

class TStrings;
class TStringList;

FW_ENUM(TColorDialogOption, cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor);
FW_SET(TColorDialogOptions, TColorDialogOption);

class TColorDialog : public TCommonDialog {
    FW_CLASS(TColorDialog, TCommonDialog)
public:
    explicit TColorDialog(TComponent* owner);
    ~TColorDialog() override;

    // Opens the dialog on Color with the custom colours of CustomColors. When the user accepts, Color is the
    // chosen colour. Whether or not the user accepts, CustomColors then holds all sixteen custom colours
    // as they were when the dialog closed, "ColorA=XXXXXX" to "ColorP=XXXXXX".
    bool Execute() override;

    TColor Color() const { return FColor; }
    void SetColor(TColor color) { FColor = color; }
    // Lines "ColorA=XXXXXX" to "ColorP=XXXXXX": the custom colours A to P as six hexadecimal digits of a
    // colour value (blue, green, red from the high byte down; "0000FF" is red). Other lines, and values
    // that are not hexadecimal colours, are ignored (that custom colour stays white).
    TStrings* CustomColors() const;
    void SetCustomColors(TStrings* colors);
    TColorDialogOptions Options() const { return FOptions; }
    void SetOptions(TColorDialogOptions options) { FOptions = options; }

private:
    TColor FColor = clBlack;
    std::unique_ptr<TStringList> FCustomColors;
    TColorDialogOptions FOptions;
};

// The custom colour of a "ColorA=..." value; false when the value is not a colour of 1 to 6 hexadecimal
// digits (an 8-digit value with the high byte set, as unset entries are written elsewhere, is not one).
bool ParseCustomColor(const std::string& value, TColor& color);

#pragma GCC visibility pop
