// A random design session on a form that holds one of every streamable class: a seeded stream of what a
// person does with the designer and the Object Inspector (clicks, rubber bands, drags, nudges and resizes
// by key, placing every class, choosing any component in the inspector's list, menu items among them,
// delete, copy, cut, paste, the arrangement commands, property values typed into the inspector, the
// active page and page order of a page control, captions typed key by key with Ctrl+Z in between, save,
// load, designing a container instead of the form, undo and redo), with real Qt input where a person
// would use the mouse or the keyboard.
// After every step the session checks:
// - no error reached the user (no message box opened, but for the paste it expects to be refused) and no
//   exception escaped;
// - the design is sound (DesignProblems: names, owners, placeholders, selection, grab);
// - the component counts the model expects: a place adds one, a delete removes what was selected with
//   everything inside it, a paste adds what was copied;
// - the inspector's component list holds exactly the design's components under their current names;
// - the state the undo history holds is the design as it is, every value written afresh;
// and every few steps that the design, saved, reads into a fresh form (a designed container: loads back
// into the container) and saves to the same text. Undo must bring back the design the session saw before
// the step undone, and redo the one after it, compared as saved text.
//
// FW_SESSION_SEED picks the seed (default 18) and FW_SESSION_STEPS the length (default 300); a failure
// names both and the step, so the run can be repeated exactly.
#include "../formwright/design_invariants.h"
#include "../formwright/every_class_form.h"
#include "DesignHistory.h"
#include "EditContainer.h"
#include "Formwright.h"
#include "FormwrightText.h"
#include "ObjInsp.h"
#include "core/ClassRegistry.h"
#include "core/Streams.h"
#include "dialogs/MessageBox.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/InputSimulator.h"
#include "ui/Messages.h"
#include "ui/ModalLoop.h"
#include "ui/Windows.h"
#include "widgets/ComboBox.h"
#include "widgets/Label.h"
#include "widgets/Menus.h"
#include "widgets/PageControl.h"
#include "widgets/TabSheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

int EnvironmentNumber(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value && std::atoi(value) > 0 ? std::atoi(value) : fallback;
}

std::string ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The design at one point of the history, as the session saw it.
struct TSavedState {
    std::string Text;
    int ComponentCount = 0;
};

class TSession {
public:
    explicit TSession(unsigned seed) : FRandom(seed) {
        std::string pattern = (fs::temp_directory_path() / "formwright-session-XXXXXX").string();
        FFolder = mkdtemp(pattern.data());
        TModalDriver::SetStrict(true);
        Form = new TForm(nullptr);
        ReadEveryClassForm(Form);
        Form->Show();
        Inspector = TObjectInspector::CreateWithDesigner(TFormwright::StaticClass());
        Inspector->Show();
        Designer = static_cast<TFormwright*>(Inspector->OwnedDesigner());
        Designer->SetRoot(Form);
        // Every step of a session stays in the history, so every undo can be checked against the session's
        // own record of the design before that step.
        Designer->SetHistoryLimits(1 << 20, size_t(1) << 40);
        FExpectedCount = Form->ComponentCount();
        Settle();
    }
    ~TSession() {
        Designer->SetRoot(nullptr);
        delete Inspector;
        delete Form;
        TModalDriver::ClearActions();
        TModalDriver::SetStrict(false);
        fs::remove_all(FFolder);
    }

    // One random step; returns what it did, for the failure message.
    std::string Step() {
        struct Operation {
            int Weight;
            std::function<std::string()> Run;
            bool MovesInHistory = false;
        };
        const Operation operations[] = {
            {12, [this] { return ClickObject(); }},  {4, [this] { return RubberBand(); }},
            {6, [this] { return DragSelection(); }}, {6, [this] { return Keys(); }},
            {10, [this] { return Place(); }},        {5, [this] { return ChooseInList(); }},
            {4, [this] { return Delete(); }},        {4, [this] { return Copy(false); }},
            {2, [this] { return Copy(true); }},      {5, [this] { return Paste(); }},
            {4, [this] { return Arrange(); }},       {6, [this] { return SetPropertyInInspector(); }},
            {3, [this] { return EditPages(); }},     {3, [this] { return TypeCaption(); }, true},
            {2, [this] { return Save(); }},          {2, [this] { return Load(); }},
            {2, [this] { return SwitchRoot(); }},    {4, [this] { return Undo(); }, true},
            {2, [this] { return Redo(); }, true},
        };
        int total = 0;
        for (const Operation& o : operations)
            total += o.Weight;
        int pick = Below(total);
        for (const Operation& o : operations) {
            if (pick < o.Weight) return o.MovesInHistory ? o.Run() : Recorded(o.Run);
            pick -= o.Weight;
        }
        return {};
    }

