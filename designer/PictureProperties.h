// The editors that edit pictures and graphics through the picture editor dialog: TPictureProperty for
// every TPicture property (an image's Picture), TGraphicProperty for every property of TGraphic or a
// descendant (a button's Glyph), and the component editor TGraphicEditor for images, whose double-click
// opens the image's picture. None of them is offered for a multiple selection.
#pragma once

#include "ClassEditor.h"
#include "ComponentEditors.h"

#pragma GCC visibility push(default)

// "(None)" when the picture holds no graphic, else the graphic's class in brackets ("(TBitmap)"), also
// for an empty graphic. The empty text clears the picture; other text is ignored. Edit runs the dialog
// on a copy of the picture and stores the result with OK.
class TPictureProperty : public TPropertyEditor {
    FW_CLASS(TPictureProperty, TPropertyEditor)
public:
    using TPropertyEditor::TPropertyEditor;
    void Edit() override;
    TEditorAttributes GetAttributes() override; // dialog
    std::string GetValue() override;
    void SetValue(const std::string& value) override;
};

// "(None)" for no graphic or an empty one, else its class in brackets. The empty text stores none;
// other text is ignored. Edit runs the dialog offering the formats of the property's declared class;
// a result of another class fails with EInvalidGraphic "Format 'TMetafile' invalid or incompatible with
// argument" (the refused graphic's class) and stores nothing.
class TGraphicProperty : public TClassProperty {
    FW_CLASS(TGraphicProperty, TClassProperty)
public:
    using TClassProperty::TClassProperty;
    void Edit() override;
    TEditorAttributes GetAttributes() override; // dialog
    std::string GetValue() override;
    void SetValue(const std::string& value) override;
};

// The component editor of TImage: its default action edits the property named Picture or Image and
// chooses no event.
class TGraphicEditor : public TDefaultEditor {
    FW_CLASS(TGraphicEditor, TDefaultEditor)
public:
    using TDefaultEditor::TDefaultEditor;

protected:
    void EditProperty(TPropertyEditor* editor, bool& continueScan, bool& freeEditor) override;
};

#pragma GCC visibility pop
