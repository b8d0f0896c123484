// The specialised editors that only change texts and value lists: font names, character sets, colours,
// cursors, modal results, tab orders and captions.
#include "SpecialisedEditors.h"

#include "core/Strings.h"
#include "core/SysUtils.h"
#include "graphics/Colors.h"
#include "rtti/Publisher.h"
#include "ui/Screen.h"

FW_PUBLISH(TFontNameProperty) {
}
FW_PUBLISH(TFontCharsetProperty) {
}
FW_PUBLISH(TColorProperty) {
}
FW_PUBLISH(TCursorProperty) {
}
FW_PUBLISH(TFontProperty) {
}
FW_PUBLISH(TModalResultProperty) {
}
FW_PUBLISH(TMPFilenameProperty) {
}
FW_PUBLISH(TTabOrderProperty) {
}
FW_PUBLISH(TCaptionProperty) {
}

const char* const ModalResultNames[11] = {"mrNone", "mrOk", "mrCancel", "mrAbort",   "mrRetry",   "mrIgnore",
                                          "mrYes",  "mrNo", "mrAll",    "mrNoToAll", "mrYesToAll"};

// ---- font name --------------------------------------------------------------------------------------------

TEditorAttributes TFontNameProperty::GetAttributes() {
    return {paValueList, paMultiSelect, paSortList};
}

void TFontNameProperty::GetValues(const TValueCallback& proc) {
    TStrings* fonts = TScreen::Instance().Fonts();
    for (int i = 0; i < fonts->Count(); ++i)
        proc(fonts->Strings(i));
}

// ---- character set ----------------------------------------------------------------------------------------

TEditorAttributes TFontCharsetProperty::GetAttributes() {
    return {paValueList, paMultiSelect, paSortList};
}

std::string TFontCharsetProperty::GetValue() {
    std::string name;
    if (CharsetToIdent(static_cast<int32_t>(GetOrdValue() & 0xFF), name)) return name;
    return IntToStr(GetOrdValue());
}

void TFontCharsetProperty::GetValues(const TValueCallback& proc) {
    GetCharsetValues(proc);
}

void TFontCharsetProperty::SetValue(const std::string& value) {
    int32_t charset;
    if (IdentToCharset(value, charset))
        SetOrdValue(charset);
    else
        TIntegerProperty::SetValue(value);
}

// ---- colour -----------------------------------------------------------------------------------------------

TEditorAttributes TColorProperty::GetAttributes() {
    return {paValueList, paDialog, paMultiSelect};
}

std::string TColorProperty::GetValue() {
    std::string name;
    const auto color = static_cast<int32_t>(GetOrdValue());
    if (ColorToIdent(color, name)) return name;
    return Format("$%.8x", color);
}

void TColorProperty::GetValues(const TValueCallback& proc) {
    GetColorValues(proc);
}

void TColorProperty::SetValue(const std::string& value) {
    int32_t color;
    if (IdentToColor(value, color))
        SetOrdValue(color);
    else
        TIntegerProperty::SetValue(value);
}

// ---- cursor -----------------------------------------------------------------------------------------------

TEditorAttributes TCursorProperty::GetAttributes() {
    return {paValueList, paMultiSelect, paSortList};
}

std::string TCursorProperty::GetValue() {
    const auto cursor = static_cast<int16_t>(GetOrdValue());
    std::string name;
    if (CursorToIdent(cursor, name)) return name;
    return IntToStr(cursor);
}

void TCursorProperty::GetValues(const TValueCallback& proc) {
    const auto idents = CursorIdents();
    // crSize, the table's last entry, is shown but not offered.
    for (size_t i = 0; i + 1 < idents.size(); ++i)
        proc(idents[i].Name);
}

void TCursorProperty::SetValue(const std::string& value) {
    int32_t cursor;
    if (IdentToCursor(value, cursor))
        SetOrdValue(cursor);
    else
        TIntegerProperty::SetValue(value);
}

// ---- font -------------------------------------------------------------------------------------------------

TEditorAttributes TFontProperty::GetAttributes() {
    return {paSubProperties, paDialog, paMultiSelect};
}

// ---- modal result -----------------------------------------------------------------------------------------

TEditorAttributes TModalResultProperty::GetAttributes() {
    return {paValueList, paMultiSelect};
}

std::string TModalResultProperty::GetValue() {
    const int64_t value = GetOrdValue();
    if (value >= 0 && value <= 10) return ModalResultNames[value];
    return IntToStr(value);
}

void TModalResultProperty::GetValues(const TValueCallback& proc) {
    for (const char* name : ModalResultNames)
        proc(name);
}

void TModalResultProperty::SetValue(const std::string& value) {
    if (value.empty()) {
        SetOrdValue(0);
        return;
    }
    for (int i = 0; i <= 10; ++i) {
        if (SameText(value, ModalResultNames[i])) {
            SetOrdValue(i);
            return;
        }
    }
    TIntegerProperty::SetValue(value);
}

// ---- media-player file name, tab order, caption -----------------------------------------------------------

TEditorAttributes TMPFilenameProperty::GetAttributes() {
    return {paDialog};
}

TEditorAttributes TTabOrderProperty::GetAttributes() {
    return {};
}

TEditorAttributes TCaptionProperty::GetAttributes() {
    return {paMultiSelect, paAutoUpdate};
}
