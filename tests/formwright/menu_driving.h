// Driving the designer menu and its dialogs from modal actions: a right click on the design surface opens
// the menu, whose loop takes the next queued action; a command's dialog takes the one after.
#pragma once

#include "Formwright.h"
#include "dialogs/MessageBox.h"
#include "ui/InputSimulator.h"
#include "ui/ModalLoop.h"
#include "widgets/Menus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

// The designer menu's entry with this caption; fails the test when there is none.
inline TMenuItem* DesignerMenuEntry(TFormwright* designer, const std::string& caption) {
    TMenuItem* items = designer->DesignerMenu()->Items();
    for (int i = 0; i < items->Count(); ++i)
        if (items->Items(i)->Caption() == caption) return items->Items(i);
    ADD_FAILURE() << "no menu entry " << caption;
    return nullptr;
}

// The next menu is answered by clicking the entry with this caption.
inline void QueueMenuChoice(TFormwright* designer, const std::string& caption) {
    TModalDriver::QueueAction([designer, caption](TObject* window) {
        auto* menu = static_cast<TPopupMenu*>(window);
        if (TMenuItem* item = DesignerMenuEntry(designer, caption)) menu->ClickItem(item);
    });
}

// The next menu is answered by these keys (arrows, Enter, an accelerator letter, Escape).
inline void QueueMenuKeys(std::initializer_list<uint16_t> keys) {
    TModalDriver::QueueAction([keys = std::vector<uint16_t>(keys)](TObject*) {
        for (uint16_t key : keys)
            TInputSimulator::KeyPress(key);
    });
}

// The next modal form is answered by `answer`, which gets it as its class.
template <class Form> void QueueDialog(std::function<void(Form&)> answer) {
    TModalDriver::QueueAction([answer = std::move(answer)](TObject* window) {
        auto* form = dynamic_cast<Form*>(window);
        if (auto* box = dynamic_cast<TMessageBox*>(window)) {
            ADD_FAILURE() << "a message box opened: " << box->Text();
            box->ClickPart(dpOK);
            return;
        }
        ASSERT_NE(form, nullptr) << "another window opened: " << (window ? window->ClassName() : "none");
        answer(*form);
    });
}

// A right click, as a person makes it, at a point of a window.
inline void RightClick(HWND window, TPoint point) {
    TInputSimulator::Click(window, point, mbRight);
}

// The middle of a control in its own client coordinates.
inline TPoint Middle(TControl* control) {
    return {control->Width() / 2, control->Height() / 2};
}

// A new component of the designed form, made as the form reader and the designer make them, so that the
// form hears of it once it is whole (a control, not a placeholder's component).
template <class T> T* CreateComponent(TComponent* owner) {
    return static_cast<T*>(TComponent::CreateInstance(T::StaticClass(), owner));
}

// Clicks a control of a dialog halfway down, near its left end: on a radio button's circle, inside a
// button.
inline void ClickOn(TControl* control) {
    TInputSimulator::Click(control, {std::min(8, control->Width() / 2), control->Height() / 2});
}
