// TOrderListDialog: what the tab order and creation order dialogs share. Their list of lines, each
// carrying its object, is reordered by dragging a line onto another (the drag starts only once the mouse
// has moved) or with the up and down buttons; every such gesture counts as a reordering, whether or not a
// line moved.
#pragma once

#include "ui/Control.h"
#include "ui/Form.h"

#pragma GCC visibility push(default)

class TBevel;
class TBitBtn;
class TButton;
class TLabel;
class TListBox;

class TOrderListDialog : public TForm {
    FW_CLASS(TOrderListDialog, TForm)
public:
    // The controls both dialogs have besides their list.
    TBevel* Bevel1 = nullptr;
    TLabel* Label1 = nullptr;
    TBitBtn* UpButton = nullptr;
    TBitBtn* DownButton = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TButton* HelpButton = nullptr;

    // Whether the user made a reordering gesture (a drop on the list, Up or Down).
    bool Reordered() const { return FReordered; }
    // The list being reordered.
    virtual TListBox* OrderList() const = 0;

    // Moves the selected line up (down) by one and keeps it selected.
    void UpButtonClick(TObject* Sender);
    void DownButtonClick(TObject* Sender);

protected:
    using TForm::TForm;

    // The list's own events, published by each dialog under the names of its list.
    void ListMouseDown(int x, int y);
    void ListDragOver(TObject* sender, bool& accept);
    void ListDragDrop(int x, int y);

private:
    void MoveSelectedLine(int target);

    bool FReordered = false;
};

#pragma GCC visibility pop
