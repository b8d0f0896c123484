#include "OrderListDialog.h"

#include "core/Strings.h"
#include "widgets/Bevel.h"
#include "widgets/BitBtn.h"
#include "widgets/Button.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"

FW_PUBLISH(TOrderListDialog) {
    FW_PUBLISH_FIELD(Bevel1);
    FW_PUBLISH_FIELD(Label1);
    FW_PUBLISH_FIELD(UpButton);
    FW_PUBLISH_FIELD(DownButton);
    FW_PUBLISH_FIELD(OKButton);
    FW_PUBLISH_FIELD(CancelButton);
    FW_PUBLISH_FIELD(HelpButton);
    FW_PUBLISH_METHOD(UpButtonClick);
    FW_PUBLISH_METHOD(DownButtonClick);
}

void TOrderListDialog::UpButtonClick(TObject*) {
    FReordered = true;
    const int index = OrderList()->ItemIndex();
    if (index >= 1) MoveSelectedLine(index - 1);
}

void TOrderListDialog::DownButtonClick(TObject*) {
    FReordered = true;
    const int index = OrderList()->ItemIndex();
    if (index >= 0 && index < OrderList()->Items()->Count() - 1) MoveSelectedLine(index + 1);
}

void TOrderListDialog::ListMouseDown(int x, int y) {
    if (OrderList()->ItemAtPos({x, y}, true) >= 0) OrderList()->BeginDrag(false);
}

void TOrderListDialog::ListDragOver(TObject* sender, bool& accept) {
    accept = sender == OrderList();
}

void TOrderListDialog::ListDragDrop(int x, int y) {
    FReordered = true;
    const int source = OrderList()->ItemIndex();
    const int target = OrderList()->ItemAtPos({x, y}, true);
    if (source < 0 || target < 0 || target == source) return;
    MoveSelectedLine(target);
}

void TOrderListDialog::MoveSelectedLine(int target) {
    // The line takes its object along.
    OrderList()->Items()->Move(OrderList()->ItemIndex(), target);
    OrderList()->SetItemIndex(target);
}
