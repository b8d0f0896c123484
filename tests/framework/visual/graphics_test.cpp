// Graphic classes: files in each format through a temporary folder, damaged data, sizes, transparency and
// the form data of a graphic property.
#include "graphics_support.h"

#include "graphics/Icon.h"
#include "graphics/JpegImage.h"
#include "graphics/Metafile.h"
#include "graphics/PngImage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

using namespace graphics_test;

// Four coloured quadrants, so a wrong orientation or scaling shows.
void Quadrants(TBitmap& bitmap, int width, int height) {
    Fill(bitmap, width, height, clRed);
    TCanvas& c = *bitmap.Canvas();
    c.Brush()->SetColor(clLime);
    c.FillRect(TRect(width / 2, 0, width, height / 2));
    c.Brush()->SetColor(clBlue);
    c.FillRect(TRect(0, height / 2, width / 2, height));
    c.Brush()->SetColor(clYellow);
    c.FillRect(TRect(width / 2, height / 2, width, height));
}

// The graphic drawn at its size on white.
std::unique_ptr<TBitmap> Rendered(TGraphic& graphic) {
    auto bitmap = std::make_unique<TBitmap>();
    Fill(*bitmap, graphic.Width(), graphic.Height(), clWhite);
    bitmap->Canvas()->Draw(0, 0, &graphic);
    return bitmap;
}

bool Near(TColor a, TColor b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

const char* const redSquareSvg = R"(<svg xmlns="http://www.w3.org/2000/svg" width="20" height="20">)"
                                 R"(<rect x="0" y="0" width="10" height="10" fill="#ff0000"/></svg>)";

TEST(Bitmap, SizeChangesKeepThePixelsAndFillNewAreaWhite) {
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Width(), 0);
    Fill(bitmap, 3, 2, clRed);
    bitmap.SetWidth(5);
    bitmap.SetHeight(3);
    EXPECT_EQ(Picture(*bitmap.Canvas(), TRect(0, 0, 5, 3), clRed), "xxx..|xxx..|.....");
    EXPECT_EQ(bitmap.Canvas()->Pixels(4, 2), clWhite);
    bitmap.SetSize(2, 1);
    EXPECT_EQ(Picture(*bitmap.Canvas(), TRect(0, 0, 2, 1), clRed), "xx");
    bitmap.SetSize(0, 7);
    EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap, TransparentColourIsTheBottomLeftPixelUnlessSet) {
    TBitmap bitmap;
    EXPECT_EQ(bitmap.TransparentColor(), clDefault);
    Quadrants(bitmap, 4, 4);
    EXPECT_EQ(bitmap.TransparentColor(), clBlue);
    bitmap.SetTransparentColor(clRed);
    EXPECT_EQ(bitmap.TransparentMode(), tmFixed);
    EXPECT_EQ(bitmap.TransparentColor(), clRed);
    bitmap.SetTransparentColor(clDefault);
    EXPECT_EQ(bitmap.TransparentMode(), tmAuto);
    EXPECT_EQ(bitmap.TransparentColor(), clBlue);
}

