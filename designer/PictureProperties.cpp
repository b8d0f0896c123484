#include "PictureProperties.h"

#include "PictureEditor.h"
#include "PictureEditorDlg.h"
#include "core/SysUtils.h"
#include "graphics/Picture.h"
#include "rtti/Publisher.h"

FW_PUBLISH(TPictureProperty) {
}
FW_PUBLISH(TGraphicProperty) {
}
FW_PUBLISH(TGraphicEditor) {
}

namespace {

template <class T> T* HeldObject(int64_t ordinal) {
    return dynamic_cast<T*>(reinterpret_cast<TObject*>(static_cast<intptr_t>(ordinal)));
}

int64_t OrdinalOf(const TObject* object) {
    return static_cast<int64_t>(reinterpret_cast<intptr_t>(object));
}

std::string GraphicText(const TGraphic* graphic) {
    return graphic ? Format("(%s)", graphic->ClassName()) : std::string(SPictureNone);
}

} // namespace

// ---- TPictureProperty -------------------------------------------------------------------------------------

void TPictureProperty::Edit() {
    auto editor = std::make_unique<TPictureEditor>(nullptr);
    editor->SetPicture(HeldObject<TPicture>(GetOrdValue()));
    if (editor->Execute()) SetOrdValue(OrdinalOf(editor->Picture()));
}

TEditorAttributes TPictureProperty::GetAttributes() {
    return {paDialog};
}

std::string TPictureProperty::GetValue() {
    const TPicture* picture = HeldObject<TPicture>(GetOrdValue());
    return GraphicText(picture ? picture->Graphic() : nullptr);
}

void TPictureProperty::SetValue(const std::string& value) {
    if (value.empty()) SetOrdValue(0);
}

// ---- TGraphicProperty -------------------------------------------------------------------------------------

void TGraphicProperty::Edit() {
    auto editor = std::make_unique<TPictureEditor>(nullptr);
    const TClass graphicClass = GetPropType()->Data.ClassType;
    editor->SetGraphicClass(graphicClass);
    editor->Picture()->SetGraphic(HeldObject<TGraphic>(GetOrdValue()));
    if (!editor->Execute()) return;
    const TGraphic* result = editor->Picture()->Graphic();
    if (result && !result->InheritsFrom(graphicClass))
        throw EInvalidGraphic(
            Format("Format '%s' invalid or incompatible with argument", result->ClassName()));
    SetOrdValue(OrdinalOf(result));
}

TEditorAttributes TGraphicProperty::GetAttributes() {
    return {paDialog};
}

std::string TGraphicProperty::GetValue() {
    const TGraphic* graphic = HeldObject<TGraphic>(GetOrdValue());
    return GraphicText(graphic && !graphic->Empty() ? graphic : nullptr);
}

void TGraphicProperty::SetValue(const std::string& value) {
    if (value.empty()) SetOrdValue(0);
}

// ---- TGraphicEditor ---------------------------------------------------------------------------------------

void TGraphicEditor::EditProperty(TPropertyEditor* editor, bool& continueScan, bool&) {
    const std::string name = editor->GetName();
    if (!SameText(name, "Picture") && !SameText(name, "Image")) return;
    editor->Edit();
    continueScan = false;
}
