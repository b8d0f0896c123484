// Private to the framework: the Qt event waiting at the end of a window procedure chain.
#pragma once

#include "ui/Messages.h"

#include <functional>

#pragma GCC visibility push(default)

class QEvent;
class TWinControl;

struct TNativeDispatch {
    TWinControl* Control;
    UINT Msg;
    QEvent* Event;
    const std::function<bool(QEvent*)>* Native;
    bool Ran = false;
    bool Result = false;
};

// Lets the Qt widget handle the event behind `message`, once; false when the message came from no event.
bool RunNativeHandling(TWinControl* control, const TMessage& message);

#pragma GCC visibility pop
