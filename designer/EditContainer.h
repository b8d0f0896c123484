// TEditContainer: the placeholder box that stands for a non-visual component (a table, a query) on the
// design surface, so it can be selected, moved, copied and named like a control.
//
// A 28 x 28 silver box with a raised edge and the picture of the component's class, living as a child
// window of the designer's root window (it has no owner and no framework parent, so it is never streamed
// as itself). Its position is the component's design position: moving the box moves what the form
// stream saves as the component's Left and Top. Streaming the box streams its component, naming it
// names the component, and destroying the component frees the box at once.
#pragma once

#include "ui/CustomControl.h"

#pragma GCC visibility push(default)

class TFormwright;

class TEditContainer : public TCustomControl {
    FW_CLASS(TEditContainer, TCustomControl)
public:
    static constexpr int BoxSize = 28;

    // Joins the designer's placeholder list and takes the component's design position; hidden until its
    // creator shows it.
    TEditContainer(TFormwright* designer, TComponent* component);
    ~TEditContainer() override;

    TComponent* Component() const { return FComponent; }
    TFormwright* Designer() const { return FDesigner; }
    // Moves the box to the component's recorded design position.
    void MoveToDesignPosition();

    // Any requested size becomes 28 x 28; the position becomes the component's design position.
    void SetBounds(int left, int top, int width, int height) override;
    // Streams the component instead of the box.
    void WriteState(TWriter& writer) override;
    // Frees the box when its component is destroyed.
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    // Shows or hides the box's window also while it is in designing state.
    void VisibleChanged() override;
    void Paint() override;
    // The box has no name of its own: its name is the component's.
    void ChangeName(const std::string& name) override;

private:
    void StoreDesignPosition();

    TComponent* FComponent = nullptr;
    TFormwright* FDesigner = nullptr;
};

#pragma GCC visibility pop
