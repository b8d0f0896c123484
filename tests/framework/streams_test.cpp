#include "core/Streams.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A fresh folder per test, removed afterwards.
class TempDir {
public:
    TempDir() {
        Path = fs::temp_directory_path() / ("fw-streams-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Path);
        fs::create_directories(Path);
    }
    ~TempDir() { fs::remove_all(Path); }
    std::string File(const std::string& name) const { return (Path / name).string(); }
    fs::path Path;
};

struct StreamKind {
    const char* Name;
    std::function<std::unique_ptr<TStream>(const TempDir&)> Make;
};

const StreamKind StreamKinds[] = {
    {"memory", [](const TempDir&) { return std::make_unique<TMemoryStream>(); }},
    {"string", [](const TempDir&) { return std::make_unique<TStringStream>(); }},
    {"file",
     [](const TempDir& dir) { return std::make_unique<TFileStream>(dir.File("data.bin"), fmCreate); }},
};

std::string ReadAll(TStream& stream) {
    stream.SetPosition(0);
    std::string data(static_cast<size_t>(stream.Size()), '\0');
    stream.ReadBuffer(data.data(), stream.Size());
    return data;
}

TEST(Streams, CommonBehaviourOfEveryKind) {
    TempDir dir;
    for (const StreamKind& kind : StreamKinds) {
        SCOPED_TRACE(kind.Name);
        std::unique_ptr<TStream> stream = kind.Make(dir);
        stream->WriteBuffer("hello world", 11);
        EXPECT_EQ(stream->Position(), 11);
        EXPECT_EQ(stream->Size(), 11);

        EXPECT_EQ(stream->Seek(-5, soEnd), 6);
        char word[5];
        stream->ReadBuffer(word, 5);
        EXPECT_EQ(std::string(word, 5), "world");
        EXPECT_EQ(stream->Read(word, 5), 0) << "reading at the end reads nothing";
        EXPECT_EQ(stream->Seek(-11, soCurrent), 0);

        // Writing past the end fills the gap with zero bytes.
        stream->SetPosition(13);
        stream->WriteBuffer("!", 1);
        EXPECT_EQ(ReadAll(*stream), std::string("hello world\0\0!", 14));

        stream->SetSize(5);
        EXPECT_EQ(stream->Size(), 5);
        EXPECT_EQ(ReadAll(*stream), "hello");

        EXPECT_THROW(stream->Seek(-1, soBeginning), EStreamError);
    }
}

TEST(Streams, ReadBufferPastTheEndIsAStreamError) {
    TempDir dir;
    for (const StreamKind& kind : StreamKinds) {
        SCOPED_TRACE(kind.Name);
        std::unique_ptr<TStream> stream = kind.Make(dir);
        stream->WriteBuffer("abc", 3);
        stream->SetPosition(1);
        char buffer[8];
        try {
            stream->ReadBuffer(buffer, 3);
            FAIL() << "no exception";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), "Stream read error");
        }
    }
}

TEST(Streams, CopyFrom) {
    TMemoryStream source;
    source.WriteBuffer("0123456789", 10);

    source.SetPosition(7);
    TStringStream whole;
    EXPECT_EQ(whole.CopyFrom(source, 0), 10) << "count 0 copies everything from the start";
    EXPECT_EQ(whole.DataString(), "0123456789");

    source.SetPosition(2);
    TStringStream part;
    EXPECT_EQ(part.CopyFrom(source, 3), 3);
    EXPECT_EQ(part.DataString(), "234");
    EXPECT_EQ(source.Position(), 5);

    TStringStream tooMuch;
    EXPECT_THROW(tooMuch.CopyFrom(source, 6), EReadError);
}

TEST(Streams, MemoryStreamLoadSaveAndClear) {
    TempDir dir;
    TStringStream text("form data");
    text.SetPosition(4);
    TMemoryStream memory;
    memory.LoadFromStream(text);
    EXPECT_EQ(memory.Position(), 0);
    ASSERT_EQ(memory.Size(), 9);
    EXPECT_EQ(std::string(static_cast<const char*>(memory.Memory()), 9), "form data");

    memory.SaveToFile(dir.File("saved.bin"));
    TMemoryStream loaded;
    loaded.LoadFromFile(dir.File("saved.bin"));
    EXPECT_EQ(ReadAll(loaded), "form data");

    TStringStream copy;
    loaded.SetPosition(5);
    loaded.SaveToStream(copy);
    EXPECT_EQ(copy.DataString(), "form data") << "SaveToStream writes everything, whatever the position";

    loaded.Clear();
    EXPECT_EQ(loaded.Size(), 0);
    EXPECT_EQ(loaded.Position(), 0);
}

TEST(Streams, FileModes) {
    TempDir dir;
    const std::string name = dir.File("form.txt");
    {
        TFileStream created(name, fmCreate);
        created.WriteBuffer("first version", 13);
        EXPECT_NO_THROW(created.Flush()) << "what was written reaches the disk";
    }
    {
        TFileStream reader(name, fmOpenRead);
        EXPECT_EQ(ReadAll(reader), "first version");
        EXPECT_THROW(reader.WriteBuffer("x", 1), EWriteError) << "a read-only stream cannot write";
    }
    {
        TFileStream writer(name, fmOpenWrite);
        writer.WriteBuffer("FIRST", 5);
    }
    {
        TFileStream both(name, fmOpenReadWrite);
        EXPECT_EQ(ReadAll(both), "FIRST version") << "open-write keeps the rest of the file";
    }
    {
        TFileStream truncated(name, fmCreate);
        EXPECT_EQ(truncated.Size(), 0) << "create mode truncates an existing file";
    }
}

TEST(Streams, FileErrorsNameTheFileAsGiven) {
    TempDir dir;
    const std::string missing = dir.File("missing.txt");
    const std::string noFolder = dir.File("no/such/folder.txt");
    const struct {
        const char* Name;
        std::function<void()> Run;
        std::string Expected;
    } cases[] = {
        {"open missing", [&] { TFileStream s(missing, fmOpenRead); }, "Cannot open file " + missing},
        {"open folder", [&] { TFileStream s(dir.Path.string(), fmOpenRead); },
         "Cannot open file " + dir.Path.string()},
        {"create in missing folder", [&] { TFileStream s(noFolder, fmCreate); },
         "Cannot create file " + noFolder},
        {"load missing", [&] { TMemoryStream().LoadFromFile(missing); }, "Cannot open file " + missing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        try {
            c.Run();
            ADD_FAILURE() << "no exception";
        } catch (const EStreamError& e) {
            EXPECT_EQ(e.Message(), c.Expected);
        }
    }
    EXPECT_THROW(TFileStream(missing, fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(noFolder, fmCreate), EFCreateError);
}

} // namespace
