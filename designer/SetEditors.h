// The editors of set properties: the set row shows the members as "[a,b]" and has one True/False child row
// per element of the set's element type.
#pragma once

#include "SimpleEditors.h"

#pragma GCC visibility push(default)

class TSetProperty : public TOrdinalProperty {
    FW_CLASS(TSetProperty, TOrdinalProperty)
public:
    using TOrdinalProperty::TOrdinalProperty;
    TEditorAttributes GetAttributes() override; // sub-properties, multi-select
    // "[" + the member names in ascending element order, separated by "," + "]"; "[]" when empty.
    std::string GetValue() override;
    // One TSetElementProperty per element, from the element type's minimum to its maximum.
    void GetProperties(const TEditorCallback& proc) override;
};

// One element of a set: "True" when it is a member. Shares its set editor's entries (and keeps them
// alive), so it stays usable after the set editor is gone. Setting it stores, on every entry, the first
// object's set with this one element included ("True", any letter case) or excluded (any other text).
class TSetElementProperty : public TPropertyEditor {
    FW_CLASS(TSetElementProperty, TPropertyEditor)
public:
    TSetElementProperty(TCustomDesigner* designer, std::shared_ptr<TPropEntry[]> entries, int propCount,
                        int element);

    int Element() const { return FElement; }

    TEditorAttributes GetAttributes() override; // value list, multi-select, sorted list
    std::string GetName() override;             // the element's name
    std::string GetValue() override;
    void GetValues(const TValueCallback& proc) override; // "False", "True"
    void SetValue(const std::string& value) override;

private:
    int FElement;
};

// The name of an element of a set type: its enumeration name, or the number for sets of an integer range.
std::string SetElementName(const TTypeInfo* setType, int64_t element);

#pragma GCC visibility pop
