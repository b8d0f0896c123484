// Fuzz target: clipboard text -> the designer's paste into a designed form, the whole path: conversion of
// every block, reading into the form with the name hook, placeholders of non-visual components, the new
// selection. Whether the paste succeeds or fails, the design stays sound (DesignProblems), and it saves
// to text that loads back and saves the same. The input's length picks what is selected, and so where
// the paste goes: nothing (the form), the panel, or the button inside the panel.
#include "EditContainer.h"
#include "designed_form.h"
#include "graphics/Clipboard.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::TDesignedForm& d = fuzz::Designed();
    TFormwright& designer = *d.Designer;
    designer.ClearSelection(true);
    const size_t selection = size % 3;
    if (selection > 0) {
        auto* selected =
            dynamic_cast<TControl*>(d.Form->FindComponent(selection == 1 ? "Panel1" : "Button1"));
        if (selected) designer.SelectObject(selected, true);
    }
    Clipboard()->SetAsText(std::string(reinterpret_cast<const char*>(data), size));
    try {
        designer.PasteSelection();
    } catch (const Exception&) {
        // A refused paste is fine; what it leaves must still be sound.
    }
    fuzz::Require(DesignProblems(designer), "after the paste");
    fuzz::Require(ReloadProblems(designer, SavedDesignText(designer)),
                  "saving and loading the pasted design");
    fuzz::RestoreBaseline(d);
    return 0;
}
