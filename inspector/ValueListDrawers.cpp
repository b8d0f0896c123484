// Value-list drawers: the base class, the colour and cursor drawers, their registry and the cursor
// pictures.
#include "ValueListDrawers.h"

#include "SpecialisedEditors.h"
#include "core/StringList.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"

#include <memory>
#include <optional>

namespace {

// Property-editor class names with their drawer class attached; searched ignoring letter case.
TStringList& Registry() {
    static TStringList registry;
    return registry;
}

// The item height a list had before TCursorDrawer made its rows 32 pixels high.
int rememberedItemHeight = 16;

constexpr int kPictureSize = 32;
constexpr int kPictureCount = 21;

TBitmap& CursorBitmap() {
    static const std::unique_ptr<TBitmap> bitmap = [] {
        auto b = std::make_unique<TBitmap>();
        b->LoadFromResourceName("CRBITMAP");
        return b;
    }();
    return *bitmap;
}

// An item of a list box being drawn: its canvas, text and the list's item height.
struct TListItem {
    TCanvas* Canvas;
    std::string Text;
    int Height;
};

// Clears the item's rectangle; nothing more to draw (no value) when the control is no list box or the
// index is past its items.
std::optional<TListItem> ClearListItem(TWinControl* control, int index, const TRect& rect) {
    auto* list = dynamic_cast<TCustomListBox*>(control);
    if (!list) return std::nullopt;
    TCanvas* canvas = list->Canvas();
    canvas->FillRect(rect);
    if (index < 0 || index >= list->Items()->Count()) return std::nullopt;
    return TListItem{canvas, list->Items()->Strings(index), list->ItemHeight()};
}

// Draws `text` from `left` to the right end of `rect`, on one line and vertically centred.
void DrawItemText(TCanvas& canvas, TRect rect, int left, const std::string& text) {
    rect.Left = left;
    canvas.DrawText(rect, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

} // namespace

FW_PUBLISH(TValueListDrawer) {
}
FW_PUBLISH(TColorDrawer) {
}
FW_PUBLISH(TCursorDrawer) {
}

void TValueListDrawer::PrepareList(TCustomListBox*) {
}

void TValueListDrawer::RestoreList(TCustomListBox*) {
}

void TValueListDrawer::DrawListItem(TWinControl*, int, const TRect&, TOwnerDrawState) {
}

TDrawItemEvent TValueListDrawer::DrawItemHandler() {
    return TDrawItemEvent::Bind<&TValueListDrawer::DrawListItem>(this);
}

// ---- colours ----------------------------------------------------------------------------------------------

void TColorDrawer::DrawListItem(TWinControl* control, int index, const TRect& rect, TOwnerDrawState) {
    const std::optional<TListItem> item = ClearListItem(control, index, rect);
    if (!item) return;
    TCanvas& canvas = *item->Canvas;
    const std::string& text = item->Text;
    const int size = item->Height;

    const TColor before = canvas.Brush()->Color();
    try {
        canvas.Brush()->SetColor(StringToColor(text));
        canvas.Rectangle(rect.Left, rect.Top + 1, rect.Left + size, rect.Top + size - 1);
    } catch (const Exception&) {
        // A text that names no colour gets no swatch; its name still shows.
    }
    canvas.Brush()->SetColor(before);
    DrawItemText(canvas, rect, rect.Left + size + 2, text);
}

// ---- cursors ----------------------------------------------------------------------------------------------

int CursorPictureIndex(int cursor) {
    int index = -cursor;
    if (index > 1) --index;
    return index >= 0 && index < kPictureCount ? index : -1;
}

void TCursorDrawer::PrepareList(TCustomListBox* listBox) {
    rememberedItemHeight = listBox->ItemHeight();
    listBox->SetItemHeight(kPictureSize);
}

void TCursorDrawer::RestoreList(TCustomListBox* listBox) {
    listBox->SetItemHeight(rememberedItemHeight);
}

void TCursorDrawer::DrawListItem(TWinControl* control, int index, const TRect& rect, TOwnerDrawState) {
    const std::optional<TListItem> item = ClearListItem(control, index, rect);
    if (!item) return;
    TCanvas& canvas = *item->Canvas;
    const std::string& text = item->Text;
    const int size = item->Height;

    int picture = -1;
    try {
        picture = CursorPictureIndex(StringToCursor(text));
    } catch (const Exception&) {
        // Not a cursor name or number: no picture.
    }
    if (picture >= 0) {
        // Never past the bitmap's last picture, whatever the row height.
        const int rows = std::min(size, (kPictureCount - picture) * kPictureSize);
        const TRect source{0, kPictureSize * picture, size, kPictureSize * picture + rows};
        canvas.CopyRect({rect.Left, rect.Top, rect.Left + size, rect.Top + rows}, *CursorBitmap().Canvas(),
                        source);
    }
    canvas.Brush()->SetStyle(bsClear);
    DrawItemText(canvas, rect, rect.Left + size + 2, text);
}

// ---- the registry -----------------------------------------------------------------------------------------

TValueListDrawerClass RegisterValueListDrawer(TPropertyEditorClass editorClass,
                                              TValueListDrawerClass drawer) {
    TStringList& registry = Registry();
    const std::string& name = editorClass->Class->Name;
    const int index = registry.IndexOf(name);
    if (index < 0) {
        registry.AddObject(name, drawer);
        return drawer;
    }
    auto* previous = static_cast<TValueListDrawer*>(registry.Objects(index));
    registry.PutObject(index, drawer);
    return previous;
}

TValueListDrawerClass FindValueListDrawer(const TPropertyEditor* editor) {
    if (!editor) return nullptr;
    TStringList& registry = Registry();
    const int index = registry.IndexOf(editor->ClassName());
    return index < 0 ? nullptr : static_cast<TValueListDrawer*>(registry.Objects(index));
}

void RegisterStandardValueListDrawers() {
    static const bool registered = [] {
        RegisterValueListDrawer(PropertyEditorClassOf<TColorProperty>(),
                                TValueListDrawer::ClassOf<TColorDrawer>());
        RegisterValueListDrawer(PropertyEditorClassOf<TCursorProperty>(),
                                TValueListDrawer::ClassOf<TCursorDrawer>());
        return true;
    }();
    (void)registered;
}
