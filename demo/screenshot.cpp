// Takes the README's screenshots of the demo: starts it as its main routine does and goes through a short
// design session with real input, then dumps the whole X screen with xwd to OUTPUT.xwd and the open popup's
// window to OUTPUT.xwd.list; scripts/xwd_to_png.py turns the dumps into the PNG. Run it under a virtual X
// server: scripts/screenshot.sh.
//
// Scenes: "inspector" (the default) edits Form2, selects Panel1, opens the inspector's Color list and types
// the start of a name; "menu" edits Form2, selects Button1 and Button2 and opens the designer menu on them;
// "filter" edits Form2, gives Panel1 a colour of its own, moves it and undoes the move, then types "color"
// into the inspector's filter box; "guides" edits Form2 with snap guides on, opens the Design Check window
// and holds Button2 in a drag where its right edge meets Panel1's left and its top Label1's.
#include "test.h"
#include "testform.h"

#include "Formwright.h"
#include "ObjInsp.h"
#include "PopCtrls.h"
#include "ui/Application.h"
#include "ui/InputSimulator.h"
#include "ui/ModalLoop.h"
#include "ui/Windows.h"
#include "widgets/Button.h"
#include "widgets/Edit.h"
#include "widgets/Menus.h"
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

void Click(TControl* control, TPoint point, TShiftState shift = {}) {
    TInputSimulator::Click(control, point, mbLeft, shift);
    Settle();
}

// Dumps the screen, and the window that contains `popupPoint` (a screen point) when one is given.
bool Dump(const std::string& output, const TPoint* popupPoint) {
    std::string command = "xwd -root -silent -out '" + output + "'";
    if (popupPoint) {
        // The smallest top-level window around the point, found by its geometry.
        char pick[512];
        std::snprintf(pick, sizeof pick,
                      "$(xwininfo -root -children | awk -v px=%d -v py=%d '{ for (i = 1; i <= NF; i++) "
                      "if ($i ~ /^[0-9]+x[0-9]+[+-][0-9]+[+-][0-9]+$/) { split($i, g, /[x+]/); "
                      "if (px >= g[3] && px < g[3] + g[1] && py >= g[4] && py < g[4] + g[2] && "
                      "(best == \"\" || g[1] * g[2] < area)) { best = $1; area = g[1] * g[2] } } } "
                      "END { print best }')",
                      popupPoint->X, popupPoint->Y);
        command += " && xwd -silent -out '" + output + ".list' -id " + pick;
    }
    const int result = std::system(command.c_str());
    if (result != 0) std::fprintf(stderr, "taking the screenshot failed: %s\n", command.c_str());
    return result == 0;
}

bool InspectorScene(const std::string& output) {
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
    if (!editor || !editor->PopupList()->DroppedDown()) return Dump(output, nullptr);
    const TRect list = GetWindowRect(editor->PopupList()->Handle());
    const TPoint inside{list.Left + 1, list.Top + 1};
    return Dump(output, &inside);
}

bool MenuScene(const std::string& output) {
    Click(Form1->Button1, {50, 12}); // "Edit Form2"
    Click(Form2->Button1, {30, 12});
    Click(Form2->Button2, {30, 12}, {ssShift});
    bool dumped = false;
    TModalDriver::QueueAction([&](TObject* window) {
        auto* menu = static_cast<TPopupMenu*>(window);
        Settle();
        const TRect first = menu->ItemRect(menu->Items()->Items(0));
        const TPoint inside{first.Left + 2, first.Top + 2};
        dumped = Dump(output, &inside);
        TInputSimulator::KeyPress(VK_ESCAPE);
    });
    TInputSimulator::Click(Form2->Button2, {40, 16}, mbRight);
    Settle();
    return dumped;
}

bool FilterScene(const std::string& output) {
    Click(Form1->Button1, {50, 12}); // "Edit Form2"
    Click(Form2->Panel1, {150, 120});
    TObjectInspector* inspector = Form1->Inspector();
    TPropGrid* grid = inspector->PropGrid();
    for (int i = 0; i < grid->VisibleRows().Count(); ++i) {
        if (grid->VisibleRow(i)->Name() != "Color") continue;
        const TRect cell = grid->CellRect(0, i);
        Click(grid, {cell.Right - 10, (cell.Top + cell.Bottom) / 2});
        TInputSimulator::KeyPress('A', {ssCtrl}, grid->PropEditor()->Handle());
        TInputSimulator::TypeText("clAqua", grid->PropEditor()->Handle());
        TInputSimulator::KeyPress(VK_RETURN, {}, grid->PropEditor()->Handle());
        break;
    }
    TInputSimulator::Drag(Form2->Handle(), {Form2->Panel1->Left() + 150, Form2->Panel1->Top() + 120},
                          {Form2->Panel1->Left() + 182, Form2->Panel1->Top() + 136});
    Settle();
    TInputSimulator::KeyPress('Z', {ssCtrl}, Form2->Handle()); // the move is undone, the colour stays
    Settle();
    Click(inspector->Filter, {8, 8});
    TInputSimulator::TypeText("color", inspector->Filter->Handle());
    Settle();
    return Dump(output, nullptr);
}

bool GuidesScene(const std::string& output) {
    Click(Form1->Button1, {50, 12}); // "Edit Form2"
    auto* designer = static_cast<TFormwright*>(Form1->Inspector()->OwnedDesigner());
    designer->SetSnapToGuides(true); // not through the menu: the run leaves the user's settings alone
    designer->ShowDesignCheck();
    Settle();
    const TPoint press{Form2->Button2->Left() + 12, Form2->Button2->Top() + 12};
    // Button2 (8, 64, 75 x 25) moved by (158, 33): its right edge 241 meets Panel1's left 240, its top 97
    // Label1's top 96.
    TInputSimulator::Click(Form2->Handle(), press);
    TInputSimulator::MouseDown(Form2->Handle(), press);
    TInputSimulator::MouseMove(Form2->Handle(), {press.X + 80, press.Y + 16}, {ssLeft});
    TInputSimulator::MouseMove(Form2->Handle(), {press.X + 158, press.Y + 33}, {ssLeft});
    Settle();
    const bool dumped = Dump(output, nullptr);
    TInputSimulator::MouseUp(Form2->Handle(), {press.X + 158, press.Y + 33});
    Settle();
    return dumped;
}

} // namespace

int main(int argc, char** argv) {
    const std::string scene = argc == 3 ? argv[2] : "inspector";
    if ((argc != 2 && argc != 3) ||
        (scene != "inspector" && scene != "menu" && scene != "filter" && scene != "guides")) {
        std::fprintf(stderr, "usage: %s OUTPUT.xwd [inspector|menu|filter|guides]\n", argv[0]);
        return 2;
    }
    Application->Initialize();
    RegisterDemoClasses();
    Application->SetTitle("Formwright");
    CreateDemoForms();
    Application->MainForm()->Show(); // as the message loop does when it starts
    Settle();
    const bool done = scene == "menu"     ? MenuScene(argv[1])
                      : scene == "filter" ? FilterScene(argv[1])
                      : scene == "guides" ? GuidesScene(argv[1])
                                          : InspectorScene(argv[1]);
    return done ? 0 : 1;
}
