// Saving the designed root to a text file and loading it back, through real files in a temporary folder.
#include "EditContainer.h"
#include "Formwright.h"
#include "FormwrightText.h"
#include "components/Query.h"
#include "components/Table.h"
#include "core/Streams.h"
#include "design_invariants.h"
#include "formwright_support.h"
#include "temp_files.h"
#include "ui/Application.h"
#include "ui/Windows.h"
#include "widgets/Button.h"
#include "widgets/Edit.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

template <class F> std::string MessageOf(F&& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(no error)";
}

// Replaces the first occurrence of `from` (which must be there).
std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

struct SaveLoad : DesignedSample {
    // What the user sees of the design: every component, the root's name and caption, the boxes.
    std::vector<std::string> Design() const {
        std::vector<std::string> lines = DescribeDesign(Form);
        lines.push_back("root " + Form->Name() + " '" + Form->Caption() + "'");
        for (int i = 0; i < Designer->Placeholders().Count(); ++i) {
            TEditContainer* box = Designer->Placeholders().Items(i);
            const TRect r = box->BoundsRect();
            lines.push_back("box " + box->Component()->Name() + " " + std::to_string(r.Left) + "," +
                            std::to_string(r.Top) + (IsWindowVisible(box->Handle()) ? " shown" : " hidden"));
        }
        std::sort(lines.begin() + static_cast<long>(DescribeDesign(Form).size()) + 1, lines.end());
        return lines;
    }
    void ExpectFieldsBound() const {
        EXPECT_EQ(Form->Button1, Form->FindComponent("Button1"));
        EXPECT_EQ(Form->Panel1, Form->FindComponent("Panel1"));
        EXPECT_EQ(Form->Table1, Form->FindComponent("Table1"));
        ASSERT_NE(Form->Button1, nullptr);
    }
    TempDir Dir;
};

TEST_F(SaveLoad, ARoundTripGivesBackTheSameDesignInTheSameRoot) {
    const std::string file = Dir.File("design.txt");
    const auto before = Design();
    SaveRootToTextFile(Designer, file);
    const std::string text = ReadFile(file);
    EXPECT_EQ(text.rfind("object DesignSample: TDesignSample\r\n", 0), 0u) << text;
    EXPECT_EQ(text.substr(text.size() - 5), "end\r\n");

    // Change the design, then load the file back.
    Designer->SelectComponent(Form->Button1);
    Designer->DeleteSelection();
    Form->Button2->SetLeft(200);
    Form->SetCaption("changed");
    PlaceholderOf(Form->Query1)->SetBounds(0, 0, 28, 28);
    TForm* const root = Form;
    Inspector->Calls.clear();
    LoadRootFromTextFile(Designer, file);

    EXPECT_EQ(Designer->Root(), root);
    EXPECT_EQ(Design(), before);
    ExpectFieldsBound();
    EXPECT_EQ(Form->Button3->Parent(), Form->Panel1);
    TStringStream again;
    WriteRootText(Designer, again);
    EXPECT_EQ(again.DataString(), text) << "every published value came back";
    EXPECT_EQ(Designer->SelectionCount(), 0);
    const auto& calls = Inspector->Calls;
    const auto begin = std::find(calls.begin(), calls.end(), "BeginComponentUpdate");
    ASSERT_NE(begin, calls.end());
    const auto firstInsert = std::find_if(
        begin, calls.end(), [](const std::string& call) { return call.rfind("Insert ", 0) == 0; });
    ASSERT_NE(firstInsert, calls.end());
    EXPECT_NE(std::find(begin, firstInsert, "Remove Button2"), firstInsert)
        << "the old components go first, inside the batch";
    EXPECT_EQ(*firstInsert, "Insert TLabel") << "the new components come inside the batch";
    // The batch closes, then the root is inspected again with its loaded values.
    const std::vector<std::string> tail(calls.end() - 3, calls.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"EndComponentUpdate", "InspectObject DesignSample",
                                              "RefreshValues"}));
    EXPECT_EQ(Inspector->UpdateDepth, 0);
}

