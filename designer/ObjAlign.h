// TAlignDialog: the "Alignment" dialog of the designer's "&Align..." command. One group of radio buttons
// for the horizontal alignment and one for the vertical; it only collects the choice.
#pragma once

#include "ArrangeCodes.h"
#include "ui/Form.h"

#pragma GCC visibility push(default)

class TButton;
class TGroupBox;
class TRadioButton;

class TAlignDialog : public TForm {
    FW_CLASS(TAlignDialog, TForm)
public:
    // Read from its form resource, with "&No change" and "No chan&ge" checked.
    explicit TAlignDialog(TComponent* owner);

    TGroupBox* GroupBox1 = nullptr;
    TRadioButton* hNoChange = nullptr;
    TRadioButton* hLeftSides = nullptr;
    TRadioButton* hCenters = nullptr;
    TRadioButton* hRightSides = nullptr;
    TRadioButton* hSpaceEqual = nullptr;
    TRadioButton* hCenterInWindow = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TRadioButton* vNoChange = nullptr;
    TRadioButton* vTops = nullptr;
    TRadioButton* vCenters = nullptr;
    TRadioButton* vBottoms = nullptr;
    TRadioButton* vSpaceEqual = nullptr;
    TRadioButton* vCenterInWindow = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TButton* HelpButton = nullptr;
};

// Runs a new alignment dialog. When it is confirmed, writes the code of the checked horizontal button
// (1 to 5) and of the checked vertical one (6 to 10); a group left at its no-change button, and a dialog
// that is not confirmed, write nothing.
void ShowAlignDialog(TAlignCode& horizontal, TAlignCode& vertical);

#pragma GCC visibility pop
