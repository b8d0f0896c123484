#include "ui/ModalLoop.h"

#include "core/Object.h"
#include "core/SysUtils.h"
#include "ui/Application.h"
#include "ui/WindowRecord.h"

#include <QApplication>
#include <QTimer>

#include <deque>
#include <memory>

namespace {

std::deque<TModalDriver::Action>& Pending() {
    static std::deque<TModalDriver::Action> actions;
    return actions;
}
std::vector<TObject*>& ActiveWindows() {
    static std::vector<TObject*> windows;
    return windows;
}
std::vector<std::string>& Failures() {
    static std::vector<std::string> failures;
    return failures;
}
int loopsStarted = 0;
bool strict = false;

// Rounds of event handling after an action returned before its loop counts as left open: enough for the
// queued consequences of a click (a dialog's accept, a menu's trigger) to settle.
constexpr int SettleRounds = 8;

// Shared between a loop and the queued call of its action, which may outlive it.
struct TLoopState {
    bool Ended = false;
    bool ActionDone = false;
    bool CancelRequested = false;
};

std::string WindowName(TObject* window) {
    return window ? window->ClassName() : std::string("a window");
}

void Report(const std::string& failure) {
    Failures().push_back(failure);
}

void HandlePendingEvents() {
    Application->HandleException([] {
        QApplication::sendPostedEvents();
        QApplication::processEvents(QEventLoop::AllEvents);
    });
}

} // namespace

// ---- TModalDriver -----------------------------------------------------------------------------------------

void TModalDriver::QueueAction(Action action) {
    Pending().push_back(std::move(action));
}
bool TModalDriver::HasPendingActions() {
    return !Pending().empty();
}
int TModalDriver::PendingActions() {
    return static_cast<int>(Pending().size());
}
void TModalDriver::ClearActions() {
    Pending().clear();
}
int TModalDriver::LoopsStarted() {
    return loopsStarted;
}
TObject* TModalDriver::ActiveWindow() {
    return ActiveWindows().empty() ? nullptr : ActiveWindows().back();
}
void TModalDriver::SetStrict(bool value) {
    strict = value;
}
bool TModalDriver::Strict() {
    return strict;
}

std::vector<std::string> TModalDriver::TakeFailures() {
    if (!Pending().empty()) {
        Report(Format("%d queued modal action(s) never ran", static_cast<int>(Pending().size())));
        Pending().clear();
    }
    std::vector<std::string> result;
    result.swap(Failures());
    return result;
}

// ---- TModalLoop -------------------------------------------------------------------------------------------

TModalLoop::TModalLoop(std::function<bool()> done, std::function<void()> cancel)
    : FDone(std::move(done)), FCancel(std::move(cancel)) {
}

void TModalLoop::Run(TObject* window) {
    ++loopsStarted;
    CancelCaptureMode();
    ActiveWindows().push_back(window);
    auto state = std::make_shared<TLoopState>();
    const std::string name = WindowName(window);

    if (!Pending().empty()) {
        TModalDriver::Action action = std::move(Pending().front());
        Pending().pop_front();
        // Runs from inside the loop, after the window has been shown and laid out.
        QTimer::singleShot(0, QApplication::instance(), [state, action = std::move(action), window, name] {
            if (state->Ended) {
                // The window closed before its action could run: the action belongs to the next loop.
                Pending().push_front(action);
                return;
            }
            if (strict) {
                try {
                    action(window);
                } catch (const std::exception& e) {
                    Report(Format("The modal action for %s raised an exception: %s", name, e.what()));
                    state->CancelRequested = true;
                }
            } else {
                Application->HandleException([&] { action(window); });
            }
            state->ActionDone = true;
        });
    } else if (strict) {
        Report(Format("A modal loop of %s started with no action queued", name));
        state->CancelRequested = true;
    }

    while (!FDone()) {
        if (Application->Terminated()) break;
        if (strict && state->ActionDone && !state->CancelRequested) {
            for (int round = 0; round < SettleRounds && !FDone(); ++round)
                HandlePendingEvents();
            if (FDone()) break;
            Report(Format("The modal action for %s returned and left its loop open", name));
            state->CancelRequested = true;
        }
        if (state->CancelRequested) {
            FCancelled = true;
            if (FCancel) Application->HandleException(FCancel);
            for (int round = 0; round < SettleRounds && !FDone(); ++round)
                HandlePendingEvents();
            if (!FDone()) Report(Format("%s did not close when its modal loop was cancelled", name));
            break;
        }
        Application->HandleException(
            [] { QApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents); });
    }
    state->Ended = true;
    ActiveWindows().pop_back();
}
