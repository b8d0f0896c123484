// The standard controls: buttons, bitmap and speed buttons, labels, edits, panels, bevels, shapes,
// images, group boxes, radio buttons and check boxes.
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

// Registers every standard control class with the class registry, so that form streams can create
// them by name. Call it once at program start, before reading forms; calling it again does no harm.
void RegisterStandardControls();