    // Everything that must hold after any step; problems as text.
    std::vector<std::string> Check() {
        std::vector<std::string> problems = TModalDriver::TakeFailures();
        for (std::string& p : DesignProblems(*Designer))
            problems.push_back(std::move(p));
        if (Form->ComponentCount() != FExpectedCount)
            problems.push_back("the form owns " + std::to_string(Form->ComponentCount()) + " components, " +
                               std::to_string(FExpectedCount) + " expected");
        for (std::string& p : InspectorListProblems())
            problems.push_back(std::move(p));
        if (!Designer->HistoryMatchesDesign())
            problems.push_back("the state the history holds is not the design as it is");
        return problems;
    }

    // The form's design reads into a fresh form; a container's (its own properties only, its controls
    // belong to the form) loads back into the container, which has the parent its values need.
    std::vector<std::string> CheckSavedText() {
        const std::string text = SavedDesignText(*Designer);
        if (Designer->Root() == Form) return FreshRootProblems(*Designer, text);
        std::vector<std::string> problems;
        Recorded([&] {
            problems = ReloadProblems(*Designer, text);
            FExpectedCount = Form->ComponentCount();
            return std::string();
        });
        return problems;
    }

    TForm* Form = nullptr;
    TObjectInspector* Inspector = nullptr;
    TFormwright* Designer = nullptr;

private:
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(FRandom); }
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(FRandom); }

    void Settle() {
        Application->ProcessMessages();
        FlushPaintMessages();
    }
    void Press(uint16_t key, TShiftState shift = {}) {
        TInputSimulator::KeyPress(key, shift, Designer->RootWindow());
        Settle();
    }

    // Every design object: the controls of the design and the placeholders.
    std::vector<TControl*> DesignObjects() const {
        std::vector<TControl*> objects;
        for (int i = 0; i < Form->ComponentCount(); ++i)
            if (auto* control = dynamic_cast<TControl*>(Form->Components(i)))
                if (Designer->IsInDesign(control)) objects.push_back(control);
        for (int i = 0; i < Designer->Placeholders().Count(); ++i)
            objects.push_back(Designer->Placeholders().Items(i));
        return objects;
    }
    TControl* AnyDesignObject() {
        const auto objects = DesignObjects();
        return objects.empty() ? nullptr
                               : objects[static_cast<size_t>(Below(static_cast<int>(objects.size())))];
    }
    std::vector<TWinControl*> Containers() const {
        std::vector<TWinControl*> containers;
        // An embedded frame takes no controls of the design.
        for (TControl* object : DesignObjects())
            if (object->ControlStyle().Contains(csAcceptsControls) &&
                !object->ComponentState().Contains(csInline))
                containers.push_back(static_cast<TWinControl*>(object));
        return containers;
    }
    TPoint Center(TControl* object) const {
        const TRect r = Designer->DesignRectOf(object);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    TPoint AnywhereInRoot() {
        const TRect r = GetClientRect(Designer->RootWindow());
        return {Between(0, std::max(0, r.Right - 1)), Between(0, std::max(0, r.Bottom - 1))};
    }

    // The component a component is written inside: a control's parent, a menu item's menu or item.
    static TComponent* WrittenInside(TComponent* component) {
        return component->HasParent() ? component->GetParentComponent() : nullptr;
    }

    // The components of the form that go with these: each with everything written inside it.
    int ComponentsWith(const std::set<TComponent*>& tops) const {
        int count = 0;
        for (int i = 0; i < Form->ComponentCount(); ++i)
            for (TComponent* c = Form->Components(i); c; c = WrittenInside(c))
                if (tops.count(c)) {
                    ++count;
                    break;
                }
        return count;
    }

    // What a delete, cut or copy takes: the selected objects (the root never), or the selected component
    // that has no design object.
    std::set<TComponent*> SelectedComponents() const {
        std::set<TComponent*> selected;
        for (int i = 0; i < Designer->SelectionCount(); ++i)
            if (Designer->Selected(i) != Designer->Root())
                selected.insert(TFormwright::ComponentOf(Designer->Selected(i)));
        if (selected.empty() && Designer->SelectedChild()) selected.insert(Designer->SelectedChild());
        return selected;
    }

    int ComponentsWithSelection() const { return ComponentsWith(SelectedComponents()); }

    // An auto-sized label fits its text again when it is loaded, so a size given to it by hand does not
    // survive a save: sizes are set only on selections without one.
    bool SelectionHasAutoSizedLabel() const {
        for (int i = 0; i < Designer->SelectionCount(); ++i)
            if (auto* label = dynamic_cast<TLabel*>(Designer->Selected(i)); label && label->AutoSize())
                return true;
        return false;
    }

    std::vector<std::string> InspectorListProblems() const {
        std::vector<std::string> problems;
        TStrings* entries = Inspector->Components->Items();
        std::set<const TObject*> listed;
        for (int i = 0; i < entries->Count(); ++i) {
            auto* component = dynamic_cast<TComponent*>(entries->Objects(i));
            listed.insert(entries->Objects(i));
            if (!component) continue;
            const std::string expected = component->Name() + ": " + component->ClassName();
            if (entries->Strings(i) != expected)
                problems.push_back("the inspector lists '" + entries->Strings(i) + "' for " + expected);
        }
        std::set<const TObject*> design{Designer->Root()};
        for (int i = 0; i < Designer->Root()->ComponentCount(); ++i)
            design.insert(Designer->Root()->Components(i));
        for (int i = 0; i < Form->ComponentCount(); ++i)
            if (Designer->Root() == Form || Designer->IsInDesign(Form->Components(i)) ||
                Designer->IsWrittenInDesign(Form->Components(i)))
                design.insert(Form->Components(i));
        // A designed container's list holds its controls; non-visual components may be left out.
        for (const TObject* object : design)
            if (!listed.count(object) && (Designer->Root() == Form || dynamic_cast<const TControl*>(object)))
                problems.push_back("the inspector does not list a component of the design");
        for (const TObject* object : listed)
            if (!design.count(object)) problems.push_back("the inspector lists an object outside the design");
        return problems;
    }

    // ---- operations

    std::string ClickObject() {
        TControl* object = AnyDesignObject();
        if (!object) return "click: nothing to click";
        const TShiftState shift = Below(3) == 0 ? TShiftState{ssShift} : TShiftState{};
        TInputSimulator::Click(Designer->DesignWindowOf(object), Center(object), mbLeft, shift);
        Settle();
        return "click " + TFormwright::ComponentOf(object)->Name() +
               (shift.Contains(ssShift) ? " with Shift" : "");
    }

    std::string RubberBand() {
        const TPoint from = AnywhereInRoot(), to = AnywhereInRoot();
        TInputSimulator::Drag(Designer->RootWindow(), from, to);
        Settle();
        return "band from " + std::to_string(from.X) + "," + std::to_string(from.Y);
    }

    std::string DragSelection() {
        if (Designer->SelectionCount() == 0) return "drag: nothing selected";
        TControl* object = Designer->Selected(Below(Designer->SelectionCount()));
        if (object == Designer->Root()) return "drag: the root is selected";
        // The middle of a small object is under its grab handles: the drag would resize it, and an
        // auto-sized label keeps no size of its own.
        if ((object->Width() < 16 || object->Height() < 16) && SelectionHasAutoSizedLabel())
            return "drag: an auto-sized label too small to move by its middle";
        const TPoint from = Center(object);
        const TPoint to{from.X + Between(-40, 40), from.Y + Between(-40, 40)};
        TInputSimulator::Drag(Designer->DesignWindowOf(object), from, to);
        Settle();
        return "drag " + TFormwright::ComponentOf(object)->Name();
    }

    std::string Keys() {
        static const uint16_t arrows[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};
        static const TShiftState shifts[] = {{ssCtrl}, {ssCtrl, ssShift}, {ssShift}, {}};
        const uint16_t key = Below(5) == 0 ? uint16_t(VK_TAB) : arrows[Below(4)];
        TShiftState shift = shifts[Below(4)];
        if (shift == TShiftState{ssShift} && SelectionHasAutoSizedLabel()) shift = {ssCtrl};
        Press(key, shift);
        return "key " + std::to_string(key);
    }

    std::string Place() {
        // Every class that stands on the form by itself (a menu item is written inside its menu).
        static const std::vector<TClass> classes = [] {
            std::vector<TClass> placeable;
            for (TClass cls : StreamableClasses())
                if (cls != TMenuItem::StaticClass()) placeable.push_back(cls);
            return placeable;
        }();
        const TClass cls = classes[static_cast<size_t>(Below(static_cast<int>(classes.size())))];
        Designer->SetClassToPlace(cls);
        const auto containers = Containers();
        HWND window = Designer->RootWindow();
        TPoint point = AnywhereInRoot();
        if (!containers.empty() && Below(2) == 0 && cls->InheritsFrom(TControl::StaticClass())) {
            TWinControl* container =
                containers[static_cast<size_t>(Below(static_cast<int>(containers.size())))];
            window = container->Handle();
            const TRect r = GetClientRect(window);
            point = {r.Right / 2, r.Bottom / 2};
        }
        const int before = Form->ComponentCount();
        TInputSimulator::Click(window, point);
        Settle();
        // Nothing is placed where there is no design object to place into (a click on a control that
        // takes no children places on its parent); a placement adds exactly one component.
        FExpectedCount += Form->ComponentCount() > before ? 1 : 0;
        Designer->SetClassToPlace(nullptr);
        return std::string("place ") + cls->Name;
    }

    std::string Delete() {
        FExpectedCount -= ComponentsWithSelection();
        Press(VK_DELETE);
        return "delete";
    }

    std::string Copy(bool cut) {
        const std::set<TComponent*> selected = SelectedComponents();
        if (selected.empty()) return "copy: nothing but the root is selected";
        FCopied = ComponentsWith(selected);
        FCopiedChild = Designer->SelectionCount() == 0;
        if (cut) FExpectedCount -= FCopied;
        Press(cut ? VK_DELETE : VK_INSERT, cut ? TShiftState{ssShift} : TShiftState{ssCtrl});
        return cut ? "cut" : "copy";
    }

    // A copied menu item goes beside the selected one or into the selected menu; elsewhere the paste is
    // refused with a message, and nothing is pasted.
    std::string Paste() {
        TComponent* into =
            Designer->SelectedChild() ? Designer->SelectedChild()->GetParentComponent() : nullptr;
        if (!into && Designer->SelectionCount() == 1)
            if (auto* box = dynamic_cast<TEditContainer*>(Designer->Selected(0))) into = box->Component();
        const bool refused = FCopiedChild && !dynamic_cast<TMenu*>(into) && !dynamic_cast<TMenuItem*>(into);
        if (refused) {
            TModalDriver::QueueAction([](TObject* window) {
                if (auto* box = dynamic_cast<TMessageBox*>(window)) box->ClickPart(dpOK);
            });
        } else {
            FExpectedCount += FCopied;
        }
        Press(VK_INSERT, {ssShift});
        if (refused && TModalDriver::PendingActions() > 0) {
            TModalDriver::ClearActions();
            ADD_FAILURE() << "the paste of a menu item outside a menu was not refused";
        }
        return refused ? "paste: refused outside a menu" : "paste";
    }

    // Picks a component in the inspector's list with the Up and Down keys, as a person would.
    std::string ChooseInList() {
        TComboBox* list = Inspector->Components;
        const int count = list->Items()->Count();
        if (count == 0) return "list: empty";
        const std::string wanted = list->Items()->Strings(Below(count));
        list->SetFocus();
        const uint16_t key = Below(2) == 0 ? VK_UP : VK_DOWN;
        for (int i = 0; i < 2 * count && std::string(list->Text()) != wanted; ++i)
            TInputSimulator::KeyPress(i < count ? key : (key == VK_UP ? VK_DOWN : VK_UP), {}, list->Handle());
        Settle();
        return "list: " + wanted;
    }

    std::string Arrange() {
        switch (Below(5)) {
        case 0:
            Designer->AlignSelectionToGrid();
            return "align to grid";
        case 1:
            Designer->BringSelectionToFront();
            return "bring to front";
        case 2:
            Designer->SendSelectionToBack();
            return "send to back";
        case 3:
            if (Designer->SelectionCount() < 2) return "align: one object";
            Designer->AlignSelection(static_cast<TAlignCode>(Between(acNoChange, acVCenterInWindow)));
            return "align";
        default:
            if (Designer->SelectionCount() < 2) return "size: one object";
            if (SelectionHasAutoSizedLabel()) return "size: an auto-sized label is selected";
            Designer->SizeSelection(static_cast<TSizeCode>(Between(szNoChange, szAbsolute)),
                                    static_cast<TSizeCode>(Between(szNoChange, szAbsolute)), Between(1, 200),
                                    Between(1, 200));
            return "size";
        }
    }

    // Makes the row current by clicking its name; false when the inspector shows no such row.
    bool ClickRow(const std::string& name) {
        TPropGrid* grid = Inspector->PropGrid();
        int row = -1;
        for (int i = 0; i < grid->VisibleRows().Count(); ++i)
            if (grid->VisibleRow(i)->Name() == name) row = i;
        if (row < 0) return false;
        if (row < grid->TopRow() || row >= grid->TopRow() + grid->VisibleRowCount()) grid->SetTopRow(row);
        const TRect cell = grid->CellRect(0, row);
        TInputSimulator::Click(grid->Handle(), {cell.Right - 10, (cell.Top + cell.Bottom) / 2});
        Settle();
        return grid->CurrentRow() && grid->CurrentRow()->Name() == name && grid->PropEditor() &&
               grid->PropEditor()->Visible();
    }

    // Types the value into the current row's editor, replacing its text, and commits it with Enter.
    void TypeIntoCurrentRow(const std::string& value) {
        HWND editor = Inspector->PropGrid()->PropEditor()->Handle();
        TInputSimulator::KeyPress('A', {ssCtrl}, editor);
        TInputSimulator::TypeText(value, editor);
        TInputSimulator::KeyPress(VK_RETURN, {}, editor);
        Settle();
    }

    // Clicks the row's name, types the value into the in-place editor and commits it with Enter.
    std::string SetPropertyInInspector() {
        if (Designer->SelectionCount() != 1 && !Designer->SelectedChild())
            return "inspector: nothing selected";
        static const char* names[] = {"Left", "Top", "Width", "Height", "Caption", "Name"};
        const std::string name = names[Below(6)];
        if ((name == "Width" || name == "Height") && SelectionHasAutoSizedLabel())
            return "inspector: an auto-sized label keeps its size";
        if (!ClickRow(name)) return "inspector: no row " + name;
        std::string value;
        if (name == "Name")
            value = "Renamed" + std::to_string(++FRenames);
        else if (name == "Caption")
            value = "Caption " + std::to_string(Below(1000));
        else
            value = std::to_string(name == "Left" || name == "Top" ? Between(0, 400) : Between(1, 200));
        TypeIntoCurrentRow(value);
        return "inspector: " + name + " = " + value;
    }

    // The active page of a page control, or the place of one of its sheets, set in the inspector.
    std::string EditPages() {
        std::vector<TPageControl*> controls;
        for (int i = 0; i < Form->ComponentCount(); ++i)
            if (auto* pages = dynamic_cast<TPageControl*>(Form->Components(i)))
                if (Designer->IsInDesign(pages) && pages->PageCount() > 0) controls.push_back(pages);
        if (controls.empty()) return "pages: no page control with pages";
        TPageControl* pages = controls[static_cast<size_t>(Below(static_cast<int>(controls.size())))];
        TTabSheet* sheet = pages->Pages(Below(pages->PageCount()));
        if (sheet->Owner() != Form) return "pages: a sheet of another owner";
        if (Below(2) == 0) {
            Designer->SelectComponent(pages);
            Settle();
            if (!ClickRow("ActivePage")) return "pages: no ActivePage row";
            TypeIntoCurrentRow(sheet->Name());
            return "pages: " + pages->Name() + ".ActivePage = " + sheet->Name();
        }
        Designer->SelectComponent(sheet);
        Settle();
        if (!ClickRow("PageIndex")) return "pages: no PageIndex row";
        const int index = Below(pages->PageCount());
        TypeIntoCurrentRow(std::to_string(index));
        return "pages: " + sheet->Name() + ".PageIndex = " + std::to_string(index);
    }

    // A caption typed key by key, which is one step, with Ctrl+Z pressed on the form now and then; it
    // ends with Enter or Escape (which takes the typing back).
    std::string TypeCaption() {
        if (Designer->SelectionCount() != 1 && !Designer->SelectedChild()) return "typing: nothing selected";
        if (!Recorded([this] { return ClickRow("Caption") ? std::string("typing") : std::string(); }).size())
            return "typing: no Caption row";
        std::string done = "typing";
        const int keys = Between(1, 6);
        for (int k = 0; k < keys; ++k) {
            if (k > 0 && Below(4) == 0) {
                done += " " + Undo();
                // The undone step may have changed what is inspected: the caption is looked for again.
                if (!Recorded([this] {
                         return ClickRow("Caption") ? std::string("row") : std::string();
                     }).size())
                    return done + ", no Caption row any more";
                continue;
            }
            const char typed = static_cast<char>('a' + Below(26));
            done += std::string(" ") + typed;
            Recorded([&] {
                TInputSimulator::TypeText(std::string(1, typed),
                                          Inspector->PropGrid()->PropEditor()->Handle());
                Settle();
                return std::string();
            });
        }
        const bool escape = Below(3) == 0;
        Recorded([&] {
            TInputSimulator::KeyPress(escape ? VK_ESCAPE : VK_RETURN, {},
                                      Inspector->PropGrid()->PropEditor()->Handle());
            Settle();
            return std::string();
        });
        return done + (escape ? " Escape" : " Enter");
    }

    std::string Save() {
        FSaved = (fs::path(FFolder) / "design.txt").string();
        SaveRootToTextFile(Designer, FSaved);
        return "save";
    }

    std::string Load() {
        if (FSaved.empty() || Designer->Root() != Form) return "load: nothing saved from this root";
        LoadRootFromTextFile(Designer, FSaved);
        Settle();
        FExpectedCount = Form->ComponentCount();
        if (SavedDesignText(*Designer) != ReadFile(FSaved))
            ADD_FAILURE() << "the loaded design saves to other text";
        return "load";
    }

    std::string SwitchRoot() {
        const auto containers = Containers();
        TWinControl* root = Form;
        if (Designer->Root() == Form && !containers.empty())
            root = containers[static_cast<size_t>(Below(static_cast<int>(containers.size())))];
        Designer->SetRoot(root);
        Settle();
        // A save belongs to the root it was made from.
        FSaved.clear();
        return "design " + root->Name();
    }

    // Ctrl+Z puts back the design as it was before the last step that changed it.
    std::string Undo() {
        if (!Designer->CanUndo()) return "undo: nothing to undo";
        return "undo" + MoveInHistory(FDone, FUndone, 'Z', {ssCtrl});
    }

    // Ctrl+Y puts back the design as it was after the step undone last.
    std::string Redo() {
        if (!Designer->CanRedo()) return "redo: nothing to redo";
        return "redo" + MoveInHistory(FUndone, FDone, 'Y', {ssCtrl});
    }

    // Presses the key and checks the design against the state on top of `from`, which then moves, with
    // the state the key left, onto `to`.
    std::string MoveInHistory(std::vector<TSavedState>& from, std::vector<TSavedState>& to, uint16_t key,
                              TShiftState shift) {
        TSavedState left{SavedDesignText(*Designer), FExpectedCount};
        Press(key, shift);
        std::string unchecked;
        if (from.empty() || from.back().Text.empty()) {
            // A state from before the session could follow the history again.
            FExpectedCount = Form->ComponentCount();
            unchecked = " (unchecked)";
        } else {
            FExpectedCount = from.back().ComponentCount;
            const std::string now = SavedDesignText(*Designer);
            if (now != from.back().Text)
                ADD_FAILURE() << "the design after " << (key == 'Z' ? "undo" : "redo")
                              << " saves to other text than it had, "
                              << FirstDifference(from.back().Text, now);
        }
        if (!from.empty()) from.pop_back();
        to.push_back(std::move(left));
        return unchecked;
    }

    // Runs a step that may add to the undo history, keeping the design as it was before when it does.
    std::string Recorded(const std::function<std::string()>& run) {
        const TDesignHistory& history = Designer->History();
        const int position = history.Position();
        TSavedState before{SavedDesignText(*Designer), FExpectedCount};
        std::string done = run();
        if (history.Position() == position + 1) {
            FDone.push_back(std::move(before));
        } else if (history.Position() == position - 1 && !FDone.empty()) {
            // A value typed key by key and taken back by Escape: its step is gone.
            FDone.pop_back();
        } else if (history.Position() != position) {
            // The history started again (another root) or lost steps: what it holds now is not known here.
            FDone.assign(static_cast<size_t>(history.Position()), {});
        }
        FUndone.resize(static_cast<size_t>(history.Count() - history.Position()));
        return done;
    }

    std::vector<TSavedState> FDone;   // the design before each step that can be undone, the last on top
    std::vector<TSavedState> FUndone; // the design after each step that can be redone, the next on top

    std::mt19937 FRandom;
    std::string FFolder;
    std::string FSaved;
    int FExpectedCount = 0;
    int FCopied = 0;
    bool FCopiedChild = false; // what was copied is written inside another component (a menu item)
    int FRenames = 0;
};

