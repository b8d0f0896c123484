// The editor of event properties: shows the name of the handler and names, renames or creates handlers
// through the designer's event-method operations. The designer decides everything: with the default
// designer every event shows the fixed placeholder name and no handler can be created.
#pragma once

#include "PropertyEditor.h"

#pragma GCC visibility push(default)

class TMethodProperty : public TPropertyEditor {
    FW_CLASS(TMethodProperty, TPropertyEditor)
public:
    using TPropertyEditor::TPropertyEditor;
    TEditorAttributes GetAttributes() override;          // value list, multi-select, sorted list
    std::string GetValue() override;                     // the designer's name of the handler
    void GetValues(const TValueCallback& proc) override; // the designer's compatible methods
    // A new name for an existing handler renames it (when it is not the name of another existing method);
    // otherwise the designer creates or looks up the method of that name, which is stored on every entry,
    // and shows it when it is new. The empty text stores what the designer gives for no name (detaching
    // the handler with the default designer).
    void SetValue(const std::string& value) override;
    // Shows the current handler; without one (or with an inherited one) creates the handler of the
    // default name, stores it and shows it.
    void Edit() override;

    // The component's name without ".", "[" and "]", followed by TrimmedEventName ("Button1Click").
    // Fails with EPropertyError "Cannot create a default method name for an unnamed component" when the
    // designer gives the first object no name.
    virtual std::string DefaultMethodName();
    // The event name without a leading "On" (any letter case): "OnClick" gives "Click".
    std::string TrimmedEventName();

private:
    const TTypeData* MethodTypeData() const { return &GetPropType()->Data; }
};

#pragma GCC visibility pop
