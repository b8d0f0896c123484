// TWinControl: a control with a window of its own. It holds child controls in z-order, takes the keyboard
// focus, and turns its window's events into messages.
#pragma once

#include "ui/Control.h"
#include "ui/CreateParams.h"
#include "ui/WindowOwner.h"

#include <vector>

#pragma GCC visibility push(default)

// The published type of TabOrder: -1 means "not in the tab order yet"; its own type record lets the
// designer give tab orders their own editor.
FW_INTEGER_TYPE(TTabOrder, int16_t, -1, 32767);

class TWinControl : public TControl, public TWindowOwner {
    FW_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // ---- the window
    // Creates the window (and those of the parents) when it does not exist yet.
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }
    // A window outside the framework's control tree to live in (grab handles, placeholders, popups).
    HWND ParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND window);
    // Destroys the window and makes it again with fresh parameters (style changes).
    void RecreateWnd();

    // ---- children
    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const;
    bool ContainsControl(const TControl* control) const; // at any depth
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // The topmost visible child under the point (client coordinates); disabled children count only when
    // allowDisabled; windowed children count only when allowWindowed.
    TControl* ControlAtPos(TPoint point, bool allowDisabled, bool allowWindowed = false) const;
    void Realign();
    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();

    // ---- tab order and focus
    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    // The windowed descendants in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // The windowed child controls in tab order (TabOrder is the index in it).
    const std::vector<TWinControl*>& TabList() const { return FTabList; }
    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();

    // ---- overrides
    void SetBounds(int left, int top, int width, int height) override;
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    void SetZOrder(bool topMost) override;
    void Invalidate() override;
    void Update() override;
    void WndProc(TMessage& message) override;
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void Loaded() override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    // Controls read as children of this control get it as their parent.
    TComponent* GetChildParent() override { return this; }
    void SetChildOrder(TComponent* child, int order) override;
    void ParentChanged() override;

    // Paints the graphic children into the canvas (client coordinates of this control).
    void PaintControls(TCanvas& canvas);
    // Scroll position and range of a scrolling control; 0 for controls that do not scroll.
    int ScrollPosition(int bar) const override { return 0; }
    void ScrollRange(int bar, int& min, int& max) const override { min = max = 0; }
    // Keys a control handles itself instead of the form's dialog handling (Enter, Escape, Tab, arrows).
    virtual bool WantsKey(uint16_t key) const { return false; }
    // The widget went away underneath (its Qt parent was deleted): forget the handle.
    void ReleaseHandle();

    // ---- the window's owner
    void HandleWindowMessage(TMessage& message) override { WindowProc(message); }
    TRect WindowBounds() const override { return BoundsRect(); }
    void WindowLost() override { ReleaseHandle(); }
    TFont* WindowFont() const override { return Font(); }

    // ---- events
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    // Makes the native window for the parameters; the default asks the window-class registry.
    virtual HWND CreateWindowHandle(const TCreateParams& params);
    // The window exists now: copy text, font, colour and state into it.
    virtual void CreateHandle();
    // Paints the control's own surface (background and content) during WM_PAINT.
    virtual void PaintWindow(TCanvas& canvas);
    virtual void KeyDown(uint16_t& key, TShiftState shift);
    virtual void KeyUp(uint16_t& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void AlignControls(TControl* control, TRect& rect);
    virtual void DoEnter();
    virtual void DoExit();

    void BoundsChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void ColorChanged() override;
    void FontChanged() override;
    void TextChanged() override;
    void CursorChanged() override;

private:
    friend class TControl;
    friend struct TWindowRecord;
    void WMPaint(TMessage& message);
    void UpdateTabList(TWinControl* control, bool add);
    void MoveInTabList(int order);
    // Applies the tab orders its children read while loading, once they all exist.
    void ApplyPendingTabOrders();
    void UpdateWindowStacking();
    // Puts one child's window above its windowed siblings that come before it in the z-order.
    void StackChildWindow(TWinControl* child);
    void WindowPosChanged(const TMessage& message);
    bool ForwardMouseToGraphicChild(TMessage& message);

    HWND FHandle = nullptr;
    HWND FParentWindow = nullptr;
    std::vector<TControl*> FControls; // z-order: first is bottom
    std::vector<TWinControl*> FTabList;
    bool FTabStop = false;
    int FAlignLevel = 0;
    int FAlignedChildren = 0; // children whose Align is not alNone: the default alignment has work
    // A child read into this control while it has a window gets its own window once it is loaded, with
    // its final bounds. Each new window goes on top, which is its place unless the child order changed
    // meanwhile; then the windows are stacked once, when the last deferred child has its window.
    // A child whose window was deferred while it was read has its window now.
    void DeferredWindowCreated(TWinControl* child);
    int FDeferredWindows = 0;
    bool FWindowDeferred = false;
    bool FRestackDeferred = false;
    int FPendingTabOrder = -2; // a tab order read while loading, applied once the siblings exist
};

// The control that owns the window, or null.
TWinControl* FindControl(HWND window);

#pragma GCC visibility pop
