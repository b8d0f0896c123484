// The cost of the undo history on a designed form of N buttons (offscreen Qt): what recording one step
// adds to an edit, and what undoing and redoing it cost. "nudge, no history" repeats the same edit on
// the controls directly, the work the designer did before it kept a history; a frame is 16.7 ms.
#include "DesignHistory.h"
#include "DesignIdentities.h"
#include "DesignSnapshot.h"
#include "Formwright.h"
#include "components/StandardComponents.h"
#include "core/ClassRegistry.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "widgets/Button.h"
#include "widgets/GridAndListControls.h"
#include "widgets/StandardControls.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

// A shown form with N buttons in a grid, designed, the first button selected.
struct TDesignedForm {
    explicit TDesignedForm(int count) {
        Form = new TForm(nullptr);
        Form->SetBounds(0, 0, 1600, 1200);
        for (int i = 0; i < count; ++i) {
            auto* button = static_cast<TButton*>(TComponent::CreateInstance(TButton::StaticClass(), Form));
            button->SetName("Button" + std::to_string(i + 1));
            button->SetBounds(8 + (i % 40) * 38, 8 + (i / 40) * 30, 34, 24);
            button->SetParent(Form);
        }
        Form->Show();
        Application->ProcessMessages();
        Designer = std::make_unique<TFormwright>();
        Designer->SetRoot(Form);
        Designer->SelectComponent(Form->Components(0));
        Application->ProcessMessages();
    }
    ~TDesignedForm() {
        Designer.reset();
        delete Form;
        Application->ProcessMessages();
    }
    TForm* Form;
    std::unique_ptr<TFormwright> Designer;
};

// One edit with its step: the selected button moves by a pixel (and back on the next round).
void BM_NudgeWithStep(benchmark::State& state) {
    TDesignedForm design(static_cast<int>(state.range(0)));
    int dx = 1;
    for (auto _ : state) {
        design.Designer->MoveSelectionBy(dx, 0);
        dx = -dx;
    }
    state.counters["steps"] = design.Designer->History().Count();
}

// The same edit without the designer: what a nudge costs the controls themselves.
void BM_NudgeNoHistory(benchmark::State& state) {
    TDesignedForm design(static_cast<int>(state.range(0)));
    TControl* button = static_cast<TControl*>(design.Form->Components(0));
    int dx = 1;
    for (auto _ : state) {
        button->SetBounds(button->Left() + dx, button->Top(), button->Width(), button->Height());
        dx = -dx;
    }
}

// Capturing the whole design, as every step does once.
void BM_CaptureDesign(benchmark::State& state) {
    TDesignedForm design(static_cast<int>(state.range(0)));
    TDesignIdentities ids;
    TDesignStatePtr previous = CaptureDesign(*design.Designer, ids, nullptr);
    for (auto _ : state)
        previous = CaptureDesign(*design.Designer, ids, previous.get());
}

// Undo and redo of one nudge, one pair per iteration.
void BM_UndoRedoNudge(benchmark::State& state) {
    TDesignedForm design(static_cast<int>(state.range(0)));
    design.Designer->MoveSelectionBy(1, 0);
    for (auto _ : state) {
        design.Designer->Undo();
        design.Designer->Redo();
    }
}

// Undo and redo of deleting ten buttons: they are made again and freed again.
void BM_UndoRedoDelete10(benchmark::State& state) {
    TDesignedForm design(static_cast<int>(state.range(0)));
    design.Designer->ClearSelection(true);
    for (int i = 0; i < 10; ++i)
        design.Designer->SelectObject(static_cast<TControl*>(design.Form->Components(i)), false);
    design.Designer->DeleteSelection();
    for (auto _ : state) {
        design.Designer->Undo();
        design.Designer->Redo();
    }
}

// The memory a step of one nudge holds.
void BM_StepMemory(benchmark::State& state) {
    TDesignedForm design(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        design.Designer->MoveSelectionBy(1, 0);
        design.Designer->MoveSelectionBy(-1, 0);
    }
    const TDesignHistory& history = design.Designer->History();
    state.counters["bytes_per_step"] = history.Count() > 2 ? double(history.Bytes()) / history.Count() : 0.0;
}

constexpr auto Unit = benchmark::kMillisecond;

} // namespace

BENCHMARK(BM_NudgeNoHistory)->Arg(1000)->Unit(Unit);
BENCHMARK(BM_NudgeWithStep)->Arg(100)->Arg(1000)->Arg(5000)->Unit(Unit);
BENCHMARK(BM_CaptureDesign)->Arg(100)->Arg(1000)->Arg(5000)->Unit(Unit);
BENCHMARK(BM_UndoRedoNudge)->Arg(100)->Arg(1000)->Arg(5000)->Unit(Unit);
BENCHMARK(BM_UndoRedoDelete10)->Arg(1000)->Unit(Unit);
BENCHMARK(BM_StepMemory)->Arg(1000)->Unit(Unit)->Iterations(60);

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application->Initialize();
    RegisterStreamableClasses();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
