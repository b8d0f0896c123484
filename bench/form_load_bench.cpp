// Loading a form of N controls against what a user would pick instead, in the same run: creating the
// same Qt widgets by hand, and QUiLoader on the equivalent .ui document. Per size: text form to hidden
// live controls, the first show with its paint, destroying the form, and the heap each control takes
// (hidden, then shown).
#include "BenchTable.h"

#include "core/ClassRegistry.h"
#include "core/Streams.h"
#include "streaming/ObjectText.h"
#include "streaming/Reader.h"
#include "ui/Application.h"
#include "ui/Form.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUiLoader>
#include <QWidget>

#include <chrono>
#include <cstdlib>
#include <malloc.h>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// The i-th control: its kind (button, edit, label, check box) and bounds, the same for every subject.
struct TSpec {
    int Kind, Left, Top, Width, Height;
    std::string Name;
};

TSpec SpecOf(int i) {
    static const char* const names[] = {"Button", "Edit", "Label", "CheckBox"};
    const int kind = i % 4;
    return {kind, 8 + (i % 20) * 84, 8 + (i / 20) * 28, 80, 24, names[kind] + std::to_string(i + 1)};
}

std::string FormText(long n) {
    static const char* const classes[] = {"TButton", "TEdit", "TLabel", "TCheckBox"};
    std::string text = "object BenchForm: TForm\n  Left = 0\n  Top = 0\n  Width = 1700\n  Height = 1000\n"
                       "  Caption = 'Bench'\n";
    for (int i = 0; i < n; ++i) {
        const TSpec s = SpecOf(i);
        text += "  object " + s.Name + ": " + classes[s.Kind] + "\n";
        text += "    Left = " + std::to_string(s.Left) + "\n    Top = " + std::to_string(s.Top) +
                "\n    Width = " + std::to_string(s.Width) + "\n    Height = " + std::to_string(s.Height) +
                "\n";
        text += std::string(s.Kind == 1 ? "    Text = '" : "    Caption = '") + s.Name + "'\n  end\n";
    }
    return text + "end\n";
}

std::string UiText(long n) {
    static const char* const classes[] = {"QPushButton", "QLineEdit", "QLabel", "QCheckBox"};
    auto rect = [](int x, int y, int w, int h) {
        return "<property name=\"geometry\"><rect><x>" + std::to_string(x) + "</x><y>" + std::to_string(y) +
               "</y><width>" + std::to_string(w) + "</width><height>" + std::to_string(h) +
               "</height></rect></property>";
    };
    std::string ui = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><ui version=\"4.0\"><class>BenchForm</class>"
                     "<widget class=\"QWidget\" name=\"BenchForm\">" +
                     rect(0, 0, 1700, 1000) +
                     "<property name=\"windowTitle\"><string>Bench</string></property>";
    for (int i = 0; i < n; ++i) {
        const TSpec s = SpecOf(i);
        ui += std::string("<widget class=\"") + classes[s.Kind] + "\" name=\"" + s.Name + "\">" +
              rect(s.Left, s.Top, s.Width, s.Height) + "<property name=\"text\"><string>" + s.Name +
              "</string></property></widget>";
    }
    return ui + "</widget></ui>";
}

// ---- the three subjects: load a hidden form, show it, free it ------------------------------------------

struct TSubject {
    virtual ~TSubject() = default;
    virtual void Load(long n) = 0;
    virtual QWidget* Top() = 0;
    virtual void Destroy() = 0;
};

struct TFormwrightForm : TSubject {
    TForm* Form = nullptr;
    void Load(long n) override {
        static std::string text;
        static long textN = -1;
        if (textN != n) text = FormText(textN = n);
        TMemoryStream input, binary;
        input.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
        input.SetPosition(0);
        ObjectTextToBinary(input, binary);
        binary.SetPosition(0);
        Form = new TForm(nullptr);
        TReader reader(binary, 4096);
        reader.ReadRootComponent(Form);
        Form->HandleNeeded(); // live: every control has its window, as the Qt widgets are
    }
    QWidget* Top() override {
        Form->Show();
        // The framework keeps its widgets to itself: the form's is the shown window with its caption.
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && window->windowTitle() == QLatin1String("Bench")) return window;
        return nullptr;
    }
    void Destroy() override {
        delete Form;
        Form = nullptr;
    }
};

