// Component editors: what runs when the user double-clicks a component on the designed surface.
//
// GetComponentEditor picks the editor registered for the most derived class the component belongs to
// (the newer registration wins for the same class); every other component gets TDefaultEditor, which
// opens the component's most typical event: OnCreate, else OnChange, else OnClick, else the first event
// in name order. Images get TGraphicEditor (PictureProperties.h), registered before the first registration
// or look-up of the program.
#pragma once

#include "PropertyEditor.h"

#include <memory>

#pragma GCC visibility push(default)

class TComponentEditor;

// The class reference of a component-editor class: its class record and its virtual constructor.
struct TComponentEditorClassRec {
    TClass Class;
    TComponentEditor* (*Create)(TComponent* component, TCustomDesigner* designer);
};
using TComponentEditorClass = const TComponentEditorClassRec*;

template <class E> TComponentEditorClass ComponentEditorClassOf() {
    static const TComponentEditorClassRec rec{
        E::StaticClass(), [](TComponent* component, TCustomDesigner* designer) -> TComponentEditor* {
            return new E(component, designer);
        }};
    return &rec;
}

class TComponentEditor : public TObject {
    FW_CLASS(TComponentEditor, TObject)
public:
    // Both are borrowed.
    TComponentEditor(TComponent* component, TCustomDesigner* designer);

    TComponent* Component() const { return FComponent; }
    TCustomDesigner* Designer() const { return FDesigner; }

    // Runs verb 0 when there is a verb; otherwise nothing.
    virtual void Edit();
    virtual void ExecuteVerb(int index); // nothing
    virtual int GetVerbCount();          // 0

private:
    TComponent* FComponent;
    TCustomDesigner* FDesigner;
};

class TDefaultEditor : public TComponentEditor {
    FW_CLASS(TDefaultEditor, TComponentEditor)
public:
    using TComponentEditor::TComponentEditor;

    // Enumerates every property of the component (all kinds) through EditProperty, then calls Edit of the
    // best event editor found (or of the first event editor). Every editor created on the way is freed
    // by the end, also when an error propagates.
    void Edit() override;

protected:
    // Looks at one enumerated editor. Keeping it (as the first or best event editor) clears freeEditor;
    // clearing continueScan stops the enumeration's further consideration and the final Edit call.
    virtual void EditProperty(TPropertyEditor* editor, bool& continueScan, bool& freeEditor);

    TPropertyEditor* First() const { return FFirst.get(); }
    TPropertyEditor* Best() const { return FBest.get(); }

private:
    void CheckEdit(std::unique_ptr<TPropertyEditor> editor);

    std::unique_ptr<TPropertyEditor> FFirst;
    std::unique_ptr<TPropertyEditor> FBest;
    bool FContinue = true;
};

void RegisterComponentEditor(TClass componentClass, TComponentEditorClass editorClass);
// A new editor for the component; the caller owns it.
std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent* component, TCustomDesigner* designer);

#pragma GCC visibility pop
