// TFormwright: snap guides. The setting and its menu entry, and the snapping of drag points to the
// neighbours' lines (TDragGuides) or the grid.
#include "DragGuides.h"
#include "Formwright.h"
#include "SpecialisedEditors.h"
#include "settings/RegIniFile.h"
#include "widgets/Menus.h"

namespace {

bool ReadSnapSetting() {
    // Settings that cannot be read cost only the remembered choice.
    try {
        const TRegIniFile settings(TColorProperty::CustomColorsKey);
        return settings.ReadBool(TFormwright::SettingsSection, TFormwright::SnapToGuidesSetting, false);
    } catch (const Exception&) {
        return false;
    }
}

void WriteSnapSetting(bool value) {
    try {
        TRegIniFile settings(TColorProperty::CustomColorsKey);
        settings.WriteBool(TFormwright::SettingsSection, TFormwright::SnapToGuidesSetting, value);
    } catch (const Exception&) {
        // The switch still holds for this run.
    }
}

} // namespace

void TFormwright::LoadGuideSettings() {
    SetSnapToGuides(ReadSnapSetting());
}

void TFormwright::SetSnapToGuides(bool value) {
    FSnapToGuides = value;
    if (FSnapItem) FSnapItem->SetChecked(value);
}

void TFormwright::SnapToGuidesClick(TObject*) {
    SetSnapToGuides(!FSnapToGuides);
    WriteSnapSetting(FSnapToGuides);
}

void TFormwright::SnapDragPoint(TPoint& point) {
    if (!FSnap) return;
    if (!FGuides->Active()) {
        SnapToGrid(point);
        return;
    }
    // Alt held: wherever the mouse is, no grid and no guides.
    if (GetKeyState(VK_MENU) < 0) {
        FGuides->Hide();
        return;
    }
    // Nothing snaps while the mouse is where it was pressed: a click moves and resizes nothing, also next
    // to a line.
    if (FDragMode == ddResize ? !FResizeMoved : point == FDragOrigin) {
        FGuides->Hide();
        SnapToGrid(point);
        return;
    }
    TPoint gridded = point;
    SnapToGrid(gridded);
    point = FDragOrigin + FGuides->Snap(point - FDragOrigin, gridded - FDragOrigin);
}