TEST(Bitmap, AssignCopiesPixelsIndependently) {
    TBitmap original;
    Quadrants(original, 4, 4);
    TBitmap copy;
    copy.Assign(&original);
    original.Canvas()->SetPixels(0, 0, clBlack);
    EXPECT_EQ(copy.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(copy.Canvas()->Pixels(3, 3), clYellow);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

TEST(GraphicFiles, EveryFormatSurvivesASaveAndLoadThroughARealFile) {
    TTempDir dir;
    TBitmap source;
    Quadrants(source, 16, 12);
    struct Row {
        const char* file;
        std::function<std::unique_ptr<TGraphic>()> make;
        int tolerance; // JPEG is lossy
    } rows[] = {
        {"a.bmp", [] { return std::make_unique<TBitmap>(); }, 0},
        {"a.png", [] { return std::make_unique<TPngImage>(); }, 0},
        {"a.ico", [] { return std::make_unique<TIcon>(); }, 0},
        {"a.jpg", [] { return std::make_unique<TJPEGImage>(); }, 40},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file);
        auto saved = r.make();
        saved->Assign(&source);
        EXPECT_EQ(saved->Width(), 16);
        EXPECT_EQ(saved->Height(), 12);
        saved->SaveToFile(dir.File(r.file));
        const std::string bytes = ReadFile(dir.File(r.file));
        EXPECT_GT(bytes.size(), 20u);

        auto loaded = r.make();
        loaded->LoadFromFile(dir.File(r.file));
        ASSERT_EQ(loaded->Width(), 16);
        ASSERT_EQ(loaded->Height(), 12);
        auto picture = Rendered(*loaded);
        for (TPoint p : {TPoint(1, 1), TPoint(14, 1), TPoint(1, 10), TPoint(14, 10)}) {
            const TColor expected = source.Canvas()->Pixels(p.X, p.Y);
            const TColor actual = picture->Canvas()->Pixels(p.X, p.Y);
            EXPECT_TRUE(Near(actual, expected, r.tolerance))
                << p.X << "," << p.Y << ": " << ColorToString(actual) << " for " << ColorToString(expected);
        }
        // Saving an unchanged picture writes the file as it was loaded.
        loaded->SaveToFile(dir.File(std::string("again-") + r.file));
        EXPECT_EQ(ReadFile(dir.File(std::string("again-") + r.file)), bytes);
    }
}

TEST(GraphicFiles, MetafilesKeepTheirDocumentAndScale) {
    TTempDir dir;
    WriteFile(dir.File("red.svg"), redSquareSvg);
    TMetafile metafile;
    metafile.LoadFromFile(dir.File("red.svg"));
    EXPECT_EQ(metafile.Width(), 20);
    EXPECT_EQ(metafile.Height(), 20);
    EXPECT_TRUE(metafile.Transparent());
    auto picture = Rendered(metafile);
    EXPECT_EQ(picture->Canvas()->Pixels(5, 5), clRed);
    EXPECT_EQ(picture->Canvas()->Pixels(15, 15), clWhite);

    TBitmap big;
    Fill(big, 40, 40, clWhite);
    big.Canvas()->StretchDraw(TRect(0, 0, 40, 40), &metafile);
    EXPECT_EQ(big.Canvas()->Pixels(15, 15), clRed);
    EXPECT_EQ(big.Canvas()->Pixels(30, 30), clWhite);

    metafile.SaveToFile(dir.File("copy.svg"));
    EXPECT_EQ(ReadFile(dir.File("copy.svg")), redSquareSvg);
    metafile.SetWidth(50);
    EXPECT_EQ(metafile.Width(), 50);

    TBitmap raster;
    Fill(raster, 2, 2, clRed);
    EXPECT_EQ(MessageOf<EConvertError>([&] { metafile.Assign(&raster); }),
              "Cannot assign a TBitmap to a TMetafile");
}

TEST(GraphicFiles, DamagedDataFailsWithTheFormatsMessage) {
    TTempDir dir;
    TBitmap source;
    Quadrants(source, 8, 8);
    source.SaveToFile(dir.File("good.bmp"));
    const std::string bmp = ReadFile(dir.File("good.bmp"));

    struct Row {
        const char* name;
        std::function<std::unique_ptr<TGraphic>()> make;
        std::string bytes;
        const char* message;
    } rows[] = {
        {"text as bitmap", [] { return std::make_unique<TBitmap>(); }, "not an image at all",
         "Bitmap image is not valid"},
        {"empty bitmap file", [] { return std::make_unique<TBitmap>(); }, "", "Bitmap image is not valid"},
        {"cut-off bitmap", [] { return std::make_unique<TBitmap>(); }, bmp.substr(0, 30),
         "Bitmap image is not valid"},
        {"bitmap as icon", [] { return std::make_unique<TIcon>(); }, bmp, "Icon image is not valid"},
        {"header-only icon", [] { return std::make_unique<TIcon>(); }, std::string("\0\0\1\0\1\0garbage", 13),
         "Icon image is not valid"},
        {"text as metafile", [] { return std::make_unique<TMetafile>(); }, "<svg", "Metafile is not valid"},
        {"empty metafile", [] { return std::make_unique<TMetafile>(); }, "", "Metafile is not valid"},
        {"bitmap as PNG", [] { return std::make_unique<TPngImage>(); }, bmp, "PNG image is not valid"},
        {"bitmap as JPEG", [] { return std::make_unique<TJPEGImage>(); }, bmp, "JPEG image is not valid"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        WriteFile(dir.File("bad"), r.bytes);
        auto graphic = r.make();
        EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { graphic->LoadFromFile(dir.File("bad")); }), r.message);
        EXPECT_TRUE(graphic->Empty());
    }
    TBitmap bitmap;
    const std::string missing = dir.File("missing.bmp");
    EXPECT_EQ(MessageOf<EFOpenError>([&] { bitmap.LoadFromFile(missing); }), "Cannot open file " + missing);
}

