#include "CustomDesigner.h"

#include "CustomObjectInspector.h"
#include "rtti/Publisher.h"

#include <exception>

FW_PUBLISH(TCustomDesigner) {
}

bool TCustomDesigner::FilterDesignMessage(TControl*, TMessage&) {
    return false;
}

void TCustomDesigner::Modified() {
    FModified = true;
    // A designer is meant to be used only after its inspector linked itself; a designer used on its own
    // (a test, a component editor run without an inspector) still just records the change.
    if (FInspector) FInspector->RefreshValues();
}

void TCustomDesigner::ComponentNotification(TComponent*, TOperation) {
}

void TCustomDesigner::BeginDesignChange() {
}

void TCustomDesigner::EndDesignChange(bool) {
}

void TCustomDesigner::BeginContinuedChange() {
}

void TCustomDesigner::EndContinuedChange() {
}

void TCustomDesigner::ObjectEdited(TPersistent*) {
}

TDesignChange::TDesignChange(TCustomDesigner* designer)
    : FDesigner(designer), FUncaught(std::uncaught_exceptions()) {
    if (FDesigner) FDesigner->BeginDesignChange();
}

TDesignChange::~TDesignChange() {
    if (!FDesigner) return;
    try {
        FDesigner->EndDesignChange(std::uncaught_exceptions() == FUncaught);
    } catch (...) {
        // Recording the edit must not turn its end into a second failure.
    }
}

void TCustomDesigner::PaintSurface() {
}

void TCustomDesigner::ValidateComponentRename(TComponent*, const std::string&, const std::string&) {
}

TMethod TCustomDesigner::CreateEventMethod(const std::string&, const TTypeData*) {
    return {};
}

std::string TCustomDesigner::EventMethodName(const TMethod&) {
    return NoEventMethodName;
}

void TCustomDesigner::EnumEventMethods(const TTypeData*, const TGetStrProc&) {
}

std::string TCustomDesigner::Reserved8(const std::string&) {
    return {};
}

std::string TCustomDesigner::Reserved9(const std::string&) {
    return {};
}

bool TCustomDesigner::EventMethodExists(const std::string&) {
    return false;
}

void TCustomDesigner::RenameEventMethod(const std::string&, const std::string&) {
}

void TCustomDesigner::SelectComponent(TPersistent*) {
}

void TCustomDesigner::Reserved13(TPersistent*) {
}

void TCustomDesigner::ShowEventMethod(const std::string&) {
}

std::string TCustomDesigner::UniqueComponentName(const std::string&) {
    return {};
}

void TCustomDesigner::Reserved16(const TTypeData*, const TGetStrProc&) {
}

TComponent* TCustomDesigner::Reserved17(const std::string&) {
    return nullptr;
}

std::string TCustomDesigner::Reserved18(TComponent*) {
    return {};
}

TComponent* TCustomDesigner::Reserved19(const std::string&) {
    return nullptr;
}

std::string TCustomDesigner::ObjectName(TPersistent* instance) {
    auto* component = dynamic_cast<TComponent*>(instance);
    return component ? component->Name() : std::string();
}

void TCustomDesigner::Reserved21(const TTypeData*, const TGetStrProc&) {
}

bool TCustomDesigner::IsInheritedMethod(const TMethod&) {
    return false;
}

TComponent* TCustomDesigner::Reserved23(TClass, TComponent*, int, int, int, int) {
    return nullptr;
}

bool TCustomDesigner::Reserved24(TPersistent*) {
    return false;
}

void TCustomDesigner::Reserved25(TPersistent*) {
}

TComponent* TCustomDesigner::Reserved26() {
    return nullptr;
}

void TCustomDesigner::Reserved27(TPersistent*, TPersistent*) {
}

bool TCustomDesigner::Reserved28() {
    return false;
}

bool TCustomDesigner::Reserved29() {
    return false;
}

bool TCustomDesigner::Reserved30(TPersistent*) {
    return false;
}

void TCustomDesigner::Reserved31(TPersistent*) {
}

TCustomDesigner* CreateDesigner(TClass designerClass) {
    if (!designerClass || !designerClass->InheritsFrom(TCustomDesigner::StaticClass()))
        throw EInvalidCast("Invalid class typecast");
    return static_cast<TCustomDesigner*>(designerClass->Create());
}
