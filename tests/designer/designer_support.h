// Shared fixtures of the designer tests: a designer that records what the editors ask of it, components
// that publish a property of every kind, and helpers that collect the editors of a selection.
#pragma once

#include "ObjIntf.h"
#include "core/DateTypes.h"
#include "graphics/Font.h"
#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/WinControl.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

FW_ENUM(TEdShape, shCircle, shSquare, shTriangle);

// A designer that answers the event-method operations as a test configures it and logs every call.
class TRecordingDesigner : public TCustomDesigner {
    FW_CLASS(TRecordingDesigner, TCustomDesigner)
public:
    TRecordingDesigner() = default;

    int ModifiedCount = 0;
    std::vector<std::string> Calls;
    // What EventMethodName answers for an assigned handler (unassigned handlers are named "").
    std::string HandlerName;
    std::set<std::string> ExistingMethods;
    std::vector<std::string> CompatibleMethods;
    bool Inherited = false;
    // What CreateEventMethod returns for a non-empty name.
    TMethod CreatedMethod{reinterpret_cast<void*>(0x1000), reinterpret_cast<void*>(0x2000)};

    void Modified() override;
    TMethod CreateEventMethod(const std::string& name, const TTypeData* typeData) override;
    std::string EventMethodName(const TMethod& method) override;
    void EnumEventMethods(const TTypeData* typeData, const TGetStrProc& proc) override;
    bool EventMethodExists(const std::string& name) override;
    void RenameEventMethod(const std::string& curName, const std::string& newName) override;
    void ShowEventMethod(const std::string& name) override;
    bool IsInheritedMethod(const TMethod& method) override;
};

// A persistent sub-object with its own properties, and one derived from it.
class TEdPart : public TPersistent {
    FW_CLASS(TEdPart, TPersistent)
public:
    TEdPart() = default;
    int Size = 1;
    TFontName Name; // a property "Name" of the font-name type on a class that is not TFont
};

class TEdSpecialPart : public TEdPart {
    FW_CLASS(TEdSpecialPart, TEdPart)
public:
    TEdSpecialPart() = default;
    bool Special = false;
};

// A component publishing a property of every kind the editors serve.
class TEdTarget : public TComponent {
    FW_CLASS(TEdTarget, TComponent)
public:
    explicit TEdTarget(TComponent* owner);
    ~TEdTarget() override;

    // Count's setter records the order of stores across objects; the object named B refuses 666.
    static std::vector<std::string>& StoreLog();
    int Count() const { return FCount; }
    void SetCount(int value);

    int FCount = 0;
    uint8_t Byte = 0;
    int8_t Small = 0;
    uint32_t Cardinal = 0;
    char Letter = 'A';
    char16_t Wide = u'w';
    bool Flag = false;
    TEdShape Shape = shCircle;
    TFontStyles Styles;
    float Single = 0;
    double Double = 0;
    long double Ext = 0;
    std::string Text;
    TCaption Caption;
    TColor Color = clBlack;
    TCursor Cursor = crDefault;
    TModalResult ModalResult = mrNone;
    TTabOrder TabOrder = TTabOrder(0);
    TDate Date;
    TTime Time;
    TDateTime Stamp;
    TFont* Font() const { return FFont; }
    void SetFont(TFont* font) { FFont->Assign(font); }
    TFont* FFont;
    TEdPart* Part() const { return FPart; }
    TEdPart* FPart;
    TComponent* Buddy = nullptr;
    TNotifyEvent OnClick;
    TNotifyEvent OnChange;
};

// Another class sharing some of TEdTarget's property records (Name, Tag) and names (Count with another
// type, Caption of the same type).
class TEdOther : public TComponent {
    FW_CLASS(TEdOther, TComponent)
public:
    using TComponent::TComponent;
    std::string Count;
    TCaption Caption;
    TNotifyEvent OnClick;
};

// A component without events, and one whose events are none of OnCreate, OnChange and OnClick.
class TEdQuiet : public TComponent {
    FW_CLASS(TEdQuiet, TComponent)
public:
    using TComponent::TComponent;
};

class TEdObscure : public TComponent {
    FW_CLASS(TEdObscure, TComponent)
public:
    using TComponent::TComponent;
    TNotifyEvent OnZeta;
    TNotifyEvent OnAlpha;
};

// ---- helpers ----------------------------------------------------------------------------------------------

using TEditors = std::vector<std::unique_ptr<TPropertyEditor>>;

// The editors GetComponentProperties yields for the objects.
TEditors EditorsOf(std::initializer_list<TPersistent*> objects, TTypeKinds filter = tkProperties,
                   TCustomDesigner* designer = nullptr);
// The editor of one named property in `editors` (null when absent).
TPropertyEditor* Find(const TEditors& editors, const std::string& name);
// The editor of one property of the objects; fails the test when the property is not offered.
std::unique_ptr<TPropertyEditor> EditorFor(std::initializer_list<TPersistent*> objects,
                                           const std::string& name, TCustomDesigner* designer,
                                           TTypeKinds filter = tkAny);
std::vector<std::string> NamesOf(const TEditors& editors);
std::vector<std::string> ValuesOf(TPropertyEditor& editor); // GetValues in order
std::vector<std::string> SubNames(TPropertyEditor& editor); // GetName of each sub-property editor
TEditors SubEditors(TPropertyEditor& editor);
// The exception message of running `action`, or "" when it succeeds.
template <class F> std::string MessageOf(F&& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message();
    }
    return {};
}
