#include "SnapLines.h"

#include <algorithm>
#include <cstdlib>

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
        auto it = std::lower_bound(lines.begin(), lines.end(), TLine{line - Reach, 0, 0});
        for (; it != lines.end() && it->Position <= line + Reach; ++it) {
            const int distance = std::abs(it->Position - line);
            if (distance < best) {
                best = distance;
                match.Found = true;
                match.Delta = it->Position - line;
                match.Position = it->Position;
            }
        }
    }
    if (!match.Found) return match;
    const auto [first, last] = std::equal_range(lines.begin(), lines.end(), TLine{match.Position, 0, 0});
    match.SpanFrom = first->SpanFrom;
    match.SpanTo = first->SpanTo;
    for (auto it = first; it != last; ++it) {
        match.SpanFrom = std::min(match.SpanFrom, it->SpanFrom);
        match.SpanTo = std::max(match.SpanTo, it->SpanTo);
    }
    return match;
}
