// The parameters a windowed control's window is created with. Controls adjust them in CreateParams
// before the framework makes the window; the window class name picks the kind of native window.
#pragma once

#include "ui/Messages.h"

#include <cstdint>
#include <string>

#pragma GCC visibility push(default)

enum : uint32_t {
    WS_OVERLAPPED = 0x00000000,
    WS_POPUP = 0x80000000,
    WS_CHILD = 0x40000000,
    WS_VISIBLE = 0x10000000,
    WS_DISABLED = 0x08000000,
    WS_CLIPSIBLINGS = 0x04000000,
    WS_CLIPCHILDREN = 0x02000000,
    WS_CAPTION = 0x00C00000,
    WS_BORDER = 0x00800000,
    WS_DLGFRAME = 0x00400000,
    WS_VSCROLL = 0x00200000,
    WS_HSCROLL = 0x00100000,
    WS_SYSMENU = 0x00080000,
    WS_THICKFRAME = 0x00040000,
    WS_MINIMIZEBOX = 0x00020000,
    WS_MAXIMIZEBOX = 0x00010000,
    WS_TABSTOP = 0x00010000,
};

enum : uint32_t {
    WS_EX_DLGMODALFRAME = 0x00000001,
    WS_EX_TOPMOST = 0x00000008,
    WS_EX_TOOLWINDOW = 0x00000080,
    WS_EX_CLIENTEDGE = 0x00000200,
    WS_EX_NOACTIVATE = 0x08000000,
};

struct TCreateParams {
    std::string Caption;
    uint32_t Style = 0;
    uint32_t ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    // The native window class: "FwWindow" (a plain window the framework paints), or one registered by a
    // control ("BUTTON", "EDIT", ...).
    std::string WinClassName = "FwWindow";
};

#pragma GCC visibility pop
