// TDesignCheckWindow: the "Design Check" window of the designer menu's "Check Design...". It lists what
// CheckDesign finds in the designed root, one finding per line ("No problems found." when there is
// nothing), stays on top without being modal, and follows the design: the designer refreshes it after
// every change while it is shown. A double-click on a line selects that finding's component on the form.
#pragma once

#include "ui/Form.h"

#include <string>
#include <vector>

#pragma GCC visibility push(default)

class TFormwright;
class TListBox;

class TDesignCheckWindow : public TForm {
    FW_CLASS(TDesignCheckWindow, TForm)
public:
    static constexpr const char* NoProblemsText = "No problems found.";

    explicit TDesignCheckWindow(TFormwright* designer);

    // Checks the designer's root again and lists what it finds; the line chosen stays chosen when it is
    // still there.
    void Refresh();
    TListBox* List() const { return FList; }
    // The name of the component each line is about (empty for the line saying there is nothing).
    const std::vector<std::string>& LineComponents() const { return FComponents; }

private:
    void ListDblClick(TObject* Sender);

    TFormwright* FDesigner;
    TListBox* FList = nullptr;
    std::vector<std::string> FComponents;
};

#pragma GCC visibility pop
