// Modal message loops, and the facility that lets a program (a test, above all) act inside the next modal
// loop as a person would.
#pragma once

#include <functional>

class TCustomForm;
class TObject;

// Runs the message loop until `done` returns true; checked after every batch of messages.
class TModalLoop {
public:
    explicit TModalLoop(std::function<bool()> done) : FDone(std::move(done)) {}
    // `window` is the form or dialog the loop belongs to (handed to the modal actions).
    void Run(TObject* window);

private:
    std::function<bool()> FDone;
};

// Actions queued for the next modal loops, one action per loop, first queued first. An action runs inside
// the loop once the window is showing, with the window as argument; it acts through real input (or the
// window's own operations) and must end the loop the way a person would (a button, Escape, a close box).
class TModalDriver {
public:
    using Action = std::function<void(TObject* window)>;
    static void QueueAction(Action action);
    static bool HasPendingActions();
    static void ClearActions();
    // How many modal loops have started since the program began.
    static int LoopsStarted();

    // Used by the framework's modal loops (forms and common dialogs) when they start.
    static void LoopStarting(TObject* window);
};
