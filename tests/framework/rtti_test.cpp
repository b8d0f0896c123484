// Published metadata: type records, property records, listing, lookup and the accessors.
#include "core/Component.h"
#include "core/SysUtils.h"
#include "rtti/Properties.h"

#include <gtest/gtest.h>

#include <algorithm>

FW_ENUM(TRttiColour, rcRed, rcGreen, rcBlue);
FW_SET(TRttiColours, TRttiColour);
FW_INTEGER_TYPE(TRttiHandle, int32_t, 0, 1000);
FW_FLOAT_TYPE(TRttiStamp, double);
FW_STRING_TYPE(TRttiCaption);
FW_EVENT_TYPE(TRttiKeyEvent, void(TObject* Sender, char& Key, const std::string& Text));
FW_EVENT_TYPE(TRttiQueryEvent, bool(TObject* Sender, int Count));

namespace {

struct SetterLog {
    int calls = 0;
};

class TRttiBase : public TComponent {
    FW_CLASS(TRttiBase, TComponent)
public:
    using TComponent::TComponent;
    int Width = 10;
    std::string Hint;
};

class TRttiAll : public TRttiBase {
    FW_CLASS(TRttiAll, TRttiBase)
public:
    using TRttiBase::TRttiBase;

    int Count() const { return FCount; }
    void SetCount(int v) {
        FCount = v;
        ++Log.calls;
    }

    int FCount = 0;
    int8_t Small = 0;
    uint8_t Byte = 0;
    int16_t Word16 = 0;
    uint16_t UWord = 0;
    uint32_t Cardinal = 0;
    char Letter = 'a';
    char16_t Wide = u'x';
    bool Flag = false;
    TRttiColour Colour = rcGreen;
    TRttiColours Colours;
    float Single = 0;
    double Double = 0;
    long double Ext = 0;
    std::string Text;
    std::string Short;
    TRttiHandle Handle = TRttiHandle(0);
    TRttiStamp Stamp;
    TRttiCaption Caption;
    TNotifyEvent OnClick;
    TRttiKeyEvent OnKey;
    TRttiQueryEvent OnQuery;
    TComponent* Buddy = nullptr;
    SetterLog Log;
    bool storeText = true;

    void Clicked(TObject*) { ++clicks; }
    int clicks = 0;
};

} // namespace

FW_PUBLISH(TRttiBase) {
    p.Property("Width", &TRttiBase::Width).Default(10);
    p.Property("Hint", &TRttiBase::Hint);
}

FW_PUBLISH(TRttiAll) {
    p.Property("Count", &TRttiAll::Count, &TRttiAll::SetCount).Default(0);
    p.Property("Small", &TRttiAll::Small);
    p.Property("Byte", &TRttiAll::Byte);
    p.Property("Word16", &TRttiAll::Word16);
    p.Property("UWord", &TRttiAll::UWord);
    p.Property("Cardinal", &TRttiAll::Cardinal);
    p.Property("Letter", &TRttiAll::Letter);
    p.Property("Wide", &TRttiAll::Wide);
    p.Property("Flag", &TRttiAll::Flag).Default(false);
    p.Property("Colour", &TRttiAll::Colour).Default(rcGreen);
    p.Property("Colours", &TRttiAll::Colours).Default(TRttiColours{rcRed});
    p.Property("Single", &TRttiAll::Single);
    p.Property("Double", &TRttiAll::Double);
    p.Property("Ext", &TRttiAll::Ext);
    p.Property("Text", &TRttiAll::Text).Stored([](TRttiAll* a) { return a->storeText; });
    p.Property("Short", &TRttiAll::Short).Type(ShortStringTypeInfo(8));
    p.Property("Handle", &TRttiAll::Handle);
    p.Property("Stamp", &TRttiAll::Stamp);
    p.Property("Caption", &TRttiAll::Caption);
    p.Property("Buddy", &TRttiAll::Buddy);
    p.ReadOnly("ReadOnlyCount", &TRttiAll::FCount).Stored(false);
    p.Property("Width", &TRttiAll::Width).Default(20); // published again with another default
    p.Event("OnClick", &TRttiAll::OnClick);
    p.Event("OnKey", &TRttiAll::OnKey);
    p.Event("OnQuery", &TRttiAll::OnQuery);
    FW_PUBLISH_METHOD(Clicked);
}

