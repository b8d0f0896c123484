// Saving survives being killed, a full disk and a read-only folder: the file on disk is always a whole
// design, the old or the new one, and nothing is left behind that trips up the next save.
//
// The kill test runs the save in a child process (this test program again, running only
// CrashSafeSave.Child) under ptrace and kills it with SIGKILL at the k-th system call of the save, for k
// drawn at random from a fixed seed over all the calls the save makes: every moment at which the files
// can differ lies between two system calls.
#include "Formwright.h"
#include "FormwrightText.h"
#include "core/Streams.h"
#include "design_invariants.h"
#include "large_design.h"
#include "temp_files.h"
#include "ui/Form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Environment of the child: the file to save to, the design's size, and what else the child does.
constexpr const char* ChildFileVariable = "FW_SAVE_CHILD_FILE";
constexpr const char* ChildSizeVariable = "FW_SAVE_CHILD_COMPONENTS";
constexpr const char* ChildStopVariable = "FW_SAVE_CHILD_STOP";        // stop before saving (for the tracer)
constexpr const char* ChildNobodyVariable = "FW_SAVE_CHILD_AS_NOBODY"; // run as the user nobody when root
constexpr const char* ChildVariant = "new";

// A shown form designed with the large design of `variant` loaded.
struct TLargeDesign {
    TForm Form{nullptr};
    TFormwright Designer;
    TLargeDesign(int components, const std::string& variant) {
        Form.Show();
        Designer.SetRoot(&Form);
        TStringStream text(LargeDesignText(components, variant));
        ReadRootText(&Designer, text);
    }
    ~TLargeDesign() { Designer.SetRoot(nullptr); }
};

// Starts this program again as the child that builds the large design and saves it: traced (it stops
// itself just before the save), or as the user nobody when this process runs as root. Its error output
// goes to `errorOutput` when that is not -1, else nowhere, as does what the test framework prints.
pid_t StartChild(const std::string& file, int components, bool traced, bool asNobody, int errorOutput = -1) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    setenv(ChildFileVariable, file.c_str(), 1);
    setenv(ChildSizeVariable, std::to_string(components).c_str(), 1);
    if (traced) {
        setenv(ChildStopVariable, "1", 1);
        // The leak checker of a sanitizer build stops the world by tracing the process, which a traced
        // process cannot; the parent runs the same save with it.
        const char* options = std::getenv("ASAN_OPTIONS");
        setenv("ASAN_OPTIONS", (std::string(options ? options : "") + ":detect_leaks=0").c_str(), 1);
    }
    if (asNobody) setenv(ChildNobodyVariable, "1", 1);
    const int nowhere = open("/dev/null", O_WRONLY);
    dup2(nowhere, STDOUT_FILENO);
    dup2(errorOutput >= 0 ? errorOutput : nowhere, STDERR_FILENO);
    if (traced && ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) _exit(126);
    const char* argv[] = {"formwright_tests", "--gtest_filter=CrashSafeSaveChild.Run", nullptr};
    execv("/proc/self/exe", const_cast<char**>(argv));
    _exit(127);
}

// What ended a traced child.
struct TChildEnd {
    bool Killed = false;
    int ExitCode = -1;
    long SystemCalls = 0; // system call stops (entry and exit each) seen during the save
};

// Runs the child under ptrace and kills it at the killAt-th system call stop of its save; with killAt 0
// it saves to the end, and the stops are counted.
TChildEnd RunTracedChild(const std::string& file, int components, long killAt) {
    const pid_t pid = StartChild(file, components, true, false);
    TChildEnd end;
    bool afterExec = false, saving = false;
    for (;;) {
        int status = 0;
        if (waitpid(pid, &status, 0) != pid) return end;
        if (WIFEXITED(status)) {
            end.ExitCode = WEXITSTATUS(status);
            return end;
        }
        if (WIFSIGNALED(status)) {
            end.Killed = WTERMSIG(status) == SIGKILL;
            return end;
        }
        int forward = 0;
        const int signal = WSTOPSIG(status);
        if (signal == (SIGTRAP | 0x80)) {
            if (++end.SystemCalls == killAt) {
                kill(pid, SIGKILL);
                continue;
            }
        } else if (signal == SIGTRAP && !afterExec) {
            // The stop at exec: from here on system call stops are told apart from signals.
            afterExec = true;
            ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
        } else if (signal == SIGSTOP && !saving) {
            saving = true; // the child's own stop just before the save: counting starts
        } else {
            forward = signal;
        }
        ptrace(saving ? PTRACE_SYSCALL : PTRACE_CONT, pid, nullptr,
               reinterpret_cast<void*>(intptr_t(forward)));
    }
}

bool PtraceAllowed() {
    const pid_t pid = fork();
    if (pid == 0) _exit(ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) == 0 && raise(SIGSTOP) == 0 ? 0 : 1);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFSTOPPED(status)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return true;
    }
    return false;
}

} // namespace

