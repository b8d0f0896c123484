#include "widgets/GridAxis.h"

#include <algorithm>

int TGridAxis::Extent(int index) const {
    const auto it = Sizes->find(index);
    return it == Sizes->end() ? Default : it->second;
}

int64_t TGridAxis::Span(int from, int to) const {
    if (to <= from) return 0;
    int64_t span = int64_t(to - from) * (Default + Line);
    for (auto it = Sizes->lower_bound(from); it != Sizes->end() && it->first < to; ++it)
        span += it->second - Default;
    return span;
}

int TGridAxis::IndexAt(int from, int64_t offset) const {
    if (offset < 0) return from;
    const int64_t step = Default + Line;
    int64_t pos = 0;
    int i = from;
    for (auto it = Sizes->lower_bound(from); i < Count;) {
        // The cells of the default extent up to the next one of its own.
        const int next = it != Sizes->end() ? std::min(it->first, Count) : Count;
        if (step > 0 && next > i) {
            const int64_t whole = (offset - pos) / step;
            if (whole < next - i) return i + static_cast<int>(whole);
            pos += int64_t(next - i) * step;
        }
        i = next;
        if (i >= Count) break;
        pos += it->second + Line;
        if (pos > offset) return i;
        ++i;
        ++it;
    }
    return Count;
}

int TGridAxis::FirstOfTail(int low, int end, int64_t room) const {
    if (room < 0) return end;
    const int64_t step = Default + Line;
    int64_t taken = 0;
    int i = end;
    auto it = Sizes->lower_bound(end); // the cells of their own extent below i are those before it
    while (i > low) {
        const int previous = it != Sizes->begin() ? std::max(std::prev(it)->first, low - 1) : low - 1;
        // The cells of the default extent between that one and i.
        const int run = i - previous - 1;
        if (step > 0) {
            const int64_t fit = std::min<int64_t>(run, (room - taken) / step);
            taken += fit * step;
            i -= static_cast<int>(fit);
            if (fit < run) return i;
        } else {
            i -= run;
        }
        if (previous < low) break;
        const int64_t span = std::prev(it)->second + Line;
        if (taken + span > room) return i;
        taken += span;
        i = previous;
        --it;
    }
    return i;
}

int TGridAxis::NextShown(int index) const {
    const bool defaultShown = Default + Line > 0;
    for (int i = index + 1; i < Count;) {
        const auto it = Sizes->lower_bound(i);
        if (it == Sizes->end() || it->first != i) {
            if (defaultShown) return i;
            // A run of cells that take no pixels, up to the next one of its own.
            if (it == Sizes->end()) return Count;
            i = it->first;
            continue;
        }
        if (it->second + Line > 0) return i;
        ++i;
    }
    return Count;
}