// A component reference names a component of the loaded design, which is read after it.
TEST_F(SaveLoad, ComponentReferencesComeBackWithTheDesign) {
    const std::string file = Dir.File("design.txt");
    auto* edit = new TEdit(Form);
    edit->SetName("Edit1");
    edit->SetParent(Form);
    Form->Label1->SetFocusControl(edit);
    SaveRootToTextFile(Designer, file);
    const std::string text = ReadFile(file);
    ASSERT_NE(text.find("    FocusControl = Edit1\r\n"), std::string::npos) << text;

    LoadRootFromTextFile(Designer, file);
    ASSERT_NE(Form->FindComponent("Edit1"), nullptr);
    EXPECT_EQ(Form->Label1->FocusControl(), Form->FindComponent("Edit1"));
    TStringStream again;
    WriteRootText(Designer, again);
    EXPECT_EQ(again.DataString(), text);
}

// A dialog's border and style re-create a form's window; the designed form keeps its own, so designing
// goes on and the values are saved.
TEST_F(SaveLoad, ADialogStyleFormLoadsAndStaysDesigned) {
    const std::string file = Dir.File("dialog.txt");
    WriteFile(
        file,
        "object Dialog1: TDesignSample\r\n  BorderIcons = [biSystemMenu]\r\n  BorderStyle = bsDialog\r\n"
        "  FormStyle = fsStayOnTop\r\n  object Button7: TButton\r\n  end\r\nend\r\n");
    HWND window = Form->Handle();
    LoadRootFromTextFile(Designer, file);
    EXPECT_EQ(Designer->Root(), Form);
    EXPECT_EQ(Form->Handle(), window);
    EXPECT_EQ(Form->BorderStyle(), bsDialog);
    const std::string saved = SavedDesignText(*Designer);
    for (const char* line : {"  BorderStyle = bsDialog\r\n", "  BorderIcons = [biSystemMenu]\r\n",
                             "  FormStyle = fsStayOnTop\r\n"})
        EXPECT_NE(saved.find(line), std::string::npos) << line;
}

TEST_F(SaveLoad, ALoadDoesNotMarkTheDesignModified) {
    const std::string file = Dir.File("design.txt");
    SaveRootToTextFile(Designer, file);
    LoadRootFromTextFile(Designer, file);
    EXPECT_FALSE(Designer->IsModified());

    // Also not when the file moves and sizes the root.
    WriteFile(file, Replace(Replace(ReadFile(file), "  Left = 200", "  Left = 232"), "  Width = 420",
                            "  Width = 460"));
    Inspector->Calls.clear();
    LoadRootFromTextFile(Designer, file);
    EXPECT_EQ(Form->Left(), 232);
    EXPECT_EQ(Form->Width(), 460);
    EXPECT_FALSE(Designer->IsModified());
    EXPECT_EQ(Inspector->Count("RefreshValues"), 1) << "only the load's own refresh";
}

TEST_F(SaveLoad, ASavedFileReplacesTheWholeOldFileAndLeavesNothingElse) {
    const std::string file = Dir.File("design.txt");
    WriteFile(file, std::string(100000, 'x'));
    SaveRootToTextFile(Designer, file);
    TStringStream expected;
    WriteRootText(Designer, expected);
    EXPECT_EQ(ReadFile(file), expected.DataString());
    EXPECT_EQ(Dir.Names(), std::vector<std::string>{"design.txt"});
}

TEST_F(SaveLoad, ASaveWhoseWriteFailsLeavesThePreviousFileIntact) {
    const std::string file = Dir.File("design.txt");
    SaveRootToTextFile(Designer, file);
    const std::string previous = ReadFile(file);
    Form->SetCaption("a newer design that never reaches the disk");

    // Files may not grow beyond 300 bytes for a moment: the write fails halfway, as on a full disk.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 300;
    setrlimit(RLIMIT_FSIZE, &small);
    const std::string message = MessageOf([&] { SaveRootToTextFile(Designer, file); });
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(message, "Cannot write file " + file + " (File too large)");
    EXPECT_EQ(ReadFile(file), previous);
    EXPECT_EQ(Dir.Names(), std::vector<std::string>{"design.txt"}) << "the half-written file is gone";
}

