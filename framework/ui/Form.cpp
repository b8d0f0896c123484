// TCustomForm: showing, closing, modal loops, dialog keys and the designer slot.
#include "ui/Form.h"

#include "graphics/Canvas.h"
#include "graphics/Font.h"
#include "ui/Application.h"
#include "ui/Designer.h"
#include "ui/FormResource.h"
#include "ui/ModalLoop.h"
#include "ui/Screen.h"
#include "ui/WindowRecord.h"
#include "ui/Windows.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

FW_PUBLISH(TCustomForm) {
    p.Property("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption);
    p.Property("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth).Stored(false);
    p.Property("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight).Stored(false);
    p.Property("Color", &TCustomForm::Color, &TCustomForm::SetColor).Default(clBtnFace);
    p.Property("Font", &TCustomForm::Font, &TCustomForm::SetFont);
    p.Property("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle).Default(bsSizeable);
    p.Property("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
        .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
    p.Property("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle).Default(fsNormal);
    p.Property("Position", &TCustomForm::Position, &TCustomForm::SetPosition).Default(poDesigned);
    p.Property("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled).Default(true);
    p.Property("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch);
    p.Property("HelpContext", &TCustomForm::HelpContext, &TCustomForm::SetHelpContext).Default(0);
    p.Property("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview).Default(false);
    p.Property("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
    p.Event("OnActivate", &TCustomForm::OnActivate);
    p.Event("OnClick", &TCustomForm::OnClick);
    p.Event("OnClose", &TCustomForm::OnClose);
    p.Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
    p.Event("OnCreate", &TCustomForm::OnCreate);
    p.Event("OnDblClick", &TCustomForm::OnDblClick);
    p.Event("OnDeactivate", &TCustomForm::OnDeactivate);
    p.Event("OnDestroy", &TCustomForm::OnDestroy);
    p.Event("OnHide", &TCustomForm::OnHide);
    p.Event("OnKeyDown", &TCustomForm::OnKeyDown);
    p.Event("OnKeyPress", &TCustomForm::OnKeyPress);
    p.Event("OnKeyUp", &TCustomForm::OnKeyUp);
    p.Event("OnMouseDown", &TCustomForm::OnMouseDown);
    p.Event("OnMouseMove", &TCustomForm::OnMouseMove);
    p.Event("OnMouseUp", &TCustomForm::OnMouseUp);
    p.Event("OnPaint", &TCustomForm::OnPaint);
    p.Event("OnResize", &TCustomForm::OnResize);
    p.Event("OnShow", &TCustomForm::OnShow);
}

FW_PUBLISH(TForm) {
    p.Property("Visible", &TForm::Visible, &TForm::SetVisible).Default(false);
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    SetVisible(false);
    SetColor(clBtnFace);
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
    TScreen::Instance().AddForm(this);
}

TForm::TForm(TComponent* owner) : TCustomForm(owner) {
}

TCustomForm::~TCustomForm() {
    DoDestroy();
    TScreen::Instance().RemoveForm(this);
    if (Application && Application->MainForm() == this) Application->SetMainForm(nullptr);
    // Owned components go while the form is still a form: their removal notices reach a whole designer.
    DestroyComponents();
}

void TCustomForm::DoDestroy() {
    Destroying();
    if (!OnDestroy) return;
    TNotifyEvent handler = OnDestroy;
    OnDestroy.Clear();
    Application->HandleException([&] { handler(this); });
}

void TCustomForm::InitializeForm() {
    ReadFormResource(this, ClassType());
    if (OnCreate) OnCreate(this);
}

// ---- window -----------------------------------------------------------------------------------------------

void TCustomForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    if (Parent()) return; // a form placed on another control is a plain child window
    params.Style = WS_POPUP | WS_CLIPCHILDREN;
    params.WndParent = ParentWindow();
    switch (FBorderStyle) {
    case bsNone:
        break;
    case bsSingle:
        params.Style |= WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        params.Style |= WS_CAPTION;
        params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    case bsToolWindow:
        params.Style |= WS_CAPTION;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (FBorderStyle != bsNone) {
        if (FBorderIcons.Contains(biSystemMenu)) params.Style |= WS_SYSMENU;
        if (FBorderIcons.Contains(biMinimize) && FBorderStyle != bsDialog) params.Style |= WS_MINIMIZEBOX;
        if (FBorderIcons.Contains(biMaximize) && FBorderStyle != bsDialog) params.Style |= WS_MAXIMIZEBOX;
    }
    if (FFormStyle == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
}

void TCustomForm::CreateHandle() {
    TWinControl::CreateHandle();
    QWidget* widget = WidgetOf(Handle());
    if (!widget || !widget->isWindow()) return;
    widget->setWindowTitle(QString::fromStdString(Caption()));
    const bool sizeable = FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin;
    if (!sizeable) widget->setFixedSize(widget->size());
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
    FBorderStyle = style;
    RecreateFrame();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
    FBorderIcons = icons;
    RecreateFrame();
}

void TCustomForm::SetFormStyle(TFormStyle style) {
    FFormStyle = style;
    RecreateFrame();
}

void TCustomForm::RecreateFrame() {
    // A designed form keeps its window, which the designer is attached to (a loaded design sets these
    // values too); the new frame shows once the form has a new window.
    if (ComponentState().Contains(csDesigning)) return;
    RecreateWnd();
}

void TCustomForm::SetWindowState(TWindowState state) {
    FWindowState = state;
    if (QWidget* widget = HandleAllocated() ? WidgetOf(Handle()) : nullptr) {
        if (state == wsMinimized)
            widget->showMinimized();
        else if (state == wsMaximized)
            widget->showMaximized();
        else if (widget->isVisible())
            widget->showNormal();
    }
}

// ---- bounds -----------------------------------------------------------------------------------------------

void TCustomForm::SetBounds(int left, int top, int width, int height) {
    if (width != Width()) FClientWidthGiven = false;
    if (height != Height()) FClientHeightGiven = false;
    TWinControl::SetBounds(left, top, width, height);
}

void TCustomForm::SetClientSize(int width, int height) {
    TControl::SetClientSize(width, height);
    FClientWidthGiven = FClientHeightGiven = true;
}

void TCustomForm::SetClientWidth(int width) {
    TControl::SetClientSize(width, ClientHeight());
    FClientWidthGiven = true;
}

void TCustomForm::SetClientHeight(int height) {
    TControl::SetClientSize(ClientWidth(), height);
    FClientHeightGiven = true;
}

void TCustomForm::FitToNewFrame(WINDOWPOS& pos) {
    // The current client area in the new frame.
    const TRect framed = GetWindowRect(pos.hwnd);
    if (FClientWidthGiven) pos.cx = framed.Width();
    if (FClientHeightGiven) pos.cy = framed.Height();
    if (FCentredAt == TPoint{pos.x, pos.y}) {
        pos.x = (TScreen::Instance().Width() - pos.cx) / 2;
        pos.y = (TScreen::Instance().Height() - pos.cy) / 2;
        FCentredAt = TPoint{pos.x, pos.y};
    }
}

void TCustomForm::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    if (HandleAllocated()) DestroyWnd();
    TWinControl::SetParent(parent);
}

// ---- showing and closing ----------------------------------------------------------------------------------

void TCustomForm::ApplyPosition() {
    if (FPositioned) return;
    FPositioned = true;
    if (FPosition == poScreenCenter || FPosition == poDefaultPosOnly) {
        const TRect screen{0, 0, TScreen::Instance().Width(), TScreen::Instance().Height()};
        SetBounds((screen.Width() - Width()) / 2, (screen.Height() - Height()) / 2, Width(), Height());
        FCentredAt = TPoint{Left(), Top()};
    }
}

void TCustomForm::Show() {
    SetVisible(true);
    BringToFront();
}

void TCustomForm::VisibleChanged() {
    if (ComponentState().Contains(csDesigning) && Parent()) return;
    if (Visible()) {
        ApplyPosition();
        HWND window = Handle();
        ShowWindow(window, SW_SHOW);
        if (QWidget* widget = WidgetOf(window)) {
            widget->raise();
            widget->activateWindow();
        }
        if (FActiveControl && FActiveControl->CanFocus()) FActiveControl->SetFocus();
        if (OnShow) OnShow(this);
    } else if (HandleAllocated()) {
        ShowWindow(Handle(), SW_HIDE);
        if (OnHide) OnHide(this);
    }
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || FModal) throw EInvalidOperation("Cannot make a visible window modal");
    CancelCaptureMode();
    FModal = true;
    FModalResult = mrNone;
    QWidget* widget = WidgetOf(Handle());
    widget->setWindowModality(Qt::ApplicationModal);
    Show();
    TModalLoop loop(
        [this] {
            if (FModalResult == mrNone && !Visible()) FModalResult = mrCancel;
            if (FModalResult != mrNone && !CloseQuery()) FModalResult = mrNone;
            return FModalResult != mrNone;
        },
        [this] { FModalResult = mrCancel; });
    loop.Run(this);
    FModal = false;
    // A loop ended by the modal driver or by the application's end counts as cancelled.
    if (FModalResult == mrNone) FModalResult = mrCancel;
    // Hidden first: Qt forgets a modal window only when it hides while still modal.
    SetVisible(false);
    if (HandleAllocated()) WidgetOf(Handle())->setWindowModality(Qt::NonModal);
    return FModalResult;
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TCustomForm::Close() {
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    if (Application->MainForm() == this) action = caFree;
    DoClose(action);
    switch (action) {
    case caNone:
        break;
    case caHide:
        Hide();
        break;
    case caMinimize:
        SetWindowState(wsMinimized);
        break;
    case caFree:
        if (Application->MainForm() == this) {
            Hide();
            Application->Terminate();
        } else {
            Release();
        }
        break;
    }
}

void TCustomForm::Release() {
    Hide();
    QPointer<QWidget> guard = HandleAllocated() ? WidgetOf(Handle()) : nullptr;
    TCustomForm* self = this;
    QMetaObject::invokeMethod(
        QApplication::instance(), [self] { delete self; }, Qt::QueuedConnection);
}

// ---- focus and keys ---------------------------------------------------------------------------------------

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control && !ContainsControl(control)) return;
    FActiveControl = control;
    if (control && Visible() && HandleAllocated() && control->CanFocus() && !control->Focused())
        if (QWidget* widget = WidgetOf(control->Handle())) widget->setFocus(Qt::OtherFocusReason);
}

void TCustomForm::FocusChanged(TWinControl* control) {
    // A designed form's active control is part of its design: only the user sets it.
    if (!FDesigner) FActiveControl = control;
}

void TCustomForm::SetDesigner(TDesigner* designer) {
    FDesigner = designer;
    if (!designer) return;
    FActiveControl = nullptr;
    if (!HandleAllocated()) return;
    QWidget* window = WidgetOf(Handle());
    if (QWidget* focus = window ? window->focusWidget() : nullptr; focus && focus != window)
        window->setFocus(Qt::OtherFocusReason);
}

void TCustomForm::SelectNext(TWinControl* current, bool forward) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return;
    auto it = std::find(list.begin(), list.end(), current);
    const int count = static_cast<int>(list.size());
    int index = it == list.end() ? (forward ? -1 : count) : static_cast<int>(it - list.begin());
    for (int step = 0; step < count; ++step) {
        index = (index + (forward ? 1 : -1) + count) % count;
        TWinControl* candidate = list[static_cast<size_t>(index)];
        if (candidate->TabStop() && candidate->CanFocus()) {
            candidate->SetFocus();
            return;
        }
    }
}

static TControl* FindButton(TWinControl* parent, bool wantDefault) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c->Perform(CM_DIALOGKEYBUTTON, wantDefault ? 1 : 0, 0) && c->Visible() && c->Enabled()) return c;
        if (auto* w = dynamic_cast<TWinControl*>(c))
            if (TControl* found = FindButton(w, wantDefault)) return found;
    }
    return nullptr;
}

bool TCustomForm::DialogKey(uint16_t key, TShiftState shift) {
    if (key == VK_TAB) {
        SelectNext(FActiveControl, !shift.Contains(ssShift));
        return true;
    }
    if (key == VK_RETURN || key == VK_ESCAPE) {
        if (TControl* button = FindButton(this, key == VK_RETURN)) {
            button->Click();
            return true;
        }
        if (key == VK_ESCAPE && FModal) {
            FModalResult = mrCancel;
            return true;
        }
    }
    return false;
}

// ---- messages and painting --------------------------------------------------------------------------------

void TCustomForm::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case WM_WINDOWPOSCHANGING:
        if (WINDOWPOS* pos = TWMWindowPos::From(message).WindowPos; pos && pos->flags & SWP_FRAMECHANGED)
            FitToNewFrame(*pos);
        break;
    default:
        break;
    }
    TWinControl::Dispatch(message);
}

void TCustomForm::PaintWindow(TCanvas& canvas) {
    // A form with a designer shows the designer's surface instead of its own painting.
    if (FDesigner) {
        FDesigner->PaintSurface();
        return;
    }
    FCanvas.PaintOn(canvas, Font(), [this] { Paint(); });
}

TCanvas* TCustomForm::Canvas() const {
    return FCanvas.Current();
}

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == FActiveControl) FActiveControl = nullptr;
    if (FDesigner && component != this) FDesigner->ComponentNotification(component, operation);
}

void TCustomForm::ValidateRename(TComponent* component, const std::string& curName,
                                 const std::string& newName) {
    TWinControl::ValidateRename(component, curName, newName);
    if (FDesigner) FDesigner->ValidateComponentRename(component, curName, newName);
}

void TCustomForm::GetChildren(const TGetChildProc& proc, TComponent* root) {
    TWinControl::GetChildren(proc, root);
    if (root == this)
        for (int i = 0; i < ComponentCount(); ++i)
            if (!Components(i)->HasParent()) proc(Components(i));
}

void TCustomForm::Loaded() {
    TWinControl::Loaded();
    if (FActiveControl && !ContainsControl(FActiveControl)) FActiveControl = nullptr;
}
