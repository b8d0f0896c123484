#include "designer_support.h"

#include "rtti/Publisher.h"

#include <gtest/gtest.h>

FW_PUBLISH(TRecordingDesigner) {
}

FW_PUBLISH(TEdPart) {
    p.Property("Size", &TEdPart::Size);
    p.Property("Name", &TEdPart::Name);
}

FW_PUBLISH(TEdSpecialPart) {
    p.Property("Special", &TEdSpecialPart::Special);
}

FW_PUBLISH(TEdTarget) {
    p.Property("Count", &TEdTarget::Count, &TEdTarget::SetCount);
    p.Property("Byte", &TEdTarget::Byte);
    p.Property("Small", &TEdTarget::Small);
    p.Property("Cardinal", &TEdTarget::Cardinal);
    p.Property("Letter", &TEdTarget::Letter);
    p.Property("Wide", &TEdTarget::Wide);
    p.Property("Flag", &TEdTarget::Flag);
    p.Property("Shape", &TEdTarget::Shape);
    p.Property("Styles", &TEdTarget::Styles);
    p.Property("Single", &TEdTarget::Single);
    p.Property("Double", &TEdTarget::Double);
    p.Property("Ext", &TEdTarget::Ext);
    p.Property("Text", &TEdTarget::Text);
    p.Property("Caption", &TEdTarget::Caption);
    p.Property("Color", &TEdTarget::Color);
    p.Property("Cursor", &TEdTarget::Cursor);
    p.Property("ModalResult", &TEdTarget::ModalResult);
    p.Property("TabOrder", &TEdTarget::TabOrder);
    p.Property("Date", &TEdTarget::Date);
    p.Property("Time", &TEdTarget::Time);
    p.Property("Stamp", &TEdTarget::Stamp);
    p.Property("Font", &TEdTarget::Font, &TEdTarget::SetFont);
    p.ReadOnly("Part", &TEdTarget::Part);
    p.Property("Buddy", &TEdTarget::Buddy);
    p.ReadOnly("ReadOnlyCount", &TEdTarget::FCount);
    p.Event("OnClick", &TEdTarget::OnClick);
    p.Event("OnChange", &TEdTarget::OnChange);
}

FW_PUBLISH(TEdOther) {
    p.Property("Count", &TEdOther::Count);
    p.Property("Caption", &TEdOther::Caption);
    p.Event("OnClick", &TEdOther::OnClick);
}

FW_PUBLISH(TEdQuiet) {
}

FW_PUBLISH(TEdObscure) {
    p.Event("OnZeta", &TEdObscure::OnZeta);
    p.Event("OnAlpha", &TEdObscure::OnAlpha);
}

// ---- the recording designer -------------------------------------------------------------------------------

void TRecordingDesigner::Modified() {
    ++ModifiedCount;
    TCustomDesigner::Modified();
}

TMethod TRecordingDesigner::CreateEventMethod(const std::string& name, const TTypeData*) {
    Calls.push_back("CreateEventMethod " + name);
    return name.empty() ? TMethod{} : CreatedMethod;
}

std::string TRecordingDesigner::EventMethodName(const TMethod& method) {
    return method ? HandlerName : std::string();
}

void TRecordingDesigner::EnumEventMethods(const TTypeData*, const TGetStrProc& proc) {
    for (const std::string& name : CompatibleMethods)
        proc(name);
}

bool TRecordingDesigner::EventMethodExists(const std::string& name) {
    return ExistingMethods.count(name) > 0;
}

void TRecordingDesigner::RenameEventMethod(const std::string& curName, const std::string& newName) {
    Calls.push_back("RenameEventMethod " + curName + " " + newName);
}

void TRecordingDesigner::ShowEventMethod(const std::string& name) {
    Calls.push_back("ShowEventMethod " + name);
}

bool TRecordingDesigner::IsInheritedMethod(const TMethod&) {
    return Inherited;
}

// ---- the target component ---------------------------------------------------------------------------------

TEdTarget::TEdTarget(TComponent* owner) : TComponent(owner), FFont(new TFont), FPart(new TEdPart) {
}

TEdTarget::~TEdTarget() {
    delete FFont;
    delete FPart;
}

std::vector<std::string>& TEdTarget::StoreLog() {
    static std::vector<std::string> log;
    return log;
}

void TEdTarget::SetCount(int value) {
    if (value == 666 && Name() == "B") throw EComponentError("666 refused by " + Name());
    StoreLog().push_back(Name());
    FCount = value;
}

// ---- helpers ----------------------------------------------------------------------------------------------

TEditors EditorsOf(std::initializer_list<TPersistent*> objects, TTypeKinds filter,
                   TCustomDesigner* designer) {
    TComponentList list;
    for (TPersistent* o : objects)
        list.Add(o);
    TEditors editors;
    GetComponentProperties(&list, filter, designer,
                           [&](std::unique_ptr<TPropertyEditor> e) { editors.push_back(std::move(e)); });
    return editors;
}

TPropertyEditor* Find(const TEditors& editors, const std::string& name) {
    for (const auto& e : editors)
        if (e->GetName() == name) return e.get();
    return nullptr;
}

std::unique_ptr<TPropertyEditor> EditorFor(std::initializer_list<TPersistent*> objects,
                                           const std::string& name, TCustomDesigner* designer,
                                           TTypeKinds filter) {
    TEditors editors = EditorsOf(objects, filter, designer);
    for (auto& e : editors)
        if (e->GetName() == name) return std::move(e);
    ADD_FAILURE() << "no editor for " << name;
    return nullptr;
}

std::vector<std::string> NamesOf(const TEditors& editors) {
    std::vector<std::string> names;
    for (const auto& e : editors)
        names.push_back(e->GetName());
    return names;
}

std::vector<std::string> ValuesOf(TPropertyEditor& editor) {
    std::vector<std::string> values;
    editor.GetValues([&](const std::string& v) { values.push_back(v); });
    return values;
}

TEditors SubEditors(TPropertyEditor& editor) {
    TEditors subs;
    editor.GetProperties([&](std::unique_ptr<TPropertyEditor> e) { subs.push_back(std::move(e)); });
    return subs;
}

std::vector<std::string> SubNames(TPropertyEditor& editor) {
    return NamesOf(SubEditors(editor));
}
