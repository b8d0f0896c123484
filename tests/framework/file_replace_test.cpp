// Replacing a file whole: new files left by killed saves are cleared away, one that another save still
// writes (locked) is left alone, and a failed write leaves the old file and nothing else.
#include "core/FileReplace.h"
#include "core/Streams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/file.h>
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
    void Save(const std::string& text) {
        WriteFileReplacing(Target,
                           [&](TStream& file) { file.WriteBuffer(text.data(), int64_t(text.size())); });
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

} // namespace
