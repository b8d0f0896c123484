// Registers the list box, combo box and grid classes with the class registry, so that form streams can
// create them by name. Call once at program start, before forms are read.
#pragma once

void RegisterGridAndListControls();
