// TCreationOrderDlg: the "Creation Order" dialog of the designer's "&Creation Order..." command. It lists
// the non-visual components owned by the designed root in their owned order ("Table1: TTable") and lets
// the user reorder them; confirming a reordering moves them, in the list's order, behind all other owned
// components, which is the order in which a saved design creates them.
#pragma once

#include "OrderListDialog.h"

#pragma GCC visibility push(default)

class TCreationOrderDlg : public TOrderListDialog {
    FW_CLASS(TCreationOrderDlg, TOrderListDialog)
public:
    // Read from its form resource, with an empty list.
    explicit TCreationOrderDlg(TComponent* owner);

    TListBox* CreationList = nullptr;

    TListBox* OrderList() const override { return CreationList; }

    void CreationListMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void CreationListDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void CreationListDragDrop(TObject* Sender, TObject* Source, int X, int Y);
};

// Runs a new creation order dialog on the root's owned non-visual components. True exactly when the user
// confirmed a reordering and the owned components were rearranged: each listed component is taken out of
// the root and put back in list order, with the root's ordinary notifications.
bool EditCreationOrder(TComponent* root);

#pragma GCC visibility pop
