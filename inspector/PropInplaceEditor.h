// TPropInplaceEditor: the edit box a property grid places over the value cell of its current row.
//
// Besides free text it carries a button at its right edge, chosen by the row's editor attributes: a
// drop-down button (paValueList) that opens the row's value list in a TPopupListbox below the box, or an
// ellipsis button (paDialog without a value list) that runs the editor's Edit (a dialog). The value list
// is read when the row becomes current. Enter applies the text, Escape brings back the current value and
// selects it, a double click on the text runs the editor's Edit (the next value of a list). After a
// modification the grid lets it reload its text (RefreshText).
#pragma once

#include "ValueListDrawers.h"
#include "widgets/InplaceEdit.h"

#pragma GCC visibility push(default)

class TPopupListbox;
class TPropGrid;
class TPropObject;

class TPropInplaceEditor : public TInplaceEdit {
    FW_CLASS(TPropInplaceEditor, TInplaceEdit)
public:
    enum : int { bkNone = 0, bkEllipsis = 1, bkDropDown = 2 };

    explicit TPropInplaceEditor(TComponent* owner);

    TPopupListbox* PopupList() const { return FPopupList; }
    int ButtonKind() const { return FButtonKind; }
    void SetButtonKind(int kind);
    // The button's rectangle in the editor's client coordinates.
    TRect ButtonRect() const;
    bool ButtonPressed() const { return FPressed; }
    // The row loaded last; null before the first load and after the grid's rows were freed.
    TPropObject* EditedRow() const { return FRow; }
    TValueListDrawerClass Drawer() const { return FDrawer; }

    // Opens the value list below the box, at most 8 items tall, with the item matching the text selected.
    void DropDown();
    void CloseUp(bool accept);
    // Takes the row's current value when it differs from the text (uncommitted typing is replaced).
    void RefreshText();
    // Lets the installed value-list drawer put the list back as it found it.
    void ReleaseDrawer();
    // The grid is freeing its rows.
    void ForgetRow() { FRow = nullptr; }
    // The text is bold while the row's value is stored, as the grid draws it.
    void ShowStored(bool stored);

    // LoadFromRow: reads the button kind and value list of the grid's current row, then its text.
    void UpdateContents() override;
    void WndProc(TMessage& message) override;

protected:
    // AdjustTextArea: the text stops short of the button.
    void BoundsChanged() override;
    void PaintWindow(TCanvas& canvas) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    TPropGrid* PropGrid() const;
    void AdjustTextArea();
    void DrawButton(TCanvas& canvas);
    void StopTracking();
    void ListSendValue(TObject* sender, int kind, std::string& s, int& offset, bool& autoSend);
    void ListCancelMode(TObject* sender, TCMCancelMode& message, bool& canClose);

    TPopupListbox* FPopupList = nullptr;
    int FButtonWidth = 0;
    int FButtonKind = bkNone;
    bool FTracking = false;
    bool FPressed = false;
    bool FOverButton = false;
    TPropObject* FRow = nullptr;
    TValueListDrawerClass FDrawer = nullptr;
};

#pragma GCC visibility pop
