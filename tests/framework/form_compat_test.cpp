// Form files as other programs write them: UTF-16 surrogate pairs as two character codes, embedded
// frames ("inline" headers), identifiers in any script, and the corpus of hand-written forms, seeds and
// fuzzer findings in fuzz/corpus that every build converts.
#include "test_classes.h"

#include "object_text_support.h"

#include "core/Streams.h"
#include "core/SysUtils.h"
#include "streaming/ObjectText.h"
#include "streaming/Reader.h"
#include "streaming/Writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// The value of the one property P of "object T / P = <value> / end", as text written back.
std::string ValueText(const std::string& value) {
    const std::string text = ToText(ToBinary(Crlf("object T\n  P = " + value + "\nend\n")));
    const size_t start = text.find("P = ") + 4;
    return text.substr(start, text.rfind("\r\nend") - start);
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

TEST(FormCompat, SurrogatePairsAreOneCharacter) {
    const struct {
        const char* Name;
        std::string Value;
        std::string Written;
    } cases[] = {
        {"a pair alone", "#55357#56832", "'\xF0\x9F\x98\x80'"},
        {"a pair between quoted runs", "'a'#55357#56832'b'",
         "'a\xF0\x9F\x98\x80"
         "b'"},
        {"the first and the last astral character", "#55296#56320#56319#57343",
         "'\xF0\x90\x80\x80\xF4\x8F\xBF\xBF'"},
        {"a pair split by a line break", "'x'#55357 +\n    #57032'y'", "'x\xF0\x9F\x9B\x88y'"},
        {"a split pair, then more pieces", "#55357 +\n  #56832 + 'z' + #55357#56833",
         "'\xF0\x9F\x98\x80z\xF0\x9F\x98\x81'"},
        {"codes below the surrogates stay as they were", "#55295#57344", "'\xED\x9F\xBF\xEE\x80\x80'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(ValueText(c.Value), c.Written);
    }
}

TEST(FormCompat, LoneSurrogatesAreInvalid) {
    const struct {
        const char* Name;
        std::string Text;
        const char* Expected;
    } cases[] = {
        {"high alone", "object T\n  P = #55357\nend\n", "Invalid property value on line 2"},
        {"low alone", "object T\n  P = #56832\nend\n", "Invalid property value on line 2"},
        {"low before high", "object T\n  P = #56832#55357\nend\n", "Invalid property value on line 2"},
        {"two highs", "object T\n  P = #55357#55357\nend\n", "Invalid property value on line 2"},
        {"high then a quoted run", "object T\n  P = #55357'a'\nend\n", "Invalid property value on line 2"},
        {"high then an ordinary code", "object T\n  P = #55357#65\nend\n",
         "Invalid property value on line 2"},
        {"high, plus, quoted run", "object T\n  P = #55357 +\n  'a'\nend\n",
         "Invalid property value on line 2"},
        {"high at the end of the value", "object T\n  P = 'a'#55357\n  Q = 1\nend\n",
         "Invalid property value on line 2"},
        {"high at the end of the input", "object T\n  P = #55357", "Invalid property value on line 2"},
        // Without "+" two strings are two list items, not one character.
        {"high and low in two list items", "object T\n  P = (\n    #55357\n    #56832)\nend\n",
         "Invalid property value on line 3"},
        {"high, plus, not a string", "object T\n  P = #55357 + 5\nend\n", "Invalid property value on line 2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(ParserMessage(Crlf(c.Text)), c.Expected);
    }
}

TEST(FormCompat, InlineHeaders) {
    // The inline flag is bit 2 of the prefix byte, beside the others.
    EXPECT_EQ(ToBinary(Crlf("inline Frame1: TFrame1\nend\n")), "TPF0\xF4\x07TFrame1\x06"
                                                               "Frame1\x00\x00"s);
    EXPECT_EQ(ToBinary(Crlf("InLine Frame1: TFrame1 [2]\nend\n")), "TPF0\xF6\x02\x02\x07TFrame1\x06"
                                                                   "Frame1\x00\x00"s);

    const char* canonical[] = {
        "object Form1: TForm1\n  inline Frame11: TFrame1\n    Left = 8\n    inherited Button1: TButton\n"
        "      Caption = 'Changed'\n    end\n    inline Frame21: TFrame2 [1]\n    end\n  end\nend\n",
        "inline TFrame1\nend\n",
    };
    for (const char* text : canonical) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ToText(ToBinary(Crlf(text))), Crlf(text));
    }

    // An inherited record that is also inline is written as inherited.
    EXPECT_EQ(ToText("TPF0\xF5\x02TF\x01"
                     "F\x00\x00"s),
              Crlf("inherited F: TF\nend\n"));
    // "inline" ends a property list as "object" does, so it cannot name a property.
    EXPECT_EQ(ParserMessage(Crlf("object T\n  inline = 1\nend\n")), "Identifier expected on line 2");
    EXPECT_THROW(ToText("TPF0\x01T\x00\x06inline\x02\x01\x00\x00"s), EReadError);
}

TEST(FormCompat, IdentifiersInAnyScript) {
    const char* canonical[] = {
        "object Form\xD0\x93\xD0\xBB: TForm1\n  object Lbl\xD0\xA1oincid: TLabel\n"
        "    FocusControl = Edt\xD0\xA1\n  end\n  object Edt\xD0\xA1: TEdit\n  end\nend\n",
        // Greek, CJK, accented Latin, a combining mark, Arabic-Indic digits after a letter.
        "object \xCE\x95\xCF\x80\xCE\xB9\xCE\xBB\xCE\xBF\xCE\xB3\xCE\xAE: T\xE6\x97\xA5\xE6\x9C\xAC\n"
        "  \xC3\x89tiquette.Num\xC3\xA9ro = [\xC3\xA9t\xC3\xA9, hiver]\n  Cafe\xCC\x81 = "
        "x\xD9\xA1\xD9\xA2\nend\n",
    };
    for (const char* text : canonical) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ToText(ToBinary(Crlf(text))), Crlf(text));
    }

    const struct {
        const char* Name;
        std::string Text;
        const char* Expected;
    } invalid[] = {
        {"an arrow in a name",
         "object a\xE2\x86\x92"
         "b: T\nend\n",
         "Identifier expected on line 1"},
        {"a Latin-1 byte in a name", "object Lbl\xC4: T\nend\n", "Identifier expected on line 1"},
        {"a name starting with a combining mark", "object \xCC\x81x: T\nend\n",
         "Identifier expected on line 1"},
        {"an emoji in a class name", "object A: T\xF0\x9F\x98\x80\nend\n", "Identifier expected on line 1"},
        {"a no-break space in a property name",
         "object T\n  A\xC2\xA0"
         "B = 1\nend\n",
         "Identifier expected on line 2"},
        {"a truncated character in a property path", "object T\n  Font.N\xD0 = 1\nend\n",
         "Identifier expected on line 2"},
        {"a symbol value that is no identifier", "object T\n  P = \xC2\xA7x\nend\n",
         "Invalid property value on line 2"},
        {"a set element that is no identifier", "object T\n  P = [\xE2\x80\x94]\nend\n",
         "Identifier expected on line 2"},
    };
    for (const auto& c : invalid) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(ParserMessage(Crlf(c.Text)), c.Expected);
    }

    // The binary side refuses the same names rather than writing text that would not read back.
    EXPECT_THROW(ToText("TPF0\x01T\x04"
                        "a\xE2\x86\x92\x00\x00"s),
                 EReadError);
}

