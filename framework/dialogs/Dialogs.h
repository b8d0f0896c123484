// The common dialogs and the message box, in one include.
#pragma once

#include "dialogs/ColorDialog.h"
#include "dialogs/CommonDialog.h"
#include "dialogs/FileDialogs.h"
#include "dialogs/FontDialog.h"
#include "dialogs/MessageBox.h"
#include "dialogs/PictureDialogs.h"
