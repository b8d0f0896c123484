#include "test_classes.h"

#include "core/ClassRegistry.h"

#include <algorithm>

FW_PUBLISH(TSinkFont) {
    p.Property("Name", &TSinkFont::Name);
    p.Property("Size", &TSinkFont::Size).Default(8);
    p.Property("Style", &TSinkFont::Style).Default(TSinkShapes{});
}

void TSinkFont::Assign(const TPersistent* source) {
    auto* font = dynamic_cast<const TSinkFont*>(source);
    if (!font) return TPersistent::Assign(source);
    Name = font->Name;
    Size = font->Size;
    Style = font->Style;
}

FW_PUBLISH(TSinkItem) {
    p.Property("Caption", &TSinkItem::Caption);
    p.Property("Width", &TSinkItem::Width).Default(50);
    p.Property("Link", &TSinkItem::Link);
}

void TSinkItem::Assign(const TPersistent* source) {
    auto* item = dynamic_cast<const TSinkItem*>(source);
    if (!item) return TPersistent::Assign(source);
    Caption = item->Caption;
    Width = item->Width;
    Link = item->Link;
}

FW_PUBLISH(TKitchenSink) {
    p.Property("Integer", &TKitchenSink::Integer).Default(0);
    p.Property("Always", &TKitchenSink::Always);
    p.Property("Byte", &TKitchenSink::Byte).Default(0);
    p.Property("Small", &TKitchenSink::Small).Default(0);
    p.Property("Cardinal", &TKitchenSink::Cardinal).Default(0);
    p.Property("Letter", &TKitchenSink::Letter).Default('\0');
    p.Property("Wide", &TKitchenSink::Wide).Default(u'\0');
    p.Property("Shape", &TKitchenSink::Shape).Default(shCircle);
    p.Property("Enabled", &TKitchenSink::Enabled).Default(true);
    p.Property("Shapes", &TKitchenSink::Shapes).Default(TSinkShapes{});
    p.Property("Single", &TKitchenSink::Single);
    p.Property("Double", &TKitchenSink::Double);
    p.Property("Extended", &TKitchenSink::Extended);
    p.Property("Short", &TKitchenSink::Short).Type(ShortStringTypeInfo(10));
    p.Property("Text", &TKitchenSink::Text);
    p.Property("Caption", &TKitchenSink::Caption);
    p.Property("Date", &TKitchenSink::Date);
    p.Property("Color", &TKitchenSink::Color).Default(TSinkColor(0));
    p.Property("Font", &TKitchenSink::Font, &TKitchenSink::SetFont);
    p.Property("Buddy", &TKitchenSink::Buddy, &TKitchenSink::SetBuddy);
    p.Property("Items", &TKitchenSink::Items, &TKitchenSink::SetItems);
    p.Property("Lines", &TKitchenSink::Lines, &TKitchenSink::SetLines);
    p.Property("Hidden", &TKitchenSink::Hidden).Default(0).Stored(false);
    p.Property("Optional", &TKitchenSink::Optional).Default(0).Stored(&TKitchenSink::StoreOptional);
    p.Event("OnClick", &TKitchenSink::OnClick);
    p.Event("OnKey", &TKitchenSink::OnKey);
}

TKitchenSink::TKitchenSink(TComponent* owner)
    : TComponent(owner), FFont(new TSinkFont), FItems(new TCollection(TSinkItem::StaticClass(), this)),
      FLines(new TStringList) {
}

TKitchenSink::~TKitchenSink() {
    SetBuddy(nullptr);
}

void TKitchenSink::SetBuddy(TComponent* buddy) {
    if (FBuddy) FBuddy->RemoveFreeNotification(this);
    FBuddy = buddy;
    if (FBuddy) FBuddy->FreeNotification(this);
}

void TKitchenSink::Loaded() {
    TComponent::Loaded();
    ++LoadedCalls;
    BuddyAtLoaded = FBuddy;
}

void TKitchenSink::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FBuddy) FBuddy = nullptr;
}

FW_PUBLISH(TSinkContainer) {
}

TSinkContainer::~TSinkContainer() {
    for (TComponent* c : FControls)
        if (auto* panel = dynamic_cast<TSinkPanel*>(c)) panel->FParent = nullptr;
}

FW_PUBLISH(TSinkPanel) {
    p.Property("Width", &TSinkPanel::Width).Default(0);
}

TSinkPanel::~TSinkPanel() {
    SetParentComponent(nullptr);
}

void TSinkPanel::SetParentComponent(TComponent* parent) {
    if (FParent) std::erase(FParent->FControls, this);
    FParent = dynamic_cast<TSinkContainer*>(parent);
    if (FParent) FParent->FControls.push_back(this);
}

void TSinkPanel::GetChildren(const TGetChildProc& proc, TComponent* root) {
    for (TComponent* c : Controls())
        if (c->Owner() == root) proc(c);
}

FW_PUBLISH(TSinkForm) {
    p.Property("Caption", &TSinkForm::Caption);
    p.ReadOnly("Notes", &TSinkForm::Notes);
    FW_PUBLISH_FIELD(Sink1);
    FW_PUBLISH_FIELD(Panel1);
    FW_PUBLISH_METHOD(SinkClick);
    FW_PUBLISH_METHOD(SinkKey);
}

void TSinkForm::Loaded() {
    TComponent::Loaded();
    ++LoadedCalls;
}

void TSinkForm::GetChildren(const TGetChildProc& proc, TComponent* root) {
    for (TComponent* c : Controls())
        if (c->Owner() == root) proc(c);
    if (root != this) return;
    for (int i = 0; i < ComponentCount(); ++i)
        if (!Components(i)->HasParent()) proc(Components(i));
}

namespace {
// TKitchenSink is deliberately left out: a form finds it through its published field Sink1.
const bool SinkClassesRegistered =
    (RegisterClasses({TSinkPanel::StaticClass(), TSinkForm::StaticClass()}), true);
} // namespace
