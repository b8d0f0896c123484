// The list and grid controls in one include: list box, combo box, draw grid and string grid.
// RegisterStreamableClasses (core/ClassRegistry.h) makes them readable from form streams.
#pragma once

#include "widgets/ComboBox.h"
#include "widgets/DrawGrid.h"
#include "widgets/ListBox.h"
#include "widgets/StringGrid.h"
