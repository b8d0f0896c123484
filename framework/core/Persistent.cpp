#include "core/Persistent.h"

#include "core/SysUtils.h"

FW_PUBLISH(TPersistent) {
}

void TPersistent::Assign(const TPersistent* source) {
    if (source) {
        source->AssignTo(this);
        return;
    }
    AssignTo(this); // nil source: let the default report it
}

void TPersistent::AssignTo(TPersistent* dest) const {
    throw EConvertError(Format("Cannot assign a %s to a %s", this == dest ? std::string("nil") : ClassName(),
                               dest->ClassName()));
}

void TPersistent::DefineProperties(TFiler&) {
}

std::string TPersistent::GetNamePath() const {
    return ClassName();
}
