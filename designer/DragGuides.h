// TDragGuides: snapping to neighbours during a drag of the designer, and the guide lines that show it.
//
// While the designer's SnapToGuides is on, a move of the selection and a resize from a grab handle start
// guiding: the lines of the dragged frame's neighbours are gathered once (TSnapLines), and every mouse
// position is then snapped per axis. An axis whose moving edge or centre line comes within reach of a
// neighbour's edge or centre line (or of the parent's client edges, centre and inset edges) snaps there and
// shows a guide through the frame and the objects on that line; an axis that snaps to nothing keeps the
// grid. A move's frame is the bounding box of the selection, its neighbours the other children of its
// parent (placeholders: the other placeholders); a resize moves only the dragged edges.
#pragma once

#include "SnapLines.h"
#include "graphics/Types.h"
#include "ui/Windows.h"

#include <memory>
#include <vector>

#pragma GCC visibility push(default)

class TControl;
class TFormwright;
class TGuideLine;

class TDragGuides {
public:
    explicit TDragGuides(TFormwright* designer);
    ~TDragGuides();
    TDragGuides(const TDragGuides&) = delete;
    TDragGuides& operator=(const TDragGuides&) = delete;

    // Starts guiding a move of the designer's selection, dragged by `target`, in its design window.
    void BeginMove(TControl* target);
    // Starts guiding a resize of the grabbed object in root window coordinates: the anchor corner stays,
    // pinned coordinates (NotFixed when free) do not move.
    void BeginResize(TControl* grabbed, TPoint anchor, int fixedX, int fixedY);
    // Stops guiding and takes the guide lines away.
    void End();
    bool Active() const { return FActive; }

    // The offset of the drag from its origin, snapped: per axis the offset that puts the nearest moving
    // line onto its target, else the grid's offset. Shows the guides of the axes that snapped.
    TPoint Snap(TPoint offset, TPoint gridOffset);
    // Hides the guides for as long as nothing snaps (a drag held free).
    void Hide();

    // The guides on screen: the vertical one (a fixed x) and the horizontal one, or null while hidden.
    const TGuideLine* VerticalGuide() const;
    const TGuideLine* HorizontalGuide() const;

private:
    void Begin(HWND window);
    TRect FrameAt(TPoint offset) const;
    void ShowGuide(std::unique_ptr<TGuideLine>& guide, const TRect& line);

    TFormwright* FDesigner;
    bool FActive = false;
    bool FResize = false;
    HWND FWindow = nullptr;
    TRect FFrame;    // a move's frame at offset 0
    TPoint FAnchor;  // a resize's anchor
    int FFixedX = 0; // a resize's pins
    int FFixedY = 0;
    std::vector<int> FMovingX; // the moving lines at offset 0
    std::vector<int> FMovingY;
    TSnapLines FLines;
    std::unique_ptr<TGuideLine> FVertical;
    std::unique_ptr<TGuideLine> FHorizontal;
};

#pragma GCC visibility pop
