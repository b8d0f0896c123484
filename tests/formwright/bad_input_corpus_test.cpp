// Hostile form files loaded through the designer's text load: several hundred files, generated here (every
// truncation of a saved design, wrong tags, absurd lengths, deep nesting, huge strings, unknown classes and
// properties, odd names, wrong encodings, values of the wrong kind, pictures that decode to more memory
// than a load may take, a failing record after thousands of children), each written to a real file and
// loaded into the designed sample form. Every one fails with a message the user can act on, and the
// design is exactly as before: its saved text does not change, and it is sound. Others ask for sizes
// no screen shows (windows, grids, figures): those load, and the form shows whole.
#include "../bitmap_file.h"
#include "Formwright.h"
#include "FormwrightText.h"
#include "blank_png.h"
#include "core/Streams.h"
#include "design_invariants.h"
#include "formwright_support.h"
#include "graphics/Bitmap.h"
#include "temp_files.h"
#include "ui/Application.h"
#include "ui/Windows.h"
#include "widgets/Button.h"

#include <regex>

namespace {

struct TBadInput {
    std::string Name;
    std::string Text;
};

// Replaces the first occurrence of `from`, which must be there.
std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    if (at == std::string::npos) throw std::logic_error("not in the sample: " + from);
    text.replace(at, from.size(), to);
    return text;
}

// The sample with `lines` inserted before the line "end" that closes the child record starting with
// `header` (its first "  end" after it at the same indentation).
std::string InsertInto(const std::string& good, const std::string& header, const std::string& lines) {
    const size_t start = good.find(header);
    if (start == std::string::npos) throw std::logic_error("no record " + header);
    const std::string indent(header.find_first_not_of(' '), ' ');
    const size_t end = good.find("\r\n" + indent + "end\r\n", start);
    std::string text = good;
    text.insert(end + 2, lines);
    return text;
}

// The sample with `lines` inserted right after the header line that starts with `header`.
std::string InsertAfterHeader(const std::string& good, const std::string& header, const std::string& lines) {
    const size_t start = good.find(header);
    if (start == std::string::npos) throw std::logic_error("no record " + header);
    std::string text = good;
    text.insert(good.find("\r\n", start) + 2, lines);
    return text;
}

std::string Utf16(const std::string& ascii, bool bigEndian) {
    std::string result = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : ascii) {
        result += bigEndian ? '\0' : c;
        result += bigEndian ? c : '\0';
    }
    return result;
}

// Images whose Picture.Data holds `bytes` of `graphicClass`, to go among the root's children.
std::string ImagesHolding(int count, const std::string& graphicClass, const std::string& bytes) {
    std::string images;
    for (int i = 1; i <= count; ++i)
        images += "  object BombImage" + std::to_string(i) +
                  ": TImage\r\n    Left = " + std::to_string(8 * i) +
                  "\r\n    Picture.Data = " + PictureData(graphicClass, bytes, "      ") + "\r\n  end\r\n";
    return images;
}

std::string NestedPanels(int depth, const std::string& innermost) {
    std::string text = "object DesignSample: TDesignSample\r\n";
    for (int i = 1; i <= depth; ++i)
        text += "object Nest" + std::to_string(i) + ": TPanel\r\n";
    text += innermost;
    for (int i = 0; i <= depth; ++i)
        text += "end\r\n";
    return text;
}

