// TInplaceEdit: the single-line edit box without border that a grid places over its current cell.
//
// The grid makes it (TCustomGrid::CreateEditor), owns it and is its parent. The grid loads it with
// UpdateContents whenever it starts editing a cell, and places it with Move, after which BoundsChanged
// lays out the text area; descendants override those two to add their own parts (a button beside the
// text, a value list). Every change of the text, typed or set by code, goes back to the grid
// (TCustomGrid::SetEditText); the text set by UpdateContents does not.
//
// Keys: Up, Down, PgUp, PgDn, Enter, Escape, Ctrl+Home/End, Tab (with goTabs), Left at the start of the
// text and Right at its end go to the grid, which moves the current cell or ends the edit. F2 puts the
// caret at the end of the text.
#pragma once

#include "ui/WinControl.h"

#include <string_view>

class TCustomGrid;

class TInplaceEdit : public TWinControl {
    FW_CLASS(TInplaceEdit, TWinControl)
public:
    explicit TInplaceEdit(TComponent* owner);

    TCustomGrid* Grid() const { return FGrid; }

    // ---- text
    // Set by typing, cleared by setting the text from code.
    bool Modified() const;
    void SetModified(bool value);
    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    void SelectAll();
    // No selection; the caret goes to the end of the text.
    void Deselect();
    // Replaces the selection with `text`, as typing it would (the text becomes modified).
    void InsertText(std::string_view text);
    // The longest text the box takes; 0 for no limit.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int length);

    // The rectangle the text is laid out in, in client coordinates.
    TRect TextArea() const { return FTextArea; }
    void SetTextArea(const TRect& area);

    // Places the box over `rect` (client coordinates of the grid), lays out its text area and shows it;
    // it takes the focus when the grid has it.
    void Move(const TRect& rect);

    // Loads the text of the grid's current cell (TCustomGrid::GetEditText) and its length limit.
    virtual void UpdateContents();

    bool WantsKey(uint16_t key) const override;

protected:
    // The box was placed: moves the window, then sets the text area to (2, 2, width - 2, height).
    void BoundsChanged() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void ColorChanged() override;
    void TextChanged() override;

private:
    friend class TCustomGrid;
    void SetGrid(TCustomGrid* grid);
    void WidgetTextChanged(const std::string& text);

    TCustomGrid* FGrid = nullptr;
    TRect FTextArea;
    int FMaxLength = 0;
    bool FLoading = false; // UpdateContents is setting the text
    bool FSyncing = false; // the widget is being given the control's text
};
