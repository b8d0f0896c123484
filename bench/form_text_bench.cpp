// Text <-> binary form conversion on a generated form of about 10 MB with nested objects and every kind
// of value. Both directions report the bytes of the text form, so the two MB/s figures compare.
#include "core/Streams.h"
#include "streaming/ObjectText.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr size_t TargetSize = 10 * 1024 * 1024;

void Line(std::string& text, int level, const std::string& content) {
    text.append(2 * level, ' ');
    text += content;
    text += "\r\n";
}

void Properties(std::string& text, int level, int n) {
    const std::string pad(static_cast<size_t>(n % 37), 'x');
    Line(text, level, "Left = " + std::to_string(n % 1000));
    Line(text, level, "Top = " + std::to_string(-(n % 100)));
    Line(text, level, "Tag = " + std::to_string(100000 + n));
    Line(text, level, "Ratio = 0." + std::to_string(1 + n % 999));
    Line(text, level, "Scale = 1.5E-" + std::to_string(5 + n % 20));
    Line(text, level, "Caption = 'Caption " + std::to_string(n) + "'#13#10'second line'");
    Line(text, level, "Hint = ");
    Line(text, level + 1,
         "'A long hint of more than sixty-four characters, with umlauts \xC3\xBC\xC3\xB6 and' +");
    Line(text, level + 1, "' a quote '#39'" + pad + "'#39");
    Line(text, level, "Align = alClient");
    Line(text, level, "Visible = True");
    Line(text, level, "Enabled = False");
    Line(text, level, "PopupMenu = nil");
    Line(text, level, "Font.Name = 'Sans'");
    Line(text, level, "Font.Style = [fsBold, fsItalic, fsUnderline]");
    Line(text, level, "Items.Strings = (");
    Line(text, level + 1, "'first'");
    Line(text, level + 1, "'second'");
    Line(text, level + 1, "3)");
    Line(text, level, "Picture.Data = {");
    for (int i = 0; i < 3; ++i)
        Line(text, level + 1, "000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F");
    Line(text, level + 1, "DEADBEEF}");
    Line(text, level, "Columns = <");
    Line(text, level + 1, "item");
    Line(text, level + 2, "Title = 'Name'");
    Line(text, level + 2, "Width = 120");
    Line(text, level + 1, "end");
    Line(text, level + 1, "item [1]");
    Line(text, level + 2, "Width = 64");
    Line(text, level + 1, "end>");
}

std::string GenerateForm() {
    std::string text;
    text.reserve(TargetSize + 64 * 1024);
    Line(text, 0, "object MainForm: TMainForm");
    Properties(text, 1, 0);
    int n = 1;
    while (text.size() < TargetSize) {
        Line(text, 1, "object Panel" + std::to_string(n) + ": TPanel");
        Properties(text, 2, n++);
        for (int child = 0; child < 3; ++child) {
            Line(text, 2,
                 "object Button" + std::to_string(n) + ": TButton [" + std::to_string(child + 1) + "]");
            Properties(text, 3, n++);
            Line(text, 2, "end");
        }
        Line(text, 1, "end");
    }
    Line(text, 0, "end");
    return text;
}

// The generated text in the writer's own layout, so that binary to text reproduces it exactly.
std::string CanonicalForm() {
    TStringStream generated(GenerateForm()), binary, text;
    ObjectTextToBinary(generated, binary);
    binary.SetPosition(0);
    ObjectBinaryToText(binary, text);
    return text.DataString();
}

const std::string& FormText() {
    static const std::string text = CanonicalForm();
    return text;
}

void LoadString(TMemoryStream& stream, const std::string& data) {
    stream.Clear();
    stream.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
}

void TextToBinary(benchmark::State& state) {
    TMemoryStream input, output;
    LoadString(input, FormText());
    for (auto _ : state) {
        input.SetPosition(0);
        output.SetPosition(0);
        ObjectTextToBinary(input, output);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FormText().size()));
    state.counters["binary_bytes"] = static_cast<double>(output.Position());
}

void BinaryToText(benchmark::State& state) {
    TMemoryStream text, binary, output;
    LoadString(text, FormText());
    text.SetPosition(0);
    ObjectTextToBinary(text, binary);
    for (auto _ : state) {
        binary.SetPosition(0);
        output.SetPosition(0);
        ObjectBinaryToText(binary, output);
    }
    if (output.Position() != static_cast<int64_t>(FormText().size())) state.SkipWithError("text differs");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FormText().size()));
}

BENCHMARK(TextToBinary)->Unit(benchmark::kMillisecond);
BENCHMARK(BinaryToText)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
