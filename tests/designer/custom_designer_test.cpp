// The designer interface's defaults, its virtual constructor, the inspector link, and TComponentList.
#include "designer_support.h"

#include "graphics/Font.h"
#include "rtti/Publisher.h"

#include <gtest/gtest.h>

namespace {

// An inspector that records what the designer calls on it.
class TRecordingInspector : public TCustomObjectInspector {
    FW_CLASS(TRecordingInspector, TCustomObjectInspector)
public:
    using TCustomObjectInspector::TCustomObjectInspector;
    int Refreshes = 0;
    TComponent* InspectedRoot() override { return nullptr; }
    void SetInspectedRoot(TComponent*) override {}
    void RefreshValues() override { ++Refreshes; }
    void InspectObject(TPersistent*) override {}
    void InspectList(TComponentList* list) override { delete list; }
    void ClearInspection() override {}
    void BeginComponentUpdate() override {}
    void EndComponentUpdate() override {}
};

} // namespace

FW_PUBLISH(TRecordingInspector) {
}

namespace {

TEST(CustomDesigner, EventOperationsCreateNothing) {
    TCustomDesigner designer;
    bool listed = false;
    designer.EnumEventMethods(nullptr, [&](const std::string&) { listed = true; });
    EXPECT_FALSE(listed);
    EXPECT_EQ(designer.CreateEventMethod("Button1Click", nullptr), TMethod{});
    EXPECT_FALSE(designer.EventMethodExists("Button1Click"));
    EXPECT_EQ(designer.UniqueComponentName("Button"), "");
    TMessage message{};
    EXPECT_FALSE(designer.FilterDesignMessage(nullptr, message));
}

TEST(CustomDesigner, EveryEventIsNamedByThePlaceholderWhateverTheHandler) {
    TCustomDesigner designer;
    const std::string placeholder = "\xE8\xBF\x98\xE6\xB2\xA1\xE5\x81\x9A"; // 还没做 in UTF-8
    for (TMethod method : {TMethod{}, TMethod{reinterpret_cast<void*>(1), nullptr},
                           TMethod{reinterpret_cast<void*>(7), reinterpret_cast<void*>(9)}})
        EXPECT_EQ(designer.EventMethodName(method), placeholder);
}

TEST(CustomDesigner, ObjectNameIsTheComponentNameAndEmptyForOtherObjects) {
    TCustomDesigner designer;
    TEdTarget named(nullptr);
    named.SetName("Button1");
    TEdTarget unnamed(nullptr);
    TFont font;
    EXPECT_EQ(designer.ObjectName(&named), "Button1");
    EXPECT_EQ(designer.ObjectName(&unnamed), "");
    EXPECT_EQ(designer.ObjectName(&font), "");
    EXPECT_EQ(designer.ObjectName(nullptr), "");
}

TEST(CustomDesigner, ModifiedSetsTheFlagAndRefreshesTheLinkedInspector) {
    TCustomDesigner designer;
    designer.Modified(); // no inspector linked yet: only the flag
    EXPECT_TRUE(designer.IsModified());

    TRecordingInspector inspector(nullptr);
    designer.SetInspector(&inspector);
    designer.Modified();
    designer.Modified();
    EXPECT_EQ(inspector.Refreshes, 2);
}

TEST(CustomDesigner, VirtualConstructorBuildsTheGivenClass) {
    std::unique_ptr<TCustomDesigner> plain(CreateDesigner(TCustomDesigner::StaticClass()));
    EXPECT_EQ(plain->ClassType(), TCustomDesigner::StaticClass());
    EXPECT_FALSE(plain->IsModified());
    EXPECT_EQ(plain->Inspector(), nullptr);

    std::unique_ptr<TCustomDesigner> derived(CreateDesigner(TRecordingDesigner::StaticClass()));
    EXPECT_NE(dynamic_cast<TRecordingDesigner*>(derived.get()), nullptr);

    EXPECT_EQ(MessageOf([] { CreateDesigner(TEdTarget::StaticClass()); }), "Invalid class typecast");
}

TEST(ComponentList, KeepsOrderAndNeverOwnsItsItems) {
    TEdTarget a(nullptr), b(nullptr);
    a.SetName("A");
    {
        auto* list = new TComponentList;
        EXPECT_EQ(list->Add(&a), 0);
        EXPECT_EQ(list->Add(&b), 1);
        EXPECT_EQ(list->Count(), 2);
        EXPECT_EQ(list->Items(0), &a);
        EXPECT_EQ((*list)[1], &b);
        EXPECT_EQ(MessageOf([&] { list->Items(2); }), "List index out of bounds (2)");
        delete list;
    }
    EXPECT_EQ(a.Name(), "A"); // still alive
}

} // namespace
