// The standard controls in one include: buttons, bitmap and speed buttons, labels, edits, panels, bevels,
// shapes, images, group boxes, radio buttons and check boxes. RegisterStreamableClasses (core/ClassRegistry.h)
// makes them readable from form streams.
#pragma once

#include "widgets/Bevel.h"
#include "widgets/BitBtn.h"
#include "widgets/Button.h"
#include "widgets/CheckBox.h"
#include "widgets/Edit.h"
#include "widgets/GroupBox.h"
#include "widgets/Image.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"
#include "widgets/RadioButton.h"
#include "widgets/Shape.h"
#include "widgets/SpeedButton.h"
