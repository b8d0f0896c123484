// TPersistent: an object that can be copied from another (Assign) and that can stream data that is not a
// published property (DefineProperties).
#pragma once

#include "rtti/Publisher.h"

#include <string>

#pragma GCC visibility push(default)

class TFiler;

class TPersistent : public TObject {
    FW_CLASS(TPersistent, TObject)
public:
    // Copies source into this object. The default lets the source try (AssignTo) and otherwise fails with
    // EConvertError "Cannot assign a %s to a %s".
    virtual void Assign(const TPersistent* source);
    // Declares stored data that is not a published property; called by the form writer and reader.
    virtual void DefineProperties(TFiler& filer);
    // The dotted path by which this object is known inside its owner (a component's name, "Font", ...).
    virtual std::string GetNamePath() const;
    virtual TPersistent* GetOwner() const { return nullptr; }

protected:
    virtual void AssignTo(TPersistent* dest) const;
};

#pragma GCC visibility pop
