// TEditGrab and TGrabHandle: the eight small black handles around the one selected object. They show the
// object's bounds, follow it when it moves, and start a resize when pressed. The handle windows carry the
// grab-handle marker as their user data, so the designer never takes them for the design surface.
#pragma once

#include "core/Component.h"
#include "ui/WinControl.h"

#include <memory>

#pragma GCC visibility push(default)

class TComponentEditor;
class TEditGrab;
class TFormwright;

class TGrabHandle : public TWinControl {
    FW_CLASS(TGrabHandle, TWinControl)
public:
    // A 5 x 5 handle in the designer's handle colour, owned by the grab; hidden until the grab shows it.
    TGrabHandle(TEditGrab* grab, int index);
    int Index() const { return FIndex; }

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    TEditGrab* FGrab;
    int FIndex;
};

class TEditGrab : public TComponent {
    FW_CLASS(TEditGrab, TComponent)
public:
    explicit TEditGrab(TFormwright* designer);
    ~TEditGrab() override;

    TFormwright* Designer() const { return FDesigner; }
    // The grabbed design object, or null.
    TControl* Control() const { return FControl; }
    // Grabs another object (null lets go and hides the handles); chains into its window procedure.
    void SetControl(TControl* control);
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    // Moves the handles to the grabbed object's bounds and repaints at once.
    void Reposition();
    void BringHandlesToFront();
    TGrabHandle* Handles(int index) const { return FHandles[index]; }
    // The editor of the grabbed object's component, or null.
    TComponentEditor* ComponentEditor() const { return FComponentEditor.get(); }

    // The grabbed object is being destroyed: forget it without touching it.
    void ForgetControl();
    // Lets the grab pass messages to `replacement` where it passed them to `proc` on that control.
    bool Relink(TControl* control, const TWndMethod& proc, const TWndMethod& replacement);
    static bool RelinkAny(TControl* control, const TWndMethod& proc, const TWndMethod& replacement);

    // Every selected object is watched for its destruction through this grab.
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TGrabHandle;
    void ControlWindowProc(TMessage& message);
    void Unchain();
    void StartResize(int index, TPoint press); // `press` in the handle's client coordinates
    // Paints what is pending now, so that handles that moved or went leave nothing behind.
    void FlushPaint() const;

    TFormwright* FDesigner;
    TControl* FControl = nullptr;
    bool FVisible = false;
    TGrabHandle* FHandles[8] = {};
    TWndMethod FSavedWindowProc;
    std::unique_ptr<TComponentEditor> FComponentEditor;
};

#pragma GCC visibility pop
