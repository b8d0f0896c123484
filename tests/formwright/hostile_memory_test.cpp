// Files that make the program size memory (windows, pictures, grids), loaded or pasted into a designed
// form by a child process whose address space may grow by no more than 1 GiB past what it used before:
// each either loads, shows whole (its window grabbed to a picture of its size) and draws the designer's
// drag frame, or fails with a clear message and leaves the design exactly as it was, within that limit.
//
// The child is this program again, running only HostileMemoryChild.Run. An address-space limit cannot
// work beside the address sanitizer's shadow memory, so the sanitizer build skips these tests.
#include "../child_process.h"
#include "Formwright.h"
#include "FormwrightText.h"
#include "blank_png.h"
#include "core/Streams.h"
#include "design_invariants.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/Clipboard.h"
#include "temp_files.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/InputSimulator.h"
#include "ui/Windows.h"
#include "widgets/Panel.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool AddressSpaceLimits = false;
#else
constexpr bool AddressSpaceLimits = true;
#endif

constexpr int64_t Headroom = int64_t(1) << 30;
constexpr unsigned ChildSeconds = 120;
constexpr const char* FileVariable = "FW_HOSTILE_FILE";     // what the child loads or pastes
constexpr const char* ActionVariable = "FW_HOSTILE_ACTION"; // "load", "load into Panel1" or "paste"
constexpr const char* ReportVariable = "FW_HOSTILE_REPORT"; // the descriptor the child reports on

int64_t AddressSpaceInUse() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmSize:", 0) == 0) return std::stoll(line.substr(7)) * 1024;
    return 0;
}

// The outcome and the problems the child saw, one per line.
TChildEnd RunChild(const std::string& file, const std::string& action) {
    int ends[2];
    if (pipe(ends) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        setenv(FileVariable, file.c_str(), 1);
        setenv(ActionVariable, action.c_str(), 1);
        setenv(ReportVariable, std::to_string(ends[1]).c_str(), 1);
        const int nowhere = open("/dev/null", O_WRONLY);
        dup2(nowhere, STDOUT_FILENO);
        dup2(nowhere, STDERR_FILENO);
        // A child that hangs (one row of a grid at a time, a frame walked pixel by pixel) fails, late.
        alarm(ChildSeconds);
        const char* argv[] = {"formwright_tests", "--gtest_filter=HostileMemoryChild.Run", nullptr};
        execv("/proc/self/exe", const_cast<char**>(argv));
        _exit(127);
    }
    close(ends[1]);
    return CollectChild(pid, ends[0]);
}

int ChangedPixels(TBitmap& before, TBitmap& after, TPoint from, TPoint to) {
    int changed = 0;
    for (int x = from.X; x <= to.X; ++x)
        for (int y = from.Y; y <= to.Y; ++y)
            changed += before.Canvas()->Pixels(x, y) != after.Canvas()->Pixels(x, y);
    return changed;
}

// The form's shape: a panel and a button on a shown form.
const char* const StartingDesign = "object Form1: TForm\r\n"
                                   "  Left = 0\r\n  Top = 0\r\n  Width = 400\r\n  Height = 300\r\n"
                                   "  object Panel1: TPanel\r\n"
                                   "    Left = 8\r\n    Top = 8\r\n    Width = 200\r\n    Height = 150\r\n"
                                   "  end\r\n"
                                   "  object Button1: TButton\r\n    Left = 220\r\n    Top = 8\r\n  end\r\n"
                                   "end\r\n";

} // namespace

// The child: designs the form (or its panel), limits its address space, loads or pastes the file and
// checks what a person would see. Prints the outcome ("loaded" or the message) and then any problem.
TEST(HostileMemoryChild, Run) {
    const char* file = std::getenv(FileVariable);
    if (!file) GTEST_SKIP() << "the child of the hostile memory tests";
    const std::string action = std::getenv(ActionVariable);
    TForm form(nullptr);
    form.Show();
    TFormwright designer;
    designer.SetRoot(&form);
    TStringStream start(StartingDesign);
    ReadRootText(&designer, start);
    auto* panel = dynamic_cast<TPanel*>(form.FindComponent("Panel1"));
    if (action == "load into Panel1") {
        designer.SetRoot(nullptr);
        designer.SetRoot(panel);
    }
    Application->ProcessMessages();
    const std::string before = SavedDesignText(designer);

    const rlimit limit{rlim_t(AddressSpaceInUse() + Headroom), rlim_t(AddressSpaceInUse() + Headroom)};
    setrlimit(RLIMIT_AS, &limit);
    std::string outcome = "loaded";
    try {
        if (action == "paste") {
            Clipboard()->SetAsText(ReadFile(file));
            designer.PasteSelection();
        } else {
            LoadRootFromTextFile(&designer, file);
        }
    } catch (const Exception& e) {
        outcome = e.Message();
    }
    std::vector<std::string> problems = DesignProblems(designer);
    // A failed load leaves the design as it was (a paste keeps what it read before the failure).
    if (outcome != "loaded" && action != "paste" && SavedDesignText(designer) != before)
        problems.push_back("the design changed");

    // The form shows whole: its window grabs to a picture of its size.
    Application->ProcessMessages();
    TBitmap shown;
    GrabWindow(form.Handle(), shown);
    const TRect client = GetClientRect(form.Handle());
    if (shown.Empty() || shown.Width() != client.Width() || shown.Height() != client.Height())
        problems.push_back("the form's window could not be shown whole");

    // The frame of a rubber band dragged over an empty part of the root (the designed panel when it is
    // the root, else below the loaded controls) shows on the form.
    HWND root = designer.Root()->Handle();
    const bool inPanel = designer.Root() == panel;
    const TPoint at = inPanel ? TPoint{panel->Left(), panel->Top()} : TPoint{0, 0};
    const TPoint from = inPanel ? TPoint{20, 60} : TPoint{20, 200}, to{from.X + 40, from.Y + 40};
    TBitmap idle, dragging;
    GrabWindow(form.Handle(), idle);
    TInputSimulator::MouseDown(root, from);
    TInputSimulator::MouseMove(root, to, {ssLeft});
    GrabWindow(form.Handle(), dragging);
    TInputSimulator::MouseUp(root, to);
    if (ChangedPixels(idle, dragging, {at.X + from.X, at.Y + from.Y + 20},
                      {at.X + from.X, at.Y + from.Y + 35}) < 3)
        problems.push_back("no drag frame was drawn");

    std::string report = outcome + "\n";
    for (const std::string& problem : problems)
        report += problem + "\n";
    const int output = std::atoi(std::getenv(ReportVariable));
    if (write(output, report.data(), report.size()) < 0) _exit(2);
    _exit(problems.empty() ? 0 : 1);
}

