// Window records and the routing of Qt widget events into framework messages.
//
//   1. records: handle <-> widget <-> owner (the windowed control)
//   2. window classes and window creation
//   3. event routing: Qt event -> message -> WindowProc chain -> native handling at the chain's end
#include "ui/WindowRecord.h"

#include "graphics/Canvas.h"
#include "ui/KeyCodes.h"
#include "ui/NativeDispatch.h"
#include "ui/WidgetLook.h"
#include "ui/WindowOwner.h"
#include "ui/Windows.h"
#include "ui/XorOverlay.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>

#include <cstdio>
#include <exception>
#include <map>
#include <unordered_set>

// ---- 1. records -------------------------------------------------------------------------------------------

namespace {
std::unordered_set<const TWindowRecord*>& LiveRecords() {
    static std::unordered_set<const TWindowRecord*> records;
    return records;
}
} // namespace

TWindowRecord::~TWindowRecord() {
    LiveRecords().erase(this);
    delete Overlay.data();
}

TWindowRecord* RecordOfWidget(const QWidget* widget) {
    auto* fw = dynamic_cast<const IFwWidget*>(widget);
    return fw ? fw->Record : nullptr;
}

HWND WindowOfWidget(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (TWindowRecord* r = RecordOfWidget(w)) return r;
    return nullptr;
}

QWidget* WidgetOf(HWND window) {
    if (!window || !LiveRecords().count(window)) return nullptr;
    return window->Widget.data();
}

bool IsWindow(HWND window) {
    return WidgetOf(window) != nullptr;
}

TWindowOwner* FindWindowOwner(HWND window) {
    return IsWindow(window) ? window->Owner : nullptr;
}

void ForgetWidget(QWidget* widget) {
    TWindowRecord* record = RecordOfWidget(widget);
    if (!record) return;
    dynamic_cast<IFwWidget*>(widget)->Record = nullptr;
    if (TWindowOwner* owner = record->Owner) {
        // The widget went away under its owner (its Qt parent was deleted): the owner is windowless now.
        TMessage destroy{WM_DESTROY, 0, 0, 0};
        DeliverSentMessage(record, destroy);
        owner->WindowLost();
    }
    delete record;
}

// ---- 2. window classes and creation -----------------------------------------------------------------------

namespace {
std::map<std::string, TWindowFactory>& WindowClasses() {
    static std::map<std::string, TWindowFactory> classes = {
        {"FwWindow", [](const TCreateParams&, QWidget* parent) { return new TFwWidget<QWidget>(parent); }},
    };
    return classes;
}

Qt::WindowFlags TopLevelFlags(const TCreateParams& params) {
    Qt::WindowFlags flags = Qt::Window;
    if (params.ExStyle & WS_EX_TOOLWINDOW) flags = Qt::Tool;
    if (params.Style & WS_POPUP && !(params.Style & WS_CAPTION)) flags = Qt::Popup | Qt::FramelessWindowHint;
    if (params.ExStyle & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
    // A window that is never activated: the windowing system gives it neither the activation nor the
    // focus when it is shown or clicked (a tool-tip window has no frame and is left alone by window
    // managers), so the window the user works in keeps both.
    if (params.ExStyle & WS_EX_NOACTIVATE)
        flags = (flags & ~Qt::WindowType_Mask) | Qt::ToolTip | Qt::FramelessWindowHint |
                Qt::WindowDoesNotAcceptFocus;
    if ((params.Style & WS_CAPTION) == WS_CAPTION) {
        flags |= Qt::WindowTitleHint | Qt::CustomizeWindowHint;
        if (params.Style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (params.Style & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
        if (params.Style & WS_MAXIMIZEBOX) flags |= Qt::WindowMaximizeButtonHint;
    }
    return flags;
}
} // namespace

void RegisterWindowClass(const std::string& name, TWindowFactory factory) {
    WindowClasses()[name] = std::move(factory);
}

// The largest a top-level window may be: what the desktop spans, and at least MinLargestWindowSide each
// way. The pixels of a top-level window are kept in memory whole (its backing store), so a form file
// that asks for millions of pixels gets a window no larger than a screen could show.
static QSize LargestTopLevelSize() {
    constexpr int MinLargestWindowSide = 4096;
    QSize size(MinLargestWindowSide, MinLargestWindowSide);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.expandedTo(screen->virtualSize());
    return size;
}

HWND CreateFrameworkWindow(TWindowOwner* owner, const TCreateParams& params) {
    auto it = WindowClasses().find(params.WinClassName);
    if (it == WindowClasses().end()) it = WindowClasses().find("FwWindow");
    QWidget* parentWidget = WidgetOf(params.WndParent);
    QWidget* widget = it->second(params, parentWidget);
    auto* fw = dynamic_cast<IFwWidget*>(widget);
    if (!fw) {
        delete widget;
        throw EInvalidOperation("Window class " + params.WinClassName + " makes no framework window");
    }
    auto* record = new TWindowRecord;
    record->Widget = widget;
    record->Owner = owner;
    LiveRecords().insert(record);
    fw->Record = record;

    if (!(params.Style & WS_CHILD) || !parentWidget) {
        widget->setParent(parentWidget, TopLevelFlags(params));
        widget->setMaximumSize(LargestTopLevelSize());
    }
    widget->setMouseTracking(true); // every window hears WM_MOUSEMOVE, buttons down or not
    widget->setAttribute(Qt::WA_DeleteOnClose, false);
    widget->setGeometry(params.X, params.Y, std::max(params.Width, 0), std::max(params.Height, 0));
    if (!params.Caption.empty()) widget->setWindowTitle(QString::fromStdString(params.Caption));
    widget->setEnabled(!(params.Style & WS_DISABLED));
    return record;
}

void DestroyFrameworkWindow(HWND window) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return;
    TMessage destroy{WM_DESTROY, 0, 0, 0};
    DeliverSentMessage(window, destroy);
    // The owner lets go of the handle itself; detach it first so ForgetWidget does not tell it twice.
    window->Owner = nullptr;
    delete widget;
}

// ---- 3. event routing -------------------------------------------------------------------------------------

namespace {

// Runs `message` through the owner's window procedure carrying `event`, whose Qt handling waits at the
// end of the chain.
bool DispatchWithNative(HWND window, TMessage& message, QEvent* event,
                        const std::function<bool(QEvent*)>& native, bool sent) {
    TNativeDispatch entry{window->Owner, message.Msg, event, &native};
    message.Native = &entry;
    if (sent)
        DeliverSentMessage(window, message);
    else
        window->Owner->HandleWindowMessage(message);
    return entry.Ran ? entry.Result : true;
}

WPARAM MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    WPARAM keys = 0;
    if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
    if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) keys |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier) keys |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier) keys |= MK_CONTROL;
    return keys;
}

