// Fuzz target: binary form stream -> components. The input is read into a fresh root whose class
// publishes a property of every kind, a sub-object, a collection and a string list, with registered
// child classes. Input that reads must write back, and from there on write -> read -> write is a fixed
// point; what the writer writes must also convert to text and back.
//
// The seed corpus in corpus/read_component was made by this file's seed writer:
//     g++ -std=c++20 -DFUZZ_WRITE_SEEDS -Iframework fuzz/read_component.cpp build/framework/libfw_base.a \
//         -o /tmp/seeds && /tmp/seeds fuzz/corpus/read_component
#include "core/ClassRegistry.h"
#include "core/Collection.h"
#include "core/Component.h"
#include "core/Streams.h"
#include "core/StringList.h"
#include "rtti/Publisher.h"
#include "streaming/ObjectText.h"
#include "streaming/Reader.h"
#include "streaming/Writer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

FW_ENUM(TFuzzKind, fkOne, fkTwo, fkThree);
FW_SET(TFuzzKinds, TFuzzKind);
FW_EVENT_TYPE(TFuzzEvent, void(TObject* Sender, int Value));

namespace {

class TFuzzFont : public TPersistent {
    FW_CLASS(TFuzzFont, TPersistent)
public:
    std::string Name;
    int Size = 8;
    TFuzzKinds Kinds;
};

// Items hold a collection of their own, so collections nest.
class TFuzzItem : public TCollectionItem {
    FW_CLASS(TFuzzItem, TCollectionItem)
public:
    std::string Caption;
    TComponent* Link = nullptr;
    TCollection* Sub() const { return FSub.get(); }

private:
    std::unique_ptr<TCollection> FSub{new TCollection(TFuzzItem::StaticClass(), this)};
};

// A component with parented children, as windowed controls have.
class TFuzzContainer : public TComponent {
    FW_CLASS(TFuzzContainer, TComponent)
public:
    using TComponent::TComponent;
    ~TFuzzContainer() override;
    TComponent* GetChildParent() override { return this; }
    std::vector<TComponent*> Controls;
};

class TFuzzPanel : public TFuzzContainer {
    FW_CLASS(TFuzzPanel, TFuzzContainer)
public:
    using TFuzzContainer::TFuzzContainer;
    ~TFuzzPanel() override { SetParentComponent(nullptr); }
    int Width = 0;
    TFuzzContainer* Parent = nullptr;

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return Parent; }
    void SetParentComponent(TComponent* parent) override {
        // An inherited record can name a component that encloses the one it sits in.
        for (auto* p = dynamic_cast<TFuzzPanel*>(parent); p; p = dynamic_cast<TFuzzPanel*>(p->Parent))
            if (p == this) throw EInvalidOperation("Control cannot be its own parent");
        if (Parent) std::erase(Parent->Controls, this);
        Parent = dynamic_cast<TFuzzContainer*>(parent);
        if (Parent) Parent->Controls.push_back(this);
    }
    void GetChildren(const TGetChildProc& proc, TComponent* root) override {
        for (TComponent* c : Controls)
            if (c->Owner() == root) proc(c);
    }
};

TFuzzContainer::~TFuzzContainer() {
    for (TComponent* c : Controls)
        static_cast<TFuzzPanel*>(c)->Parent = nullptr;
}

class TFuzzChild : public TComponent {
    FW_CLASS(TFuzzChild, TComponent)
public:
    using TComponent::TComponent;
    ~TFuzzChild() override { SetBuddy(nullptr); }
    std::string Text;
    TComponent* Buddy() const { return FBuddy; }
    void SetBuddy(TComponent* buddy) {
        if (FBuddy) FBuddy->RemoveFreeNotification(this);
        FBuddy = buddy;
        if (FBuddy) FBuddy->FreeNotification(this);
    }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == FBuddy) FBuddy = nullptr;
    }

private:
    TComponent* FBuddy = nullptr;
};

class TFuzzRoot : public TFuzzContainer {
    FW_CLASS(TFuzzRoot, TFuzzContainer)
public:
    using TFuzzContainer::TFuzzContainer;

