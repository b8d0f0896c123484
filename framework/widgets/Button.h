// TButton: a push button (a native Qt push button).
//
// Default and Cancel make the button answer the form's Enter and Escape keys: Enter clicks the focused
// button, or the default button while the focus is on a control that is not a button; Escape clicks the
// cancel button. A click first sets the parent form's ModalResult to the button's ModalResult (when that
// is not mrNone), which ends a modal form's ShowModal with it, and then fires OnClick.
#pragma once

#include "ui/Form.h"
#include "widgets/ButtonControl.h"

#pragma GCC visibility push(default)

class TButton : public TButtonControl {
    FW_CLASS(TButton, TButtonControl)
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult result) { FModalResult = result; }

    void Click() override;
    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;

private:
    // Whether Enter clicks this button now (see above).
    bool AnswersEnter() const;

    bool FDefault = false;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
};

#pragma GCC visibility pop
