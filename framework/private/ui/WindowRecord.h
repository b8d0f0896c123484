// Private to the framework: the record behind a window handle and the Qt widget template that routes a
// widget's events into the framework's messages.
#pragma once

#include "graphics/Types.h"
#include "ui/CreateParams.h"
#include "ui/Messages.h"

#include <QMargins>
#include <QPointer>
#include <QWidget>

#include <exception>
#include <functional>
#include <memory>
#include <string>

class TWindowOwner;
class TCanvas;
class QPainter;
class TXorOverlay;

struct TWindowRecord {
    QPointer<QWidget> Widget;
    TWindowOwner* Owner = nullptr; // null once the window is being destroyed
    intptr_t UserData = 0;
    int Cursor = 0;                   // the cursor shown over the window (screen cursor table index)
    bool FillsBackground = false;     // paints its background brush before each paint (see WidgetLook.h)
    int InvalidRects = 0;             // rectangles invalidated since the last paint,
    TRect InvalidBounds;              // and the rectangle around them
    TCanvas* PaintCanvas = nullptr;   // during WM_PAINT
    QPainter* PaintPainter = nullptr; // the painter behind PaintCanvas
    QPointer<TXorOverlay> Overlay;    // the GetDC surface, made on first use
    std::unique_ptr<TCanvas> OverlayCanvas;
    QMargins Frame;             // the frame a top-level window's client area is fitted into
    bool FrameReported = false; // Frame is what the platform reported, not an expectation
    bool Placing = false;       // SetWindowPos is applying a new geometry to the widget
    ~TWindowRecord();
};

// Every framework widget carries its record.
class IFwWidget {
public:
    virtual ~IFwWidget() = default;
    TWindowRecord* Record = nullptr;
};

// Routes one Qt event of a framework widget: turns it into a message for the window's control, runs the
// window procedure chain and lets `native` (the Qt widget's own handling) run where the chain ends in the
// default handler.
bool RouteWidgetEvent(QWidget* widget, QEvent* event, const std::function<bool(QEvent*)>& native);
// An exception that reaches the window layer from a window procedure is reported there rather than unwound
// through Qt's frames. The application installs its ShowException; without a reporter the message goes to
// standard error.
using TWindowExceptionReporter = void (*)(const std::exception& e);
void SetWindowExceptionReporter(TWindowExceptionReporter reporter);
void ReportWindowException(const std::exception& e);
// Runs `action`, reporting what it throws.
void RunReportingExceptions(const std::function<void()>& action);
void ForgetWidget(QWidget* widget);

template <class Base> class TFwWidget : public Base, public IFwWidget {
public:
    using Base::Base;
    ~TFwWidget() override { ForgetWidget(this); }

protected:
    bool event(QEvent* e) override {
        return RouteWidgetEvent(this, e, [this](QEvent* ev) { return Base::event(ev); });
    }
};

TWindowRecord* RecordOfWidget(const QWidget* widget); // the widget's own record, or null
HWND WindowOfWidget(const QWidget* widget);           // nearest framework window at or above the widget
QWidget* WidgetOf(HWND window);                       // null for dead or null handles

// Native window classes: "FwWindow" is built in; controls register theirs (e.g. "BUTTON") from their .cpp.
using TWindowFactory = std::function<QWidget*(const TCreateParams& params, QWidget* parent)>;
void RegisterWindowClass(const std::string& name, TWindowFactory factory);
// Creates the window of `owner` with `params` and links it to the owner.
HWND CreateFrameworkWindow(TWindowOwner* owner, const TCreateParams& params);
void DestroyFrameworkWindow(HWND window);

// The message record of a Qt input event for the window `hwnd`, or WM_NULL when it is not input.
MSG InputMessageOf(QWidget* receiver, QEvent* event, HWND hwnd);
// Runs the get-message hooks on the input event; false when a hook consumed it.
bool PassInputThroughHooks(QWidget* receiver, QEvent* event);
// Runs the call-window-procedure hooks, then the control's window procedure.
LRESULT DeliverSentMessage(HWND window, TMessage& message);
// Sends WM_CANCELMODE to the window holding the capture and releases it.
void CancelCaptureMode();
// The widget of the window that has the mouse capture, or null.
QWidget* CaptureWidget();
// A press focuses the nearest widget that takes the focus by clicking, as the windowing system's delivery
// does, unless the focus is already inside it.
void GiveFocusOnPress(QWidget* target);
// A press sent by the input simulator: Qt gives the focus only for presses from the windowing system, so
// the application does it for this one once the hooks let it through.
void SetSimulatedPress(const QEvent* event);
const QEvent* SimulatedPress();
// Notes the pointer and button state of an input event for GetCursorPos and GetKeyState; a mouse event's
// receiver is the widget the pointer is in, whose cursor GetCursor reports.
void TrackInputState(QEvent* event, QWidget* receiver = nullptr);
// Clamps a screen point into the ClipCursor rectangle.
QPoint ClipScreenPoint(QPoint global);

// ---- frames (WindowApi.cpp) -------------------------------------------------------------------------------
//
// A top-level window's bounds are its outer bounds, frame included; its widget's geometry is the client
// area inside the frame. Window managers report a frame only once they have framed the shown window (at
// once offscreen, after mapping on X11); until then frame and client area coincide.

// The window's outer rectangle on the screen (a child window's geometry in its parent).
QRect OuterGeometry(HWND window);
// Before a top-level window shows for the first time: fits it into the frame that windows of its kind were
// last given, so that it shows at its bounds at once where the real frame is known only after showing.
void ExpectWindowFrame(HWND window);
// Reads the frame the platform reports for a top-level window; when it differs from the one the window is
// fitted to, fits the client area into the window's outer bounds within the new frame (SWP_FRAMECHANGED).
void NoteWindowFrame(HWND window);
// The window was moved or sized by someone else than SetWindowPos (a window manager, the user dragging a
// frame), or a top-level window was exposed: notes its frame and tells the owner where the window is now.
void NoteWindowPlacement(HWND window);
