#include "ComponentEditors.h"

#include "ComponentList.h"
#include "EditorRegistry.h"
#include "MethodEditor.h"
#include "SpecialisedEditors.h"
#include "core/ScopeGuard.h"
#include "core/SysUtils.h"
#include "rtti/Publisher.h"

#include <vector>

FW_PUBLISH(TComponentEditor) {
}
FW_PUBLISH(TDefaultEditor) {
}

// ---- TComponentEditor -------------------------------------------------------------------------------------

TComponentEditor::TComponentEditor(TComponent* component, TCustomDesigner* designer)
    : FComponent(component), FDesigner(designer) {
}

void TComponentEditor::Edit() {
    if (GetVerbCount() > 0) ExecuteVerb(0);
}

void TComponentEditor::ExecuteVerb(int) {
}

int TComponentEditor::GetVerbCount() {
    return 0;
}

// ---- TDefaultEditor ---------------------------------------------------------------------------------------

void TDefaultEditor::Edit() {
    FContinue = true;
    FFirst.reset();
    FBest.reset();
    struct Release {
        TDefaultEditor& self;
        ~Release() {
            self.FFirst.reset();
            self.FBest.reset();
        }
    } release{*this};

    TComponentList list;
    list.Add(Component());
    GetComponentProperties(&list, tkAny, Designer(),
                           [this](std::unique_ptr<TPropertyEditor> editor) { CheckEdit(std::move(editor)); });
    if (!FContinue) return;
    if (FBest)
        FBest->Edit();
    else if (FFirst)
        FFirst->Edit();
}

void TDefaultEditor::CheckEdit(std::unique_ptr<TPropertyEditor> editor) {
    // EditProperty decides who owns the editor, also when it fails after keeping it.
    TPropertyEditor* candidate = editor.release();
    bool freeEditor = true;
    const auto freeUnkept = ScopeGuard([&] {
        if (freeEditor) delete candidate;
    });
    if (FContinue) EditProperty(candidate, FContinue, freeEditor);
}

void TDefaultEditor::EditProperty(TPropertyEditor* editor, bool&, bool& freeEditor) {
    if (!FFirst && dynamic_cast<TMethodProperty*>(editor)) {
        FFirst.reset(editor);
        freeEditor = false;
    }
    const std::string name = editor->GetName();
    const std::string bestName = FBest ? FBest->GetName() : std::string();
    bool replace = false;
    if (SameText(name, "OnCreate"))
        replace = true;
    else if (!SameText(bestName, "OnCreate")) {
        if (SameText(name, "OnChange"))
            replace = true;
        else if (!SameText(bestName, "OnChange") && SameText(name, "OnClick"))
            replace = true;
    }
    if (!replace) return;
    if (FFirst.get() == editor) (void)FFirst.release();
    FBest.reset(editor);
    freeEditor = false;
}

// ---- the registry -----------------------------------------------------------------------------------------

namespace {

struct TComponentEditorRec {
    TClass ComponentClass;
    TComponentEditorClass EditorClass;
};

std::vector<TComponentEditorRec>& ComponentEditorRegistry() {
    static std::vector<TComponentEditorRec> list;
    static bool standardRegistered = false;
    if (!standardRegistered) {
        standardRegistered = true; // first, since the standard registrations come back here
        RegisterStandardComponentEditors();
    }
    return list;
}

} // namespace

void RegisterComponentEditor(TClass componentClass, TComponentEditorClass editorClass) {
    auto& list = ComponentEditorRegistry();
    list.insert(list.begin(), TComponentEditorRec{componentClass, editorClass});
}

std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent* component, TCustomDesigner* designer) {
    TClass bestClass = TPersistent::StaticClass();
    TComponentEditorClass editorClass = ComponentEditorClassOf<TDefaultEditor>();
    for (const TComponentEditorRec& rec : ComponentEditorRegistry()) {
        if (component->InheritsFrom(rec.ComponentClass) && rec.ComponentClass != bestClass &&
            rec.ComponentClass->InheritsFrom(bestClass)) {
            bestClass = rec.ComponentClass;
            editorClass = rec.EditorClass;
        }
    }
    return std::unique_ptr<TComponentEditor>(editorClass->Create(component, designer));
}
