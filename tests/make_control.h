// Make<T>: a control of a test form in one step, as the fixtures build their forms.
#pragma once

#include "ui/WinControl.h"

#include <string>

// A new `T` owned by `owner`, named `name`, shown inside `parent` at (left, top) with the size given.
template <class T>
T* Make(TComponent* owner, const std::string& name, TWinControl* parent, int left, int top, int width,
        int height) {
    auto* control = new T(owner);
    control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}
