// Framework messages: the message records, their numbers and the parameter packing.
//
// Qt events become messages with the numbers of the classic windowing API, so code written against that
// model (window procedures, message hooks, designers) runs unchanged. Mouse points are client coordinates
// packed into LParam (x low, y high, both signed 16-bit); WParam carries the key and button state
// (MK_*); keys carry virtual-key codes (VK_*).
#pragma once

#include "graphics/Types.h"

#include <cstdint>
#include <type_traits>

#pragma GCC visibility push(default)

class TCanvas;
struct TNativeDispatch;
struct TWindowRecord;
using HWND = TWindowRecord*; // a window of the framework; null is "no window"
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using UINT = uint32_t;

// A message as a window procedure sees it.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
    // The Qt event a message made from one carries to the end of the window procedure chain, where the
    // default handler lets the Qt widget handle it (framework-private; null for other messages).
    TNativeDispatch* Native = nullptr;
};

// A posted (input) message as the get-message hooks see it before it reaches its window.
struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    uint32_t time = 0;
    TPoint pt; // screen coordinates of the pointer
};

// A sent message as the call-window-procedure hooks see it.
struct CWPSTRUCT {
    LPARAM lParam = 0;
    WPARAM wParam = 0;
    UINT message = 0;
    HWND hwnd = nullptr;
};

// The position record of WM_WINDOWPOSCHANGING / WM_WINDOWPOSCHANGED (LParam points at it).
struct WINDOWPOS {
    HWND hwnd = nullptr;
    HWND hwndInsertAfter = nullptr;
    int x = 0, y = 0, cx = 0, cy = 0;
    UINT flags = 0;
};

enum : UINT {
    SWP_NOSIZE = 0x0001,
    SWP_NOMOVE = 0x0002,
    SWP_NOZORDER = 0x0004,
    SWP_NOREDRAW = 0x0008,
    SWP_NOACTIVATE = 0x0010,
    // The frame around a top-level window changed (a window manager framed it): the window keeps its outer
    // bounds unless a WM_WINDOWPOSCHANGING handler changes them, and its client area is fitted inside.
    SWP_FRAMECHANGED = 0x0020,
    SWP_SHOWWINDOW = 0x0040,
    SWP_HIDEWINDOW = 0x0080,
};

enum : UINT {
    WM_NULL = 0x0000,
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_MOVE = 0x0003,
    WM_SIZE = 0x0005,
    WM_ACTIVATE = 0x0006,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_ENABLE = 0x000A,
    WM_SETTEXT = 0x000C,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_ERASEBKGND = 0x0014,
    WM_SHOWWINDOW = 0x0018,
    WM_CANCELMODE = 0x001F,
    WM_SETCURSOR = 0x0020,
    WM_WINDOWPOSCHANGING = 0x0046,
    WM_WINDOWPOSCHANGED = 0x0047,
    WM_NCHITTEST = 0x0084,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_SYSKEYDOWN = 0x0104,
    WM_SYSKEYUP = 0x0105,
    WM_SYSCHAR = 0x0106,
    WM_TIMER = 0x0113,
    WM_HSCROLL = 0x0114,
    WM_VSCROLL = 0x0115,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_RBUTTONDBLCLK = 0x0206,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
    WM_MBUTTONDBLCLK = 0x0209,
    WM_MOUSEWHEEL = 0x020A,
    WM_ENTERMENULOOP = 0x0211,
    WM_EXITMENULOOP = 0x0212,
    WM_CAPTURECHANGED = 0x0215,
    WM_ENTERSIZEMOVE = 0x0231,
    WM_EXITSIZEMOVE = 0x0232,
    WM_USER = 0x0400,
    // Framework notifications (control messages) and the range private to applications.
    CM_BASE = 0xB000,
    CM_MOUSEENTER = CM_BASE + 19,
    CM_MOUSELEAVE = CM_BASE + 20,
    CM_TEXTCHANGED = CM_BASE + 18,
    // Asks a control whether it is the form's default button (WParam 1) or cancel button (WParam 0);
    // such a button answers with Result 1.
    CM_DIALOGKEYBUTTON = CM_BASE + 40,
    // A press on a control (LParam) tells the form's active control, and the controls containing it, to
    // abandon what it shows on top of the form (drop-down lists); see TCMCancelMode.
    CM_CANCELMODE = CM_BASE + 41,
};

// Key and button state in WParam of mouse messages.
enum : WPARAM {
    MK_LBUTTON = 0x0001,
    MK_RBUTTON = 0x0002,
    MK_SHIFT = 0x0004,
    MK_CONTROL = 0x0008,
    MK_MBUTTON = 0x0010,
};

