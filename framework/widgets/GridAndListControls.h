// Registers the list box, combo box and grid classes with the class registry, so that form streams can
// create them by name. Call once at program start, before forms are read; calling it again does no harm.
#pragma once

void RegisterGridAndListControls();