namespace {

std::vector<std::string> Names(const TPropList& list) {
    std::vector<std::string> names;
    for (auto* p : list)
        names.push_back(p->Name);
    return names;
}

TEST(TypeRecords, BuiltInOrdinalsCarryWidthSignednessAndRange) {
    struct Row {
        const TTypeInfo* type;
        TTypeKind kind;
        const char* name;
        TOrdType ord;
        int64_t min, max;
    } rows[] = {
        {TypeInfoOf<int8_t>(), tkInteger, "ShortInt", otSByte, -128, 127},
        {TypeInfoOf<uint8_t>(), tkInteger, "Byte", otUByte, 0, 255},
        {TypeInfoOf<int16_t>(), tkInteger, "SmallInt", otSWord, -32768, 32767},
        {TypeInfoOf<uint16_t>(), tkInteger, "Word", otUWord, 0, 65535},
        {TypeInfoOf<int32_t>(), tkInteger, "Integer", otSLong, INT32_MIN, INT32_MAX},
        {TypeInfoOf<uint32_t>(), tkInteger, "Cardinal", otULong, 0, UINT32_MAX},
        {TypeInfoOf<char>(), tkChar, "Char", otUByte, 0, 255},
        {TypeInfoOf<char16_t>(), tkWChar, "WideChar", otUWord, 0, 65535},
        {TypeInfoOf<bool>(), tkEnumeration, "Boolean", otUByte, 0, 1},
        {TypeInfoOf<TRttiColour>(), tkEnumeration, "TRttiColour", otUByte, 0, 2},
        {TypeInfoOf<TRttiHandle>(), tkInteger, "TRttiHandle", otSLong, 0, 1000},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(r.type->Kind, r.kind);
        EXPECT_EQ(r.type->Name, r.name);
        EXPECT_EQ(r.type->Data.OrdType, r.ord);
        EXPECT_EQ(r.type->Data.MinValue, r.min);
        EXPECT_EQ(r.type->Data.MaxValue, r.max);
    }
}

TEST(TypeRecords, EnumerationsSetsFloatsStringsAndClasses) {
    EXPECT_EQ(TypeInfoOf<bool>()->Data.NameList, (std::vector<std::string>{"False", "True"}));
    EXPECT_EQ(TypeInfoOf<TRttiColour>()->Data.NameList,
              (std::vector<std::string>{"rcRed", "rcGreen", "rcBlue"}));

    const TTypeInfo* set = TypeInfoOf<TRttiColours>();
    EXPECT_EQ(set->Kind, tkSet);
    EXPECT_EQ(set->Name, "TRttiColours");
    EXPECT_EQ(set->Data.CompType, TypeInfoOf<TRttiColour>());

    EXPECT_EQ(TypeInfoOf<float>()->Data.FloatType, ftSingle);
    EXPECT_EQ(TypeInfoOf<double>()->Data.FloatType, ftDouble);
    EXPECT_EQ(TypeInfoOf<long double>()->Data.FloatType, ftExtended);
    EXPECT_EQ(TypeInfoOf<TRttiStamp>()->Kind, tkFloat);
    EXPECT_EQ(TypeInfoOf<TRttiStamp>()->Name, "TRttiStamp");

    EXPECT_EQ(TypeInfoOf<std::string>()->Kind, tkLString);
    EXPECT_EQ(TypeInfoOf<TRttiCaption>()->Kind, tkLString);
    EXPECT_EQ(TypeInfoOf<TRttiCaption>()->Name, "TRttiCaption");
    EXPECT_NE(TypeInfoOf<TRttiCaption>(), TypeInfoOf<std::string>()) << "named types need their own identity";
    EXPECT_EQ(ShortStringTypeInfo(8)->Kind, tkString);
    EXPECT_EQ(ShortStringTypeInfo(8)->Data.MaxLength, 8);
    EXPECT_EQ(ShortStringTypeInfo(8), ShortStringTypeInfo(8));

    const TTypeInfo* cls = TypeInfoOf<TRttiAll*>();
    EXPECT_EQ(cls->Kind, tkClass);
    EXPECT_EQ(cls->Name, "TRttiAll");
    EXPECT_EQ(cls->Data.ClassType, TRttiAll::StaticClass());
    EXPECT_EQ(cls->ParentInfo(), TypeInfoOf<TRttiBase*>());
    EXPECT_EQ(cls->PropCount(), static_cast<int>(TRttiAll::StaticClass()->Properties().size()));
    EXPECT_EQ(TypeInfoOf<TObject*>()->ParentInfo(), nullptr);
}

TEST(TypeRecords, MethodTypesListParametersWithFlagsAndTypeNames) {
    const TTypeData& notify = TypeInfoOf<TNotifyEvent>()->Data;
    EXPECT_EQ(notify.MethodKind, mkProcedure);
    ASSERT_EQ(notify.Params.size(), 1u);
    EXPECT_EQ(notify.Params[0].Name, "Sender");
    EXPECT_EQ(notify.Params[0].TypeName, "TObject");
    EXPECT_TRUE(notify.Params[0].Flags.Empty());

    const TTypeData& key = TypeInfoOf<TRttiKeyEvent>()->Data;
    ASSERT_EQ(key.Params.size(), 3u);
    EXPECT_EQ(key.Params[1].Name, "Key");
    EXPECT_EQ(key.Params[1].TypeName, "Char");
    EXPECT_TRUE(key.Params[1].Flags.Contains(pfVar));
    EXPECT_EQ(key.Params[2].TypeName, "string");
    EXPECT_TRUE(key.Params[2].Flags.Contains(pfConst));
    EXPECT_FALSE(key.Params[2].Flags.Contains(pfVar));

    const TTypeData& query = TypeInfoOf<TRttiQueryEvent>()->Data;
    EXPECT_EQ(query.MethodKind, mkFunction);
    EXPECT_EQ(query.ResultType, "Boolean");
    EXPECT_EQ(query.Params[1].TypeName, "Integer");
}

TEST(EnumNames, LookUpBothWaysIgnoringCase) {
    const TTypeInfo* t = TypeInfoOf<TRttiColour>();
    EXPECT_EQ(GetEnumName(t, 2), "rcBlue");
    EXPECT_EQ(GetEnumName(t, 3), "");
    EXPECT_EQ(GetEnumValue(t, "RCGREEN"), 1);
    EXPECT_EQ(GetEnumValue(t, "rcPurple"), -1);
    EXPECT_EQ(GetEnumValue(TypeInfoOf<bool>(), "true"), 1);
}

TEST(PropertyRecords, ListingIsSortedByNameAndIncludesInheritedOnes) {
    TPropList events = GetPropList(TRttiAll::StaticClass(), tkMethods);
    EXPECT_EQ(Names(events), (std::vector<std::string>{"OnClick", "OnKey", "OnQuery"}));

    TPropList all = GetPropList(TRttiAll::StaticClass(), tkProperties);
    std::vector<std::string> names = Names(all);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return CompareText(a, b) < 0;
    }));
    for (const char* inherited : {"Name", "Tag", "Hint", "Width"})
        EXPECT_NE(std::find(names.begin(), names.end(), inherited), names.end()) << inherited;
    EXPECT_EQ(std::count(names.begin(), names.end(), "Width"), 1)
        << "a property published again is listed once";

    TPropList ordinals = GetPropList(TRttiAll::StaticClass(), TTypeKinds{tkEnumeration});
    EXPECT_EQ(Names(ordinals), (std::vector<std::string>{"Colour", "Flag"}));
}

