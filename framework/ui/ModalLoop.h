// Modal message loops, and the facility that lets a program (a test, above all) act inside the next modal
// loop the way a person would.
//
// Every modal window of the framework runs its loop through TModalLoop: modal forms (ShowModal), the common
// dialogs and the message box (Execute, TApplication::MessageBox) and popup menus (Popup). When a loop
// starts, it takes the oldest action queued with TModalDriver::QueueAction and runs it from inside the loop,
// once the window shows, with the window's framework object as argument:
//
//   modal form            the TCustomForm
//   common dialog         the TCommonDialog (TOpenDialog, TSaveDialog, TColorDialog, TFontDialog, ...)
//   message box           the TMessageBox
//   popup menu            the TPopupMenu
//
// The action acts through real input (TInputSimulator, or the driving helpers of the dialogs and menus,
// which send real mouse and key input to their widgets) and ends the loop as a person would: a button,
// Enter, Escape, a menu item. A test of an open-file dialog:
//
//     TModalDriver::SetStrict(true);
//     TModalDriver::QueueAction([](TObject* window) {
//         auto* dialog = static_cast<TOpenDialog*>(window);
//         dialog->TypeInto(dpFileName, "notes.txt"); // click the field, select its text, type
//         dialog->ClickPart(dpOK);                   // click the Open button
//     });
//     EXPECT_TRUE(openDialog->Execute());
//     EXPECT_TRUE(TModalDriver::TakeFailures().empty());
//
// An action that opens a further modal window (a button whose handler shows another dialog, or a
// confirmation box) drives nothing there itself: the nested loop takes the next queued action. Queue the
// actions in the order the windows open.
//
// Strict mode is for automated runs, where no person will come to finish the job:
//  - a loop that starts with no action queued is reported and cancelled at once;
//  - an action that returns while its loop is still open (after the events it caused are handled) is
//    reported, and the loop cancelled;
//  - an action that throws is reported, and its loop cancelled.
// Cancelling does what Escape does: a form ends with mrCancel, a dialog is not accepted, a menu chooses
// nothing; so a faulty test fails instead of hanging. Outside strict mode a loop without an action waits for
// a person, and an exception from an action is shown by the application like any other.
#pragma once

#include <functional>
#include <string>
#include <vector>

#pragma GCC visibility push(default)

class TObject;

// Runs the message loop until `done` returns true (checked after every batch of messages). `cancel`
// closes the window the way Escape would; the driver calls it to end a loop in strict mode.
class TModalLoop {
public:
    explicit TModalLoop(std::function<bool()> done, std::function<void()> cancel = {});
    // `window` is the framework object of the form, dialog or menu the loop belongs to (handed to the
    // modal action). Returns when `done` holds, the application terminates, or the driver cancelled the
    // loop and it did not close (the caller then treats it as cancelled).
    void Run(TObject* window);
    // True when the driver cancelled the loop.
    bool Cancelled() const { return FCancelled; }

private:
    std::function<bool()> FDone;
    std::function<void()> FCancel;
    bool FCancelled = false;
};

class TModalDriver {
public:
    using Action = std::function<void(TObject* window)>;
    // One action per loop, first queued first.
    static void QueueAction(Action action);
    static bool HasPendingActions();
    static int PendingActions();
    static void ClearActions();
    // How many modal loops have started since the program began.
    static int LoopsStarted();
    // The window of the innermost modal loop running now, or null.
    static TObject* ActiveWindow();

    static void SetStrict(bool strict);
    static bool Strict();
    // What went wrong in strict mode since the last call, one sentence each, oldest first. Queued actions
    // that no loop took are reported and dropped too. Empty when every loop ran its action and was closed
    // by it.
    static std::vector<std::string> TakeFailures();
};

#pragma GCC visibility pop
