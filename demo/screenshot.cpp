// Takes the README's screenshot of the demo: starts it as its main routine does, goes through a short
// design session with real input (Edit Form2, select Panel1, open the inspector's Color list and type the
// start of a name), then dumps the whole X screen with xwd to OUTPUT.xwd and the open list's window to
// OUTPUT.xwd.list; scripts/xwd_to_png.py turns the dumps into the PNG. Run it under a virtual X server:
// scripts/screenshot.sh.
#include "test.h"
#include "testform.h"

#include "Formwright.h"
#include "ObjInsp.h"
#include "PopCtrls.h"
#include "ui/Application.h"
#include "ui/InputSimulator.h"
#include "ui/Windows.h"
#include "widgets/Button.h"
#include "widgets/Panel.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

// Lets the X server map, expose and paint what the last steps changed.
void Settle() {
    for (int i = 0; i < 40; ++i) {
        Application->ProcessMessages();
        FlushPaintMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
}

void Click(TControl* control, TPoint point) {
    TInputSimulator::Click(control, point);
    Settle();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.xwd\n", argv[0]);
        return 2;
    }
    Application->Initialize();
    RegisterDemoClasses();
    Application->SetTitle("Formwright");
    CreateDemoForms();
    Application->MainForm()->Show(); // as the message loop does when it starts
    Settle();

    Click(Form1->Button1, {50, 12}); // "Edit Form2"
    Click(Form2->Panel1, {150, 120});
    TPropGrid* grid = Form1->Inspector()->PropGrid();
    for (int i = 0; i < grid->VisibleRows().Count(); ++i) {
        if (grid->VisibleRow(i)->Name() != "Color") continue;
        const TRect cell = grid->CellRect(0, i);
        Click(grid, {cell.Right - 10, (cell.Top + cell.Bottom) / 2});
        break;
    }

    auto* editor = dynamic_cast<TPropInplaceEditor*>(grid->InplaceEditor());
    if (editor && editor->ButtonKind() == TPropInplaceEditor::bkDropDown) {
        const TRect button = editor->ButtonRect();
        Click(editor, {(button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2});
        TInputSimulator::TypeText("clre", editor->Handle());
        Settle();
    }

    const std::string output = argv[1];
    std::string command = "xwd -root -silent -out '" + output + "'";
    if (editor && editor->PopupList()->DroppedDown()) {
        // The list's own window, found by its geometry.
        const TRect r = GetWindowRect(editor->PopupList()->Handle());
        char geometry[64];
        std::snprintf(geometry, sizeof geometry, " %dx%d+%d+%d ", r.Width(), r.Height(), r.Left, r.Top);
        command += " && xwd -silent -out '" + output + ".list' -id $(xwininfo -root -tree | grep -F '" +
                   geometry + "' | head -1 | awk '{print $1}')";
    }
    const int result = std::system(command.c_str());
    if (result != 0) std::fprintf(stderr, "taking the screenshot failed: %s\n", command.c_str());
    return result == 0 ? 0 : 1;
}
