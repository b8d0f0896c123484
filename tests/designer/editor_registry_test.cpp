// The editor registry's ranking, the default editor per kind, the standard registrations, and the
// enumeration of the properties a selection has in common.
#include "designer_support.h"

#include "rtti/Publisher.h"

#include <gtest/gtest.h>

// Types and classes of their own, so that the registrations made here touch no other test.
FW_INTEGER_TYPE(TRankLater, int32_t, INT32_MIN, INT32_MAX);
FW_INTEGER_TYPE(TRankClassed, int32_t, INT32_MIN, INT32_MAX);
FW_INTEGER_TYPE(TRankNamed, int32_t, INT32_MIN, INT32_MAX);
FW_INTEGER_TYPE(TRankAncestor, int32_t, INT32_MIN, INT32_MAX);
FW_INTEGER_TYPE(TRankNameless, int32_t, INT32_MIN, INT32_MAX);
FW_INTEGER_TYPE(TRankMismatch, int32_t, INT32_MIN, INT32_MAX);

namespace {

class TRankBase : public TComponent {
    FW_CLASS(TRankBase, TComponent)
public:
    using TComponent::TComponent;
    TRankLater Later{};
    TRankClassed Classed{};
    TRankNamed Named{};
    TRankNamed OtherNamed{};
    TRankAncestor Ancestor{};
    TRankNameless Nameless{};
    TRankNameless AlsoNameless{};
    TRankMismatch Mismatch{};
    TEdPart* PartRef = nullptr;
    TEdSpecialPart* SpecialRef = nullptr;
};

class TRankDerived : public TRankBase {
    FW_CLASS(TRankDerived, TRankBase)
public:
    using TRankBase::TRankBase;
};

class TRankOther : public TComponent {
    FW_CLASS(TRankOther, TComponent)
public:
    using TComponent::TComponent;
    TRankMismatch Mismatch{};
    TRankLater Later{};
};

#define RANK_EDITOR(Name)                                                                                    \
    class Name : public TIntegerProperty {                                                                   \
        FW_CLASS(Name, TIntegerProperty)                                                                     \
    public:                                                                                                  \
        using TIntegerProperty::TIntegerProperty;                                                            \
    }
RANK_EDITOR(TEditorOne);
RANK_EDITOR(TEditorTwo);
RANK_EDITOR(TEditorThree);

class TPartEditor : public TClassProperty {
    FW_CLASS(TPartEditor, TClassProperty)
public:
    using TClassProperty::TClassProperty;
};

} // namespace

FW_PUBLISH(TRankBase) {
    p.Property("Later", &TRankBase::Later);
    p.Property("Classed", &TRankBase::Classed);
    p.Property("Named", &TRankBase::Named);
    p.Property("OtherNamed", &TRankBase::OtherNamed);
    p.Property("Ancestor", &TRankBase::Ancestor);
    p.Property("Nameless", &TRankBase::Nameless);
    p.Property("AlsoNameless", &TRankBase::AlsoNameless);
    p.Property("Mismatch", &TRankBase::Mismatch);
    p.Property("PartRef", &TRankBase::PartRef);
    p.Property("SpecialRef", &TRankBase::SpecialRef);
}
FW_PUBLISH(TRankDerived) {
}
FW_PUBLISH(TRankOther) {
    p.Property("Mismatch", &TRankOther::Mismatch);
    p.Property("Later", &TRankOther::Later);
}
FW_PUBLISH(TEditorOne) {
}
FW_PUBLISH(TEditorTwo) {
}
FW_PUBLISH(TEditorThree) {
}
FW_PUBLISH(TPartEditor) {
}

