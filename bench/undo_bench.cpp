// The cost of the undo history on a designed form of N buttons, with and without three images holding
// 2000 x 2000 bitmaps (offscreen Qt, no inspector). "record a nudge" times only what the designer adds to
// an edit to keep it as a step; its anchor is what a history that keeps whole designs would pay, the
// design written as a form stream. The other figures compare an edit with its step against the same edit
// without any history. Times are the CPU time of the thread that does the work (everything runs on it),
// so that other programs on a busy machine do not count.
#include "BenchTable.h"

#include "DesignHistory.h"
#include "Formwright.h"
#include "FormwrightText.h"
#include "core/ClassRegistry.h"
#include "core/Streams.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/Picture.h"
#include "streaming/Writer.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "widgets/Button.h"
#include "widgets/Image.h"

#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

namespace {

constexpr int PictureSide = 2000;

// The CPU time this thread has used.
struct Clock {
    using time_point = double;
    static double now() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
    }
};

double Seconds(double from) {
    return Clock::now() - from;
}

// A shown form with N buttons in a grid (and, with pictures, three images of 2000 x 2000 pixels),
// designed, the first button selected.
struct TDesignedForm {
    TDesignedForm(long count, bool pictures) {
        Form = new TForm(nullptr);
        Form->SetName("BenchForm");
        Form->SetBounds(0, 0, 1600, 1200);
        for (int i = 0; i < count; ++i) {
            auto* button = static_cast<TButton*>(TComponent::CreateInstance(TButton::StaticClass(), Form));
            button->SetName("Button" + std::to_string(i + 1));
            button->SetBounds(8 + (i % 40) * 38, 8 + (i / 40) * 30, 34, 24);
            button->SetParent(Form);
        }
        for (int i = 0; pictures && i < 3; ++i) {
            auto* image = static_cast<TImage*>(TComponent::CreateInstance(TImage::StaticClass(), Form));
            image->SetName("Image" + std::to_string(i + 1));
            image->SetBounds(1530, 8 + i * 60, 50, 50);
            image->SetParent(Form);
            TBitmap* bitmap = image->Picture()->Bitmap();
            bitmap->SetSize(PictureSide, PictureSide);
            bitmap->Canvas()->Brush()->SetColor(TColor(0x102030 * (i + 1)));
            bitmap->Canvas()->FillRect(TRect(0, 0, PictureSide, PictureSide));
            bitmap->Canvas()->Ellipse(i * 100, i * 100, PictureSide - i * 100, PictureSide);
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
    TControl* Button(int i) const { return static_cast<TControl*>(Form->Components(i)); }

    TForm* Form;
    std::unique_ptr<TFormwright> Designer;
};

// What recording one nudge adds: the edit is made inside a bracket, and only the end of the bracket,
// where the step is recorded, is timed.
void RecordNudge(benchmark::State& state, bool pictures) {
    TDesignedForm design(state.range(0), pictures);
    int dx = 1;
    for (auto _ : state) {
        design.Designer->BeginDesignChange();
        design.Designer->MoveSelectionBy(dx, 0);
        dx = -dx;
        const auto start = Clock::now();
        design.Designer->EndDesignChange(true);
        state.SetIterationTime(Seconds(start));
    }
    if (design.Designer->History().Count() == 0) state.SkipWithError("no step was recorded");
}

// The anchor: the whole design written as a binary form stream, as a history of whole designs would.
void WriteWholeDesign(benchmark::State& state, bool pictures) {
    TDesignedForm design(state.range(0), pictures);
    for (auto _ : state) {
        const auto start = Clock::now();
        TMemoryStream stream;
        WriteRootBinary(design.Designer.get(), stream);
        state.SetIterationTime(Seconds(start));
    }
}

// A nudge of the selected button with its step, as Ctrl+arrow makes it.
void NudgeWithStep(benchmark::State& state, bool pictures) {
    TDesignedForm design(state.range(0), pictures);
    int dx = 1;
    for (auto _ : state) {
        const auto start = Clock::now();
        design.Designer->MoveSelectionBy(dx, 0);
        state.SetIterationTime(Seconds(start));
        dx = -dx;
    }
}

// The same nudge made on the button directly: no designer, no history.
void NudgeWithoutHistory(benchmark::State& state, bool pictures) {
    TDesignedForm design(state.range(0), pictures);
    TControl* button = design.Button(0);
    int dx = 1;
    for (auto _ : state) {
        const auto start = Clock::now();
        button->SetBounds(button->Left() + dx, button->Top(), button->Width(), button->Height());
        state.SetIterationTime(Seconds(start));
        dx = -dx;
    }
}

// Undo and redo of one nudge, one pair per iteration; the anchor nudges back and forth by hand.
void UndoRedoNudge(benchmark::State& state) {
    TDesignedForm design(state.range(0), false);
    design.Designer->MoveSelectionBy(1, 0);
    for (auto _ : state) {
        const auto start = Clock::now();
        design.Designer->Undo();
        design.Designer->Redo();
        state.SetIterationTime(Seconds(start));
    }
}

void NudgeBackAndForth(benchmark::State& state) {
    TDesignedForm design(state.range(0), false);
    TControl* button = design.Button(0);
    for (auto _ : state) {
        const auto start = Clock::now();
        button->SetBounds(button->Left() - 1, button->Top(), button->Width(), button->Height());
        button->SetBounds(button->Left() + 1, button->Top(), button->Width(), button->Height());
        state.SetIterationTime(Seconds(start));
    }
}

// Undo and redo of deleting ten buttons: they are made again and freed again. The anchor is what a
// person without undo would do: load the design saved before the delete.
void UndoRedoDelete10(benchmark::State& state) {
    TDesignedForm design(state.range(0), false);
    design.Designer->ClearSelection(true);
    for (int i = 0; i < 10; ++i)
        design.Designer->SelectObject(design.Button(i), false);
    design.Designer->DeleteSelection();
    for (auto _ : state) {
        const auto start = Clock::now();
        design.Designer->Undo();
        design.Designer->Redo();
        state.SetIterationTime(Seconds(start));
    }
}

void ReloadSavedDesign(benchmark::State& state) {
    TDesignedForm design(state.range(0), false);
    TMemoryStream saved;
    WriteRootText(design.Designer.get(), saved);
    for (auto _ : state) {
        saved.SetPosition(0);
        const auto start = Clock::now();
        ReadRootText(design.Designer.get(), saved);
        state.SetIterationTime(Seconds(start));
    }
}

// The memory one nudge step holds, with the pictures on the form.
void StepMemory(benchmark::State& state) {
    TDesignedForm design(state.range(0), true);
    design.Designer->MoveSelectionBy(1, 0);
    const size_t before = design.Designer->History().Bytes();
    for (auto _ : state) {
        const auto start = Clock::now();
        design.Designer->MoveSelectionBy(1, 0);
        state.SetIterationTime(Seconds(start));
    }
    const TDesignHistory& history = design.Designer->History();
    state.counters["value"] = double(history.Bytes() - before) / double(history.Count() - 1);
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application->Initialize();
    RegisterStreamableClasses();
    const char* const area = "Undo history on N buttons (ms; bytes where the figure says so)";
    const std::vector<long> sizes{100, 1000, 5000};
    const auto with = [](void (*fn)(benchmark::State&, bool), bool pictures) {
        return [fn, pictures](benchmark::State& s) { fn(s, pictures); };
    };
    RegisterBench(area, "record a nudge", "whole design as a form stream", sizes,
                  with(WriteWholeDesign, false), 40);
    RegisterBench(area, "record a nudge", "Formwright", sizes, with(RecordNudge, false), 1000);
    RegisterBench(area, "record a nudge, 3 pictures 2000x2000", "whole design as a form stream", sizes,
                  with(WriteWholeDesign, true), 10);
    RegisterBench(area, "record a nudge, 3 pictures 2000x2000", "Formwright", sizes, with(RecordNudge, true),
                  1000);
    RegisterBench(area, "nudge", "no history", sizes, with(NudgeWithoutHistory, false), 40);
    RegisterBench(area, "nudge", "Formwright", sizes, with(NudgeWithStep, false), 40);
    RegisterBench(area, "nudge, 3 pictures 2000x2000", "no history", sizes, with(NudgeWithoutHistory, true),
                  40);
    RegisterBench(area, "nudge, 3 pictures 2000x2000", "Formwright", sizes, with(NudgeWithStep, true), 40);
    RegisterBench(area, "undo and redo a nudge", "nudge back and forth", sizes, NudgeBackAndForth, 40);
    RegisterBench(area, "undo and redo a nudge", "Formwright", sizes, UndoRedoNudge, 40);
    RegisterBench(area, "undo and redo deleting 10", "load the saved design", sizes, ReloadSavedDesign, 10);
    RegisterBench(area, "undo and redo deleting 10", "Formwright", sizes, UndoRedoDelete10, 20);
    RegisterBench(area, "bytes per nudge step, 3 pictures", "Formwright", sizes, StepMemory, 20);
    return RunBenchTables(argc, argv);
}