// Virtual-key codes. Letters and digits are their upper-case ASCII codes.
enum : uint16_t {
    VK_LBUTTON = 0x01,
    VK_RBUTTON = 0x02,
    VK_CANCEL = 0x03,
    VK_MBUTTON = 0x04,
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_PAUSE = 0x13,
    VK_CAPITAL = 0x14,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_F1 = 0x70,
    VK_F2 = 0x71,
    VK_F3 = 0x72,
    VK_F4 = 0x73,
    VK_F5 = 0x74,
    VK_F10 = 0x79,
    VK_F12 = 0x7B,
    // A key that types a character but has no key code of its own (accented letters, other scripts).
    VK_PACKET = 0xE7,
};

constexpr uint16_t LOWORD(uintptr_t v) {
    return static_cast<uint16_t>(v & 0xFFFF);
}
constexpr uint16_t HIWORD(uintptr_t v) {
    return static_cast<uint16_t>((v >> 16) & 0xFFFF);
}
constexpr LPARAM MAKELPARAM(int low, int high) {
    return static_cast<LPARAM>(static_cast<uint32_t>((static_cast<uint32_t>(low) & 0xFFFF) |
                                                     ((static_cast<uint32_t>(high) & 0xFFFF) << 16)));
}
// The signed client coordinates of a mouse message.
constexpr int GET_X_LPARAM(LPARAM lp) {
    return static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(lp)));
}
constexpr int GET_Y_LPARAM(LPARAM lp) {
    return static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(lp)));
}
constexpr TPoint PointFromLParam(LPARAM lp) {
    return {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
}

// ---- typed message data -----------------------------------------------------------------------------------

// A message family whose parameters carry more than numbers has one reader, `From`, and one writer, so no
// handler casts WParam or LParam itself.

// WM_PAINT: the canvas a parent or an outer window procedure hands down (WParam); null when the window
// paints itself (BeginPaint).
struct TWMPaint {
    TCanvas* Canvas = nullptr;
    static TWMPaint From(const TMessage& message) { return {reinterpret_cast<TCanvas*>(message.WParam)}; }
    static void SetCanvas(TMessage& message, TCanvas* canvas) {
        message.WParam = reinterpret_cast<WPARAM>(canvas);
    }
    TMessage ToMessage() const { return {WM_PAINT, reinterpret_cast<WPARAM>(Canvas), 0, 0}; }
};

// WM_WINDOWPOSCHANGING / WM_WINDOWPOSCHANGED: the position record (LParam); null for a control without a
// window of its own. A handler of WM_WINDOWPOSCHANGING may change the record.
struct TWMWindowPos {
    WINDOWPOS* WindowPos = nullptr;
    static TWMWindowPos From(const TMessage& message) {
        return {reinterpret_cast<WINDOWPOS*>(message.LParam)};
    }
    TMessage ToMessage(UINT msg) const { return {msg, 0, reinterpret_cast<LPARAM>(WindowPos), 0}; }
};

// WM_KEYDOWN / WM_KEYUP and their WM_SYS forms: the virtual-key code (WParam). A handler that zeroes it
// swallows the key.
struct TWMKey {
    uint16_t Key = 0;
    static TWMKey From(const TMessage& message) { return {static_cast<uint16_t>(message.WParam)}; }
    static void SetKey(TMessage& message, uint16_t key) { message.WParam = key; }
};

// WM_CHAR / WM_SYSCHAR: one byte of the typed text, UTF-8 (WParam).
struct TWMChar {
    unsigned char Char = 0;
    static TWMChar From(const TMessage& message) { return {static_cast<unsigned char>(message.WParam)}; }
    static void SetChar(TMessage& message, unsigned char ch) { message.WParam = ch; }
};

// WM_MOUSEWHEEL: the turn of the wheel in 120ths of a notch, positive away from the user (high word of
// WParam; the low word holds the MK_* keys).
struct TWMMouseWheel {
    static constexpr int NotchDelta = 120;
    // A list scrolls this many lines a notch.
    static constexpr int LinesPerNotch = 3;
    int Delta = 0;
    // The lines a list scrolls for the turn, positive towards its top.
    int Lines() const { return Delta / (NotchDelta / LinesPerNotch); }
    static TWMMouseWheel From(const TMessage& message) {
        return {static_cast<int16_t>(HIWORD(message.WParam))};
    }
};

// The record behind a hook procedure's LParam: the MSG of a get-message hook (which the hook may change),
// the CWPSTRUCT of a call-window-procedure hook.
template <class TRecord> TRecord& HookRecord(LPARAM lParam) {
    static_assert(std::is_same_v<TRecord, MSG> || std::is_same_v<TRecord, CWPSTRUCT>, "not a hook record");
    return *reinterpret_cast<TRecord*>(lParam);
}
template <class TRecord> LPARAM HookParam(TRecord& record) {
    static_assert(std::is_same_v<TRecord, MSG> || std::is_same_v<TRecord, CWPSTRUCT>, "not a hook record");
    return reinterpret_cast<LPARAM>(&record);
}

#pragma GCC visibility pop