namespace {

template <class E> TPropertyEditorClass Ed() {
    return PropertyEditorClassOf<E>();
}

std::string EditorName(const TObject* object, const char* property) {
    TPropertyEditorClass cls = FindEditorClass(GetPropInfo(object, property), object);
    return cls ? cls->Class->Name : "none";
}

TEST(EditorRegistry, RankingOfMatchingRegistrations) {
    TRankDerived derived(nullptr);
    TRankBase base(nullptr);

    // the later of two registrations with neither class nor name
    RegisterPropertyEditor(TypeInfoOf<TRankLater>(), nullptr, "", Ed<TEditorOne>());
    RegisterPropertyEditor(TypeInfoOf<TRankLater>(), nullptr, "", Ed<TEditorTwo>());
    // a component class beats none, whatever the order
    RegisterPropertyEditor(TypeInfoOf<TRankClassed>(), TRankBase::StaticClass(), "", Ed<TEditorOne>());
    RegisterPropertyEditor(TypeInfoOf<TRankClassed>(), nullptr, "", Ed<TEditorTwo>());
    // class and name beat class alone, whatever the order
    RegisterPropertyEditor(TypeInfoOf<TRankNamed>(), TRankBase::StaticClass(), "named", Ed<TEditorOne>());
    RegisterPropertyEditor(TypeInfoOf<TRankNamed>(), TRankBase::StaticClass(), "", Ed<TEditorTwo>());
    // an older registration for the derived class loses to a newer one for its ancestor
    RegisterPropertyEditor(TypeInfoOf<TRankAncestor>(), TRankDerived::StaticClass(), "Ancestor",
                           Ed<TEditorOne>());
    RegisterPropertyEditor(TypeInfoOf<TRankAncestor>(), TRankBase::StaticClass(), "Ancestor",
                           Ed<TEditorTwo>());
    // a name without a component class is dropped: the registration serves every property of the type
    RegisterPropertyEditor(TypeInfoOf<TRankNameless>(), nullptr, "Nameless", Ed<TEditorThree>());

    struct Row {
        const TObject* object;
        const char* property;
        const char* editor;
    } rows[] = {
        {&base, "Later", "TEditorTwo"},          {&base, "Classed", "TEditorOne"},
        {&base, "Named", "TEditorOne"},          {&base, "OtherNamed", "TEditorTwo"},
        {&derived, "Named", "TEditorOne"},       {&derived, "Ancestor", "TEditorTwo"},
        {&base, "Ancestor", "TEditorTwo"},       {&base, "Nameless", "TEditorThree"},
        {&base, "AlsoNameless", "TEditorThree"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(EditorName(row.object, row.property), row.editor) << row.property;

    const TPropertyClassRec& newest = PropertyEditorRegistrations().front();
    EXPECT_EQ(newest.PropertyType, TypeInfoOf<TRankNameless>());
    EXPECT_EQ(newest.PropertyName, "");
}

TEST(EditorRegistry, ClassTypedRegistrationsServeDerivedClasses) {
    TRankBase base(nullptr);
    EXPECT_EQ(EditorName(&base, "SpecialRef"), "TClassProperty");
    RegisterPropertyEditor(TypeInfoOf<TEdPart*>(), TRankBase::StaticClass(), "", Ed<TPartEditor>());
    EXPECT_EQ(EditorName(&base, "PartRef"), "TPartEditor");
    EXPECT_EQ(EditorName(&base, "SpecialRef"), "TPartEditor"); // TEdSpecialPart derives from TEdPart
}

TEST(EditorRegistry, DefaultEditorByKind) {
    struct Row {
        TTypeKind kind;
        const char* editor;
    } rows[] = {
        {tkUnknown, "none"},
        {tkInteger, "TIntegerProperty"},
        {tkChar, "TCharProperty"},
        {tkEnumeration, "TEnumProperty"},
        {tkFloat, "TFloatProperty"},
        {tkString, "TStringProperty"},
        {tkSet, "TSetProperty"},
        {tkClass, "TClassProperty"},
        {tkMethod, "TMethodProperty"},
        {tkWChar, "TPropertyEditor"},
        {tkLString, "TStringProperty"},
        {tkWString, "TStringProperty"},
        {tkVariant, "TPropertyEditor"},
        {tkArray, "none"},
        {tkRecord, "none"},
        {tkInterface, "none"},
    };
    for (const Row& row : rows) {
        TPropertyEditorClass cls = DefaultEditorByKind(row.kind);
        EXPECT_EQ(cls ? cls->Class->Name : "none", row.editor) << int(row.kind);
    }
}

TEST(EditorRegistry, StandardRegistrations) {
    TEdTarget target(nullptr);
    TEdOther other(nullptr);
    TEdPart part;
    struct Row {
        const TObject* object;
        const char* property;
        const char* editor;
    } rows[] = {
        {&target, "Color", "TColorProperty"},
        {&target, "Cursor", "TCursorProperty"},
        {&target, "Caption", "TCaptionProperty"},
        {&other, "Caption", "TCaptionProperty"},
        {&other, "Count", "TStringProperty"}, // a string named like nothing special
        {&target, "Text", "TStringProperty"},
        {&target, "ModalResult", "TModalResultProperty"},
        {&target, "TabOrder", "TTabOrderProperty"},
        {&target, "Date", "TDateProperty"},
        {&target, "Time", "TTimeProperty"},
        {&target, "Stamp", "TDateTimeProperty"},
        {&target, "Font", "TFontProperty"},
        {target.Font(), "Name", "TFontNameProperty"},
        {target.Font(), "Charset", "TFontCharsetProperty"},
        {target.Font(), "Color", "TColorProperty"},
        {&part, "Name", "TStringProperty"}, // the font-name type outside TFont
        {&target, "Name", "TStringProperty"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(EditorName(row.object, row.property), row.editor) << row.property;
}

// ---- the property list ------------------------------------------------------------------------------------

TEST(PropInfoList, ContainsNeedsTheSameTypeRecordAndName) {
    TEdTarget target(nullptr);
    TEdOther other(nullptr);
    TPropInfoList list(&target, tkAny);
    EXPECT_TRUE(list.Contains(GetPropInfo(&other, "caption"))); // other record, same type and name
    EXPECT_FALSE(list.Contains(GetPropInfo(&other, "Count")));  // same name, other type
    TPropInfoList otherList(&other, tkAny);
    list.Intersect(otherList);
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i)
        names.push_back(list.Items(i)->Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Caption", "Name", "OnClick", "Tag"}));
    list.Delete(0);
    EXPECT_EQ(list.Items(0)->Name, "Name");
}

// ---- GetComponentProperties -------------------------------------------------------------------------------

// ---------------------------------------------------------------------------------

TEST(ComponentProperties, OneObjectYieldsEveryEditablePropertyInNameOrder) {
    TRecordingDesigner designer;
    TEdTarget target(nullptr);
    TEditors editors = EditorsOf({&target}, tkProperties, &designer);
    EXPECT_EQ(NamesOf(editors),
              (std::vector<std::string>{"Buddy",  "Byte",        "Caption", "Cardinal", "Color", "Count",
                                        "Cursor", "Date",        "Double",  "Ext",      "Flag",  "Font",
                                        "Letter", "ModalResult", "Name",    "Part",     "Shape", "Single",
                                        "Small",  "Stamp",       "Styles",  "TabOrder", "Tag",   "Text",
                                        "Time",   "Wide"}));
    // ReadOnlyCount (read-only, not an object) is left out; Part (read-only object) stays.
    for (const auto& e : editors) {
        EXPECT_EQ(e->Designer(), &designer);
        EXPECT_EQ(e->GetComponent(0), &target);
        EXPECT_TRUE(e->EnclosingObjects().empty());
    }
    EXPECT_EQ(NamesOf(EditorsOf({&target}, tkMethods, &designer)),
              (std::vector<std::string>{"OnChange", "OnClick"}));
}

TEST(ComponentProperties, SelectionsYieldWhatAllObjectsShare) {
    TEdTarget a(nullptr), b(nullptr);
    TEdOther other(nullptr);
    TEditors two = EditorsOf({&a, &b});
    EXPECT_EQ(Find(two, "TabOrder"), nullptr); // its editor is not for several objects
    EXPECT_NE(Find(two, "Color"), nullptr);
    EXPECT_EQ(two.size(), EditorsOf({&a}).size() - 1);

    TEditors mixed = EditorsOf({&a, &other});
    EXPECT_EQ(NamesOf(mixed), (std::vector<std::string>{"Caption", "Name", "Tag"}));
    TPropertyEditor* caption = Find(mixed, "Caption");
    EXPECT_EQ(caption->GetComponent(1), &other);
    caption->SetValue("Both");
    EXPECT_EQ(a.Caption, "Both");
    EXPECT_EQ(other.Caption, "Both");
    EXPECT_EQ(NamesOf(EditorsOf({&other, &a}, tkMethods)), std::vector<std::string>{"OnClick"});
}

TEST(ComponentProperties, APropertyWhoseEditorDiffersForAnotherClassIsLeftOut) {
    TRankBase base(nullptr);
    TRankOther other(nullptr);
    RegisterPropertyEditor(TypeInfoOf<TRankMismatch>(), TRankOther::StaticClass(), "", Ed<TEditorThree>());
    TEditors editors = EditorsOf({&base, &other});
    EXPECT_EQ(Find(editors, "Mismatch"), nullptr);
    EXPECT_NE(Find(editors, "Later"), nullptr);
    EXPECT_NE(Find(EditorsOf({&other}), "Mismatch"), nullptr);
}

TEST(ComponentProperties, MissingObjectsYieldNothing) {
    TEdTarget a(nullptr);
    TComponentList empty;
    int handed = 0;
    TEditorCallback count = [&](std::unique_ptr<TPropertyEditor>) { ++handed; };
    GetComponentProperties(nullptr, tkAny, nullptr, count);
    GetComponentProperties(&empty, tkAny, nullptr, count);
    EXPECT_EQ(handed, 0);
    EXPECT_TRUE(EditorsOf({nullptr, &a}).empty());
    EXPECT_TRUE(EditorsOf({&a, nullptr}).empty()); // a later missing object has no properties
}

TEST(ComponentProperties, ErrorsOfTheCallbackPropagateAndEditorsHandedOutStay) {
    TEdTarget a(nullptr);
    TEditors kept;
    TComponentList list;
    list.Add(&a);
    auto failOnThird = [&](std::unique_ptr<TPropertyEditor> e) {
        if (kept.size() == 2) throw EAbort("stop");
        kept.push_back(std::move(e));
    };
    EXPECT_EQ(MessageOf([&] { GetComponentProperties(&list, tkProperties, nullptr, failOnThird); }), "stop");
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[1]->GetName(), "Byte");
}

} // namespace
