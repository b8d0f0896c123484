// The designer a form can hold in its designer slot.
//
// TDesigner has the operations the framework itself calls on the designer of a form; TFormDesigner adds
// those that property editors, component editors and the Object Inspector call. The designer library
// implements them (TCustomDesigner gives each a harmless default). The operations keep a fixed order.
#pragma once

#include "core/Component.h"
#include "rtti/Method.h"
#include "ui/Messages.h"

#include <functional>
#include <string>

#pragma GCC visibility push(default)

class TControl;
class TCustomForm;

using TGetStrProc = std::function<void(const std::string&)>;

class TDesigner : public TObject {
    FW_CLASS(TDesigner, TObject)
public:
    // The form whose designer this is; the framework never sets it.
    TCustomForm* Form() const { return FForm; }
    void SetForm(TCustomForm* form) { FForm = form; }

    // 0: every message of a designed control on the form, before the control; true keeps it from the control.
    virtual bool FilterDesignMessage(TControl* sender, TMessage& message) = 0;
    // 1: something of the design changed.
    virtual void Modified() = 0;
    // 2: a component was inserted into or removed from the form.
    virtual void ComponentNotification(TComponent* component, TOperation operation) = 0;
    // 3: paints the form's surface instead of the form's own painting.
    virtual void PaintSurface() = 0;
    // 4: a component owned by the form is about to be renamed (after the framework's own checks).
    virtual void ValidateComponentRename(TComponent* component, const std::string& curName,
                                         const std::string& newName) = 0;

    bool IsDesignMsg(TControl* sender, TMessage& message) { return FilterDesignMessage(sender, message); }

private:
    TCustomForm* FForm = nullptr;
};

class TFormDesigner : public TDesigner {
    FW_CLASS(TFormDesigner, TDesigner)
public:
    virtual TMethod CreateEventMethod(const std::string& name, const TTypeData* typeData) = 0;  // 5
    virtual std::string EventMethodName(const TMethod& method) = 0;                             // 6
    virtual void EnumEventMethods(const TTypeData* typeData, const TGetStrProc& proc) = 0;      // 7
    virtual std::string Reserved8(const std::string& argument) = 0;                             // 8
    virtual std::string Reserved9(const std::string& argument) = 0;                             // 9
    virtual bool EventMethodExists(const std::string& name) = 0;                                // 10
    virtual void RenameEventMethod(const std::string& curName, const std::string& newName) = 0; // 11
    virtual void SelectComponent(TPersistent* component) = 0;                                   // 12
    virtual void Reserved13(TPersistent* argument) = 0;                                         // 13
    virtual void ShowEventMethod(const std::string& name) = 0;                                  // 14
    virtual std::string UniqueComponentName(const std::string& baseName) = 0;                   // 15
    virtual void Reserved16(const TTypeData* typeData, const TGetStrProc& proc) = 0;            // 16
    virtual TComponent* Reserved17(const std::string& argument) = 0;                            // 17
    virtual std::string Reserved18(TComponent* argument) = 0;                                   // 18
    virtual TComponent* Reserved19(const std::string& argument) = 0;                            // 19
    virtual std::string ObjectName(TPersistent* instance) = 0;                                  // 20
    virtual void Reserved21(const TTypeData* typeData, const TGetStrProc& proc) = 0;            // 21
    virtual bool IsInheritedMethod(const TMethod& method) = 0;                                  // 22
    virtual TComponent* Reserved23(TClass cls, TComponent* parent, int left, int top, int width,
                                   int height) = 0;                       // 23
    virtual bool Reserved24(TPersistent* argument) = 0;                   // 24
    virtual void Reserved25(TPersistent* argument) = 0;                   // 25
    virtual TComponent* Reserved26() = 0;                                 // 26
    virtual void Reserved27(TPersistent* first, TPersistent* second) = 0; // 27
    virtual bool Reserved28() = 0;                                        // 28
    virtual bool Reserved29() = 0;                                        // 29
    virtual bool Reserved30(TPersistent* argument) = 0;                   // 30
    virtual void Reserved31(TPersistent* argument) = 0;                   // 31
};

#pragma GCC visibility pop
