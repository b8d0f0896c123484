// TCustomForm and TForm: top-level windows with a caption, border, modal showing, default and cancel
// buttons, and a designer slot. A form class with a form resource reads it in its constructor through
// InitializeForm(), which also runs OnCreate.
#pragma once

#include "ui/PaintCanvas.h"
#include "ui/WinControl.h"

#include <optional>

#pragma GCC visibility push(default)

class TDesigner;

FW_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin);
FW_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp);
FW_SET(TBorderIcons, TBorderIcon);
FW_ENUM(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop);
FW_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter);
FW_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize);
FW_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized);
FW_INTEGER_TYPE(TModalResult, int32_t, INT32_MIN, INT32_MAX);

inline constexpr TModalResult mrNone = TModalResult(0);
inline constexpr TModalResult mrOk = TModalResult(1);
inline constexpr TModalResult mrCancel = TModalResult(2);
inline constexpr TModalResult mrAbort = TModalResult(3);
inline constexpr TModalResult mrRetry = TModalResult(4);
inline constexpr TModalResult mrIgnore = TModalResult(5);
inline constexpr TModalResult mrYes = TModalResult(6);
inline constexpr TModalResult mrNo = TModalResult(7);
inline constexpr TModalResult mrAll = TModalResult(8);
inline constexpr TModalResult mrNoToAll = TModalResult(9);
inline constexpr TModalResult mrYesToAll = TModalResult(10);

FW_EVENT_TYPE(TCloseEvent, void(TObject* Sender, TCloseAction& Action));
FW_EVENT_TYPE(TCloseQueryEvent, void(TObject* Sender, bool& CanClose));

class TCustomForm : public TWinControl {
    FW_CLASS(TCustomForm, TWinControl)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // ---- showing and closing
    void Show();
    // Shows the form modally and runs its own message loop until ModalResult is set or the form closes;
    // returns the modal result (the close box and Escape without a cancel button give mrCancel).
    TModalResult ShowModal();
    // Asks OnCloseQuery, then OnClose decides: hide (the default), free, minimise or nothing. Closing the
    // main form ends the application; closing a modal form sets mrCancel.
    void Close();
    bool CloseQuery();
    // Frees the form once the current message has been handled.
    void Release();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult result) { FModalResult = result; }
    bool Modal() const { return FModal; }

    // ---- look
    // Border style, border icons and form style re-create the window to show, except while the form is
    // designed: the designer stays attached to its window.
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons icons);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle style);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition position) { FPosition = position; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState state);
    bool Scaled() const { return FScaled; }
    void SetScaled(bool value) { FScaled = value; }
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int value) { FPixelsPerInch = value; }
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int value) { FHelpContext = value; }
    // With key preview the form's OnKeyDown sees every key-down of its controls first; a key it sets to
    // 0 goes no further.
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }
    // The canvas being painted on while OnPaint runs (the form's font selected); outside painting a
    // canvas that draws nothing.
    TCanvas* Canvas() const;

    // ---- focus and keys
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* control);
    // Enter clicks the default button, Escape the cancel button, Tab moves the focus; true when handled.
    virtual bool DialogKey(uint16_t key, TShiftState shift);
    void FocusChanged(TWinControl* control);
    // Moves the focus to the next (or previous) control of the tab order that can take it.
    void SelectNext(TWinControl* current, bool forward);

    // ---- the designer slot
    TDesigner* Designer() const { return FDesigner; }
    // A designer taking the form also takes the keyboard from its controls: none keeps the focus and the
    // active control is none. While a designer is set, focus changes leave ActiveControl alone.
    void SetDesigner(TDesigner* designer);

    // ---- bounds
    // Left, Top, Width and Height of a form without a parent are its outer bounds, frame included; the
    // client area is what the frame leaves inside. A window manager reports the frame only once the form
    // shows: the form then keeps its outer bounds, except on the axes whose client size was given last
    // (ClientWidth, ClientHeight), where the client size is kept and the bounds grow; a form centred on the
    // screen is centred again by its frame.
    void SetBounds(int left, int top, int width, int height) override;
    void SetClientSize(int width, int height) override;
    void SetClientWidth(int width) override;
    void SetClientHeight(int height) override;

    // ---- overrides
    void SetParent(TWinControl* parent) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    TComponent* GetChildOwner() override { return this; }
    TComponent* GetChildParent() override { return this; }
    bool HasParent() const override { return Parent() != nullptr; }
    void Notification(TComponent* component, TOperation operation) override;
    void Dispatch(TMessage& message) override;
    void Loaded() override;

    // ---- events
    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    // Reads the form resource named after the form's class (when there is one) and runs OnCreate.
    // Call it at the end of the constructor of a form class.
    void InitializeForm();
    // Marks the form as being destroyed and runs OnDestroy, once. The form's destructor calls it; a form
    // class whose OnDestroy handler uses the class's own members calls it first in its destructor, while
    // they still exist.
    void DoDestroy();
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void PaintWindow(TCanvas& canvas) override;
    virtual void Paint();
    void VisibleChanged() override;
    void ValidateRename(TComponent* component, const std::string& curName,
                        const std::string& newName) override;

private:
    void ApplyPosition();
    // WM_WINDOWPOSCHANGING of a new frame: the bounds the form keeps in it.
    void FitToNewFrame(WINDOWPOS& pos);
    void RecreateFrame();
    void DoClose(TCloseAction& action);

    TDesigner* FDesigner = nullptr;
    TPaintCanvas FCanvas;
    TWinControl* FActiveControl = nullptr;
    TModalResult FModalResult = mrNone;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TFormStyle FFormStyle = fsNormal;
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    bool FScaled = true;
    int FPixelsPerInch = 96;
    int FHelpContext = 0;
    bool FKeyPreview = false;
    bool FModal = false;
    bool FPositioned = false;
    bool FClientWidthGiven = false; // ClientWidth was set after Width
    bool FClientHeightGiven = false;
    // Where ApplyPosition centred the form on the screen; it is centred again in a new frame while it is
    // still there.
    std::optional<TPoint> FCentredAt;
};

class TForm : public TCustomForm {
    FW_CLASS(TForm, TCustomForm)
public:
    explicit TForm(TComponent* owner);
};

#pragma GCC visibility pop
