// Window operations of the framework: message hooks, window data and geometry, capture, cursor, key
// state, system metrics, invalidation and the window device context. The names and semantics are those
// of the classic windowing API, so code written against it (designers above all) runs unchanged; each
// maps onto the Qt widget behind the window.
#pragma once

#include "graphics/Types.h"
#include "ui/Messages.h"

#include <cstdint>
#include <vector>

#pragma GCC visibility push(default)

class TBitmap;
class TCanvas;
class TWindowOwner;

// ---- message hooks ----------------------------------------------------------------------------------------

// A get-message hook sees every posted (input) message before it reaches its window: LParam points at the
// MSG, WParam is PM_REMOVE. Setting the MSG's message to WM_NULL consumes it. A call-window-procedure hook
// sees every sent message before the window procedure: LParam points at a CWPSTRUCT. Each hook should
// call CallNextHookEx first. The newest hook runs first.
enum : int { WH_GETMESSAGE = 3, WH_CALLWNDPROC = 4 };
enum : int { HC_ACTION = 0 };
enum : WPARAM { PM_NOREMOVE = 0, PM_REMOVE = 1 };
using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);
struct THookRecord;
using HHOOK = THookRecord*;

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc);
bool UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

// ---- messages ---------------------------------------------------------------------------------------------

// Sent through the call-window-procedure hooks to the window's control (its WindowProc).
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Queued; delivered from the message loop through the get-message hooks like input.
bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// ---- windows ----------------------------------------------------------------------------------------------
enum : int { GWL_USERDATA = -21 };
// SW_SHOWNA (and SetWindowPos with SWP_SHOWWINDOW | SWP_NOACTIVATE) shows a top-level window without
// activating it: the active window and the keyboard focus stay where they are.
enum : int { SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_SHOW = 5, SW_SHOWNA = 8 };
inline HWND const HWND_TOP = nullptr;
inline HWND const HWND_BOTTOM = reinterpret_cast<HWND>(1);

bool IsWindow(HWND window);
TWindowOwner*
FindWindowOwner(HWND window); // the object the window belongs to, or null (FindControl, WinControl.h)
intptr_t GetWindowLong(HWND window, int index);
intptr_t SetWindowLong(HWND window, int index, intptr_t value); // returns the previous value
HWND GetParent(HWND window);
bool IsChild(HWND parent, HWND window); // descendant at any depth
HWND SetParent(HWND window, HWND newParent);
// The child windows of a window, the bottom of their z-order first.
std::vector<HWND> GetChildWindows(HWND parent);
bool SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
bool ShowWindow(HWND window, int command);
bool IsWindowVisible(HWND window); // visible itself and all its ancestors
TRect GetClientRect(HWND window);  // (0, 0, width, height)
// Screen coordinates; a top-level window's rectangle includes the frame a window manager put around it.
TRect GetWindowRect(HWND window);
TPoint ClientToScreen(HWND window, TPoint point);
TPoint ScreenToClient(HWND window, TPoint point);
// Converts points from the client coordinates of `from` to those of `to` (null is the screen).
void MapWindowPoints(HWND from, HWND to, TPoint* points, int count);
TRect MapWindowRect(HWND from, HWND to, const TRect& rect);
HWND WindowFromPoint(TPoint screenPoint);

// ---- capture, cursor, keyboard ----------------------------------------------------------------------------

// While a window has the capture, every mouse message goes to it. Losing the capture to another window, or
// to a modal loop or a popup, sends WM_CANCELMODE to the window that had it.
HWND SetCapture(HWND window);
bool ReleaseCapture();
HWND GetCapture();
// Keeps the reported pointer inside `rect` (screen coordinates); null lifts the restriction.
void ClipCursor(const TRect* rect);
bool GetClipCursor(TRect& rect);
TPoint GetCursorPos();
// The cursor shown over the window under the pointer, as an index of the screen's cursor table.
int GetCursor();
int SetCursor(int cursor); // shows `cursor` over the window under the pointer; returns the previous one
// High bit set (negative) while the key or button is down.
int16_t GetKeyState(int virtualKey);
// The text caret of the window with the keyboard focus, in that window's client coordinates (the top of
// the caret); false when no window with a text caret has the focus.
bool GetCaretPos(TPoint& point);

// ---- keys and timers --------------------------------------------------------------------------------------

// A key-down types its characters (WM_CHAR to the same window) only when it reaches the end of the window
// procedure chain. A window procedure that takes the key-down away from its window (a drop-down list
// handling the keys of its edit box) calls this while handling it, so the characters still follow; true
// when `message` is a key-down from the keyboard that `window` is handling now.
bool TranslateKeyDown(HWND window, const TMessage& message);
// Timer `id` of `window`: WM_TIMER (WParam `id`) is posted every `elapse` milliseconds until KillTimer.
// Setting an existing timer again restarts it.
bool SetTimer(HWND window, uintptr_t id, unsigned elapse);
bool KillTimer(HWND window, uintptr_t id);

enum : int {
    SM_CXSCREEN = 0,
    SM_CYSCREEN = 1,
    SM_CXVSCROLL = 2,
    SM_CYHSCROLL = 3,
    SM_CXBORDER = 5,
    SM_CYBORDER = 6,
    SM_CXDOUBLECLK = 36,
    SM_CYDOUBLECLK = 37,
    SM_CXDRAG = 68,
    SM_CYDRAG = 69,
};
int GetSystemMetrics(int index);

enum : int { SB_HORZ = 0, SB_VERT = 1 };
int GetScrollPos(HWND window, int bar);
void GetScrollRange(HWND window, int bar, int& min, int& max);

// ---- painting ---------------------------------------------------------------------------------------------

// Marks the rectangle (client coordinates; null = everything) for repainting.
bool InvalidateRect(HWND window, const TRect* rect, bool erase);
// Paints the window now if any part of it is marked.
bool UpdateWindow(HWND window);
// Handles every pending paint of the program at once (the paint-only message pump).
void FlushPaintMessages();

using HDC = TCanvas*;
// While `paint` (a WM_PAINT) is handled for `window`: the canvas of that paint, on top of what the Qt widget
// painted of itself. Null outside a paint.
HDC BeginPaint(HWND window, const TMessage& paint);
void EndPaint(HWND window);
// BeginPaint for a scope and EndPaint when it ends; Canvas() is null (and nothing is ended) outside a paint
// or for a null window.
class [[nodiscard]] TPaintScope {
public:
    TPaintScope(HWND window, const TMessage& paint) : FWindow(window), FCanvas(BeginPaint(window, paint)) {}
    ~TPaintScope() {
        if (FCanvas) EndPaint(FWindow);
    }
    TPaintScope(const TPaintScope&) = delete;
    TPaintScope& operator=(const TPaintScope&) = delete;
    HDC Canvas() const { return FCanvas; }

private:
    HWND FWindow;
    HDC FCanvas;
};

// A canvas that draws on the window outside paint messages. Figures go to a transparent overlay on top
// of the window and are combined with what is below by exclusive-or, so drawing a figure twice erases it.
// The figures stay until drawn again or the overlay is cleared by ReleaseDC(window, dc, true).
HDC GetDC(HWND window);
void ReleaseDC(HWND window, HDC dc);

// What the window shows now (its children and the device-context figures included), as a bitmap of the
// window's client size.
void GrabWindow(HWND window, TBitmap& bitmap);

#pragma GCC visibility pop
