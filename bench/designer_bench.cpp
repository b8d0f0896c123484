// The designer's interactions on a form of N controls (buttons, edits, labels and check boxes in rows),
// with the Object Inspector linked, driven by real input where a person would use the mouse. Each figure
// is one interaction including the repaint it causes; setup and clean-up are not timed.
#include "BenchTable.h"
#include "core/ClassRegistry.h"

#include "DesignCheck.h"
#include "Formwright.h"
#include "FormwrightText.h"
#include "ObjectInspector.h"
#include "PropGrid.h"
#include "SnapLines.h"
#include "core/Streams.h"
#include "streaming/ObjectText.h"
#include "streaming/Reader.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/InputSimulator.h"
#include "widgets/Button.h"
#include "widgets/StandardControls.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// Controls sit in cells of 30 x 16 pixels, 50 to a row, from (8, 8); the form has room below them.
constexpr int Columns = 50, CellWidth = 30, CellHeight = 16;

TPoint CellOf(int i) {
    return {8 + (i % Columns) * CellWidth, 8 + (i / Columns) * CellHeight};
}

int RowsOf(long n) {
    return static_cast<int>((n + Columns - 1) / Columns);
}

std::string DesignText(long n) {
    static const char* const classes[] = {"TButton", "TEdit", "TLabel", "TCheckBox"};
    static const char* const names[] = {"Button", "Edit", "Label", "CheckBox"};
    std::string text = "object BenchForm: TForm\n  Left = 0\n  Top = 0\n  Width = " +
                       std::to_string(16 + Columns * CellWidth + 40) +
                       "\n  Height = " + std::to_string(8 + RowsOf(n) * CellHeight + 120) +
                       "\n  Caption = 'Bench'\n";
    for (int i = 0; i < n; ++i) {
        const int kind = i % 4;
        const std::string name = names[kind] + std::to_string(i + 1);
        const TPoint at = CellOf(i);
        text += "  object " + name + ": " + classes[kind] + "\n    Left = " + std::to_string(at.X) +
                "\n    Top = " + std::to_string(at.Y) + "\n    Width = 26\n    Height = 12\n" +
                (kind == 1 ? "    Text = '" : "    Caption = '") + name + "'\n  end\n";
    }
    return text + "end\n";
}

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// A shown form of N controls, its inspector and the designer, attached unless asked otherwise.
class TDesignBench {
public:
    explicit TDesignBench(long n, bool attach = true) : N(n) {
        Form = new TForm(nullptr);
        TStringStream text(DesignText(n)), binary;
        ObjectTextToBinary(text, binary);
        binary.SetPosition(0);
        TReader reader(binary, 4096);
        reader.ReadRootComponent(Form);
        Form->Show();
        Inspector = TObjectInspector::CreateWithDesigner(TFormwright::StaticClass());
        Inspector->Show();
        Designer = static_cast<TFormwright*>(Inspector->OwnedDesigner());
        // Whatever the settings remember, drags run on the grid unless a figure asks for guides.
        Designer->SetSnapToGuides(false);
        if (attach) Designer->SetRoot(Form);
        Settle();
    }
    ~TDesignBench() {
        delete Inspector; // frees the designer, which lets go of the form
        delete Form;
        Settle();
    }
    static void Settle() { Application->ProcessMessages(); }

    HWND Window() const { return Form->Handle(); }
    TControl* Control(int i) const { return static_cast<TControl*>(Form->Components(i)); }
    // Rubber-band selection of the controls of the first `rows` rows.
    void BandSelect(int rows) const {
        TInputSimulator::MouseDown(Window(), {3, 3});
        TInputSimulator::MouseMove(Window(), {40, 40});
        TInputSimulator::MouseMove(Window(), {8 + Columns * CellWidth, 8 + rows * CellHeight - 6});
        TInputSimulator::MouseUp(Window(), {8 + Columns * CellWidth, 8 + rows * CellHeight - 6});
        Settle();
    }
    // A point on no control.
    TPoint Empty() const { return {8 + Columns * CellWidth + 10, 8 + RowsOf(N) * CellHeight + 40}; }
    void ClickEmpty() const {
        TInputSimulator::Click(Window(), Empty());
        Settle();
    }

    long N;
    TForm* Form = nullptr;
    TObjectInspector* Inspector = nullptr;
    TFormwright* Designer = nullptr;
};

template <class Op> void Timed(benchmark::State& state, Op&& op) {
    const auto start = Clock::now();
    op();
    TDesignBench::Settle();
    state.SetIterationTime(Seconds(start));
}

