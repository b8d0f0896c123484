// TEdit: a single-line text box (a native Qt line edit).
//
// Text is what the box holds; OnChange fires after every change of it, by typing or by the program, but
// not while a form is being read. Modified becomes true when the user edits the text and false when the
// program sets it. MaxLength (0: no limit) limits the text in characters, typed or set. CharCase turns
// everything entered or set into upper or lower case. PasswordChar (0: none) shows every character as
// that one.
//
// Selection positions (SelStart, SelLength) are byte offsets into the UTF-8 Text; positions inside a
// multi-byte character move back to its start.
#pragma once

#include "ui/WinControl.h"
#include "widgets/ControlTypes.h"

#pragma GCC visibility push(default)

FW_ENUM(TEditCharCase, ecNormal, ecUpperCase, ecLowerCase);

class TEdit : public TWinControl {
    FW_CLASS(TEdit, TWinControl)
public:
    explicit TEdit(TComponent* owner);

    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    bool Modified() const;
    void SetModified(bool value);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase value);
    char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char value);
    // Selects the whole text when the control is entered other than by a mouse click.
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }
    // bsSingle shows the box's frame, bsNone hides it.
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);

    // Sets the text after CharCase and MaxLength; clears Modified.
    void SetText(const TCaption& text) override;

    int SelStart() const;
    void SetSelStart(int value);
    int SelLength() const;
    void SetSelLength(int value);
    std::string SelText() const;
    // Replaces the selection (or inserts at the cursor) and leaves the cursor after the new text.
    void SetSelText(const std::string& text);
    void SelectAll();
    void ClearSelection() { SetSelText(""); }
    void Clear() { SetText(""); }

    TNotifyEvent OnChange;

protected:
    virtual void Change();
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void DestroyWnd() override;
    void TextChanged() override;
    void CursorChanged() override;
    void ColorChanged() override;
    void FontChanged() override;
    void DoEnter() override;

private:
    // The text after CharCase and MaxLength, as the box would hold it.
    std::string Conform(const std::string& text) const;
    void ApplyPasswordChar();
    void ApplyPalette();
    void ApplyCursor();
    void WidgetTextChanged(const std::string& text);

    int FMaxLength = 0;
    bool FReadOnly = false;
    bool FModified = false; // while there is no window
    TEditCharCase FCharCase = ecNormal;
    char FPasswordChar = 0;
    bool FAutoSelect = true;
    TFormBorderStyle FBorderStyle = bsSingle;
    int FSelStart = 0; // while there is no window
    int FSelLength = 0;
    bool FPushing = false; // the control is putting its text into the window
};

#pragma GCC visibility pop
