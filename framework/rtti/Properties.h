// Reading and writing published properties of an object through their property records.
#pragma once

#include "rtti/ClassInfo.h"

#include <string>
#include <string_view>
#include <vector>

#pragma GCC visibility push(default)

using TPropList = std::vector<const TPropInfo*>;

// The published properties of the given kinds, inherited ones included, sorted by name (ignoring case).
TPropList GetPropList(TClass cls, TTypeKinds kinds = tkAny);
TPropList GetPropList(const TObject* instance, TTypeKinds kinds = tkAny);
// Null when the class publishes no property of that name (case is ignored).
const TPropInfo* GetPropInfo(TClass cls, std::string_view name);
const TPropInfo* GetPropInfo(const TObject* instance, std::string_view name);

// Integer, character, enumeration, set and class properties. A set's value is its bit mask, a class
// property's value the object pointer. Reading a write-only or writing a read-only property fails with
// EPropertyError.
int64_t GetOrdProp(TObject* instance, const TPropInfo* prop);
void SetOrdProp(TObject* instance, const TPropInfo* prop, int64_t value);
TObject* GetObjectProp(TObject* instance, const TPropInfo* prop);
void SetObjectProp(TObject* instance, const TPropInfo* prop, TObject* value);

Extended GetFloatProp(TObject* instance, const TPropInfo* prop);
void SetFloatProp(TObject* instance, const TPropInfo* prop, Extended value);

// Short, long and wide string properties, as UTF-8 text.
std::string GetStrProp(TObject* instance, const TPropInfo* prop);
void SetStrProp(TObject* instance, const TPropInfo* prop, const std::string& value);

TMethod GetMethodProp(TObject* instance, const TPropInfo* prop);
void SetMethodProp(TObject* instance, const TPropInfo* prop, const TMethod& value);

// The property's stored flag or stored test.
bool IsStoredProp(TObject* instance, const TPropInfo* prop);

// "[a, b]" <-> set value, by the element names of the set's type.
std::string SetToString(const TPropInfo* prop, int64_t value, bool brackets = true);
int64_t StringToSet(const TPropInfo* prop, std::string_view text);

#pragma GCC visibility pop
