#include "components/StandardComponents.h"

#include "components/MediaPlayer.h"
#include "components/Query.h"
#include "components/Table.h"
#include "core/ClassRegistry.h"
#include "dialogs/Dialogs.h"
#include "widgets/ImageList.h"
#include "widgets/Menus.h"
#include "widgets/PageControl.h"

void RegisterStandardComponents() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    RegisterClasses({
        TPageControl::StaticClass(),
        TTabSheet::StaticClass(),
        TImageList::StaticClass(),
        TMenuItem::StaticClass(),
        TPopupMenu::StaticClass(),
        TOpenDialog::StaticClass(),
        TSaveDialog::StaticClass(),
        TOpenPictureDialog::StaticClass(),
        TSavePictureDialog::StaticClass(),
        TColorDialog::StaticClass(),
        TFontDialog::StaticClass(),
        TTable::StaticClass(),
        TQuery::StaticClass(),
        TMediaPlayer::StaticClass(),
    });
}
