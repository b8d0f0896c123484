// Type records of published properties: a kind, a name and the data of that kind.
//
// TypeInfoOf<T>() gives the record of a C++ type. Built in: the integer types (Integer, Byte, ...),
// char (Char), char16_t (WideChar), bool (Boolean), float/double/long double (Single, Double, Extended),
// std::string (string) and pointers to framework classes. Further types declare their record next to
// their definition with the macros below:
//
//     FW_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient);   // enumeration
//     FW_SET(TFontStyles, TFontStyle);                                      // set of an enumeration
//     FW_INTEGER_TYPE(TColor, int32_t, INT32_MIN, INT32_MAX);               // named integer
//     FW_FLOAT_TYPE(TDateTime, double);                                    // named float
//     FW_STRING_TYPE(TCaption);                                            // named string
#pragma once

#include "core/Object.h"
#include "rtti/Set.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <vector>

#pragma GCC visibility push(default)

enum TTypeKind : uint8_t {
    tkUnknown,
    tkInteger,
    tkChar,
    tkEnumeration,
    tkFloat,
    tkString, // short string
    tkSet,
    tkClass,
    tkMethod,
    tkWChar,
    tkLString,
    tkWString,
    tkVariant,
    tkArray,
    tkRecord,
    tkInterface,
};
using TTypeKinds = TSet<TTypeKind>;

enum TOrdType : uint8_t { otSByte, otUByte, otSWord, otUWord, otSLong, otULong };
enum TFloatType : uint8_t { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };
enum TMethodKind : uint8_t { mkProcedure, mkFunction };
enum TParamFlag : uint8_t { pfVar, pfConst, pfArray, pfAddress, pfReference, pfOut };
using TParamFlags = TSet<TParamFlag>;

inline constexpr TTypeKinds tkAny = TTypeKinds::FromBits(0xFFFF);
inline constexpr TTypeKinds tkProperties = TTypeKinds::FromBits(0xFFFF & ~(1u << tkMethod));
inline constexpr TTypeKinds tkMethods = {tkMethod};

struct TTypeInfo;

struct TParamInfo {
    TParamFlags Flags;
    std::string Name;
    std::string TypeName;
};

// The data of a type record; which fields mean something depends on the kind.
struct TTypeData {
    // integer, character, enumeration, set (of the set itself: the element range)
    TOrdType OrdType = otSLong;
    int64_t MinValue = 0;
    int64_t MaxValue = 0;
    // enumeration: the type it is a subrange of (itself for a declared enumeration) and its names
    const TTypeInfo* BaseType = nullptr;
    std::vector<std::string> NameList;
    // set: the element type
    const TTypeInfo* CompType = nullptr;
    // floating point
    TFloatType FloatType = ftDouble;
    // short string
    int MaxLength = 255;
    // integer types whose values have names (colours, cursors): value <-> name, case ignored by the
    // name side; the form stream writes and reads the name where there is one
    bool (*IntToIdent)(int32_t value, std::string& ident) = nullptr;
    bool (*IdentToInt)(std::string_view ident, int32_t& value) = nullptr;
    // class: see TTypeInfo::ParentInfo() and PropCount()
    TClass ClassType = nullptr;
    // method
    TMethodKind MethodKind = mkProcedure;
    std::vector<TParamInfo> Params;
    std::string ResultType;
    const std::type_info* Signature = nullptr; // C++ signature, so handlers are only bound to matching events
};

struct TTypeInfo {
    TTypeKind Kind = tkUnknown;
    std::string Name;
    TTypeData Data;

    const TTypeData& TypeData() const { return Data; }
    // Class records: the parent class's record (null for TObject) and the count of published
    // properties including inherited ones.
    const TTypeInfo* ParentInfo() const;
    int PropCount() const;
};

inline const TTypeData& GetTypeData(const TTypeInfo* info) {
    return info->Data;
}

// Name <-> value of enumerations (and Boolean). GetEnumValue ignores case and gives -1 for no match.
std::string GetEnumName(const TTypeInfo* info, int64_t value);
int64_t GetEnumValue(const TTypeInfo* info, std::string_view name);

// Record builders behind the macros; usable directly for types a macro cannot express.
TTypeInfo MakeOrdinalType(TTypeKind kind, std::string name, TOrdType ordType, int64_t min, int64_t max);
TTypeInfo MakeEnumType(std::string name, std::string_view commaSeparatedNames);
TTypeInfo MakeSetType(std::string name, const TTypeInfo* elementType);
TTypeInfo MakeFloatType(std::string name, TFloatType floatType);
TTypeInfo MakeStringType(TTypeKind kind, std::string name, int maxLength = 255);
TTypeInfo MakeAliasType(std::string name, const TTypeInfo* base);
// `signature` is the C++ function type as written, e.g. "void(TObject* Sender, int& Key)"; parameter
// names and framework type names are read from it.
TTypeInfo MakeMethodType(std::string name, std::string_view signature, const std::type_info& cppSignature);

// ---- built-in records -------------------------------------------------------------------------------------

template <class T> struct TIsFrameworkClassPointer : std::false_type {};
template <class T>
requires std::is_base_of_v<TObject, T>
struct TIsFrameworkClassPointer<T*> : std::true_type {
};

