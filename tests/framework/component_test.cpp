// Components: ownership, names, notifications, published fields, state.
#include "core/ClassRegistry.h"
#include "core/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Heard {
    TComponent* component;
    TOperation operation;
    bool operator==(const Heard&) const = default;
};

// Records what it hears and whether it was destroyed.
class TListener : public TComponent {
    FW_CLASS(TListener, TComponent)
public:
    explicit TListener(TComponent* owner, std::vector<std::string>* deaths = nullptr)
        : TComponent(owner), FDeaths(deaths) {}
    ~TListener() override {
        if (FDeaths) FDeaths->push_back(Name());
    }
    void Notification(TComponent* c, TOperation op) override {
        heard.push_back({c, op});
        TComponent::Notification(c, op);
    }
    std::vector<Heard> heard;

private:
    std::vector<std::string>* FDeaths;
};

class TOwnerForm : public TComponent {
    FW_CLASS(TOwnerForm, TComponent)
public:
    using TComponent::TComponent;
    TListener* Listener1 = nullptr;
    TComponent* Other1 = nullptr;
    void ValidateRename(TComponent* c, const std::string& cur, const std::string& next) override {
        TComponent::ValidateRename(c, cur, next);
        if (next == "Forbidden") throw EComponentError("no");
    }
};

} // namespace

FW_PUBLISH(TListener) {
}
FW_PUBLISH(TOwnerForm) {
    FW_PUBLISH_FIELD(Listener1);
    FW_PUBLISH_FIELD(Other1);
}

