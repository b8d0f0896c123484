#include "ui/Application.h"

#include "core/SysUtils.h"
#include "ui/Form.h"
#include "ui/MessageBoxFlags.h"
#include "ui/QtApplication.h"
#include "ui/WindowRecord.h"

#include <QApplication>

#include <cstdio>

TApplication* Application = new TApplication(nullptr);

FW_PUBLISH(TApplication) {
}

namespace {
TApplication::TMessageBoxHandler& MessageBoxHandler() {
    static TApplication::TMessageBoxHandler handler = nullptr;
    return handler;
}

int qtArgc = 1;
char qtProgramName[] = "formwright";
char* qtArgv[] = {qtProgramName, nullptr};
} // namespace

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
    // What a window procedure throws is shown in a message box, and the program goes on.
    SetWindowExceptionReporter([](const std::exception& e) { Application->ShowException(e); });
}

TApplication::~TApplication() = default;

void TApplication::Initialize() {
    if (!QApplication::instance()) {
        auto* app = new TQtApplication(qtArgc, qtArgv);
        app->setQuitOnLastWindowClosed(false);
    }
}

void TApplication::ProcessMessages() {
    Initialize();
    QApplication::sendPostedEvents();
    QApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::Run() {
    Initialize();
    if (FMainForm) FMainForm->Show();
    while (!FTerminated) {
        HandleException(
            [] { QApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents); });
    }
}

void TApplication::Terminate() {
    FTerminated = true;
}

void TApplication::ShowException(const std::exception& e) {
    if (OnException) {
        OnException(this, e);
        return;
    }
    MessageBox(e.what(), FTitle, MB_ICONERROR);
}

TCustomForm* TApplication::CreateForm(TClass formClass, TCustomForm** reference) {
    Initialize();
    auto* form = dynamic_cast<TCustomForm*>(TComponent::CreateInstance(formClass, this));
    if (!form) throw EInvalidOperation(Format("%s is not a form class", formClass->Name));
    if (reference) *reference = form;
    if (!FMainForm) FMainForm = form;
    return form;
}

void TApplication::HandleException(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        ShowException(e);
    }
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    Initialize();
    const std::string& title = caption.empty() ? FTitle : caption;
    if (TMessageBoxHandler handler = MessageBoxHandler()) return handler(text, title, flags);
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    return IDOK;
}

void TApplication::SetMessageBoxHandler(TMessageBoxHandler handler) {
    MessageBoxHandler() = handler;
}
