// Message hook chains, sent and posted messages.
#include "ui/WindowOwner.h"
#include "ui/WindowRecord.h"
#include "ui/Windows.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

struct THookRecord {
    int Kind;
    HOOKPROC Proc;
};

namespace {

// Newest first, as the chains run. The chains own their hooks; a handle is the record's address.
using THookChain = std::vector<std::unique_ptr<THookRecord>>;

THookChain& Chain(int kind) {
    static THookChain getMessage, callWndProc;
    return kind == WH_GETMESSAGE ? getMessage : callWndProc;
}

THookChain::iterator Find(THookChain& chain, HHOOK hook) {
    return std::find_if(chain.begin(), chain.end(),
                        [hook](const auto& record) { return record.get() == hook; });
}

LRESULT RunChain(int kind, WPARAM wParam, LPARAM lParam) {
    auto& chain = Chain(kind);
    if (chain.empty()) return 0;
    return chain.front()->Proc(HC_ACTION, wParam, lParam);
}

std::map<std::pair<HWND, uintptr_t>, QPointer<QTimer>>& Timers() {
    static std::map<std::pair<HWND, uintptr_t>, QPointer<QTimer>> timers;
    return timers;
}

bool TimerAlive(HWND window, uintptr_t id) {
    return Timers().count({window, id}) != 0;
}

// A posted message waiting for the message loop.
class TPostedMessageEvent : public QEvent {
public:
    static QEvent::Type EventType() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    TPostedMessageEvent(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
        : QEvent(EventType()), Msg{window, message, wParam, lParam, 0, {}} {}
    MSG Msg;
};

// Receives posted messages and delivers them through the get-message hooks.
class TPostedMessageReceiver : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() != TPostedMessageEvent::EventType()) return QObject::event(e);
        MSG msg = static_cast<TPostedMessageEvent*>(e)->Msg;
        if (!IsWindow(msg.hwnd)) return true;
        // A killed timer's messages still in the queue are dropped with it.
        if (msg.message == WM_TIMER && !TimerAlive(msg.hwnd, msg.wParam)) return true;
        msg.pt = GetCursorPos();
        // Reported here rather than unwound through Qt's event delivery.
        RunReportingExceptions([&msg] {
            RunChain(WH_GETMESSAGE, PM_REMOVE, HookParam(msg));
            if (msg.message == WM_NULL || !IsWindow(msg.hwnd)) return;
            TMessage message{msg.message, msg.wParam, msg.lParam, 0};
            msg.hwnd->Owner->HandleWindowMessage(message);
        });
        return true;
    }
};

TPostedMessageReceiver& PostedReceiver() {
    static TPostedMessageReceiver* receiver = new TPostedMessageReceiver;
    return *receiver;
}

} // namespace

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc) {
    if ((idHook != WH_GETMESSAGE && idHook != WH_CALLWNDPROC) || !proc) return nullptr;
    auto& chain = Chain(idHook);
    chain.insert(chain.begin(), std::make_unique<THookRecord>(THookRecord{idHook, proc}));
    return chain.front().get();
}

bool UnhookWindowsHookEx(HHOOK hook) {
    // The handle may be stale (already unhooked), so it is looked up before it is read.
    for (int kind : {WH_GETMESSAGE, WH_CALLWNDPROC}) {
        auto& chain = Chain(kind);
        auto it = Find(chain, hook);
        if (it == chain.end()) continue;
        chain.erase(it);
        return true;
    }
    return false;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    // Like UnhookWindowsHookEx, the handle is looked up before it is read: it may be stale.
    for (int kind : {WH_GETMESSAGE, WH_CALLWNDPROC}) {
        auto& chain = Chain(kind);
        auto it = Find(chain, hook);
        if (it == chain.end()) continue;
        return ++it == chain.end() ? 0 : (*it)->Proc(code, wParam, lParam);
    }
    return 0;
}

LRESULT DeliverSentMessage(HWND window, TMessage& message) {
    CWPSTRUCT info{message.LParam, message.WParam, message.Msg, window};
    RunChain(WH_CALLWNDPROC, 0, HookParam(info));
    TWindowOwner* owner = FindWindowOwner(window);
    if (!owner) return 0;
    owner->HandleWindowMessage(message);
    return message.Result;
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(window)) return 0;
    TMessage m{message, wParam, lParam, 0};
    return DeliverSentMessage(window, m);
}

bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(window)) return false;
    QCoreApplication::postEvent(&PostedReceiver(), new TPostedMessageEvent(window, message, wParam, lParam));
    return true;
}

bool SetTimer(HWND window, uintptr_t id, unsigned elapse) {
    if (!IsWindow(window)) return false;
    QPointer<QTimer>& timer = Timers()[{window, id}];
    if (!timer) {
        timer = new QTimer(&PostedReceiver());
        QObject::connect(timer, &QTimer::timeout, [window, id] {
            if (!PostMessage(window, WM_TIMER, id, 0)) KillTimer(window, id);
        });
    }
    timer->start(static_cast<int>(elapse));
    return true;
}

bool KillTimer(HWND window, uintptr_t id) {
    auto it = Timers().find({window, id});
    if (it == Timers().end()) return false;
    if (it->second) it->second->deleteLater();
    Timers().erase(it);
    return true;
}

bool PassInputThroughHooks(QWidget* receiver, QEvent* event) {
    if (Chain(WH_GETMESSAGE).empty()) return true;
    HWND window = WindowOfWidget(receiver);
    if (!window) return true;
    MSG msg = InputMessageOf(receiver, event, window);
    if (msg.message == WM_NULL) return true;
    RunChain(WH_GETMESSAGE, PM_REMOVE, HookParam(msg));
    return msg.message != WM_NULL;
}
