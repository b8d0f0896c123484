// Real input for automated use (tests, demos, modal actions): mouse and key events built the way the
// windowing system delivers them and sent through the whole input path, so message hooks, window
// procedures, native widget handling and the controls' events run exactly as for a person.
//
// Mouse points are client coordinates of the given window. The event goes to the window that a person's
// pointer would reach there: the window holding the capture, else the window pressed while a button is
// held (unless a modal window opened since), else the innermost enabled window under the point. While a
// popup (a menu, a drop-down list) is open, every mouse event goes to it, as on the screen. A press
// focuses the nearest widget there that takes the focus by clicking, as a person's click does.
#pragma once

#include "graphics/Types.h"
#include "ui/Control.h"
#include "ui/Messages.h"

#include <string_view>

#pragma GCC visibility push(default)

class TInputSimulator {
public:
    static void MouseMove(HWND window, TPoint point, TShiftState shift = {});
    static void MouseDown(HWND window, TPoint point, TMouseButton button = mbLeft, TShiftState shift = {});
    static void MouseUp(HWND window, TPoint point, TMouseButton button = mbLeft, TShiftState shift = {});
    // Down and up at the point.
    static void Click(HWND window, TPoint point, TMouseButton button = mbLeft, TShiftState shift = {});
    // Down, up, double-click, up.
    static void DoubleClick(HWND window, TPoint point, TShiftState shift = {});
    // Turns the wheel at the point: 120 is one notch away from the user, -120 one towards.
    static void Wheel(HWND window, TPoint point, int delta, TShiftState shift = {});
    // Press at `from`, move in steps to `to`, release there.
    static void Drag(HWND window, TPoint from, TPoint to, TShiftState shift = {}, int steps = 4);

    // The same on a control's point (client coordinates of the control); a graphic control's window is
    // its parent's.
    static void Click(TControl* control, TPoint point, TMouseButton button = mbLeft, TShiftState shift = {});
    static void DoubleClick(TControl* control, TPoint point, TShiftState shift = {});

    // Keys go to the open popup (a menu, a drop-down list) when there is one; else, when a window is given,
    // to the focused widget of that window's top-level window (the window itself when none is focused);
    // else to the widget with the keyboard focus.
    static void KeyDown(uint16_t virtualKey, TShiftState shift = {}, HWND window = nullptr);
    static void KeyUp(uint16_t virtualKey, TShiftState shift = {}, HWND window = nullptr);
    static void KeyPress(uint16_t virtualKey, TShiftState shift = {}, HWND window = nullptr);
    // Types the text, one key press per character (UTF-8).
    static void TypeText(std::string_view text, HWND window = nullptr);
};

#pragma GCC visibility pop
