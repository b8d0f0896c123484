// Private to the framework: the Qt event a message carries to the end of its window procedure chain.
#pragma once

#include "ui/Messages.h"

#include <functional>

#pragma GCC visibility push(default)

class QEvent;
class TWindowOwner;

// The Qt event behind a message and the Qt widget's own handling of it, run at most once.
struct TNativeDispatch {
    const TWindowOwner* Owner;
    UINT Msg;
    QEvent* Event;
    const std::function<bool(QEvent*)>* Native;
    bool Ran = false;
    bool Result = false;
};

// Lets the Qt widget of `owner`'s window handle the event `message` carries, once; false when the message
// carries no event of that window (a message made in code, or one passed on to another control).
bool RunNativeHandling(const TWindowOwner* owner, const TMessage& message);

#pragma GCC visibility pop