UINT MouseMessage(QEvent::Type type, Qt::MouseButton button) {
    const int index = button == Qt::RightButton ? 1 : button == Qt::MiddleButton ? 2 : 0;
    static const UINT down[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static const UINT up[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    static const UINT dbl[] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
    switch (type) {
    case QEvent::MouseButtonPress:
        return down[index];
    case QEvent::MouseButtonRelease:
        return up[index];
    case QEvent::MouseButtonDblClick:
        return dbl[index];
    case QEvent::MouseMove:
        return WM_MOUSEMOVE;
    default:
        return WM_NULL;
    }
}

} // namespace

bool RunNativeHandling(const TWindowOwner* owner, const TMessage& message) {
    TNativeDispatch* entry = message.Native;
    if (!entry || entry->Owner != owner || entry->Msg != message.Msg) return false;
    if (!entry->Ran) {
        entry->Ran = true;
        entry->Result = (*entry->Native)(entry->Event);
    }
    return entry->Result;
}

MSG InputMessageOf(QWidget* receiver, QEvent* event, HWND hwnd) {
    MSG msg;
    msg.hwnd = hwnd;
    QWidget* target = WidgetOf(hwnd);
    if (!target) return msg;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(event);
        const QPoint global = ClipScreenPoint(me->globalPosition().toPoint());
        const QPoint local = target->mapFromGlobal(global);
        msg.message = MouseMessage(event->type(), me->button());
        msg.wParam = MouseKeys(me->buttons(), me->modifiers());
        msg.lParam = MAKELPARAM(local.x(), local.y());
        msg.pt = {global.x(), global.y()};
        break;
    }
    case QEvent::Wheel: {
        auto* we = static_cast<QWheelEvent*>(event);
        const QPoint global = we->globalPosition().toPoint();
        msg.message = WM_MOUSEWHEEL;
        msg.wParam = MouseKeys(we->buttons(), we->modifiers()) |
                     (static_cast<WPARAM>(static_cast<uint16_t>(we->angleDelta().y())) << 16);
        msg.lParam = MAKELPARAM(global.x(), global.y());
        msg.pt = {global.x(), global.y()};
        break;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* ke = static_cast<QKeyEvent*>(event);
        const bool alt = ke->modifiers() & Qt::AltModifier;
        msg.message = event->type() == QEvent::KeyPress ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN)
                                                        : (alt ? WM_SYSKEYUP : WM_KEYUP);
        msg.wParam = VirtualKeyFromQt(ke->key());
        // Without a code of its own the key would count as swallowed and never type its character.
        if (msg.wParam == 0 && !ke->text().isEmpty()) msg.wParam = VK_PACKET;
        msg.lParam = (ke->isAutoRepeat() ? 1 << 30 : 0) | 1;
        break;
    }
    default:
        break;
    }
    (void)receiver;
    return msg;
}