const TTypeInfo* FwTypeInfo(int8_t*);
const TTypeInfo* FwTypeInfo(uint8_t*);
const TTypeInfo* FwTypeInfo(int16_t*);
const TTypeInfo* FwTypeInfo(uint16_t*);
const TTypeInfo* FwTypeInfo(int32_t*);
const TTypeInfo* FwTypeInfo(uint32_t*);
const TTypeInfo* FwTypeInfo(char*);
const TTypeInfo* FwTypeInfo(char16_t*);
const TTypeInfo* FwTypeInfo(bool*);
const TTypeInfo* FwTypeInfo(float*);
const TTypeInfo* FwTypeInfo(double*);
const TTypeInfo* FwTypeInfo(long double*);
const TTypeInfo* FwTypeInfo(std::string*);

// A fixed-capacity string published as a short string ("string[N]" in form terms). Stored as std::string;
// assigning longer text keeps the first N bytes.
const TTypeInfo* ShortStringTypeInfo(int maxLength);

const TTypeInfo* ClassTypeInfo(TClass cls);

template <class T> const TTypeInfo* TypeInfoOf() {
    if constexpr (TIsFrameworkClassPointer<T>::value) {
        return ClassTypeInfo(std::remove_pointer_t<T>::StaticClass());
    } else if constexpr (requires { T::TypeInfo(); }) {
        return T::TypeInfo();
    } else {
        return FwTypeInfo(static_cast<T*>(nullptr));
    }
}

// ---- declaration macros -----------------------------------------------------------------------------------

#define FW_ENUM(Name, ...)                                                                                   \
    enum Name : uint8_t { __VA_ARGS__ };                                                                     \
    inline const TTypeInfo* FwTypeInfo(Name*) {                                                              \
        static const TTypeInfo info = MakeEnumType(#Name, #__VA_ARGS__);                                     \
        return &info;                                                                                        \
    }

#define FW_SET(Name, Element)                                                                                \
    using Name = TSet<Element>;                                                                              \
    inline const TTypeInfo* FwTypeInfo(TSet<Element>*) {                                                     \
        static const TTypeInfo info = MakeSetType(#Name, TypeInfoOf<Element>());                             \
        return &info;                                                                                        \
    }

// A distinct integer type: an enumeration without enumerators over `Base`, so it converts explicitly.
#define FW_INTEGER_TYPE(Name, Base, Min, Max)                                                                \
    enum Name : Base {};                                                                                     \
    inline const TTypeInfo* FwTypeInfo(Name*) {                                                              \
        static const TTypeInfo info = [] {                                                                   \
            TTypeInfo t = MakeAliasType(#Name, TypeInfoOf<Base>());                                          \
            t.Data.MinValue = (Min);                                                                         \
            t.Data.MaxValue = (Max);                                                                         \
            return t;                                                                                        \
        }();                                                                                                 \
        return &info;                                                                                        \
    }

// A distinct integer type whose values may have names; ToIdent and FromIdent are defined elsewhere:
//     bool ToIdent(int32_t value, std::string& ident);
//     bool FromIdent(std::string_view ident, int32_t& value);
#define FW_INTEGER_TYPE_WITH_IDENTS(Name, Base, Min, Max, ToIdent, FromIdent)                                \
    bool ToIdent(int32_t value, std::string& ident);                                                         \
    bool FromIdent(std::string_view ident, int32_t& value);                                                  \
    enum Name : Base {};                                                                                     \
    inline const TTypeInfo* FwTypeInfo(Name*) {                                                              \
        static const TTypeInfo info = [] {                                                                   \
            TTypeInfo t = MakeAliasType(#Name, TypeInfoOf<Base>());                                          \
            t.Data.MinValue = (Min);                                                                         \
            t.Data.MaxValue = (Max);                                                                         \
            t.Data.IntToIdent = &ToIdent;                                                                    \
            t.Data.IdentToInt = &FromIdent;                                                                  \
            return t;                                                                                        \
        }();                                                                                                 \
        return &info;                                                                                        \
    }

#define FW_FLOAT_TYPE(Name, Base)                                                                            \
    struct Name {                                                                                            \
        Base Value = 0;                                                                                      \
        constexpr Name() = default;                                                                          \
        constexpr Name(Base value) : Value(value) {}                                                         \
        constexpr operator Base() const { return Value; }                                                    \
        static const TTypeInfo* TypeInfo() {                                                                 \
            static const TTypeInfo info = MakeAliasType(#Name, TypeInfoOf<Base>());                          \
            return &info;                                                                                    \
        }                                                                                                    \
    }

#define FW_STRING_TYPE(Name)                                                                                 \
    struct Name : std::string {                                                                              \
        using std::string::string;                                                                           \
        Name() = default;                                                                                    \
        Name(const std::string& s) : std::string(s) {}                                                       \
        Name(std::string&& s) : std::string(std::move(s)) {}                                                 \
        static const TTypeInfo* TypeInfo() {                                                                 \
            static const TTypeInfo info = MakeAliasType(#Name, TypeInfoOf<std::string>());                   \
            return &info;                                                                                    \
        }                                                                                                    \
    }

#pragma GCC visibility pop