TEST(FormCompat, ComponentNamesInAnyScript) {
    TKitchenSink sink(nullptr);
    for (const char* name : {"Lbl\xD0\xA1oincid", "\xE8\xA1\xA8", "_\xC3\xA9t\xC3\xA9", "x\xD9\xA1"}) {
        EXPECT_NO_THROW(sink.SetName(name)) << name;
        EXPECT_EQ(sink.Name(), name);
    }
    for (const char* name : {"\xD9\xA1x", "a\xE2\x86\x92", "\xC3", "a\xED\xA0\x80", "\xC0\x80"})
        EXPECT_THROW(sink.SetName(name), EComponentError) << name;
}

// An embedded frame reads as a component in csInline state that owns its children, and writes back
// with the inline flag.
TEST(FormCompat, InlineRecordsReadIntoLiveComponentsAndWriteBack) {
    const std::string text = Crlf("object Form1: TSinkForm\n"
                                  "  inline Frame1: TSinkPanel\n"
                                  "    Width = 7\n"
                                  "    object Inner: TSinkPanel\n"
                                  "      Width = 2\n"
                                  "    end\n"
                                  "  end\n"
                                  "  object \xD0\x9F\xD0\xB0\xD0\xBD\xD0\xB5\xD0\xBB\xD1\x8C: TSinkPanel\n"
                                  "  end\n"
                                  "  object Sink1: TKitchenSink\n"
                                  "    Always = 0\n"
                                  "    Buddy = \xD0\x9F\xD0\xB0\xD0\xBD\xD0\xB5\xD0\xBB\xD1\x8C\n"
                                  "    Items = <>\n"
                                  "  end\n"
                                  "end\n");
    const std::string binary = ToBinary(text);
    TSinkForm form(nullptr);
    {
        TStringStream stream(binary);
        TReader reader(stream);
        reader.ReadRootComponent(&form);
    }
    auto* frame = dynamic_cast<TSinkPanel*>(form.FindComponent("Frame1"));
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->ComponentState().Contains(csInline));
    EXPECT_EQ(frame->Width, 7);
    ASSERT_EQ(frame->ComponentCount(), 1);
    auto* inner = dynamic_cast<TSinkPanel*>(frame->Components(0));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->Name(), "Inner");
    EXPECT_EQ(inner->GetParentComponent(), frame);
    EXPECT_EQ(form.FindComponent("Inner"), nullptr) << "the frame owns it, not the form";
    ASSERT_NE(form.Sink1, nullptr);
    EXPECT_EQ(form.Sink1->Buddy(), form.FindComponent("\xD0\x9F\xD0\xB0\xD0\xBD\xD0\xB5\xD0\xBB\xD1\x8C"));

    TStringStream written;
    {
        TWriter writer(written);
        writer.WriteRootComponent(&form);
    }
    EXPECT_EQ(ToText(written.DataString()), text);
}

