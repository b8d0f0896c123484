// Private to framework/widgets: the scroll bars of a self-drawn control (list box, grid).
//
// Two Qt scroll bars live on the control's window, the vertical one at the right edge and the horizontal
// one at the bottom. The control decides range, page, position and whether a bar shows; the bars report
// the user's scrolling through the handler. Values are kept here too, so they survive the window being
// made again and can be read before there is a window.
#pragma once

#include "graphics/Types.h"
#include "ui/Messages.h"
#include "ui/Windows.h"

#include <functional>
#include <memory>

#pragma GCC visibility push(default)

class QScrollBar;

class TControlScrollBars {
public:
    // Called with SB_VERT or SB_HORZ and the new position whenever the user moves a bar.
    using TScrollHandler = std::function<void(int bar, int position)>;

    explicit TControlScrollBars(TScrollHandler handler);
    ~TControlScrollBars();
    TControlScrollBars(const TControlScrollBars&) = delete;
    TControlScrollBars& operator=(const TControlScrollBars&) = delete;

    // Puts the bars on `window`; call again after the control's window was made anew.
    void Attach(HWND window);

    // Range 0..max, `page` positions per page. The bar shows only when `shown` and max > 0.
    void Set(int bar, int max, int page, int position, bool shown);
    bool Shown(int bar) const { return State(bar).Shown && State(bar).Max > 0; }
    int Position(int bar) const { return State(bar).Position; }
    int Max(int bar) const { return State(bar).Max; }
    // Whether dragging the thumb scrolls at once (true) or only when it is released.
    void SetTracking(bool tracking);

    // Places the shown bars along the right and bottom edges of `area` (window coordinates).
    void Layout(const TRect& area);

    // The thickness of a scroll bar.
    static int Extent();

private:
    struct TBarState {
        int Max = 0;
        int Page = 1;
        int Position = 0;
        bool Shown = false;
    };
    const TBarState& State(int bar) const { return bar == SB_VERT ? FVert : FHorz; }
    void Apply(int bar);
    QScrollBar* Widget(int bar) const;

    struct TWidgets;
    std::unique_ptr<TWidgets> FWidgets;
    TBarState FVert, FHorz;
    TScrollHandler FHandler;
    bool FTracking = true;
    bool FApplying = false;
    TRect FArea;
};

#pragma GCC visibility pop
