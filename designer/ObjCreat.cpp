#include "ObjCreat.h"

#include "core/SysUtils.h"
#include "ui/Control.h"
#include "widgets/ListBox.h"

#include <memory>

FW_PUBLISH(TCreationOrderDlg) {
    FW_PUBLISH_FIELD(CreationList);
    FW_PUBLISH_METHOD(CreationListMouseDown);
    FW_PUBLISH_METHOD(CreationListDragOver);
    FW_PUBLISH_METHOD(CreationListDragDrop);
}

TCreationOrderDlg::TCreationOrderDlg(TComponent* owner) : TOrderListDialog(owner) {
    InitializeForm();
}

void TCreationOrderDlg::CreationListMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
    ListMouseDown(X, Y);
}

void TCreationOrderDlg::CreationListDragOver(TObject* Sender, TObject*, int, int, TDragState, bool& Accept) {
    ListDragOver(Sender, Accept);
}

void TCreationOrderDlg::CreationListDragDrop(TObject*, TObject*, int X, int Y) {
    ListDragDrop(X, Y);
}

bool EditCreationOrder(TComponent* root) {
    const auto dialog = std::make_unique<TCreationOrderDlg>(nullptr);
    TStrings* lines = dialog->CreationList->Items();
    for (int i = 0; i < root->ComponentCount(); ++i) {
        TComponent* component = root->Components(i);
        if (!dynamic_cast<TControl*>(component))
            lines->AddObject(Format("%s: %s", component->Name(), component->ClassName()), component);
    }
    if (dialog->ShowModal() != mrOk || !dialog->Reordered()) return false;
    for (int i = 0; i < lines->Count(); ++i)
        root->RemoveComponent(static_cast<TComponent*>(lines->Objects(i)));
    for (int i = 0; i < lines->Count(); ++i)
        root->InsertComponent(static_cast<TComponent*>(lines->Objects(i)));
    return true;
}
