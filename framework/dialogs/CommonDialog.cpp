// TCommonDialog and the framework window that carries a Qt dialog.
#include "dialogs/CommonDialog.h"

#include "core/ScopeGuard.h"
#include "core/SysUtils.h"
#include "dialogs/DialogWindow.h"
#include "graphics/QtConvert.h"
#include "ui/InputSimulator.h"
#include "ui/ModalLoop.h"
#include "ui/Screen.h"
#include "ui/Windows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

FW_PUBLISH(TCommonDialog) {
    p.Property("HelpContext", &TCommonDialog::HelpContext, &TCommonDialog::SetHelpContext).Default(0);
}

FW_PUBLISH(TDialogWindow) {
}

// ---- TDialogWindow ----------------------------------------------------------------------------------------

TDialogWindow::TDialogWindow(const std::string& windowClass, const std::string& caption)
    : TWinControl(nullptr), FWindowClass(windowClass) {
    SetText(caption);
    // The dialog's own widgets handle the mouse; the window never holds the capture for them.
    TControlStyle style = ControlStyle();
    style.Exclude(csCaptureMouse);
    SetControlStyle(style);
}

TDialogWindow::~TDialogWindow() {
    if (QDialog* dialog = HandleAllocated() ? qobject_cast<QDialog*>(WidgetOf(Handle())) : nullptr)
        dialog->setWindowModality(Qt::NonModal);
}

void TDialogWindow::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    // A top-level window of its own, with no owner window: its input never counts as input of a form.
    params.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    params.WndParent = nullptr;
    params.WinClassName = FWindowClass;
}

void TDialogWindow::CreateHandle() {
    TWinControl::CreateHandle();
    // The dialog looks like the desktop's dialogs, not like a form.
    if (QWidget* widget = WidgetOf(Handle())) {
        widget->setFont(QApplication::font());
        widget->setPalette(QApplication::palette());
    }
}

QDialog* TDialogWindow::Dialog() {
    return qobject_cast<QDialog*>(WidgetOf(Handle()));
}

void TDialogWindow::SetPart(TDialogPart part, QWidget* widget) {
    FParts[part] = widget;
}

QWidget* TDialogWindow::Part(TDialogPart part) const {
    auto it = FParts.find(part);
    return it == FParts.end() ? nullptr : it->second.data();
}

void TDialogWindow::Cancel() {
    if (OnCancel)
        OnCancel();
    else if (QDialog* dialog = Dialog())
        dialog->reject();
}

void TDialogWindow::WndProc(TMessage& message) {
    if (message.Msg == WM_CLOSE) {
        Cancel();
        return;
    }
    TWinControl::WndProc(message);
}

int TDialogWindow::RunModal(TObject* owner) {
    QDialog* dialog = Dialog();
    dialog->adjustSize();
    const QSize size = dialog->size().expandedTo(dialog->minimumSizeHint());
    const int x = std::max(0, (TScreen::Instance().Width() - size.width()) / 2);
    const int y = std::max(0, (TScreen::Instance().Height() - size.height()) / 2);
    SetBounds(x, y, size.width(), size.height());
    dialog->setResult(QDialog::Rejected);
    const QPointer<QWidget> previous = QApplication::activeWindow();
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    // Active at once (the platform's activation may arrive later), so that keys reach its focused part.
    QApplication::setActiveWindow(dialog);
    if (!dialog->isAncestorOf(QApplication::focusWidget())) {
        QWidget* focus = dialog->focusWidget();
        for (QWidget* child : dialog->findChildren<QWidget*>()) {
            if (focus) break;
            if ((child->focusPolicy() & Qt::TabFocus) && child->isVisibleTo(dialog) && child->isEnabled())
                focus = child;
        }
        if (focus) focus->setFocus(Qt::ActiveWindowFocusReason);
    }
    TModalLoop loop([dialog = QPointer<QDialog>(dialog)] { return !dialog || !dialog->isVisible(); },
                    [this] { Cancel(); });
    loop.Run(owner);
    dialog = Dialog();
    if (!dialog) return QDialog::Rejected;
    if (dialog->isVisible()) {
        // The loop ended without the dialog closing (the application is ending): nothing was accepted.
        dialog->hide();
        dialog->setResult(QDialog::Rejected);
    }
    // Hidden first: Qt forgets a modal window only when it hides while still modal.
    dialog->setWindowModality(Qt::NonModal);
    // The window that was active before (a dialog that asked this one) gets the keyboard back.
    if (previous && previous->isVisible()) QApplication::setActiveWindow(previous);
    return loop.Cancelled() ? QDialog::Rejected : dialog->result();
}

