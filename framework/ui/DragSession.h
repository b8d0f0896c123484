// Private to the framework: the one drag-and-drop operation that can run at a time, and the mouse capture
// of controls (a graphic control captures through its parent's window).
#pragma once

#include "ui/Control.h"

#pragma GCC visibility push(default)

class TDragSession {
public:
    static TDragSession& Current();

    TControl* Source = nullptr;         // the control being dragged
    TControl* Target = nullptr;         // the control under the pointer
    TControl* CaptureControl = nullptr; // the control that holds the mouse capture

    void Begin(TControl* source, bool immediate, int threshold);
    void NoteMouseDown(TControl* source, TPoint screenPoint);
    // Handles the source's mouse messages while a drag runs; true when the message was used up.
    bool HandleMessage(TControl* control, TMessage& message);
    void Finish(bool drop);
    void Cancel() { Finish(false); }
    void SetMouseCapture(TControl* control, bool capture);

private:
    TControl* FindTarget(TPoint screenPoint) const;
    void MoveTo(TPoint screenPoint);

    bool FStarted = false;
    bool FAccepted = false;
    int FThreshold = 5;
    TPoint FDownPoint;
};

#pragma GCC visibility pop
