// TScreen: the primary screen's size, the cursor table, the installed fonts and the program's forms.
#pragma once

#include "core/Component.h"
#include "graphics/Colors.h"

#include <vector>

#pragma GCC visibility push(default)

class TCustomForm;
class TWinControl;
class TStrings;

class TScreen : public TComponent {
    FW_CLASS(TScreen, TComponent)
public:
    explicit TScreen(TComponent* owner);
    ~TScreen() override;
    static TScreen& Instance();

    int Width() const;
    int Height() const;

    // The cursor shown everywhere, overriding the controls' own cursors; crDefault lifts the override.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor cursor);
    // Whether the cursor table has an entry for the id (crDefault 0 is the arrow).
    bool HasCursor(TCursor cursor) const;

    // The font family names of the system, sorted.
    TStrings* Fonts();

    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int index) const { return FForms.at(static_cast<size_t>(index)); }
    // The form with the keyboard focus, and its focused control.
    TCustomForm* ActiveForm() const;
    TWinControl* ActiveControl() const;

    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);

private:
    TCursor FCursor = crDefault;
    TStrings* FFonts = nullptr;
    std::vector<TCustomForm*> FForms;
};

extern TScreen* Screen;

#pragma GCC visibility pop
