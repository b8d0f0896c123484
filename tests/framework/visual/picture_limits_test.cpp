// Pictures that claim more than the framework loads (16384 pixels either way), and graphic files that are
// replaced only once the new file is complete.
#include "graphics_support.h"

#include "../../bitmap_file.h"

#include "core/SysUtils.h"
#include "graphics/Icon.h"
#include "graphics/JpegImage.h"
#include "graphics/Metafile.h"
#include "graphics/PngImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace {

using namespace graphics_test;
namespace fs = std::filesystem;

// A 24-bit .bmp header (no palette) for width x height, followed by `pixelBytes` zero bytes.
std::string BitmapFile(int32_t width, int32_t height, size_t pixelBytes) {
    return ::BitmapFile(width, height, 24, BitmapUncompressed, "", std::string(pixelBytes, '\0'));
}

size_t BitmapRowBytes(int width) {
    return (size_t(width) * 3 + 3) & ~size_t(3);
}

std::string Svg(int width, int height) {
    return Format(R"(<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d">)"
                  R"(<rect width="10" height="10" fill="#ff0000"/></svg>)",
                  width, height);
}

TEST(PictureLimits, SixteenThousandThreeHundredEightyFourPixelsEitherWayIsTheMost) {
    TTempDir dir;
    struct Row {
        const char* name;
        std::string bytes;
        std::function<std::unique_ptr<TGraphic>()> make;
        const char* message; // null: loads
    } rows[] = {
        {"widest bitmap", BitmapFile(16384, 1, BitmapRowBytes(16384)),
         [] { return std::make_unique<TBitmap>(); }, nullptr},
        {"too wide bitmap", BitmapFile(16385, 1, BitmapRowBytes(16385)),
         [] { return std::make_unique<TBitmap>(); }, "Bitmap image is not valid"},
        {"too high bitmap", BitmapFile(1, 16385, 16385 * BitmapRowBytes(1)),
         [] { return std::make_unique<TBitmap>(); }, "Bitmap image is not valid"},
        // 1.6 GB of pixels claimed by a header without them: refused before any pixel memory is taken.
        {"absurd bitmap header", BitmapFile(20000, 20000, 0), [] { return std::make_unique<TBitmap>(); },
         "Bitmap image is not valid"},
        {"negative height (top-down) too high", BitmapFile(1, -16385, 16385 * BitmapRowBytes(1)),
         [] { return std::make_unique<TBitmap>(); }, "Bitmap image is not valid"},
        {"largest metafile", Svg(16384, 16384), [] { return std::make_unique<TMetafile>(); }, nullptr},
        {"too wide metafile", Svg(16385, 10), [] { return std::make_unique<TMetafile>(); },
         "Metafile is not valid"},
        {"absurd metafile", Svg(10, 100000000), [] { return std::make_unique<TMetafile>(); },
         "Metafile is not valid"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        WriteFile(dir.File("picture"), r.bytes);
        auto graphic = r.make();
        if (!r.message) {
            graphic->LoadFromFile(dir.File("picture"));
            EXPECT_FALSE(graphic->Empty());
            continue;
        }
        EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { graphic->LoadFromFile(dir.File("picture")); }), r.message);
        EXPECT_TRUE(graphic->Empty());
    }
}

TEST(PictureLimits, CompressedFormatsAreMeasuredToo) {
    TTempDir dir;
    TBitmap line;
    Fill(line, 16385, 1, clRed);
    struct Row {
        const char* file;
        std::function<std::unique_ptr<TGraphic>()> make;
        const char* message;
    } rows[] = {
        {"wide.png", [] { return std::make_unique<TPngImage>(); }, "PNG image is not valid"},
        {"wide.jpg", [] { return std::make_unique<TJPEGImage>(); }, "JPEG image is not valid"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file);
        auto wide = r.make();
        wide->Assign(&line); // encoding has no limit: only loading has
        ASSERT_EQ(wide->Width(), 16385);
        wide->SaveToFile(dir.File(r.file));
        auto loaded = r.make();
        EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { loaded->LoadFromFile(dir.File(r.file)); }), r.message);
    }
}

// A graphic whose saving fails after it wrote part of the file.
class TFailingGraphic : public TBitmap {
    FW_CLASS(TFailingGraphic, TBitmap)
public:
    TFailingGraphic() = default;
    void SaveToStream(TStream& stream) override {
        stream.WriteBuffer("BM", 2);
        throw EWriteError("Stream write error");
    }
};

FW_PUBLISH(TFailingGraphic) {
}

TEST(GraphicSaving, AFailedSaveLeavesTheOldFileAndNoNewOne) {
    TTempDir dir;
    const std::string target = dir.File("picture.bmp");
    WriteFile(target, "the old picture");
    TFailingGraphic failing;
    EXPECT_EQ(MessageOf<EWriteError>([&] { failing.SaveToFile(target); }), "Stream write error");
    EXPECT_EQ(ReadFile(target), "the old picture");

    // A folder in the target's place cannot be replaced by a file.
    const std::string folder = dir.File("folder.bmp");
    fs::create_directory(folder);
    TBitmap bitmap;
    Fill(bitmap, 2, 2, clRed);
    EXPECT_EQ(MessageOf<EFCreateError>([&] { bitmap.SaveToFile(folder); }), "Cannot create file " + folder);
    EXPECT_TRUE(fs::is_directory(folder));

    const std::string missing = dir.File("no/such/folder.bmp");
    EXPECT_EQ(MessageOf<EFCreateError>([&] { bitmap.SaveToFile(missing); }), "Cannot create file " + missing);

    // Nothing but the old file and the folder is left behind.
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.File("")))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"folder.bmp", "picture.bmp"}));
}

} // namespace
