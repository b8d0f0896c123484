// TControl: a component that has a place on a parent control: bounds, visibility, colour, font, text,
// mouse input and drag and drop. Every message reaches the control through its replaceable WindowProc.
#pragma once

#include "core/Component.h"
#include "graphics/Colors.h"
#include "graphics/Types.h"
#include "ui/Messages.h"

#include <string>

#pragma GCC visibility push(default)

class TControl;
class TWinControl;
class TCustomForm;
class TFont;
class TCanvas;

FW_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient);
FW_ENUM(TMouseButton, mbLeft, mbRight, mbMiddle);
FW_ENUM(TShiftStateFlag, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble);
FW_SET(TShiftState, TShiftStateFlag);
FW_ENUM(TControlStyleFlag, csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed,
        csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible,
        csReplicatable, csNoStdEvents);
FW_SET(TControlStyle, TControlStyleFlag);
FW_ENUM(TControlStateFlag, csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing,
        csCreating, csPaintCopy, csCustomPaint);
FW_SET(TControlState, TControlStateFlag);
FW_ENUM(TDragMode, dmManual, dmAutomatic);
FW_ENUM(TDragState, dsDragEnter, dsDragLeave, dsDragMove);
FW_STRING_TYPE(TCaption);

FW_EVENT_TYPE(TMouseEvent, void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y));
FW_EVENT_TYPE(TMouseMoveEvent, void(TObject* Sender, TShiftState Shift, int X, int Y));
FW_EVENT_TYPE(TKeyEvent, void(TObject* Sender, uint16_t& Key, TShiftState Shift));
FW_EVENT_TYPE(TKeyPressEvent, void(TObject* Sender, char& Key));
FW_EVENT_TYPE(TDragOverEvent,
              void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept));
FW_EVENT_TYPE(TDragDropEvent, void(TObject* Sender, TObject* Source, int X, int Y));
FW_EVENT_TYPE(TEndDragEvent, void(TObject* Sender, TObject* Target, int X, int Y));
// A window procedure: handles one message. Whoever replaces a control's WindowProc keeps the one it found
// and puts exactly that back, in reverse order of replacing.
FW_EVENT_TYPE(TWndMethod, void(TMessage& Message));

// CM_CANCELMODE read from its message: the control that was pressed.
struct TCMCancelMode {
    TControl* Sender = nullptr;
    static TCMCancelMode From(const TMessage& message) {
        return {reinterpret_cast<TControl*>(message.LParam)};
    }
    TMessage ToMessage() const { return {CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(Sender), 0}; }
};

// The shift state of a mouse message's WParam (MK_*), with the Alt key read from the keyboard.
TShiftState KeysToShiftState(WPARAM keys);
TShiftState KeyboardStateToShiftState();

class TControl : public TComponent {
    FW_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // ---- messages
    TWndMethod WindowProc;
    // Sends a message straight to WindowProc and returns its result.
    LRESULT Perform(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT Perform(TMessage message);
    // Sends CM_CANCELMODE (LParam `sender`) to the active control of this control's form and to each
    // control containing it below the form. A mouse press on a control does this with itself as sender.
    void SendCancelMode(TControl* sender);
    // The end of the default window procedure: handles what the control itself knows.
    virtual void WndProc(TMessage& message);
    // Hands the message to the control's handler for it, or to DefaultHandler.
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    // ---- place
    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
    void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
    void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
    void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
    // Positions are kept within -2^30..2^30 and sizes within 0..2^30 - 1, so every edge fits an int.
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return TRect::FromBounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual TRect ClientRect() const { return {0, 0, FWidth, FHeight}; }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    // Sizes the control so that its client area gets the size (a form also keeps it when a frame appears).
    virtual void SetClientSize(int width, int height);
    virtual void SetClientWidth(int width) { SetClientSize(width, ClientHeight()); }
    virtual void SetClientHeight(int height) { SetClientSize(ClientWidth(), height); }
    // Screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint point) const;
    TPoint ScreenToClient(TPoint point) const;
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign align);

    // ---- look
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible here and in every parent.
    bool IsShowing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool enabled);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    TFont* Font() const { return FFont; }
    void SetFont(TFont* font); // copies
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor cursor);
    const TCaption& Caption() const { return FText; }
    void SetCaption(const TCaption& text) { SetText(text); }
    const TCaption& Text() const { return FText; }
    virtual void SetText(const TCaption& text);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& hint) { FHint = hint; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value) { FShowHint = value; }

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle style) { FControlStyle = style; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState state) { FControlState = state; }

    // ---- z-order and painting
    void BringToFront();
    void SendToBack();
    virtual void SetZOrder(bool topMost);
    virtual void Invalidate();
    virtual void Update();
    void Repaint();
    void Refresh() { Repaint(); }

    // ---- drag and drop
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode mode) { FDragMode = mode; }
    // Starts dragging this control now (immediate) or once the mouse has moved a few pixels.
    void BeginDrag(bool immediate, int threshold = -1);
    bool Dragging() const;
    void EndDrag(bool drop);
    virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
    virtual void DragDrop(TObject* source, int x, int y);

    // ---- events
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;
    TNotifyEvent OnResize;

    // ---- streaming and ownership by the parent
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    virtual void Click();
    virtual void DblClick();
    // Adjusts colour and font after the parent's changed (ParentColor, ParentFont).
    virtual void ParentChanged();
    // Called when Color, Font or Text changed, after the change.
    virtual void Changed();

protected:
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Resize();
    // The bounds changed; windowed controls move their window.
    virtual void BoundsChanged();
    virtual void VisibleChanged();
    virtual void EnabledChanged() {}
    virtual void ColorChanged();
    virtual void FontChanged();
    virtual void TextChanged();
    virtual void CursorChanged() {}
    // A graphic control paints itself here, into its parent's canvas moved to its own origin.
    virtual void PaintGraphic(TCanvas& canvas);
    void RequestAlign();
    // With csSetCaption, a control whose text is still its name takes the new name as its text.
    void ChangeName(const std::string& name) override;

private:
    friend class TWinControl;
    void FontChangedHandler(TObject* sender);
    void HandleMouseMessage(TMessage& message);

    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor;
    bool FParentColor = true;
    TFont* FFont = nullptr;
    bool FParentFont = true;
    TCursor FCursor;
    TCaption FText;
    std::string FHint;
    bool FShowHint = false;
    TAlign FAlign = alNone;
    TControlStyle FControlStyle;
    TControlState FControlState;
    TDragMode FDragMode = dmManual;
};

// The form that contains the control (the control itself when it is a form), or null.
TCustomForm* GetParentForm(const TControl* control);

#pragma GCC visibility pop