// Every form in the corpus converts, and the text written from it is a fixed point of text -> binary ->
// text: what the fuzzer of the converter checks, kept for the inputs it once failed on.
TEST(FormCompat, CorpusConvertsAndComesBackStable) {
    int files = 0;
    for (const char* folder : {"real_forms", "text_to_binary"}) {
        const fs::path dir = fs::path(FW_CORPUS_DIR) / folder;
        if (!fs::exists(dir)) continue;
        for (const auto& entry : fs::directory_iterator(dir)) {
            SCOPED_TRACE(entry.path().string());
            ++files;
            std::string binary;
            try {
                binary = ToBinary(ReadFile(entry.path()));
            } catch (const EParserError&) {
                EXPECT_NE(std::string(folder), "real_forms") << "hand-written forms all convert";
                continue;
            }
            const std::string text = ToText(binary);
            const std::string binary2 = ToBinary(text);
            EXPECT_EQ(ToText(binary2), text);
            EXPECT_EQ(ToBinary(ToText(binary2)), binary2);
        }
    }
    EXPECT_GE(files, 4);
}

// What the hand-written forms are for: the characters and headers they hold come through as meant.
TEST(FormCompat, HandWrittenFormsKeepTheirCharactersAndFrames) {
    const fs::path dir = fs::path(FW_CORPUS_DIR) / "real_forms";
    const std::string emoji = ToText(ToBinary(ReadFile(dir / "surrogate_captions.form")));
    EXPECT_EQ(emoji.find("#55"), std::string::npos) << "no surrogate codes are written back";
    for (const char* shown : {"'Emoji \xF0\x9F\x98\x80 test'", "\xF0\x9F\x9B\x88", "'\xF0\x9F\x8E\x89 flag'",
                              "'Astral: \xF0\x9F\xA4\xA6\xF0\x9F\xA4\xA7'"})
        EXPECT_NE(emoji.find(shown), std::string::npos) << shown;

    const std::string frames = ToText(ToBinary(ReadFile(dir / "inline_frames.form")));
    for (const char* header : {"  inline Frame11: TFrame1\r\n", "      inline Frame21: TFrame2\r\n",
                               "  inline FrameAddress: TFrameAddress\r\n",
                               "  inline Frame12: TFrame1 [2]\r\n", "    inherited Panel1: TPanel [1]\r\n"})
        EXPECT_NE(frames.find(header), std::string::npos) << header;

    const std::string names = ToText(ToBinary(ReadFile(dir / "unicode_names.form")));
    EXPECT_NE(names.find("  object Lbl\xD0\xA1oincid: TLabel\r\n"), std::string::npos);
    EXPECT_NE(names.find("    FocusControl = Edt\xD0\xA1\xD0\xBE\xD0\xB2"), std::string::npos);
}

} // namespace
