// TApplication: the program's one application object. It owns the Qt application, runs the message loop,
// creates the forms of the program and shows exceptions that reach the loop.
#pragma once

#include "core/Component.h"

#include <functional>
#include <string>

#pragma GCC visibility push(default)

class TCustomForm;

FW_EVENT_TYPE(TExceptionEvent, void(TObject* Sender, const std::exception& E));

class TApplication : public TComponent {
    FW_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // Creates the windowing back end (once). Safe to call again.
    void Initialize();
    // Handles every pending event and returns.
    void ProcessMessages();
    // Runs the message loop until the main form closes or Terminate is called.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }

    // Constructs a form of class `formClass` owned by the application; the first form created becomes
    // the main form. `reference`, when given, receives the form.
    TCustomForm* CreateForm(TClass formClass, TCustomForm** reference = nullptr);
    TCustomForm* MainForm() const { return FMainForm; }
    void SetMainForm(TCustomForm* form) { FMainForm = form; }

    // Shows the exception's message in a message box; the program keeps running.
    void ShowException(const std::exception& e);
    // Runs `action`, showing any exception it throws instead of letting it escape.
    void HandleException(const std::function<void()>& action);
    // A modal message box (MB_* flags, ui/MessageBoxFlags.h); returns the id of the button pressed (IDOK,
    // IDCANCEL, IDYES, IDNO...).
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags = 0);
    // What MessageBox shows. The dialogs install the framework's TMessageBox (dialogs/MessageBox.h) when the
    // library loads, so that modal actions answer it like any other modal window; without a handler the
    // text goes to standard error and the answer is IDOK.
    using TMessageBoxHandler = int (*)(const std::string& text, const std::string& caption, unsigned flags);
    static void SetMessageBoxHandler(TMessageBoxHandler handler);

    // When set, exceptions reaching the message loop go here instead of the message box.
    TExceptionEvent OnException;

    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& title) { FTitle = title; }

private:
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    std::string FTitle = "Formwright";
};

// The program's application object, created on first use.
extern TApplication* Application;

#pragma GCC visibility pop
