// TFormwright: the design check window of the designer menu.
#include "DesignCheckWindow.h"
#include "Formwright.h"

void TFormwright::CheckDesignClick(TObject*) {
    ShowDesignCheck();
}

void TFormwright::ShowDesignCheck() {
    if (!FCheckWindow) FCheckWindow = std::make_unique<TDesignCheckWindow>(this);
    FCheckWindow->Refresh();
    FCheckWindow->Show();
}

void TFormwright::RefreshDesignCheck() {
    if (!FCheckWindow || !FCheckWindow->Visible()) return;
    // Nothing designed, nothing to check: the window goes until it is asked for again.
    if (!FRoot)
        FCheckWindow->Hide();
    else
        FCheckWindow->Refresh();
}
