#include "ObjAlign.h"

#include "widgets/Button.h"
#include "widgets/GroupBox.h"
#include "widgets/RadioButton.h"

#include <memory>
#include <utility>

FW_PUBLISH(TAlignDialog) {
    FW_PUBLISH_FIELD(GroupBox1);
    FW_PUBLISH_FIELD(hNoChange);
    FW_PUBLISH_FIELD(hLeftSides);
    FW_PUBLISH_FIELD(hCenters);
    FW_PUBLISH_FIELD(hRightSides);
    FW_PUBLISH_FIELD(hSpaceEqual);
    FW_PUBLISH_FIELD(hCenterInWindow);
    FW_PUBLISH_FIELD(GroupBox2);
    FW_PUBLISH_FIELD(vNoChange);
    FW_PUBLISH_FIELD(vTops);
    FW_PUBLISH_FIELD(vCenters);
    FW_PUBLISH_FIELD(vBottoms);
    FW_PUBLISH_FIELD(vSpaceEqual);
    FW_PUBLISH_FIELD(vCenterInWindow);
    FW_PUBLISH_FIELD(OKButton);
    FW_PUBLISH_FIELD(CancelButton);
    FW_PUBLISH_FIELD(HelpButton);
}

TAlignDialog::TAlignDialog(TComponent* owner) : TForm(owner) {
    InitializeForm();
}

namespace {

// The code of the first checked button of a group, tested in order.
void WriteCheckedCode(std::initializer_list<std::pair<TRadioButton*, TAlignCode>> buttons, TAlignCode& code) {
    for (const auto& [button, value] : buttons)
        if (button->Checked()) {
            code = value;
            return;
        }
}

} // namespace

void ShowAlignDialog(TAlignCode& horizontal, TAlignCode& vertical) {
    const auto dialog = std::make_unique<TAlignDialog>(nullptr);
    if (dialog->ShowModal() != mrOk) return;
    WriteCheckedCode({{dialog->hLeftSides, acLeftSides},
                      {dialog->hCenters, acHCenters},
                      {dialog->hRightSides, acRightSides},
                      {dialog->hSpaceEqual, acHSpaceEqually},
                      {dialog->hCenterInWindow, acHCenterInWindow}},
                     horizontal);
    WriteCheckedCode({{dialog->vTops, acTops},
                      {dialog->vCenters, acVCenters},
                      {dialog->vBottoms, acBottoms},
                      {dialog->vSpaceEqual, acVSpaceEqually},
                      {dialog->vCenterInWindow, acVCenterInWindow}},
                     vertical);
}