TEST(RandomSession, EveryStepLeavesTheDesignSound) {
    const unsigned seed = static_cast<unsigned>(EnvironmentNumber("FW_SESSION_SEED", 18));
    const int steps = EnvironmentNumber("FW_SESSION_STEPS", 300);
    TSession session(seed);
    std::vector<std::string> done;
    for (int step = 1; step <= steps; ++step) {
        done.push_back(session.Step());
        std::vector<std::string> problems = session.Check();
        if (step % 10 == 0 || step == steps)
            for (std::string& p : session.CheckSavedText())
                problems.push_back(std::move(p));
        if (!problems.empty() || ::testing::Test::HasFailure()) {
            std::string recent;
            for (size_t i = done.size() > 8 ? done.size() - 8 : 0; i < done.size(); ++i)
                recent += "\n  " + std::to_string(i + 1) + ": " + done[i];
            for (const std::string& p : problems)
                ADD_FAILURE() << p;
            FAIL() << "seed " << seed << ", step " << step << " of " << steps
                   << "; the last steps:" << recent;
        }
    }
    // What the session did, by kind of step ("undo", "place TButton" counted as "place", ...).
    std::map<std::string, int> kinds;
    for (const std::string& d : done)
        ++kinds[d.substr(0, d.find_first_of(" :"))];
    std::string summary;
    for (const auto& [kind, count] : kinds)
        summary += " " + kind + " " + std::to_string(count);
    ::testing::Test::RecordProperty("steps", summary);
    std::printf("seed %u, %d steps:%s\n", seed, steps, summary.c_str());
}

} // namespace
