// Crafted input that costs time out of all proportion to its size, each against the ordinary input of the
// same size measured in the same run: an inline record whose last child fails, a paste of many copies of
// one control, shapes drawn with a dotted pen far larger than the form shows, and the colour dialog over a
// settings file of many custom colours. Each figure should grow with N as its anchor does (exponent 1), or
// not at all where the work is bounded by what can be seen.
#include "BenchTable.h"

#include "ComponentList.h"
#include "EditorRegistry.h"
#include "Formwright.h"
#include "FormwrightText.h"
#include "PropertyEditor.h"
#include "SpecialisedEditors.h"
#include "core/ClassRegistry.h"
#include "core/Streams.h"
#include "core/StringList.h"
#include "dialogs/ColorDialog.h"
#include "graphics/Bitmap.h"
#include "graphics/Clipboard.h"
#include "settings/RegIniFile.h"
#include "streaming/ObjectText.h"
#include "streaming/Reader.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/ModalLoop.h"
#include "ui/Windows.h"
#include "widgets/Panel.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

std::unique_ptr<TMemoryStream> Binary(const std::string& text) {
    TStringStream input(text);
    auto binary = std::make_unique<TMemoryStream>();
    ObjectTextToBinary(input, *binary);
    binary->SetPosition(0);
    return binary;
}

// ---- an inline record of N children -----------------------------------------------------------------------

std::string InlineRecord(long n, bool lastFails) {
    std::string text = "object BenchForm: TForm\n  inline Frame1: TPanel\n";
    for (long i = 1; i <= n; ++i)
        text += "    object Button" + std::to_string(i) + ": TButton\n    end\n";
    if (lastFails) text += "    object Ghost1: TNoSuchClass\n    end\n";
    return text + "  end\nend\n";
}

void ReadInline(benchmark::State& state, bool lastFails) {
    const auto binary = Binary(InlineRecord(state.range(0), lastFails));
    for (auto _ : state) {
        TForm form(nullptr);
        binary->SetPosition(0);
        const auto start = Clock::now();
        try {
            TReader reader(*binary, 4096);
            reader.ReadRootComponent(&form);
        } catch (const Exception&) {
        }
        state.SetIterationTime(Seconds(start));
    }
}

// ---- pasting N copies of one button -----------------------------------------------------------------------

struct TDesigned {
    TForm Form{nullptr};
    TFormwright Designer;
    TDesigned() {
        Form.SetBounds(0, 0, 640, 480);
        Form.Show();
        Designer.SetRoot(&Form);
    }
    ~TDesigned() { Designer.SetRoot(nullptr); }
    void Load(const std::string& text) {
        TStringStream input(text);
        ReadRootText(&Designer, input);
    }
};

std::string ButtonsForm(long n) {
    std::string text = "object BenchForm: TForm\n";
    for (long i = 1; i <= n; ++i)
        text += "  object Button" + std::to_string(i) + ": TButton\n  end\n";
    return text + "end\n";
}

void LoadButtons(benchmark::State& state) {
    TDesigned d;
    const std::string text = ButtonsForm(state.range(0));
    for (auto _ : state) {
        const auto start = Clock::now();
        d.Load(text);
        Application->ProcessMessages();
        state.SetIterationTime(Seconds(start));
        d.Load("object BenchForm: TForm\nend\n");
    }
}

void PasteCopies(benchmark::State& state) {
    TDesigned d;
    std::string blocks;
    for (long i = 0; i < state.range(0); ++i)
        blocks += "object Button1: TButton\nend\n";
    for (auto _ : state) {
        d.Load("object BenchForm: TForm\n  object Button1: TButton\n  end\nend\n");
        d.Designer.ClearSelection(true);
        Clipboard()->SetAsText(blocks);
        const auto start = Clock::now();
        d.Designer.PasteSelection();
        Application->ProcessMessages();
        state.SetIterationTime(Seconds(start));
    }
}

// ---- shapes larger than the form --------------------------------------------------------------------------

std::string ShapesForm(long side, const char* penStyle) {
    static const char* const shapes[] = {"stRectangle", "stSquare", "stRoundRect", "stEllipse", "stCircle"};
    std::string text = "object BenchForm: TForm\n  Width = 400\n  Height = 300\n";
    for (int i = 0; i < 5; ++i)
        text += "  object Shape" + std::to_string(i + 1) +
                ": TShape\n    Left = " + std::to_string(8 + 20 * i) +
                "\n    Top = " + std::to_string(8 + 20 * i) + "\n    Width = " + std::to_string(side) +
                "\n    Height = " + std::to_string(side) + "\n    Pen.Style = " + penStyle +
                "\n    Shape = " + shapes[i] + "\n  end\n";
    return text + "end\n";
}

