// TTabOrderDlg: the "Edit Tab Order" dialog of the designer's "Tab &Order..." command. It lists the
// windowed controls directly inside one container in tab order ("Button1: TButton") and lets the user
// reorder them; confirming a reordering numbers their TabOrder 0, 1, 2 ... in the list's order.
#pragma once

#include "OrderListDialog.h"

#pragma GCC visibility push(default)

class TWinControl;

class TTabOrderDlg : public TOrderListDialog {
    FW_CLASS(TTabOrderDlg, TOrderListDialog)
public:
    // Read from its form resource, with an empty list.
    explicit TTabOrderDlg(TComponent* owner);

    TListBox* TabList = nullptr;

    TListBox* OrderList() const override { return TabList; }

    void TabListMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void TabListDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void TabListDragDrop(TObject* Sender, TObject* Source, int X, int Y);
};

// Runs a new tab order dialog on the container's own windowed controls (not those of nested containers).
// True exactly when the user confirmed a reordering and the tab orders were assigned.
bool EditTabOrder(TWinControl* container);

#pragma GCC visibility pop
