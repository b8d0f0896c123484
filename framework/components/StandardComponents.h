// The framework's non-visual components in one include: the common dialogs, the image list, menus, the
// page control and its sheets, the sample data sets and the media player. RegisterStreamableClasses
// (core/ClassRegistry.h) makes them readable from form streams.
#pragma once

#include "components/MediaPlayer.h"
#include "components/Query.h"
#include "components/Table.h"
#include "dialogs/Dialogs.h"
#include "widgets/ImageList.h"
#include "widgets/Menus.h"
#include "widgets/PageControl.h"
