// TEditSelector: keeps the grey corner marks of one object of a multiple selection painted. It chains
// into the object's window procedure and detaches itself when the object receives the release message
// (WM_DESIGNRELEASE).
#pragma once

#include "graphics/Colors.h"
#include "graphics/Types.h"
#include "ui/Control.h"

#pragma GCC visibility push(default)

class TCanvas;
class TFormwright;

// The size of grab handles and corner marks.
inline constexpr int GrabHandleSize = 5;
// The four corner squares of a rectangle: top left, top right, bottom right, bottom left.
TRect CornerMark(const TRect& rect, int corner);
void DrawCornerMarks(TCanvas& canvas, const TRect& rect, TColor color);

class TEditSelector : public TObject {
    FW_CLASS(TEditSelector, TObject)
public:
    // Chains into the control's window procedure.
    TEditSelector(TFormwright* designer, TControl* control);
    ~TEditSelector() override;

    TControl* Control() const { return FControl; }
    // The procedure this selector passes messages on to.
    const TWndMethod& SavedWindowProc() const { return FSavedWindowProc; }
    void SetSavedWindowProc(const TWndMethod& proc) { FSavedWindowProc = proc; }
    TWndMethod OwnWindowProc();

    // Frees the selectors of an object that is being destroyed, without touching the object: it is
    // matched by address only, as it is no control any more.
    static void DropSelectorsOf(const void* object);
    // Lets every selector of the control that passes messages to `proc` pass them to `replacement` instead;
    // true when one did.
    static bool Relink(TControl* control, const TWndMethod& proc, const TWndMethod& replacement);
    static int LiveCount();

private:
    void WindowProc(TMessage& message);
    void PaintMarks(TMessage& message);

    TFormwright* FDesigner;
    TControl* FControl;
    TWndMethod FSavedWindowProc;
};

#pragma GCC visibility pop
