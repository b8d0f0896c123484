// A form that holds at least one component of every streamable class of the framework, for the features
// that walk components (undo, save, paste): controls in containers and an aligned panel, a page control
// whose second of three sheets is active, a popup menu with nested items, an embedded (inline) frame with
// a child, an image with a picture, an image list with glyphs, a bit button with a glyph, grids with their
// own column widths and row heights, radio and speed buttons in groups, a label that names its focus
// control, the data sets, the media player and the dialog components.
#pragma once

#include <string>

class TComponent;
class TForm;

// The form's text, without picture data (ReadEveryClassForm adds the pictures).
std::string EveryClassFormText();
// Reads the form into `form` (a plain TForm named as the text says), then gives the image, the image list
// and the bit button their pictures. Meant for a form that is not designed yet.
void ReadEveryClassForm(TForm* form);
// Whether the form holds a component of every class marked streamable; the missing class names otherwise.
std::string MissingStreamableClasses(TComponent* form);
