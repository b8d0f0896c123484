// The message box: a modal window with a text, an icon and a row of buttons. TApplication::MessageBox
// shows one; like every modal window it is driven in tests through TModalDriver (ui/ModalLoop.h), whose
// action receives the TMessageBox:
//
//     TModalDriver::QueueAction([](TObject* w) { static_cast<TMessageBox*>(w)->ClickPart(dpYes); });
#pragma once

#include "dialogs/CommonDialog.h"
#include "ui/MessageBoxFlags.h"

#include <vector>

#pragma GCC visibility push(default)

class TMessageBox : public TCommonDialog {
    FW_CLASS(TMessageBox, TCommonDialog)
public:
    explicit TMessageBox(TComponent* owner);

    const std::string& Text() const { return FText; }
    void SetText(const std::string& text) { FText = text; }
    unsigned Flags() const { return FFlags; }
    void SetFlags(unsigned flags) { FFlags = flags; }

    // Shows the box; true when the button pressed was OK, Yes or Retry. Result() tells which one it was.
    // Escape and the close box press the box's escape button: Cancel where there is one, No in a Yes/No
    // box, Abort in an Abort/Retry/Ignore box, OK when OK is the only button.
    bool Execute() override;
    int Result() const { return FResult; }
    // The ids of the buttons, left to right.
    std::vector<int> ButtonIds() const;

    // Shows a box owned by nobody (the title is the application's when `caption` is empty) and returns the
    // id of the button pressed.
    static int Show(const std::string& text, const std::string& caption, unsigned flags = MB_OK);

private:
    std::string FText;
    unsigned FFlags = MB_OK;
    int FResult = 0;
};

#pragma GCC visibility pop