void Attach(benchmark::State& state) {
    TDesignBench bench(state.range(0), false);
    for (auto _ : state) {
        Timed(state, [&] { bench.Designer->SetRoot(bench.Form); });
        bench.Designer->SetRoot(nullptr);
        bench.Settle();
    }
}

void BandSelect(benchmark::State& state) {
    TDesignBench bench(state.range(0));
    for (auto _ : state) {
        Timed(state, [&] { bench.BandSelect(RowsOf(bench.N) * 3 / 4); });
        bench.ClickEmpty();
    }
}

void ClickSelect(benchmark::State& state) {
    TDesignBench bench(state.range(0));
    int i = 0;
    for (auto _ : state) {
        TControl* control = bench.Control(i++ * 7 % bench.N);
        Timed(state, [&] { TInputSimulator::Click(control, {4, 4}); });
    }
}

// The anchor of a click: the Tab key selecting the next control.
void TabSelect(benchmark::State& state) {
    TDesignBench bench(state.range(0));
    TInputSimulator::Click(bench.Control(0), {4, 4});
    for (auto _ : state)
        Timed(state, [&] { TInputSimulator::KeyPress(VK_TAB, {}, bench.Window()); });
}

// One control pressed and moved: a later mouse move of the drag, and the drop.
void Drag(benchmark::State& state, bool drop, bool guides = false) {
    TDesignBench bench(state.range(0));
    bench.Designer->SetSnapToGuides(guides);
    int i = 0;
    for (auto _ : state) {
        TControl* control = bench.Control((i++ * 7 + 1) % bench.N);
        const TPoint at{control->Left() + 4, control->Top() + 4};
        TInputSimulator::Click(control, {4, 4});
        TInputSimulator::MouseDown(bench.Window(), at);
        TInputSimulator::MouseMove(bench.Window(), {at.X + 9, at.Y + 9});
        bench.Settle();
        if (drop) {
            TInputSimulator::MouseMove(bench.Window(), {at.X + 17, at.Y + 17});
            bench.Settle();
            Timed(state, [&] { TInputSimulator::MouseUp(bench.Window(), {at.X + 17, at.Y + 17}); });
        } else {
            Timed(state, [&] { TInputSimulator::MouseMove(bench.Window(), {at.X + 17, at.Y + 17}); });
            TInputSimulator::MouseUp(bench.Window(), {at.X, at.Y});
        }
        bench.Settle();
    }
}

// Finding the line a dragged frame snaps to among the lines of N siblings (the bench form's cells): the
// designer's sorted lines against a scan of every sibling per mouse move. Each figure is 1000 searches,
// each for the three moving lines of one axis; the sorted lines are made once per drag and not timed.
constexpr int SearchesPerIteration = 1000;

std::vector<TRect> SiblingRects(long n) {
    std::vector<TRect> rects;
    for (int i = 0; i < n; ++i)
        rects.push_back(TRect::FromBounds(CellOf(i).X, CellOf(i).Y, 26, 12));
    return rects;
}

// The moving lines of a 26-pixel frame at the k-th position of a sweep across the form.
std::array<int, 3> MovingLines(int k) {
    const int left = 3 + (k * 7) % (Columns * CellWidth);
    return {left, left + 26, left + 13};
}

void FindSnapSorted(benchmark::State& state) {
    TSnapLines lines;
    for (const TRect& r : SiblingRects(state.range(0)))
        lines.AddObject(r);
    lines.Sort();
    int k = 0, found = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        for (int i = 0; i < SearchesPerIteration; ++i)
            found += lines.Nearest(TSnapAxis::X, MovingLines(k++)).Found;
        state.SetIterationTime(Seconds(start));
    }
    benchmark::DoNotOptimize(found);
}

void FindSnapScan(benchmark::State& state) {
    const std::vector<TRect> rects = SiblingRects(state.range(0));
    int k = 0, found = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        for (int i = 0; i < SearchesPerIteration; ++i) {
            const std::array<int, 3> moving = MovingLines(k++);
            int best = TSnapLines::Reach + 1;
            for (const TRect& r : rects)
                for (int target : {r.Left, r.Right, r.Left + r.Width() / 2})
                    for (int line : moving)
                        best = std::min(best, std::abs(target - line));
            found += best <= TSnapLines::Reach;
        }
        state.SetIterationTime(Seconds(start));
    }
    benchmark::DoNotOptimize(found);
}

