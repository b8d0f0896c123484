#include "ui/ModalLoop.h"

#include "ui/Application.h"
#include "ui/WindowRecord.h"

#include <QApplication>
#include <QTimer>

#include <deque>

namespace {
std::deque<TModalDriver::Action>& Pending() {
    static std::deque<TModalDriver::Action> actions;
    return actions;
}
int loopsStarted = 0;
} // namespace

void TModalDriver::QueueAction(Action action) {
    Pending().push_back(std::move(action));
}
bool TModalDriver::HasPendingActions() {
    return !Pending().empty();
}
void TModalDriver::ClearActions() {
    Pending().clear();
}
int TModalDriver::LoopsStarted() {
    return loopsStarted;
}

void TModalDriver::LoopStarting(TObject* window) {
    ++loopsStarted;
    CancelCaptureMode();
    if (Pending().empty()) return;
    Action action = std::move(Pending().front());
    Pending().pop_front();
    // Runs from inside the loop, after the window has been shown and laid out.
    QTimer::singleShot(0, QApplication::instance(), [action = std::move(action), window] {
        Application->HandleException([&] { action(window); });
    });
}

void TModalLoop::Run(TObject* window) {
    TModalDriver::LoopStarting(window);
    while (!FDone()) {
        if (Application->Terminated()) break;
        Application->HandleException(
            [] { QApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents); });
    }
}
