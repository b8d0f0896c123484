// TWindowOwner: what the window layer (window records, messages, hooks, painting) needs of the object a
// window belongs to. A windowed control is one; the window layer knows nothing else of controls.
#pragma once

#include "graphics/Types.h"
#include "ui/Messages.h"

#pragma GCC visibility push(default)

class TFont;

class TWindowOwner {
public:
    // Every message of the window goes here: the owner's window procedure chain.
    virtual void HandleWindowMessage(TMessage& message) = 0;
    // The bounds the owner has for its window, in its parent's client coordinates (a top-level window's
    // frame on the screen).
    virtual TRect WindowBounds() const = 0;
    // The window went away under its owner (its Qt parent was deleted): the owner is windowless now.
    virtual void WindowLost() = 0;
    // The font a paint canvas of the window starts with.
    virtual TFont* WindowFont() const = 0;
    // Scroll position and range of an owner that scrolls without a native scroll bar; 0 otherwise.
    virtual int ScrollPosition(int bar) const = 0;
    virtual void ScrollRange(int bar, int& min, int& max) const = 0;

protected:
    ~TWindowOwner() = default;
};

#pragma GCC visibility pop
