// The date, time and date-and-time editors: 0 is "no date" and shows as the empty text.
#include "SpecialisedEditors.h"

#include "core/SysUtils.h"
#include "rtti/Publisher.h"

FW_PUBLISH(TDateProperty) {
}
FW_PUBLISH(TTimeProperty) {
}
FW_PUBLISH(TDateTimeProperty) {
}

namespace {

template <class ToText> std::string DateText(const TPropertyEditor& editor, ToText toText) {
    const Extended value = editor.GetFloatValue();
    if (value == 0) return {};
    return toText(static_cast<TDateTimeValue>(value));
}

template <class FromText>
void StoreDate(TPropertyEditor& editor, const std::string& text, FromText fromText) {
    editor.SetFloatValue(text.empty() ? 0 : fromText(text));
}

} // namespace

std::string TDateProperty::GetValue() {
    return DateText(*this, DateToStr);
}

void TDateProperty::SetValue(const std::string& value) {
    StoreDate(*this, value, StrToDate);
}

std::string TTimeProperty::GetValue() {
    return DateText(*this, TimeToStr);
}

void TTimeProperty::SetValue(const std::string& value) {
    StoreDate(*this, value, StrToTime);
}

std::string TDateTimeProperty::GetValue() {
    return DateText(*this, DateTimeToStr);
}

void TDateTimeProperty::SetValue(const std::string& value) {
    StoreDate(*this, value, StrToDateTime);
}
