#include "ObjTab.h"

#include "core/ScopeGuard.h"
#include "core/StringList.h"
#include "core/SysUtils.h"
#include "ui/WinControl.h"
#include "widgets/ListBox.h"

#include <memory>
#include <vector>

FW_PUBLISH(TTabOrderDlg) {
    FW_PUBLISH_FIELD(TabList);
    FW_PUBLISH_METHOD(TabListMouseDown);
    FW_PUBLISH_METHOD(TabListDragOver);
    FW_PUBLISH_METHOD(TabListDragDrop);
}

TTabOrderDlg::TTabOrderDlg(TComponent* owner) : TOrderListDialog(owner) {
    InitializeForm();
}

void TTabOrderDlg::TabListMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
    ListMouseDown(X, Y);
}

void TTabOrderDlg::TabListDragOver(TObject* Sender, TObject*, int, int, TDragState, bool& Accept) {
    ListDragOver(Sender, Accept);
}

void TTabOrderDlg::TabListDragDrop(TObject*, TObject*, int X, int Y) {
    ListDragDrop(X, Y);
}

bool EditTabOrder(TWinControl* container) {
    const auto dialog = std::make_unique<TTabOrderDlg>(nullptr);
    TStrings* lines = dialog->TabList->Items();
    std::vector<TWinControl*> order;
    container->GetTabOrderList(order); // each control followed by its own descendants
    {
        const auto update = UpdateScope(*lines);
        for (TWinControl* control : order)
            if (control->Parent() == container)
                lines->AddObject(Format("%s: %s", control->Name(), control->ClassName()), control);
    }

    if (dialog->ShowModal() != mrOk || !dialog->Reordered()) return false;
    for (int i = 0; i < lines->Count(); ++i)
        static_cast<TWinControl*>(lines->Objects(i))->SetTabOrder(i);
    return true;
}
