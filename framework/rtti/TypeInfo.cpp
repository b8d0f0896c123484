#include "rtti/TypeInfo.h"

#include "core/SysUtils.h"
#include "rtti/ClassInfo.h"

#include <cctype>
#include <climits>
#include <memory>

const TTypeInfo* TTypeInfo::ParentInfo() const {
    if (Kind != tkClass || !Data.ClassType || !Data.ClassType->Parent) return nullptr;
    return &Data.ClassType->Parent->Type;
}

int TTypeInfo::PropCount() const {
    return Kind == tkClass && Data.ClassType ? Data.ClassType->PropertyCount() : 0;
}

const TTypeInfo* ClassTypeInfo(TClass cls) {
    return &cls->Type;
}

std::string GetEnumName(const TTypeInfo* info, int64_t value) {
    const TTypeData& data = info->Data;
    const TTypeInfo* base = data.BaseType ? data.BaseType : info;
    const auto& names = base->Data.NameList;
    if (value < 0 || value >= static_cast<int64_t>(names.size())) return {};
    return names[static_cast<size_t>(value)];
}

int64_t GetEnumValue(const TTypeInfo* info, std::string_view name) {
    const TTypeInfo* base = info->Data.BaseType ? info->Data.BaseType : info;
    const auto& names = base->Data.NameList;
    for (size_t i = 0; i < names.size(); ++i)
        if (SameText(names[i], name)) return static_cast<int64_t>(i);
    return -1;
}

TTypeInfo MakeOrdinalType(TTypeKind kind, std::string name, TOrdType ordType, int64_t min, int64_t max) {
    TTypeInfo t;
    t.Kind = kind;
    t.Name = std::move(name);
    t.Data.OrdType = ordType;
    t.Data.MinValue = min;
    t.Data.MaxValue = max;
    return t;
}

static std::vector<std::string> SplitNames(std::string_view list) {
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = list.find(',', start);
        if (comma == std::string_view::npos) comma = list.size();
        std::string name = Trim(list.substr(start, comma - start));
        if (!name.empty()) names.push_back(std::move(name));
        start = comma + 1;
    }
    return names;
}

TTypeInfo MakeEnumType(std::string name, std::string_view commaSeparatedNames) {
    TTypeInfo t;
    t.Kind = tkEnumeration;
    t.Name = std::move(name);
    t.Data.NameList = SplitNames(commaSeparatedNames);
    t.Data.OrdType = t.Data.NameList.size() <= 256 ? otUByte : otUWord;
    t.Data.MinValue = 0;
    t.Data.MaxValue = static_cast<int64_t>(t.Data.NameList.size()) - 1;
    t.Data.BaseType = nullptr; // a declared enumeration is its own base
    return t;
}

TTypeInfo MakeSetType(std::string name, const TTypeInfo* elementType) {
    TTypeInfo t;
    t.Kind = tkSet;
    t.Name = std::move(name);
    t.Data.OrdType = otULong;
    t.Data.CompType = elementType;
    t.Data.MinValue = elementType->Data.MinValue;
    t.Data.MaxValue = elementType->Data.MaxValue;
    return t;
}

TTypeInfo MakeFloatType(std::string name, TFloatType floatType) {
    TTypeInfo t;
    t.Kind = tkFloat;
    t.Name = std::move(name);
    t.Data.FloatType = floatType;
    return t;
}

TTypeInfo MakeStringType(TTypeKind kind, std::string name, int maxLength) {
    TTypeInfo t;
    t.Kind = kind;
    t.Name = std::move(name);
    t.Data.MaxLength = maxLength;
    return t;
}

TTypeInfo MakeAliasType(std::string name, const TTypeInfo* base) {
    TTypeInfo t = *base;
    t.Name = std::move(name);
    if (t.Kind == tkEnumeration && !t.Data.BaseType) t.Data.BaseType = base;
    return t;
}

// ---- method signatures ------------------------------------------------------------------------------------