// The child: builds the large design and saves it to the file the parent names. Skipped when run
// directly.
TEST(CrashSafeSaveChild, Run) {
    const char* file = std::getenv(ChildFileVariable);
    if (!file) GTEST_SKIP() << "the child of the crash-safe save tests";
    TLargeDesign design(std::atoi(std::getenv(ChildSizeVariable)), ChildVariant);
    if (std::getenv(ChildNobodyVariable) && geteuid() == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(125);
    }
    if (std::getenv(ChildStopVariable)) raise(SIGSTOP);
    try {
        SaveRootToTextFile(&design.Designer, file);
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.Message().c_str());
        _exit(3);
    }
}

// The large design, saved to design.txt in a folder of its own: the old design a save replaces.
struct CrashSafeSave : ::testing::Test {
    const int components = LargeDesignSize(400);
    TempDir dir;
    const std::string file = dir.File("design.txt");
    TLargeDesign design{components, "old"};
    std::string oldText;
    void SetUp() override {
        SaveRootToTextFile(&design.Designer, file);
        oldText = ReadFile(file);
    }
};

TEST_F(CrashSafeSave, KilledAtAnyMomentLeavesTheOldOrTheNewDesignWhole) {
    if (!PtraceAllowed()) GTEST_SKIP() << "this system does not let a process trace its child";

    // One save to the end, traced, counts its system calls and gives the new design.
    const TChildEnd whole = RunTracedChild(file, components, 0);
    ASSERT_EQ(whole.ExitCode, 0);
    const std::string newText = ReadFile(file);
    ASSERT_NE(newText, oldText);
    ASSERT_GT(whole.SystemCalls, 10);
    TStringStream newDesign(newText);
    ReadRootText(&design.Designer, newDesign);
    ASSERT_EQ(SavedDesignText(design.Designer), newText) << "the child saves what this process builds";

    // A save makes about as many system calls each time, not exactly as many (memory, threads): a moment
    // past the end of a shorter save lets it finish, and another moment is drawn.
    std::mt19937 random(18);
    std::uniform_int_distribution<long> moment(1, whole.SystemCalls);
    int kills = 0, finished = 0, oldSeen = 0, newSeen = 0;
    while (kills < 100 && finished < 100) {
        WriteFile(file, oldText);
        const long at = moment(random);
        SCOPED_TRACE("killed at system call stop " + std::to_string(at) + " of " +
                     std::to_string(whole.SystemCalls));
        const TChildEnd end = RunTracedChild(file, components, at);
        ASSERT_TRUE(end.Killed || end.ExitCode == 0);
        end.Killed ? ++kills : ++finished;
        const std::string after = ReadFile(file);
        ASSERT_TRUE(after == oldText || after == newText);
        (after == oldText ? oldSeen : newSeen)++;
        // A later save goes through and leaves nothing behind, whatever the killed one left.
        SaveRootToTextFile(&design.Designer, file);
        ASSERT_EQ(ReadFile(file), newText);
        ASSERT_EQ(dir.Names(), std::vector<std::string>{"design.txt"});
    }
    EXPECT_EQ(kills, 100);
    EXPECT_GT(oldSeen, 0) << "some kills fall before the new file takes the old one's place";
    EXPECT_GT(newSeen, 0) << "and some after";
}

TEST_F(CrashSafeSave, AFullDiskGivesAClearErrorAndKeepsTheOldFile) {
    TStringStream newDesign(LargeDesignText(components, "new"));
    ReadRootText(&design.Designer, newDesign);

    // Files may not grow beyond half the design for a moment: the write fails halfway, as on a full disk.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = oldText.size() / 2;
    setrlimit(RLIMIT_FSIZE, &small);
    std::string message = "(saved)";
    try {
        SaveRootToTextFile(&design.Designer, file);
    } catch (const Exception& e) {
        message = e.Message();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(message, "Cannot write file " + file + " (File too large)");
    EXPECT_EQ(ReadFile(file), oldText);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"design.txt"});
}

TEST_F(CrashSafeSave, AReadOnlyFolderGivesAClearErrorAndKeepsTheOldFile) {
    // The file itself may be written, the folder not: the new file beside it cannot be made.
    fs::permissions(file, fs::perms::all & ~fs::perms::owner_exec & ~fs::perms::group_exec &
                              ~fs::perms::others_exec);
    fs::permissions(dir.Path, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                  fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    // Permissions do not hold back root, so then the save runs as the user nobody in a child.
    const bool asRoot = geteuid() == 0;
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    std::string message;
    if (asRoot) {
        const pid_t pid = StartChild(file, 20, false, true, pipeEnds[1]);
        close(pipeEnds[1]);
        char buffer[4096];
        ssize_t n;
        while ((n = read(pipeEnds[0], buffer, sizeof buffer)) > 0)
            message.append(buffer, static_cast<size_t>(n));
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << message;
    } else {
        close(pipeEnds[1]);
        try {
            SaveRootToTextFile(&design.Designer, file);
        } catch (const Exception& e) {
            message = e.Message() + "\n";
        }
    }
    close(pipeEnds[0]);
    EXPECT_NE(message.find("Cannot create file " + file + "\n"), std::string::npos) << message;
    EXPECT_EQ(ReadFile(file), oldText);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"design.txt"});
}
