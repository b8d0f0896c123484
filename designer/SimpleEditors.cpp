#include "SimpleEditors.h"

#include "core/SysUtils.h"
#include "rtti/Publisher.h"

#include <climits>

FW_PUBLISH(TOrdinalProperty) {
}
FW_PUBLISH(TIntegerProperty) {
}
FW_PUBLISH(TCharProperty) {
}
FW_PUBLISH(TEnumProperty) {
}
FW_PUBLISH(TFloatProperty) {
}
FW_PUBLISH(TStringProperty) {
}

namespace {

// The framework's integer conversion: 32 bits, so that "$80000005" reads back what "$%.8x" shows for a
// negative value; types that reach beyond the 32-bit signed range (Cardinal) read 64-bit numbers.
int64_t ParseInteger(const std::string& text, const TTypeData& type) {
    if (type.MaxValue > INT32_MAX) return StrToInt64(text);
    return StrToInt(text);
}

// The code point of a text that is exactly one well-formed UTF-8 character, else -1.
int64_t SingleCharacterCode(const std::string& text) {
    if (text.empty()) return -1;
    const auto lead = static_cast<unsigned char>(text[0]);
    size_t length = lead < 0x80           ? 1
                    : (lead >> 5) == 0x6  ? 2
                    : (lead >> 4) == 0xE  ? 3
                    : (lead >> 3) == 0x1E ? 4
                                          : 0;
    if (length == 0 || text.size() != length) return -1;
    if (length == 1) return lead;
    int64_t code = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) != 0x80) return -1;
        code = (code << 6) | (c & 0x3F);
    }
    return code;
}

} // namespace

void TOrdinalProperty::SetOrdValueInRange(int64_t value) {
    const TTypeData& type = GetPropType()->Data;
    if (value < type.MinValue || value > type.MaxValue)
        throw EPropertyError(Format(SOutOfRange, type.MinValue, type.MaxValue));
    SetOrdValue(value);
}

// ---- integer ----------------------------------------------------------------------------------------------

std::string TIntegerProperty::GetValue() {
    return IntToStr(GetOrdValue());
}

void TIntegerProperty::SetValue(const std::string& value) {
    SetOrdValueInRange(ParseInteger(value, GetPropType()->Data));
}

// ---- character --------------------------------------------------------------------------------------------

std::string TCharProperty::GetValue() {
    const int code = static_cast<int>(GetOrdValue() & 0xFF);
    if (code >= 33 && code <= 127) return std::string(1, static_cast<char>(code));
    return Format("#%d", code);
}

void TCharProperty::SetValue(const std::string& value) {
    int64_t code;
    if (value.empty())
        code = 0;
    else if (int64_t single = SingleCharacterCode(value); single >= 0)
        code = single;
    else if (value[0] == '#')
        code = StrToInt(std::string_view(value).substr(1));
    else
        throw EPropertyError(SInvalidPropertyValue);
    SetOrdValueInRange(code);
}

// ---- enumeration ------------------------------------------------------------------------------------------

TEditorAttributes TEnumProperty::GetAttributes() {
    return {paValueList, paMultiSelect, paSortList};
}

std::string TEnumProperty::GetValue() {
    const TTypeData& type = GetPropType()->Data;
    int64_t value = GetOrdValue();
    if (value < type.MinValue || value > type.MaxValue) value = type.MaxValue;
    return GetEnumName(GetPropType(), value);
}

void TEnumProperty::GetValues(const TValueCallback& proc) {
    const TTypeData& type = GetPropType()->Data;
    for (int64_t value = type.MinValue; value <= type.MaxValue; ++value)
        proc(GetEnumName(GetPropType(), value));
}

void TEnumProperty::SetValue(const std::string& value) {
    const TTypeData& type = GetPropType()->Data;
    const int64_t found = GetEnumValue(GetPropType(), value);
    if (found < type.MinValue || found > type.MaxValue) throw EPropertyError(SInvalidPropertyValue);
    SetOrdValue(found);
}

// ---- floating point ---------------------------------------------------------------------------------------

std::string TFloatProperty::GetValue() {
    int precision;
    switch (GetPropType()->Data.FloatType) {
    case ftSingle:
        precision = 7;
        break;
    case ftDouble:
        precision = 15;
        break;
    default:
        precision = 18;
        break;
    }
    return FloatToStrGeneral(GetFloatValue(), precision, 0);
}

void TFloatProperty::SetValue(const std::string& value) {
    SetFloatValue(StrToFloat(value));
}

// ---- string -----------------------------------------------------------------------------------------------

std::string TStringProperty::GetValue() {
    return GetStrValue();
}

void TStringProperty::SetValue(const std::string& value) {
    SetStrValue(value);
}
