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

#include "widgets/Edit.h"

#pragma GCC visibility push(default)

class TCustomGrid;

class TInplaceEdit : public TEdit {
    FW_CLASS(TInplaceEdit, TEdit)
public:
    explicit TInplaceEdit(TComponent* owner);

    TCustomGrid* Grid() const { return FGrid; }

    // No selection; the caret goes to the end of the text.
    void Deselect();

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
    void CreateHandle() override;
    // Hands the changed text to the grid, then OnChange.
    void Change() override;

private:
    friend class TCustomGrid;
    void SetGrid(TCustomGrid* grid);

    TCustomGrid* FGrid = nullptr;
    TRect FTextArea;
    bool FLoading = false; // UpdateContents is setting the text
};

#pragma GCC visibility pop
