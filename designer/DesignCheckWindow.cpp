#include "DesignCheckWindow.h"

#include "DesignCheck.h"
#include "Formwright.h"
#include "core/StringList.h"
#include "ui/Screen.h"
#include "widgets/ListBox.h"

FW_PUBLISH(TDesignCheckWindow) {
}

TDesignCheckWindow::TDesignCheckWindow(TFormwright* designer) : TForm(nullptr), FDesigner(designer) {
    SetName("DesignCheck");
    SetCaption("Design Check");
    SetFormStyle(fsStayOnTop);
    // Beside the form being designed rather than over it: the screen's lower left.
    const int width = 460, height = 220;
    SetBounds(8, std::max(8, TScreen::Instance().Height() - height - 48), width, height);
    FList = new TListBox(this);
    FList->SetName("Findings");
    FList->SetParent(this);
    FList->SetAlign(alClient);
    FList->OnDblClick = TNotifyEvent::Bind<&TDesignCheckWindow::ListDblClick>(this);
}

void TDesignCheckWindow::Refresh() {
    std::vector<TDesignFinding> findings;
    if (FDesigner->Root()) findings = CheckDesign(FDesigner->Root());
    const int chosen = FList->ItemIndex();
    const std::string chosenText = chosen >= 0 ? FList->Items()->Strings(chosen) : std::string();
    TStrings* items = FList->Items();
    items->BeginUpdate();
    items->Clear();
    FComponents.clear();
    for (const TDesignFinding& finding : findings) {
        items->Add(finding.Text);
        FComponents.push_back(finding.Component ? finding.Component->Name() : std::string());
    }
    if (findings.empty()) {
        items->Add(NoProblemsText);
        FComponents.emplace_back();
    }
    items->EndUpdate();
    if (!chosenText.empty()) FList->SetItemIndex(items->IndexOf(chosenText));
}

void TDesignCheckWindow::ListDblClick(TObject*) {
    const int line = FList->ItemIndex();
    if (line < 0 || line >= static_cast<int>(FComponents.size()) || FComponents[line].empty()) return;
    // Found again by name: the component the line was made for may have gone since.
    TComponent* component = nullptr;
    if (TWinControl* root = FDesigner->Root(); root && root->Name() == FComponents[line])
        component = root;
    else if (TCustomForm* form = FDesigner->DesignedForm())
        component = form->FindComponent(FComponents[line]);
    if (component && (component == FDesigner->Root() || FDesigner->IsInDesign(component)))
        FDesigner->SelectComponent(component);
}
