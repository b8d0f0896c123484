// TCustomDesigner: the designer interface of the system, with a harmless default for every operation.
//
// The framework calls slots 0-4 on the designer in a form's designer slot; property editors, component
// editors and the Object Inspector call the others. The runtime designer derives from this class and
// overrides what it needs; every operation it leaves alone behaves as below, and that is part of the
// system: events can be listed and inspected, but no handler code can be created.
//
// Designers are constructed through a class reference (the inspector is given the designer class):
// CreateDesigner(cls) runs the class's virtual constructor.
#pragma once

#include "ui/Designer.h"

#pragma GCC visibility push(default)

class TCustomObjectInspector;

class TCustomDesigner : public TFormDesigner {
    FW_CLASS(TCustomDesigner, TFormDesigner)
public:
    // The fixed handler name every event shows while no designer names handlers ("not done yet").
    static constexpr const char* NoEventMethodName = "还没做";

    TCustomDesigner() = default;

    // ---- slots 0-4, called by the framework
    bool FilterDesignMessage(TControl* sender, TMessage& message) override; // false: the control handles it
    // Sets the modified flag, then asks the inspector to re-read its values (when one is linked).
    void Modified() override;
    void ComponentNotification(TComponent* component, TOperation operation) override; // nothing
    void PaintSurface() override;                                                     // nothing
    void ValidateComponentRename(TComponent* component, const std::string& curName,
                                 const std::string& newName) override; // accepts

    // ---- slots 5-31
    TMethod CreateEventMethod(const std::string& name, const TTypeData* typeData) override; // empty method
    std::string EventMethodName(const TMethod& method) override; // NoEventMethodName, whatever the method
    void EnumEventMethods(const TTypeData* typeData, const TGetStrProc& proc) override; // no names
    std::string Reserved8(const std::string& argument) override;
    std::string Reserved9(const std::string& argument) override;
    bool EventMethodExists(const std::string& name) override;                                // false
    void RenameEventMethod(const std::string& curName, const std::string& newName) override; // nothing
    void SelectComponent(TPersistent* component) override;                                   // nothing
    void Reserved13(TPersistent* argument) override;
    void ShowEventMethod(const std::string& name) override;                // nothing
    std::string UniqueComponentName(const std::string& baseName) override; // empty text
    void Reserved16(const TTypeData* typeData, const TGetStrProc& proc) override;
    TComponent* Reserved17(const std::string& argument) override;
    std::string Reserved18(TComponent* argument) override;
    TComponent* Reserved19(const std::string& argument) override;
    // A component's Name; the empty text for any other object (a font, a picture) and for null.
    std::string ObjectName(TPersistent* instance) override;
    void Reserved21(const TTypeData* typeData, const TGetStrProc& proc) override;
    bool IsInheritedMethod(const TMethod& method) override; // false
    TComponent* Reserved23(TClass cls, TComponent* parent, int left, int top, int width, int height) override;
    bool Reserved24(TPersistent* argument) override;
    void Reserved25(TPersistent* argument) override;
    TComponent* Reserved26() override;
    void Reserved27(TPersistent* first, TPersistent* second) override;
    bool Reserved28() override;
    bool Reserved29() override;
    bool Reserved30(TPersistent* argument) override;
    void Reserved31(TPersistent* argument) override;

    // ---- edits made from outside the designer's own input (the inspector's)
    // Brackets one edit: a designer that keeps an undo history makes everything changed inside one step.
    // Brackets nest; EndDesignChange says whether the edit succeeded. The defaults do nothing.
    virtual void BeginDesignChange();
    virtual void EndDesignChange(bool succeeded);
    // An edit that goes on over many events, each bracketed on its own (text typed into a row that
    // applies every keystroke): a history makes it one step, and none when it ends where it began.
    virtual void BeginContinuedChange();
    virtual void EndContinuedChange();
    // Inside a bracket: the edit writes this object's stored values (the inspector names the components
    // a row writes), so a history need not look for changes elsewhere. Edits that name nothing may have
    // changed anything.
    virtual void ObjectEdited(TPersistent* instance);

    // ---- state
    // Set by Modified and by a designer's own editing operations; a designer with an undo history clears
    // it when the design is back at the state last saved or loaded.
    bool IsModified() const { return FModified; }
    // The inspector this designer reports to; linked once by the inspector right after construction.
    TCustomObjectInspector* Inspector() const { return FInspector; }
    void SetInspector(TCustomObjectInspector* inspector) { FInspector = inspector; }

protected:
    void SetModifiedFlag(bool modified = true) { FModified = modified; }

private:
    bool FModified = false;
    TCustomObjectInspector* FInspector = nullptr;
};

// One edit of the design for as long as it lives: BeginDesignChange now, EndDesignChange when it goes,
// reporting failure when an exception is leaving the scope. A null designer is allowed.
class TDesignChange {
public:
    explicit TDesignChange(TCustomDesigner* designer);
    ~TDesignChange();
    TDesignChange(const TDesignChange&) = delete;
    TDesignChange& operator=(const TDesignChange&) = delete;

private:
    TCustomDesigner* FDesigner;
    int FUncaught;
};

// Constructs a designer of the given class (TCustomDesigner or a descendant) through its virtual
// constructor. Fails with EInvalidCast "Invalid class typecast" for other classes and with the class
// record's error for abstract ones.
TCustomDesigner* CreateDesigner(TClass designerClass);

#pragma GCC visibility pop
