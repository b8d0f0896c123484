// TGraphicsObject: what fonts, pens and brushes have in common: a change notification that the control
// or canvas using them listens to.
#pragma once

#include "core/Persistent.h"

#pragma GCC visibility push(default)

class TGraphicsObject : public TPersistent {
    FW_CLASS(TGraphicsObject, TPersistent)
public:
    // Called after every change of a property (once per Assign).
    TNotifyEvent OnChange;

protected:
    virtual void Changed();
};

#pragma GCC visibility pop
