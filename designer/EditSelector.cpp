// TEditSelector: the corner marks of a multiple selection, repainted with their object.
#include "EditSelector.h"

#include "EditGrab.h"
#include "Formwright.h"
#include "graphics/Canvas.h"
#include "ui/WinControl.h"
#include "ui/Windows.h"

#include <algorithm>
#include <vector>

FW_PUBLISH(TEditSelector) {
}

namespace {
std::vector<TEditSelector*>& LiveSelectors() {
    static std::vector<TEditSelector*> selectors;
    return selectors;
}
} // namespace

TEditSelector::TEditSelector(TFormwright* designer, TControl* control)
    : FDesigner(designer), FControl(control), FSavedWindowProc(control->WindowProc) {
    control->WindowProc = OwnWindowProc();
    LiveSelectors().push_back(this);
}

TEditSelector::~TEditSelector() {
    auto& live = LiveSelectors();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

TWndMethod TEditSelector::OwnWindowProc() {
    return TWndMethod::Bind<&TEditSelector::WindowProc>(this);
}

void TEditSelector::DropSelectorsOf(const void* object) {
    std::vector<TEditSelector*> doomed;
    for (TEditSelector* selector : LiveSelectors())
        if (static_cast<const void*>(selector->FControl) == object) doomed.push_back(selector);
    for (TEditSelector* selector : doomed)
        delete selector;
}

bool TEditSelector::Relink(TControl* control, const TWndMethod& proc, const TWndMethod& replacement) {
    for (TEditSelector* selector : LiveSelectors()) {
        if (selector->FControl == control && selector->FSavedWindowProc.Method() == proc.Method()) {
            selector->FSavedWindowProc = replacement;
            return true;
        }
    }
    return false;
}

TRect CornerMark(const TRect& rect, int corner) {
    const int h = GrabHandleSize;
    const int x = corner == 0 || corner == 3 ? rect.Left : rect.Right - h;
    const int y = corner < 2 ? rect.Top : rect.Bottom - h;
    return TRect::FromBounds(x, y, h, h);
}

void DrawCornerMarks(TCanvas& canvas, const TRect& rect, TColor color) {
    canvas.Brush()->SetColor(color);
    canvas.Brush()->SetStyle(bsSolid);
    for (int corner = 0; corner < 4; ++corner)
        canvas.FillRect(CornerMark(rect, corner));
}

int TEditSelector::LiveCount() {
    return static_cast<int>(LiveSelectors().size());
}

void TEditSelector::WindowProc(TMessage& message) {
    if (message.Msg == WM_DESIGNRELEASE) {
        TControl* control = FControl;
        const TWndMethod saved = FSavedWindowProc;
        // Take this selector out of the chain; when something chained in after it, that one passes on to
        // what this selector passed on to.
        const TWndMethod own = OwnWindowProc();
        if (control->WindowProc.Method() == own.Method())
            control->WindowProc = saved;
        else
            TEditGrab::RelinkAny(control, own, saved) || Relink(control, own, saved);
        delete this;
        saved(message);
        return;
    }
    if (message.Msg == WM_PAINT && FDesigner->SelectionCount() >= 2) {
        PaintMarks(message);
        return;
    }
    FSavedWindowProc(message);
}

void TEditSelector::PaintMarks(TMessage& message) {
    auto* windowed = dynamic_cast<TWinControl*>(FControl);
    const bool ownPaint = !TWMPaint::From(message).Canvas && windowed && windowed->HandleAllocated();
    const TPaintScope paint(ownPaint ? windowed->Handle() : nullptr, message);
    if (paint.Canvas()) TWMPaint::SetCanvas(message, paint.Canvas());
    FSavedWindowProc(message);
    if (TCanvas* canvas = TWMPaint::From(message).Canvas) {
        // A graphic control paints into its parent's canvas, clipped to its bounds: keep that clip.
        if (windowed) canvas->ResetClip();
        const TRect r = FControl->ClientRect();
        DrawCornerMarks(*canvas, r, FDesigner->MarkColor());
    }
}