namespace {

// The framework type name of a C++ parameter or result type as written in an event signature.
std::string FrameworkTypeName(std::string cppType) {
    static const std::pair<const char*, const char*> names[] = {
        {"int", "Integer"},        {"int32_t", "Integer"},      {"unsigned", "Cardinal"},
        {"uint32_t", "Cardinal"},  {"int16_t", "SmallInt"},     {"uint16_t", "Word"},
        {"int8_t", "ShortInt"},    {"uint8_t", "Byte"},         {"char", "Char"},
        {"char16_t", "WideChar"},  {"bool", "Boolean"},         {"float", "Single"},
        {"double", "Double"},      {"long double", "Extended"}, {"Extended", "Extended"},
        {"std::string", "string"}, {"void*", "Pointer"},
    };
    for (const auto& [cpp, fw] : names)
        if (cppType == cpp) return fw;
    return cppType;
}

TParamInfo ParseParameter(std::string_view text) {
    std::string decl = Trim(text);
    TParamInfo param;
    if (decl.rfind("const ", 0) == 0) {
        param.Flags.Include(pfConst);
        decl = Trim(std::string_view(decl).substr(6));
    }
    // The name is the trailing identifier; what stands before it is the type.
    size_t end = decl.size();
    size_t start = end;
    while (start > 0 && (std::isalnum(static_cast<unsigned char>(decl[start - 1])) || decl[start - 1] == '_'))
        --start;
    param.Name = decl.substr(start, end - start);
    std::string type = Trim(std::string_view(decl).substr(0, start));
    if (!type.empty() && type.back() == '&') {
        type = Trim(std::string_view(type).substr(0, type.size() - 1));
        if (!param.Flags.Contains(pfConst)) param.Flags.Include(pfVar);
    } else if (!type.empty() && type.back() == '*' && type != "void*") {
        // Pointers to framework objects are object references, passed by value.
        type = Trim(std::string_view(type).substr(0, type.size() - 1));
    }
    param.TypeName = FrameworkTypeName(type);
    return param;
}

} // namespace

TTypeInfo MakeMethodType(std::string name, std::string_view signature, const std::type_info& cppSignature) {
    TTypeInfo t;
    t.Kind = tkMethod;
    t.Name = std::move(name);
    t.Data.Signature = &cppSignature;
    size_t open = signature.find('(');
    size_t close = signature.rfind(')');
    std::string result = Trim(signature.substr(0, open));
    if (result == "void") {
        t.Data.MethodKind = mkProcedure;
    } else {
        t.Data.MethodKind = mkFunction;
        t.Data.ResultType = FrameworkTypeName(result);
    }
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return t;
    std::string_view params = signature.substr(open + 1, close - open - 1);
    size_t start = 0;
    while (start < params.size()) {
        size_t comma = params.find(',', start);
        if (comma == std::string_view::npos) comma = params.size();
        if (!Trim(params.substr(start, comma - start)).empty())
            t.Data.Params.push_back(ParseParameter(params.substr(start, comma - start)));
        start = comma + 1;
    }
    return t;
}

// ---- built-in records -------------------------------------------------------------------------------------

#define FW_BUILTIN(Type, Expr)                                                                               \
    const TTypeInfo* FwTypeInfo(Type*) {                                                                     \
        static const TTypeInfo info = Expr;                                                                  \
        return &info;                                                                                        \
    }

FW_BUILTIN(int8_t, MakeOrdinalType(tkInteger, "ShortInt", otSByte, INT8_MIN, INT8_MAX))
FW_BUILTIN(uint8_t, MakeOrdinalType(tkInteger, "Byte", otUByte, 0, UINT8_MAX))
FW_BUILTIN(int16_t, MakeOrdinalType(tkInteger, "SmallInt", otSWord, INT16_MIN, INT16_MAX))
FW_BUILTIN(uint16_t, MakeOrdinalType(tkInteger, "Word", otUWord, 0, UINT16_MAX))
FW_BUILTIN(int32_t, MakeOrdinalType(tkInteger, "Integer", otSLong, INT32_MIN, INT32_MAX))
FW_BUILTIN(uint32_t, MakeOrdinalType(tkInteger, "Cardinal", otULong, 0, UINT32_MAX))
FW_BUILTIN(char, MakeOrdinalType(tkChar, "Char", otUByte, 0, 255))
FW_BUILTIN(char16_t, MakeOrdinalType(tkWChar, "WideChar", otUWord, 0, 65535))
FW_BUILTIN(bool, [] {
    TTypeInfo t = MakeEnumType("Boolean", "False, True");
    return t;
}())
FW_BUILTIN(float, MakeFloatType("Single", ftSingle))
FW_BUILTIN(double, MakeFloatType("Double", ftDouble))
FW_BUILTIN(long double, MakeFloatType("Extended", ftExtended))
FW_BUILTIN(std::string, MakeStringType(tkLString, "string"))

const TTypeInfo* ShortStringTypeInfo(int maxLength) {
    static std::vector<std::unique_ptr<TTypeInfo>> records;
    for (const auto& r : records)
        if (r->Data.MaxLength == maxLength) return r.get();
    std::string name = maxLength == 255 ? "ShortString" : "string[" + std::to_string(maxLength) + "]";
    records.push_back(std::make_unique<TTypeInfo>(MakeStringType(tkString, std::move(name), maxLength)));
    return records.back().get();
}
