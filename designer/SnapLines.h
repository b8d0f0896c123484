// TSnapLines: the lines a dragged frame can snap to, and the search for the nearest one.
//
// Every object a drag can line up with gives three lines per axis: its two edges and its centre line (left,
// right and left + width / 2 across; top, bottom and top + height / 2 down). The parent's client area gives
// its edges and centre lines too, and its edges inset by AreaInset. The lines are kept in one sorted list
// per axis, so a search costs a binary search plus the few lines within reach, whatever the number of
// objects.
//
// Coordinates are those of one window's client area; a rectangle's right and bottom are one past its last
// pixel, as in the bounds of a control.
#pragma once

#include "graphics/Types.h"

#include <cstddef>
#include <span>
#include <vector>

#pragma GCC visibility push(default)

// Which coordinate a line fixes: an x (a vertical line) or a y (a horizontal line).
enum class TSnapAxis { X, Y };

class TSnapLines {
public:
    // A moving line snaps to a target line at most this many pixels away.
    static constexpr int Reach = 4;
    // The parent's client edges are also targets inset by this many pixels.
    static constexpr int AreaInset = 8;

    // The target line a search found.
    struct TMatch {
        bool Found = false;
        int Delta = 0;    // target minus the moving line that found it
        int Position = 0; // the target line's coordinate
    };
    // A stretch along one axis, from the first coordinate to one past the last.
    struct TSpan {
        int From = 0;
        int To = 0;
    };

    void Clear();
    void Reserve(size_t objects);
    // The two edges and the centre line of an object on each axis.
    void AddObject(const TRect& bounds);
    // The edges, centre lines and inset edges of the parent's client area.
    void AddArea(const TRect& area);
    // Sorts what was added; searches need it. Adding again needs another Sort.
    void Sort();
    size_t Count(TSnapAxis axis) const { return Lines(axis).size(); }

    // The target line nearest to any of the moving lines, within Reach. Among equally near ones the
    // earlier moving line wins, then the smaller target coordinate.
    TMatch Nearest(TSnapAxis axis, std::span<const int> moving) const;
    // Where the guide along a target line runs: through the frame's stretch along the line and the object
    // on the line nearest to it (the area, for the area's lines), so that it joins the two aligned objects
    // and crosses as little else as it can. With no object on the line, the frame's stretch.
    TSpan GuideSpan(TSnapAxis axis, int position, TSpan frame) const;

private:
    // A line and the stretch its object covers along it; sorted by position, then by that stretch.
    struct TLine {
        int Position;
        int SpanFrom;
        int SpanTo;
        bool operator<(const TLine& other) const {
            return Position != other.Position ? Position < other.Position : SpanFrom < other.SpanFrom;
        }
    };
    void Add(TSnapAxis axis, int position, int spanFrom, int spanTo);
    const std::vector<TLine>& Lines(TSnapAxis axis) const { return axis == TSnapAxis::X ? FX : FY; }

    std::vector<TLine> FX;
    std::vector<TLine> FY;
};

#pragma GCC visibility pop