// Every hostile file, made from `good`, the sample design as the designer saves it.
std::vector<TBadInput> BadInputs(const std::string& good) {
    std::vector<TBadInput> inputs;
    auto add = [&](std::string name, std::string text) {
        inputs.push_back({std::move(name), std::move(text)});
    };

    // Truncated anywhere before the last "end" is complete.
    const size_t lastEnd = good.rfind("end");
    for (size_t length = 0; length < lastEnd + 3; length += (length < 200 || length > lastEnd - 100) ? 1 : 7)
        add("truncated to " + std::to_string(length) + " bytes", good.substr(0, length));

    // Wrong tags and structure.
    add("misspelt object", Replace(good, "object DesignSample", "objekt DesignSample"));
    add("misspelt end of a child", Replace(good, "  end\r\n  object Button1", "  ende\r\n  object Button1"));
    add("a property after the children", InsertInto(good, "object DesignSample", "  Caption = 'late'\r\n"));
    add("a stray item", InsertInto(good, "  object Button1", "    item\r\n"));
    add("a collection in a string", Replace(good, "Caption = 'Button1'", "Caption = <\r\n  item\r\n  end>"));
    add("an inherited child with no ancestor", Replace(good, "object Button2", "inherited Button2"));
    add("an inline frame of no class",
        InsertInto(good, "object DesignSample", "  inline Frame1: TFrame1\r\n  end\r\n"));
    add("a child position that is no number",
        Replace(good, "object Button2: TButton", "object Button2: TButton [x]"));
    add("a header without a class", Replace(good, "object Button2: TButton", "object Button2:"));
    add("a property without a value", Replace(good, "Caption = 'Button1'", "Caption ="));
    add("a property without =", Replace(good, "Caption = 'Button1'", "Caption 'Button1'"));
    add("a list that never ends", Replace(good, "Caption = 'Button1'", "Caption = ('a'"));
    add("a set that never ends", Replace(good, "Caption = 'Button1'", "Caption = [a, b"));
    add("a binary that never ends", Replace(good, "Caption = 'Button1'", "Caption = {0102"));
    add("an empty file", "");
    add("blanks only", "  \r\n\t\r\n");
    add("text after the header keyword", "object\r\n");

    // Absurd lengths and numbers.
    add("a 300-byte property name",
        InsertInto(good, "  object Button1", "    " + std::string(300, 'P') + " = 1\r\n"));
    add("a 240-byte class name",
        Replace(good, "object Button2: TButton", "object Button2: T" + std::string(239, 'B')));
    add("a 300-byte component name",
        Replace(good, "object Button2:", "object B" + std::string(299, 'b') + ":"));
    add("a width of 10^20", Replace(good, "Width = 75", "Width = 100000000000000000000"));
    add("a left below 32 bits", Replace(good, "Left = 8", "Left = -2147483649"));
    add("a float that overflows", Replace(good, "Width = 75", "Width = 1e99999"));
    add("binary with an odd digit", Replace(good, "0000}", "000}"));
    add("a picture of garbage", Replace(good, "07544269746D6170", "07544269746D6171"));
    add("a picture cut short", Replace(good, "07544269746D6170F6000000424D", "07544269746D6170F6000000"));
    add("a character code beyond Unicode", Replace(good, "Caption = 'Button1'", "Caption = #1114112"));
    add("a lone surrogate", Replace(good, "Caption = 'Button1'", "Caption = #55357'x'"));

    // Huge strings that end badly: a megabyte caption whose quote never closes, and one followed by an
    // error further down.
    add("a megabyte unclosed string",
        Replace(good, "Caption = 'Button1'", "Caption = '" + std::string(1 << 20, 'x')));
    add("a megabyte string, then an error",
        Replace(Replace(good, "Caption = 'Button1'", "Caption = '" + std::string(1 << 20, 'y') + "'"),
                "Caption = 'Button2'", "Caption = Bogus!"));
    add("a hundred thousand pieces joined", Replace(
                                                good, "Caption = 'Button1'", "Caption = " + [] {
                                                    std::string pieces = "'a'";
                                                    for (int i = 0; i < 100000; ++i)
                                                        pieces += " + 'a'";
                                                    return pieces + " + ";
                                                }()));

    // Deep nesting.
    add("300 nested objects", NestedPanels(300, ""));
    add("200 nested panels, then an unknown property", NestedPanels(200, "Bogus = 1\r\n"));
    add("100000 open lists", Replace(good, "Caption = 'Button1'", "Caption = " + std::string(100000, '(')));
    add("100000 open collections", Replace(
                                       good, "Caption = 'Button1'", "Caption = " + [] {
                                           std::string nested;
                                           for (int i = 0; i < 100000; ++i)
                                               nested += "<item P = ";
                                           return nested;
                                       }()));

    // Pictures that decode to more than one load may take, alone or together.
    const std::string bomb = RunLengthBomb(16384);
    const std::string bitmapData = std::string{char(bomb.size()), 0, 0, 0} + bomb;
    add("four 64-byte bitmaps of 16384 x 16384 pixels",
        InsertInto(good, "object DesignSample", ImagesHolding(4, "TBitmap", bitmapData)));
    add("a PNG of 16384 x 16384 one-bit pixels",
        InsertInto(good, "object DesignSample", ImagesHolding(1, "TPngImage", BlankPng(16384, 16384))));
    const std::string half = RunLengthBomb(10000);
    add("three 64-byte bitmaps of 10000 x 10000 pixels",
        InsertInto(good, "object DesignSample",
                   ImagesHolding(3, "TBitmap", std::string{char(half.size()), 0, 0, 0} + half)));

    // A failing record after thousands of children of an inline record: all of them go again.
    add("an inline record whose last of 3000 children fails", InsertInto(good, "object DesignSample", [] {
            std::string frame = "  inline Frame1: TPanel\r\n";
            for (int i = 1; i <= 3000; ++i)
                frame += "    object Inner" + std::to_string(i) + ": TLabel\r\n    end\r\n";
            return frame + "    object Ghost1: TGhost\r\n    end\r\n  end\r\n";
        }()));

    // Unknown classes, and classes that are not components.
    for (const char* cls :
         {"TNoSuchButton", "TStringList", "TFont", "TObject", "TPersistent", "TFormwright"}) {
        add(std::string("a child of class ") + cls,
            Replace(good, "object Button2: TButton", std::string("object Button2: ") + cls));
        add(std::string("a nested child of class ") + cls,
            Replace(good, "object Button3: TButton", std::string("object Button3: ") + cls));
    }
    add("an unknown class after a hundred new buttons", InsertInto(good, "object DesignSample", [] {
            std::string children;
            for (int i = 10; i < 110; ++i)
                children += "  object Button" + std::to_string(i) + ": TButton\r\n  end\r\n";
            return children + "  object Ghost1: TGhost\r\n  end\r\n";
        }()));

    // Unknown properties and paths.
    for (const char* line : {"Bogus = 1", "Font.Bogus = 1", "Caption.Length = 1", "Bogus.Deeper.Still = 1",
                             "Font.Name.Size = 1", "Parent = Panel1", "ComponentCount = 3", "Owner = nil"}) {
        add(std::string("root property ") + line,
            InsertAfterHeader(good, "object DesignSample", std::string("  ") + line + "\r\n"));
        add(std::string("child property ") + line,
            InsertInto(good, "  object Button1", std::string("    ") + line + "\r\n"));
    }

    // Odd names.
    for (const char* name : {"1Button", "But-ton", "B\xF0\x9F\x98\x80",
                             "a\xE2\x86\x92"
                             "b",
                             "Lbl\xC4", "B\xC2\xA0n"})
        add(std::string("a child named ") + name,
            Replace(good, "object Button2:", std::string("object ") + name + ":"));
    add("two children of one name", Replace(good, "object Button2:", "object Button1:"));
    add("names that differ in case only", Replace(good, "object Button2:", "object BUTTON1:"));
    add("a nested child named like a top one", Replace(good, "object Button3:", "object Label1:"));

    // Wrong encodings.
    add("UTF-16 little-endian", Utf16(good, false));
    add("UTF-16 big-endian", Utf16(good, true));
    add("UTF-16 without a byte order mark", Utf16(good, false).substr(2));
    add("a zero byte in a name", Replace(good, "object Button2:", std::string("object But\0ton2:", 16)));
    add("a zero byte between properties",
        Replace(good, "  Caption = 'Button1'", std::string("  \0Caption = 'Button1'", 22)));
    add("a binary form stream", "TPF0\x0dTDesignSample\x0c"
                                "DesignSample\x00\x00");
    add("a picture file", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
    add("a byte order mark and nothing", "\xEF\xBB\xBF");
    add("two byte order marks", "\xEF\xBB\xBF" + std::string("\xEF\xBB\xBF") + good);

    // Values of the wrong kind.
    for (const char* line :
         {"Visible = 5", "Left = 'abc'", "Left = 1.5", "Left = True", "Caption = True", "Caption = 5",
          "Cursor = crNoSuchCursor", "Color = clNoSuchColor", "Font.Style = [fsNothing]", "Font.Style = 3",
          "Font.Name = ['x']", "OnClick = NoSuchHandler", "OnClick = 'Button1Click'", "TabOrder = alClient",
          "Hint = {00}", "Enabled = nil", "ModalResult = mrNoSuchResult", "Cancel = (True)"})
        add(std::string("child value ") + line,
            InsertInto(good, "  object Button1", std::string("    ") + line + "\r\n"));
    return inputs;
}

// The messages the load gives: the conversion's, with the line; the reader's; the framework's.
bool IsClearMessage(const std::string& message) {
    static const std::regex patterns[] = {
        std::regex(
            R"((Identifier expected|String expected|Number expected|'.+' expected|Invalid property value|)"
            R"(Integer out of range|Identifier too long|Nesting deeper than \d+ levels) on line \d+)"),
        std::regex(R"(Class \S+ not found)"),
        std::regex(R"(Error reading \S+\.\S+: .+)"),
        std::regex(R"(Ancestor for '\S+' not found)"),
        std::regex(R"(A component named \S+ already exists)"),
        std::regex(R"(Nesting deeper than \d+ levels)"),
    };
    return std::any_of(std::begin(patterns), std::end(patterns),
                       [&](const std::regex& p) { return std::regex_match(message, p); });
}

struct BadInputCorpus : DesignedSample {};

TEST_F(BadInputCorpus, EveryHostileFileFailsClearlyAndLeavesTheDesignAsItWas) {
    TempDir folder;
    const std::string file = folder.File("hostile.txt");
    Designer->SelectObject(Form->Button1, true);
    Designer->SelectionChanged();
    const std::string before = SavedDesignText(*Designer);

    const std::vector<TBadInput> inputs = BadInputs(before);
    EXPECT_GE(inputs.size(), 200u);
    for (const TBadInput& input : inputs) {
        SCOPED_TRACE(input.Name);
        WriteFile(file, input.Text);
        std::string message = "(loaded)";
        try {
            LoadRootFromTextFile(Designer, file);
        } catch (const Exception& e) {
            message = e.Message();
        }
        EXPECT_TRUE(IsClearMessage(message)) << message.substr(0, 200);
        const std::string after = SavedDesignText(*Designer);
        EXPECT_EQ(after, before);
        EXPECT_EQ(DesignProblems(*Designer), std::vector<std::string>{});
        EXPECT_EQ(Inspector->UpdateDepth, 0);
        if (after != before) {
            // Go on from the sample, so one failure does not fail every case after it.
            TStringStream sample(before);
            ReadRootText(Designer, sample);
        }
    }
}

// Designs that ask for sizes no screen shows: each loads into the designed form, which then shows whole.
TEST_F(BadInputCorpus, DesignsOfSizesNoScreenShowsLoadAndShowWhole) {
    const std::string sample = SavedDesignText(*Designer);
    const std::string shapes = [] {
        std::string text;
        const char* kinds[] = {"stRectangle", "stSquare", "stRoundRect", "stEllipse", "stCircle"};
        for (int i = 0; i < 5; ++i)
            text += "  object Shape" + std::to_string(i + 1) +
                    ": TShape\r\n    Left = " + std::to_string(8 + 20 * i) +
                    "\r\n    Width = 16777215\r\n    Height = 16777215\r\n    Pen.Style = psDot\r\n"
                    "    Shape = " +
                    kinds[i] + "\r\n  end\r\n";
        return text;
    }();
    const std::string grid = "  object StringGrid9: TStringGrid\r\n";
    const struct {
        const char* name;
        std::string text;
    } designs[] = {
        {"a form 3 000 000 pixels high",
         "object DesignSample: TDesignSample\r\n  Height = 3000000\r\nend\r\n"},
        {"a form of the largest size each way",
         "object DesignSample: TDesignSample\r\n  Width = 2147483647\r\n  Height = 2147483647\r\nend\r\n"},
        {"five dotted shapes 16 777 215 pixels wide",
         "object DesignSample: TDesignSample\r\n" + shapes + "end\r\n"},
        {"a shape at the farthest place of the largest size",
         "object DesignSample: TDesignSample\r\n  object Shape9: TShape\r\n    Left = 2147483647\r\n"
         "    Top = -2147483648\r\n    Width = 2147483647\r\n    Height = 2147483647\r\n  end\r\nend\r\n"},
        {"a grid of half a billion rows and columns",
         "object DesignSample: TDesignSample\r\n" + grid +
             "    ColCount = 500000000\r\n    RowCount = 500000000\r\n    ColWidths = (\r\n      30\r\n      "
             "0)\r\n"
             "    RowHeights = (\r\n      30)\r\n  end\r\nend\r\n"},
        {"a grid of half a billion fixed rows of no height",
         "object DesignSample: TDesignSample\r\n" + grid +
             "    DefaultRowHeight = 0\r\n    GridLineWidth = 0\r\n    RowCount = 500000000\r\n"
             "    FixedRows = 499999999\r\n  end\r\nend\r\n"},
    };
    for (const auto& design : designs) {
        SCOPED_TRACE(design.name);
        TStringStream text(design.text);
        ReadRootText(Designer, text);
        EXPECT_EQ(DesignProblems(*Designer), std::vector<std::string>{});
        Application->ProcessMessages();
        TBitmap shown;
        GrabWindow(Form->Handle(), shown);
        const TRect client = GetClientRect(Form->Handle());
        EXPECT_FALSE(shown.Empty());
        EXPECT_EQ(TRect(0, 0, shown.Width(), shown.Height()), client);
        EXPECT_LE(client.Height(), 16384) << "no window larger than a screen could show";
        TStringStream back(sample);
        ReadRootText(Designer, back);
    }
}

} // namespace
