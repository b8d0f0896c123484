#include "widgets/GridAndListControls.h"

#include "core/ClassRegistry.h"
#include "widgets/ComboBox.h"
#include "widgets/DrawGrid.h"
#include "widgets/ListBox.h"
#include "widgets/StringGrid.h"

void RegisterGridAndListControls() {
    RegisterClasses({TListBox::StaticClass(), TComboBox::StaticClass(), TDrawGrid::StaticClass(),
                     TStringGrid::StaticClass()});
}