TEST(PropertyRecords, CarryDeclarationFacts) {
    TClass cls = TRttiAll::StaticClass();
    const TPropInfo* width = GetPropInfo(cls, "WIDTH");
    ASSERT_NE(width, nullptr);
    EXPECT_EQ(width->Default, 20);
    EXPECT_EQ(width->Owner, cls);
    EXPECT_EQ(width->NameIndex, GetPropInfo(TRttiBase::StaticClass(), "Width")->NameIndex)
        << "keeps the ancestor's position";
    EXPECT_LT(GetPropInfo(cls, "Name")->NameIndex, GetPropInfo(cls, "Count")->NameIndex);
    EXPECT_LT(GetPropInfo(cls, "Count")->NameIndex, GetPropInfo(cls, "Small")->NameIndex);

    EXPECT_EQ(GetPropInfo(cls, "Hint")->Default, TPropInfo::NoDefault);
    EXPECT_EQ(GetPropInfo(cls, "Colours")->Default, 1);
    EXPECT_EQ(GetPropInfo(cls, "Colour")->Default, rcGreen);
    EXPECT_EQ(GetPropInfo(cls, "Nope"), nullptr);

    const TPropInfo* ro = GetPropInfo(cls, "ReadOnlyCount");
    EXPECT_TRUE(ro->HasRead());
    EXPECT_FALSE(ro->HasWrite());
    EXPECT_TRUE(GetPropInfo(cls, "Count")->HasWrite());
    EXPECT_EQ(GetPropInfo(cls, "Short")->PropType->Kind, tkString);
}

