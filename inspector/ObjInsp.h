// ObjInsp: the Object Inspector window, its property grids and in-place editor, and the value-list
// drawers. The one header that other modules include.
#pragma once

#include "ObjectInspector.h"
#include "PropGrid.h"
#include "PropInplaceEditor.h"
#include "ValueListDrawers.h"
