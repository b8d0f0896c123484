// Component editors: the default editor's choice of event, the freeing of every editor it sees, and the
// component-editor registry.
#include "designer_support.h"

#include "rtti/Publisher.h"

#include <gtest/gtest.h>

namespace {

// Editors that count how many of them are alive, registered only for TEdCounted.
int LiveEditors = 0;

class TCountingMethodProperty : public TMethodProperty {
    FW_CLASS(TCountingMethodProperty, TMethodProperty)
public:
    TCountingMethodProperty(TCustomDesigner* designer, int count) : TMethodProperty(designer, count) {
        ++LiveEditors;
    }
    ~TCountingMethodProperty() override { --LiveEditors; }
};

class TCountingIntegerProperty : public TIntegerProperty {
    FW_CLASS(TCountingIntegerProperty, TIntegerProperty)
public:
    TCountingIntegerProperty(TCustomDesigner* designer, int count) : TIntegerProperty(designer, count) {
        ++LiveEditors;
    }
    ~TCountingIntegerProperty() override { --LiveEditors; }
};

class TEdCounted : public TComponent {
    FW_CLASS(TEdCounted, TComponent)
public:
    using TComponent::TComponent;
    int Width = 0;
    TNotifyEvent OnClick, OnEnter, OnChange, OnExit;
};

// A default editor that stops at the first event it sees.
class TStoppingEditor : public TDefaultEditor {
    FW_CLASS(TStoppingEditor, TDefaultEditor)
public:
    using TDefaultEditor::TDefaultEditor;
    int Seen = 0;

protected:
    void EditProperty(TPropertyEditor* editor, bool& continueScan, bool& freeEditor) override {
        ++Seen;
        if (dynamic_cast<TMethodProperty*>(editor)) continueScan = false;
    }
};

// A family of components for the registry, and editors to register for them.
class TEdGadget : public TComponent {
    FW_CLASS(TEdGadget, TComponent)
public:
    using TComponent::TComponent;
};
class TEdGadgetChild : public TEdGadget {
    FW_CLASS(TEdGadgetChild, TEdGadget)
public:
    using TEdGadget::TEdGadget;
};
class TEdGadgetGrandChild : public TEdGadgetChild {
    FW_CLASS(TEdGadgetGrandChild, TEdGadgetChild)
public:
    using TEdGadgetChild::TEdGadgetChild;
};

class TVerbEditor : public TComponentEditor {
    FW_CLASS(TVerbEditor, TComponentEditor)
public:
    using TComponentEditor::TComponentEditor;
    std::vector<int> Executed;
    void ExecuteVerb(int index) override { Executed.push_back(index); }
    int GetVerbCount() override { return 2; }
};
class TGadgetEditorX : public TVerbEditor {
    FW_CLASS(TGadgetEditorX, TVerbEditor)
public:
    using TVerbEditor::TVerbEditor;
};
class TGadgetEditorY : public TVerbEditor {
    FW_CLASS(TGadgetEditorY, TVerbEditor)
public:
    using TVerbEditor::TVerbEditor;
};
class TGadgetEditorZ : public TVerbEditor {
    FW_CLASS(TGadgetEditorZ, TVerbEditor)
public:
    using TVerbEditor::TVerbEditor;
};

} // namespace

FW_PUBLISH(TCountingMethodProperty) {
}
FW_PUBLISH(TCountingIntegerProperty) {
}
FW_PUBLISH(TEdCounted) {
    p.Property("Width", &TEdCounted::Width);
    p.Event("OnClick", &TEdCounted::OnClick);
    p.Event("OnEnter", &TEdCounted::OnEnter);
    p.Event("OnChange", &TEdCounted::OnChange);
    p.Event("OnExit", &TEdCounted::OnExit);
}
FW_PUBLISH(TStoppingEditor) {
}
FW_PUBLISH(TEdGadget) {
}
FW_PUBLISH(TEdGadgetChild) {
}
FW_PUBLISH(TEdGadgetGrandChild) {
}
FW_PUBLISH(TVerbEditor) {
}
FW_PUBLISH(TGadgetEditorX) {
}
FW_PUBLISH(TGadgetEditorY) {
}
FW_PUBLISH(TGadgetEditorZ) {
}