TEST_F(SaveLoad, SavingThroughALinkWritesTheLinkedFileAndKeepsTheLink) {
    const std::string real = Dir.File("real.txt"), link = Dir.File("link.txt");
    WriteFile(real, "an older design");
    fs::create_symlink("real.txt", link);
    SaveRootToTextFile(Designer, link);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    TStringStream expected;
    WriteRootText(Designer, expected);
    EXPECT_EQ(ReadFile(real), expected.DataString());
    EXPECT_EQ(Dir.Names(), (std::vector<std::string>{"link.txt", "real.txt"}));
}

TEST_F(SaveLoad, FileErrorsNameTheFileAndChangeNothing) {
    const auto before = Design();
    const std::string noFolder = Dir.File("missing/design.txt");
    EXPECT_EQ(MessageOf([&] { SaveRootToTextFile(Designer, noFolder); }), "Cannot create file " + noFolder);
    const std::string noFile = Dir.File("absent.txt");
    EXPECT_EQ(MessageOf([&] { LoadRootFromTextFile(Designer, noFile); }), "Cannot open file " + noFile);
    EXPECT_EQ(MessageOf([&] { LoadRootFromTextFile(Designer, Dir.Path); }), "Cannot open file " + Dir.Path);
    EXPECT_EQ(Design(), before);
    EXPECT_EQ(Dir.Names(), std::vector<std::string>{});
}

TEST_F(SaveLoad, WithoutARootNothingIsWrittenOrRead) {
    const std::string file = Dir.File("design.txt");
    SaveRootToTextFile(Designer, file);
    const std::string saved = ReadFile(file);
    Designer->SetRoot(nullptr);
    EXPECT_EQ(MessageOf([&] { SaveRootToTextFile(Designer, Dir.File("other.txt")); }),
              "No component is being designed");
    EXPECT_EQ(MessageOf([&] { LoadRootFromTextFile(Designer, file); }), "No component is being designed");
    EXPECT_EQ(Dir.Names(), std::vector<std::string>{"design.txt"});
    EXPECT_EQ(Form->ComponentCount(), 9);
}

TEST_F(SaveLoad, ASyntaxErrorOnLine12LeavesDesignSelectionAndInspectorAsTheyWere) {
    const std::string file = Dir.File("design.txt");
    SaveRootToTextFile(Designer, file);
    std::string text = ReadFile(file);
    // Break the twelfth line.
    size_t at = 0;
    for (int line = 1; line < 12; ++line)
        at = text.find("\r\n", at) + 2;
    text.insert(at, "  = 'no name'\r\n");
    WriteFile(file, text);

    Designer->SelectObject(Form->Button1, true);
    Designer->SelectObject(Form->Button2, false);
    Designer->SelectionChanged();
    const auto before = Design();
    Inspector->Calls.clear();
    EXPECT_EQ(MessageOf([&] { LoadRootFromTextFile(Designer, file); }), "Identifier expected on line 12");
    EXPECT_EQ(Design(), before);
    EXPECT_EQ(SelectedNames(), (std::vector<std::string>{"Button1", "Button2"}));
    EXPECT_EQ(Inspector->Calls, std::vector<std::string>{});
}

