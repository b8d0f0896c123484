// TSizeDialog: the "Size" dialog of the designer's "&Size..." command. One group of radio buttons for the
// widths and one for the heights, each with an edit box for an absolute value; it only collects the
// choice.
//
// A group's edit box is enabled exactly while the group's absolute button is checked, and checking that
// button moves the focus into the box. OK is refused while an enabled box does not hold a whole number
// from 1 to 32767: the reason is shown, the box's text is selected and the dialog stays open.
#pragma once

#include "ArrangeCodes.h"
#include "ui/Form.h"

#pragma GCC visibility push(default)

class TButton;
class TEdit;
class TGroupBox;
class TRadioButton;

class TSizeDialog : public TForm {
    FW_CLASS(TSizeDialog, TForm)
public:
    // Read from its form resource, with both no-change buttons checked and both boxes empty and disabled.
    explicit TSizeDialog(TComponent* owner);

    // The bounds of an absolute size.
    static constexpr int MinAbsolute = 1;
    static constexpr int MaxAbsolute = 32767;

    TGroupBox* GroupBox1 = nullptr;
    TRadioButton* hNoChange = nullptr;
    TRadioButton* hSameAsFirst = nullptr;
    TRadioButton* hShrink = nullptr;
    TRadioButton* hGrow = nullptr;
    TRadioButton* hAbsolute = nullptr;
    TEdit* hWidth = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TRadioButton* vNoChange = nullptr;
    TRadioButton* vSameAsFirst = nullptr;
    TRadioButton* vShrink = nullptr;
    TRadioButton* vGrow = nullptr;
    TRadioButton* vAbsolute = nullptr;
    TEdit* vHeight = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TButton* HelpButton = nullptr;

    // A radio button of the width (height) group was checked.
    void WidthButtonClick(TObject* Sender);
    void HeightButtonClick(TObject* Sender);
    // Keeps the dialog open while an enabled box holds no valid size.
    void OKButtonClick(TObject* Sender);
};

// Runs a new size dialog. When it is confirmed, writes the code of the checked width button (1 to 4) and
// of the checked height one, and with code 4 the absolute width or height entered; a group left at its
// no-change button, and a dialog that is not confirmed, write nothing.
void ShowSizeDialog(TSizeCode& widthCode, TSizeCode& heightCode, int& width, int& height);

#pragma GCC visibility pop
