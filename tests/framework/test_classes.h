// Component classes for the streaming tests: TKitchenSink publishes one property of every kind, TSinkForm
// is a form-like root with published fields and methods, TSinkPanel a parented container.
#pragma once

#include "core/Collection.h"
#include "core/Component.h"
#include "core/StringList.h"
#include "rtti/Publisher.h"

#include <memory>
#include <string>
#include <vector>

FW_ENUM(TSinkShape, shCircle, shSquare, shTriangle);
FW_SET(TSinkShapes, TSinkShape);
FW_INTEGER_TYPE(TSinkColor, int32_t, INT32_MIN, INT32_MAX);
FW_FLOAT_TYPE(TSinkDate, double);
FW_STRING_TYPE(TSinkCaption);
FW_EVENT_TYPE(TSinkKeyEvent, void(TObject* Sender, char& Key));

// A sub-object streamed as "Font.Name", "Font.Size", "Font.Style".
class TSinkFont : public TPersistent {
    FW_CLASS(TSinkFont, TPersistent)
public:
    std::string Name;
    int Size = 8;
    TSinkShapes Style;
    void Assign(const TPersistent* source) override;
};

class TSinkItem : public TCollectionItem {
    FW_CLASS(TSinkItem, TCollectionItem)
public:
    std::string Caption;
    int Width = 50;
    TComponent* Link = nullptr;
    void Assign(const TPersistent* source) override;
};

class TKitchenSink : public TComponent {
    FW_CLASS(TKitchenSink, TComponent)
public:
    explicit TKitchenSink(TComponent* owner);
    ~TKitchenSink() override;

    int32_t Integer = 0;
    int32_t Always = 0; // no default: always written
    uint8_t Byte = 0;
    int16_t Small = 0;
    uint32_t Cardinal = 0;
    char Letter = 0;
    char16_t Wide = 0;
    TSinkShape Shape = shCircle;
    bool Enabled = true;
    TSinkShapes Shapes;
    float Single = 0;
    double Double = 0;
    long double Extended = 0;
    std::string Short; // published as a short string of at most 10 characters
    std::string Text;
    TSinkCaption Caption;
    TSinkDate Date;
    TSinkColor Color = TSinkColor(0);
    TNotifyEvent OnClick;
    TSinkKeyEvent OnKey;
    int Hidden = 0;   // stored false
    int Optional = 0; // stored while StoreOptional
    bool StoreOptional = true;

    TSinkFont* Font() const { return FFont.get(); }
    void SetFont(TSinkFont* font) { FFont->Assign(font); }
    TComponent* Buddy() const { return FBuddy; }
    void SetBuddy(TComponent* buddy);
    TCollection* Items() const { return FItems.get(); }
    void SetItems(TCollection* items) { FItems->Assign(items); }
    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* lines) { FLines->Assign(lines); }
    TSinkItem* Item(int index) const { return static_cast<TSinkItem*>(FItems->Items(index)); }

    // What Loaded saw: how often it ran and whether the reference was already set.
    int LoadedCalls = 0;
    TComponent* BuddyAtLoaded = nullptr;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::unique_ptr<TSinkFont> FFont;
    std::unique_ptr<TCollection> FItems;
    std::unique_ptr<TStringList> FLines;
    TComponent* FBuddy = nullptr;
};

// A component that holds parented children, as windowed controls do.
class TSinkContainer : public TComponent {
    FW_CLASS(TSinkContainer, TComponent)
public:
    using TComponent::TComponent;
    ~TSinkContainer() override;
    const std::vector<TComponent*>& Controls() const { return FControls; }
    TComponent* GetChildParent() override { return this; }

private:
    friend class TSinkPanel;
    std::vector<TComponent*> FControls;
};

class TSinkPanel : public TSinkContainer {
    FW_CLASS(TSinkPanel, TSinkContainer)
public:
    using TSinkContainer::TSinkContainer;
    ~TSinkPanel() override;
    int Width = 0;

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return FParent; }
    void SetParentComponent(TComponent* parent) override;
    // Its child controls owned by the root.
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;

private:
    friend class TSinkContainer;
    TSinkContainer* FParent = nullptr;
};

class TSinkForm : public TSinkContainer {
    FW_CLASS(TSinkForm, TSinkContainer)
public:
    using TSinkContainer::TSinkContainer;

    std::string Caption;
    TStrings* Notes() const { return FNotes.get(); } // published read-only: streams its lines only
    TKitchenSink* Sink1 = nullptr;
    TSinkPanel* Panel1 = nullptr;
    int Clicks = 0;
    void SinkClick(TObject*) { ++Clicks; }
    void SinkKey(TObject*, char& key) { key = 0; }

    int LoadedCalls = 0;
    void Loaded() override;
    // Parented children first, then the owned components without a parent.
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;

private:
    std::unique_ptr<TStringList> FNotes = std::make_unique<TStringList>();
};