QWidget* BuddyOfLabel(QWidget* dialog, const QString& text) {
    // An exact caption first ("Font" is not "Font style"), then one that contains the text.
    for (bool exact : {true, false}) {
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            QString caption = label->text();
            caption.remove(QLatin1Char('&'));
            if (caption.endsWith(QLatin1Char(':'))) caption.chop(1);
            const bool matches = exact ? caption.compare(text, Qt::CaseInsensitive) == 0
                                       : caption.contains(text, Qt::CaseInsensitive);
            if (label->buddy() && matches) return label->buddy();
        }
    }
    return nullptr;
}

QWidget* AddHelpButton(QWidget* dialog, TCommonDialog* component) {
    auto* box = dialog->findChild<QDialogButtonBox*>();
    if (!box) return nullptr;
    QPushButton* help = box->addButton(QDialogButtonBox::Help);
    QObject::connect(help, &QPushButton::clicked, help, [component] {
        if (component->OnHelp) component->OnHelp(component);
    });
    return help;
}

// ---- TCommonDialog ----------------------------------------------------------------------------------------

TCommonDialog::TCommonDialog(TComponent* owner) : TComponent(owner) {
}

TCommonDialog::~TCommonDialog() = default;

bool TCommonDialog::RunDialog(TDialogWindow& window) {
    FWindow = &window;
    const auto forgetWindow = ScopeGuard([this] { FWindow = nullptr; });
    // OnShow runs once the window shows, inside the loop and before the modal action.
    QMetaObject::invokeMethod(
        window.Dialog(),
        [this] {
            if (OnShow) OnShow(this);
        },
        Qt::QueuedConnection);
    const bool accepted = window.RunModal(this) == QDialog::Accepted;
    if (OnClose) OnClose(this);
    return accepted;
}

HWND TCommonDialog::Handle() const {
    return FWindow ? FWindow->Handle() : nullptr;
}

bool TCommonDialog::HasPart(TDialogPart part) const {
    return FWindow && FWindow->Part(part);
}

namespace {
QWidget* RequirePart(TDialogWindow* window, TDialogPart part) {
    if (!window) throw EInvalidOperation("The dialog is not open");
    QWidget* widget = window->Part(part);
    if (!widget) throw EInvalidOperation(Format("The dialog has no part %d", static_cast<int>(part)));
    return widget;
}
} // namespace

TRect TCommonDialog::PartRect(TDialogPart part) const {
    QWidget* widget = RequirePart(FWindow, part);
    const QPoint origin = widget->mapTo(FWindow->Dialog(), QPoint(0, 0));
    return TRect::FromBounds(origin.x(), origin.y(), widget->width(), widget->height());
}

void TCommonDialog::ClickPart(TDialogPart part) {
    const TRect r = PartRect(part);
    // Left of the middle for fields, so the click lands on text rather than on a drop-down arrow.
    QWidget* widget = RequirePart(FWindow, part);
    const bool field = qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractSpinBox*>(widget) ||
                       qobject_cast<QComboBox*>(widget);
    const TPoint point{field ? r.Left + std::min(r.Width() / 2, 12) : r.Left + r.Width() / 2,
                       r.Top + r.Height() / 2};
    TInputSimulator::Click(Handle(), point);
}

void TCommonDialog::TypeInto(TDialogPart part, std::string_view text) {
    ClickPart(part);
    TInputSimulator::KeyPress('A', TShiftState{ssCtrl});
    TInputSimulator::TypeText(text);
}

std::string TCommonDialog::PartText(TDialogPart part) const {
    QWidget* widget = RequirePart(FWindow, part);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return FromQString(edit->text());
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget)) return FromQString(spin->text());
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return FromQString(combo->currentText());
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return FromQString(button->text());
    if (auto* label = qobject_cast<QLabel*>(widget)) return FromQString(label->text());
    return {};
}