void SetProperty(benchmark::State& state) {
    TDesignBench bench(state.range(0));
    bench.BandSelect(RowsOf(bench.N) * 3 / 4);
    TPropGrid* grid = bench.Inspector->PropGrid();
    int row = -1;
    for (int i = 0; i < grid->VisibleRows().Count(); ++i)
        if (grid->VisibleRow(i)->Name() == "Left") row = i;
    if (row < 0) state.SkipWithError("no Left row");
    int value = 0;
    for (auto _ : state)
        Timed(state, [&] { grid->SetRowValue(row, std::to_string(100 + value++ % 2), false); });
}

void PlaceControl(benchmark::State& state) {
    TDesignBench bench(state.range(0));
    int i = 0;
    for (auto _ : state) {
        bench.Designer->SetClassToPlace(TButton::StaticClass());
        TPoint at = bench.Empty();
        at.X += (i++ % 8) * 4;
        Timed(state, [&] { TInputSimulator::Click(bench.Window(), at); });
    }
}

void Paste(benchmark::State& state) {
    TDesignBench bench(state.range(0));
    bench.BandSelect(std::max(1, RowsOf(bench.N) / 5));
    bench.Designer->CopySelection();
    for (auto _ : state) {
        Timed(state, [&] { bench.Designer->PasteSelection(); });
        bench.Designer->DeleteSelection(); // the pasted controls
        bench.Settle();
    }
}

void Save(benchmark::State& state) {
    TDesignBench bench(state.range(0));
    for (auto _ : state) {
        TMemoryStream stream;
        Timed(state, [&] { WriteRootText(bench.Designer, stream); });
    }
}

// The design check walks the whole design, measuring every caption: against saving it, which walks it too.
void Check(benchmark::State& state) {
    TDesignBench bench(state.range(0));
    size_t findings = 0;
    for (auto _ : state)
        Timed(state, [&] { findings += CheckDesign(bench.Form).size(); });
    benchmark::DoNotOptimize(findings);
}

void Load(benchmark::State& state) {
    TDesignBench bench(state.range(0));
    TMemoryStream saved;
    WriteRootText(bench.Designer, saved);
    for (auto _ : state) {
        saved.SetPosition(0);
        Timed(state, [&] { ReadRootText(bench.Designer, saved); });
    }
}

void DeleteAll(benchmark::State& state) {
    for (auto _ : state) {
        TDesignBench bench(state.range(0));
        bench.BandSelect(RowsOf(bench.N));
        Timed(state, [&] { bench.Designer->DeleteSelection(); });
    }
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application->Initialize();
    RegisterStreamableClasses();
    const char* const area = "Designer interactions on N controls";
    const std::vector<long> sizes{100, 1000, 5000};
    RegisterBench(area, "attach (SetRoot)", "Formwright", sizes, Attach, 20);
    RegisterBench(area, "band select 3 of 4 rows", "Formwright", sizes, BandSelect, 20);
    RegisterBench(area, "click select", "Tab key select", sizes, TabSelect, 50);
    RegisterBench(area, "click select", "Formwright", sizes, ClickSelect, 50);
    RegisterBench(
        area, "one drag step", "Formwright", sizes, [](benchmark::State& s) { Drag(s, false); }, 50);
    RegisterBench(
        area, "one drag step", "with snap guides", sizes, [](benchmark::State& s) { Drag(s, false, true); },
        50);
    RegisterBench(
        area, "drop", "Formwright", sizes, [](benchmark::State& s) { Drag(s, true); }, 50);
    RegisterBench(
        area, "drop", "with snap guides", sizes, [](benchmark::State& s) { Drag(s, true, true); }, 50);
    RegisterBench(area, "find the snap for 1000 mouse moves", "scan per move", sizes, FindSnapScan, 20);
    RegisterBench(area, "find the snap for 1000 mouse moves", "sorted lines", sizes, FindSnapSorted, 20);
    RegisterBench(area, "set Left on 3 of 4 selected", "Formwright", sizes, SetProperty, 20);
    RegisterBench(area, "place the k-th control", "Formwright", sizes, PlaceControl, 50);
    RegisterBench(area, "paste a fifth of N", "Formwright", sizes, Paste, 10);
    RegisterBench(area, "save to text", "Formwright", sizes, Save, 20);
    RegisterBench(area, "load from text", "Formwright", sizes, Load, 10);
    RegisterBench(area, "walk the whole design", "save to text", sizes, Save, 20);
    RegisterBench(area, "walk the whole design", "design check", sizes, Check, 20);
    RegisterBench(area, "delete all", "Formwright", sizes, DeleteAll, 10);
    return RunBenchTables(argc, argv);
}
