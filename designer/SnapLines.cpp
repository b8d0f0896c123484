#include "SnapLines.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <iterator>

void TSnapLines::Clear() {
    FX.clear();
    FY.clear();
}

void TSnapLines::Reserve(size_t objects) {
    FX.reserve(FX.size() + 3 * objects);
    FY.reserve(FY.size() + 3 * objects);
}

void TSnapLines::Add(TSnapAxis axis, int position, int spanFrom, int spanTo) {
    (axis == TSnapAxis::X ? FX : FY).push_back({position, spanFrom, spanTo});
}

void TSnapLines::AddObject(const TRect& r) {
    for (int x : {r.Left, r.Right, r.Left + r.Width() / 2})
        Add(TSnapAxis::X, x, r.Top, r.Bottom);
    for (int y : {r.Top, r.Bottom, r.Top + r.Height() / 2})
        Add(TSnapAxis::Y, y, r.Left, r.Right);
}

void TSnapLines::AddArea(const TRect& r) {
    AddObject(r);
    Add(TSnapAxis::X, r.Left + AreaInset, r.Top, r.Bottom);
    Add(TSnapAxis::X, r.Right - AreaInset, r.Top, r.Bottom);
    Add(TSnapAxis::Y, r.Top + AreaInset, r.Left, r.Right);
    Add(TSnapAxis::Y, r.Bottom - AreaInset, r.Left, r.Right);
}

void TSnapLines::Sort() {
    std::sort(FX.begin(), FX.end());
    std::sort(FY.begin(), FY.end());
}

TSnapLines::TMatch TSnapLines::Nearest(TSnapAxis axis, std::span<const int> moving) const {
    const std::vector<TLine>& lines = Lines(axis);
    TMatch match;
    int best = Reach + 1;
    for (int line : moving) {
        // One look per distinct coordinate within reach, however many objects share it.
        auto it = std::lower_bound(lines.begin(), lines.end(), TLine{line - Reach, INT_MIN, 0});
        for (; it != lines.end() && it->Position <= line + Reach;
             it = std::lower_bound(it, lines.end(), TLine{it->Position + 1, INT_MIN, 0})) {
            const int distance = std::abs(it->Position - line);
            if (distance < best) {
                best = distance;
                match.Found = true;
                match.Delta = it->Position - line;
                match.Position = it->Position;
            }
        }
    }
    return match;
}

TSnapLines::TSpan TSnapLines::GuideSpan(TSnapAxis axis, int position, TSpan frame) const {
    const std::vector<TLine>& lines = Lines(axis);
    // The objects on the line are sorted by where they start along it: the nearest to the frame is the
    // first one starting at or after the frame's start, or the one before it.
    const auto first = std::lower_bound(lines.begin(), lines.end(), TLine{position, INT_MIN, 0});
    const auto last = std::lower_bound(first, lines.end(), TLine{position + 1, INT_MIN, 0});
    if (first == last) return frame;
    auto distance = [&frame](const TLine& line) {
        return std::max({0, line.SpanFrom - frame.To, frame.From - line.SpanTo});
    };
    auto nearest = std::lower_bound(first, last, TLine{position, frame.From, 0});
    if (nearest == last || (nearest != first && distance(*std::prev(nearest)) <= distance(*nearest)))
        nearest = std::prev(nearest);
    return {std::min(frame.From, nearest->SpanFrom), std::max(frame.To, nearest->SpanTo)};
}
