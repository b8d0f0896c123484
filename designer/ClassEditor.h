// The editor of object-valued properties (a font, a component reference): the row shows the declared type
// name and has the held object's own properties (except events) as child rows.
#pragma once

#include "PropertyEditor.h"

#pragma GCC visibility push(default)

class TClassProperty : public TPropertyEditor {
    FW_CLASS(TClassProperty, TPropertyEditor)
public:
    using TPropertyEditor::TPropertyEditor;
    TEditorAttributes GetAttributes() override; // sub-properties, multi-select
    // "(<declared type name>)", whatever object is held, or none.
    std::string GetValue() override;
    // The properties common to the objects held by the entries. None when the first entry holds no
    // object, and none when a held object is already being expanded above this row (an edited object
    // itself or an enclosing one), so references that loop back cannot expand without end.
    void GetProperties(const TEditorCallback& proc) override;
};

#pragma GCC visibility pop