TEST(GraphicFiles, IconsAndCompressedImagesHaveAFixedSize) {
    TIcon icon;
    TPngImage png;
    TJPEGImage jpeg;
    EXPECT_EQ(MessageOf<EInvalidGraphicOperation>([&] { icon.SetWidth(3); }),
              "Cannot change the size of an icon");
    EXPECT_EQ(MessageOf<EInvalidGraphicOperation>([&] { png.SetHeight(3); }),
              "Cannot change the size of a PNG image");
    EXPECT_EQ(MessageOf<EInvalidGraphicOperation>([&] { jpeg.SetWidth(3); }),
              "Cannot change the size of a JPEG image");
}

TEST(GraphicFiles, PngKeepsTransparency) {
    TBitmap source;
    Quadrants(source, 4, 4);
    source.SetTransparent(true); // blue, bottom-left, becomes transparent
    TPngImage png;
    png.Assign(&source);
    TBitmap target;
    Fill(target, 4, 4, clWhite);
    target.Canvas()->Draw(0, 0, &png);
    EXPECT_EQ(target.Canvas()->Pixels(0, 3), clWhite);
    EXPECT_EQ(target.Canvas()->Pixels(3, 3), clYellow);
}

TEST(GraphicResources, AMissingResourceIsReported) {
    TBitmap bitmap;
    EXPECT_FALSE(bitmap.TryLoadFromResourceName("NO_SUCH_BITMAP"));
    EXPECT_EQ(MessageOf<EResNotFound>([&] { bitmap.LoadFromResourceName("NO_SUCH_BITMAP"); }),
              "Resource NO_SUCH_BITMAP not found");
    EXPECT_TRUE(bitmap.Empty());
}

// A component with a bitmap property, as a button's glyph.
class TGlyphHolder : public TComponent {
    FW_CLASS(TGlyphHolder, TComponent)
public:
    explicit TGlyphHolder(TComponent* owner) : TComponent(owner) {}
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* glyph) { FGlyph->Assign(glyph); }

private:
    std::unique_ptr<TBitmap> FGlyph = std::make_unique<TBitmap>();
};

} // namespace

FW_PUBLISH(TGlyphHolder) {
    p.Property("Glyph", &TGlyphHolder::Glyph, &TGlyphHolder::SetGlyph);
}

namespace {

TEST(GraphicFormData, ABitmapPropertyStoresItsLengthAndFile) {
    TGlyphHolder holder(nullptr);
    holder.SetName("Holder");
    EXPECT_EQ(BinaryToText(WriteRoot(&holder)), "object Holder: TGlyphHolder\r\nend\r\n"); // empty: nothing

    Quadrants(*holder.Glyph(), 6, 4);
    const std::string binary = WriteRoot(&holder);
    const std::string text = BinaryToText(binary);
    // The data starts with the file's length (little-endian), then the file's "BM" signature.
    const size_t data = text.find("Glyph.Data = {");
    ASSERT_NE(data, std::string::npos) << text;
    const std::string hex = text.substr(text.find('\n', data) + 1);
    EXPECT_EQ(hex.find_first_not_of(' '), 4u);
    EXPECT_EQ(hex.substr(4 + 4 * 2, 4), "424D") << hex.substr(0, 40);

    TGlyphHolder copy(nullptr);
    ReadRoot(binary, &copy);
    ASSERT_EQ(copy.Glyph()->Width(), 6);
    EXPECT_EQ(copy.Glyph()->Canvas()->Pixels(5, 3), clYellow);
    EXPECT_EQ(copy.Glyph()->Canvas()->Pixels(0, 0), clRed);
}

TEST(GraphicFormData, ALengthBeyondTheDataIsDamage) {
    TBitmap bitmap;
    const uint8_t tooLong[] = {0xFF, 0, 0, 0, 'B', 'M', 0, 0};
    TMemoryStream stream;
    stream.WriteBuffer(tooLong, sizeof tooLong);
    stream.SetPosition(0);
    EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { bitmap.ReadData(stream); }), "Bitmap image is not valid");
    const uint8_t none[] = {0, 0, 0, 0};
    TMemoryStream empty;
    empty.WriteBuffer(none, sizeof none);
    empty.SetPosition(0);
    Fill(bitmap, 2, 2, clRed);
    bitmap.ReadData(empty);
    EXPECT_TRUE(bitmap.Empty());
}

} // namespace
