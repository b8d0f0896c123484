// Geometry records shared by the graphics and windowing layers: TPoint, TSize and TRect.
//
// A rectangle is right- and bottom-exclusive: (0, 0, 10, 5) covers the pixels x 0..9 and y 0..4, so its
// Width() is 10. Coordinates are plain ints; nothing here knows about the windowing back end.
#pragma once

#include <algorithm>

#pragma GCC visibility push(default)

struct TPoint {
    int X = 0;
    int Y = 0;

    constexpr TPoint() = default;
    constexpr TPoint(int x, int y) : X(x), Y(y) {}

    constexpr bool operator==(const TPoint&) const = default;
    constexpr TPoint operator+(const TPoint& o) const { return {X + o.X, Y + o.Y}; }
    constexpr TPoint operator-(const TPoint& o) const { return {X - o.X, Y - o.Y}; }
};

struct TSize {
    int cx = 0;
    int cy = 0;

    constexpr TSize() = default;
    constexpr TSize(int w, int h) : cx(w), cy(h) {}

    constexpr bool operator==(const TSize&) const = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr TRect() = default;
    constexpr TRect(int left, int top, int right, int bottom)
        : Left(left), Top(top), Right(right), Bottom(bottom) {}
    constexpr TRect(const TPoint& topLeft, const TPoint& bottomRight)
        : Left(topLeft.X), Top(topLeft.Y), Right(bottomRight.X), Bottom(bottomRight.Y) {}
    // The rectangle of the given size whose top-left corner is (left, top).
    static constexpr TRect FromBounds(int left, int top, int width, int height) {
        return {left, top, left + width, top + height};
    }

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    constexpr TSize Size() const { return {Width(), Height()}; }

    // True when the rectangle covers no pixel (right <= left or bottom <= top).
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    // True when the point is inside, right and bottom edges excluded.
    constexpr bool Contains(const TPoint& p) const {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    // True when `r` lies completely inside this rectangle.
    constexpr bool Contains(const TRect& r) const {
        return r.Left >= Left && r.Top >= Top && r.Right <= Right && r.Bottom <= Bottom;
    }
    // The common part of both rectangles; an empty rectangle (0, 0, 0, 0) when they do not overlap.
    constexpr TRect Intersect(const TRect& r) const {
        TRect result(std::max(Left, r.Left), std::max(Top, r.Top), std::min(Right, r.Right),
                     std::min(Bottom, r.Bottom));
        return result.IsEmpty() ? TRect() : result;
    }
    constexpr bool Intersects(const TRect& r) const { return !Intersect(r).IsEmpty(); }
    // The smallest rectangle containing both; an empty operand does not count.
    constexpr TRect Union(const TRect& r) const {
        if (r.IsEmpty()) return *this;
        if (IsEmpty()) return r;
        return {std::min(Left, r.Left), std::min(Top, r.Top), std::max(Right, r.Right),
                std::max(Bottom, r.Bottom)};
    }
    constexpr void Offset(int dx, int dy) {
        Left += dx;
        Right += dx;
        Top += dy;
        Bottom += dy;
    }
    constexpr TRect Offsetted(int dx, int dy) const {
        TRect r = *this;
        r.Offset(dx, dy);
        return r;
    }
    // Moves every edge outward by dx horizontally and dy vertically (inward when negative).
    constexpr void Inflate(int dx, int dy) {
        Left -= dx;
        Right += dx;
        Top -= dy;
        Bottom += dy;
    }
    constexpr TRect Inflated(int dx, int dy) const {
        TRect r = *this;
        r.Inflate(dx, dy);
        return r;
    }
    // The same pixels with Left <= Right and Top <= Bottom.
    constexpr TRect Normalized() const {
        return {std::min(Left, Right), std::min(Top, Bottom), std::max(Left, Right), std::max(Top, Bottom)};
    }

    constexpr bool operator==(const TRect&) const = default;
};

inline constexpr TPoint Point(int x, int y) {
    return {x, y};
}
inline constexpr TRect Rect(int left, int top, int right, int bottom) {
    return {left, top, right, bottom};
}
inline constexpr TRect Bounds(int left, int top, int width, int height) {
    return TRect::FromBounds(left, top, width, height);
}

#pragma GCC visibility pop
