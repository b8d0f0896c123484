// The one-byte codes in which the alignment and size dialogs hand their choices to the designer's
// arrangement commands (TFormwright::AlignSelection, TFormwright::SizeSelection).
#pragma once

#include <cstdint>

#pragma GCC visibility push(default)

// One alignment along one axis; 1 to 5 are horizontal, 6 to 10 vertical.
enum TAlignCode : uint8_t {
    acNoChange = 0,
    acLeftSides = 1,
    acHCenters = 2,
    acRightSides = 3,
    acHSpaceEqually = 4,
    acHCenterInWindow = 5,
    acTops = 6,
    acVCenters = 7,
    acBottoms = 8,
    acVSpaceEqually = 9,
    acVCenterInWindow = 10,
};

// How the widths (or the heights) of the selected controls change.
enum TSizeCode : uint8_t {
    szNoChange = 0,
    szSameAsFirst = 1, // that of the first selected control
    szShrink = 2,      // the smallest in the selection
    szGrow = 3,        // the largest in the selection
    szAbsolute = 4,    // a value entered in the dialog
};

#pragma GCC visibility pop