TEST(PropertyAccess, OrdinalFloatStringAndMethodValuesRoundTrip) {
    TRttiAll obj(nullptr);
    auto prop = [&](const char* name) { return GetPropInfo(&obj, name); };

    SetOrdProp(&obj, prop("Small"), -5);
    SetOrdProp(&obj, prop("Cardinal"), 4000000000LL);
    SetOrdProp(&obj, prop("Letter"), 'Z');
    SetOrdProp(&obj, prop("Flag"), 1);
    SetOrdProp(&obj, prop("Colour"), rcBlue);
    SetOrdProp(&obj, prop("Colours"), 0b101);
    SetOrdProp(&obj, prop("Handle"), 77);
    EXPECT_EQ(obj.Small, -5);
    EXPECT_EQ(GetOrdProp(&obj, prop("Small")), -5);
    EXPECT_EQ(GetOrdProp(&obj, prop("Cardinal")), 4000000000LL);
    EXPECT_EQ(obj.Letter, 'Z');
    EXPECT_TRUE(obj.Flag);
    EXPECT_EQ(obj.Colour, rcBlue);
    EXPECT_TRUE(obj.Colours.Contains(rcRed) && obj.Colours.Contains(rcBlue) &&
                !obj.Colours.Contains(rcGreen));
    EXPECT_EQ(obj.Handle, 77);

    SetFloatProp(&obj, prop("Ext"), 1.25L);
    SetFloatProp(&obj, prop("Stamp"), 45000.5L);
    EXPECT_EQ(obj.Ext, 1.25L);
    EXPECT_DOUBLE_EQ(GetFloatProp(&obj, prop("Stamp")), 45000.5);

    SetStrProp(&obj, prop("Caption"), "Hello");
    SetStrProp(&obj, prop("Short"), "0123456789");
    EXPECT_EQ(GetStrProp(&obj, prop("Caption")), "Hello");
    EXPECT_EQ(obj.Short, "01234567") << "a short string keeps its maximum length";

    TComponent buddy(nullptr);
    SetObjectProp(&obj, prop("Buddy"), &buddy);
    EXPECT_EQ(obj.Buddy, &buddy);
    EXPECT_EQ(GetObjectProp(&obj, prop("Buddy")), &buddy);
    EXPECT_EQ(GetOrdProp(&obj, prop("Buddy")), reinterpret_cast<intptr_t>(&buddy));

    TMethod m = obj.MethodAddress("clicked");
    ASSERT_TRUE(m);
    SetMethodProp(&obj, prop("OnClick"), m);
    obj.OnClick(&obj);
    EXPECT_EQ(obj.clicks, 1);
    EXPECT_EQ(GetMethodProp(&obj, prop("OnClick")), m);
    EXPECT_EQ(obj.MethodName(m.Code), "Clicked");
    SetMethodProp(&obj, prop("OnClick"), TMethod{});
    EXPECT_FALSE(obj.OnClick);
}

