#include "ObjSize.h"

#include "core/Exceptions.h"
#include "core/SysUtils.h"
#include "ui/Application.h"
#include "widgets/Button.h"
#include "widgets/Edit.h"
#include "widgets/GroupBox.h"
#include "widgets/RadioButton.h"

#include <memory>

FW_PUBLISH(TSizeDialog) {
    FW_PUBLISH_FIELD(GroupBox1);
    FW_PUBLISH_FIELD(hNoChange);
    FW_PUBLISH_FIELD(hSameAsFirst);
    FW_PUBLISH_FIELD(hShrink);
    FW_PUBLISH_FIELD(hGrow);
    FW_PUBLISH_FIELD(hAbsolute);
    FW_PUBLISH_FIELD(hWidth);
    FW_PUBLISH_FIELD(GroupBox2);
    FW_PUBLISH_FIELD(vNoChange);
    FW_PUBLISH_FIELD(vSameAsFirst);
    FW_PUBLISH_FIELD(vShrink);
    FW_PUBLISH_FIELD(vGrow);
    FW_PUBLISH_FIELD(vAbsolute);
    FW_PUBLISH_FIELD(vHeight);
    FW_PUBLISH_FIELD(OKButton);
    FW_PUBLISH_FIELD(CancelButton);
    FW_PUBLISH_FIELD(HelpButton);
    FW_PUBLISH_METHOD(WidthButtonClick);
    FW_PUBLISH_METHOD(HeightButtonClick);
    FW_PUBLISH_METHOD(OKButtonClick);
}

namespace {

// The box follows its absolute button; checking the button sends the user straight into the box.
void FollowAbsoluteButton(TRadioButton* absolute, TEdit* box) {
    box->SetEnabled(absolute->Checked());
    if (absolute->Checked()) box->SetFocus();
}

// The size in an enabled box; fails with the conversion's message or a range message.
int AbsoluteSize(TEdit* box) {
    const int value = StrToInt(box->Text());
    if (value < TSizeDialog::MinAbsolute || value > TSizeDialog::MaxAbsolute)
        throw EConvertError(
            Format("Value must be between %d and %d", TSizeDialog::MinAbsolute, TSizeDialog::MaxAbsolute));
    return value;
}

} // namespace

TSizeDialog::TSizeDialog(TComponent* owner) : TForm(owner) {
    InitializeForm();
}

void TSizeDialog::WidthButtonClick(TObject*) {
    FollowAbsoluteButton(hAbsolute, hWidth);
}

void TSizeDialog::HeightButtonClick(TObject*) {
    FollowAbsoluteButton(vAbsolute, vHeight);
}

void TSizeDialog::OKButtonClick(TObject*) {
    for (TEdit* box : {hWidth, vHeight}) {
        if (!box->Enabled()) continue;
        try {
            AbsoluteSize(box);
        } catch (const Exception& error) {
            SetModalResult(mrNone);
            Application->ShowException(error);
            box->SetFocus();
            box->SelectAll();
            return;
        }
    }
}

void ShowSizeDialog(TSizeCode& widthCode, TSizeCode& heightCode, int& width, int& height) {
    const auto dialog = std::make_unique<TSizeDialog>(nullptr);
    if (dialog->ShowModal() != mrOk) return;
    // The width group is settled, conversion included, before the height group is looked at.
    auto settle = [](TRadioButton* same, TRadioButton* shrink, TRadioButton* grow, TRadioButton* absolute,
                     TEdit* box, TSizeCode& code, int& value) {
        if (same->Checked()) {
            code = szSameAsFirst;
        } else if (shrink->Checked()) {
            code = szShrink;
        } else if (grow->Checked()) {
            code = szGrow;
        } else if (absolute->Checked()) {
            code = szAbsolute;
            value = AbsoluteSize(box);
        }
    };
    settle(dialog->hSameAsFirst, dialog->hShrink, dialog->hGrow, dialog->hAbsolute, dialog->hWidth, widthCode,
           width);
    settle(dialog->vSameAsFirst, dialog->vShrink, dialog->vGrow, dialog->vAbsolute, dialog->vHeight,
           heightCode, height);
}
