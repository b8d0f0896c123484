// TCustomComboBox and TComboBox: a one-line control with a drop-down list of text lines, each with an
// attached object. csDropDownList lets the user only choose a line; csDropDown also lets them type.
//
// ItemIndex and Text set by code fire no event. OnChange (and OnClick before it) fires when the user
// chooses a line, also the line already chosen; OnChange also fires for every edit of the typed text of
// a csDropDown box.
#pragma once

#include "core/Strings.h"
#include "ui/WinControl.h"

#include <memory>

#pragma GCC visibility push(default)

FW_ENUM(TComboBoxStyle, csDropDown, csDropDownList);

class TComboBoxStrings;
class TComboBoxWidget;

class TCustomComboBox : public TWinControl {
    FW_CLASS(TCustomComboBox, TWinControl)
public:
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;

    // ---- items
    TStrings* Items() const;
    void SetItems(TStrings* items); // copies the lines and their objects
    void Clear();
    // On a sorted box, added lines go to their place in CompareText order; switching Sorted on sorts.
    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted);

    // ---- choice and text
    // -1 when no line is chosen; out-of-range values choose none.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int index);
    // csDropDownList: setting the text chooses the line with that text (letter case ignored), or none.
    void SetText(const TCaption& text) override;

    // ---- look
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle style);
    // The height of a line in the drop-down list.
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int height);
    // How many lines the list shows before it scrolls.
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int count);
    bool DroppedDown() const;
    void SetDroppedDown(bool value);

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void ColorChanged() override;
    void TextChanged() override;
    virtual void Change();
    virtual void DropDown();

private:
    friend class TComboBoxStrings;
    friend class TComboBoxWidget;
    class TComboBoxWidget;
    void ItemsChanged();
    void ItemInserted(int index);
    void ItemDeleted(int index);
    void LoadWidget();
    void ShowChoice();
    void UserChose(int index);
    void UserTyped(const std::string& text);

    std::unique_ptr<TComboBoxStrings> FItems;
    int FItemIndex = -1;
    int FItemHeight = 16;
    int FDropDownCount = 8;
    bool FSorted = false;
    bool FUpdating = false;
    bool FSyncing =
        false; // the widget is being brought in line with the control; its signals are not user input
    TComboBoxStyle FStyle = csDropDown;
};

class TComboBox : public TCustomComboBox {
    FW_CLASS(TComboBox, TCustomComboBox)
public:
    explicit TComboBox(TComponent* owner);
};

#pragma GCC visibility pop
