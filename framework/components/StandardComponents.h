// Registers the framework's component classes with the class registry, so that forms naming them can be
// read: the page control and its sheets, the image list, menus, the common dialogs, the sample data sets
// and the media player. Call once at program start (it does nothing the second time).
#pragma once

void RegisterStandardComponents();
