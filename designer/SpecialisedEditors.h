// Editors bound by the standard registrations to particular framework types or properties. Each changes
// only the text conversion, the value list, the attributes or the edit action of a simple editor.
//
// "Integer rules" below are those of TIntegerProperty: the framework's integer conversion, the range
// check against the property type ("Value must be between %d and %d"), then the value is stored.
// Identifier look-ups from text ignore letter case.
#pragma once

#include "ClassEditor.h"
#include "SimpleEditors.h"

#pragma GCC visibility push(default)

// TFont's Name: any text; the value list is the screen's font names in that list's order.
class TFontNameProperty : public TStringProperty {
    FW_CLASS(TFontNameProperty, TStringProperty)
public:
    using TStringProperty::TStringProperty;
    TEditorAttributes GetAttributes() override; // value list, multi-select, sorted list
    void GetValues(const TValueCallback& proc) override;
};

// TFont's Charset: the character-set name of the low 8 bits, else the number; a name or integer rules.
class TFontCharsetProperty : public TIntegerProperty {
    FW_CLASS(TFontCharsetProperty, TIntegerProperty)
public:
    using TIntegerProperty::TIntegerProperty;
    TEditorAttributes GetAttributes() override; // value list, multi-select, sorted list
    std::string GetValue() override;
    void GetValues(const TValueCallback& proc) override; // the 18 character-set names
    void SetValue(const std::string& value) override;
};

// TColor: the colour name, else "$" and eight hexadecimal digits; a name or integer rules. Edit runs the
// colour dialog, with the custom colours kept in the user's settings (see CustomColorsKey).
class TColorProperty : public TIntegerProperty {
    FW_CLASS(TColorProperty, TIntegerProperty)
public:
    using TIntegerProperty::TIntegerProperty;
    // The settings key and section of the colour dialog's custom colours.
    static constexpr const char* CustomColorsKey = "\\Software\\Corvane\\Varnix\\3.0";
    static constexpr const char* CustomColorsSection = "Custom Colors";

    TEditorAttributes GetAttributes() override; // value list, dialog, multi-select
    std::string GetValue() override;
    void GetValues(const TValueCallback& proc) override; // the 42 colour names
    void SetValue(const std::string& value) override;
    // Accepting stores the chosen colour; custom colours the user changed are written back, also when
    // cancelled (in one write to the settings file).
    void Edit() override;
};

// TCursor: the cursor name of the value as a signed 16-bit number, else that number; a name or integer
// rules. The value list leaves out crSize, the last entry of the table.
class TCursorProperty : public TIntegerProperty {
    FW_CLASS(TCursorProperty, TIntegerProperty)
public:
    using TIntegerProperty::TIntegerProperty;
    TEditorAttributes GetAttributes() override; // value list, multi-select, sorted list
    std::string GetValue() override;
    void GetValues(const TValueCallback& proc) override;
    void SetValue(const std::string& value) override;
};

// TFont (and descendants): a class row whose Edit runs the font dialog on a copy of the font and, when
// accepted, stores the dialog's font (the property's setter copies it).
class TFontProperty : public TClassProperty {
    FW_CLASS(TFontProperty, TClassProperty)
public:
    using TClassProperty::TClassProperty;
    TEditorAttributes GetAttributes() override; // sub-properties, dialog, multi-select
    void Edit() override;
};

// TModalResult: mrNone..mrYesToAll for 0 to 10, else the number; the empty text stores 0, then a name,
// else integer rules.
class TModalResultProperty : public TIntegerProperty {
    FW_CLASS(TModalResultProperty, TIntegerProperty)
public:
    using TIntegerProperty::TIntegerProperty;
    TEditorAttributes GetAttributes() override; // value list, multi-select
    std::string GetValue() override;
    void GetValues(const TValueCallback& proc) override; // the 11 names in value order
    void SetValue(const std::string& value) override;
};

// TMediaPlayer's FileName: Edit runs the open-file dialog. Offered for one player at a time only.
class TMPFilenameProperty : public TStringProperty {
    FW_CLASS(TMPFilenameProperty, TStringProperty)
public:
    using TStringProperty::TStringProperty;
    static constexpr const char* Filter = "All files (*.*)|*.*|Wave files (*.wav)|*.wav|Midi files "
                                          "(*.mid)|*.mid|Video for Windows (*.avi)|*.avi";
    TEditorAttributes GetAttributes() override; // dialog
    void Edit() override;
};

// TTabOrder: decimal text and integer rules; offered for one control at a time only.
class TTabOrderProperty : public TIntegerProperty {
    FW_CLASS(TTabOrderProperty, TIntegerProperty)
public:
    using TIntegerProperty::TIntegerProperty;
    TEditorAttributes GetAttributes() override; // none
};

// TCaption: the text, handed over with every keystroke.
class TCaptionProperty : public TStringProperty {
    FW_CLASS(TCaptionProperty, TStringProperty)
public:
    using TStringProperty::TStringProperty;
    TEditorAttributes GetAttributes() override; // multi-select, auto-update
};

// TDate, TTime, TDateTime: the empty text for 0, else the framework's date, time or date-and-time text;
// the empty text stores 0, any other text goes through the matching conversion.
class TDateProperty : public TPropertyEditor {
    FW_CLASS(TDateProperty, TPropertyEditor)
public:
    using TPropertyEditor::TPropertyEditor;
    std::string GetValue() override;
    void SetValue(const std::string& value) override;
};

class TTimeProperty : public TPropertyEditor {
    FW_CLASS(TTimeProperty, TPropertyEditor)
public:
    using TPropertyEditor::TPropertyEditor;
    std::string GetValue() override;
    void SetValue(const std::string& value) override;
};

class TDateTimeProperty : public TPropertyEditor {
    FW_CLASS(TDateTimeProperty, TPropertyEditor)
public:
    using TPropertyEditor::TPropertyEditor;
    std::string GetValue() override;
    void SetValue(const std::string& value) override;
};

// The modal-result names, indexed by value.
extern const char* const ModalResultNames[11];

// The system's start-up registrations, in their fixed order. Made once, automatically, before the first
// registration or look-up of the program (EditorRegistry.h).
void RegisterStandardPropertyEditors();
// The system's component-editor registrations (TGraphicEditor for TImage). Made once, automatically,
// before the first component-editor registration or look-up of the program (ComponentEditors.h).
void RegisterStandardComponentEditors();

#pragma GCC visibility pop
