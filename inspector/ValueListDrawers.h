// Value-list drawers: small classes that prepare the drop-down list of a property's values and draw its
// items with pictures (a colour swatch before each colour name, the cursor's image before each cursor
// name). Drawers are registered per property-editor class and looked up by the in-place editor when it
// loads a row whose editor has a value list.
//
// A drawer is used through its class reference only: TValueListDrawerClass points at the one shared,
// stateless instance of the class, which stands in for the class itself, so the operations below are
// class-level operations that subclasses override.
//
//     if (TValueListDrawerClass drawer = FindValueListDrawer(editor)) {
//         drawer->PrepareList(list);
//         list->OnDrawItem = drawer->DrawItemHandler();
//     }
//     ...
//     drawer->RestoreList(list); // before the current row changes
#pragma once

#include "PropertyEditor.h"
#include "widgets/ListBox.h"

#pragma GCC visibility push(default)

class TValueListDrawer;
using TValueListDrawerClass = TValueListDrawer*;

class TValueListDrawer : public TObject {
    FW_CLASS(TValueListDrawer, TObject)
public:
    // The class reference of drawer class D.
    template <class D> static TValueListDrawerClass ClassOf() {
        static D instance;
        return &instance;
    }

    // Called when the list is filled for a row; the base does nothing.
    virtual void PrepareList(TCustomListBox* listBox);
    // Called before the current row changes; the base does nothing.
    virtual void RestoreList(TCustomListBox* listBox);
    // Draws item `index` of the list box `control` in `rect`; the base draws nothing at all.
    virtual void DrawListItem(TWinControl* control, int index, const TRect& rect, TOwnerDrawState state);
    // DrawListItem as a list box's item-drawing handler, bound to this drawer class.
    TDrawItemEvent DrawItemHandler();
};

// A colour swatch (item height wide, one pixel short at top and bottom) and the colour's name.
class TColorDrawer : public TValueListDrawer {
    FW_CLASS(TColorDrawer, TValueListDrawer)
public:
    void DrawListItem(TWinControl* control, int index, const TRect& rect, TOwnerDrawState state) override;
};

// 32-pixel rows with the cursor's picture from the "CRBITMAP" resource and the cursor's name.
class TCursorDrawer : public TValueListDrawer {
    FW_CLASS(TCursorDrawer, TValueListDrawer)
public:
    // Remembers the list's item height (one value shared by all lists) and sets it to 32.
    void PrepareList(TCustomListBox* listBox) override;
    // Puts the remembered item height back.
    void RestoreList(TCustomListBox* listBox) override;
    void DrawListItem(TWinControl* control, int index, const TRect& rect, TOwnerDrawState state) override;
};

// Registers `drawer` for the class name of `editorClass` (letter case ignored); returns the drawer
// registered for that name before, or `drawer` itself when there was none.
TValueListDrawerClass RegisterValueListDrawer(TPropertyEditorClass editorClass, TValueListDrawerClass drawer);
// The drawer registered for the exact class of `editor` (a derived editor class gets none unless it is
// registered itself); null when there is none.
TValueListDrawerClass FindValueListDrawer(const TPropertyEditor* editor);
// The start-up registrations: TColorProperty -> TColorDrawer, TCursorProperty -> TCursorDrawer. Made once
// (later calls do nothing); run after the property-editor registrations.
void RegisterStandardValueListDrawers();

// Cursor pictures: the monochrome "CRBITMAP", 21 pictures of 32 x 32 stacked from the top, picture I at
// y = 32 x I, for the cursor values 0, -2 (also -1), -3, ..., -21. -1 when `cursor` has no picture.
int CursorPictureIndex(int cursor);

#pragma GCC visibility pop
