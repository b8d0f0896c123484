// Replacing a file whole: new files left by killed saves are cleared away, one that another save still
// writes (locked) is left alone, and a failed write leaves the old file and nothing else. Then saving where
// the folder works against it: a link or a FIFO planted at the new file's name, locks that fail, a full
// disk, too many names taken, and the old file's owner, group and mode. The saves that could hang run in
// a child process with an alarm, so a hang fails the test instead of stalling the suite; the full disk
// is a small tmpfs mounted over the test folder in a mount namespace of the child, and failing locks are
// a seccomp filter in the child that makes every flock fail with ENOLCK, as on a network folder without
// a lock manager.
#include "core/FileReplace.h"
#include "core/Streams.h"

#include "../child_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sched.h>
#include <sstream>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct FileReplace : ::testing::Test {
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "formwright-replace-XXXXXX").string();
        Folder = mkdtemp(pattern.data());
        Target = Folder + "/design.txt";
        Write(Target, "old");
    }
    void TearDown() override { fs::remove_all(Folder); }

    static void Write(const std::string& name, const std::string& text) {
        std::ofstream(name, std::ios::binary | std::ios::trunc) << text;
    }
    static std::string Read(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // Saves `text`, running `during` once the new file exists, before the text goes in.
    void Save(const std::string& text, const std::function<void()>& during = {}) {
        WriteFileReplacing(Target, [&](TStream& file) {
            if (during) during();
            file.WriteBuffer(text.data(), int64_t(text.size()));
        });
    }
    // The message of a save that fails, or "(saved)".
    std::string MessageOfSave(const std::string& text, const std::function<void()>& during = {}) {
        try {
            Save(text, during);
        } catch (const Exception& e) {
            return e.Message();
        }
        return "(saved)";
    }

    std::string Folder, Target;
};

TEST_F(FileReplace, NewFilesOfKilledSavesAreClearedAndALockedOneIsLeftAlone) {
    Write(Target + ".saving", "half of a killed save");
    Write(Target + ".saving7", "another");
    Write(Target + ".savings", "not a new file of this target");
    Write(Folder + "/other.txt.saving", "another target's");
    // A save in progress elsewhere holds the lock of its new file.
    Write(Target + ".saving2", "being written");
    const int live = open((Target + ".saving2").c_str(), O_RDONLY);
    ASSERT_EQ(flock(live, LOCK_EX), 0);

    Save("new");
    EXPECT_EQ(Read(Target), "new");
    EXPECT_EQ(Names(), (std::vector<std::string>{"design.txt", "design.txt.saving2", "design.txt.savings",
                                                 "other.txt.saving"}));
    close(live);
    Save("newer");
    EXPECT_EQ(Names(), (std::vector<std::string>{"design.txt", "design.txt.savings", "other.txt.saving"}));
}

TEST_F(FileReplace, AFailedWriteLeavesTheOldFileAndNothingElse) {
    EXPECT_THROW(WriteFileReplacing(Target,
                                    [](TStream& file) {
                                        file.WriteBuffer("partial", 7);
                                        throw EWriteError("Stream write error");
                                    }),
                 EWriteError);
    EXPECT_EQ(Read(Target), "old");
    EXPECT_EQ(Names(), std::vector<std::string>{"design.txt"});
}