void PaintShapes(benchmark::State& state, const char* penStyle) {
    TForm form(nullptr);
    const auto binary = Binary(ShapesForm(state.range(0), penStyle));
    TReader reader(*binary, 4096);
    reader.ReadRootComponent(&form);
    form.Show();
    Application->ProcessMessages();
    TBitmap picture;
    for (auto _ : state) {
        const auto start = Clock::now();
        GrabWindow(form.Handle(), picture);
        state.SetIterationTime(Seconds(start));
    }
}

// ---- the colour dialog over N custom colours --------------------------------------------------------------

// The settings file of the custom colours, in a folder of this run, holding N of them.
struct TCustomColors {
    std::filesystem::path Folder;
    std::string File;
    explicit TCustomColors(long n) {
        char pattern[] = "/tmp/bench-colours-XXXXXX";
        Folder = mkdtemp(pattern);
        setenv("XDG_CONFIG_HOME", Folder.c_str(), 1);
        File = TRegIniFile(TColorProperty::CustomColorsKey).FileName();
        std::ofstream out(File, std::ios::trunc);
        out << "[Custom%20Colors]\n";
        for (long i = 0; i < n; ++i)
            out << "Color" << i << "=" << std::hex << (i * 4099 % 0xFFFFFF) << std::dec << "\n";
    }
    ~TCustomColors() { std::filesystem::remove_all(Folder); }
};

// What a program would do without the dialog: write the N values with QSettings' own batching, once.
void WriteColoursOnce(benchmark::State& state) {
    TCustomColors colours(state.range(0));
    for (auto _ : state) {
        const auto start = Clock::now();
        TRegIniFile settings(TColorProperty::CustomColorsKey);
        TStringList lines;
        settings.ReadSectionValues(TColorProperty::CustomColorsSection, lines);
        std::ofstream out(colours.File, std::ios::trunc);
        out << "[Custom%20Colors]\n";
        for (int i = 0; i < lines.Count(); ++i)
            out << lines.Strings(i) << "\n";
        out.close();
        state.SetIterationTime(Seconds(start));
    }
}

void CancelColourDialog(benchmark::State& state) {
    TCustomColors colours(state.range(0));
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    TFormwright designer;
    TComponentList selection;
    selection.Add(panel);
    std::unique_ptr<TPropertyEditor> editor;
    GetComponentProperties(&selection, tkAny, &designer, [&](std::unique_ptr<TPropertyEditor> e) {
        if (e->GetName() == "Color") editor = std::move(e);
    });
    if (!editor) return state.SkipWithError("no Color editor");
    for (auto _ : state) {
        TModalDriver::QueueAction([](TObject* window) {
            if (auto* dialog = dynamic_cast<TColorDialog*>(window)) dialog->ClickPart(dpCancel);
        });
        const auto start = Clock::now();
        editor->Edit();
        state.SetIterationTime(Seconds(start));
    }
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application->Initialize();
    RegisterStreamableClasses();
    const std::vector<long> children{5000, 10000, 20000};
    const char* const inlineArea = "Inline record of N children";
    RegisterBench(
        inlineArea, "read", "last child fine", children, [](benchmark::State& s) { ReadInline(s, false); },
        10);
    RegisterBench(
        inlineArea, "read", "last child fails", children, [](benchmark::State& s) { ReadInline(s, true); },
        10);

    const std::vector<long> copies{1000, 4000, 16000};
    const char* const pasteArea = "Pasting N copies of one button";
    RegisterBench(pasteArea, "N buttons", "designer load", copies, LoadButtons, 8);
    RegisterBench(pasteArea, "N buttons", "paste", copies, PasteCopies, 8);

    const std::vector<long> sides{1000, 100000, 16777215};
    const char* const shapeArea = "Paint of five shapes N pixels wide on a 400 x 300 form";
    RegisterBench(
        shapeArea, "paint", "solid pen", sides, [](benchmark::State& s) { PaintShapes(s, "psSolid"); }, 5);
    RegisterBench(
        shapeArea, "paint", "dotted pen", sides, [](benchmark::State& s) { PaintShapes(s, "psDot"); }, 5);

    const std::vector<long> colours{250, 1000, 4000};
    const char* const colourArea = "Colour dialog over N custom colours, cancelled";
    RegisterBench(colourArea, "settings written", "file written once", colours, WriteColoursOnce, 8);
    RegisterBench(colourArea, "settings written", "colour editor", colours, CancelColourDialog, 8);
    return RunBenchTables(argc, argv);
}