    int32_t Integer = 0;
    uint8_t Byte = 0;
    uint32_t Cardinal = 0;
    char Letter = 0;
    char16_t Wide = 0;
    TFuzzKind Kind = fkOne;
    bool Flag = false;
    TFuzzKinds Kinds;
    float Single = 0;
    double Double = 0;
    long double Extended = 0;
    std::string Short;
    std::string Text;
    TFuzzEvent OnValue;
    TNotifyEvent OnNotify;
    TFuzzChild* Child1 = nullptr;
    TFuzzPanel* Panel1 = nullptr;
    void ValueHandler(TObject*, int) {}
    void NotifyHandler(TObject*) {}

    TFuzzFont* Font() const { return FFont.get(); }
    TCollection* Items() const { return FItems.get(); }
    TStrings* Lines() const { return FLines.get(); }
    TComponent* Buddy = nullptr; // only set to components the root owns, which outlive it here

    void GetChildren(const TGetChildProc& proc, TComponent* root) override {
        for (TComponent* c : Controls)
            if (c->Owner() == root) proc(c);
        for (int i = 0; i < ComponentCount(); ++i)
            if (!Components(i)->HasParent()) proc(Components(i));
    }

private:
    std::unique_ptr<TFuzzFont> FFont{new TFuzzFont};
    std::unique_ptr<TCollection> FItems{new TCollection(TFuzzItem::StaticClass(), this)};
    std::unique_ptr<TStringList> FLines{new TStringList};
};

} // namespace

FW_PUBLISH(TFuzzFont) {
    p.Property("Name", &TFuzzFont::Name);
    p.Property("Size", &TFuzzFont::Size).Default(8);
    p.Property("Kinds", &TFuzzFont::Kinds).Default(TFuzzKinds{});
}

FW_PUBLISH(TFuzzItem) {
    p.Property("Caption", &TFuzzItem::Caption);
    p.Property("Link", &TFuzzItem::Link);
    p.ReadOnly("Sub", &TFuzzItem::Sub);
}

FW_PUBLISH(TFuzzContainer) {
}

FW_PUBLISH(TFuzzPanel) {
    p.Property("Width", &TFuzzPanel::Width).Default(0);
}

FW_PUBLISH(TFuzzChild) {
    p.Property("Text", &TFuzzChild::Text);
    p.Property("Buddy", &TFuzzChild::Buddy, &TFuzzChild::SetBuddy);
}

FW_PUBLISH(TFuzzRoot) {
    p.Property("Integer", &TFuzzRoot::Integer).Default(0);
    p.Property("Byte", &TFuzzRoot::Byte).Default(0);
    p.Property("Cardinal", &TFuzzRoot::Cardinal).Default(0);
    p.Property("Letter", &TFuzzRoot::Letter).Default('\0');
    p.Property("Wide", &TFuzzRoot::Wide).Default(u'\0');
    p.Property("Kind", &TFuzzRoot::Kind).Default(fkOne);
    p.Property("Flag", &TFuzzRoot::Flag).Default(false);
    p.Property("Kinds", &TFuzzRoot::Kinds).Default(TFuzzKinds{});
    p.Property("Single", &TFuzzRoot::Single);
    p.Property("Double", &TFuzzRoot::Double);
    p.Property("Extended", &TFuzzRoot::Extended);
    p.Property("Short", &TFuzzRoot::Short).Type(ShortStringTypeInfo(16));
    p.Property("Text", &TFuzzRoot::Text);
    p.ReadOnly("Font", &TFuzzRoot::Font);
    p.Property("Buddy", &TFuzzRoot::Buddy);
    p.ReadOnly("Items", &TFuzzRoot::Items);
    p.ReadOnly("Lines", &TFuzzRoot::Lines);
    p.Event("OnValue", &TFuzzRoot::OnValue);
    p.Event("OnNotify", &TFuzzRoot::OnNotify);
    FW_PUBLISH_FIELD(Child1);
    FW_PUBLISH_FIELD(Panel1);
    FW_PUBLISH_METHOD(ValueHandler);
    FW_PUBLISH_METHOD(NotifyHandler);
}