TEST_F(FileReplace, TheNewFileKeepsTheOldOnesPermissions) {
    fs::permissions(Target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    Save("new");
    EXPECT_EQ(fs::status(Target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// Exit codes of the children beside 0 (done as expected).
constexpr int ChildCannotPrepare = 77; // the child could not set up the condition: the test is skipped
constexpr int ChildFailed = 1;

// Runs `body` in a forked child that must end within `seconds`; what it writes to `output` comes back.
TChildEnd InChild(const std::function<int(std::ostream& output)>& body, unsigned seconds = 30) {
    int ends[2];
    if (pipe(ends) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(ends[0]);
        alarm(seconds);
        std::ostringstream output;
        int code = ChildFailed;
        try {
            code = body(output);
        } catch (const Exception& e) {
            output << "unexpected: " << e.Message();
        }
        const std::string text = output.str();
        if (write(ends[1], text.data(), text.size()) < 0) code = ChildFailed;
        _exit(code);
    }
    close(ends[1]);
    return CollectChild(pid, ends[0]);
}

using HostileSave = FileReplace;

TEST_F(HostileSave, ALinkAtTheNewFilesNameIsNeitherFollowedNorMovedIntoPlace) {
    const std::string victimFolder = Folder + "/elsewhere";
    fs::create_directory(victimFolder);
    const std::string victim = victimFolder + "/victim.txt";
    const std::string planted = Target + ".saving";
    struct Row {
        const char* when;
        bool beforeTheSave;
        const char* message;
    } rows[] = {
        // The save takes the next free name; the link is not its own and stays.
        {"planted before the save", true, "(saved)"},
        // The file being written loses its name: the save refuses to move whatever has it now.
        {"swapped in while the file is written", false, "Cannot create file "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.when);
        Write(Target, "old");
        Write(victim, "victim");
        chmod(victim.c_str(), 0644);
        fs::remove(planted);
        auto plant = [&] {
            fs::remove(planted);
            fs::create_symlink(victim, planted);
        };
        if (row.beforeTheSave) plant();
        const std::string message = MessageOfSave("new", row.beforeTheSave ? std::function<void()>() : plant);
        EXPECT_EQ(message.substr(0, std::string(row.message).size()), row.message) << message;
        EXPECT_EQ(Read(victim), "victim");
        struct stat victimInfo {};
        ASSERT_EQ(stat(victim.c_str(), &victimInfo), 0);
        EXPECT_EQ(victimInfo.st_mode & 07777, 0644u) << "the link's target was chmodded";
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(planted)));
        EXPECT_FALSE(fs::is_symlink(fs::symlink_status(Target)));
        EXPECT_EQ(Read(Target), row.beforeTheSave ? "new" : "old");
        EXPECT_EQ(Names(), (std::vector<std::string>{"design.txt", "design.txt.saving", "elsewhere"}));
    }
}

TEST_F(HostileSave, AFifoAtTheNewFilesNameNeitherBlocksNorStopsTheSave) {
    ASSERT_EQ(mkfifo((Target + ".saving").c_str(), 0600), 0);
    const TChildEnd end = InChild([&](std::ostream&) {
        Save("new");
        Save("newer");
        return 0;
    });
    ASSERT_EQ(end.ExitCode, 0) << (end.ExitCode == -SIGALRM ? "the save hung" : end.Output);
    EXPECT_EQ(Read(Target), "newer");
    EXPECT_EQ(Names(), (std::vector<std::string>{"design.txt", "design.txt.saving"}));
}

TEST_F(HostileSave, TakenNamesEndTheSaveWithAClearErrorInsteadOfTryingForEver) {
    fs::create_directory(Target + ".saving");
    for (int n = 1; n < 100; ++n)
        fs::create_directory(Target + ".saving" + std::to_string(n));
    EXPECT_EQ(MessageOfSave("new"), "Cannot create file " + Target);
    EXPECT_EQ(Read(Target), "old");
    EXPECT_EQ(Names().size(), 101u);
}

// Makes every flock of this process fail with ENOLCK.
bool FailLocks() {
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_flock, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (ENOLCK & SECCOMP_RET_DATA)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

TEST_F(HostileSave, WhereLocksFailSavesFinishAndLeaveNothingOfTheirOwn) {
    Write(Target + ".saving", "left by a save that was killed");
    const TChildEnd end = InChild([&](std::ostream& output) {
        if (!FailLocks()) return ChildCannotPrepare;
        const int probe = open(Target.c_str(), O_RDONLY);
        if (::flock(probe, LOCK_EX) == 0 || errno != ENOLCK) return ChildCannotPrepare;
        close(probe);
        Save("new");
        Save("newer");
        output << MessageOfSave("never", [] { throw EWriteError("Stream write error"); });
        return 0;
    });
    if (end.ExitCode == ChildCannotPrepare)
        GTEST_SKIP() << "this system does not let a process filter its calls";
    ASSERT_EQ(end.ExitCode, 0) << (end.ExitCode == -SIGALRM ? "the save hung" : end.Output);
    EXPECT_EQ(end.Output, "Stream write error");
    EXPECT_EQ(Read(Target), "newer");
    // Without locks a killed save's file cannot be told from a running save's, so it stays.
    EXPECT_EQ(Names(), (std::vector<std::string>{"design.txt", "design.txt.saving"}));
}

// Mounts a tmpfs of `size` over `folder` in a mount namespace of this process alone.
bool MountSmallDisk(const std::string& folder, const char* size) {
    const uid_t uid = geteuid();
    const gid_t gid = getegid();
    if (unshare(CLONE_NEWNS) != 0) {
        // Without the privilege for a mount namespace of its own, a user namespace gives it.
        if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
        std::ofstream("/proc/self/setgroups") << "deny";
        std::ofstream("/proc/self/uid_map") << uid << " " << uid << " 1";
        std::ofstream("/proc/self/gid_map") << gid << " " << gid << " 1";
    }
    return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           mount("tmpfs", folder.c_str(), "tmpfs", 0, (std::string("size=") + size).c_str()) == 0;
}

TEST_F(HostileSave, AFullDiskGivesAClearErrorKeepsTheOldFileAndLeavesNothing) {
    const TChildEnd end = InChild([&](std::ostream& output) {
        if (!MountSmallDisk(Folder, "16k")) return ChildCannotPrepare;
        Write(Target, "old");
        output << MessageOfSave(std::string(64 * 1024, 'x')) << "\n" << Read(Target) << "\n";
        for (const std::string& name : Names())
            output << name << "\n";
        return 0;
    });
    if (end.ExitCode == ChildCannotPrepare)
        GTEST_SKIP() << "this system does not let a process mount a tmpfs";
    ASSERT_EQ(end.ExitCode, 0) << end.Output;
    EXPECT_EQ(end.Output, "Cannot write file " + Target + " (No space left on device)\nold\ndesign.txt\n");
    EXPECT_EQ(Read(Target), "old") << "the tmpfs was the child's alone";
}

TEST_F(HostileSave, TheNewFileIsTheOwnersAloneWhileWrittenAndThenHasTheOldFilesMode) {
    for (const mode_t mode : {0600u, 0640u, 0664u, 0644u, 0660u}) {
        SCOPED_TRACE(mode);
        chmod(Target.c_str(), mode);
        mode_t whileWritten = 0777;
        Save("new", [&] {
            struct stat info {};
            if (stat((Target + ".saving").c_str(), &info) == 0) whileWritten = info.st_mode & 07777;
        });
        EXPECT_EQ(whileWritten & 077, 0u);
        struct stat info {};
        ASSERT_EQ(stat(Target.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
    }
}

TEST_F(HostileSave, TheNewFileKeepsTheOldOwnerAndGroupWherePermitted) {
    // Another user's file saved by root keeps its owner and group; a member of the file's group who saves
    // it keeps the group, so the group keeps its access.
    uid_t owner = getuid();
    gid_t group = getgid();
    if (geteuid() == 0) {
        owner = 1234;
        group = 5678;
    } else {
        gid_t groups[64];
        const int count = getgroups(64, groups);
        for (int i = 0; i < count; ++i)
            if (groups[i] != getgid()) group = groups[i];
        if (group == getgid()) GTEST_SKIP() << "the user belongs to no second group";
    }
    ASSERT_EQ(chown(Target.c_str(), owner, group), 0);
    chmod(Target.c_str(), 0664);
    Save("new");
    struct stat info {};
    ASSERT_EQ(stat(Target.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, owner);
    EXPECT_EQ(info.st_gid, group);
    EXPECT_EQ(info.st_mode & 07777, 0664u);
}

TEST_F(HostileSave, AGroupThatCannotBeKeptGetsNoMoreThanEverybody) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root, to give the old file to a group the saver is not in";
    // Root's file, writable by its group and by everybody, saved by the user nobody.
    ASSERT_EQ(chown(Target.c_str(), 0, 0), 0);
    chmod(Target.c_str(), 0662);
    chmod(Folder.c_str(), 0777);
    const TChildEnd end = InChild([&](std::ostream& output) {
        if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0) return ChildCannotPrepare;
        output << MessageOfSave("new");
        return 0;
    });
    ASSERT_EQ(end.ExitCode, 0) << end.Output;
    EXPECT_EQ(end.Output, "(saved)");
    struct stat info {};
    ASSERT_EQ(stat(Target.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_mode & 07777, 0622u);
}

} // namespace