static bool RouteWidgetEventUnguarded(QWidget* widget, QEvent* event,
                                      const std::function<bool(QEvent*)>& native) {
    TWindowRecord* record = RecordOfWidget(widget);
    if (record && event->type() == QEvent::Paint) {
        record->InvalidRects = 0;
        if (record->FillsBackground) FillWidgetBackground(widget, static_cast<QPaintEvent*>(event)->region());
    }
    if (!record || !record->Owner) return native(event);
    HWND window = record;

    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyRelease: {
        MSG msg = InputMessageOf(widget, event, window);
        if (msg.message == WM_NULL) return native(event);
        TMessage message{msg.message, msg.wParam, msg.lParam, 0};
        DispatchWithNative(window, message, event, native, false);
        // Messages go to one window only: never let Qt hand an input event on to the parent widget.
        event->accept();
        return true;
    }
    case QEvent::KeyPress: {
        // WM_KEYDOWN, then WM_CHAR for the typed text; the native key handling runs when neither was
        // swallowed on the way (a handler that zeroes the key swallows it).
        auto* ke = static_cast<QKeyEvent*>(event);
        MSG msg = InputMessageOf(widget, event, window);
        bool keyDownReached = false;
        const std::function<bool(QEvent*)> markKeyDown = [&](QEvent*) { return keyDownReached = true; };
        TMessage keyDown{msg.message, msg.wParam, msg.lParam, 0};
        DispatchWithNative(window, keyDown, event, markKeyDown, false);
        if (!IsWindow(window)) return true;
        bool charsReached = true;
        const std::string text = ke->text().toStdString();
        if (keyDownReached && !text.empty() && !(ke->modifiers() & Qt::ControlModifier)) {
            for (unsigned char ch : text) {
                bool reached = false;
                const std::function<bool(QEvent*)> markChar = [&](QEvent*) { return reached = true; };
                TMessage charMessage{msg.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR, ch, msg.lParam, 0};
                DispatchWithNative(window, charMessage, event, markChar, false);
                if (!IsWindow(window)) return true;
                charsReached = charsReached && reached;
            }
        }
        // Like every input message, a key goes to one window only: a native widget that ignores it (a line
        // edit ignores Up and Down) must not pass it on to the parent window.
        if (keyDownReached && charsReached) native(event);
        event->accept();
        return true;
    }
    case QEvent::Paint: {
        TMessage message{WM_PAINT, 0, 0, 0};
        DispatchWithNative(window, message, event, native, false);
        return true;
    }
    case QEvent::Close: {
        // The form decides what closing means (hide, free, nothing); Qt never closes on its own.
        const std::function<bool(QEvent*)> keepOpen = [](QEvent* e) {
            e->ignore();
            return true;
        };
        TMessage message{WM_CLOSE, 0, 0, 0};
        DispatchWithNative(window, message, event, keepOpen, true);
        event->ignore();
        return true;
    }
    case QEvent::Move:
    case QEvent::Resize: {
        const bool result = native(event);
        // SetWindowPos reports its own change once it is done.
        if (IsWindow(window) && !record->Placing) NoteWindowPlacement(window);
        return result;
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        TMessage message{event->type() == QEvent::FocusIn ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0, 0};
        return DispatchWithNative(window, message, event, native, true);
    }
    case QEvent::Enter:
    case QEvent::Leave: {
        TMessage message{event->type() == QEvent::Enter ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0, 0};
        return DispatchWithNative(window, message, event, native, false);
    }
    case QEvent::Show:
    case QEvent::Hide: {
        TMessage message{WM_SHOWWINDOW, event->type() == QEvent::Show ? 1u : 0u, 0, 0};
        return DispatchWithNative(window, message, event, native, true);
    }
    default:
        return native(event);
    }
}

namespace {
TWindowExceptionReporter& ExceptionReporter() {
    static TWindowExceptionReporter reporter = nullptr;
    return reporter;
}
} // namespace

void SetWindowExceptionReporter(TWindowExceptionReporter reporter) {
    ExceptionReporter() = reporter;
}

void ReportWindowException(const std::exception& e) {
    if (TWindowExceptionReporter reporter = ExceptionReporter())
        reporter(e);
    else
        std::fprintf(stderr, "%s\n", e.what());
}

void RunReportingExceptions(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        ReportWindowException(e);
    }
}

bool TranslateKeyDown(HWND window, const TMessage& message) {
    TWindowOwner* owner = FindWindowOwner(window);
    if (!owner || message.Msg != WM_KEYDOWN) return false;
    // The key-down's native step only records that the key went through; the characters follow it.
    return RunNativeHandling(owner, message);
}

bool RouteWidgetEvent(QWidget* widget, QEvent* event, const std::function<bool(QEvent*)>& native) {
    // An exception must not unwind through Qt's own frames (they would leak the events they hold), so
    // it is reported here, where the framework's code was entered.
    try {
        return RouteWidgetEventUnguarded(widget, event, native);
    } catch (const std::exception& e) {
        ReportWindowException(e);
        return true;
    }
}
