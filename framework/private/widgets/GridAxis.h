// Private to the framework: the arithmetic of one axis of a grid (the columns across, or the rows down).
// Only the sizes that differ from the default are kept, so every question costs time in the number of
// those, never in the number of cells: a grid of 500 million rows is as cheap as one of five.
//
// A cell's span is its extent plus the grid line after it. Positions are pixels from the start of the
// cell a question starts at.
#pragma once

#include <cstdint>
#include <map>

struct TGridAxis {
    int Count = 0;
    int Default = 0;                 // the extent of a cell without a size of its own
    int Line = 0;                    // the grid line after each cell
    const std::map<int, int>* Sizes; // index -> extent, for the cells whose extent is not Default

    int Extent(int index) const;
    // The pixels the cells [from, to) take, lines included.
    int64_t Span(int from, int to) const;
    // The first cell at or after `from` that reaches past `offset` pixels from from's start, that is the
    // cell that pixel lies in; Count when the cells end before. A negative offset gives `from`.
    int IndexAt(int from, int64_t offset) const;
    // The lowest cell i >= `low` such that the cells [i, end) take no more than `room` pixels; `end` when
    // not even the cell before it fits.
    int FirstOfTail(int low, int end, int64_t room) const;
    // The cell after `index` that takes any pixels (extent and line not both 0); Count when none does.
    int NextShown(int index) const;
};
