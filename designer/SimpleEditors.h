// The editors of plain integer, character, enumeration (and boolean), floating-point and string
// properties. Each converts between the stored value and one line of text.
#pragma once

#include "PropertyEditor.h"

#pragma GCC visibility push(default)

// The common base of the ordinal-valued editors.
class TOrdinalProperty : public TPropertyEditor {
    FW_CLASS(TOrdinalProperty, TPropertyEditor)
public:
    using TPropertyEditor::TPropertyEditor;

protected:
    // Stores the value when it lies within the property type's minimum and maximum; otherwise fails with
    // EPropertyError "Value must be between %d and %d" and stores nothing.
    void SetOrdValueInRange(int64_t value);
};

// Decimal text. Typed text goes through the framework's integer conversion (its EConvertError "'%s' is
// not a valid integer value" propagates) and the range check.
class TIntegerProperty : public TOrdinalProperty {
    FW_CLASS(TIntegerProperty, TOrdinalProperty)
public:
    using TOrdinalProperty::TOrdinalProperty;
    std::string GetValue() override;
    void SetValue(const std::string& value) override;
};

// Codes 33 to 127 show as the character itself, any other as "#<code>". Typed text: empty gives 0, one
// character gives its code, "#<number>" the number, anything else fails with "Invalid property value";
// then the range check.
class TCharProperty : public TOrdinalProperty {
    FW_CLASS(TCharProperty, TOrdinalProperty)
public:
    using TOrdinalProperty::TOrdinalProperty;
    std::string GetValue() override;
    void SetValue(const std::string& value) override;
};

// The value's name (a value outside the type's range shows the last name); the value list is every name
// in value order; typed names ignore letter case, unknown ones fail with "Invalid property value".
class TEnumProperty : public TOrdinalProperty {
    FW_CLASS(TEnumProperty, TOrdinalProperty)
public:
    using TOrdinalProperty::TOrdinalProperty;
    TEditorAttributes GetAttributes() override; // value list, multi-select, sorted list
    std::string GetValue() override;
    void GetValues(const TValueCallback& proc) override;
    void SetValue(const std::string& value) override;
};

// The general number format with 7 (single), 15 (double) or 18 (extended, comp, currency) significant
// digits. Typed text goes through the framework's float conversion; there is no range check.
class TFloatProperty : public TPropertyEditor {
    FW_CLASS(TFloatProperty, TPropertyEditor)
public:
    using TPropertyEditor::TPropertyEditor;
    std::string GetValue() override;
    void SetValue(const std::string& value) override;
};

// The stored text unchanged, both ways; the empty text included.
class TStringProperty : public TPropertyEditor {
    FW_CLASS(TStringProperty, TPropertyEditor)
public:
    using TPropertyEditor::TPropertyEditor;
    std::string GetValue() override;
    void SetValue(const std::string& value) override;
};

#pragma GCC visibility pop
