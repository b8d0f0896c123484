#include "DragGuides.h"

#include "EditContainer.h"
#include "Formwright.h"
#include "GuideLine.h"
#include "ui/WinControl.h"

#include <algorithm>
#include <array>
#include <span>

namespace {

TRect Spanned(TPoint a, TPoint b) {
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

bool IsPlaceholder(TControl* object) {
    return dynamic_cast<TEditContainer*>(object) != nullptr;
}

} // namespace

TDragGuides::TDragGuides(TFormwright* designer) : FDesigner(designer) {
}

TDragGuides::~TDragGuides() = default;

void TDragGuides::Begin(HWND window) {
    End();
    FActive = window != nullptr;
    FWindow = window;
    FLines.Clear();
    FMovingX.clear();
    FMovingY.clear();
}

void TDragGuides::End() {
    FActive = false;
    FVertical.reset();
    FHorizontal.reset();
    FWindow = nullptr;
}

void TDragGuides::BeginMove(TControl* target) {
    Begin(FDesigner->DesignWindowOf(target));
    if (!FActive) return;
    FResize = false;
    const int count = FDesigner->SelectionCount();
    if (count == 0) return End();
    FFrame = FDesigner->DesignRectOf(FDesigner->Selected(0));
    for (int i = 1; i < count; ++i) {
        const TRect r = FDesigner->DesignRectOf(FDesigner->Selected(i));
        FFrame = {std::min(FFrame.Left, r.Left), std::min(FFrame.Top, r.Top), std::max(FFrame.Right, r.Right),
                  std::max(FFrame.Bottom, r.Bottom)};
    }
    // Placeholders line up with each other; controls with the other children of their parent.
    if (IsPlaceholder(target)) {
        FLines.Reserve(FDesigner->Placeholders().Count());
        for (TEditContainer* placeholder : FDesigner->Placeholders())
            if (!FDesigner->IsSelected(placeholder)) FLines.AddObject(placeholder->BoundsRect());
    } else if (TWinControl* parent = target->Parent()) {
        FLines.Reserve(parent->ControlCount());
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (TControl* sibling = parent->Controls(i); !FDesigner->IsSelected(sibling))
                FLines.AddObject(sibling->BoundsRect());
    }
    FLines.AddArea(GetClientRect(FWindow));
    FLines.Sort();
    FMovingX = {FFrame.Left, FFrame.Right, FFrame.Left + FFrame.Width() / 2};
    FMovingY = {FFrame.Top, FFrame.Bottom, FFrame.Top + FFrame.Height() / 2};
}

void TDragGuides::BeginResize(TControl* grabbed, TPoint anchor, int fixedX, int fixedY) {
    // A placeholder keeps its size: there is nothing to line up.
    if (!grabbed || IsPlaceholder(grabbed) || !grabbed->Parent()) return End();
    HWND designWindow = FDesigner->DesignWindowOf(grabbed);
    Begin(FDesigner->RootWindow());
    if (!FActive || !designWindow) return End();
    FResize = true;
    FAnchor = anchor;
    FFixedX = fixedX;
    FFixedY = fixedY;
    // A resize runs in root window coordinates; the neighbours are in their parent's.
    auto inRoot = [&](const TRect& r) {
        return designWindow == FWindow ? r : MapWindowRect(designWindow, FWindow, r);
    };
    TWinControl* parent = grabbed->Parent();
    FLines.Reserve(parent->ControlCount());
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (TControl* sibling = parent->Controls(i); sibling != grabbed)
            FLines.AddObject(inRoot(sibling->BoundsRect()));
    FLines.AddArea(inRoot(GetClientRect(designWindow)));
    FLines.Sort();
    // Only the dragged edges move: the drag point's coordinates that are not pinned.
    if (fixedX == NotFixed) FMovingX = {anchor.X};
    if (fixedY == NotFixed) FMovingY = {anchor.Y};
}

TRect TDragGuides::FrameAt(TPoint offset) const {
    if (!FResize) {
        TRect frame = FFrame;
        frame.Offset(offset.X, offset.Y);
        return frame;
    }
    TPoint point = FAnchor + offset;
    if (FFixedX != NotFixed) point.X = FFixedX;
    if (FFixedY != NotFixed) point.Y = FFixedY;
    return Spanned(FAnchor, point);
}

TPoint TDragGuides::Snap(TPoint offset, TPoint gridOffset) {
    auto nearest = [this](TSnapAxis axis, const std::vector<int>& lines, int delta) {
        std::array<int, 3> moved{};
        const size_t count = std::min(lines.size(), moved.size());
        for (size_t i = 0; i < count; ++i)
            moved[i] = lines[i] + delta;
        return FLines.Nearest(axis, std::span<const int>(moved.data(), count));
    };
    const TSnapLines::TMatch x = nearest(TSnapAxis::X, FMovingX, offset.X);
    const TSnapLines::TMatch y = nearest(TSnapAxis::Y, FMovingY, offset.Y);
    const TPoint snapped{x.Found ? offset.X + x.Delta : gridOffset.X,
                         y.Found ? offset.Y + y.Delta : gridOffset.Y};

    // The guides join the frame where it ends up (its edges drawn one pixel out) and the nearest object on
    // the line, inside the window's client area (a line on the area's right or bottom edge is drawn on its
    // last pixel).
    const TRect frame = FrameAt(snapped);
    const TRect client = GetClientRect(FWindow);
    auto within = [](int value, int low, int high) { return std::max(low, std::min(value, high - 1)); };
    if (x.Found) {
        const int at = within(x.Position, client.Left, client.Right);
        const auto span = FLines.GuideSpan(TSnapAxis::X, x.Position, {frame.Top, frame.Bottom + 1});
        ShowGuide(FVertical,
                  TRect(at, std::max(span.From, client.Top), at + 1, std::min(span.To, client.Bottom)));
    } else if (FVertical) {
        FVertical->Hide();
    }
    if (y.Found) {
        const int at = within(y.Position, client.Top, client.Bottom);
        const auto span = FLines.GuideSpan(TSnapAxis::Y, y.Position, {frame.Left, frame.Right + 1});
        ShowGuide(FHorizontal,
                  TRect(std::max(span.From, client.Left), at, std::min(span.To, client.Right), at + 1));
    } else if (FHorizontal) {
        FHorizontal->Hide();
    }
    return snapped;
}

void TDragGuides::ShowGuide(std::unique_ptr<TGuideLine>& guide, const TRect& line) {
    if (!guide) guide = std::make_unique<TGuideLine>(FWindow, FDesigner->GuideColor());
    guide->ShowAt(line);
}

void TDragGuides::Hide() {
    if (FVertical) FVertical->Hide();
    if (FHorizontal) FHorizontal->Hide();
}

const TGuideLine* TDragGuides::VerticalGuide() const {
    return FVertical && FVertical->Shown() ? FVertical.get() : nullptr;
}

const TGuideLine* TDragGuides::HorizontalGuide() const {
    return FHorizontal && FHorizontal->Shown() ? FHorizontal.get() : nullptr;
}