TEST_F(SaveLoad, ARecordThatFailsHalfwayPutsTheDesignBack) {
    const std::string file = Dir.File("design.txt");
    SaveRootToTextFile(Designer, file);
    const std::string good = ReadFile(file);
    const auto before = Design();
    struct Row {
        const char* what;
        std::string text;
        std::string message;
    } rows[] = {
        {"unknown class of a later child",
         Replace(good, "object Button2: TButton", "object Button2: TNoSuchButton"),
         "Class TNoSuchButton not found"},
        {"unknown property of a nested child",
         Replace(good, "    Caption = 'Button3'", "    Caption = 'Button3'\r\n    Bogus = 1"),
         "Error reading Button3.Bogus: Property does not exist"},
        {"root renamed and re-captioned, then a bad root property",
         Replace(Replace(good, "object DesignSample: TDesignSample", "object Renamed: TDesignSample"),
                 "  Caption = 'DesignSample'", "  Caption = 'Changed'\r\n  Color = 255\r\n  Bogus = 1"),
         "Error reading Renamed.Bogus: Property does not exist"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        WriteFile(file, row.text);
        Inspector->Calls.clear();
        EXPECT_EQ(MessageOf([&] { LoadRootFromTextFile(Designer, file); }), row.message);
        EXPECT_EQ(Design(), before);
        EXPECT_NE(Form->Color(), TColor(255));
        ExpectFieldsBound();
        EXPECT_EQ(Inspector->UpdateDepth, 0);
        EXPECT_EQ(Designer->SelectionCount(), 0);
    }
}

TEST_F(SaveLoad, OnlyTheFirstObjectBlockIsLoaded) {
    const std::string file = Dir.File("two.txt");
    WriteFile(file,
              "object First: TDesignSample\r\n  Caption = 'first'\r\n  object Button7: TButton\r\n  end\r\n"
              "end\r\nobject Second: TDesignSample\r\n  Caption = 'second'\r\nend\r\n");
    LoadRootFromTextFile(Designer, file);
    EXPECT_EQ(Form->Name(), "First");
    EXPECT_EQ(Form->Caption(), "first");
    EXPECT_EQ(OwnedNames(Form), std::vector<std::string>{"Button7"});
    EXPECT_EQ(Designer->Placeholders().Count(), 0);
}

TEST_F(SaveLoad, ARootRecordOfAnotherClassStillLoadsIntoTheRoot) {
    const std::string file = Dir.File("other.txt");
    WriteFile(file,
              "object Other: TForm\r\n  Caption = 'other'\r\n  object Table5: TTable\r\n    Left = 40\r\n"
              "    Top = 48\r\n  end\r\nend\r\n");
    TForm* const root = Form;
    LoadRootFromTextFile(Designer, file);
    EXPECT_EQ(Designer->Root(), root);
    EXPECT_EQ(Form->Name(), "Other");
    EXPECT_EQ(OwnedNames(Form), std::vector<std::string>{"Table5"});
    TEditContainer* box = PlaceholderOf(Form->FindComponent("Table5"));
    EXPECT_EQ(box->BoundsRect(), TRect::FromBounds(40, 48, 28, 28));
    EXPECT_TRUE(IsWindowVisible(box->Handle()));
}

TEST_F(SaveLoad, WithoutAnInspectorSaveAndLoadWorkTheSame) {
    Designer->SetInspector(nullptr);
    const std::string file = Dir.File("design.txt");
    const auto before = Design();
    SaveRootToTextFile(Designer, file);
    LoadRootFromTextFile(Designer, file);
    EXPECT_EQ(Design(), before);
    EXPECT_EQ(Inspector->Calls, std::vector<std::string>{});
    Designer->SetInspector(Inspector);
}

TEST(SaveLoadOfAContainer, WritesOnlyTheContainerAndLoadsWithoutTouchingTheForm) {
    TDesignSample form(nullptr);
    form.Show();
    TFormwright designer;
    TRecordingInspector inspector;
    designer.SetInspector(&inspector);
    designer.SetRoot(form.Panel1);
    TempDir dir;
    const std::string file = dir.File("panel.txt");
    SaveRootToTextFile(&designer, file);
    const std::string text = ReadFile(file);
    EXPECT_EQ(text.rfind("object Panel1: TPanel\r\n", 0), 0u) << text;
    EXPECT_EQ(text.find("Button3"), std::string::npos) << "its child belongs to the form";
    WriteFile(file, Replace(text, "  Caption = 'Panel1'", "  Caption = 'loaded'"));
    LoadRootFromTextFile(&designer, file);
    EXPECT_EQ(form.Panel1->Caption(), "loaded");
    EXPECT_EQ(form.ComponentCount(), 9);
    EXPECT_EQ(form.Button3->Parent(), form.Panel1);
    EXPECT_EQ(form.Panel1->Parent(), &form) << "the root keeps its parent";
    designer.SetRoot(nullptr);
}

} // namespace