// A form of Qt widgets, however it was made.
struct TQtForm : TSubject {
    QWidget* Form = nullptr;
    QWidget* Top() override {
        Form->show();
        return Form;
    }
    void Destroy() override {
        delete Form;
        Form = nullptr;
    }
};

struct TDirectQt : TQtForm {
    void Load(long n) override {
        Form = new QWidget;
        Form->setGeometry(0, 0, 1700, 1000);
        Form->setWindowTitle("Bench");
        for (int i = 0; i < n; ++i) {
            const TSpec s = SpecOf(i);
            const QString text = QString::fromStdString(s.Name);
            QWidget* w;
            switch (s.Kind) {
            case 0:
                w = new QPushButton(text, Form);
                break;
            case 1:
                w = new QLineEdit(text, Form);
                break;
            case 2:
                w = new QLabel(text, Form);
                break;
            default:
                w = new QCheckBox(text, Form);
                break;
            }
            w->setObjectName(text);
            w->setGeometry(s.Left, s.Top, s.Width, s.Height);
        }
    }
};

struct TUiLoader : TQtForm {
    void Load(long n) override {
        static QByteArray ui;
        static long uiN = -1;
        if (uiN != n) ui = QByteArray::fromStdString(UiText(uiN = n));
        QBuffer buffer(&ui);
        buffer.open(QIODevice::ReadOnly);
        QUiLoader loader;
        Form = loader.load(&buffer);
    }
};

void Settle() {
    Application->ProcessMessages();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

size_t HeapInUse() {
    return mallinfo2().uordblks;
}

enum TFigure { fgLoad, fgShow, fgDestroy, fgHeapHidden, fgHeapShown };

template <class S> void Measure(benchmark::State& state, TFigure figure) {
    const long n = state.range(0);
    for (auto _ : state) {
        S subject;
        Settle();
        const size_t heapBefore = HeapInUse();
        auto start = Clock::now();
        subject.Load(n);
        const double load = Seconds(start);
        const size_t heapHidden = HeapInUse();
        start = Clock::now();
        subject.Top()->repaint();
        Settle();
        const double show = Seconds(start);
        const size_t heapShown = HeapInUse();
        start = Clock::now();
        subject.Destroy();
        Settle();
        const double destroy = Seconds(start);
        switch (figure) {
        case fgLoad:
            state.SetIterationTime(load);
            break;
        case fgShow:
            state.SetIterationTime(show);
            break;
        case fgDestroy:
            state.SetIterationTime(destroy);
            break;
        case fgHeapHidden:
            state.SetIterationTime(load);
            state.counters["value"] = double(heapHidden - heapBefore) / double(n);
            break;
        case fgHeapShown:
            state.SetIterationTime(show);
            state.counters["value"] = double(heapShown - heapBefore) / double(n);
            break;
        }
    }
}

template <class S> void RegisterSubject(const std::string& name) {
    const std::vector<long> sizes{100, 1000, 10000};
    const std::pair<const char*, TFigure> figures[] = {
        {"text form -> live hidden controls", fgLoad},
        {"first show + paint", fgShow},
        {"destroy the form", fgDestroy},
        {"heap bytes per control, hidden", fgHeapHidden},
        {"heap bytes per control, shown", fgHeapShown},
    };
    for (const auto& [figure, which] : figures)
        RegisterBench(
            "Loading a form of N controls", figure, name, sizes,
            [which = which](benchmark::State& state) { Measure<S>(state, which); }, 30);
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application->Initialize();
    RegisterStreamableClasses();
    // The first form shown pays for fonts and styles once; none of the subjects should.
    for (TSubject* warmUp :
         std::initializer_list<TSubject*>{new TDirectQt, new TUiLoader, new TFormwrightForm}) {
        warmUp->Load(40);
        warmUp->Top()->repaint();
        warmUp->Destroy();
        delete warmUp;
    }
    Settle();
    RegisterSubject<TDirectQt>("direct Qt");
    RegisterSubject<TUiLoader>("QUiLoader");
    RegisterSubject<TFormwrightForm>("Formwright");
    return RunBenchTables(argc, argv);
}