namespace {

struct THostileFile {
    const char* Name;
    const char* Action;
    std::string Text;
    std::string Outcome; // "loaded", or the start of the message
};

std::string Images(int count, int side) {
    const std::string data = PictureData("TPngImage", BlankPng(side, side), "      ");
    std::string text = "object Form1: TForm\r\n  Width = 400\r\n  Height = 300\r\n";
    for (int i = 1; i <= count; ++i)
        text += "  object Image" + std::to_string(i) + ": TImage\r\n    Left = " + std::to_string(8 * i) +
                "\r\n    Top = 8\r\n    Picture.Data = " + data + "\r\n  end\r\n";
    return text + "end\r\n";
}

std::string PastedImages(int count, int side) {
    const std::string data = PictureData("TPngImage", BlankPng(side, side), "    ");
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "object Image" + std::to_string(i) + ": TImage\r\n  Picture.Data = " + data + "\r\nend\r\n";
    return text;
}

std::string Grid(const char* lines) {
    return std::string("object Form1: TForm\r\n  Width = 400\r\n  Height = 300\r\n"
                       "  object StringGrid1: TStringGrid\r\n    Left = 8\r\n    Top = 8\r\n") +
           lines + "  end\r\nend\r\n";
}

const std::string TooLarge = "Pictures too large: together they need more than 512 MB of memory";

} // namespace

TEST(HostileMemory, FilesThatSizeMemoryLoadOrFailClearlyWithinAnAddressSpaceLimit) {
    if (!AddressSpaceLimits)
        GTEST_SKIP() << "the address sanitizer's shadow memory needs no address-space limit";
    const THostileFile files[] = {
        {"a form 3 000 000 pixels high", "load", "object Form1: TForm\r\n  Height = 3000000\r\nend\r\n",
         "loaded"},
        {"a form of the largest size each way", "load",
         "object Form1: TForm\r\n  Width = 2147483647\r\n  Height = 2147483647\r\nend\r\n", "loaded"},
        {"a designed panel 3 000 000 pixels high", "load into Panel1",
         "object Panel1: TPanel\r\n  Width = 200\r\n  Height = 3000000\r\nend\r\n", "loaded"},
        {"four pictures of 16384 x 16384 one-bit pixels", "load", Images(4, 16384),
         "Error reading Image1.Picture.Data: " + TooLarge},
        // Each fits alone; the second goes past what the load has left.
        {"three pictures of 8192 x 8192", "load", Images(3, 8192),
         "Error reading Image2.Picture.Data: " + TooLarge},
        {"one picture of 8192 x 8192", "load", Images(1, 8192), "loaded"},
        {"three pictures of 8192 x 8192 pasted", "paste", PastedImages(3, 8192),
         "Error reading Image2.Picture.Data: " + TooLarge},
        {"a grid of 500 000 000 rows of their own height", "load",
         Grid("    RowCount = 500000000\r\n    RowHeights = (\r\n      30)\r\n"), "loaded"},
        {"a grid of 500 000 000 columns of their own width", "load",
         Grid("    ColCount = 500000000\r\n    ColWidths = (\r\n      30\r\n      0)\r\n"), "loaded"},
        {"a grid of 500 000 000 fixed rows of no height", "load",
         Grid("    DefaultRowHeight = 0\r\n    GridLineWidth = 0\r\n    RowCount = 500000000\r\n"
              "    FixedRows = 499999999\r\n"),
         "loaded"},
    };
    TempDir folder;
    for (const THostileFile& f : files) {
        SCOPED_TRACE(f.Name);
        const std::string file = folder.File("hostile.txt");
        WriteFile(file, f.Text);
        const TChildEnd report = RunChild(file, f.Action);
        EXPECT_EQ(report.ExitCode, 0) << report.Output;
        EXPECT_EQ(report.Output.substr(0, report.Output.find('\n')), f.Outcome) << report.Output;
    }
}
