// Text <-> binary form conversion on a generated form of 1 and 10 MB with nested objects and every kind
// of value, against a fast DOM JSON parser and writer on a JSON document of the same objects and the same
// size: parsing into the DOM stands against text to binary, writing the DOM out against binary to text.
#include "BenchTable.h"
#include "core/Streams.h"
#include "streaming/ObjectText.h"

#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <chrono>
#include <map>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

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

std::string GenerateForm(size_t targetSize) {
    std::string text;
    text.reserve(targetSize + 64 * 1024);
    Line(text, 0, "object MainForm: TMainForm");
    Properties(text, 1, 0);
    int n = 1;
    while (text.size() < targetSize) {
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

// The same objects as JSON: {"name", "class", "props": {...}, "children": [...]}, until `targetSize`.
void JsonProperties(std::string& json, int n) {
    const std::string pad(static_cast<size_t>(n % 37), 'x');
    json += "\"props\":{\"Left\":" + std::to_string(n % 1000) + ",\"Top\":" + std::to_string(-(n % 100)) +
            ",\"Tag\":" + std::to_string(100000 + n) + ",\"Ratio\":0." + std::to_string(1 + n % 999) +
            ",\"Scale\":1.5E-" + std::to_string(5 + n % 20) + ",\"Caption\":\"Caption " + std::to_string(n) +
            "\\r\\nsecond line\",\"Hint\":\"A long hint of more than sixty-four characters, with umlauts "
            "\xC3\xBC\xC3\xB6 and a quote '" +
            pad +
            "'\",\"Align\":\"alClient\",\"Visible\":true,"
            "\"Enabled\":false,\"PopupMenu\":null,\"Font.Name\":\"Sans\",\"Font.Style\":[\"fsBold\","
            "\"fsItalic\",\"fsUnderline\"],\"Items.Strings\":[\"first\",\"second\",3],\"Picture.Data\":\"";
    for (int i = 0; i < 3; ++i)
        json += "000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F";
    json += "DEADBEEF\",\"Columns\":[{\"Title\":\"Name\",\"Width\":120},{\"index\":1,\"Width\":64}]}";
}

std::string GenerateJson(size_t targetSize) {
    std::string json;
    json.reserve(targetSize + 64 * 1024);
    json += "{\"name\":\"MainForm\",\"class\":\"TMainForm\",";
    JsonProperties(json, 0);
    json += ",\"children\":[";
    int n = 1;
    while (json.size() < targetSize) {
        if (n > 1) json += ',';
        json += "{\"name\":\"Panel" + std::to_string(n) + "\",\"class\":\"TPanel\",";
        JsonProperties(json, n++);
        json += ",\"children\":[";
        for (int child = 0; child < 3; ++child) {
            if (child) json += ',';
            json += "{\"name\":\"Button" + std::to_string(n) +
                    "\",\"class\":\"TButton\",\"index\":" + std::to_string(child + 1) + ',';
            JsonProperties(json, n++);
            json += '}';
        }
        json += "]}";
    }
    return json + "]}";
}

// The generated text in the writer's own layout, so that binary to text reproduces it exactly.
std::string CanonicalForm(size_t targetSize) {
    TStringStream generated(GenerateForm(targetSize)), binary, text;
    ObjectTextToBinary(generated, binary);
    binary.SetPosition(0);
    ObjectBinaryToText(binary, text);
    return text.DataString();
}

// The texts by size in MB: the form and a JSON document at least as long.
const std::string& FormText(long megabytes) {
    static std::map<long, std::string> texts;
    auto& text = texts[megabytes];
    if (text.empty()) text = CanonicalForm(static_cast<size_t>(megabytes) << 20);
    return text;
}

const std::string& JsonText(long megabytes) {
    static std::map<long, std::string> texts;
    auto& text = texts[megabytes];
    if (text.empty()) text = GenerateJson(FormText(megabytes).size());
    return text;
}

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

void LoadString(TMemoryStream& stream, const std::string& data) {
    stream.Clear();
    stream.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
}

void TextToBinary(benchmark::State& state) {
    const std::string& text = FormText(state.range(0));
    TMemoryStream input, output;
    LoadString(input, text);
    for (auto _ : state) {
        input.SetPosition(0);
        output.SetPosition(0);
        const auto start = Clock::now();
        ObjectTextToBinary(input, output);
        state.SetIterationTime(Seconds(start));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BinaryToText(benchmark::State& state) {
    const std::string& text = FormText(state.range(0));
    TMemoryStream input, binary, output;
    LoadString(input, text);
    input.SetPosition(0);
    ObjectTextToBinary(input, binary);
    for (auto _ : state) {
        binary.SetPosition(0);
        output.SetPosition(0);
        const auto start = Clock::now();
        ObjectBinaryToText(binary, output);
        state.SetIterationTime(Seconds(start));
    }
    if (output.Position() != static_cast<int64_t>(text.size())) state.SkipWithError("text differs");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void JsonParse(benchmark::State& state) {
    const std::string& json = JsonText(state.range(0));
    for (auto _ : state) {
        rapidjson::Document document;
        const auto start = Clock::now();
        document.Parse(json.data(), json.size());
        state.SetIterationTime(Seconds(start));
        if (document.HasParseError()) state.SkipWithError("JSON does not parse");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * json.size()));
}

void JsonWrite(benchmark::State& state) {
    const std::string& json = JsonText(state.range(0));
    rapidjson::Document document;
    document.Parse(json.data(), json.size());
    for (auto _ : state) {
        rapidjson::StringBuffer buffer;
        const auto start = Clock::now();
        rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
        document.Accept(writer);
        state.SetIterationTime(Seconds(start));
        benchmark::DoNotOptimize(buffer.GetString());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * json.size()));
}

} // namespace

int main(int argc, char** argv) {
    const char* const area = "Form text and binary, document of N MB";
    const std::vector<long> sizes{1, 10};
    RegisterBench(area, "text -> binary", "JSON DOM parse", sizes, JsonParse, 50);
    RegisterBench(area, "text -> binary", "Formwright", sizes, TextToBinary, 50);
    RegisterBench(area, "binary -> text", "JSON DOM write", sizes, JsonWrite, 50);
    RegisterBench(area, "binary -> text", "Formwright", sizes, BinaryToText, 50);
    return RunBenchTables(argc, argv);
}