TEST(PropertyAccess, SettersRunEveryTimeAndReadOnlyRefusesWrites) {
    TRttiAll obj(nullptr);
    const TPropInfo* count = GetPropInfo(&obj, "Count");
    SetOrdProp(&obj, count, 3);
    SetOrdProp(&obj, count, 3);
    EXPECT_EQ(obj.Log.calls, 2);
    EXPECT_THROW(SetOrdProp(&obj, GetPropInfo(&obj, "ReadOnlyCount"), 1), EPropertyError);
    EXPECT_EQ(GetOrdProp(&obj, GetPropInfo(&obj, "ReadOnlyCount")), 3);
}

TEST(PropertyAccess, StoredFlagsAndTests) {
    TRttiAll obj(nullptr);
    EXPECT_TRUE(IsStoredProp(&obj, GetPropInfo(&obj, "Text")));
    obj.storeText = false;
    EXPECT_FALSE(IsStoredProp(&obj, GetPropInfo(&obj, "Text")));
    EXPECT_FALSE(IsStoredProp(&obj, GetPropInfo(&obj, "Name")));
    EXPECT_TRUE(IsStoredProp(&obj, GetPropInfo(&obj, "Count")));
}

TEST(PropertyAccess, SetText) {
    const TPropInfo* colours = GetPropInfo(TRttiAll::StaticClass(), "Colours");
    EXPECT_EQ(SetToString(colours, 0b110), "[rcGreen,rcBlue]");
    EXPECT_EQ(SetToString(colours, 0), "[]");
    EXPECT_EQ(StringToSet(colours, "[ rcblue , rcRed ]"), 0b101);
    EXPECT_EQ(StringToSet(colours, "[]"), 0);
    EXPECT_THROW(StringToSet(colours, "[rcPink]"), EPropertyError);
}

TEST(Events, BindCallsTheMemberOnTheObject) {
    TRttiAll obj(nullptr);
    obj.OnClick = TNotifyEvent::Bind<&TRttiAll::Clicked>(&obj);
    ASSERT_TRUE(obj.OnClick);
    obj.OnClick(nullptr);
    obj.OnClick(nullptr);
    EXPECT_EQ(obj.clicks, 2);
    EXPECT_EQ(obj.OnClick.Method().Data, &obj);
}

TEST(ClassReferences, InheritanceNamesAndVirtualConstruction) {
    TClass cls = TRttiAll::StaticClass();
    EXPECT_EQ(cls->Name, "TRttiAll");
    EXPECT_TRUE(cls->InheritsFrom(TComponent::StaticClass()));
    EXPECT_TRUE(cls->InheritsFrom(TObject::StaticClass()));
    EXPECT_FALSE(TComponent::StaticClass()->InheritsFrom(cls));

    TComponent owner(nullptr);
    TObject* made = cls->Create(&owner);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->ClassType(), cls);
    EXPECT_EQ(made->ClassName(), "TRttiAll");
    EXPECT_TRUE(made->Is<TRttiBase>());
    EXPECT_EQ(static_cast<TComponent*>(made)->Owner(), &owner);
    EXPECT_EQ(owner.ComponentCount(), 1);

    EXPECT_TRUE(TPersistent::StaticClass()->IsAbstract() == false);
    EXPECT_THROW(TObject::StaticClass()->Create(nullptr), EInvalidOperation);
}

} // namespace
