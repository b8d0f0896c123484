// PicEdit: the picture editor dialog, the component that runs it on a copy of a picture, and the editors
// of picture and graphic properties and of images. The one header that other modules include.
#pragma once

#include "PictureEditor.h"
#include "PictureEditorDlg.h"
#include "PictureProperties.h"