namespace {

const bool Registered = (RegisterClasses({TFuzzPanel::StaticClass(), TFuzzRoot::StaticClass()}), true);

std::string Write(TComponent* root) {
    TStringStream stream;
    {
        TWriter writer(stream, 256);
        writer.WriteRootComponent(root);
    }
    return stream.DataString();
}

void Read(const std::string& binary, TComponent* root) {
    TStringStream stream(binary);
    TReader reader(stream, 256);
    reader.ReadRootComponent(root);
}

bool IsNestingLimit(const Exception& e) {
    return e.Message().find("Nesting deeper than") != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto first = std::make_unique<TFuzzRoot>(nullptr);
    try {
        Read(std::string(reinterpret_cast<const char*>(data), size), first.get());
    } catch (const Exception&) {
        return 0; // rejected input is fine; crashes, leaks and sanitizer reports are not
    }
    // Exceptions from here on escape and count as findings.
    const std::string written = Write(first.get());
    auto second = std::make_unique<TFuzzRoot>(nullptr);
    Read(written, second.get());
    if (Write(second.get()) != written) std::abort();

    // The text form carries what the writer writes (the text side counts string lists as a nesting
    // level, the reader does not).
    try {
        TStringStream binary(written), text, again;
        ObjectBinaryToText(binary, text);
        text.SetPosition(0);
        ObjectTextToBinary(text, again);
    } catch (const Exception& e) {
        if (!IsNestingLimit(e)) throw;
    }
    return 0;
}

#ifdef FUZZ_WRITE_SEEDS
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    auto save = [&](const char* name, TComponent* root) {
        std::string bytes = Write(root);
        std::string path = std::string(argv[1]) + "/" + name;
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) std::exit(1);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    };

    TFuzzRoot empty(nullptr);
    save("empty", &empty);

    TFuzzRoot full(nullptr);
    full.SetName("Form1");
    full.Integer = -70000;
    full.Byte = 200;
    full.Cardinal = 4000000000u;
    full.Letter = 'q';
    full.Wide = u'\u20ac';
    full.Kind = fkThree;
    full.Flag = true;
    full.Kinds = {fkOne, fkThree};
    full.Single = 2.5f;
    full.Double = -0.125;
    full.Extended = 1e-4000L;
    full.Short = "short";
    full.Text = std::string(300, 'L');
    full.OnValue = TFuzzEvent::Bind<&TFuzzRoot::ValueHandler>(&full);
    full.OnNotify = TNotifyEvent::Bind<&TFuzzRoot::NotifyHandler>(&full);
    full.Font()->Name = "Mono";
    full.Font()->Kinds = {fkTwo};
    full.Lines()->SetText("one\ntwo\n");
    auto* panel = new TFuzzPanel(&full);
    panel->SetName("Panel1");
    panel->SetParentComponent(&full);
    panel->Width = 40;
    auto* inner = new TFuzzPanel(&full);
    inner->SetName("Inner");
    inner->SetParentComponent(panel);
    auto* child = new TFuzzChild(&full);
    child->SetName("Child1");
    child->Text = "x";
    child->SetBuddy(inner);
    child->SetDesignInfo(30u << 16 | 20u);
    full.Buddy = child;
    auto* item = static_cast<TFuzzItem*>(full.Items()->Add());
    item->Caption = "first";
    item->Link = panel;
    static_cast<TFuzzItem*>(item->Sub()->Add())->Caption = "nested";
    full.Items()->Add();
    save("full", &full);

    TFuzzRoot references(nullptr);
    references.SetName("Refs");
    for (const char* name : {"A", "B", "C"}) {
        auto* c = new TFuzzChild(&references);
        c->SetName(name);
    }
    static_cast<TFuzzChild*>(references.Components(0))->SetBuddy(references.Components(2));
    static_cast<TFuzzChild*>(references.Components(2))->SetBuddy(&references);
    save("references", &references);
    return 0;
}
#endif