namespace {

TEST(Ownership, OwnedComponentsInCreationOrderAndFreedLastFirst) {
    std::vector<std::string> deaths;
    {
        TOwnerForm form(nullptr);
        for (const char* name : {"A", "B", "C"})
            (new TListener(&form, &deaths))->SetName(name);
        ASSERT_EQ(form.ComponentCount(), 3);
        EXPECT_EQ(form.Components(0)->Name(), "A");
        EXPECT_EQ(form.Components(2)->Name(), "C");
        EXPECT_EQ(form.Components(1)->ComponentIndex(), 1);
        EXPECT_THROW(form.Components(3), EListError);
    }
    EXPECT_EQ(deaths, (std::vector<std::string>{"C", "B", "A"}));
}

TEST(Ownership, DeletingAComponentRemovesItFromItsOwnerAndFreesWhatItOwns) {
    std::vector<std::string> deaths;
    TOwnerForm form(nullptr);
    auto* parent = new TListener(&form, &deaths);
    parent->SetName("Parent");
    (new TListener(parent, &deaths))->SetName("Child");
    delete parent;
    EXPECT_EQ(form.ComponentCount(), 0);
    // The derived destructor of the parent runs before its owned child is freed.
    EXPECT_EQ(deaths, (std::vector<std::string>{"Parent", "Child"}));
}

TEST(Ownership, SetComponentIndexReorders) {
    TOwnerForm form(nullptr);
    auto* a = new TComponent(&form);
    auto* b = new TComponent(&form);
    auto* c = new TComponent(&form);
    c->SetComponentIndex(0);
    EXPECT_EQ(form.Components(0), c);
    EXPECT_EQ(form.Components(1), a);
    EXPECT_EQ(form.Components(2), b);
    a->SetComponentIndex(99);
    EXPECT_EQ(form.Components(2), a);
}

TEST(Names, ValidationMessages) {
    TOwnerForm form(nullptr);
    auto* a = new TComponent(&form);
    a->SetName("Button1");
    auto* b = new TComponent(&form);
    struct Row {
        const char* name;
        const char* message;
    } rows[] = {
        {"1Button", "'1Button' is not a valid component name"},
        {"Has Space", "'Has Space' is not a valid component name"},
        {"button1", "A component named button1 already exists"},
        {"BUTTON1", "A component named BUTTON1 already exists"},
        {"Forbidden", "no"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        try {
            b->SetName(r.name);
            ADD_FAILURE() << "accepted";
        } catch (const EComponentError& e) {
            EXPECT_EQ(e.Message(), r.message);
        }
        EXPECT_EQ(b->Name(), "");
    }
    a->SetName("BUTTON1"); // a component may change the case of its own name
    EXPECT_EQ(a->Name(), "BUTTON1");
    b->SetName("");
    b->SetName("_ok2");
    EXPECT_EQ(form.FindComponent("_OK2"), b);
    EXPECT_EQ(form.FindComponent("button1"), a);
    EXPECT_EQ(form.FindComponent(""), nullptr);
    EXPECT_EQ(form.FindComponent("Missing"), nullptr);
}

TEST(Names, PublishedFieldsFollowCreationRenamingAndRemoval) {
    TOwnerForm form(nullptr);
    auto* listener = new TListener(&form);
    EXPECT_EQ(form.Listener1, nullptr);
    listener->SetName("Listener1");
    EXPECT_EQ(form.Listener1, listener);
    listener->SetName("Renamed");
    EXPECT_EQ(form.Listener1, nullptr);
    listener->SetName("listener1");
    EXPECT_EQ(form.Listener1, listener) << "field names match ignoring case";

    auto* plain = new TComponent(&form);
    plain->SetName("Listener2");
    plain->SetName("Other1");
    EXPECT_EQ(form.Other1, plain);

    delete listener;
    EXPECT_EQ(form.Listener1, nullptr);
    delete plain;
    EXPECT_EQ(form.Other1, nullptr);
}

TEST(Names, FieldOfAnotherClassIsLeftAlone) {
    TOwnerForm form(nullptr);
    auto* plain = new TComponent(&form);
    plain->SetName("Listener1"); // the field wants a TListener
    EXPECT_EQ(form.Listener1, nullptr);
}

TEST(Notifications, OwnerAndSiblingsHearInsertionsAndRemovals) {
    auto* form = new TListener(nullptr);
    auto* sibling = new TListener(form);
    auto* added = new TComponent(form);
    EXPECT_EQ(form->heard, (std::vector<Heard>{{sibling, opInsert}, {added, opInsert}}));
    EXPECT_EQ(sibling->heard, (std::vector<Heard>{{added, opInsert}}));
    delete added;
    EXPECT_EQ(form->heard.back(), (Heard{added, opRemove}));
    EXPECT_EQ(sibling->heard.back(), (Heard{added, opRemove}));
    delete form;
}

TEST(Notifications, ListenersAmongManyQuietSiblingsAndBelowQuietOnesHear) {
    auto* form = new TComponent(nullptr);
    for (int i = 0; i < 50; ++i)
        new TComponent(form);
    auto* sibling = new TListener(form); // made with plain new: its class is known only afterwards
    auto* quiet = new TComponent(form);
    auto* nested = new TListener(quiet); // owned by a component that does not listen itself
    auto* made = TComponent::CreateInstance(TListener::StaticClass(), form);
    auto* added = new TComponent(form);
    EXPECT_EQ(sibling->heard, (std::vector<Heard>{{quiet, opInsert}, {made, opInsert}, {added, opInsert}}));
    EXPECT_EQ(nested->heard, (std::vector<Heard>{{made, opInsert}, {added, opInsert}}));
    EXPECT_EQ(static_cast<TListener*>(made)->heard, (std::vector<Heard>{{added, opInsert}}));
    delete added;
    EXPECT_EQ(nested->heard.back(), (Heard{added, opRemove}));
    delete sibling;
    auto* late = new TComponent(form);
    EXPECT_EQ(nested->heard.back(), (Heard{late, opInsert}));
    delete form;
}

TEST(Names, TheIndexFollowsRenamesRemovalsAndCase) {
    TOwnerForm form(nullptr);
    std::vector<TComponent*> made;
    for (int i = 0; i < 100; ++i) {
        made.push_back(new TComponent(&form));
        made.back()->SetName("Part" + std::to_string(i));
    }
    EXPECT_EQ(form.FindComponent("PART42"), made[42]);
    made[42]->SetName("Renamed");
    EXPECT_EQ(form.FindComponent("part42"), nullptr);
    EXPECT_EQ(form.FindComponent("renamed"), made[42]);
    EXPECT_THROW(made[7]->SetName("RENAMED"), EComponentError);
    made[7]->SetName("Part42"); // free again
    EXPECT_EQ(form.FindComponent("Part42"), made[7]);
    delete made[7];
    EXPECT_EQ(form.FindComponent("Part42"), nullptr);
    made[8]->SetName("");
    EXPECT_EQ(form.FindComponent("Part8"), nullptr);
    auto* other = new TComponent(nullptr);
    form.RemoveComponent(made[9]);
    other->InsertComponent(made[9]);
    EXPECT_EQ(form.FindComponent("Part9"), nullptr);
    EXPECT_EQ(other->FindComponent("Part9"), made[9]);
    delete other;
}

TEST(Notifications, FreeNotificationReachesComponentsOfOtherOwners) {
    TListener watcher(nullptr);
    auto* watched = new TComponent(nullptr);
    watched->FreeNotification(&watcher);
    EXPECT_TRUE(watched->ComponentState().Contains(csFreeNotification));
    delete watched;
    EXPECT_EQ(watcher.heard, (std::vector<Heard>{{watched, opRemove}}));

    // A watcher that dies first is forgotten: destroying the watched one later must not touch it.
    auto* shortLived = new TListener(nullptr);
    TComponent survivor(nullptr);
    survivor.FreeNotification(shortLived);
    delete shortLived;
    EXPECT_FALSE(survivor.ComponentState().Contains(csFreeNotification));
}

TEST(State, DesigningReachesEverythingOwnedAndNewcomers) {
    TOwnerForm form(nullptr);
    auto* child = new TComponent(&form);
    auto* grandchild = new TComponent(child);
    form.SetDesigning(true);
    EXPECT_TRUE(child->ComponentState().Contains(csDesigning));
    EXPECT_TRUE(grandchild->ComponentState().Contains(csDesigning));
    auto* late = new TComponent(&form);
    EXPECT_TRUE(late->ComponentState().Contains(csDesigning));
    form.SetDesigning(false, false);
    EXPECT_FALSE(form.ComponentState().Contains(csDesigning));
    EXPECT_TRUE(child->ComponentState().Contains(csDesigning));
}

TEST(State, DesignInfoHoldsLeftAndTop) {
    TComponent c(nullptr);
    c.SetDesignInfo((50u << 16) | 100u);
    EXPECT_EQ(c.DesignInfo() & 0xFFFF, 100u);
    EXPECT_EQ(c.DesignInfo() >> 16, 50u);
}

TEST(ClassRegistry, FindsRegisteredClassesByNameIgnoringCase) {
    RegisterClasses({TListener::StaticClass(), TOwnerForm::StaticClass()});
    RegisterClass(TListener::StaticClass()); // again: no effect
    EXPECT_EQ(GetClass("tlistener"), TListener::StaticClass());
    EXPECT_EQ(FindClass("TOwnerForm"), TOwnerForm::StaticClass());
    EXPECT_EQ(GetClass("TNothing"), nullptr);
    try {
        FindClass("TNothing");
        FAIL();
    } catch (const EClassNotFound& e) {
        EXPECT_EQ(e.Message(), "Class TNothing not found");
    }
    UnRegisterClass(TListener::StaticClass());
    EXPECT_EQ(GetClass("TListener"), nullptr);
}

} // namespace

namespace {

// Records the class its owner's new components have when their insertion is announced.
class TClassRecorder : public TComponent {
    FW_CLASS(TClassRecorder, TComponent)
public:
    using TComponent::TComponent;
    std::vector<std::string> inserted;
    void Notification(TComponent* c, TOperation op) override {
        if (op == opInsert) inserted.push_back(c->ClassName());
        TComponent::Notification(c, op);
    }
};

} // namespace

FW_PUBLISH(TClassRecorder) {
}

namespace {

TEST(Notifications, TheVirtualConstructorAnnouncesTheFinishedObject) {
    TClassRecorder owner(nullptr);
    TComponent* made = TComponent::CreateInstance(TListener::StaticClass(), &owner);
    EXPECT_EQ(made->Owner(), &owner);
    EXPECT_EQ(owner.inserted, (std::vector<std::string>{"TListener"})) << "announced once, as its own class";
    EXPECT_THROW(TComponent::CreateInstance(TObject::StaticClass(), &owner), EInvalidOperation);
    EXPECT_EQ(owner.ComponentCount(), 1);
}

} // namespace