namespace {

std::vector<std::string> DoubleClick(TComponent* component, TRecordingDesigner& designer) {
    auto editor = GetComponentEditor(component, &designer);
    editor->Edit();
    return designer.Calls;
}

TEST(DefaultEditor, OpensTheMostTypicalEvent) {
    TEdTarget target(nullptr); // OnChange and OnClick
    target.SetName("Edit1");
    TEdOther other(nullptr); // OnClick only
    other.SetName("Button1");
    TEdObscure obscure(nullptr); // OnZeta and OnAlpha
    obscure.SetName("Table1");
    TEdQuiet quiet(nullptr); // no events at all
    quiet.SetName("Quiet1");
    TForm form(nullptr); // OnCreate among many
    form.SetName("Form2");

    struct Row {
        TComponent* component;
        std::vector<std::string> calls;
    } rows[] = {
        {&target, {"CreateEventMethod Edit1Change", "ShowEventMethod Edit1Change"}},
        {&other, {"CreateEventMethod Button1Click", "ShowEventMethod Button1Click"}},
        {&obscure, {"CreateEventMethod Table1Alpha", "ShowEventMethod Table1Alpha"}},
        {&quiet, {}},
        {&form, {"CreateEventMethod Form2Create", "ShowEventMethod Form2Create"}},
    };
    for (const Row& row : rows) {
        TRecordingDesigner designer;
        auto editor = GetComponentEditor(row.component, &designer);
        EXPECT_EQ(editor->ClassName(), "TDefaultEditor");
        EXPECT_EQ(DoubleClick(row.component, designer), row.calls) << row.component->Name();
    }
}

TEST(DefaultEditor, FreesEveryEditorItSeesAlsoOnFailure) {
    RegisterPropertyEditor(TypeInfoOf<TNotifyEvent>(), TEdCounted::StaticClass(), "",
                           PropertyEditorClassOf<TCountingMethodProperty>());
    RegisterPropertyEditor(TypeInfoOf<int>(), TEdCounted::StaticClass(), "",
                           PropertyEditorClassOf<TCountingIntegerProperty>());
    TEdCounted counted(nullptr);
    counted.SetName("Counted1");
    TRecordingDesigner designer;
    EXPECT_EQ(DoubleClick(&counted, designer), (std::vector<std::string>{"CreateEventMethod Counted1Change",
                                                                         "ShowEventMethod Counted1Change"}));
    EXPECT_EQ(LiveEditors, 0);

    counted.SetName(""); // the chosen editor's Edit fails: the error propagates, nothing leaks
    TRecordingDesigner second;
    EXPECT_EQ(MessageOf([&] { DoubleClick(&counted, second); }),
              "Cannot create a default method name for an unnamed component");
    EXPECT_EQ(LiveEditors, 0);
}

TEST(DefaultEditor, AnOverrideThatStopsTheScanSuppressesTheEdit) {
    TEdTarget target(nullptr);
    target.SetName("Edit1");
    TRecordingDesigner designer;
    TStoppingEditor editor(&target, &designer);
    editor.Edit();
    EXPECT_TRUE(designer.Calls.empty());
    // all kinds by name: Buddy, Byte, ..., ModalResult, Name, then OnChange, where the scan stops
    EXPECT_EQ(editor.Seen, 16);
}

TEST(ComponentEditorRegistry, MostDerivedRegisteredClassWinsAndNewerWinsOnTies) {
    TRecordingDesigner designer;
    TEdGadget gadget(nullptr);
    TEdGadgetChild child(nullptr);
    TEdGadgetGrandChild grandChild(nullptr);
    TEdTarget unrelated(nullptr);

    RegisterComponentEditor(TEdGadgetChild::StaticClass(), ComponentEditorClassOf<TGadgetEditorX>());
    RegisterComponentEditor(TEdGadget::StaticClass(), ComponentEditorClassOf<TGadgetEditorY>());
    struct Row {
        TComponent* component;
        const char* editor;
    } rows[] = {{&gadget, "TGadgetEditorY"},
                {&child, "TGadgetEditorX"},
                {&grandChild, "TGadgetEditorX"},
                {&unrelated, "TDefaultEditor"}};
    for (const Row& row : rows)
        EXPECT_EQ(GetComponentEditor(row.component, &designer)->ClassName(), row.editor);

    RegisterComponentEditor(TEdGadgetChild::StaticClass(), ComponentEditorClassOf<TGadgetEditorZ>());
    EXPECT_EQ(GetComponentEditor(&grandChild, &designer)->ClassName(), "TGadgetEditorZ");

    auto editor = GetComponentEditor(&child, &designer);
    EXPECT_EQ(editor->Component(), &child);
    EXPECT_EQ(editor->Designer(), &designer);
    editor->Edit(); // runs verb 0
    EXPECT_EQ(static_cast<TVerbEditor*>(editor.get())->Executed, std::vector<int>{0});
}

} // namespace
